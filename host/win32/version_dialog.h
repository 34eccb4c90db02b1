// The version box IDD_VERSION.
#pragma once

#include <windows.h>

// Shows the modal version box over owner: the program icon, the product,
// and the settings key VERSION (default "0.00", up to 128 characters).
void ShowVersionDialog(HWND owner);
