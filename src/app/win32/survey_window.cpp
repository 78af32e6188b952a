#include "app/win32/survey_window.h"

#include <commctrl.h>

#include <exception>

#include "app/win32/control_factory.h"
#include "app/win32/dpi.h"
#include "app/win32/resource_ids.h"
#include "common/failure.h"
#include "survey/layout.h"

namespace tavro::win32 {
namespace {

constexpr wchar_t kWindowClass[] = L"TavroSurveyWindow";
// A caption with the close box only: no sizing border, no minimise or maximise box.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kWindowExStyle = 0;

std::size_t index_of(Control control) {
  return static_cast<std::size_t>(control);
}

[[noreturn]] void fail_with_last_error(std::wstring_view what) {
  throw Failure(std::wstring(what) + L": " + system_error_text(static_cast<int>(GetLastError())));
}

// Registers the window's class and, with it, loads the common controls
// whose version 6 the manifest asks for; once per program.
void register_window_class(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW window_class{};
  if (GetClassInfoExW(instance, kWindowClass, &window_class)) return;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  window_class.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_TAVRO),
                                                     IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                                     GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
  window_class.hIconSm = static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(IDI_TAVRO), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                 GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  window_class.lpszClassName = kWindowClass;
  if (!RegisterClassExW(&window_class)) fail_with_last_error(L"The survey window cannot be made");
}

}  // namespace

COLORREF color_ref(OleColor color) {
  if (is_system_color(color)) return GetSysColor(system_color_index(color));
  return static_cast<COLORREF>(color & 0x00FFFFFF);
}

Win32SurveyWindow::Win32SurveyWindow(HINSTANCE instance) : instance_(instance) {
  register_window_class(instance, &window_procedure);
  const std::wstring title(kWindowTitle);
  // Placed by the system; sized below, once the window knows its DPI.
  if (CreateWindowExW(kWindowExStyle, kWindowClass, title.c_str(), kWindowStyle, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance,
                      this) == nullptr) {
    fail_with_last_error(L"The survey window cannot be made");
  }

  // Created in tab order, so that the dialog manager's order (the order of
  // the children) is the table's; the lines and the picture come last.
  dpi_ = dpi_of_window(window_);
  font_ = create_message_font(dpi_);
  const auto create = [&](Control id) {
    const HWND control = create_control(window_, instance_, layout_of(id), dpi_, font_);
    if (control == nullptr) {
      const DWORD error = GetLastError();
      DestroyWindow(window_);
      SetLastError(error);
      fail_with_last_error(L"The survey window's controls cannot be made");
    }
    controls_[index_of(id)] = control;
  };
  for (const Control id : controls_in_tab_order())
    create(id);
  for (const LayoutRow& row : kSurveyLayout) {
    if (control(row.id) == nullptr) create(row.id);
  }
  fit_frame_to_client();
}

Win32SurveyWindow::~Win32SurveyWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
}

HWND Win32SurveyWindow::control(Control control) const {
  return controls_[index_of(control)];
}

void Win32SurveyWindow::show(int show_command) {
  ShowWindow(window_, show_command);
  UpdateWindow(window_);
  for (const Control id : controls_in_tab_order()) {
    const HWND candidate = control(id);
    if ((GetWindowLongW(candidate, GWL_STYLE) & WS_TABSTOP) != 0 && IsWindowEnabled(candidate)) {
      focus_before_deactivation_ = candidate;
      SetFocus(candidate);
      break;
    }
  }
}

void Win32SurveyWindow::handle_message(MSG& message) {
  if (window_ != nullptr) {
    if (handle_enter_or_escape(message)) return;
    if (IsDialogMessageW(window_, &message)) return;
  }
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

int Win32SurveyWindow::run_message_loop() {
  MSG message{};
  while (!closed()) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));  // for any loop outside this one
      return static_cast<int>(message.wParam);
    }
    if (got == -1) return 1;
    handle_message(message);
  }
  return 0;
}

