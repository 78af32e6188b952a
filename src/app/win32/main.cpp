// The Windows survey program: one window, shown until OK or Cancel.
#include <windows.h>

#include "app/win32/survey_program.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show_command) {
  return tavro::win32::run_survey_program(instance, show_command, tavro::SurveyServices::system());
}
