// The directory search on POSIX: what counts as an ordinary file there.
#include "platform/file_search.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/file_tree.h"

namespace tavro {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::wstring>;

class FileSearchPosix : public testing::FileTree {
 protected:
  FileSearchPosix() {
    make({"apps/zeta.exe", "apps/Setup.EXE", "apps/.hidden.exe", "apps/folder.exe/"});
    fs::create_symlink(tree_.path() / "apps/zeta.exe", tree_.path() / "apps/link.exe");
    fs::create_directory_symlink(tree_.path() / "apps/folder.exe",
                                 tree_.path() / "apps/dirlink.exe");
  }
};

TEST_F(FileSearchPosix, RegularFilesAndLinksToThemWhoseNamesDoNotStartWithADot) {
  const std::pair<const char*, Names> cases[] = {
      {"apps/*", {L"Setup.EXE", L"link.exe", L"zeta.exe"}},
      {"apps/*.exe", {L"link.exe", L"zeta.exe"}},  // letter case as the file system has it
      {"apps/.hidden.exe", {}},
      {"apps/dirlink.exe", {}},
      {"apps/link.exe", {L"link.exe"}},
      {"apps/missing.exe", {}},
      {"nowhere/*.exe", {}},
  };
  for (const auto& [pattern, names] : cases)
    EXPECT_EQ(found(pattern), names) << pattern;
}

TEST_F(FileSearchPosix, ARejectedSearchFailsWithTheSystemsReasonAndTicksNothing) {
  fs::create_symlink("loop", tree_.path() / "loop");
  for (const char* pattern : {"loop/x.exe", "loop/*.exe"}) {
    const auto result = detect(pattern, "x.exe", "5");
    ASSERT_FALSE(result.matches) << pattern;
    EXPECT_FALSE(result.matches.failure().message().empty());
    EXPECT_FALSE(result.ticked);
  }
}

}  // namespace
}  // namespace tavro
