// The owner of a lock on a global memory block, shared by the data source
// and the host program: both hand pictures around in such blocks.
#pragma once

#include <windows.h>

// Locks the block for the scope; Get() is null when the block is null or
// cannot be locked.
class ScopedGlobalLock {
public:
    explicit ScopedGlobalLock(HGLOBAL locked) : block(locked), bytes(locked != nullptr ? GlobalLock(locked) : nullptr) {}
    ~ScopedGlobalLock() {
        if (bytes != nullptr) GlobalUnlock(block);
    }
    ScopedGlobalLock(const ScopedGlobalLock&) = delete;
    ScopedGlobalLock& operator=(const ScopedGlobalLock&) = delete;
    BYTE* Get() const { return static_cast<BYTE*>(bytes); }

private:
    HGLOBAL block;
    void* bytes;
};
