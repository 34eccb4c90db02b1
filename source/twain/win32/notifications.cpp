#include "source/twain/win32/notifications.h"

#include <windows.h>

#include "common/win32/win32_guards.h"

#include "source/twain/win32/session_state.h"

// A TWAIN 2 manager gave us its DSM_Entry: that is the one to call. Loading
// TWAIN_32.DLL by name would then reach whatever library of that name the
// system holds, which need not be the manager that loaded us, and under a
// manager that redirects that name it may not even be usable.
//
// A 1.x manager gave nothing. It is loaded by name for each notification and
// released again: it is already in the process (it loaded us), so this only
// counts its reference up and down.
static void SendToApplication(TW_UINT16 message) {
    if (managerEntry.DSM_Entry != nullptr) {
        managerEntry.DSM_Entry(&sourceIdentity, &appIdentity, DG_CONTROL, DAT_NULL, message, nullptr);
        return;
    }
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
