// Whole runs of the survey: from a settings file through OK to the bytes of
// the record, a failing save, a failing load, and Tavro.exe itself, closed
// every way another program can close it.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/win32/message_loop.h"
#include "app/win32/survey_program.h"
#include "common/failure.h"
#include "common/unicode.h"
#include "machine/host_identity.h"
#include "platform/executable_folder.h"
#include "platform/system_text.h"
#include "window_driver.h"

namespace tavro::win32 {
namespace {

namespace fs = std::filesystem;
using testing::press_key;
using testing::SurveyUnderTest;

// Types text into the focused control, character by character.
void type_text(SurveyWindow& window, std::wstring_view text) {
  for (const wchar_t c : text) {
    PostMessageW(GetFocus(), WM_CHAR, c, 1);
    testing::pump_messages(window);
  }
}

struct MessageBoxSeen {
  HWND owner;
  std::wstring text;
};

// The message boxes found by the timer while an action runs.
thread_local std::vector<MessageBoxSeen>* message_boxes_seen = nullptr;

BOOL CALLBACK collect_static_text(HWND child, LPARAM texts) {
  wchar_t class_name[32] = {};
  GetClassNameW(child, class_name, 32);
  if (lstrcmpiW(class_name, L"Static") == 0) {
    const int length = GetWindowTextLengthW(child);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(child, text.data(), length + 1)));
    auto& all = *reinterpret_cast<std::wstring*>(texts);
    if (!text.empty()) all += (all.empty() ? L"" : L"\n") + text;
  }
  return TRUE;
}

BOOL CALLBACK answer_if_message_box(HWND window, LPARAM /*unused*/) {
  wchar_t class_name[32] = {};
  GetClassNameW(window, class_name, 32);
  if (lstrcmpW(class_name, L"#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  MessageBoxSeen seen{GetWindow(window, GW_OWNER), L""};
  EnumChildWindows(window, collect_static_text, reinterpret_cast<LPARAM>(&seen.text));
  message_boxes_seen->push_back(seen);
  PostMessageW(window, WM_COMMAND, IDOK, 0);
  return TRUE;
}

void CALLBACK look_for_message_boxes(HWND /*timer_window*/, UINT /*message*/, UINT_PTR /*timer*/,
                                     DWORD /*time*/) {
  if (message_boxes_seen != nullptr) {
    EnumThreadWindows(GetCurrentThreadId(), answer_if_message_box, 0);
  }
}

// Runs the action; every message box it shows is read and answered with OK.
std::vector<MessageBoxSeen> answer_message_boxes(const std::function<void()>& action) {
  std::vector<MessageBoxSeen> seen;
  message_boxes_seen = &seen;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, look_for_message_boxes);
  action();
  KillTimer(nullptr, timer);
  message_boxes_seen = nullptr;
  return seen;
}

// The record line the machine's own facts begin with: host name, address
// and memory, each followed by a comma.
std::string machine_fact_fields() {
  MEMORYSTATUSEX memory{};
  memory.dwLength = sizeof memory;
  GlobalMemoryStatusEx(&memory);
  return encode_system_text(local_host_name()) + "," + encode_system_text(local_ip_address()) +
         "," + std::to_string(memory.ullTotalPhys) + ",";
}

// The name of the record file the survey writes: the computer's DNS host
// name, as Windows gives it, and ".txt".
std::string record_file_name() {
  wchar_t name[256] = {};
  DWORD length = 256;
  GetComputerNameExW(ComputerNameDnsHostname, name, &length);
  return wide_to_utf8(name) + ".txt";
}

constexpr char kSettings[] =
    "[Application]\r\n"
    "EnableA1=1\r\nName1=Editor\r\nPath1={tmp}\\apps\\*.exe\r\nFile1=EDIT.EXE\r\nString1=8\r\n"
    "EnableA2=1\r\nName2=Viewer\r\nPath2={tmp}\\apps\\view.exe\r\nFile2=view.exe\r\nString2=8\r\n"
    "EnableA3=0\r\nName3=Old tool\r\nPath3={tmp}\\apps\\old.exe\r\nFile3=old.exe\r\nString3=7\r\n"
    "[Status]\r\nEnableI1=1\r\nItem1=Room\r\nEnableI2=1\r\nItem2=User\r\n"
    "[Save]\r\nSavePath={tmp}\\records\r\nPathString=999\r\n";

class SurveyRun : public ::testing::Test {
 protected:
  SurveyRun() {
    survey_.folder().write("apps/readme.exe", "x");
    survey_.folder().write("apps/Edit.exe", "x");
    survey_.folder().write("apps/old.exe", "x");
  }
  std::string record() const { return survey_.folder().read("records/" + record_file_name()); }
  SurveyUnderTest survey_{kSettings};
};

TEST_F(SurveyRun, FromTheSettingsThroughOkToTheBytesOfTheRecord) {
  fs::create_directory(survey_.folder().path() / "records");
  survey_.load_and_show();
  EXPECT_EQ(survey_.window().value(Control::Check1), CheckValue::kTicked);  // found among *.exe
  EXPECT_EQ(survey_.window().value(Control::Check3), CheckValue::kTicked);  // disabled, found
  press_key(survey_.window(), VK_TAB);
  press_key(survey_.window(), VK_SPACE);  // Check2: installed, though not found
  press_key(survey_.window(), VK_TAB);    // Check3 is disabled: on to Text1
  type_text(survey_.window(), L"Room 4, east");
  press_key(survey_.window(), VK_TAB);
  type_text(survey_.window(), L"Zo\u00EB \"Z\"");
  press_key(survey_.window(), VK_TAB);
  ASSERT_EQ(GetFocus(), survey_.control(Control::CmdOk));
  press_key(survey_.window(), VK_RETURN);

  EXPECT_TRUE(survey_.window().closed());
  EXPECT_EQ(record(), machine_fact_fields() +
                          "\"Room 4, east\",\"Zo\xEB \"\"Z\"\"\",,,,"
                          "Installed,Installed,Installed,,,,,,,\r\n");
}

TEST_F(SurveyRun, AFailingSaveShowsWhyAndKeepsTheWindowWithTheAnswers) {
  survey_.load_and_show();  // the records folder does not exist yet
  press_key(survey_.window(), VK_TAB);
  press_key(survey_.window(), VK_TAB);
  type_text(survey_.window(), L"kept");
  SetFocus(survey_.control(Control::CmdOk));
  const auto boxes = answer_message_boxes([&] { press_key(survey_.window(), VK_RETURN); });
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].owner, survey_.window().handle());
  EXPECT_NE(boxes[0].text.find(survey_.folder().wide("records") + L"\\"), std::wstring::npos)
      << wide_to_utf8(boxes[0].text);
  EXPECT_FALSE(survey_.window().closed());
  EXPECT_EQ(survey_.window().text(Control::Text1), L"kept");
  // The window, unlike a dialog, keeps its focused control only by its own doing.
  EXPECT_EQ(GetFocus(), survey_.control(Control::CmdOk));

  // The folder appears; OK again saves and closes.
  fs::create_directory(survey_.folder().path() / "records");
  press_key(survey_.window(), VK_RETURN);
  EXPECT_TRUE(survey_.window().closed());
  EXPECT_NE(record().find(",kept,"), std::string::npos);
}

