#include "settings/settings_path.h"

#include "platform/executable_folder.h"
#include "platform/system_text.h"

namespace tavro {

std::wstring with_trailing_separator(std::wstring_view folder) {
  std::wstring result(folder);
  if (result.empty() || !is_path_separator(result.back())) result.push_back(path_separator());
  return result;
}

std::wstring settings_file_path() {
  return with_trailing_separator(executable_folder()) + std::wstring(kSettingsFileName);
}

}  // namespace tavro
