// What the Win32 start-up yardsticks share: a top-level window of the survey
// window's frame (fixed border, close box only) whose closing ends the
// program, and its message loop.
#pragma once

#include <windows.h>

namespace yardstick {

// Registers a window class of the name and creates its window, hidden, placed
// by the system, with a client area of the size. Null when Windows refuses.
HWND create_window(HINSTANCE instance, const wchar_t* class_name, const wchar_t* title,
                   int client_width, int client_height);

// Shows the window and handles messages until it is closed, Tab and the
// like moving the focus between controls when dialog_keys is set. Returns
// the program's exit code.
int show_and_run(HWND window, int show_command, bool dialog_keys);

}  // namespace yardstick
