// Driving the real survey window in a test as a user would: keys through
// the window's own message handling.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "app/win32/survey_window.h"
#include "support/temp_folder.h"
#include "survey/survey_form.h"

namespace tavro::win32::testing {

// Handles every message waiting in the thread's queue as the survey's loop does.
void pump_messages(SurveyWindow& window);

// Presses and releases a key on the focused control (Shift held down when
// asked), then lets the window handle it.
void press_key(SurveyWindow& window, WORD key, bool shift = false);

// A survey window and its form, as the program makes them, reading a
// Tavro.ini in a temporary folder of the test's own; the machine facts are
// the real ones.
class SurveyUnderTest {
 public:
  // settings: the Tavro.ini text; "{tmp}" stands for the temporary folder.
  explicit SurveyUnderTest(std::string_view settings);
  SurveyUnderTest();  // no settings file at all
  ~SurveyUnderTest();
  SurveyUnderTest(const SurveyUnderTest&) = delete;
  SurveyUnderTest& operator=(const SurveyUnderTest&) = delete;

  // Runs Form_Load; then shows the window, as the program does.
  void load();
  void load_and_show();

  SurveyWindow& window() { return *window_; }
  HWND control(Control control) const { return window_->control(control); }
  const tavro::testing::TempFolder& folder() const { return folder_; }

 private:
  tavro::testing::TempFolder folder_;
  std::unique_ptr<SurveyWindow> window_;
  std::unique_ptr<SurveyForm> form_;
};

}  // namespace tavro::win32::testing
