// Loading a source file as a library and finding its DS_Entry.
#pragma once

#include <windows.h>

#include "common/twain_records.h"
#include "common/win32/win32_guards.h"

// Loads the source file at path (a full path). Returns the module, the
// caller owning the reference, with *entry set to its DS_Entry; returns
// nullptr (nothing left loaded, *entry nullptr) when the file is no library
// or exports no DS_Entry. Never shows the system's error boxes.
HMODULE LoadSourceLibrary(const char* path, DSENTRYPROC* entry);
