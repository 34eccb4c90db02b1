// The handlers of the triplets the source manager answers itself, and the
// routes for everything it passes on.
//
// Each handler is called from DSM_Entry with managerLock held through lock,
// after the checks of the dispatch table (origin present where required,
// the application's manager state, data present where required). A handler
// may release the lock while it calls into a source or runs a dialog; it
// takes it again and finds its records anew before touching them. Every
// refusal sets the caller's condition code (see ConditionFor).
#pragma once

#include <mutex>
#include <vector>

#include "manager/manager_state.h"

struct CallRecord {
    TW_IDENTITY* origin;
    TW_IDENTITY* dest;
    TW_UINT32 dataGroup;
    TW_UINT16 dataArgType;
    TW_UINT16 message;
    TW_MEMREF data;
};

typedef TW_UINT16 (*ManagerHandler)(const CallRecord& call, std::unique_lock<std::mutex>& lock);

// DAT_PARENT, DAT_STATUS (app_sessions.cpp).
TW_UINT16 OpenManager(const CallRecord& call, std::unique_lock<std::mutex>& lock);
TW_UINT16 CloseManager(const CallRecord& call, std::unique_lock<std::mutex>& lock);
TW_UINT16 GetManagerStatus(const CallRecord& call, std::unique_lock<std::mutex>& lock);

// DAT_IDENTITY queries (source_identities.cpp).
TW_UINT16 GetFirstSource(const CallRecord& call, std::unique_lock<std::mutex>& lock);
TW_UINT16 GetNextSource(const CallRecord& call, std::unique_lock<std::mutex>& lock);
TW_UINT16 GetDefaultSource(const CallRecord& call, std::unique_lock<std::mutex>& lock);
TW_UINT16 UserSelectSource(const CallRecord& call, std::unique_lock<std::mutex>& lock);

// The installed sources, scanned with the lock released (the scan loads
// every source). The identities of open sessions are taken from their
// records, so that those sources are not loaded again.
std::vector<SourceFile> ScanSources(std::unique_lock<std::mutex>& lock);

// DAT_IDENTITY MSG_OPENDS / MSG_CLOSEDS (source_sessions.cpp).
TW_UINT16 OpenSource(const CallRecord& call, std::unique_lock<std::mutex>& lock);
TW_UINT16 CloseSource(const CallRecord& call, std::unique_lock<std::mutex>& lock);

// Any triplet with a destination: passes it to that open source of the
// calling application, DAT_EVENT/MSG_PROCESSEVENT with the notification
// hand-over. Takes the lock itself. Returns the source's code, or
// TWRC_FAILURE with TWCC_BADVALUE (origin NULL), TWCC_SEQERROR (the origin
// has not opened the manager) or TWCC_BADDEST (no such open source of that
// application) in the manager's status.
TW_UINT16 ForwardToSource(const CallRecord& call);

// DG_CONTROL/DAT_NULL from a source (notifications.cpp). Takes the lock
// itself.
TW_UINT16 HandleNotification(const CallRecord& call);
