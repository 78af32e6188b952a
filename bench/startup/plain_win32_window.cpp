// The yardstick for Tavro.exe's start-up: a plain Win32 window of the survey
// window's size and frame, holding the same 32 controls (classes, styles,
// places and font as the layout table gives them) and carrying the same
// manifest (common controls 6, DPI awareness), with none of the survey's own
// work: no settings, no icon or picture, no machine facts.
#include <windows.h>

#include <commctrl.h>

#include "survey/layout.h"

namespace {

using tavro::ControlKind;

LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

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
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = window_procedure;
  window_class.hInstance = hInstance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  window_class.lpszClassName = L"PlainWin32SurveyWindow";
  if (RegisterClassExW(&window_class) == 0) return 1;

  constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  const auto px = [](int twips) { return tavro::twips_to_pixels(twips, USER_DEFAULT_SCREEN_DPI); };
  RECT frame{0, 0, px(tavro::kClientWidthTwips), px(tavro::kClientHeightTwips)};
  AdjustWindowRect(&frame, kStyle, FALSE);
  const HWND window =
      CreateWindowExW(0, window_class.lpszClassName, L"Plain Win32 survey window", kStyle,
                      CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                      frame.bottom - frame.top, nullptr, nullptr, hInstance, nullptr);
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
  ShowWindow(window, nShowCmd);
  UpdateWindow(window);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  DeleteObject(font);
  return static_cast<int>(message.wParam);
}
