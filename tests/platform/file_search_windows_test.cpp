// The directory search on Windows: the attribute filter, letter case and
// the searches the file system rejects.
#include "platform/file_search.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "support/file_tree.h"

namespace tavro {
namespace {

using Names = std::vector<std::wstring>;

class FileSearchWindows : public testing::FileTree {
 protected:
  FileSearchWindows() {
    make({"apps/Normal.exe", "apps/readonly.exe", "apps/hidden.exe", "apps/system.exe",
          "apps/notes.txt", "apps/folder.exe/"});
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
};

TEST_F(FileSearchWindows, OrdinaryFilesInAnyLetterCaseKeepingTheirOwn) {
  const std::pair<const char*, Names> cases[] = {
      {"apps/*.exe", {L"Normal.exe", L"readonly.exe"}},  // no folders, hidden or system files
      {"apps/hidden.exe", {}},
      {"apps/system.exe", {}},
      {"apps/folder.exe", {}},
      {"apps/NORMAL.EXE", {L"Normal.exe"}},
      {"APPS/n?rmal.*", {L"Normal.exe"}},
      {"apps/missing.exe", {}},
      {"nowhere/*.exe", {}},
  };
  for (const auto& [pattern, names] : cases)
    EXPECT_EQ(found(pattern), names) << pattern;
  EXPECT_TRUE(find_ordinary_files(L"")->empty());
}

TEST_F(FileSearchWindows, AWildcardBeforeTheLastPartIsRejected) {
  EXPECT_FALSE(find_ordinary_files(tree_.wide("ap*/Normal.exe")));
}

TEST_F(FileSearchWindows, RelativePatternsAndTheDefaultSearchTheCurrentFolder) {
  const testing::CurrentFolder apps(tree_.path() / "apps");
  const auto relative = find_ordinary_files(L"normal.exe");
  ASSERT_TRUE(relative);
  EXPECT_EQ(*relative, Names{L"Normal.exe"});
  const auto stars = find_ordinary_files(L"***");
  ASSERT_TRUE(stars);
  EXPECT_EQ(stars->size(), 3u);  // Normal.exe, readonly.exe, notes.txt
}

}  // namespace
}  // namespace tavro
