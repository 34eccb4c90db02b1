// Capability negotiation: the replies are new blocks that become the
// application's to free, from a TWAIN 2 manager's allocator when it gave one
// and movable global blocks otherwise; the containers an application sets
// are its own blocks, read only as far as GlobalSize says they reach. The
// values and the decisions are in capability_table, the container bytes in
// capability_containers.
#include <windows.h>

#include <cstdint>
#include <cstring>

#include "source/twain/capability_containers.h"
#include "source/twain/capability_table.h"
#include "source/twain/win32/session_state.h"
#include "source/twain/win32/triplet.h"
#include "common/win32/global_memory.h"

namespace {

// The application frees a reply with the allocator of its manager: a TWAIN 2
// manager's when that gave all four memory functions, Windows' global memory
// otherwise. One call uses one of them throughout: the entry points change
// only between calls.
bool ManagerAllocates() {
    return managerEntry.DSM_MemAllocate != nullptr && managerEntry.DSM_MemFree != nullptr &&
           managerEntry.DSM_MemLock != nullptr && managerEntry.DSM_MemUnlock != nullptr;
}

// Owns a reply block until Detach() hands it to the application; frees it
// otherwise. Get() is null when no block of `bytes` could be had.
class ReplyBlock {
public:
    explicit ReplyBlock(size_t bytes) : block(Allocate(bytes)) {}
    ~ReplyBlock() {
        if (block == nullptr) return;
        if (ManagerAllocates()) {
            managerEntry.DSM_MemFree(block);
        } else {
            GlobalFree(block);
        }
    }
    ReplyBlock(const ReplyBlock&) = delete;
    ReplyBlock& operator=(const ReplyBlock&) = delete;
    TW_HANDLE Get() const { return block; }
    TW_HANDLE Detach() {
        TW_HANDLE owned = block;
        block = nullptr;
        return owned;
    }

private:
    // The manager's allocator counts in 32 bits.
    static TW_HANDLE Allocate(size_t bytes) {
        if (!ManagerAllocates()) return GlobalAlloc(GHND, bytes);
        return bytes <= UINT32_MAX ? managerEntry.DSM_MemAllocate(static_cast<TW_UINT32>(bytes)) : nullptr;
    }
    TW_HANDLE block;
};

// Locks a reply block for the scope; Get() is null when it cannot be locked.
class ScopedReplyLock {
public:
    explicit ScopedReplyLock(TW_HANDLE locked)
        : block(locked),
          bytes(ManagerAllocates() ? managerEntry.DSM_MemLock(locked) : GlobalLock(locked)) {}
    ~ScopedReplyLock() {
        if (bytes == nullptr) return;
        if (ManagerAllocates()) {
            managerEntry.DSM_MemUnlock(block);
        } else {
            GlobalUnlock(block);
        }
    }
    ScopedReplyLock(const ScopedReplyLock&) = delete;
    ScopedReplyLock& operator=(const ScopedReplyLock&) = delete;
    BYTE* Get() const { return static_cast<BYTE*>(bytes); }

private:
    TW_HANDLE block;
    void* bytes;
};

// Puts a new block of `bytes`, filled by `write`, into the capability as its
// container; the block is freed on every failure and becomes the
// application's only once it is filled. Answers 0, or TWCC_LOWMEMORY when
// no block can be had or locked.
template <typename Writer>
TW_UINT16 BuildContainer(TW_CAPABILITY& capability, TW_UINT16 conType, size_t bytes, Writer write) {
    ReplyBlock container(bytes);
    if (container.Get() == nullptr) {
        return TWCC_LOWMEMORY;
    }
    {
        ScopedReplyLock lock(container.Get());
        if (lock.Get() == nullptr) {
            return TWCC_LOWMEMORY;
        }
        // A manager's allocator need not clear what it gives, and padding
        // the writer skips reaches the application all the same.
        std::memset(lock.Get(), 0, bytes);
        write(lock.Get());
    }
    capability.hContainer = container.Detach();
    capability.ConType = conType;
    return 0;
}

TW_UINT16 BuildOneValue(TW_CAPABILITY& capability, TW_UINT16 itemType, TW_UINT32 value) {
    return BuildContainer(capability, TWON_ONEVALUE, ONE_VALUE_BYTES,
                          [&](BYTE* block) { WriteOneValue(block, itemType, value); });
}

TW_UINT16 BuildEnumeration(TW_CAPABILITY& capability, const EnumerationHeader& header, const uint32_t* items) {
    return BuildContainer(capability, TWON_ENUMERATION, EnumerationBytes(header),
                          [&](BYTE* block) { WriteEnumeration(block, header, items); });
}

// Runs `read` on the application's container and its true size. A null,
// freed or foreign handle has no size, and one that cannot be locked is
// not read either: the destination keeps its value.
template <typename Reader>
void ReadContainer(const TW_CAPABILITY& capability, Reader read) {
    HGLOBAL container = capability.hContainer;
    if (container == nullptr) {
        return;
    }
    SIZE_T size = GlobalSize(container);
    if (size == 0) {
        return;
    }
    ScopedGlobalLock lock(container);
    if (lock.Get() != nullptr) {
        read(lock.Get(), size);
    }
}

void ReadOneValue(const TW_CAPABILITY& capability, TW_UINT32& destination) {
    ReadContainer(capability, [&](const BYTE* block, SIZE_T size) { ReadItemOfOneValue(block, size, destination); });
}

void ReadEnumerationItem(const TW_CAPABILITY& capability, TW_UINT32& destination, TW_UINT32 index) {
    ReadContainer(capability,
                  [&](const BYTE* block, SIZE_T size) { ReadItemOfEnumeration(block, size, index, destination); });
}

// MSG_GET, MSG_GETCURRENT and MSG_GETDEFAULT: one answer for all three.
TW_UINT16 GetCapability(TW_CAPABILITY& capability) {
    const CapabilityEntry* entry = FindCapability(capability.Cap);
    if (entry == nullptr) {
        return Refuse(TWCC_BADCAP);
    }
    TW_UINT16 code = entry->conType == TWON_ONEVALUE
                         ? BuildOneValue(capability, TWTY_UINT16, CapabilitySettingValue(entry->setting))
                         : BuildEnumeration(capability, entry->header, entry->items);
    return code == 0 ? TWRC_SUCCESS : Refuse(code);
}

// MSG_SET and MSG_RESET: a reset reads the container like a set, there is no
// default to go back to. Values read for capabilities without a setting are
// discarded.
void SetCapability(const TW_CAPABILITY& capability) {
    SetDecision decision = SetDecisionFor(capability.Cap, capability.ConType);
    TW_UINT32 discarded = 0;
    TW_UINT32* destination = CapabilitySettingVariable(decision.destination);
    TW_UINT32& target = destination != nullptr ? *destination : discarded;
    switch (decision.action) {
    case SetAction::ReadOneValue:
        ReadOneValue(capability, target);
        break;
    case SetAction::ReadFirstEnumerationItem:
        ReadEnumerationItem(capability, target, 0);
        break;
    case SetAction::Ignore:
        break;
    }
}

}  // namespace

TW_UINT16 CapabilityHandler(TripletRecord* triplet) {
    auto* capability = static_cast<TW_CAPABILITY*>(triplet->data);
    if (capability == nullptr) {
        return Refuse(TWCC_BADVALUE);
    }
    switch (triplet->message) {
    case MSG_GET:
    case MSG_GETCURRENT:
    case MSG_GETDEFAULT:
        return GetCapability(*capability);
    case MSG_SET:
    case MSG_RESET:
        SetCapability(*capability);
        return TWRC_SUCCESS;
    default:
        return Refuse(TWCC_BADPROTOCOL);
    }
}
