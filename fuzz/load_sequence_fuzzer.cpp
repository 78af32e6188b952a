// The whole load sequence on any settings file, against the in-memory
// window, in a small folder tree made once per process (ordinary, hidden and
// oddly named files, a folder and links that look like files). The process
// works inside the tree, so relative patterns search only there; absolute
// ones may look anywhere, which the search does read-only.
//
// Properties, besides never crashing, hanging or throwing:
//  - the controls are set up in load order: slots 1 to 10, items 1 to 5,
//    then the machine facts, each caption once and under 100 characters;
//  - a disabled answer box has the button-face colour;
//  - a slot is ticked only when String<i> cuts File<i> to a real name;
//  - after the load, OK (with answers typed from the captions, and a Save
//    section pointing into the tree) writes exactly one record, named after
//    the host name from the input's first line, that reads back as the window.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

#include "fuzz_check.h"
#include "platform/system_text.h"
#include "settings/profile.h"
#include "support/fixed_services.h"
#include "support/in_memory_window.h"
#include "support/temp_folder.h"
#include "survey/application_slots.h"
#include "survey/controls.h"
#include "survey/inventory_record.h"
#include "survey/layout.h"
#include "survey/save.h"
#include "survey/survey_form.h"

namespace tavro {
namespace {

namespace fs = std::filesystem;
using fuzzing::check;

constexpr std::size_t kHostNameBytes = 64;

// The folder tree, made on first use and removed when the process ends.
class Tree {
 public:
  Tree() {
    for (const char* file : {"app/firefox.exe", "app/Setup.EXE", "app/.hidden.exe",
                             "app/folder.exe/inner.exe", "tools/a.txt", "tools/b.TXT",
                             "tools/\u00FCnic\u00F6de.txt", "tools/bad\xFF.txt", "***"}) {
      folder_.write(file, "x");
    }
    fs::create_symlink("firefox.exe", folder_.path() / "app/link.exe");
    fs::create_symlink("missing.exe", folder_.path() / "app/dangling.exe");
    fs::create_symlink("loop.exe", folder_.path() / "app/loop.exe");
    fs::create_directory(records());
    fs::current_path(folder_.path());
  }

  std::wstring settings_path() const { return folder_.wide("Tavro.ini"); }
  fs::path records() const { return folder_.path() / "records"; }
  void write_settings(std::string_view bytes) const { folder_.write("Tavro.ini", bytes); }

