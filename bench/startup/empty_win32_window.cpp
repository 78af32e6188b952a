// An empty Win32 window with the survey window's client size (615 x 291
// pixels) and frame (fixed border, close box only): the yardstick for the
// Windows survey's start-up time and memory.
//
// With --controls on its command line it holds the survey's 29 controls
// that show text (10 check boxes, 9 labels, 8 text boxes, 2 buttons, in the
// system's standard GUI font) in a plain grid, and nothing else: what those
// child windows and their first text cost any program, without the survey's
// settings, pictures, manifest or DPI handling.
#include <windows.h>

#include <cwchar>
#include <string>

#include "win32_yardstick.h"

namespace {

void add_plain_controls(HWND window, HINSTANCE instance) {
  struct Kind {
    const wchar_t* window_class;
    DWORD style;
    DWORD ex_style;
    const wchar_t* text;
    int count;
  };
  constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
  const Kind kinds[] = {
      {L"BUTTON", kChild | WS_TABSTOP | BS_AUTOCHECKBOX, 0, L"Check box ", 10},
      {L"STATIC", kChild | SS_LEFTNOWORDWRAP, 0, L"Label ", 9},
      {L"EDIT", kChild | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, L"Text ", 8},
      {L"BUTTON", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0, L"Button ", 2},
  };
  const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
  int placed = 0;
  for (const Kind& kind : kinds) {
    for (int i = 1; i <= kind.count; ++i, ++placed) {
      const std::wstring text = kind.text + std::to_wstring(i);
      const HWND control = CreateWindowExW(
          kind.ex_style, kind.window_class, text.c_str(), kind.style, 8 + (placed % 3) * 200,
          8 + (placed / 3) * 27, 190, 23, window, nullptr, instance, nullptr);
      SendMessageW(control, WM_SETFONT, font, FALSE);
    }
  }
}

}  // namespace

// The parameters are named as <winbase.h> declares them.
int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, PWSTR lpCmdLine,
                    int nShowCmd) {
  const bool with_controls = std::wcsstr(lpCmdLine, L"--controls") != nullptr;
  const HWND window = yardstick::create_window(
      hInstance, L"EmptyWin32Window", with_controls ? L"Plain Win32 window" : L"Empty Win32 window",
      615, 291);
  if (window == nullptr) return 1;
  if (with_controls) add_plain_controls(window, hInstance);
  return yardstick::show_and_run(window, nShowCmd, false);
}
