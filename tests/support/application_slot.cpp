#include "support/application_slot.h"

#include "common/unicode.h"

namespace tavro::testing {

Profile slot_settings(const std::string& path, const std::string& file, const std::string& length,
                      const std::string& enable, const std::string& name) {
  return Profile::parse(utf8_to_wide("[Application]\nEnableA1=" + enable + "\nName1=" + name +
                                     "\nPath1=" + path + "\nFile1=" + file + "\nString1=" + length +
                                     "\n"));
}

ApplicationDetection detect_slot(const std::string& path, const std::string& file,
                                 const std::string& length) {
  return detect_application(read_application_slot(slot_settings(path, file, length), 1));
}

}  // namespace tavro::testing
