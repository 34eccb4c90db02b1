// Opening and closing sources, and passing triplets on to open ones.
#include <cstring>

#include "manager/manager_triplets.h"
#include "manager/source_directory.h"
#include "manager/source_library.h"

// Calls the session's DS_Entry with the lock released. The session stays
// reserved meanwhile (activeCalls), so a close that happens inside the call
// does not unload the library the call is still running in.
static TW_UINT16 CallSession(std::unique_lock<std::mutex>& lock, SourceSession& session, TW_IDENTITY* origin,
                             TW_UINT32 dataGroup, TW_UINT16 dataArgType, TW_UINT16 message, TW_MEMREF data) {
    DSENTRYPROC entry = session.entry;
    ++session.activeCalls;
    lock.unlock();
    TW_UINT16 rc = entry(origin, dataGroup, dataArgType, message, data);
    lock.lock();
    --session.activeCalls;
    return rc;
}

static SourceSession* ReserveSession(TW_UINT32 appId) {
    for (SourceSession& session : sessions) {
        if (session.state == SESSION_FREE) {
            session = SourceSession{};
            session.state = SESSION_OPENING;
            session.appId = appId;
            return &session;
        }
    }
    return nullptr;
}

// The source the application asked for: by ProductName, or the default one
// when the name is empty. Returns nullptr when there is no such source.
static const SourceFile* ChooseSource(const std::vector<SourceFile>& found, const TW_IDENTITY& requested) {
    if (found.empty()) {
        return nullptr;
    }
    if (ProductNameLength(requested.ProductName) == 0) {
        return &found[DefaultSourceIndex(found)];
    }
    for (const SourceFile& file : found) {
        if (SameProductName(file.identity.ProductName, requested.ProductName)) {
            return &file;
        }
    }
    return nullptr;
}

// After a refused open the source is unloaded, so its status cannot be read
// later: its condition code is kept as the manager's own.
static TW_UINT16 SourceConditionCode(DSENTRYPROC entry, TW_IDENTITY* origin) {
    TW_STATUS status = {};
    if (entry(origin, DG_CONTROL, DAT_STATUS, MSG_GET, &status) != TWRC_SUCCESS) {
        return TWCC_BUMMER;
    }
    return status.ConditionCode;
}

static TW_UINT16 RefuseOpen(const CallRecord& call, SourceSession* session, TW_UINT16 code) {
    *session = SourceSession{};
    return Refuse(call.origin, code);
}

// Gives back a slot reserved for an open that an exception (memory running
// out while the sources are scanned) cut short; otherwise it would stay
// "opening" for good and the application could never close the manager.
// Every normal return leaves the slot free or open with the lock held, so
// the slot seen here is still this open's.
class ReservedSession {
public:
    ReservedSession(SourceSession* reserved, std::unique_lock<std::mutex>& held) : session(reserved), lock(held) {}
    ~ReservedSession() {
        if (session == nullptr || session->state != SESSION_OPENING) return;
        if (!lock.owns_lock()) lock.lock();
        *session = SourceSession{};
    }
    ReservedSession(const ReservedSession&) = delete;
    ReservedSession& operator=(const ReservedSession&) = delete;

private:
    SourceSession* session;
    std::unique_lock<std::mutex>& lock;
};

// Returns TWRC_SUCCESS with the source's full identity and its fresh Id in
// data; the source's refusal (its code, its condition code in the manager's
// status, the Id in data reset to 0); or TWRC_FAILURE with TWCC_NODS (no such
// source, or it no longer loads) or TWCC_MAXCONNECTIONS (session table full).
TW_UINT16 OpenSource(const CallRecord& call, std::unique_lock<std::mutex>& lock) {
    auto* requested = static_cast<TW_IDENTITY*>(call.data);
    TW_UINT32 appId = call.origin->Id;
    SourceSession* session = ReserveSession(appId);
    if (session == nullptr) {
        return Refuse(call.origin, TWCC_MAXCONNECTIONS);
    }
    ReservedSession reserved(session, lock);
    std::vector<SourceFile> found = ScanSources(lock);
    const SourceFile* chosen = ChooseSource(found, *requested);
    if (chosen == nullptr) {
        return RefuseOpen(call, session, TWCC_NODS);
    }
    lock.unlock();
    DSENTRYPROC entry = nullptr;
    ScopedLibrary library(LoadSourceLibrary(chosen->path.c_str(), &entry));
    lock.lock();
    if (library.Get() == nullptr) {
        return RefuseOpen(call, session, TWCC_NODS);
    }
    TW_UINT32 sourceId = NewId();
    session->id = sourceId;
    *requested = chosen->identity;
    requested->Id = sourceId;
    lock.unlock();
    TW_UINT16 rc = entry(call.origin, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, requested);
    if (rc != TWRC_SUCCESS) {
        TW_UINT16 code = SourceConditionCode(entry, call.origin);
        // Freed before the lock is taken again: the source's DllMain runs.
        FreeLibrary(library.Detach());
        lock.lock();
        requested->Id = 0;
        RefuseOpen(call, session, code);
        return rc;
    }
    lock.lock();
    // The Id is the manager's to give, whatever the source wrote into data.
    requested->Id = sourceId;
    session->module = library.Detach();
    session->entry = entry;
    session->identity = *requested;
    session->path = chosen->path;
    session->state = SESSION_OPEN;
    return TWRC_SUCCESS;
}

