#include "settings/settings_path.h"

#include <gtest/gtest.h>

namespace tavro {
namespace {

TEST(SettingsPath, SeparatorIsAddedOnlyWhenMissing) {
  EXPECT_EQ(with_trailing_separator(L"/opt/tavro"), L"/opt/tavro/");
  EXPECT_EQ(with_trailing_separator(L"/"), L"/");
  EXPECT_EQ(with_trailing_separator(L""), L"/");
}

TEST(SettingsPath, TheSettingsFileLiesBesideTheExecutable) {
  const std::wstring path = settings_file_path();
  EXPECT_EQ(path.substr(path.size() - 10), L"/Tavro.ini");
  EXPECT_EQ(path.front(), L'/');
  EXPECT_EQ(path.find(L"//"), std::wstring::npos);
}

}  // namespace
}  // namespace tavro
