// The survey window on Windows: a top-level window holding the standard
// controls of the shared layout table, reached by the handlers through
// SurveyControls. Its message loop and keyboard filter are message_loop.h
// and key_filter.h; its font, picture and colours control_painting.h.
#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>

#include "app/win32/control_factory.h"
#include "app/win32/control_painting.h"
#include "survey/controls.h"
#include "survey/survey_form.h"

namespace tavro::win32 {

class SurveyWindow final : public SurveyControls {
 public:
  // Creates the window, hidden. Its controls, every one of the layout, are
  // made when first needed (to show the window or to reach a control), each
  // in the state set on it until then: under Wine each change to a made
  // control is a round of messages and trips to wineserver. The focusable
  // ones are made in tab order (so the dialog manager's order is the
  // table's), each label just before the box it names (so the z-order gives
  // the box its accessible name). Making the window and making the controls
  // throw Failure when Windows refuses.
  explicit SurveyWindow(HINSTANCE instance);
  ~SurveyWindow() override;
  SurveyWindow(const SurveyWindow&) = delete;
  SurveyWindow& operator=(const SurveyWindow&) = delete;

  // OK, Cancel and the close box start the form's handlers.
  void connect_events(SurveyForm& form) { form_ = &form; }

  HWND handle() const { return window_; }
  HWND control(Control control) const;
  bool closed() const { return window_ == nullptr; }
  UINT dpi() const { return dpi_; }

  // Shows the window and puts the focus on the enabled control with the
  // lowest tab index.
  void show(int show_command);

  // Presses OK or Cancel as a click does.
  void press(Control button);

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
  void run_handler(void (SurveyForm::*handler)());
  std::optional<Control> control_of(HWND window) const;
  // Makes the controls, once. Const because reading a control (value, text)
  // may be the first need of them.
  void make_controls() const;
  // Where a change to a control not made yet is kept; null once it is made.
  ControlStart* unmade(Control control);
  // Places every control, gives it the font and picture, and sizes the
  // frame for a DPI (WM_DPICHANGED).
  void apply_dpi(UINT dpi);

  HINSTANCE instance_;
  HWND window_ = nullptr;
  mutable std::array<HWND, kControlCount> controls_{};
  mutable std::array<ControlStart, kControlCount> starts_{};
  mutable bool controls_made_ = false;
  ControlPainting painting_;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  HWND focus_before_deactivation_ = nullptr;
  SurveyForm* form_ = nullptr;
};

}  // namespace tavro::win32
