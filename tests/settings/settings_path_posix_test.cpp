#include "settings/settings_path.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_folder.h"

namespace tavro {
namespace {

namespace fs = std::filesystem;

TEST(SettingsPath, SeparatorIsAddedOnlyWhenMissing) {
  EXPECT_EQ(with_trailing_separator(L"/opt/tavro"), L"/opt/tavro/");
  EXPECT_EQ(with_trailing_separator(L"/"), L"/");
  EXPECT_EQ(with_trailing_separator(L""), L"/");
}

// Started from another folder, which holds a Tavro.ini of its own.
TEST(SettingsPath, TheSettingsFileLiesBesideTheExecutableNotInTheCurrentFolder) {
  const testing::TempFolder elsewhere;
  elsewhere.write("Tavro.ini", "");
  const fs::path before = fs::current_path();
  fs::current_path(elsewhere.path());
  const std::wstring path = settings_file_path();
  fs::current_path(before);
  EXPECT_EQ(fs::path(path), fs::canonical(TAVRO_TEST_PROGRAM_FOLDER) / "Tavro.ini");
}

}  // namespace
}  // namespace tavro
