// The session handlers: identity (get, open, close), a TWAIN 2 manager's
// entry points, user interface (enable, disable) and status.
#include <windows.h>

#include <cstring>

#include "common/win32/profile_settings.h"
#include "source/aps/win32/index_window.h"
#include "source/scanner/win32/port_access_win32.h"
#include "source/twain/language_choice.h"
#include "source/twain/win32/session_state.h"
#include "source/twain/win32/triplet.h"
#include "source/ui/win32/main_window.h"
#include "source/ui/win32/preview_buffers.h"
#include "source/ui/win32/window_places.h"
#include "source/ui/scan_settings.h"

static TW_UINT16 GetIdentity(TripletRecord* triplet) {
    auto* identity = static_cast<TW_IDENTITY*>(triplet->data);
    if (identity == nullptr) {
        return Refuse(TWCC_BADVALUE);
    }
    std::memcpy(identity, &sourceIdentity, sizeof(TW_IDENTITY));
    return TWRC_SUCCESS;
}

static TW_UINT16 OpenSource(TripletRecord* triplet) {
    if (sourceState != STATE_LOADED) {
        return Refuse(TWCC_SEQERROR);
    }
    if (appIdentity.Id != 0) {
        return Refuse(TWCC_MAXCONNECTIONS);
    }
    // Opening binds the source to its caller: without the caller's identity
    // and our own as the manager completed it there is nothing to bind.
    if (triplet->origin == nullptr || triplet->data == nullptr) {
        return Refuse(TWCC_BADVALUE);
    }
    std::memcpy(&appIdentity, triplet->origin, sizeof(TW_IDENTITY));
    std::memcpy(&sourceIdentity, triplet->data, sizeof(TW_IDENTITY));
    sourceState = STATE_OPEN;
    return TWRC_SUCCESS;
}

// Saves a window's position unless it is minimised, destroys it and
// forgets its handle.
static void SaveAndDestroyWindow(HWND& window, const char* leftKey, const char* topKey) {
    SaveWindowPlace(window, leftKey, topKey);
    DestroyWindow(window);
    window = nullptr;
}

// Every window the source made, in the order their positions are saved. The
// resolution and film number are saved with the main window, whatever its
// size.
static void SaveAndDestroyWindows() {
    if (ixWindow != nullptr) {
        SaveAndDestroyWindow(ixWindow, "IX_LEFT", "IX_TOP");
    }
    if (indexWindow != nullptr) {
        SaveAndDestroyWindow(indexWindow, "INDEX_LEFT", "INDEX_TOP");
    }
    if (mainWindow != nullptr) {
        SaveAndDestroyWindow(mainWindow, "PREVIEW_LEFT", "PREVIEW_TOP");
        WriteSettingInt(SOURCE_SECTION, "DPI", static_cast<int32_t>(scanSettings.outputResolution));
        WriteSettingInt(SOURCE_SECTION, "FILMNUMBER", scanSettings.filmNumber);
    }
    if (gammaWindow != nullptr) {
        SaveAndDestroyWindow(gammaWindow, "GAMMA_LEFT", "GAMMA_TOP");
    }
}

static TW_UINT16 CloseSource(TripletRecord*) {
    if (sourceState < STATE_OPEN || sourceState > STATE_TRANSFERRING) {
        return Refuse(TWCC_SEQERROR);
    }
    appIdentity.Id = 0;
    SaveAndDestroyWindows();
    ReleasePortDriver();
    ReleaseIndexSheet();
    FreePreviewBuffers();
    // A picture the application took is no longer held; one still held was
    // never handed over, and nobody else could free it.
    FreeTransferImage();
    managerEntry = {};
    sourceState = STATE_LOADED;
    return TWRC_SUCCESS;
}

TW_UINT16 IdentityHandler(TripletRecord* triplet) {
    switch (triplet->message) {
    case MSG_GET:
        return GetIdentity(triplet);
    case MSG_OPENDS:
        return OpenSource(triplet);
    case MSG_CLOSEDS:
        return CloseSource(triplet);
    default:
        return Refuse(TWCC_BADPROTOCOL);
    }
}

