// The source manager's module-level records: one per application that opened
// the manager and one per source session, in fixed tables guarded by one lock.
//
// Locking: every function here expects managerLock to be held by the caller.
// The lock is never held while a source's DS_Entry runs (a source may call
// back into DSM_Entry from inside DS_Entry, or from another thread while the
// application's thread waits in DS_Entry), nor while the selection dialog
// runs its modal loop.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "common/twain_records.h"

// One source file found on disk, with the identity it reported (Id 0).
struct SourceFile {
    std::string path;
    TW_IDENTITY identity;
};

constexpr size_t MAX_APPS = 8;
constexpr size_t MAX_SESSIONS = 16;
// One slot per notification kind: a notification already pending is not
// queued twice, so the queue cannot overflow.
constexpr size_t MAX_PENDING = 4;

// An application between MSG_OPENDSM and MSG_CLOSEDSM.
struct AppRecord {
    bool used;
    TW_UINT32 id;
    HWND window;  // from MSG_OPENDSM: notifications wake this window's thread
    TW_UINT16 conditionCode;
    std::vector<SourceFile> enumeration;  // the last MSG_GETFIRST's result
    size_t enumerationCursor;             // next entry MSG_GETNEXT returns
};

enum SessionState : uint8_t {
    SESSION_FREE,
    SESSION_OPENING,  // slot reserved while the source answers MSG_OPENDS
    SESSION_OPEN,
    SESSION_CLOSING,  // closed, library freed once no call into it is running
};

struct SourceSession {
    SessionState state;
    TW_UINT32 id;
    TW_UINT32 appId;
    HMODULE module;  // owned: freed by ReleaseSessionIfDone
    DSENTRYPROC entry;
    TW_IDENTITY identity;
    std::string path;
    TW_UINT16 pending[MAX_PENDING];  // notifications, oldest first
    size_t pendingCount;
    uint32_t activeCalls;  // calls into DS_Entry now running (re-entry counts)
};

extern std::mutex managerLock;
extern AppRecord apps[MAX_APPS];
extern SourceSession sessions[MAX_SESSIONS];

// The application that origin names, or nullptr (origin NULL or unknown Id).
AppRecord* FindApp(const TW_IDENTITY* origin);
AppRecord* FindAppById(TW_UINT32 id);

// The open session with this Id, or nullptr (also for opening/closing ones).
SourceSession* FindOpenSession(TW_UINT32 id);

// True while the application has a session that is opening or open.
bool AppHasSessions(TW_UINT32 appId);

// A fresh Id, never 0 and never one an application or session holds.
TW_UINT32 NewId();

// The condition code a caller reads back: its own if origin is a known
// application, otherwise the manager-wide one (NULL origin, an application
// that has not opened the manager, a source).
TW_UINT16& ConditionFor(const TW_IDENTITY* origin);

// Sets the caller's condition code and returns TWRC_FAILURE.
TW_UINT16 Refuse(const TW_IDENTITY* origin, TW_UINT16 code);

// Path and identity of every session that is open, for the directory scan
// (which must not load those sources again).
std::vector<SourceFile> OpenSourceFiles();

// Queues a notification for the session (once per kind).
void QueueNotification(SourceSession& session, TW_UINT16 message);

// Removes and returns the oldest notification, MSG_NULL when none.
TW_UINT16 TakeNotification(SourceSession& session);

// Posts WM_NULL to the application's window, so that a thread waiting in
// GetMessage passes one more message through MSG_PROCESSEVENT. Nothing when
// the application has closed the manager.
void PostWakeUp(TW_UINT32 appId);

// Frees the session's library and slot once it is closing and no call into
// it is running. Drops the lock around FreeLibrary (the source's DllMain
// runs there) and takes it again.
void ReleaseSessionIfDone(std::unique_lock<std::mutex>& lock, SourceSession& session);
