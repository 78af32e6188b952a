#include "bench_settings.h"

#include <string>
#include <string_view>

#include "support/fixed_services.h"
#include "survey/controls.h"

namespace tavro::bench {
namespace {

constexpr int kFilesPerApplication = 12;

// "<key><number>=<value>" and a line end.
std::string key_line(std::string_view key, int number, std::string_view value) {
  std::string line(key);
  line += std::to_string(number);
  line += '=';
  line += value;
  line += "\r\n";
  return line;
}

}  // namespace

SurveySetting::SurveySetting() {
  namespace fs = std::filesystem;
  std::string settings = "[Application]\r\n";
  for (int slot = 1; slot <= kApplicationSlots; ++slot) {
    const fs::path folder = fs::path("apps") / ("app" + std::to_string(slot));
    const std::string program = "Program" + std::to_string(slot) + ".exe";
    for (int n = 0; n < kFilesPerApplication; ++n) {
      folder_.write((folder / ("part" + std::to_string(n) + ".dll")).string(), "x");
    }
    // Slots 1 to 8 are installed; odd slots are found by a wildcard, even
    // ones by their exact path; 9 and 10 point at nothing.
    if (slot <= 8) folder_.write((folder / program).string(), "x");
    const fs::path pattern = folder_.path() / folder / (slot % 2 == 1 ? "*.exe" : program);
    settings += key_line("EnableA", slot, "1");
    settings += key_line("Name", slot, "Application " + std::to_string(slot));
    settings += key_line("Path", slot, pattern.string());
    settings += key_line("File", slot, program);
    settings += key_line("String", slot, std::to_string(program.size()));
  }
  settings += "\r\n[Status]\r\n";
  for (int item = 1; item <= kStatusItems; ++item) {
    settings += key_line("EnableI", item, "1");
    settings += key_line("Item", item, "Question " + std::to_string(item));
  }
  const std::string records = (folder_.path() / "records").string();
  fs::create_directory(records);
  settings += "\r\n[Save]\r\nSavePath=" + records +
              "\r\nPathString=" + std::to_string(records.size()) + "\r\n";
  folder_.write("Tavro.ini", settings);
  settings_ = std::move(settings);
}

SurveyServices SurveySetting::services() const {
  return testing::fixed_services(settings_path());
}

RecordFields typical_record() {
  RecordFields fields;
  fields[0] = L"PC-042";
  fields[1] = L"10.0.0.42";
  fields[2] = L"17179869184";
  fields[3] = L"Room 4";
  fields[4] = L"alice";
  fields[5] = L"AT-10042";
  fields[6] = L"24in monitor";
  for (const std::size_t slot : {1U, 3U, 4U, 6U, 7U, 8U}) {
    fields[kFirstApplicationField + slot - 1] = kInstalled;
  }
  return fields;
}

}  // namespace tavro::bench
