#include "app/win32/survey_program.h"

#include <exception>
#include <string>
#include <utility>

#include "app/win32/survey_window.h"
#include "common/failure.h"
#include "survey/layout.h"

namespace tavro::win32 {
namespace {

void show_failure(std::wstring_view message) {
  const std::wstring title(kWindowTitle);
  MessageBoxW(nullptr, std::wstring(message).c_str(), title.c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace

int run_survey_program(HINSTANCE instance, int show_command, SurveyServices services) {
  try {
    Win32SurveyWindow window(instance);
    SurveyForm form(window, std::move(services));
    window.set_events({[&form] { form.CmdOk_Click(); }, [&form] { form.CmdCancel_Click(); }});
    form.Form_Load();
    window.show(show_command);
    return window.run_message_loop();
  } catch (const std::exception& error) {
    show_failure(message_of(error));
  }
  return 1;
}

}  // namespace tavro::win32
