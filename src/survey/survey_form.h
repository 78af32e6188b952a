// The survey window's behaviour: its three event handlers, written against
// the SurveyControls interface so that every front end shares them.
#pragma once

#include <functional>
#include <string>

#include "platform/memory_status.h"
#include "survey/controls.h"

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

class SurveyForm {
 public:
  explicit SurveyForm(SurveyControls& window, SurveyServices services = SurveyServices::system());

  // The load sequence, run while the window is created and before it is
  // shown: application slots 1 to 10, status items 1 to 5, then the machine
  // facts. Throws Failure; the caller shows it and ends the program.
  void Form_Load();

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
