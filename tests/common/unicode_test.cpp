#include "common/unicode.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tavro
