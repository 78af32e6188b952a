// The survey program's message loop: each message through the window's
// keyboard filter and the dialog manager, then to its window.
#pragma once

#include <windows.h>

#include "app/win32/survey_window.h"

namespace tavro::win32 {

// Handles one message of the thread's queue as the survey's loop does: the
// keyboard interface first (Tab, Shift+Tab, Enter, Esc), then the control or
// window it is for.
void handle_message(SurveyWindow& window, MSG& message);

// Runs until the quit message that the window posts as it is destroyed
// (however it was closed); returns the quit message's exit code.
int run_message_loop(SurveyWindow& window);

}  // namespace tavro::win32
