// The layout of a settings file: sections and keys the survey never reads,
// sections and keys given twice, and lines meant as comments.
#pragma once

#include <vector>

#include "check_report.h"
#include "settings/profile.h"

namespace tavro::admin {

std::vector<Finding> check_structure(const Profile& settings);

}  // namespace tavro::admin
