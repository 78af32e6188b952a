#include "settings/unicode.h"

#include <gtest/gtest.h>

#include "settings/system_text.h"

namespace tavro {
namespace {

TEST(Utf8, RoundTripsEveryPlane) {
  const std::wstring text = L"a\u00E9\u20AC\U0001F600z";
  EXPECT_EQ(utf8_to_wide(wide_to_utf8(text)), text);
  EXPECT_EQ(wide_to_utf8(text), "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z");
}

TEST(Utf8, MalformedBytesBecomeReplacementCharactersAndDecodingGoesOn) {
  EXPECT_EQ(utf8_to_wide("a\xFFz"), L"a\uFFFDz");
  EXPECT_EQ(utf8_to_wide("a\xE2\x82z"), L"a\uFFFDz");    // cut short
  EXPECT_EQ(utf8_to_wide("\xC0\xAF"), L"\uFFFD\uFFFD");  // overlong
  EXPECT_EQ(utf8_to_wide("\xED\xA0\x80"), L"\uFFFD");    // a surrogate
  EXPECT_EQ(utf8_to_wide("\xE2\x82"), L"\uFFFD");        // at the end
}

TEST(Utf16, BothByteOrdersSurrogatePairsAndAnOddByte) {
  EXPECT_EQ(utf16_to_wide(std::string("A\0\x3D\xD8\x00\xDE", 6), ByteOrder::kLittleEndian),
            L"A\U0001F600");
  EXPECT_EQ(utf16_to_wide(std::string("\0A\0B\0", 5), ByteOrder::kBigEndian), L"AB");
  EXPECT_EQ(utf16_to_wide(std::string("\x00\xD8", 2), ByteOrder::kLittleEndian), L"\uFFFD");
}

TEST(UpperCase, OneForOneAndTheSameInEveryLocale) {
  EXPECT_EQ(to_upper_invariant(L"install.exe"), L"INSTALL.EXE");
  EXPECT_EQ(to_upper_invariant(L"stra\u00DFe \u00E9t\u00E9"), L"STRA\u00DFE \u00C9T\u00C9");
  // No dotted capital I, whatever the user's language.
  EXPECT_EQ(to_upper_invariant(L"i"), L"I");
  EXPECT_EQ(to_upper_invariant(L"\u0131"), L"I");
}

TEST(SystemText, EncodesAndDecodesUtf8OnThisPlatform) {
  EXPECT_EQ(encode_system_text(L"Caf\u00E9"), "Caf\xC3\xA9");
  EXPECT_EQ(decode_system_text("Caf\xC3\xA9"), L"Caf\u00E9");
}

}  // namespace
}  // namespace tavro
