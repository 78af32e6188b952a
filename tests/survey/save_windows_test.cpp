#include <gtest/gtest.h>

#include <windows.h>

#include "common/failure.h"
#include "platform/record_file.h"
#include "support/temp_folder.h"
#include "survey/save.h"

namespace tavro {
namespace {

TEST(RecordFilePath, BackslashAddedOnlyWhenMissing) {
  EXPECT_EQ(record_file_path(L"", L"pc1"), L"\\pc1.txt");  // the root of the current drive
  EXPECT_EQ(record_file_path(L"C:\\Inv", L"pc1"), L"C:\\Inv\\pc1.txt");
  EXPECT_EQ(record_file_path(L"C:\\Inv\\", L"pc1"), L"C:\\Inv\\pc1.txt");
  EXPECT_EQ(record_file_path(L"\\\\server\\inventory$", L"pc1"),
            L"\\\\server\\inventory$\\pc1.txt");
  EXPECT_EQ(record_file_path(L"C:/Inv/", L"pc1"), L"C:/Inv/pc1.txt");
  EXPECT_EQ(record_file_path(L"inv", L"pc1"), L"inv\\pc1.txt");
}

TEST(ReplaceFileAtomically, ARecordHeldOpenByAnotherProgramIsKeptAndNothingIsLeftBehind) {
  testing::TempFolder folder;
  folder.write("pc.txt", "old\r\n");
  const std::wstring target = folder.wide("pc.txt");
  // A reader that lets nobody delete or rename the file meanwhile.
  const HANDLE reader = CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_THROW(replace_file_atomically(target, "new\r\n"), Failure);
  CloseHandle(reader);
  EXPECT_EQ(folder.read("pc.txt"), "old\r\n");
  EXPECT_EQ(folder.entries(), 1u);
}

}  // namespace
}  // namespace tavro
