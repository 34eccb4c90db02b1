// Owners of the Win32 resources the source's windows borrow for a while: a
// window's device context, a lock on a global memory block, a GDI object
// selected into a context. Each gives its resource back when it goes out of
// scope, on every return path of a scan or a paint.
#pragma once

#include <windows.h>

#include "common/win32/global_memory.h"

class ScopedWindowDC {
public:
    explicit ScopedWindowDC(HWND owner) : window(owner), dc(GetDC(owner)) {}
    ~ScopedWindowDC() {
        if (dc != nullptr) ReleaseDC(window, dc);
    }
    ScopedWindowDC(const ScopedWindowDC&) = delete;
    ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;
    HDC Get() const { return dc; }

private:
    HWND window;
    HDC dc;
};

// Selects a pen, brush or bitmap into a context and selects the previous
// one back at the end of the scope.
class ScopedSelection {
public:
    ScopedSelection(HDC target, HGDIOBJ object) : dc(target), previous(SelectObject(target, object)) {}
    ~ScopedSelection() {
        if (previous != nullptr) SelectObject(dc, previous);
    }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;

private:
    HDC dc;
    HGDIOBJ previous;
};

// The wait cursor for a scope; the previous cursor comes back at its end.
class ScopedWaitCursor {
public:
    ScopedWaitCursor() : previous(SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)))) {}  // IDC_WAIT
    ~ScopedWaitCursor() { SetCursor(previous); }
    ScopedWaitCursor(const ScopedWaitCursor&) = delete;
    ScopedWaitCursor& operator=(const ScopedWaitCursor&) = delete;

private:
    HCURSOR previous;
};
