// The path mapping of wow64_path.h: portable, so it is tested on every build.
#include "platform/wow64_path.h"

#include "platform/system_text.h"

namespace tavro {
namespace {

constexpr std::wstring_view kLongPathPrefix = L"\\\\?\\";

bool is_separator(wchar_t c) {
  return c == L'\\' || c == L'/';
}

// Equal but for the case of letters and the kind of slash.
bool same_path_letters(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  const std::wstring upper_a = to_upper_invariant(a);
  const std::wstring upper_b = to_upper_invariant(b);
  for (std::size_t i = 0; i < upper_a.size(); ++i) {
    if (upper_a[i] != upper_b[i] && !(is_separator(upper_a[i]) && is_separator(upper_b[i]))) {
      return false;
    }
  }
  return true;
}

// Where the System32 component ends in path, after the folder: 0 when the
// path does not lead through <folder>\System32.
std::size_t end_of_system32(std::wstring_view path, std::wstring_view folder) {
  while (!folder.empty() && is_separator(folder.back()))
    folder.remove_suffix(1);
  if (folder.empty() || path.size() <= folder.size() ||
      !same_path_letters(path.substr(0, folder.size()), folder) ||
      !is_separator(path[folder.size()])) {
    return 0;
  }
  std::size_t at = folder.size();
  while (at < path.size() && is_separator(path[at]))
    ++at;
  constexpr std::wstring_view kSystem32 = L"System32";
  if (!same_path_letters(path.substr(at, kSystem32.size()), kSystem32)) return 0;
  at += kSystem32.size();
  return at == path.size() || is_separator(path[at]) ? at : 0;
}

}  // namespace

std::wstring path_seen_as_64_bit(std::wstring_view path, std::wstring_view windows_folder) {
  std::wstring_view prefix;
  std::wstring_view rest = path;
  if (rest.substr(0, kLongPathPrefix.size()) == kLongPathPrefix) {
    prefix = kLongPathPrefix;
    rest.remove_prefix(kLongPathPrefix.size());
  }
  if (windows_folder.substr(0, kLongPathPrefix.size()) == kLongPathPrefix) {
    windows_folder.remove_prefix(kLongPathPrefix.size());
  }
  const std::size_t end = end_of_system32(rest, windows_folder);
  if (end == 0) return std::wstring(path);
  std::wstring folder(windows_folder);
  while (!folder.empty() && is_separator(folder.back()))
    folder.pop_back();
  return std::wstring(prefix) + folder + L"\\Sysnative" + std::wstring(rest.substr(end));
}

}  // namespace tavro
