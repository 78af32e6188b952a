// How a 32-bit program on 64-bit Windows reaches the system folder a 64-bit
// program sees. Windows redirects such a program's <Windows>\System32 to
// SysWOW64, where a 64-bit-only program is missing; the alias
// <Windows>\Sysnative leads it to the real System32. A plain path rewrite,
// unlike turning redirection off for the thread: nothing else the thread
// does (loading a DLL for a network share, say) sees another file system.
#pragma once

#include <string>
#include <string_view>

namespace tavro {

// The path with its <windows_folder>\System32 part (letters in any case,
// "\" or "/" between the parts, with or without a leading "\\?\") changed to
// <windows_folder>\Sysnative; any other path as it is. Relative and
// drive-relative paths are left alone: the search resolves them itself.
std::wstring path_seen_as_64_bit(std::wstring_view path, std::wstring_view windows_folder);

}  // namespace tavro