 private:
  testing::TempFolder folder_;
};

const Tree& tree() {
  static const Tree made;
  return made;
}

std::wstring host_name_from(std::string_view input) {
  const std::string_view line = input.substr(0, input.find_first_of("\r\n"));
  return decode_system_text(line.substr(0, kHostNameBytes));
}

SurveyServices services(const std::wstring& host_name) {
  SurveyServices services = testing::fixed_services(tree().settings_path());
  services.host_name = [host_name] { return host_name; };
  return services;
}

// Where a control comes in the load: slot i is step i, item j step 10 + j,
// the machine facts the last step.
int load_step(Control control) {
  for (int slot = 1; slot <= kApplicationSlots; ++slot) {
    if (control == check_box(slot)) return slot;
  }
  for (int item = 1; item <= kStatusItems; ++item) {
    if (control == status_text(item) || control == status_label(item)) {
      return kApplicationSlots + item;
    }
  }
  return kApplicationSlots + kStatusItems + 1;
}

Control control_named(std::string_view name) {
  const auto* const row =
      std::find_if(kSurveyLayout.begin(), kSurveyLayout.end(),
                   [&](const LayoutRow& candidate) { return candidate.name == name; });
  check(row != kSurveyLayout.end(), "the window logs only its own controls");
  return row->id;
}

void check_load_order(const testing::InMemoryWindow& window) {
  int step = 0;
  std::array<int, kControlCount> captions{};
  for (const std::string& call : window.calls()) {
    // "operation control argument"
    const std::size_t name_start = call.find(' ') + 1;
    const std::string_view operation = std::string_view(call).substr(0, name_start - 1);
    const std::string_view rest = std::string_view(call).substr(name_start);
    const Control control = control_named(rest.substr(0, rest.find(' ')));
    check(load_step(control) >= step, "the load sets up controls in its fixed order");
    step = load_step(control);
    if (operation == "set_caption") ++captions.at(static_cast<std::size_t>(control));
  }
  for (int slot = 1; slot <= kApplicationSlots; ++slot) {
    check(captions.at(static_cast<std::size_t>(check_box(slot))) == 1,
          "each box is captioned once");
    check(window[check_box(slot)].caption.size() < SettingField::kLength, "a caption fits");
  }
  for (int item = 1; item <= kStatusItems; ++item) {
    check(captions.at(static_cast<std::size_t>(status_label(item))) == 1,
          "each label is captioned once");
    check(window[status_label(item)].caption.size() < SettingField::kLength, "a caption fits");
    const testing::ControlState& box = window[status_text(item)];
    check(box.enabled || box.back_color == kButtonFaceColor, "a disabled box is greyed");
  }
}

void check_ticks(const testing::InMemoryWindow& window, std::string_view input) {
  const Profile settings = Profile::from_bytes(input);
  for (int slot = 1; slot <= kApplicationSlots; ++slot) {
    if (window[check_box(slot)].value != CheckValue::kTicked) continue;
    const ApplicationSlotSettings read = read_application_slot(settings, slot);
    check(read.length >= 1 && read.length <= read.file.value().size(),
          "a slot is ticked only when String<i> cuts File<i> to a name");
  }
}

void check_machine_facts(const testing::InMemoryWindow& window, const std::wstring& host_name) {
  for (const Control fact : {Control::TxtHN, Control::TxtIP, Control::TxtMEM}) {
    check(!window[fact].enabled, "the machine facts are read-only");
  }
  check(window[Control::TxtHN].text == host_name, "the host name is shown");
  check(window[Control::TxtIP].text == testing::kFixedIpAddress, "the address is shown");
  check(window[Control::TxtMEM].text == std::to_wstring(testing::kFixedTotalMemory),
        "the memory is shown");
}

RecordFields fields_of(const testing::InMemoryWindow& window) {
  RecordFields fields;
  fields[0] = window[Control::TxtHN].text;
  fields[1] = window[Control::TxtIP].text;
  fields[2] = window[Control::TxtMEM].text;
  for (int item = 1; item <= kStatusItems; ++item) {
    fields.at(kFirstAnswerField + static_cast<std::size_t>(item) - 1) =
        window[status_text(item)].text;
  }
  for (int slot = 1; slot <= kApplicationSlots; ++slot) {
    if (window[check_box(slot)].value == CheckValue::kTicked) {
      fields.at(kFirstApplicationField + static_cast<std::size_t>(slot) - 1) = kInstalled;
    }
  }
  return fields;
}

void save_and_check_record(testing::InMemoryWindow& window, SurveyForm& form,
                           const std::wstring& host_name) {
  for (int item = 1; item <= kStatusItems; ++item) {
    window[status_text(item)].text = window[status_label(item)].caption;
  }
  const std::string records = tree().records().string();
  tree().write_settings("[Save]\nSavePath=" + records +
                        "\nPathString=" + std::to_string(records.size()) + "\n");
  form.CmdOk_Click();
  check(window.messages().empty() && window.closed(), "a save into a writable folder succeeds");

  const fs::path expected = tree().records() / to_native_path(safe_file_name(host_name) + L".txt");
  std::size_t files = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(tree().records())) {
    check(entry.path() == expected, "the record is named after the host, nothing else is left");
    ++files;
  }
  check(files == 1, "one record is written");

  std::ifstream file(expected, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  const auto read = read_record_file(bytes);
  check(static_cast<bool>(read), "the record reads back");
  check(*read == fields_of(window), "the record holds what the window showed");
  fs::remove(expected);
}

}  // namespace
}  // namespace tavro

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast): libFuzzer's interface
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  tavro::tree().write_settings(input);
  const std::wstring host_name = tavro::host_name_from(input);

  tavro::testing::InMemoryWindow window;
  tavro::SurveyForm form(window, tavro::services(host_name));
  try {
    form.Form_Load();
  } catch (...) {
    tavro::fuzzing::check(false, "the load sequence never fails on a settings file");
  }
  tavro::check_load_order(window);
  tavro::check_ticks(window, input);
  tavro::check_machine_facts(window, host_name);
  tavro::save_and_check_record(window, form, host_name);
  return 0;
}
