// The manager's one entry point: the dispatch table of the triplets it
// answers itself, the routes to sources, and the guard that keeps every
// failure inside as a return code.
#include <new>

#include "manager/manager_triplets.h"

// Which manager state a triplet needs of its application.
enum StateRule : uint8_t {
    ANY_STATE,     // also before MSG_OPENDSM (the status)
    MANAGER_SHUT,  // state 2: the application has not opened the manager
    MANAGER_OPEN,  // states 3 and 4
};

struct ManagerTriplet {
    TW_UINT16 dataArgType;
    TW_UINT16 message;
    StateRule state;
    bool needsOrigin;
    bool needsData;
    ManagerHandler handler;
};

// All are DG_CONTROL.
static constexpr ManagerTriplet MANAGER_TRIPLETS[] = {
    {DAT_PARENT, MSG_OPENDSM, MANAGER_SHUT, true, true, OpenManager},
    {DAT_PARENT, MSG_CLOSEDSM, MANAGER_OPEN, true, false, CloseManager},
    {DAT_IDENTITY, MSG_GETFIRST, MANAGER_OPEN, true, true, GetFirstSource},
    {DAT_IDENTITY, MSG_GETNEXT, MANAGER_OPEN, true, true, GetNextSource},
    {DAT_IDENTITY, MSG_GETDEFAULT, MANAGER_OPEN, true, true, GetDefaultSource},
    {DAT_IDENTITY, MSG_USERSELECT, MANAGER_OPEN, true, true, UserSelectSource},
    {DAT_IDENTITY, MSG_OPENDS, MANAGER_OPEN, true, true, OpenSource},
    {DAT_IDENTITY, MSG_CLOSEDS, MANAGER_OPEN, true, false, CloseSource},
    {DAT_STATUS, MSG_GET, ANY_STATE, false, true, GetManagerStatus},
};

static const ManagerTriplet* FindManagerTriplet(const CallRecord& call) {
    if (call.dataGroup != DG_CONTROL) {
        return nullptr;
    }
    for (const ManagerTriplet& triplet : MANAGER_TRIPLETS) {
        if (triplet.dataArgType == call.dataArgType && triplet.message == call.message) {
            return &triplet;
        }
    }
    return nullptr;
}

static TW_UINT16 RunManagerTriplet(const CallRecord& call) {
    std::unique_lock<std::mutex> lock(managerLock);
    const ManagerTriplet* triplet = FindManagerTriplet(call);
    if (triplet == nullptr) {
        return Refuse(call.origin, TWCC_BADPROTOCOL);
    }
    if (triplet->needsOrigin && call.origin == nullptr) {
        return Refuse(call.origin, TWCC_BADVALUE);
    }
    bool managerOpen = FindApp(call.origin) != nullptr;
    if ((triplet->state == MANAGER_SHUT && managerOpen) || (triplet->state == MANAGER_OPEN && !managerOpen)) {
        return Refuse(call.origin, TWCC_SEQERROR);
    }
    if (triplet->needsData && call.data == nullptr) {
        return Refuse(call.origin, TWCC_BADVALUE);
    }
    return triplet->handler(call, lock);
}

// Opening and closing a source concern the manager whatever the application
// gives as destination: only the manager can load and unload the library.
static bool IsSourceLoading(const CallRecord& call) {
    return call.dataGroup == DG_CONTROL && call.dataArgType == DAT_IDENTITY &&
           (call.message == MSG_OPENDS || call.message == MSG_CLOSEDS);
}

static TW_UINT16 Dispatch(const CallRecord& call) {
    if (call.dataGroup == DG_CONTROL && call.dataArgType == DAT_NULL) {
        return HandleNotification(call);
    }
    if (call.dest != nullptr && !IsSourceLoading(call)) {
        return ForwardToSource(call);
    }
    return RunManagerTriplet(call);
}

extern "C" TW_UINT16 TW_CALLINGSTYLE DSM_Entry(TW_IDENTITY* origin, TW_IDENTITY* dest, TW_UINT32 dataGroup,
                                               TW_UINT16 dataArgType, TW_UINT16 message, TW_MEMREF data) {
    CallRecord call = {origin, dest, dataGroup, dataArgType, message, data};
    // Nothing may unwind into the application: running out of memory while
    // scanning is reported like any other failure.
    try {
        return Dispatch(call);
    } catch (const std::bad_alloc&) {
        std::lock_guard<std::mutex> guard(managerLock);
        Refuse(origin, TWCC_LOWMEMORY);
    } catch (...) {
        std::lock_guard<std::mutex> guard(managerLock);
        Refuse(origin, TWCC_BUMMER);
    }
    return TWRC_FAILURE;
}
