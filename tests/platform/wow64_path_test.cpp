#include "platform/wow64_path.h"

#include <gtest/gtest.h>

#include "common/unicode.h"

namespace tavro {
namespace {

TEST(Wow64Path, TheSystemFolderAndOnlyItGoesThroughSysnative) {
  struct Case {
    const wchar_t* path;
    const wchar_t* seen;
  };
  constexpr Case kCases[] = {
      {L"C:\\Windows\\System32\\tool.exe", L"C:\\Windows\\Sysnative\\tool.exe"},
      {L"c:\\WINDOWS\\system32\\*.exe", L"C:\\Windows\\Sysnative\\*.exe"},
      {L"C:/Windows/System32/x.exe", L"C:\\Windows\\Sysnative/x.exe"},
      {L"C:\\Windows\\\\System32\\x.exe", L"C:\\Windows\\Sysnative\\x.exe"},
      {L"C:\\Windows\\System32\\drivers\\etc\\hosts",
       L"C:\\Windows\\Sysnative\\drivers\\etc\\hosts"},
      {L"\\\\?\\C:\\Windows\\System32\\x.exe", L"\\\\?\\C:\\Windows\\Sysnative\\x.exe"},
      // Not the redirected folder.
      {L"C:\\Windows\\System32x\\a.exe", L"C:\\Windows\\System32x\\a.exe"},
      {L"C:\\Windows\\SysWOW64\\a.exe", L"C:\\Windows\\SysWOW64\\a.exe"},
      {L"C:\\Windows\\a\\System32\\a.exe", L"C:\\Windows\\a\\System32\\a.exe"},
      {L"C:\\WindowsOld\\System32\\a.exe", L"C:\\WindowsOld\\System32\\a.exe"},
      {L"System32\\a.exe", L"System32\\a.exe"},
      {L"C:System32\\a.exe", L"C:System32\\a.exe"},
      {L"\\\\server\\share\\Windows\\System32\\a.exe",
       L"\\\\server\\share\\Windows\\System32\\a.exe"},
  };
  for (const wchar_t* folder : {L"C:\\Windows", L"C:\\Windows\\"}) {
    for (const Case& test : kCases) {
      EXPECT_EQ(path_seen_as_64_bit(test.path, folder), test.seen)
          << wide_to_utf8(test.path) << " with " << wide_to_utf8(folder);
    }
  }
}

}  // namespace
}  // namespace tavro
