// Windows implementation of platform/memory_status.h.
#include <windows.h>

#include "common/failure.h"
#include "platform/memory_status.h"
#include "platform/system_error.h"

namespace tavro {

MemoryStatus query_memory_status() {
  MEMORYSTATUSEX report{};
  report.dwLength = sizeof report;
  if (!GlobalMemoryStatusEx(&report)) {
    throw Failure(L"The memory status cannot be read: " +
                  system_error_text(static_cast<int>(GetLastError())));
  }
  MemoryStatus status;
  status.memory_load = report.dwMemoryLoad;
  status.total_physical = report.ullTotalPhys;
  status.available_physical = report.ullAvailPhys;
  status.total_page_file = report.ullTotalPageFile;
  status.available_page_file = report.ullAvailPageFile;
  status.total_virtual = report.ullTotalVirtual;
  status.available_virtual = report.ullAvailVirtual;
  return status;
}

}  // namespace tavro
