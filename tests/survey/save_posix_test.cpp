#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

TEST_F(ReplaceFileAtomically, ALinkStaysALinkAndAPipeIsWrittenIntoNotReplaced) {
  folder_.write("real.txt", "old\r\n");
  std::filesystem::create_symlink("real.txt", folder_.path() / "pc.txt");
  replace_file_atomically(record_, "new\r\n");
  EXPECT_TRUE(std::filesystem::is_symlink(folder_.path() / "pc.txt"));
  EXPECT_EQ(folder_.read("real.txt"), "new\r\n");

  const std::string pipe = folder_.utf8("pipe");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  const int reader = open(pipe.c_str(), O_RDONLY | O_NONBLOCK);  // so that the write does not wait
  ASSERT_GE(reader, 0);
  replace_file_atomically(folder_.wide("pipe"), "through\r\n");
  char bytes[16] = {};
  EXPECT_GT(read(reader, bytes, sizeof bytes - 1), 0);
  close(reader);
  EXPECT_STREQ(bytes, "through\r\n");
  EXPECT_TRUE(std::filesystem::is_fifo(folder_.path() / "pipe"));
}

}  // namespace
}  // namespace tavro
