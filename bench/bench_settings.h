// The settings the benchmarks run on: a full Tavro.ini (every one of its 62
// keys set, ten application slots and five status items) over a folder tree
// of installed applications, as a well-kept survey share would have them.
#pragma once

#include <filesystem>
#include <string>

#include "support/temp_folder.h"
#include "survey/inventory_record.h"
#include "survey/survey_form.h"

namespace tavro::bench {

class SurveySetting {
 public:
  // Makes the folder tree, the settings file and an empty records folder.
  SurveySetting();

  const testing::TempFolder& folder() const { return folder_; }
  std::wstring settings_path() const { return folder_.wide("Tavro.ini"); }
  const std::string& settings_bytes() const { return settings_; }
  // The injected machine facts, the settings file above, the host "PC-042".
  SurveyServices services() const;

 private:
  testing::TempFolder folder_;
  std::string settings_;
};

// A record as a typical survey writes it: facts, five answers, six ticks.
RecordFields typical_record();

}  // namespace tavro::bench
