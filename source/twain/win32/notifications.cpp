#include "source/twain/win32/notifications.h"

#include <windows.h>

#include "common/win32/win32_guards.h"

#include "source/twain/win32/session_state.h"

// The source manager is loaded by name for each notification and released
// again: it is already in the process (it loaded us), so this only counts
// its reference up and down.
static void SendToApplication(TW_UINT16 message) {
    ScopedLibrary manager(LoadLibraryA("TWAIN_32.DLL"));
    if (manager.Get() == nullptr) {
        return;
    }
    auto entry = reinterpret_cast<DSMENTRYPROC>(reinterpret_cast<void*>(GetProcAddress(manager.Get(), "DSM_Entry")));
    if (entry != nullptr) {
        entry(&sourceIdentity, &appIdentity, DG_CONTROL, DAT_NULL, message, nullptr);
    }
}

void NotifyTransferReady() {
    sourceState = STATE_XFER_READY;
    SendToApplication(MSG_XFERREADY);
}

void RequestClose() {
    SendToApplication(MSG_CLOSEDSREQ);
}
