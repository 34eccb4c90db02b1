// The main scan window: the source's user interface, a modeless dialog made
// from the template PREVIEW_DLG.
#pragma once

#include <windows.h>

#include "source/resources/resource_ids.h"

// The private window class that every dialog template of the source names.
constexpr char SOURCE_WINDOW_CLASS[] = SOURCE_CLASS_NAME;

// Registers that class (once per enable; a second registration fails
// harmlessly).
void RegisterSourceClass();

// Creates the window (without an owner) and answers its handle, or null when
// it cannot be made. The class must be registered first.
HWND CreateMainWindow();
