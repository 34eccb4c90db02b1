#include "manager/source_library.h"

HMODULE LoadSourceLibrary(const char* path, DSENTRYPROC* entry) {
    *entry = nullptr;
    // A broken file below the sources folder must not stop the application
    // with a system message box.
    UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    // The altered search path lets a source find the libraries installed
    // next to it, whatever the application's directory is.
    ScopedLibrary module(LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    SetErrorMode(previousMode);
    if (module.Get() == nullptr) {
        return nullptr;
    }
    FARPROC proc = GetProcAddress(module.Get(), "DS_Entry");
    if (proc == nullptr) {
        return nullptr;
    }
    *entry = reinterpret_cast<DSENTRYPROC>(reinterpret_cast<void*>(proc));
    return module.Detach();
}