// Enter on a focused button presses it; any other Enter or Esc presses
// nothing (neither button is the window's default or cancel button), and
// does not reach a text box either.
bool Win32SurveyWindow::handle_enter_or_escape(const MSG& message) {
  if (message.message != WM_KEYDOWN ||
      (message.wParam != VK_RETURN && message.wParam != VK_ESCAPE)) {
    return false;
  }
  if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) return false;
  if (message.wParam == VK_RETURN) {
    const HWND focus = GetFocus();
    if (focus == control(Control::CmdOk) || focus == control(Control::CmdCancel)) {
      on_command(GetDlgCtrlID(focus));
    }
  }
  return true;
}

LRESULT CALLBACK Win32SurveyWindow::window_procedure(HWND window, UINT message, WPARAM wparam,
                                                     LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* creating = static_cast<Win32SurveyWindow*>(
        reinterpret_cast<const CREATESTRUCTW*>(lparam)->lpCreateParams);
    creating->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creating));
  }
  auto* self = reinterpret_cast<Win32SurveyWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  return self->on_message(message, wparam, lparam);
}

LRESULT Win32SurveyWindow::on_message(UINT message, WPARAM wparam, LPARAM lparam) {
  const HWND window = window_;
  switch (message) {
    case WM_COMMAND:
      // Only clicks of our own buttons: the dialog manager's IDOK and IDCANCEL
      // (Enter and Esc) match neither.
      if (HIWORD(wparam) == BN_CLICKED && lparam != 0) on_command(LOWORD(wparam));
      return 0;
    case WM_CLOSE:
      // The close box is Cancel.
      if (events_.cancel) {
        run_event(events_.cancel);
      } else {
        close();
      }
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
      return on_control_color(message, reinterpret_cast<HDC>(wparam),
                              reinterpret_cast<HWND>(lparam));
    case WM_ACTIVATE:
      // A plain window does not remember its focused control as a dialog
      // does: keep it across a message box or a switch to another program.
      if (LOWORD(wparam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window, focus)) focus_before_deactivation_ = focus;
      } else if (focus_before_deactivation_ != nullptr &&
                 IsWindowEnabled(focus_before_deactivation_)) {
        SetFocus(focus_before_deactivation_);
        return 0;
      }
      break;
    case WM_DPICHANGED: {
      apply_dpi(HIWORD(wparam));
      const RECT* suggested = reinterpret_cast<const RECT*>(lparam);
      SetWindowPos(window, nullptr, suggested->left, suggested->top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_NCDESTROY:
      release_resources();
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      window_ = nullptr;
      controls_.fill(nullptr);
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

void Win32SurveyWindow::on_command(int id) {
  if (id == control_id(Control::CmdOk)) run_event(events_.ok);
  if (id == control_id(Control::CmdCancel)) run_event(events_.cancel);
}

// A failure that escapes a handler ends the program with its message, as
// it would anywhere else; it must not unwind through Windows' own frames.
void Win32SurveyWindow::run_event(const std::function<void()>& event) {
  if (!event) return;
  std::wstring failure;
  try {
    event();
    return;
  } catch (const std::exception& error) {
    failure = message_of(error);
  }
  show_message(failure);
  close();
}

LRESULT Win32SurveyWindow::on_control_color(UINT message, HDC dc, HWND control_window) {
  const std::optional<Control> which = control_of(control_window);
  if (!which || !back_colors_[index_of(*which)]) {
    return DefWindowProcW(window_, message, reinterpret_cast<WPARAM>(dc),
                          reinterpret_cast<LPARAM>(control_window));
  }
  const std::size_t i = index_of(*which);
  const OleColor color = *back_colors_[i];
  SetBkColor(dc, color_ref(color));
  if (message == WM_CTLCOLORSTATIC && !IsWindowEnabled(control_window)) {
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  }
  const HBRUSH brush =
      is_system_color(color) ? GetSysColorBrush(system_color_index(color)) : solid_brushes_[i];
  return reinterpret_cast<LRESULT>(brush);
}

std::optional<Control> Win32SurveyWindow::control_of(HWND window) const {
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i] == window && window != nullptr) return static_cast<Control>(i);
  }
  return std::nullopt;
}

