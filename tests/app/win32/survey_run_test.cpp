// Whole runs of the survey: from a settings file through OK to the bytes of
// the record, a failing save, a failing load, and Tavro.exe itself, closed
// every way another program can close it.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>

#include "app/win32/message_loop.h"
#include "app/win32/survey_program.h"
#include "common/failure.h"
#include "common/unicode.h"
#include "platform/executable_folder.h"
#include "window_driver.h"

namespace tavro::win32 {
namespace {

namespace fs = std::filesystem;
using testing::press_key;
using testing::SurveyUnderTest;

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
  std::string record() const {
    return survey_.folder().read("records/" + testing::record_file_name());
  }
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
  testing::type_text(survey_.window(), L"Room 4, east");
  press_key(survey_.window(), VK_TAB);
  testing::type_text(survey_.window(), L"Zo\u00EB \"Z\"");
  press_key(survey_.window(), VK_TAB);
  ASSERT_EQ(GetFocus(), survey_.control(Control::CmdOk));
  press_key(survey_.window(), VK_RETURN);

  EXPECT_TRUE(survey_.window().closed());
  EXPECT_EQ(record(), testing::machine_fact_fields() +
                          "\"Room 4, east\",\"Zo\xEB \"\"Z\"\"\",,,,"
                          "Installed,Installed,Installed,,,,,,,\r\n");
}

TEST_F(SurveyRun, AFailingSaveShowsWhyAndKeepsTheWindowWithTheAnswers) {
  survey_.load_and_show();  // the records folder does not exist yet
  press_key(survey_.window(), VK_TAB);
  press_key(survey_.window(), VK_TAB);
  testing::type_text(survey_.window(), L"kept");
  SetFocus(survey_.control(Control::CmdOk));
  const auto boxes = testing::answer_message_boxes([&] { press_key(survey_.window(), VK_RETURN); });
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
  const auto boxes = testing::answer_message_boxes(
      [&] { exit_code = run_survey_program(GetModuleHandleW(nullptr), SW_SHOWNORMAL, services); });
  EXPECT_EQ(exit_code, 1);
  EXPECT_FALSE(visible_during_load);
  EXPECT_FALSE(a_survey_window_is_visible());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].owner, nullptr);
  EXPECT_NE(boxes[0].text.find(L"No memory figures today"), std::wstring::npos);
}

std::string settings_saving_into(const tavro::testing::TempFolder& folder) {
  fs::create_directory(folder.path() / "records");
  return "[Status]\r\nEnableI1=1\r\nItem1=Room\r\n[Save]\r\nSavePath=" + folder.utf8("records") +
         "\r\nPathString=999\r\n";
}

// Tavro.exe beside its settings, and its OK button clicked from outside.
TEST(TavroExe, RunsBesideItsSettingsAndSavesOnOk) {
  tavro::testing::TempFolder records;
  testing::RunningTavro tavro(settings_saving_into(records));
  ASSERT_NE(tavro.window(), nullptr) << "the survey window did not appear";
  wchar_t label[64] = {};
  GetWindowTextW(FindWindowExW(tavro.window(), nullptr, L"Static", nullptr), label, 64);
  EXPECT_STREQ(label, L"Room");  // the first label: the settings beside the program were read
  PostMessageW(FindWindowExW(tavro.window(), nullptr, L"Button", L"OK"), BM_CLICK, 0, 0);
  EXPECT_EQ(tavro.exit_code_within(20000), 0u);
  EXPECT_EQ(records.read("records/" + testing::record_file_name()),
            testing::machine_fact_fields() + ",,,,,,,,,,,,,,\r\n");
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
    testing::RunningTavro tavro(settings_saving_into(records));
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
    EXPECT_EQ(fs::exists(records.path() / "records" / testing::record_file_name()), way.saves);
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
