// Text services on Windows: the ANSI code page (1252 in the test
// environment) and the invariant case mapping.
#include "platform/system_text.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

namespace tavro {
namespace {

class AnsiCodePage : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(GetACP(), 1252u) << "the tests expect Western European text"; }
};

TEST_F(AnsiCodePage, EncodesEachCharacterInOneByteAndWhatItLacksAsQuestionMarks) {
  EXPECT_EQ(encode_system_text(L"Caf\u00E9 \u20AC5"),
            "Caf\xE9 \x80"
            "5");
  EXPECT_EQ(encode_system_text(L"\u4E2D\u0416x"), "??x");
  // A NUL stays a NUL: captions never hold one, but the conversion must not stop there.
  EXPECT_EQ(encode_system_text(std::wstring(L"a\0b", 3)), std::string("a\0b", 3));
}

TEST_F(AnsiCodePage, DecodesEveryByte) {
  EXPECT_EQ(decode_system_text("Caf\xE9 \x80"), L"Caf\u00E9 \u20AC");
  std::string all_bytes;
  for (int byte = 1; byte < 256; ++byte)
    all_bytes.push_back(static_cast<char>(byte));
  EXPECT_EQ(decode_system_text(all_bytes).size(), 255u);  // one character per byte
  EXPECT_EQ(encode_system_text(decode_system_text("\xC0\xFF\x9F")), "\xC0\xFF\x9F");
}

// A run under another code page names it in TAVRO_ANSI_CODE_PAGE: its
// tests would pass under 1252 as well and show nothing.
TEST(AnsiCodePageOfTheRun, IsTheOneAskedFor) {
  const char* asked = std::getenv("TAVRO_ANSI_CODE_PAGE");
  EXPECT_EQ(GetACP(), asked != nullptr ? std::stoul(asked) : 1252u);
}

TEST(UpperCase, OneForOneTheSameUnderATurkishLocaleAndNulsKept) {
  const LCID before = GetThreadLocale();
  SetThreadLocale(MAKELCID(MAKELANGID(LANG_TURKISH, SUBLANG_TURKISH_TURKEY), SORT_DEFAULT));
  const std::wstring install = to_upper_invariant(L"install.exe");
  SetThreadLocale(before);
  EXPECT_EQ(install, L"INSTALL.EXE");
  EXPECT_EQ(to_upper_invariant(L"stra\u00DFe \u00E9t\u00E9"), L"STRA\u00DFE \u00C9T\u00C9");
  // The file field is upper-cased whole, NUL padding included.
  EXPECT_EQ(to_upper_invariant(std::wstring(L"ab\0\0", 4)), std::wstring(L"AB\0\0", 4));
  EXPECT_EQ(to_upper_invariant(L""), L"");
}

}  // namespace
}  // namespace tavro
