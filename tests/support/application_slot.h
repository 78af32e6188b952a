// Slot 1 of a settings file written from a few strings, for the tests of
// application detection on a real folder tree.
#pragma once

#include <string>

#include "settings/profile.h"
#include "survey/application_slots.h"

namespace tavro::testing {

// A settings file whose [Application] section sets slot 1 from the arguments.
Profile slot_settings(const std::string& path, const std::string& file, const std::string& length,
                      const std::string& enable = "1", const std::string& name = "App");

// What the detection makes of slot 1 set from the arguments.
ApplicationDetection detect_slot(const std::string& path, const std::string& file,
                                 const std::string& length);

}  // namespace tavro::testing
