// What the survey window's keyboard does, as one table that both front ends'
// keyboard tests run: focus a control, press one key, see which button (if
// any) was pressed and where the focus is. Toolkit-free: each front end maps
// Key to its own key codes.
#pragma once

#include <array>

#include "survey/controls.h"

namespace tavro::testing {

// The window as the load leaves it; the machine-fact boxes are disabled in both.
enum class WindowState {
  kAllEnabled,   // every application slot and status item enabled
  kAllDisabled,  // no settings file: every check box and status box disabled
};

enum class Key { kTab, kShiftTab, kEnter, kEscape, kSpace };

enum class Outcome {
  kNothing,        // no button pressed, no box changed
  kOkPressed,      // CmdOk clicked
  kCancelPressed,  // CmdCancel clicked
  kBoxTicked,      // the focused check box ticked, no button pressed
};

struct KeyboardScenario {
  const char* name;
  WindowState state;
  Control start;  // focused before the key
  Key key;
  Outcome outcome;
  Control focus_after;  // for a pressed button: the button itself
};

// Where the focus is when the window is first shown.
struct FirstFocus {
  WindowState state;
  Control control;
};

inline constexpr std::array kFirstFocus = {
    FirstFocus{WindowState::kAllEnabled, Control::Check1},
    FirstFocus{WindowState::kAllDisabled, Control::CmdOk},
};

// clang-format off
inline constexpr std::array kKeyboardScenarios = {
  // Tab and Shift+Tab: the enabled controls in table order, round and round.
  KeyboardScenario{"Tab to the next check box",           WindowState::kAllEnabled,  Control::Check1,    Key::kTab,      Outcome::kNothing,       Control::Check2},
  KeyboardScenario{"Tab from the last check box",         WindowState::kAllEnabled,  Control::Check10,   Key::kTab,      Outcome::kNothing,       Control::Text1},
  KeyboardScenario{"Tab skips the machine facts",         WindowState::kAllEnabled,  Control::Text5,     Key::kTab,      Outcome::kNothing,       Control::CmdOk},
  KeyboardScenario{"Tab from OK",                         WindowState::kAllEnabled,  Control::CmdOk,     Key::kTab,      Outcome::kNothing,       Control::CmdCancel},
  KeyboardScenario{"Tab wraps to the first",              WindowState::kAllEnabled,  Control::CmdCancel, Key::kTab,      Outcome::kNothing,       Control::Check1},
  KeyboardScenario{"Shift+Tab wraps to the last",         WindowState::kAllEnabled,  Control::Check1,    Key::kShiftTab, Outcome::kNothing,       Control::CmdCancel},
  KeyboardScenario{"Shift+Tab from OK skips the facts",   WindowState::kAllEnabled,  Control::CmdOk,     Key::kShiftTab, Outcome::kNothing,       Control::Text5},
  KeyboardScenario{"Shift+Tab into the check boxes",      WindowState::kAllEnabled,  Control::Text1,     Key::kShiftTab, Outcome::kNothing,       Control::Check10},
  KeyboardScenario{"Tab between the buttons only",        WindowState::kAllDisabled, Control::CmdCancel, Key::kTab,      Outcome::kNothing,       Control::CmdOk},
  KeyboardScenario{"Shift+Tab between the buttons only",  WindowState::kAllDisabled, Control::CmdOk,     Key::kShiftTab, Outcome::kNothing,       Control::CmdCancel},
  // Enter and Esc press no button unless a button has the focus; Esc never does.
  KeyboardScenario{"Enter in a check box",                WindowState::kAllEnabled,  Control::Check1,    Key::kEnter,    Outcome::kNothing,       Control::Check1},
  KeyboardScenario{"Esc in a check box",                  WindowState::kAllEnabled,  Control::Check1,    Key::kEscape,   Outcome::kNothing,       Control::Check1},
  KeyboardScenario{"Enter in a text box",                 WindowState::kAllEnabled,  Control::Text1,     Key::kEnter,    Outcome::kNothing,       Control::Text1},
  KeyboardScenario{"Esc in a text box",                   WindowState::kAllEnabled,  Control::Text3,     Key::kEscape,   Outcome::kNothing,       Control::Text3},
  KeyboardScenario{"Esc on OK",                           WindowState::kAllEnabled,  Control::CmdOk,     Key::kEscape,   Outcome::kNothing,       Control::CmdOk},
  KeyboardScenario{"Esc on Cancel",                       WindowState::kAllEnabled,  Control::CmdCancel, Key::kEscape,   Outcome::kNothing,       Control::CmdCancel},
  KeyboardScenario{"Enter on OK",                         WindowState::kAllEnabled,  Control::CmdOk,     Key::kEnter,    Outcome::kOkPressed,     Control::CmdOk},
  KeyboardScenario{"Enter on Cancel",                     WindowState::kAllEnabled,  Control::CmdCancel, Key::kEnter,    Outcome::kCancelPressed, Control::CmdCancel},
  // Space ticks the focused check box or presses the focused button.
  KeyboardScenario{"Space in a check box",                WindowState::kAllEnabled,  Control::Check4,    Key::kSpace,    Outcome::kBoxTicked,     Control::Check4},
  KeyboardScenario{"Space on OK",                         WindowState::kAllEnabled,  Control::CmdOk,     Key::kSpace,    Outcome::kOkPressed,     Control::CmdOk},
  KeyboardScenario{"Space on Cancel",                     WindowState::kAllEnabled,  Control::CmdCancel, Key::kSpace,    Outcome::kCancelPressed, Control::CmdCancel},
  KeyboardScenario{"Space on OK, nothing else enabled",   WindowState::kAllDisabled, Control::CmdOk,     Key::kSpace,    Outcome::kOkPressed,     Control::CmdOk},
};
// clang-format on

}  // namespace tavro::testing
