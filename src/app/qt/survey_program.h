// The program around the survey window: load, show, wait, end.
#pragma once

#include "survey/survey_form.h"

namespace tavro::qt {

// Creates the window, runs the load sequence and shows the window until it
// closes; returns the exit code. A failing load shows a message box and
// returns 1 without ever showing the window. Needs a QApplication.
int run_survey_program(SurveyServices services);

}  // namespace tavro::qt
