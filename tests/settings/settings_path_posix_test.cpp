#include "settings/settings_path.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_folder.h"

namespace tavro {
namespace {

namespace fs = std::filesystem;

// Started from another folder, which holds a Tavro.ini of its own.
TEST(SettingsPath, TheSettingsFileLiesBesideTheExecutableNotInTheCurrentFolder) {
  const testing::TempFolder elsewhere;
  elsewhere.write("Tavro.ini", "");
  const testing::CurrentFolder current(elsewhere.path());
  EXPECT_EQ(fs::path(settings_file_path()), fs::canonical(TAVRO_TEST_PROGRAM_FOLDER) / "Tavro.ini");
}

}  // namespace
}  // namespace tavro
