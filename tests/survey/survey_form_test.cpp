// The three handlers end to end, against an in-memory window.
#include "survey/survey_form.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "common/failure.h"
#include "common/unicode.h"
#include "platform/system_error.h"
#include "platform/system_text.h"
#include "support/fixed_services.h"
#include "support/in_memory_window.h"
#include "support/platform_errors.h"
#include "support/temp_folder.h"

namespace tavro {
namespace {

namespace fs = std::filesystem;

class SurveyFormTest : public ::testing::Test {
 protected:
  SurveyServices services() {
    SurveyServices services = testing::fixed_services(folder_.wide("Tavro.ini"));
    services.host_name = [this] { return host_name_; };
    return services;
  }

  void write_settings(const std::string& text) { folder_.write("Tavro.ini", text); }

  // The form on window_, loaded.
  SurveyForm& load() {
    form_.emplace(window_, services());
    form_->Form_Load();
    return *form_;
  }

  // Settings that save to the folder "inbox", made beforehand.
  std::string save_to_new_inbox() {
    std::string inbox = folder_.utf8("inbox");
    fs::create_directory(inbox);
    write_settings(save_section(inbox));
    return inbox;
  }

  static std::string save_section(const std::string& folder) {
    return "[Save]\r\nSavePath=" + folder + "\r\nPathString=" + std::to_string(folder.size()) +
           "\r\n";
  }

