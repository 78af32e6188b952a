// The Windows survey program: one window, shown until OK or Cancel.
#include <windows.h>

#include "app/win32/survey_program.h"

// The parameters have the names of their declaration in <winbase.h>.
int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, PWSTR /*lpCmdLine*/,
                    int nShowCmd) {
  return tavro::win32::run_survey_program(hInstance, nShowCmd, tavro::SurveyServices::system());
}
