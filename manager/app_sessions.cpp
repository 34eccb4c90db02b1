// Opening and closing the manager, and the manager's own status.
#include "manager/manager_triplets.h"

TW_UINT16 OpenManager(const CallRecord& call, std::unique_lock<std::mutex>&) {
    HWND window = *static_cast<HWND*>(call.data);
    // Without a live window no notification could ever wake the application:
    // refuse now rather than lose them later.
    if (!IsWindow(window)) {
        return Refuse(call.origin, TWCC_BADVALUE);
    }
    for (AppRecord& app : apps) {
        if (!app.used) {
            app = AppRecord{};
            app.used = true;
            app.id = NewId();
            app.window = window;
            call.origin->Id = app.id;
            return TWRC_SUCCESS;
        }
    }
    return Refuse(call.origin, TWCC_MAXCONNECTIONS);
}

TW_UINT16 CloseManager(const CallRecord& call, std::unique_lock<std::mutex>&) {
    AppRecord* app = FindApp(call.origin);
    if (AppHasSessions(app->id)) {
        return Refuse(call.origin, TWCC_SEQERROR);
    }
    *app = AppRecord{};
    return TWRC_SUCCESS;
}

TW_UINT16 GetManagerStatus(const CallRecord& call, std::unique_lock<std::mutex>&) {
    auto* status = static_cast<TW_STATUS*>(call.data);
    TW_UINT16& code = ConditionFor(call.origin);
    status->ConditionCode = code;
    status->Reserved = 0;
    code = TWCC_SUCCESS;
    return TWRC_SUCCESS;
}
