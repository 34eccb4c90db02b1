// Loading a source file as a library and finding its DS_Entry.
#pragma once

#include <windows.h>

#include "common/twain_records.h"

// Owns one reference to a loaded library; FreeLibrary on destruction unless
// Detach() handed the reference on.
class ScopedLibrary {
public:
    explicit ScopedLibrary(HMODULE module) : module_(module) {}
    ~ScopedLibrary() {
        if (module_ != nullptr) {
            FreeLibrary(module_);
        }
    }
    ScopedLibrary(const ScopedLibrary&) = delete;
    ScopedLibrary& operator=(const ScopedLibrary&) = delete;

    HMODULE Get() const { return module_; }
    HMODULE Detach() {
        HMODULE module = module_;
        module_ = nullptr;
        return module;
    }

private:
    HMODULE module_;
};

// Loads the source file at path (a full path). Returns the module, the
// caller owning the reference, with *entry set to its DS_Entry; returns
// nullptr (nothing left loaded, *entry nullptr) when the file is no library
// or exports no DS_Entry. Never shows the system's error boxes.
HMODULE LoadSourceLibrary(const char* path, DSENTRYPROC* entry);
