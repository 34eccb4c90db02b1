// Drawing the source's bitmap resources into its windows.
#pragma once

#include <windows.h>

// Loads the named bitmap resource and copies it from its top-left corner to
// (x, y), width x height, in the window's context and, when memoryDC is not
// null, in the window's memory copy as well. Nothing is drawn when the
// resource is missing.
void DrawBitmapResource(const char* name, HDC windowDC, HDC memoryDC, int x, int y, int width, int height);
