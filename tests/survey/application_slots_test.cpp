// Application detection on a real folder tree.
#include "survey/application_slots.h"

#include <gtest/gtest.h>

#include <string>

#include "common/unicode.h"
#include "support/file_tree.h"
#include "support/in_memory_window.h"

namespace tavro {
namespace {

using testing::detect_slot;
using testing::slot_settings;

class ApplicationSlots : public testing::FileTree {
 protected:
  ApplicationSlots() {
    make({"apps/Setup.EXE", "apps/readme.txt", "apps/zeta.exe", "apps/alpha.exe", "apps/beta.exe",
          "apps/folder.exe/"});
  }
};

TEST_F(ApplicationSlots, TickedWhenAFoundNameEqualsFileCutToItsLength) {
  const struct {
    const char* path;
    const char* file;
    const char* length;
    bool ticked;
    const wchar_t* found;
    const char* why;
  } cases[] = {
      {"apps/Setup.EXE", "setup.exe", "9", true, L"SETUP.EXE",
       "any letter case, names upper-cased"},
      {"apps/Setup.EXE", "setup.exe", "10", false, L"SETUP.EXE",
       "a length past the name adds a NUL"},
      {"apps/Setup.EXE", "setup.exe", "8", false, L"SETUP.EXE", "a shorter length cuts the name"},
      {"apps/Setup.EXE", "setup.exe", "0", false, L"SETUP.EXE", "length 0 expects no name"},
      {"apps/missing.exe", "missing.exe", "0", false, L"", "nothing found is never ticked"},
      {"apps/folder.exe", "folder.exe", "10", false, L"", "a folder is not found"},
      {"nowhere/x.exe", "x.exe", "5", false, L"", "a missing folder finds nothing"},
      // Every match is compared, not only the first the file system gives.
      {"apps/*.exe", "ALPHA.EXE", "9", true, L"ALPHA.EXE", "a wildcard match"},
      {"apps/*.exe", "zeta.exe", "8", true, L"ZETA.EXE", "a wildcard match"},
      {"apps/?eta.exe", "zeta.exe", "8", true, L"ZETA.EXE", "the one-character wildcard"},
      {"apps/*.txt", "other.txt", "9", false, L"README.TXT", "no match shows the first found"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << c.path << " " << c.file << " " << c.length << ": " << c.why);
    const ApplicationDetection result = detect(c.path, c.file, c.length);
    EXPECT_EQ(result.ticked, c.ticked);
    EXPECT_EQ(result.found, c.found);
    EXPECT_TRUE(result.matches);  // none of these searches is rejected
  }
}

TEST_F(ApplicationSlots, RelativePathsAreSearchedFromTheCurrentFolder) {
  const testing::CurrentFolder apps(tree_.path() / "apps");
  EXPECT_TRUE(detect_slot("Setup.EXE", "setup.exe", "9").ticked);
  EXPECT_TRUE(detect_slot("*.EXE", "setup.exe", "9").ticked);
  // A missing Path1 searches "***": every file of the current folder, none called "***".
  const auto defaults = detect_application(read_application_slot(Profile::parse(L""), 1));
  EXPECT_EQ(defaults.expected, L"");
  ASSERT_TRUE(defaults.matches);
  EXPECT_EQ(defaults.matches->size(), 5u);
  EXPECT_FALSE(defaults.ticked);
}

TEST_F(ApplicationSlots, EnableFlagCaptionAndTickReachTheCheckBox) {
  const std::string setup = tree_.utf8("apps/Setup.EXE");
  const struct {
    const char* enable;
    bool enabled_before;
    bool enabled_after;
  } cases[] = {
      {"0", true, false}, {"1", false, true},   {"2", false, false},  // any other value: as it was
      {"2", true, true},  {"-1", false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "EnableA1=" << c.enable << ", enabled before " << c.enabled_before);
    testing::InMemoryWindow window;
    window[Control::Check1].enabled = c.enabled_before;
    const ApplicationSlotSettings read =
        read_application_slot(slot_settings(setup, "SETUP.exe", "9", c.enable, "AT&T"), 1);
    set_up_application_slot(window, read, 1, application_found(read));
    EXPECT_EQ(window[Control::Check1].enabled, c.enabled_after);
    // A disabled box is ticked in advance all the same.
    EXPECT_EQ(window[Control::Check1].value, CheckValue::kTicked);
    EXPECT_EQ(window[Control::Check1].caption, L"AT&T");
  }
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
