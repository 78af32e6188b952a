#include <gtest/gtest.h>

#include <cerrno>

#include <sys/stat.h>

#include "platform/record_file.h"
#include "platform/system_error.h"
#include "support/record_folder.h"

namespace tavro {
namespace {

TEST(SystemErrorText, IsTheCLibrarysTextForTheNumber) {
  EXPECT_EQ(system_error_text(ENOENT), L"No such file or directory");
}

using ReplaceFileAtomically = testing::RecordFolder;

TEST_F(ReplaceFileAtomically, ARecordGetsTheUsualPermissionsNotTheTemporaryFilesPrivateOnes) {
  replace_file_atomically(record_, "x\r\n");
  const mode_t mask = umask(0);
  umask(mask);
  struct stat info {};
  ASSERT_EQ(stat(folder_.utf8("pc.txt").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777u, 0666u & ~mask);
}

}  // namespace
}  // namespace tavro
