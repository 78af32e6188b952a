// The yardstick for Tavro.exe's start-up: a plain Win32 window of the survey
// window's size and frame, holding the same 32 controls (classes, styles,
// places and font as the layout table gives them) and carrying the same
// manifest (common controls 6, DPI awareness), with none of the survey's own
// work: no settings, no icon or picture, no machine facts.
#include <windows.h>

#include <commctrl.h>

#include "survey/layout.h"
#include "win32_yardstick.h"

namespace {

using tavro::ControlKind;

struct Kind {
  const wchar_t* window_class;
  DWORD style;
  DWORD ex_style;
};

Kind kind_of(ControlKind kind) {
  constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
  switch (kind) {
    case ControlKind::kCheckBox:
      return {L"BUTTON", kChild | WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    case ControlKind::kTextBox:
      return {L"EDIT", kChild | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::kLabel:
      return {L"STATIC", kChild | SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0};
    case ControlKind::kCommandButton:
      return {L"BUTTON", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0};
    case ControlKind::kLine:
      return {L"STATIC", kChild | SS_ETCHEDHORZ, 0};
    case ControlKind::kPicture:
      break;
  }
  return {L"STATIC", kChild | SS_BITMAP, 0};
}

}  // namespace

// The parameters are named as <winbase.h> declares them.
int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, PWSTR /*lpCmdLine*/,
                    int nShowCmd) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  const auto px = [](int twips) { return tavro::twips_to_pixels(twips, USER_DEFAULT_SCREEN_DPI); };
  const HWND window =
      yardstick::create_window(hInstance, L"PlainWin32SurveyWindow", L"Plain Win32 survey window",
                               px(tavro::kClientWidthTwips), px(tavro::kClientHeightTwips));
  if (window == nullptr) return 1;
  LOGFONTW dialog_font{};
  dialog_font.lfHeight = -MulDiv(8, USER_DEFAULT_SCREEN_DPI, 72);
  dialog_font.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(dialog_font.lfFaceName, L"MS Shell Dlg 2", LF_FACESIZE);
  const HFONT font = CreateFontIndirectW(&dialog_font);
  for (const tavro::LayoutRow& row : tavro::kSurveyLayout) {
    const Kind kind = kind_of(row.kind);
    const std::wstring caption(row.caption);
    const HWND control = CreateWindowExW(kind.ex_style, kind.window_class, caption.c_str(),
                                         kind.style, px(row.left), px(row.top), px(row.width),
                                         row.kind == ControlKind::kLine ? 2 : px(row.height),
                                         window, nullptr, hInstance, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  const int exit_code = yardstick::show_and_run(window, nShowCmd, true);
  DeleteObject(font);
  return exit_code;
}