void Win32SurveyWindow::apply_dpi(UINT dpi) {
  dpi_ = dpi;
  const HFONT font = create_message_font(dpi);
  for (const LayoutRow& row : kSurveyLayout)
    rescale_control(control(row.id), row, dpi, font);
  if (font_ != nullptr) DeleteObject(font_);
  font_ = font;
  fit_frame_to_client();
  InvalidateRect(window_, nullptr, TRUE);
}

void Win32SurveyWindow::fit_frame_to_client() {
  const int scale = static_cast<int>(dpi_);
  const int client_width = twips_to_pixels(kClientWidthTwips, scale);
  const int client_height = twips_to_pixels(kClientHeightTwips, scale);
  const SIZE size =
      window_size_for_client(client_width, client_height, kWindowStyle, kWindowExStyle, dpi_);
  SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // Where the frame Windows draws differs from the one computed (a caption
  // not scaled yet), correct by what the client area came out as.
  RECT client{};
  GetClientRect(window_, &client);
  if (client.right != client_width || client.bottom != client_height) {
    SetWindowPos(window_, nullptr, 0, 0, size.cx + client_width - client.right,
                 size.cy + client_height - client.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void Win32SurveyWindow::release_resources() {
  const HWND picture = controls_[index_of(Control::Image1)];
  if (picture != nullptr) {
    auto* const bitmap =
        reinterpret_cast<HGDIOBJ>(SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
    if (bitmap != nullptr) DeleteObject(bitmap);
  }
  for (HBRUSH& brush : solid_brushes_) {
    if (brush != nullptr) DeleteObject(brush);
    brush = nullptr;
  }
  if (font_ != nullptr) DeleteObject(font_);
  font_ = nullptr;
}

void Win32SurveyWindow::set_caption(Control control, std::wstring_view caption) {
  SetWindowTextW(this->control(control),
                 displayed_caption(layout_of(control).kind, caption).c_str());
}

void Win32SurveyWindow::set_enabled(Control control, bool enabled) {
  EnableWindow(this->control(control), enabled ? TRUE : FALSE);
}

void Win32SurveyWindow::set_value(Control control, CheckValue value) {
  SendMessageW(this->control(control), BM_SETCHECK,
               value == CheckValue::kTicked ? BST_CHECKED : BST_UNCHECKED, 0);
}

CheckValue Win32SurveyWindow::value(Control control) const {
  return SendMessageW(this->control(control), BM_GETCHECK, 0, 0) == BST_CHECKED
             ? CheckValue::kTicked
             : CheckValue::kUnticked;
}

void Win32SurveyWindow::set_text(Control control, std::wstring_view text) {
  SetWindowTextW(this->control(control), std::wstring(text).c_str());
}

std::wstring Win32SurveyWindow::text(Control control) const {
  const HWND box = this->control(control);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
  const int length = GetWindowTextW(box, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
  return text;
}

void Win32SurveyWindow::set_back_color(Control control, OleColor color) {
  const std::size_t i = index_of(control);
  back_colors_[i] = color;
  if (solid_brushes_[i] != nullptr) DeleteObject(solid_brushes_[i]);
  // System colours have brushes of the system's own.
  solid_brushes_[i] = is_system_color(color) ? nullptr : CreateSolidBrush(color_ref(color));
  InvalidateRect(this->control(control), nullptr, TRUE);
}

void Win32SurveyWindow::close() {
  if (window_ != nullptr) DestroyWindow(window_);
}

void Win32SurveyWindow::show_message(std::wstring_view message) {
  const std::wstring title(kWindowTitle);
  MessageBoxW(window_, std::wstring(message).c_str(), title.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace tavro::win32