// Keeps a TWAIN 2 manager's entry points for the session it opens next.
// The record is read only when its Size says it holds all of ours; without
// DSM_Entry there is nothing to keep. The memory functions are used only
// when all four are given (see capability.cpp).
static TW_UINT16 SetEntryPoints(TripletRecord* triplet) {
    const auto* entryPoints = static_cast<const TW_ENTRYPOINT*>(triplet->data);
    if (entryPoints == nullptr || entryPoints->Size < sizeof(TW_ENTRYPOINT) || entryPoints->DSM_Entry == nullptr) {
        return Refuse(TWCC_BADVALUE);
    }
    managerEntry = *entryPoints;
    managerEntry.Size = sizeof(TW_ENTRYPOINT);
    return TWRC_SUCCESS;
}

TW_UINT16 EntryPointHandler(TripletRecord* triplet) {
    if (triplet->message != MSG_SET) {
        return Refuse(TWCC_BADPROTOCOL);
    }
    return SetEntryPoints(triplet);
}

static void ChooseLanguage() {
    char language[64];
    ReadSettingString(SOURCE_SECTION, "LANGUAGE", "<NO>", language, sizeof language);
    useJapanese = ChooseJapanese(GetKeyboardType(0), language);
}

static TW_UINT16 EnableSource(TripletRecord* triplet) {
    if (sourceState != STATE_OPEN) {
        return Refuse(TWCC_SEQERROR);
    }
    auto* userInterface = static_cast<TW_USERINTERFACE*>(triplet->data);
    if (userInterface == nullptr) {
        return Refuse(TWCC_BADVALUE);
    }
    parentWindow = static_cast<HWND>(userInterface->hParent);
    ChooseLanguage();
    RegisterSourceClass();
    // A window left from an earlier enable (disable only hides it) is closed
    // first, so an application that disables and enables again sees one
    // window, not two.
    SaveAndDestroyWindows();
    mainWindow = CreateMainWindow();
    if (mainWindow == nullptr) {
        return Refuse(TWCC_LOWMEMORY);
    }
    // The template is visible and the source has no interface-less mode, so
    // the window shows whatever ShowUI asks.
    if (userInterface->ShowUI != 0) {
        ShowWindow(mainWindow, SW_SHOWNORMAL);
    }
    sourceState = STATE_ENABLED;
    return TWRC_SUCCESS;
}

// The interface is withdrawn: TWAIN has applications expect it to be gone
// after a disable. The windows themselves live until close.
static TW_UINT16 DisableSource(TripletRecord*) {
    if (sourceState < STATE_ENABLED || sourceState > STATE_TRANSFERRING) {
        return Refuse(TWCC_SEQERROR);
    }
    const HWND windows[] = {ixWindow, indexWindow, mainWindow, gammaWindow};
    for (HWND window : windows) {
        if (window != nullptr) {
            ShowWindow(window, SW_HIDE);
        }
    }
    // Leaving 600 or 700 this way ends the offer: a picture not taken would
    // otherwise stay in memory with no owner that could free it.
    FreeTransferImage();
    sourceState = STATE_OPEN;
    return TWRC_SUCCESS;
}

TW_UINT16 UserInterfaceHandler(TripletRecord* triplet) {
    switch (triplet->message) {
    case MSG_ENABLEDS:
        return EnableSource(triplet);
    case MSG_DISABLEDS:
        return DisableSource(triplet);
    default:
        return Refuse(TWCC_BADPROTOCOL);
    }
}

TW_UINT16 StatusHandler(TripletRecord* triplet) {
    if (triplet->message != MSG_GET) {
        return Refuse(TWCC_BADPROTOCOL);
    }
    auto* status = static_cast<TW_STATUS*>(triplet->data);
    if (status == nullptr) {
        return Refuse(TWCC_BADVALUE);
    }
    *status = conditionCode;
    conditionCode.ConditionCode = TWCC_SUCCESS;
    return TWRC_SUCCESS;
}
