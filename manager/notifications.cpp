// Notifications from a source to its application (DG_CONTROL/DAT_NULL).
#include "manager/manager_triplets.h"

static constexpr TW_UINT16 NOTIFICATIONS[] = {MSG_XFERREADY, MSG_CLOSEDSREQ, MSG_CLOSEDSOK, MSG_DEVICEEVENT};
static_assert(sizeof NOTIFICATIONS / sizeof NOTIFICATIONS[0] == MAX_PENDING);

static bool IsNotification(TW_UINT16 message) {
    for (TW_UINT16 known : NOTIFICATIONS) {
        if (known == message) {
            return true;
        }
    }
    return false;
}

// origin is the source's identity as the manager completed it at open, dest
// its application's. Returns TWRC_SUCCESS once the notification is pending
// and the application's window has been woken; TWRC_FAILURE with TWCC_BADVALUE
// (origin is no open source), TWCC_BADDEST (dest is not the application that
// opened it) or TWCC_BADPROTOCOL (not a notification) in the manager-wide
// status.
TW_UINT16 HandleNotification(const CallRecord& call) {
    std::unique_lock<std::mutex> lock(managerLock);
    if (call.dest == nullptr || !IsNotification(call.message)) {
        return Refuse(call.origin, TWCC_BADPROTOCOL);
    }
    SourceSession* session = call.origin != nullptr ? FindOpenSession(call.origin->Id) : nullptr;
    if (session == nullptr) {
        return Refuse(call.origin, TWCC_BADVALUE);
    }
    AppRecord* app = FindAppById(session->appId);
    if (app == nullptr || call.dest->Id != app->id) {
        return Refuse(call.origin, TWCC_BADDEST);
    }
    QueueNotification(*session, call.message);
    // The application may be waiting in GetMessage with nothing else to come.
    PostWakeUp(app->id);
    return TWRC_SUCCESS;
}
