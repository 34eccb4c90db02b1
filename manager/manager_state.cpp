#include "manager/manager_state.h"

std::mutex managerLock;
AppRecord apps[MAX_APPS] = {};
SourceSession sessions[MAX_SESSIONS] = {};

static TW_UINT16 managerConditionCode = TWCC_SUCCESS;
static TW_UINT32 lastId = 0;

AppRecord* FindAppById(TW_UINT32 id) {
    if (id == 0) {
        return nullptr;
    }
    for (AppRecord& app : apps) {
        if (app.used && app.id == id) {
            return &app;
        }
    }
    return nullptr;
}

AppRecord* FindApp(const TW_IDENTITY* origin) {
    return origin != nullptr ? FindAppById(origin->Id) : nullptr;
}

SourceSession* FindOpenSession(TW_UINT32 id) {
    if (id == 0) {
        return nullptr;
    }
    for (SourceSession& session : sessions) {
        if (session.state == SESSION_OPEN && session.id == id) {
            return &session;
        }
    }
    return nullptr;
}

bool AppHasSessions(TW_UINT32 appId) {
    for (const SourceSession& session : sessions) {
        bool live = session.state == SESSION_OPENING || session.state == SESSION_OPEN;
        if (live && session.appId == appId) {
            return true;
        }
    }
    return false;
}

static bool IdInUse(TW_UINT32 id) {
    if (FindAppById(id) != nullptr) {
        return true;
    }
    for (const SourceSession& session : sessions) {
        if (session.state != SESSION_FREE && session.id == id) {
            return true;
        }
    }
    return false;
}

TW_UINT32 NewId() {
    // Applications and sources draw from one counter, so a destination Id
    // can never be mistaken for an application's.
    do {
        ++lastId;
    } while (lastId == 0 || IdInUse(lastId));
    return lastId;
}

TW_UINT16& ConditionFor(const TW_IDENTITY* origin) {
    AppRecord* app = FindApp(origin);
    return app != nullptr ? app->conditionCode : managerConditionCode;
}

TW_UINT16 Refuse(const TW_IDENTITY* origin, TW_UINT16 code) {
    ConditionFor(origin) = code;
    return TWRC_FAILURE;
}

std::vector<SourceFile> OpenSourceFiles() {
    std::vector<SourceFile> open;
    for (const SourceSession& session : sessions) {
        if (session.state == SESSION_OPEN) {
            SourceFile file = {session.path, session.identity};
            file.identity.Id = 0;
            open.push_back(file);
        }
    }
    return open;
}

void QueueNotification(SourceSession& session, TW_UINT16 message) {
    for (size_t i = 0; i < session.pendingCount; ++i) {
        if (session.pending[i] == message) {
            return;
        }
    }
    if (session.pendingCount < MAX_PENDING) {
        session.pending[session.pendingCount++] = message;
    }
}

TW_UINT16 TakeNotification(SourceSession& session) {
    if (session.pendingCount == 0) {
        return MSG_NULL;
    }
    TW_UINT16 message = session.pending[0];
    for (size_t i = 1; i < session.pendingCount; ++i) {
        session.pending[i - 1] = session.pending[i];
    }
    --session.pendingCount;
    return message;
}

void PostWakeUp(TW_UINT32 appId) {
    AppRecord* app = FindAppById(appId);
    if (app != nullptr) {
        PostMessageA(app->window, WM_NULL, 0, 0);
    }
}

void ReleaseSessionIfDone(std::unique_lock<std::mutex>& lock, SourceSession& session) {
    if (session.state != SESSION_CLOSING || session.activeCalls != 0) {
        return;
    }
    HMODULE module = session.module;
    session = SourceSession{};
    lock.unlock();
    if (module != nullptr) {
        FreeLibrary(module);
    }
    lock.lock();
}