  testing::TempFolder folder_;
  testing::InMemoryWindow window_;
  std::wstring host_name_ = L"PC-042";
  std::optional<SurveyForm> form_;
};

TEST_F(SurveyFormTest, WithoutASettingsFileEverythingIsDisabledAndCaptionedStars) {
  load();
  for (int slot = 1; slot <= kApplicationSlots; ++slot) {
    EXPECT_FALSE(window_[check_box(slot)].enabled);
    EXPECT_EQ(window_[check_box(slot)].caption, L"***");
    EXPECT_EQ(window_[check_box(slot)].value, CheckValue::kUnticked);
  }
  for (int item = 1; item <= kStatusItems; ++item) {
    EXPECT_FALSE(window_[status_text(item)].enabled);
    EXPECT_EQ(window_[status_text(item)].back_color, kButtonFaceColor);
    EXPECT_EQ(window_[status_label(item)].caption, L"***");
  }
  EXPECT_EQ(window_[Control::TxtHN].text, L"PC-042");
  EXPECT_EQ(window_[Control::TxtIP].text, L"10.0.0.42");
  EXPECT_EQ(window_[Control::TxtMEM].text, L"17179869184");
  for (const Control fact : {Control::TxtHN, Control::TxtIP, Control::TxtMEM}) {
    EXPECT_FALSE(window_[fact].enabled);
  }
}

TEST_F(SurveyFormTest, TheLoadSequenceRunsInItsFixedOrder) {
  write_settings("[Application]\nEnableA1=1\nName1=Editor\n[Status]\nEnableI1=1\nItem1=Room\n");
  load();
  const auto& calls = window_.calls();
  // Ten slots of two calls (no file is found, so nothing is ticked), one enabled
  // status item of two and four disabled ones of three, then six for the facts.
  ASSERT_EQ(calls.size(), 20u + 2u + 12u + 6u);
  EXPECT_EQ(calls[0], "set_enabled Check1 1");
  EXPECT_EQ(calls[1], "set_caption Check1 Editor");
  EXPECT_EQ(calls[2], "set_enabled Check2 0");
  EXPECT_EQ(calls[19], "set_caption Check10 ***");
  EXPECT_EQ(calls[20], "set_enabled Text1 1");
  EXPECT_EQ(calls[21], "set_caption Label1 Room");
  EXPECT_EQ(calls[22], "set_enabled Text2 0");
  EXPECT_EQ(calls[23], "set_back_color Text2 2147483663");
  EXPECT_EQ(calls[24], "set_caption Label2 ***");
  const std::vector<std::string> tail(calls.end() - 6, calls.end());
  const std::vector<std::string> expected = {
      "set_enabled TxtHN 0",   "set_enabled TxtIP 0",      "set_enabled TxtMEM 0",
      "set_text TxtHN PC-042", "set_text TxtIP 10.0.0.42", "set_text TxtMEM 17179869184"};
  EXPECT_EQ(tail, expected);
}

TEST_F(SurveyFormTest, AUtf8FileShowsAndDetectsEveryCharacterWhateverTheCodePage) {
  // Polish, Russian and Japanese, none of them whole in a Western code page;
  // slot 4 looks for "ab.exe", which "??.exe" (a "?" for each character) would find.
  struct Slot {
    std::wstring caption, file, on_disk;
  };
  const Slot slots[] = {{L"Łódź Zażółć", L"Łódź.exe", L"Łódź.exe"},
                        {L"Москва", L"москва.EXE", L"Москва.exe"},
                        {L"日本 Zoë", L"日本.exe", L"日本.exe"},
                        {L"Missing", L"ab.exe", L"中文.exe"}};
  const std::wstring apps = folder_.wide("apps") + path_separator();
  std::wstring settings = L"[Application]\r\n";
  const auto add = [&](std::wstring_view key, int slot, const std::wstring& value) {
    settings += std::wstring(key) + std::to_wstring(slot) + L"=" + value + L"\r\n";
  };
  for (int i = 0; i < 4; ++i) {
    const Slot& slot = slots[i];
    add(L"EnableA", i + 1, L"1");
    add(L"Name", i + 1, slot.caption);
    add(L"Path", i + 1, apps + slot.on_disk);
    add(L"File", i + 1, slot.file);
    add(L"String", i + 1, std::to_wstring(slot.file.size()));
    // Named from wide text: narrow paths mean the code page on Windows.
    const std::wstring name = i < 3 ? slot.on_disk : slot.file;
    fs::rename(folder_.write("apps/new", "x"), folder_.path() / "apps" / to_native_path(name));
  }
  write_settings("\xEF\xBB\xBF" + wide_to_utf8(settings));
  load();
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(window_[check_box(i + 1)].caption, slots[i].caption);
    EXPECT_EQ(window_[check_box(i + 1)].value, i < 3 ? CheckValue::kTicked : CheckValue::kUnticked);
  }
}

TEST_F(SurveyFormTest, StartingTwiceGivesTheSameWindow) {
  write_settings("[Application]\nEnableA3=1\nName3=Mail\n[Status]\nEnableI2=1\nItem2=Desk\n");
  SurveyForm first(window_, services());
  first.Form_Load();
  testing::InMemoryWindow again;
  SurveyForm second(again, services());
  second.Form_Load();
  EXPECT_EQ(window_.calls(), again.calls());
}

TEST_F(SurveyFormTest, AFailingLoadStepReachesTheCaller) {
  SurveyServices failing = services();
  failing.memory_status = []() -> MemoryStatus { throw Failure(L"no memory figures"); };
  SurveyForm form(window_, failing);
  EXPECT_THROW(form.Form_Load(), Failure);
}

TEST_F(SurveyFormTest, OkWritesTheRecordFromTheControlsAndCloses) {
  folder_.write("apps/edit.exe", "x");
  const std::string inbox = folder_.utf8("inbox");
  fs::create_directory(inbox);
  write_settings("[Application]\r\nEnableA1=0\r\nPath1=" + folder_.utf8("apps/edit.exe") +
                 "\r\nFile1=EDIT.EXE\r\nString1=8\r\n" + save_section(inbox));
  SurveyForm& form = load();
  EXPECT_EQ(window_[Control::Check1].value, CheckValue::kTicked);  // disabled, ticked
  window_[Control::Check10].value = CheckValue::kTicked;
  window_[Control::Text1].text = L"Room 4, east";
  window_[Control::Text5].text = L"caf\u00E9";

  form.CmdOk_Click();
  EXPECT_TRUE(window_.closed());
  EXPECT_TRUE(window_.messages().empty());
  EXPECT_EQ(folder_.read("inbox/PC-042.txt"), "PC-042,10.0.0.42,17179869184,\"Room 4, east\",,,," +
                                                  encode_system_text(L"caf\u00E9") +
                                                  ",Installed,,,,,,,,,Installed\r\n");
}

TEST_F(SurveyFormTest, ASecondSaveReplacesTheFirst) {
  const std::string inbox = folder_.utf8("inbox") + wide_to_utf8(std::wstring(1, path_separator()));
  fs::create_directory(inbox);
  write_settings(save_section(inbox));  // a trailing separator gets no second one
  for (const wchar_t* answer : {L"first", L"second"}) {
    testing::InMemoryWindow window;
    SurveyForm form(window, services());
    form.Form_Load();
    window[Control::Text1].text = answer;
    form.CmdOk_Click();
  }
  EXPECT_EQ(folder_.read("inbox/PC-042.txt"),
            "PC-042,10.0.0.42,17179869184,second,,,,,,,,,,,,,,\r\n");
}

TEST_F(SurveyFormTest, ARelativeSaveFolderIsTakenFromTheCurrentFolder) {
  fs::create_directories(folder_.path() / "work/out");
  write_settings(save_section("out"));
  {
    const testing::CurrentFolder work(folder_.path() / "work");
    load().CmdOk_Click();
  }
  EXPECT_TRUE(fs::exists(folder_.path() / "work/out/PC-042.txt"));
}

TEST_F(SurveyFormTest, AFailedSaveKeepsTheWindowTheAnswersAndTheOldRecord) {
  const std::string inbox = folder_.utf8("inbox");
  write_settings(save_section(inbox));  // the folder does not exist yet
  SurveyForm& form = load();
  window_[Control::Text2].text = L"typed answer";
  form.CmdOk_Click();
  EXPECT_FALSE(window_.closed());
  ASSERT_EQ(window_.messages().size(), 1u);
  const std::wstring& message = window_.messages()[0];
  EXPECT_NE(message.find(L"\"" + folder_.wide("inbox/PC-042.txt") + L"\""), std::wstring::npos)
      << wide_to_utf8(message);
  EXPECT_NE(message.find(system_error_text(testing::kNoSuchFolderError)), std::wstring::npos)
      << wide_to_utf8(message);
  EXPECT_EQ(window_[Control::Text2].text, L"typed answer");

  // The admin fixes the folder; the next OK reads the Save section again.
  fs::create_directory(inbox);
  form.CmdOk_Click();
  EXPECT_TRUE(window_.closed());
  EXPECT_EQ(folder_.read("inbox/PC-042.txt"),
            "PC-042,10.0.0.42,17179869184,,typed answer,,,,,,,,,,,,,\r\n");
}

TEST_F(SurveyFormTest, TheSaveAsksForTheHostNameAgainAndMakesItSafe) {
  save_to_new_inbox();
  SurveyForm& form = load();
  host_name_ = L"../renamed";
  form.CmdOk_Click();
  EXPECT_EQ(folder_.read("inbox/.._renamed.txt"),
            "PC-042,10.0.0.42,17179869184,,,,,,,,,,,,,,,\r\n");
}

TEST_F(SurveyFormTest, CancelWritesNothing) {
  const std::string inbox = save_to_new_inbox();
  load().CmdCancel_Click();
  EXPECT_TRUE(window_.closed());
  EXPECT_TRUE(fs::is_empty(inbox));
}

}  // namespace
}  // namespace tavro
