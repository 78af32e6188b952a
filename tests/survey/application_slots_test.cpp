// Application detection on a real folder tree.
#include "survey/application_slots.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/application_slot.h"
#include "support/in_memory_window.h"
#include "support/temp_folder.h"

namespace tavro {
namespace {

namespace fs = std::filesystem;
using testing::detect_slot;
using testing::slot_settings;

class ApplicationSlots : public ::testing::Test {
 protected:
  ApplicationSlots() {
    tree_.write("apps/Setup.EXE", "x");
    tree_.write("apps/readme.txt", "x");
    tree_.write("apps/zeta.exe", "x");
    tree_.write("apps/alpha.exe", "x");
    tree_.write("apps/beta.exe", "x");
    fs::create_directory(tree_.path() / "apps/folder.exe");
  }

  testing::TempFolder tree_;
};

TEST_F(ApplicationSlots, SameNameInOtherLetterCaseWithItsLengthIsTicked) {
  const auto result = detect_slot(tree_.utf8("apps/Setup.EXE"), "setup.exe", "9");
  EXPECT_TRUE(result.ticked);
  EXPECT_EQ(result.expected, L"SETUP.EXE");
  EXPECT_EQ(result.found, L"SETUP.EXE");
}

TEST_F(ApplicationSlots, LengthKeyOffByOneNeverMatches) {
  const auto longer = detect_slot(tree_.utf8("apps/Setup.EXE"), "setup.exe", "10");
  EXPECT_FALSE(longer.ticked);
  EXPECT_EQ(longer.expected, std::wstring(L"SETUP.EXE\0", 10));
  EXPECT_FALSE(detect_slot(tree_.utf8("apps/Setup.EXE"), "setup.exe", "8").ticked);
}

TEST_F(ApplicationSlots, NothingFoundIsNeverTickedEvenWithLengthZero) {
  const auto result = detect_slot(tree_.utf8("apps/missing.exe"), "missing.exe", "0");
  EXPECT_EQ(result.expected, L"");
  EXPECT_EQ(result.found, L"");
  EXPECT_FALSE(result.ticked);
}

TEST_F(ApplicationSlots, LengthZeroWithAFileFoundIsNotTicked) {
  EXPECT_FALSE(detect_slot(tree_.utf8("apps/Setup.EXE"), "setup.exe", "0").ticked);
}

TEST_F(ApplicationSlots, FoldersAndMissingFoldersAreNotFound) {
  const auto folder = detect_slot(tree_.utf8("apps/folder.exe"), "folder.exe", "10");
  EXPECT_FALSE(folder.ticked);
  EXPECT_EQ(folder.found, L"");
  const auto missing = detect_slot(tree_.utf8("nowhere/x.exe"), "x.exe", "5");
  EXPECT_FALSE(missing.ticked);
  ASSERT_TRUE(missing.matches);
  EXPECT_TRUE(missing.matches->empty());
}

TEST_F(ApplicationSlots, EveryWildcardMatchIsComparedNotOnlyTheFirst) {
  const auto result = detect_slot(tree_.utf8("apps/*.exe"), "ZETA.EXE", "8");
  EXPECT_TRUE(result.ticked);
  EXPECT_EQ(result.found, L"ZETA.EXE");
  ASSERT_TRUE(result.matches);
  EXPECT_GE(result.matches->size(), 3u);  // the folder is never among them
  for (const std::wstring& name : *result.matches)
    EXPECT_NE(name, L"FOLDER.EXE");

  const auto none = detect_slot(tree_.utf8("apps/*.exe"), "other.exe", "9");
  EXPECT_FALSE(none.ticked);
  EXPECT_FALSE(none.found.empty());  // the first match is shown
  EXPECT_TRUE(detect_slot(tree_.utf8("apps/?eta.exe"), "zeta.exe", "8").ticked);
}

TEST_F(ApplicationSlots, RelativePathsAreSearchedFromTheCurrentFolder) {
  const fs::path before = fs::current_path();
  fs::current_path(tree_.path() / "apps");
  const bool relative = detect_slot("Setup.EXE", "setup.exe", "9").ticked;
  const bool relative_wildcard = detect_slot("*.EXE", "setup.exe", "9").ticked;
  // A missing Path1 searches "***": every file of the current folder, none called "***".
  const auto defaults = detect_application(read_application_slot(Profile::parse(L""), 1));
  fs::current_path(before);
  EXPECT_TRUE(relative);
  EXPECT_TRUE(relative_wildcard);
  EXPECT_EQ(defaults.expected, L"");
  ASSERT_TRUE(defaults.matches);
  EXPECT_EQ(defaults.matches->size(), 5u);
  EXPECT_FALSE(defaults.ticked);
}

TEST_F(ApplicationSlots, EnableFlagCaptionAndTickReachTheCheckBox) {
  const std::string setup = tree_.utf8("apps/Setup.EXE");
  struct Case {
    std::string enable;
    bool enabled_after;
  };
  for (const Case& c : {Case{"0", false}, Case{"1", true}, Case{"2", true}, Case{"-1", true}}) {
    testing::InMemoryWindow window;
    window.set_enabled(Control::Check1, true);
    set_up_application_slot(window, slot_settings(setup, "SETUP.exe", "9", c.enable, "AT&T"), 1);
    EXPECT_EQ(window[Control::Check1].enabled, c.enabled_after) << c.enable;
    // A disabled box is ticked in advance all the same.
    EXPECT_EQ(window[Control::Check1].value, CheckValue::kTicked) << c.enable;
    EXPECT_EQ(window[Control::Check1].caption, L"AT&T");
  }
}

TEST_F(ApplicationSlots, AnyOtherEnableValueLeavesTheBoxAsItWas) {
  testing::InMemoryWindow window;
  window[Control::Check1].enabled = false;
  set_up_application_slot(window, slot_settings(tree_.utf8("none"), "x", "1", "2"), 1);
  EXPECT_FALSE(window[Control::Check1].enabled);
  EXPECT_EQ(window.calls().front(), "set_caption Check1 App");
}

TEST_F(ApplicationSlots, SlotNumbersPickTheirOwnKeys) {
  const Profile settings = Profile::parse(
      L"[Application]\nName1=one\nName10=ten\nEnableA10=1\nString10=3\nFile10=abc\n");
  const ApplicationSlotSettings ten = read_application_slot(settings, 10);
  EXPECT_EQ(ten.name.value(), L"ten");
  EXPECT_EQ(ten.enable, 1u);
  EXPECT_EQ(ten.length, 3u);
  EXPECT_EQ(ten.path.value(), L"***");
}

}  // namespace
}  // namespace tavro
