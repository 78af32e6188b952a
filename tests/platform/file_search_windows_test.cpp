// The directory search on Windows: the attribute filter, letter case and
// the searches the file system rejects.
#include "platform/file_search.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>

#include "support/temp_folder.h"

namespace tavro {
namespace {

namespace fs = std::filesystem;

class FileSearchWindows : public ::testing::Test {
 protected:
  FileSearchWindows() {
    tree_.write("apps/Normal.exe", "x");
    tree_.write("apps/readonly.exe", "x");
    tree_.write("apps/hidden.exe", "x");
    tree_.write("apps/system.exe", "x");
    tree_.write("apps/notes.txt", "x");
    fs::create_directory(tree_.path() / "apps/folder.exe");
    set_attributes("apps/readonly.exe", FILE_ATTRIBUTE_READONLY);
    set_attributes("apps/hidden.exe", FILE_ATTRIBUTE_HIDDEN);
    set_attributes("apps/system.exe", FILE_ATTRIBUTE_SYSTEM);
  }
  ~FileSearchWindows() override {
    for (const char* name : {"apps/readonly.exe", "apps/hidden.exe", "apps/system.exe"})
      set_attributes(name, FILE_ATTRIBUTE_NORMAL);
  }

  void set_attributes(const char* relative, DWORD attributes) const {
    ASSERT_TRUE(SetFileAttributesW(tree_.wide(relative).c_str(), attributes));
  }

  std::vector<std::wstring> sorted_matches(const char* relative_pattern) const {
    const auto found = find_ordinary_files(tree_.wide(relative_pattern));
    EXPECT_TRUE(found);
    std::vector<std::wstring> names = found ? *found : std::vector<std::wstring>{};
    std::sort(names.begin(), names.end());
    return names;
  }

  testing::TempFolder tree_;
};

TEST_F(FileSearchWindows, OrdinaryFilesOnlyNoFoldersHiddenOrSystemFiles) {
  const std::vector<std::wstring> expected = {L"Normal.exe", L"readonly.exe"};
  EXPECT_EQ(sorted_matches("apps/*.exe"), expected);
  EXPECT_TRUE(sorted_matches("apps/hidden.exe").empty());
  EXPECT_TRUE(sorted_matches("apps/system.exe").empty());
  EXPECT_TRUE(sorted_matches("apps/folder.exe").empty());
}

TEST_F(FileSearchWindows, NamesMatchInAnyLetterCaseAndKeepTheirOwn) {
  EXPECT_EQ(sorted_matches("apps/NORMAL.EXE"), std::vector<std::wstring>{L"Normal.exe"});
  EXPECT_EQ(sorted_matches("APPS/n?rmal.*"), std::vector<std::wstring>{L"Normal.exe"});
}

TEST_F(FileSearchWindows, MissingFilesAndFoldersAreNothingFound) {
  EXPECT_TRUE(sorted_matches("apps/missing.exe").empty());
  EXPECT_TRUE(sorted_matches("nowhere/*.exe").empty());
  EXPECT_TRUE(find_ordinary_files(L"")->empty());
}

TEST_F(FileSearchWindows, AWildcardBeforeTheLastPartIsRejected) {
  EXPECT_FALSE(find_ordinary_files(tree_.wide("ap*/Normal.exe")));
}

TEST_F(FileSearchWindows, RelativePatternsAndTheDefaultSearchTheCurrentFolder) {
  const fs::path before = fs::current_path();
  fs::current_path(tree_.path() / "apps");
  const auto relative = find_ordinary_files(L"normal.exe");
  const auto stars = find_ordinary_files(L"***");
  fs::current_path(before);
  ASSERT_TRUE(relative);
  EXPECT_EQ(*relative, std::vector<std::wstring>{L"Normal.exe"});
  ASSERT_TRUE(stars);
  EXPECT_EQ(stars->size(), 3u);  // Normal.exe, readonly.exe, notes.txt
}

}  // namespace
}  // namespace tavro
