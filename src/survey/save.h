// Where OK saves the record: <save folder>/<host name>.txt.
#pragma once

#include <string>
#include <string_view>

#include "settings/profile.h"
#include "survey/key_reading.h"

namespace tavro {

// SavePath cut to its first PathString characters. The folder never holds
// NUL characters: a PathString beyond the value's length gives the whole value.
std::wstring save_folder(const Profile& settings);
// The same from the save keys, read once.
std::wstring save_folder(const SaveKeys& keys);

// The host name made safe as a file name: control characters and
// \ / : * ? " < > | become "_", as do trailing dots and spaces; a device name
// (CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without an extension, in any
// letter case) gets a leading "_"; an empty name becomes "_".
std::wstring safe_file_name(std::wstring_view host_name);

// The folder with a separator appended when it lacks one (an empty folder
// gives a lone separator), then the safe host name and ".txt".
std::wstring record_file_path(std::wstring_view folder, std::wstring_view host_name);

}  // namespace tavro
