// Any bytes as the settings file, then every read the load sequence and the
// save make. Besides never crashing or hanging:
//  - every text read fits the 100-character field: the value is under 100
//    characters and at most 99 units of the file's encoding (bytes in the
//    system code page, or UTF-16 units), and NULs fill the rest of the field;
//  - every cut of a field to a length read from the file succeeds and gives
//    that many characters of the field (all of it from 100 on), as it does
//    for the extreme lengths an integer read can give;
//  - upper-casing keeps the field's length, so the cut lines up;
//  - the save folder holds no NUL and is the start of the SavePath value;
//  - every key of the first section of a name is found by its own name.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>

#include "fuzz_check.h"
#include "platform/system_text.h"
#include "settings/profile.h"
#include "settings/setting_field.h"
#include "survey/application_slots.h"
#include "survey/controls.h"
#include "survey/key_reading.h"
#include "survey/save.h"

namespace tavro {
namespace {

using fuzzing::check;

constexpr std::uint32_t kExtremeLengths[] = {0, SettingField::kCapacity, SettingField::kLength,
                                             0xFFFFFFFFU};

void check_field(const SettingField& field, FileEncoding encoding) {
  const std::wstring_view value = field.value();
  check(value.size() < SettingField::kLength, "a text read is under 100 characters");
  check(field_units(value, encoding) <= SettingField::kCapacity,
        "a text read keeps at most 99 units of the file's encoding");
  check(field.whole().find_first_not_of(L'\0', value.size()) == std::wstring_view::npos,
        "NULs fill the field after the value");
}

void check_cut(const SettingField& field, std::uint32_t n) {
  const std::wstring cut = field.cut(n);
  check(cut.size() == std::min<std::size_t>(n, SettingField::kLength),
        "a cut gives n characters, at most the whole field");
  check(field.whole().substr(0, cut.size()) == cut, "a cut is the start of the field");
}

void check_cuts(const SettingField& field, std::uint32_t length_read) {
  check_cut(field, length_read);
  for (const std::uint32_t n : kExtremeLengths)
    check_cut(field, n);
}

void read_as_the_load_does(const Profile& settings) {
  for (int slot = 1; slot <= kApplicationSlots; ++slot) {
    const ApplicationSlotSettings read = read_application_slot(settings, slot);
    for (const SettingField* text : {&read.name, &read.path, &read.file})
      check_field(*text, settings.encoding());
    check_cuts(read.file, read.length);
    // The comparison cuts the upper-cased field, so it must keep its length.
    const std::wstring upper = to_upper_invariant(read.file.whole());
    check(upper.size() == SettingField::kLength, "upper-casing keeps the field's length");
    SettingField upper_file;
    upper_file.replace_all(upper);
    check_cuts(upper_file, read.length);
  }
  for (int item = 1; item <= kStatusItems; ++item) {
    check_field(read_keys(settings, kStatusSection, kItemKeys, item)[kItemCaption].text,
                settings.encoding());
  }
}

void read_as_the_save_does(const Profile& settings) {
  const SaveKeys keys = read_keys(settings, kSaveSection, kSaveKeys, 0);
  const SettingField& folder_field = keys[kSaveFolder].text;
  check_field(folder_field, settings.encoding());
  check_cuts(folder_field, keys[kSaveLength].number);

  const std::wstring folder = save_folder(settings);
  check(folder.find(L'\0') == std::wstring::npos, "the save folder holds no NUL");
  check(folder_field.value().substr(0, folder.size()) == folder,
        "the save folder is the start of SavePath");
}

void check_lookup(const Profile& settings) {
  std::unordered_set<std::wstring> seen_sections;
  std::size_t lookups = 0;
  for (const ProfileSection& section : settings.sections()) {
    if (section.line == 0 || !seen_sections.insert(section.folded_name).second) continue;
    for (const ProfileEntry& entry : section.entries) {
      if (++lookups > 256) return;  // enough to catch a lookup fault, cheap on huge files
      const ProfileEntry* found = settings.find(section.name, entry.key);
      check(found != nullptr, "a key of the first section of its name is found");
      check(found->folded_key == entry.folded_key && found->line <= entry.line,
            "the first key of a name wins");
    }
  }
}

}  // namespace
}  // namespace tavro

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast): libFuzzer's interface
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const tavro::Profile settings = tavro::Profile::from_bytes(bytes);
  tavro::read_as_the_load_does(settings);
  tavro::read_as_the_save_does(settings);
  tavro::check_lookup(settings);
  return 0;
}
