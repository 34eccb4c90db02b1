// The identity queries: enumeration, the default source, the user's choice.
#include "manager/manager_triplets.h"
#include "manager/source_directory.h"
#include "manager/user_select_dialog.h"

std::vector<SourceFile> ScanSources(std::unique_lock<std::mutex>& lock) {
    std::vector<SourceFile> open = OpenSourceFiles();
    lock.unlock();
    std::vector<SourceFile> found = FindSources(open);
    lock.lock();
    return found;
}

// Scans for sources with the lock released, then finds the calling
// application again: it may have closed the manager meanwhile (nullptr).
static AppRecord* ScanForApp(const CallRecord& call, std::unique_lock<std::mutex>& lock,
                             std::vector<SourceFile>& found) {
    TW_UINT32 appId = call.origin->Id;
    found = ScanSources(lock);
    return FindAppById(appId);
}

static void CopyIdentity(const CallRecord& call, const SourceFile& file) {
    *static_cast<TW_IDENTITY*>(call.data) = file.identity;
}

// Every MSG_GETFIRST scans afresh, so sources installed while the
// application runs show up.
TW_UINT16 GetFirstSource(const CallRecord& call, std::unique_lock<std::mutex>& lock) {
    std::vector<SourceFile> found;
    AppRecord* app = ScanForApp(call, lock, found);
    if (app == nullptr) {
        return Refuse(call.origin, TWCC_SEQERROR);
    }
    app->enumeration = std::move(found);
    app->enumerationCursor = 0;
    if (app->enumeration.empty()) {
        return TWRC_ENDOFLIST;
    }
    CopyIdentity(call, app->enumeration[app->enumerationCursor++]);
    return TWRC_SUCCESS;
}

// Without a preceding MSG_GETFIRST there is no enumeration in progress, so
// there is nothing further to list: TWRC_ENDOFLIST, like at its end.
TW_UINT16 GetNextSource(const CallRecord& call, std::unique_lock<std::mutex>&) {
    AppRecord* app = FindApp(call.origin);
    if (app->enumerationCursor >= app->enumeration.size()) {
        return TWRC_ENDOFLIST;
    }
    CopyIdentity(call, app->enumeration[app->enumerationCursor++]);
    return TWRC_SUCCESS;
}

// A default that names a missing or broken file falls back to the first
// source; WIN.INI is left as it is until the user chooses.
TW_UINT16 GetDefaultSource(const CallRecord& call, std::unique_lock<std::mutex>& lock) {
    std::vector<SourceFile> found = ScanSources(lock);
    if (found.empty()) {
        return Refuse(call.origin, TWCC_NODS);
    }
    CopyIdentity(call, found[DefaultSourceIndex(found)]);
    return TWRC_SUCCESS;
}

TW_UINT16 UserSelectSource(const CallRecord& call, std::unique_lock<std::mutex>& lock) {
    std::vector<SourceFile> found;
    AppRecord* app = ScanForApp(call, lock, found);
    if (app == nullptr) {
        return Refuse(call.origin, TWCC_SEQERROR);
    }
    // An empty list would offer the user nothing to choose.
    if (found.empty()) {
        return Refuse(call.origin, TWCC_NODS);
    }
    HWND parent = app->window;
    size_t preselected = DefaultSourceIndex(found);
    lock.unlock();
    int chosen = RunUserSelectDialog(parent, found, preselected);
    if (chosen >= 0) {
        WriteDefaultSource(found[static_cast<size_t>(chosen)].path);
    }
    lock.lock();
    if (chosen == USER_SELECT_FAILED) {
        return Refuse(call.origin, TWCC_BUMMER);
    }
    if (chosen == USER_SELECT_CANCELLED) {
        return TWRC_CANCEL;
    }
    CopyIdentity(call, found[static_cast<size_t>(chosen)]);
    return TWRC_SUCCESS;
}