static SourceSession* FindAppSession(TW_UINT32 sourceId, TW_UINT32 appId) {
    SourceSession* session = FindOpenSession(sourceId);
    return session != nullptr && session->appId == appId ? session : nullptr;
}

// The source is named by data, as applications send it; an application that
// names it as destination instead is served too, since only the manager can
// unload the library. Returns the source's code; TWRC_FAILURE with
// TWCC_BADVALUE (no identity at all) or TWCC_BADDEST (no such open source of
// this application).
TW_UINT16 CloseSource(const CallRecord& call, std::unique_lock<std::mutex>& lock) {
    TW_IDENTITY* target = call.data != nullptr ? static_cast<TW_IDENTITY*>(call.data) : call.dest;
    if (target == nullptr) {
        return Refuse(call.origin, TWCC_BADVALUE);
    }
    SourceSession* session = FindAppSession(target->Id, call.origin->Id);
    if (session == nullptr) {
        return Refuse(call.origin, TWCC_BADDEST);
    }
    TW_UINT16 rc = CallSession(lock, *session, call.origin, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, target);
    if (rc == TWRC_SUCCESS && session->state == SESSION_OPEN) {
        // Notifications of a closed session would reach nobody.
        session->state = SESSION_CLOSING;
        session->pendingCount = 0;
    }
    ReleaseSessionIfDone(lock, *session);
    return rc;
}

// The source sees the event first. A pending notification is handed over
// only with a message that is lost to nobody: one the source consumed, or a
// WM_NULL (what the manager posts to wake the application; it carries
// nothing). With any other message the application must still dispatch it,
// so TWRC_DSEVENT cannot be answered; the notification stays pending and one
// more wake-up is posted, in case the first was dispatched by a loop that
// does not pass messages through the manager.
static TW_UINT16 ProcessEvent(const CallRecord& call, std::unique_lock<std::mutex>& lock, SourceSession& session) {
    auto* event = static_cast<TW_EVENT*>(call.data);
    if (event == nullptr) {
        return Refuse(call.origin, TWCC_BADVALUE);
    }
    // A value left over from the previous event must not read as a new one.
    event->TWMessage = MSG_NULL;
    TW_UINT16 rc = CallSession(lock, session, call.origin, call.dataGroup, call.dataArgType, call.message, event);
    if (session.state == SESSION_OPEN && session.pendingCount > 0 && event->TWMessage == MSG_NULL) {
        const MSG* message = static_cast<const MSG*>(event->pEvent);
        bool harmless = rc == TWRC_DSEVENT || message == nullptr || message->message == WM_NULL;
        if (harmless) {
            event->TWMessage = TakeNotification(session);
            rc = TWRC_DSEVENT;
        } else {
            PostWakeUp(session.appId);
        }
    }
    ReleaseSessionIfDone(lock, session);
    return rc;
}

TW_UINT16 ForwardToSource(const CallRecord& call) {
    std::unique_lock<std::mutex> lock(managerLock);
    if (call.origin == nullptr) {
        return Refuse(call.origin, TWCC_BADVALUE);
    }
    AppRecord* app = FindApp(call.origin);
    if (app == nullptr) {
        return Refuse(call.origin, TWCC_SEQERROR);
    }
    SourceSession* session = FindAppSession(call.dest->Id, app->id);
    if (session == nullptr) {
        return Refuse(call.origin, TWCC_BADDEST);
    }
    if (call.dataGroup == DG_CONTROL && call.dataArgType == DAT_EVENT && call.message == MSG_PROCESSEVENT) {
        return ProcessEvent(call, lock, *session);
    }
    TW_UINT16 rc = CallSession(lock, *session, call.origin, call.dataGroup, call.dataArgType, call.message,
                               call.data);
    ReleaseSessionIfDone(lock, *session);
    return rc;
}
