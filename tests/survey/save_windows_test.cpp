#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "common/failure.h"
#include "platform/record_file.h"
#include "support/record_folder.h"
#include "survey/save.h"

namespace tavro {
namespace {

// Windows reads "/" as a separator too, and a share's name as a folder.
TEST(RecordFilePath, ForwardSlashesAndSharesAreFolders) {
  EXPECT_EQ(record_file_path(L"\\\\server\\inventory$", L"pc1"),
            L"\\\\server\\inventory$\\pc1.txt");
  EXPECT_EQ(record_file_path(L"C:/Inv/", L"pc1"), L"C:/Inv/pc1.txt");
  EXPECT_EQ(record_file_path(L"C:\\", L"pc1"), L"C:\\pc1.txt");
}

using ReplaceFileAtomically = testing::RecordFolder;

TEST_F(ReplaceFileAtomically, ARecordHeldOpenByAnotherProgramIsKeptAndNothingIsLeftBehind) {
  folder_.write("pc.txt", "old\r\n");
  // A reader that lets nobody delete or rename the file meanwhile.
  const HANDLE reader = CreateFileW(record_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_THROW(replace_file_atomically(record_, "new\r\n"), Failure);
  CloseHandle(reader);
  EXPECT_EQ(folder_.read("pc.txt"), "old\r\n");
  EXPECT_EQ(folder_.entries(), 1u);
}

// A pipe or device is written into, not replaced: a pipe's reader gets the bytes.
TEST_F(ReplaceFileAtomically, APipeOrDeviceIsWrittenIntoNotReplaced) {
  const std::wstring name = L"\\\\.\\pipe\\tavro-test-" + std::to_wstring(GetCurrentProcessId());
  const HANDLE pipe = CreateNamedPipeW(name.c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE, 1, 4096,
                                       4096, 0, nullptr);
  ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
  EXPECT_NO_THROW(replace_file_atomically(name, "x\r\n"));
  char got[8] = {};
  DWORD size = 0;
  EXPECT_TRUE(ReadFile(pipe, got, sizeof got, &size, nullptr));
  CloseHandle(pipe);
  EXPECT_EQ(std::string(got, size), "x\r\n");
  EXPECT_NO_THROW(replace_file_atomically(L"NUL", "x\r\n"));
}

}  // namespace
}  // namespace tavro
