// Owners of the Win32 resources both programs borrow or hold for a while,
// each named after the call whose undoing it owns, and each giving its
// resource back on every return path. The owners of global memory blocks
// and of locks on them are in global_memory.h beside this file.
#pragma once

#include <windows.h>

#include "common/win32/global_memory.h"

// GetDC of a window for the scope, ReleaseDC at its end.
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

// SelectObject for the scope; the object it replaced is selected again at
// its end. Selects nothing for a null context or object.
class ScopedSelectObject {
public:
    ScopedSelectObject(HDC selectedInto, HGDIOBJ selected)
        : dc(selectedInto), previous(dc != nullptr && selected != nullptr ? SelectObject(dc, selected) : nullptr) {}
    ~ScopedSelectObject() {
        if (previous != nullptr) SelectObject(dc, previous);
    }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

private:
    HDC dc;
    HGDIOBJ previous;
};

// A memory device context from CreateCompatibleDC, owned for the scope and
// deleted with DeleteDC at its end. Deletes nothing when the call failed.
// Whatever was selected into it must be selected out first (declare the
// ScopedSelectObject after this owner, so that it ends before).
class ScopedMemoryDC {
public:
    explicit ScopedMemoryDC(HDC created) : dc(created) {}
    ~ScopedMemoryDC() {
        if (dc != nullptr) DeleteDC(dc);
    }
    ScopedMemoryDC(const ScopedMemoryDC&) = delete;
    ScopedMemoryDC& operator=(const ScopedMemoryDC&) = delete;
    HDC Get() const { return dc; }

private:
    HDC dc;
};

// A GDI object the caller created (a font, a bitmap, a brush, a pen), owned
// for the scope and deleted with DeleteObject at its end. Deletes nothing
// when the call failed. It must not still be selected into a context then:
// declare the ScopedSelectObject after this owner. Stock objects are not
// owned and never go in here.
template <typename Handle>
class ScopedGdiObject {
public:
    explicit ScopedGdiObject(Handle created) : object(created) {}
    ~ScopedGdiObject() {
        if (object != nullptr) DeleteObject(object);
    }
    ScopedGdiObject(const ScopedGdiObject&) = delete;
    ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;
    Handle Get() const { return object; }

private:
    Handle object;
};

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

// One reference to a loaded library, given back with FreeLibrary unless
// Detach() hands it on.
class ScopedLibrary {
public:
    explicit ScopedLibrary(HMODULE loaded) : module(loaded) {}
    ~ScopedLibrary() {
        if (module != nullptr) FreeLibrary(module);
    }
    ScopedLibrary(const ScopedLibrary&) = delete;
    ScopedLibrary& operator=(const ScopedLibrary&) = delete;
    HMODULE Get() const { return module; }
    HMODULE Detach() {
        HMODULE loaded = module;
        module = nullptr;
        return loaded;
    }

private:
    HMODULE module;
};
