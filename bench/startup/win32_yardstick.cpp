#include "win32_yardstick.h"

namespace yardstick {
namespace {

LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

HWND create_window(HINSTANCE instance, const wchar_t* class_name, const wchar_t* title,
                   int client_width, int client_height) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = window_procedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  window_class.lpszClassName = class_name;
  if (RegisterClassExW(&window_class) == 0) return nullptr;

  constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  RECT frame{0, 0, client_width, client_height};
  AdjustWindowRect(&frame, kStyle, FALSE);
  return CreateWindowExW(0, class_name, title, kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                         frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                         instance, nullptr);
}

int show_and_run(HWND window, int show_command, bool dialog_keys) {
  ShowWindow(window, show_command);
  UpdateWindow(window);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (dialog_keys && IsDialogMessageW(window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace yardstick
