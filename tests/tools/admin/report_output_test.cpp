#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <sstream>

#include "check.h"
#include "check_output.h"
#include "common/unicode.h"
#include "settings/settings_path.h"
#include "support/temp_folder.h"

namespace tavro::admin {
namespace {

// One slot with String1 one too long, one status item, a usable save folder.
CheckReport sample_report(const testing::TempFolder& folder) {
  const std::wstring save = folder.wide();
  return check_settings(
      Profile::parse(L"[Application]\nEnableA1=1\nName1=Tool\nPath1=" + folder.wide("tool.exe") +
                     L"\nFile1=tool.exe\nString1=9\n"
                     L"[Status]\nEnableI1=0\nItem1=Room\n"
                     L"[Save]\nSavePath=" +
                     save + L"\nPathString=" + std::to_wstring(save.size()) + L"\n"),
      L"Tavro.ini", L"pc1");
}

TEST(CheckJson, HasTheDocumentedShape) {
  testing::TempFolder folder;
  folder.write("tool.exe", "x");
  const CheckReport report = sample_report(folder);
  const nlohmann::json json = nlohmann::json::parse(check_report_json(report));

  // Pairs of a JSON pointer and the value found there.
  std::istringstream cases(
      R"(/settings_file "Tavro.ini" /file_read true /exit_status 1 /counts/warnings 1
      /counts/errors 0 /slots/0/slot 1 /slots/0/configured true /slots/0/keys/4/key "String1"
      /slots/0/keys/4/line 6 /slots/0/keys/4/written "9" /slots/0/keys/4/read "9"
      /slots/0/window/caption "Tool" /slots/0/window/enabled true /slots/0/window/ticked false
      /slots/0/detection/found "TOOL.EXE" /slots/0/detection/matches 1
      /slots/1/keys/0/line null /slots/1/keys/0/written null /slots/1/keys/0/read "0"
      /items/0/window/greyed true /save/usable true /save/host_name "pc1"
      /findings/0/severity "warning" /findings/0/code "length-mismatch" /findings/0/scope "slot"
      /findings/0/number 1 /findings/0/line 6)");
  for (std::string pointer, value; cases >> pointer >> value;)
    EXPECT_EQ(json.at(nlohmann::json::json_pointer(pointer)), nlohmann::json::parse(value))
        << pointer;
  EXPECT_EQ(json["slots"][0]["detection"]["expected"], std::string("TOOL.EXE\0", 9));
  EXPECT_EQ(json["slots"].size(), 10u);
  EXPECT_EQ(json["items"].size(), 5u);
  EXPECT_EQ(json["slots"][0]["keys"].size(), 5u);
  EXPECT_EQ(json["findings"].size(), 1u);
  EXPECT_TRUE(json["findings"][0]["message"].is_string());
}

TEST(CheckJson, AMissingFileHasNoSlotsAndOneError) {
  testing::TempFolder folder;
  const nlohmann::json json =
      nlohmann::json::parse(check_report_json(check_settings_file(folder.wide("none.ini"))));
  EXPECT_EQ(json["file_read"], false);
  EXPECT_EQ(json["exit_status"], 2);
  EXPECT_TRUE(json["slots"].empty());
  EXPECT_TRUE(json["save"].is_null());
  EXPECT_EQ(json["findings"][0]["code"], "missing-file");
  EXPECT_TRUE(json["findings"][0]["number"].is_null());
}

TEST(CheckText, ShowsEachSlotWithItsFindingsAndTheCount) {
  testing::TempFolder folder;
  folder.write("tool.exe", "x");
  const std::string text = wide_to_utf8(check_report_text(sample_report(folder)));
  EXPECT_NE(text.find("Slot 1  \"Tool\"  enabled, not ticked\n"), std::string::npos) << text;
  EXPECT_NE(text.find("String1=9"), std::string::npos);
  EXPECT_NE(text.find("expected \"TOOL.EXE\\0\", found \"TOOL.EXE\""), std::string::npos);
  EXPECT_NE(text.find("warning (line 6): String1 is 9 but File1"), std::string::npos);
  EXPECT_NE(text.find("Item 1  \"Room\"  disabled, greyed"), std::string::npos);
  // Slots and items the file leaves out get one line, as the survey sets them up.
  EXPECT_NE(text.find("  Slot 2  not in the file: disabled, not ticked, \"***\"\n"),
            std::string::npos);
  EXPECT_NE(text.find("  Item 5  not in the file: disabled, greyed, \"***\"\n"), std::string::npos);
  EXPECT_NE(text.find("this PC's record: \"" +
                      wide_to_utf8(with_trailing_separator(folder.wide())) + "pc1.txt\""),
            std::string::npos);
  EXPECT_NE(text.find("0 errors, 1 warning.\n"), std::string::npos);
}

}  // namespace
}  // namespace tavro::admin
