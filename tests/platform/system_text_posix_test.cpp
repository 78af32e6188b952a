// Text services on POSIX: the code page is UTF-8.
#include "platform/system_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace tavro {
namespace {

// Under each locale the process can take: "C" upper-cases no accented
// letter and Turkish would give a dotted capital I, so a mapping that
// followed the process's locale would fail under one of them.
TEST(UpperCase, OneForOneAndTheSameInEveryLocale) {
  const std::string before = std::setlocale(LC_ALL, nullptr);
  for (const char* name : {"C", "C.UTF-8", "tr_TR.UTF-8"}) {
    if (std::setlocale(LC_ALL, name) == nullptr) continue;  // not installed here
    EXPECT_EQ(to_upper_invariant(L"install.exe"), L"INSTALL.EXE") << name;
    EXPECT_EQ(to_upper_invariant(L"stra\u00DFe \u00E9t\u00E9"), L"STRA\u00DFE \u00C9T\u00C9")
        << name;
    EXPECT_EQ(to_upper_invariant(L"i"), L"I") << name;
    EXPECT_EQ(to_upper_invariant(L"\u0131"), L"I") << name;
  }
  (void)std::setlocale(LC_ALL, before.c_str());
}

TEST(SystemText, EncodesAndDecodesUtf8OnThisPlatform) {
  EXPECT_EQ(encode_system_text(L"Caf\u00E9"), "Caf\xC3\xA9");
  EXPECT_EQ(decode_system_text("Caf\xC3\xA9"), L"Caf\u00E9");
}

}  // namespace
}  // namespace tavro
