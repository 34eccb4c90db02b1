// The menu and tool button commands of the main window.
#pragma once

#include <windows.h>

#include <cstdint>

// Runs command (IDM_...). Returns false when it is none of KORVEL's.
// Acquire, Select Source and Preview do nothing while a source is enabled.
bool RunCommand(HWND window, uint16_t command);
