// Owners of the Win32 resources KORVEL borrows or holds for a while, each
// named after what it gives back, on every return path.
#pragma once

#include <windows.h>

#include "common/global_memory.h"

// A file handle, closed with CloseHandle. Close() reports whether closing
// succeeded (a written file's last data may fail only then).
class ScopedFileHandle {
public:
    explicit ScopedFileHandle(HANDLE owned) : file(owned) {}
    ~ScopedFileHandle() { Close(); }
    ScopedFileHandle(const ScopedFileHandle&) = delete;
    ScopedFileHandle& operator=(const ScopedFileHandle&) = delete;
    bool IsOpen() const { return file != INVALID_HANDLE_VALUE && file != nullptr; }
    HANDLE Get() const { return file; }
    bool Close() {
        if (!IsOpen()) return true;
        bool closed = CloseHandle(file) != FALSE;
        file = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE file;
};

// BeginPaint for the scope, EndPaint at its end.
class ScopedPaint {
public:
    explicit ScopedPaint(HWND painted) : window(painted), paint{}, dc(BeginPaint(painted, &paint)) {}
    ~ScopedPaint() { EndPaint(window, &paint); }
    ScopedPaint(const ScopedPaint&) = delete;
    ScopedPaint& operator=(const ScopedPaint&) = delete;
    HDC Get() const { return dc; }

private:
    HWND window;
    PAINTSTRUCT paint;
    HDC dc;
};
