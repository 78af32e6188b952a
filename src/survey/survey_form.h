// The survey window's behaviour: its three event handlers, written against
// the SurveyControls interface so that every front end shares them.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/memory_status.h"
#include "settings/profile.h"
#include "survey/application_slots.h"
#include "survey/controls.h"
#include "survey/counts.h"

namespace tavro {

// The system facts the handlers ask for. The defaults are the real ones;
// tests put a settings file of their own or another host name in their place.
struct SurveyServices {
  std::function<std::wstring()> settings_file_path;
  std::function<std::wstring()> host_name;
  std::function<std::wstring()> ip_address;
  std::function<MemoryStatus()> memory_status;

  static SurveyServices system();
};

// What the load sequence reads from the system: the settings, each slot's
// settings and whether its file is here, and the machine facts. Reading it
// touches no window, so a front end may read it on a thread of its own while
// it makes its widgets.
struct LoadFacts {
  Profile settings;
  std::array<ApplicationSlotSettings, kApplicationSlots> applications{};
  std::array<bool, kApplicationSlots> found{};
  std::wstring host_name;
  std::wstring ip_address;
  std::uint64_t memory_bytes = 0;  // clsMemInfo's AllSpace
};

// Reads them in the load sequence's order. Throws Failure.
LoadFacts read_load_facts(const SurveyServices& services);

class SurveyForm {
 public:
  explicit SurveyForm(SurveyControls& window, SurveyServices services = SurveyServices::system());

  // The load sequence, run while the window is created and before it is
  // shown: application slots 1 to 10, status items 1 to 5, then the machine
  // facts. Throws Failure; the caller shows it and ends the program.
  void Form_Load();
  // The same with what it reads from the system read beforehand.
  void Form_Load(const LoadFacts& facts);

  // Saves the record and closes the window. A failed save shows a message
  // naming the path and the reason, and leaves the window open with every
  // answer as it was, so the user can press OK again or Cancel.
  void CmdOk_Click();

  // Closes the window; nothing is written. The window's close box does the same.
  void CmdCancel_Click();

 private:
  void save_record();

  SurveyControls& window_;
  SurveyServices services_;
};

}  // namespace tavro
