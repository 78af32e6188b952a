#include <gtest/gtest.h>

#include <cerrno>

#include <sys/stat.h>

#include "common/failure.h"
#include "platform/record_file.h"
#include "platform/system_error.h"
#include "support/temp_folder.h"
#include "survey/save.h"

namespace tavro {
namespace {

TEST(RecordFilePath, SeparatorAddedOnlyWhenMissing) {
  EXPECT_EQ(record_file_path(L"", L"pc1"), L"/pc1.txt");  // the file-system root
  EXPECT_EQ(record_file_path(L"/srv/inv", L"pc1"), L"/srv/inv/pc1.txt");
  EXPECT_EQ(record_file_path(L"/srv/inv/", L"pc1"), L"/srv/inv/pc1.txt");
  EXPECT_EQ(record_file_path(L"inv", L"pc1"), L"inv/pc1.txt");
}

TEST(SystemErrorText, IsTheCLibrarysTextForTheNumber) {
  EXPECT_EQ(system_error_text(ENOENT), L"No such file or directory");
}

TEST(ReplaceFileAtomically, ARecordGetsTheUsualPermissionsNotTheTemporaryFilesPrivateOnes) {
  testing::TempFolder folder;
  replace_file_atomically(folder.wide("pc.txt"), "x\r\n");
  const mode_t mask = umask(0);
  umask(mask);
  struct stat info {};
  ASSERT_EQ(stat(folder.utf8("pc.txt").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777u, 0666u & ~mask);
}

}  // namespace
}  // namespace tavro
