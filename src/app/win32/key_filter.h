// The survey window's keyboard, before the dialog manager sees a key: Enter
// presses only a focused button, Esc presses nothing.
#pragma once

#include <windows.h>

#include "app/win32/survey_window.h"

namespace tavro::win32 {

// Handles Enter and Esc meant for the window or one of its controls and
// returns true; returns false for every other message. Neither button is
// the window's default or cancel button, and neither key reaches a text box.
bool filter_enter_or_escape(SurveyWindow& window, const MSG& message);

}  // namespace tavro::win32
