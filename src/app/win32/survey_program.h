// The survey program's life: the window, the load sequence before it is
// shown, and the message loop until it closes.
#pragma once

#include <windows.h>

#include "survey/survey_form.h"

namespace tavro::win32 {

// Creates the survey window, runs Form_Load, shows the window and runs it
// until it closes. A failure before the window shows is reported in a
// message box and ends the program with exit code 1.
int run_survey_program(HINSTANCE instance, int show_command, SurveyServices services);

}  // namespace tavro::win32
