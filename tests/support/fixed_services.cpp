#include "support/fixed_services.h"

#include <utility>

namespace tavro::testing {

SurveyServices fixed_services(std::wstring settings_path) {
  SurveyServices services;
  services.settings_file_path = [path = std::move(settings_path)] { return path; };
  services.host_name = [] { return std::wstring(kFixedHostName); };
  services.ip_address = [] { return std::wstring(kFixedIpAddress); };
  services.memory_status = [] {
    MemoryStatus status;
    status.total_physical = kFixedTotalMemory;
    return status;
  };
  return services;
}

}  // namespace tavro::testing
