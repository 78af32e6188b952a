// Text services on POSIX: the code page is UTF-8.
#include "settings/system_text.h"

#include <gtest/gtest.h>

namespace tavro {
namespace {

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