bool a_survey_window_is_visible() {
  const HWND survey = FindWindowW(L"TavroSurveyWindow", nullptr);
  return survey != nullptr && IsWindowVisible(survey) != FALSE;
}

TEST(SurveyProgram, AFailingLoadShowsAMessageAndEndsBeforeTheWindowShows) {
  SurveyServices services = SurveyServices::system();
  // Looked at as the load fails: by the message box the window is gone anyway.
  bool visible_during_load = true;
  services.memory_status = [&]() -> MemoryStatus {
    visible_during_load = a_survey_window_is_visible();
    throw Failure(L"No memory figures today");
  };
  int exit_code = 0;
  const auto boxes = answer_message_boxes(
      [&] { exit_code = run_survey_program(GetModuleHandleW(nullptr), SW_SHOWNORMAL, services); });
  EXPECT_EQ(exit_code, 1);
  EXPECT_FALSE(visible_during_load);
  EXPECT_FALSE(a_survey_window_is_visible());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].owner, nullptr);
  EXPECT_NE(boxes[0].text.find(L"No memory figures today"), std::wstring::npos);
}

// Tavro.exe as an admin deploys it: copied into a temporary folder beside
// the settings given, started, and its window found once it shows. A
// program still running at the end is ended.
class RunningTavro {
 public:
  explicit RunningTavro(const std::string& settings) {
    fs::copy_file(fs::path(executable_folder()) / "Tavro.exe", folder_.path() / "Tavro.exe");
    folder_.write("Tavro.ini", settings);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring command = L"\"" + folder_.wide("Tavro.exe") + L"\"";
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       folder_.wide().c_str(), &startup, &process_) == FALSE) {
      return;
    }
    for (int attempt = 0; attempt < 200 && window_ == nullptr; ++attempt) {
      WaitForInputIdle(process_.hProcess, 100);
      for (HWND candidate = FindWindowW(L"TavroSurveyWindow", nullptr); candidate != nullptr;
           candidate = FindWindowExW(nullptr, candidate, L"TavroSurveyWindow", nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(candidate, &owner);
        if (owner == process_.dwProcessId && IsWindowVisible(candidate)) window_ = candidate;
      }
      if (window_ == nullptr) Sleep(50);
    }
  }
  ~RunningTavro() {
    if (process_.hProcess == nullptr) return;
    if (!exit_code_within(0)) TerminateProcess(process_.hProcess, 99);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  RunningTavro(const RunningTavro&) = delete;
  RunningTavro& operator=(const RunningTavro&) = delete;

  // The survey window; null when it did not show within ten seconds.
  HWND window() const { return window_; }
  // The exit code once the program has ended, waiting at most the time.
  std::optional<DWORD> exit_code_within(DWORD milliseconds) const {
    if (process_.hProcess == nullptr ||
        WaitForSingleObject(process_.hProcess, milliseconds) != WAIT_OBJECT_0) {
      return std::nullopt;
    }
    DWORD exit_code = 0;
    GetExitCodeProcess(process_.hProcess, &exit_code);
    return exit_code;
  }

 private:
  tavro::testing::TempFolder folder_;
  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
};

