#include "app/win32/survey_program.h"

#include <exception>
#include <string>
#include <utility>

#include "app/win32/message_loop.h"
#include "app/win32/survey_window.h"
#include "common/failure.h"
#include "survey/layout.h"

namespace tavro::win32 {
namespace {

void show_failure(std::wstring_view message) {
  // The window, destroyed on the way here, posted its quit message, which
  // would end the message box's own loop at once.
  MSG quit{};
  PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  const std::wstring title(kWindowTitle);
  MessageBoxW(nullptr, std::wstring(message).c_str(), title.c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace

int run_survey_program(HINSTANCE instance, int show_command, SurveyServices services) {
  try {
    SurveyWindow window(instance);
    SurveyForm form(window, std::move(services));
    window.connect_events(form);
    // Read here rather than on a thread of its own while the window is made:
    // under Wine a second thread costs more time and memory than it saves.
    form.Form_Load();
    window.show(show_command);
    return run_message_loop(window);
  } catch (const std::exception& error) {
    show_failure(message_of(error));
  }
  return 1;
}

}  // namespace tavro::win32
