// Our settings reader against Windows' own profile functions, on the corpus
// of tricky files in tests/settings/corpus: every key the survey reads, and
// every key each file holds, read as a string (default "***") and as an
// integer (default 0): with the narrow functions (100 bytes) for a file in the
// code page, the wide ones (100 UTF-16 units) for one with a byte-order mark.
// The two must agree, apart from the slips of Wine's reader listed below,
// each of which must still show.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "common/unicode.h"
#include "platform/system_text.h"
#include "settings/profile.h"
#include "survey/controls.h"
#include "survey/settings_keys.h"

namespace tavro {
namespace {

// Where Wine's reader slips and ours keeps the platform's rule:
//  - a quoted value of exactly 99 characters inside the quotes: ours keeps
//    all 99, Wine's loses the last one;
//  - integer text longer than 29 characters: ours reads every digit, Wine's
//    only the first 29 characters;
//  - Ctrl-Z: ours keeps it as a character, Wine's trims it as white space.
constexpr char kQuoted99[] = "a quoted value of exactly 99 characters inside the quotes";
constexpr char kLongInteger[] = "integer text longer than 29 characters";
constexpr char kCtrlZ[] = "Ctrl-Z counted as white space";
// Ours, on purpose: a surrogate pair that does not fit whole is left out, never split.
constexpr char kWholeCharacter[] = "a surrogate pair at the cut";

// Each read as "file [section] key as text|as integer", and why the two differ.
std::map<std::string, const char*> wine_slips() {
  return {
      {"quotes-99.ini [Application] Name2 as text", kQuoted99},
      {"quotes-99.ini [Application] Name4 as text", kQuoted99},
      {"quotes-99.ini [Save] SavePath as text", kQuoted99},
      {"bom-utf8-at-the-cut.ini [Application] Name6 as text", kQuoted99},
      {"integers-long.ini [Application] String1 as integer", kLongInteger},
      {"integers-long.ini [Application] String3 as integer", kLongInteger},
      {"integers-long.ini [Application] String4 as integer", kLongInteger},
      {"integers-long.ini [Application] String5 as integer", kLongInteger},
      {"integers-long.ini [Application] String7 as integer", kLongInteger},
      {"ctrl-z.ini [Application] Name1 as text", kCtrlZ},
      {"ctrl-z.ini [Application] Name3 as text", kCtrlZ},
      {"ctrl-z.ini [Application] EnableA1 as text", kCtrlZ},
      {"bom-utf8-at-the-cut.ini [Application] Name4 as text", kWholeCharacter},
  };
}

std::string narrow(std::wstring_view text) {
  return encode_system_text(text);
}

std::wstring corpus_folder() {
  wchar_t folder[MAX_PATH] = {};
  if (GetEnvironmentVariableW(L"TAVRO_PROFILE_CORPUS", folder, MAX_PATH) == 0) return {};
  std::wstring path(folder);
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return path;
}

std::vector<std::wstring> corpus_files(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW((folder + L"\\*.ini").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    names.emplace_back(found.cFileName);
  } while (FindNextFileW(search, &found) != FALSE);
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

// The survey's keys, and every key of the file that the narrow functions
// can name (names the code page cannot hold, or with NULs, cannot be asked for).
std::set<std::pair<std::wstring, std::wstring>> keys_to_compare(const Profile& profile) {
  std::set<std::pair<std::wstring, std::wstring>> keys;
  for_each_survey_key(
      [&](std::wstring_view section, std::wstring key) { keys.emplace(section, std::move(key)); });
  const auto nameable = [](const std::wstring& name) {
    return !name.empty() && name.find(L'\0') == std::wstring::npos &&
           decode_system_text(narrow(name)) == name;
  };
  for (const ProfileSection& section : profile.sections()) {
    if (section.line == 0 || !nameable(section.name)) continue;
    for (const ProfileEntry& entry : section.entries) {
      if (nameable(entry.key)) keys.emplace(section.name, entry.key);
    }
  }
  return keys;
}

struct Comparison {
  std::map<std::string, const char*> slips_not_seen = wine_slips();
  int reads = 0;
  int values_found = 0;  // string reads that found a value (not the default)
  int differences = 0;

  // A read where ours and the native functions disagree: a known slip, or a failure.
  void check(const std::string& read, const std::string& ours, const std::string& native) {
    ++reads;
    if (ours == native) return;
    ++differences;
    if (slips_not_seen.erase(read) == 0) {
      ADD_FAILURE() << read << ": ours \"" << ours << "\", native \"" << native << "\"";
    }
  }
};

void compare(const std::wstring& folder, const std::wstring& file, Comparison& result) {
  const std::wstring path = folder + L"\\" + file;
  const std::string native_path = narrow(path);
  const Profile ours = Profile::load(path);
  EXPECT_TRUE(ours.file_found()) << wide_to_utf8(path);
  for (const auto& [section, key] : keys_to_compare(ours)) {
    const std::string section_a = narrow(section);
    const std::string key_a = narrow(key);

    std::wstring native_text;
    UINT native_int = 0;
    if (ours.encoding() == FileEncoding::kSystemCodePage) {
      char buffer[100] = {};
      const DWORD length = GetPrivateProfileStringA(section_a.c_str(), key_a.c_str(), "***", buffer,
                                                    sizeof buffer, native_path.c_str());
      native_text = decode_system_text(std::string_view(buffer, length));
      native_int = GetPrivateProfileIntA(section_a.c_str(), key_a.c_str(), 0, native_path.c_str());
    } else {
      wchar_t buffer[100] = {};
      const DWORD length =
          GetPrivateProfileStringW(section.c_str(), key.c_str(), L"***", buffer, 100, path.c_str());
      native_text.assign(buffer, length);
      native_int = GetPrivateProfileIntW(section.c_str(), key.c_str(), 0, path.c_str());
    }
    if (native_text != L"***") ++result.values_found;
    SettingField field;
    ours.read_string(section, key, field);
    std::string read = wide_to_utf8(file);
    read += " [";
    read += section_a;
    read += "] ";
    read += key_a;
    result.check(read + " as text", wide_to_utf8(field.value()), wide_to_utf8(native_text));
    result.check(read + " as integer", std::to_string(ours.read_int(section, key)),
                 std::to_string(native_int));
  }
}

TEST(ProfileAgainstNative, EveryCorpusFileReadsAsTheNativeFunctionsReadIt) {
  const std::wstring folder = corpus_folder();
  ASSERT_FALSE(folder.empty()) << "TAVRO_PROFILE_CORPUS names the corpus folder";
  const std::vector<std::wstring> files = corpus_files(folder);
  ASSERT_GE(files.size(), 30u) << wide_to_utf8(folder);

  Comparison comparison;
  for (const std::wstring& file : files)
    compare(folder, file, comparison);
  // The native functions really read the files: many reads find values.
  EXPECT_GT(comparison.values_found, 300);
  std::cout << "Compared " << comparison.reads << " reads in " << files.size() << " files, "
            << comparison.differences << " of them known slips of Wine's reader\n";
  for (const auto& [read, slip] : comparison.slips_not_seen)
    ADD_FAILURE() << "listed, but the readers agree: " << read << " (" << slip << ")";
}

}  // namespace
}  // namespace tavro
