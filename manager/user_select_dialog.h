// The modal dialog in which the user picks a source by name.
#pragma once

#include <windows.h>

#include <vector>

#include "manager/manager_state.h"

constexpr int USER_SELECT_CANCELLED = -1;
constexpr int USER_SELECT_FAILED = -2;

// Shows the sources by ProductName, preselected highlighted, owned by parent
// (may be nullptr). Returns the chosen index into sources when the user
// confirms, USER_SELECT_CANCELLED when the user cancels or closes the dialog,
// USER_SELECT_FAILED when the dialog could not be created. sources must not
// be empty. Runs a modal loop: the manager lock must not be held.
int RunUserSelectDialog(HWND parent, const std::vector<SourceFile>& sources, size_t preselected);
