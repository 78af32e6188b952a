#include "settings/settings_path.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "platform/executable_folder.h"

namespace tavro {
namespace {

TEST(SettingsPath, TheSettingsFileLiesBesideTheExecutable) {
  wchar_t module[MAX_PATH] = {};
  ASSERT_NE(GetModuleFileNameW(nullptr, module, MAX_PATH), 0u);
  std::wstring folder(module);
  folder.resize(folder.rfind(L'\\'));
  EXPECT_EQ(executable_folder(), folder);
  EXPECT_EQ(settings_file_path(), folder + L"\\Tavro.ini");
}

}  // namespace
}  // namespace tavro
