// The survey window on Windows: a top-level window holding the standard
// controls of the shared layout table, reached by the handlers through
// SurveyControls.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "survey/controls.h"

namespace tavro::win32 {

// What the window's two buttons and its close box start.
struct SurveyEvents {
  std::function<void()> ok;      // CmdOk pressed
  std::function<void()> cancel;  // CmdCancel pressed, or the window closed from its frame
};

class Win32SurveyWindow final : public SurveyControls {
 public:
  // Creates the window, hidden, with every control of the layout in tab
  // order (so the dialog manager's order is the table's). Throws Failure
  // when Windows refuses.
  explicit Win32SurveyWindow(HINSTANCE instance);
  ~Win32SurveyWindow() override;
  Win32SurveyWindow(const Win32SurveyWindow&) = delete;
  Win32SurveyWindow& operator=(const Win32SurveyWindow&) = delete;

  void set_events(SurveyEvents events) { events_ = std::move(events); }

  HWND handle() const { return window_; }
  HWND control(Control control) const;
  bool closed() const { return window_ == nullptr; }
  UINT dpi() const { return dpi_; }

  // Shows the window and puts the focus on the enabled control with the
  // lowest tab index.
  void show(int show_command);

  // Handles one message of the thread's queue as the survey's loop does:
  // the keyboard interface first (Tab, Shift+Tab, Enter, Esc), then the
  // control or window it is for.
  void handle_message(MSG& message);

  // Runs the message loop until the window is closed; returns the exit code.
  int run_message_loop();

  // SurveyControls
  void set_caption(Control control, std::wstring_view caption) override;
  void set_enabled(Control control, bool enabled) override;
  void set_value(Control control, CheckValue value) override;
  CheckValue value(Control control) const override;
  void set_text(Control control, std::wstring_view text) override;
  std::wstring text(Control control) const override;
  void set_back_color(Control control, OleColor color) override;
  void close() override;
  void show_message(std::wstring_view message) override;

 private:
  static LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT on_message(UINT message, WPARAM wparam, LPARAM lparam);
  void on_command(int id);
  void run_event(const std::function<void()>& event);
  bool handle_enter_or_escape(const MSG& message);
  LRESULT on_control_color(UINT message, HDC dc, HWND control);
  std::optional<Control> control_of(HWND window) const;
  // Places every control and sizes the frame for a new DPI (WM_DPICHANGED).
  void apply_dpi(UINT dpi);
  // Sizes the frame around the client area of the layout at the window's DPI.
  void fit_frame_to_client();
  void release_resources();

  HINSTANCE instance_;
  HWND window_ = nullptr;
  std::array<HWND, kControlCount> controls_{};
  // Background colours set by the handlers, and the brushes that paint them.
  std::array<std::optional<OleColor>, kControlCount> back_colors_{};
  std::array<HBRUSH, kControlCount> solid_brushes_{};
  HFONT font_ = nullptr;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  HWND focus_before_deactivation_ = nullptr;
  SurveyEvents events_;
};

// The colour a window stores as 0x00BBGGRR, or 0x800000nn for system colour nn.
COLORREF color_ref(OleColor color);

}  // namespace tavro::win32
