// The directory search on POSIX: what counts as an ordinary file there.
#include "platform/file_search.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/application_slot.h"
#include "support/temp_folder.h"

namespace tavro {
namespace {

namespace fs = std::filesystem;
using testing::detect_slot;

class ApplicationSlotsPosix : public ::testing::Test {
 protected:
  ApplicationSlotsPosix() {
    tree_.write("apps/zeta.exe", "x");
    tree_.write("apps/Setup.EXE", "x");
    tree_.write("apps/.hidden.exe", "x");
    fs::create_directory(tree_.path() / "apps/folder.exe");
  }

  testing::TempFolder tree_;
};

TEST_F(ApplicationSlotsPosix, NamesStartingWithADotAreHidden) {
  EXPECT_FALSE(detect_slot(tree_.utf8("apps/.hidden.exe"), ".hidden.exe", "11").ticked);
  const auto all = find_ordinary_files(tree_.wide("apps/*"));
  ASSERT_TRUE(all);
  EXPECT_EQ(all->size(), 2u);
}

TEST_F(ApplicationSlotsPosix, WildcardsMatchLetterCaseAsTheFileSystemDoes) {
  const auto matches = find_ordinary_files(tree_.wide("apps/*.exe"));
  ASSERT_TRUE(matches);
  EXPECT_EQ(*matches, std::vector<std::wstring>{L"zeta.exe"});
}

TEST_F(ApplicationSlotsPosix, LinksToFilesCountLinksToFoldersDoNot) {
  fs::create_symlink(tree_.path() / "apps/zeta.exe", tree_.path() / "apps/link.exe");
  fs::create_directory_symlink(tree_.path() / "apps/folder.exe", tree_.path() / "apps/dirlink.exe");
  EXPECT_TRUE(detect_slot(tree_.utf8("apps/link.exe"), "link.exe", "8").ticked);
  EXPECT_FALSE(detect_slot(tree_.utf8("apps/dirlink.exe"), "dirlink.exe", "11").ticked);
}

TEST_F(ApplicationSlotsPosix, ARejectedSearchCountsAsNothingFound) {
  fs::create_symlink("loop", tree_.path() / "loop");
  const auto result = detect_slot(tree_.utf8("loop/x.exe"), "x.exe", "5");
  ASSERT_FALSE(result.matches);
  EXPECT_FALSE(result.matches.failure().message().empty());  // the system's reason
  EXPECT_FALSE(result.ticked);
  EXPECT_FALSE(detect_slot(tree_.utf8("loop/*.exe"), "x.exe", "5").ticked);
}

}  // namespace
}  // namespace tavro
