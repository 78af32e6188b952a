// The two ways `tavro-admin check` prints its report.
#pragma once

#include <string>

#include "check_report.h"

namespace tavro::admin {

// For people: per slot, per item and for the save folder what the survey
// reads and shows, each with its findings, then the file's own findings.
std::wstring check_report_text(const CheckReport& report);

// For scripts: the same as one JSON object, in UTF-8.
std::string check_report_json(const CheckReport& report);

}  // namespace tavro::admin
