// Where the source's own windows open and what they keep of their place:
// the position saved in the settings file, kept on the desktop, and saved
// again when a window goes unless it is minimised. Windows only; the rule
// is ui/window_placement.
#pragma once

#include <windows.h>

// The position saved under `leftKey` and `topKey` of a `width` x `height`
// window, or its centred place (centred as if `centredHeight` high) when
// none is saved or the saved one would leave half of it off the desktop.
POINT SavedWindowPlace(const char* leftKey, const char* topKey, int width, int height, int centredHeight);

// Writes the window's left and top edges under the keys, unless it is no
// taller than 50 pixels (minimised): then the place saved before stays.
void SaveWindowPlace(HWND window, const char* leftKey, const char* topKey);
