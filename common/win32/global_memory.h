// Owners of global memory blocks and of locks on them, shared by the data
// source and the host program: both hand pictures around in such blocks.
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

// Owns a global memory block until Detach() hands it on; GlobalFree
// otherwise.
class GlobalBlock {
public:
    explicit GlobalBlock(HGLOBAL owned) : block(owned) {}
    ~GlobalBlock() {
        if (block != nullptr) GlobalFree(block);
    }
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;
    HGLOBAL Get() const { return block; }
    HGLOBAL Detach() {
        HGLOBAL owned = block;
        block = nullptr;
        return owned;
    }

private:
    HGLOBAL block;
};
