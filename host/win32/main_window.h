// KORVEL's main window and its message loop.
//
// Order: StartKorvel, then every message of the thread through
// DispatchLoopMessage (RunMessageLoop does that until WM_QUIT). Closing the
// window (its close request or the end of the Windows session) closes the
// TWAIN connection, restores the default source Preview changed, saves the
// window position and posts WM_QUIT.
#pragma once

#include <windows.h>

// Start-up: chooses the language, registers the window class (again, when a
// process starts the program a second time), places and creates the main
// window and shows it with showCommand. instance holds KORVEL's resources.
// Returns the window, or nullptr when it could not be made.
HWND StartKorvel(HINSTANCE instance, int showCommand);

// One message of the loop: first through the open source, then, unless the
// source consumed it, translated and dispatched.
void DispatchLoopMessage(MSG& message);

// The message loop; returns WM_QUIT's exit code.
int RunMessageLoop();
