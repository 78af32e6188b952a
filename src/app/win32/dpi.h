// Screen scaling for the survey window. The functions that know a window's
// own DPI arrived in Windows 10; on older Windows the system DPI is used, so
// the one program runs on every Windows from 7 on.
#pragma once

#include <windows.h>

namespace tavro::win32 {

// The DPI the window is drawn at (96 is 100 %); for no window, the system's.
UINT dpi_of_window(HWND window);

// The window size whose client area is client_width x client_height pixels.
SIZE window_size_for_client(int client_width, int client_height, DWORD style, DWORD ex_style,
                            UINT dpi);

}  // namespace tavro::win32
