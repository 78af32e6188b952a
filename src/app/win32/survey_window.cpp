#include "app/win32/survey_window.h"

#include <commctrl.h>

#include <exception>

#include "app/win32/control_factory.h"
#include "app/win32/dpi.h"
#include "app/win32/resource_ids.h"
#include "common/failure.h"
#include "platform/system_error.h"
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

// The client area of the layout at the DPI.
SIZE client_size(UINT dpi) {
  const int scale = static_cast<int>(dpi);
  return {twips_to_pixels(kClientWidthTwips, scale), twips_to_pixels(kClientHeightTwips, scale)};
}

SIZE frame_size(UINT dpi) {
  const SIZE client = client_size(dpi);
  return window_size_for_client(client.cx, client.cy, kWindowStyle, kWindowExStyle, dpi);
}

// Sizes the frame around the client area of the layout at the DPI, unless
// it already fits (each resize is a round of messages and a trip to the
// window system).
void fit_frame_to_client(HWND window, UINT dpi) {
  const SIZE wanted = client_size(dpi);
  RECT client{};
  GetClientRect(window, &client);
  if (client.right == wanted.cx && client.bottom == wanted.cy) return;
  const SIZE size = frame_size(dpi);
  SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // Where the frame Windows draws differs from the one computed (a caption
  // not scaled yet), correct by what the client area came out as.
  GetClientRect(window, &client);
  if (client.right != wanted.cx || client.bottom != wanted.cy) {
    SetWindowPos(window, nullptr, 0, 0, size.cx + wanted.cx - client.right,
                 size.cy + wanted.cy - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

}  // namespace

SurveyWindow::SurveyWindow(HINSTANCE instance) : instance_(instance) {
  register_window_class(instance, &window_procedure);
  const std::wstring title(kWindowTitle);
  // Placed by the system and sized for the system's DPI, the window's own
  // on most PCs; fitted below where the window's own differs.
  const SIZE size = frame_size(dpi_of_window(nullptr));
  if (CreateWindowExW(kWindowExStyle, kWindowClass, title.c_str(), kWindowStyle, CW_USEDEFAULT,
                      CW_USEDEFAULT, size.cx, size.cy, nullptr, nullptr, instance,
                      this) == nullptr) {
    fail_with_last_error(L"The survey window cannot be made");
  }
  dpi_ = dpi_of_window(window_);
  painting_.make_for_dpi(instance_, dpi_);
  fit_frame_to_client(window_, dpi_);
}

void SurveyWindow::make_controls() const {
  if (controls_made_ || window_ == nullptr) return;
  // Set first: a message the window gets while a control is made must not
  // start making them again.
  controls_made_ = true;
  for (const Control id : creation_order()) {
    const HWND control = create_control(window_, instance_, layout_of(id), starts_[index_of(id)],
                                        dpi_, painting_.font());
    if (control == nullptr) {
      const DWORD error = GetLastError();
      DestroyWindow(window_);
      SetLastError(error);
      fail_with_last_error(L"The survey window's controls cannot be made");
    }
    controls_[index_of(id)] = control;
  }
  starts_ = {};
  SendMessageW(controls_[index_of(Control::Image1)], STM_SETIMAGE, IMAGE_BITMAP,
               reinterpret_cast<LPARAM>(painting_.picture()));
}

ControlStart* SurveyWindow::unmade(Control control) {
  return controls_made_ ? nullptr : &starts_[index_of(control)];
}

SurveyWindow::~SurveyWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
}

HWND SurveyWindow::control(Control control) const {
  make_controls();
  return controls_[index_of(control)];
}

void SurveyWindow::show(int show_command) {
  make_controls();
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

void SurveyWindow::press(Control button) {
  if (button == Control::CmdOk) run_handler(&SurveyForm::CmdOk_Click);
  if (button == Control::CmdCancel) run_handler(&SurveyForm::CmdCancel_Click);
}

LRESULT CALLBACK SurveyWindow::window_procedure(HWND window, UINT message, WPARAM wparam,
                                                LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* creating =
        static_cast<SurveyWindow*>(reinterpret_cast<const CREATESTRUCTW*>(lparam)->lpCreateParams);
    creating->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creating));
  }
  auto* self = reinterpret_cast<SurveyWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  return self->on_message(message, wparam, lparam);
}

