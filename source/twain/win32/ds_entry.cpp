// The library's entry points: DllMain and DS_Entry, the origin check, the
// event pass-through to the source's modeless windows, and the two dispatch
// tables.
#include <windows.h>

#include <new>

#include "source/twain/win32/session_state.h"
#include "source/twain/win32/triplet.h"

static constexpr DispatchEntry CONTROL_DISPATCH[] = {
    {DAT_IDENTITY, IdentityHandler},
    {DAT_USERINTERFACE, UserInterfaceHandler},
    {DAT_CAPABILITY, CapabilityHandler},
    {DAT_STATUS, StatusHandler},
    {DAT_PENDINGXFERS, PendingXfersHandler},
    {DAT_SETUPMEMXFER, SetupMemXferHandler},
    {DAT_SETUPFILEXFER, SetupFileXferHandler},
    {DAT_XFERGROUP, XferGroupHandler},
    {DAT_ENTRYPOINT, EntryPointHandler},
    {0, nullptr},
};

static constexpr DispatchEntry IMAGE_DISPATCH[] = {
    {DAT_IMAGEINFO, ImageInfoHandler},
    {DAT_IMAGELAYOUT, ImageLayoutHandler},
    {DAT_IMAGEMEMXFER, ImageMemXferHandler},
    {DAT_IMAGENATIVEXFER, ImageNativeXferHandler},
    {DAT_IMAGEFILEXFER, ImageFileXferHandler},
    {DAT_CIECOLOR, UnsupportedImageHandler},
    {DAT_GRAYRESPONSE, UnsupportedImageHandler},
    {DAT_RGBRESPONSE, UnsupportedImageHandler},
    {DAT_JPEGCOMPRESSION, UnsupportedImageHandler},
    {DAT_PALETTE8, UnsupportedImageHandler},
    {0, nullptr},
};

TW_UINT16 Refuse(TW_UINT16 code) {
    conditionCode.ConditionCode = code;
    return TWRC_FAILURE;
}

TW_UINT16 FindHandler(TripletRecord* triplet, const DispatchEntry* table, TW_UINT16 dataArgType) {
    for (const DispatchEntry* entry = table; entry->handler != nullptr; ++entry) {
        if (entry->dataArgType == dataArgType) {
            return entry->handler(triplet);
        }
    }
    return Refuse(TWCC_BADPROTOCOL);
}

// Hands the application's message to whichever of our modeless windows is
// active. The gamma curve window is not among them: it has no dialog
// navigation of its own.
static TW_UINT16 ProcessEvent(TripletRecord* triplet) {
    auto* event = static_cast<TW_EVENT*>(triplet->data);
    if (event == nullptr) {
        return Refuse(TWCC_BADVALUE);
    }
    HWND active = GetActiveWindow();
    const HWND candidates[] = {indexWindow, ixWindow, mainWindow};
    for (HWND window : candidates) {
        if (window == nullptr || window != active) {
            continue;
        }
        event->TWMessage = MSG_NULL;
        auto* message = static_cast<MSG*>(event->pEvent);
        if (message != nullptr && IsDialogMessageA(window, message)) {
            return TWRC_DSEVENT;
        }
        return TWRC_NOTDSEVENT;
    }
    return TWRC_NOTDSEVENT;
}

// A call from any application but the one holding the source is not
// processed at all. A caller without an identity counts as Id 0.
static bool FromAnotherApplication(const TW_IDENTITY* origin) {
    TW_UINT32 callerId = origin != nullptr ? origin->Id : 0;
    return appIdentity.Id != 0 && callerId != appIdentity.Id;
}

static TW_UINT16 Dispatch(TripletRecord* triplet) {
    if (triplet->message == MSG_PROCESSEVENT) {
        return ProcessEvent(triplet);
    }
    switch (triplet->dataGroup) {
    case DG_CONTROL:
        return FindHandler(triplet, CONTROL_DISPATCH, triplet->dataArgType);
    case DG_IMAGE:
        return FindHandler(triplet, IMAGE_DISPATCH, triplet->dataArgType);
    default:
        return Refuse(TWCC_BADPROTOCOL);
    }
}

extern "C" TW_UINT16 TW_CALLINGSTYLE DS_Entry(TW_IDENTITY* origin, TW_UINT32 dataGroup,
                                              TW_UINT16 dataArgType, TW_UINT16 message,
                                              TW_MEMREF data) {
    if (FromAnotherApplication(origin)) {
        return TWRC_FAILURE;
    }
    TripletRecord triplet = {origin, dataGroup, dataArgType, message, data};
    // Nothing may unwind into the application. The handlers allocate
    // without throwing; this is the last stop should anything still throw.
    try {
        return Dispatch(&triplet);
    } catch (const std::bad_alloc&) {
        return Refuse(TWCC_LOWMEMORY);
    } catch (...) {
        return Refuse(TWCC_BUMMER);
    }
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (instance == nullptr) {
        return FALSE;
    }
    if (reason == DLL_PROCESS_ATTACH) {
        try {
            ResetSession(instance);
        } catch (...) {
            return FALSE;  // the library is not loaded
        }
    }
    return TRUE;
}