std::string settings_saving_into(const tavro::testing::TempFolder& folder) {
  fs::create_directory(folder.path() / "records");
  return "[Status]\r\nEnableI1=1\r\nItem1=Room\r\n[Save]\r\nSavePath=" + folder.utf8("records") +
         "\r\nPathString=999\r\n";
}

// Tavro.exe beside its settings, and its OK button clicked from outside.
TEST(TavroExe, RunsBesideItsSettingsAndSavesOnOk) {
  tavro::testing::TempFolder records;
  RunningTavro tavro(settings_saving_into(records));
  ASSERT_NE(tavro.window(), nullptr) << "the survey window did not appear";
  wchar_t label[64] = {};
  GetWindowTextW(FindWindowExW(tavro.window(), nullptr, L"Static", nullptr), label, 64);
  EXPECT_STREQ(label, L"Room");  // the first label: the settings beside the program were read
  PostMessageW(FindWindowExW(tavro.window(), nullptr, L"Button", L"OK"), BM_CLICK, 0, 0);
  EXPECT_EQ(tavro.exit_code_within(20000), 0u);
  EXPECT_EQ(records.read("records/" + record_file_name()),
            machine_fact_fields() + ",,,,,,,,,,,,,,\r\n");
}

// Every way another program closes the window ends Tavro.exe at once, the
// sent messages too (handled inside GetMessage, which then waits for the
// quit message the window posts as it is destroyed).
TEST(TavroExe, EndsWithinASecondHoweverTheWindowIsClosed) {
  struct Way {
    const char* name;
    const wchar_t* button;  // the button the message is for; null: the window
    UINT message;
    WPARAM wparam;
    bool sent;
    bool saves;
  };
  constexpr Way kWays[] = {
      {"posted WM_CLOSE", nullptr, WM_CLOSE, 0, false, false},
      {"sent WM_CLOSE", nullptr, WM_CLOSE, 0, true, false},
      {"sent close box", nullptr, WM_SYSCOMMAND, SC_CLOSE, true, false},
      {"sent end of session", nullptr, WM_ENDSESSION, TRUE, true, false},
      {"posted click on Cancel", L"Cancel", BM_CLICK, 0, false, false},
      {"sent click on Cancel", L"Cancel", BM_CLICK, 0, true, false},
      {"sent click on OK", L"OK", BM_CLICK, 0, true, true},
  };
  for (const Way& way : kWays) {
    SCOPED_TRACE(way.name);
    tavro::testing::TempFolder records;
    RunningTavro tavro(settings_saving_into(records));
    ASSERT_NE(tavro.window(), nullptr);
    const HWND target = way.button == nullptr
                            ? tavro.window()
                            : FindWindowExW(tavro.window(), nullptr, L"Button", way.button);
    if (way.sent) {
      DWORD_PTR result = 0;
      SendMessageTimeoutW(target, way.message, way.wparam, 0, SMTO_ABORTIFHUNG, 5000, &result);
    } else {
      PostMessageW(target, way.message, way.wparam, 0);
    }
    EXPECT_EQ(tavro.exit_code_within(1000), 0u);
    EXPECT_EQ(fs::exists(records.path() / "records" / record_file_name()), way.saves);
  }
}

HWND destroyed_by_timer = nullptr;

void CALLBACK destroy_window(HWND /*timer_window*/, UINT /*message*/, UINT_PTR /*timer*/,
                             DWORD /*time*/) {
  if (IsWindow(destroyed_by_timer)) DestroyWindow(destroyed_by_timer);
}

void CALLBACK end_loop_that_did_not_end(HWND /*timer_window*/, UINT /*message*/, UINT_PTR /*timer*/,
                                        DWORD /*time*/) {
  PostQuitMessage(99);
}

// DestroyWindow, which only the window's own thread can call, ends the loop too.
TEST(SurveyProgram, TheLoopEndsWhenTheWindowIsDestroyed) {
  SurveyUnderTest survey;
  survey.load_and_show();
  destroyed_by_timer = survey.window().handle();
  const UINT_PTR destroy = SetTimer(nullptr, 0, 10, destroy_window);
  const UINT_PTR watchdog = SetTimer(nullptr, 0, 3000, end_loop_that_did_not_end);
  EXPECT_EQ(run_message_loop(survey.window()), 0);
  KillTimer(nullptr, destroy);
  KillTimer(nullptr, watchdog);
}

}  // namespace
}  // namespace tavro::win32