LRESULT SurveyWindow::on_message(UINT message, WPARAM wparam, LPARAM lparam) {
  const HWND window = window_;
  switch (message) {
    case WM_COMMAND:
      // Only clicks of our own buttons: the dialog manager's IDOK and IDCANCEL
      // (Enter and Esc) match neither.
      if (HIWORD(wparam) == BN_CLICKED && lparam != 0) {
        const std::optional<Control> button = control_of(reinterpret_cast<HWND>(lparam));
        if (button) press(*button);
      }
      return 0;
    case WM_CLOSE:
      // The close box is Cancel.
      if (form_ != nullptr) {
        run_handler(&SurveyForm::CmdCancel_Click);
      } else {
        close();
      }
      return 0;
    case WM_ENDSESSION:
      // Windows is ending the session: the window goes as on Cancel, unsaved.
      if (wparam != FALSE) close();
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
      auto* const control_window = reinterpret_cast<HWND>(lparam);
      const std::optional<Control> which = control_of(control_window);
      const std::optional<HBRUSH> brush =
          which ? painting_.control_color(message, reinterpret_cast<HDC>(wparam), control_window,
                                          *which)
                : std::nullopt;
      if (brush) return reinterpret_cast<LRESULT>(*brush);
      break;
    }
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
    case WM_DESTROY:
      // However the window goes (its close box, a click, a message sent from
      // another program, DestroyWindow), the program ends with it.
      PostQuitMessage(0);
      break;
    case WM_NCDESTROY:
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      window_ = nullptr;
      controls_.fill(nullptr);
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

// A failure that escapes a handler ends the program with its message, as
// it would anywhere else; it must not unwind through Windows' own frames.
void SurveyWindow::run_handler(void (SurveyForm::*handler)()) {
  if (form_ == nullptr) return;
  std::wstring failure;
  try {
    (form_->*handler)();
    return;
  } catch (const std::exception& error) {
    failure = message_of(error);
  }
  show_message(failure);
  close();
}

std::optional<Control> SurveyWindow::control_of(HWND window) const {
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i] == window && window != nullptr) return static_cast<Control>(i);
  }
  return std::nullopt;
}

void SurveyWindow::apply_dpi(UINT dpi) {
  dpi_ = dpi;
  painting_.make_for_dpi(instance_, dpi);
  for (const LayoutRow& row : kSurveyLayout)
    rescale_control(control(row.id), row, dpi, painting_.font());
  SendMessageW(control(Control::Image1), STM_SETIMAGE, IMAGE_BITMAP,
               reinterpret_cast<LPARAM>(painting_.picture()));
  painting_.drop_previous();
  fit_frame_to_client(window_, dpi_);
  InvalidateRect(window_, nullptr, TRUE);
}

void SurveyWindow::set_caption(Control control, std::wstring_view caption) {
  std::wstring shown = displayed_caption(layout_of(control).kind, caption);
  if (ControlStart* start = unmade(control)) {
    start->text = std::move(shown);
    return;
  }
  SetWindowTextW(this->control(control), shown.c_str());
}

// Each change below costs a trip to the window system (under Wine, to
// wineserver), so one that would change nothing is left out.
void SurveyWindow::set_enabled(Control control, bool enabled) {
  if (ControlStart* start = unmade(control)) {
    start->enabled = enabled;
    return;
  }
  const HWND handle = this->control(control);
  if ((IsWindowEnabled(handle) != FALSE) != enabled) EnableWindow(handle, enabled ? TRUE : FALSE);
}

void SurveyWindow::set_value(Control control, CheckValue value) {
  if (ControlStart* start = unmade(control)) {
    start->ticked = value == CheckValue::kTicked;
    return;
  }
  SendMessageW(this->control(control), BM_SETCHECK,
               value == CheckValue::kTicked ? BST_CHECKED : BST_UNCHECKED, 0);
}

CheckValue SurveyWindow::value(Control control) const {
  return SendMessageW(this->control(control), BM_GETCHECK, 0, 0) == BST_CHECKED
             ? CheckValue::kTicked
             : CheckValue::kUnticked;
}

void SurveyWindow::set_text(Control control, std::wstring_view text) {
  if (ControlStart* start = unmade(control)) {
    start->text = std::wstring(text);
    return;
  }
  SetWindowTextW(this->control(control), std::wstring(text).c_str());
}

std::wstring SurveyWindow::text(Control control) const {
  const HWND box = this->control(control);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
  const int length = GetWindowTextW(box, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
  return text;
}

void SurveyWindow::set_back_color(Control control, OleColor color) {
  painting_.set_back_color(control, color);
  // A control not made or not shown yet is painted whole when it is.
  if (unmade(control) != nullptr) return;
  const HWND handle = this->control(control);
  if (IsWindowVisible(handle)) InvalidateRect(handle, nullptr, TRUE);
}

void SurveyWindow::close() {
  if (window_ != nullptr) DestroyWindow(window_);
}

void SurveyWindow::show_message(std::wstring_view message) {
  const std::wstring title(kWindowTitle);
  MessageBoxW(window_, std::wstring(message).c_str(), title.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace tavro::win32
