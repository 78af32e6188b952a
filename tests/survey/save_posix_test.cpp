#include <gtest/gtest.h>

#include "common/failure.h"
#include "support/temp_folder.h"
#include "survey/record_file.h"
#include "survey/save.h"

namespace tavro {
namespace {

TEST(RecordFilePath, SeparatorAddedOnlyWhenMissing) {
  EXPECT_EQ(record_file_path(L"", L"pc1"), L"/pc1.txt");  // the file-system root
  EXPECT_EQ(record_file_path(L"/srv/inv", L"pc1"), L"/srv/inv/pc1.txt");
  EXPECT_EQ(record_file_path(L"/srv/inv/", L"pc1"), L"/srv/inv/pc1.txt");
  EXPECT_EQ(record_file_path(L"inv", L"pc1"), L"inv/pc1.txt");
}

TEST(ReplaceFileAtomically, AMissingFolderFailsWithTheSystemsReason) {
  testing::TempFolder folder;
  try {
    replace_file_atomically(folder.wide("missing/pc.txt"), "x");
    FAIL() << "no failure";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.message(), L"No such file or directory");
  }
}

}  // namespace
}  // namespace tavro
