// Driving the real survey window in a test as a user would: keys through
// the window's own message handling, message boxes answered, screenshots.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/win32/survey_window.h"
#include "support/temp_folder.h"
#include "survey/survey_form.h"

namespace tavro::win32::testing {

// Handles every message waiting in the thread's queue as the survey's loop does.
void pump_messages(SurveyWindow& window);

// Presses and releases a key on the focused control (Shift held down when
// asked), then lets the window handle it.
void press_key(SurveyWindow& window, WORD key, bool shift = false);

// Types text into the focused control, character by character.
void type_text(SurveyWindow& window, std::wstring_view text);

struct MessageBoxSeen {
  HWND owner;
  std::wstring text;
};

// Runs the action; every message box it shows is read and answered with OK.
std::vector<MessageBoxSeen> answer_message_boxes(const std::function<void()>& action);

// Writes what the screen shows of the window, frame included, as a PNG file.
bool save_screenshot(HWND window, const std::wstring& png_path);

// The folder for test output that people look at (set by the test
// environment), else the temporary folder.
std::wstring test_output_folder();

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
  // The folder path as written into the settings in place of "{tmp}".
  std::string folder_text() const { return folder_.utf8(); }

 private:
  tavro::testing::TempFolder folder_;
  std::unique_ptr<SurveyWindow> window_;
  std::unique_ptr<SurveyForm> form_;
};

// Tavro.exe as an admin deploys it: copied into a temporary folder beside
// the settings given, started, and its window found once it shows. A
// program still running at the end is ended.
class RunningTavro {
 public:
  explicit RunningTavro(const std::string& settings);
  ~RunningTavro();
  RunningTavro(const RunningTavro&) = delete;
  RunningTavro& operator=(const RunningTavro&) = delete;

  // The survey window; null when it did not show within ten seconds.
  HWND window() const { return window_; }
  // The exit code once the program has ended, waiting at most the time.
  std::optional<DWORD> exit_code_within(DWORD milliseconds) const;
  const tavro::testing::TempFolder& folder() const { return folder_; }

 private:
  tavro::testing::TempFolder folder_;
  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
};

// The record line the machine's own facts begin with: host name, address
// and memory, each followed by a comma.
std::string machine_fact_fields();

// The name of the record file the survey writes: the computer's DNS host
// name, as Windows gives it, and ".txt".
std::string record_file_name();

}  // namespace tavro::win32::testing
