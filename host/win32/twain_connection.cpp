#include "host/win32/twain_connection.h"

#include <cstdio>
#include <cstring>

#include "host/core/setting_values.h"
#include "host/resources/resource_ids.h"
#include "host/win32/program_state.h"
#include "host/win32/program_text.h"
#include "host/win32/tool_band.h"
#include "common/win32/win32_guards.h"

constexpr char TWAIN_SECTION[] = "TWAIN";
constexpr char DEFAULT_SOURCE_KEY[] = "Default Source";
constexpr TW_UINT16 SHOW_UI = 1;
constexpr TW_UINT16 HIDE_UI = 255;
// Pictures taken for one MSG_XFERREADY at most; a source that never stops
// offering more must not hold the program in the loop for ever.
constexpr int MAX_TRANSFERS = 1000;

static TW_UINT16 CallManager(TW_UINT32 dataGroup, TW_UINT16 dataArgType, TW_UINT16 message, TW_MEMREF data) {
    if (dsmEntry == nullptr) {
        return TWRC_FAILURE;
    }
    return dsmEntry(&hostIdentity, nullptr, dataGroup, dataArgType, message, data);
}

static TW_UINT16 CallSource(TW_UINT32 dataGroup, TW_UINT16 dataArgType, TW_UINT16 message, TW_MEMREF data) {
    if (dsmEntry == nullptr) {
        return TWRC_FAILURE;
    }
    return dsmEntry(&hostIdentity, &selectedSource, dataGroup, dataArgType, message, data);
}

// The Windows directory, a separator where it lacks one, the manager's name.
static bool ManagerPath(const char* name, char* path, size_t size) {
    char folder[MAX_PATH] = {};
    UINT length = GetWindowsDirectoryA(folder, sizeof folder);
    if (length == 0 || length >= sizeof folder) {
        return false;
    }
    const char* separator = folder[length - 1] == '\\' ? "" : "\\";
    int written = std::snprintf(path, size, "%s%s%s", folder, separator, name);
    return written > 0 && static_cast<size_t>(written) < size;
}

static void ReleaseManagerLibrary() {
    if (dsmModule != nullptr) {
        FreeLibrary(dsmModule);
    }
    dsmModule = nullptr;
    dsmEntry = nullptr;
}

uint8_t LoadSourceManager(HWND window) {
    if (dsmOpen) {
        return 1;
    }
    char name[TEXT_SIZE];
    LoadText(IDS_MANAGER_FILE, name, sizeof name);
    char path[MAX_PATH + TEXT_SIZE];
    if (!ManagerPath(name, path, sizeof path) || GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) {
        return 0;
    }
    // The path only proves the file is there; the library is loaded by its
    // bare name, as the system's search finds it.
    dsmModule = LoadLibraryA(name);
    if (dsmModule == nullptr) {
        return 0;
    }
    FARPROC entry = GetProcAddress(dsmModule, MAKEINTRESOURCEA(1));
    dsmEntry = reinterpret_cast<DSMENTRYPROC>(reinterpret_cast<void*>(entry));
    HWND parent = window;
    if (CallManager(DG_CONTROL, DAT_PARENT, MSG_OPENDSM, &parent) != TWRC_SUCCESS) {
        ReleaseManagerLibrary();
        return 0;
    }
    dsmOpen = 1;
    return 1;
}

uint8_t UnloadSourceManager(HWND window) {
    if (!dsmOpen || sourceOpen) {
        return 0;
    }
    HWND parent = window;
    if (CallManager(DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM, &parent) != TWRC_SUCCESS) {
        return 0;
    }
    dsmOpen = 0;
    ReleaseManagerLibrary();
    selectedSource.Id = 0;
    return 1;
}

uint8_t SelectSource() {
    if (sourceOpen) {
        return 0;
    }
    TW_IDENTITY chosen = {};
    // Without a default the dialog still opens, with nothing preselected.
    CallManager(DG_CONTROL, DAT_IDENTITY, MSG_GETDEFAULT, &chosen);
    if (CallManager(DG_CONTROL, DAT_IDENTITY, MSG_USERSELECT, &chosen) != TWRC_SUCCESS) {
        return 0;
    }
    selectedSource = chosen;
    return 1;
}

uint8_t OpenSource() {
    if (!dsmOpen || sourceOpen) {
        return 0;
    }
    if (CallManager(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &selectedSource) != TWRC_SUCCESS) {
        return 0;
    }
    sourceOpen = 1;
    return 1;
}

uint8_t SetNativeTransfer() {
    GlobalBlock container(GlobalAlloc(GHND, sizeof(TW_ONEVALUE)));
    {
        ScopedGlobalLock lock(container.Get());
        if (lock.Get() == nullptr) {
            return 0;
        }
        TW_ONEVALUE value = {TWTY_UINT16, TWSX_NATIVE};
        std::memcpy(lock.Get(), &value, sizeof value);
    }
    TW_CAPABILITY capability = {ICAP_XFERMECH, TWON_ONEVALUE, container.Get()};
    return CallSource(DG_CONTROL, DAT_CAPABILITY, MSG_SET, &capability) == TWRC_SUCCESS ? 1 : 0;
}

uint8_t EnableSource(HWND window) {
    if (!sourceOpen || sourceEnabled) {
        return 0;
    }
    SetSourceMenus(true);
    TW_USERINTERFACE ui = {SHOW_UI, 0, window};
    if (CallSource(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui) != TWRC_SUCCESS) {
        return 0;
    }
    sourceEnabled = 1;
    return 1;
}

uint8_t DisableSource(HWND window) {
    if (!sourceEnabled) {
        return 0;
    }
    TW_USERINTERFACE ui = {HIDE_UI, 0, window};
    if (CallSource(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui) != TWRC_SUCCESS) {
        return 0;
    }
    sourceEnabled = 0;
    return 1;
}

uint8_t CloseSource() {
    if (!sourceOpen || sourceEnabled) {
        return 0;
    }
    if (CallManager(DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &selectedSource) != TWRC_SUCCESS) {
        return 0;
    }
    sourceOpen = 0;
    SetSourceMenus(false);
    selectedSource.Id = 0;
    return 1;
}

static TW_UINT16 EndTransfer(TW_PENDINGXFERS& pending) {
    pending = TW_PENDINGXFERS{};
    return CallSource(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending);
}

void TransferImages(HWND window) {
    for (int transfers = 1;; ++transfers) {
        TW_HANDLE picture = nullptr;
        TW_UINT16 rc = CallSource(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &picture);
        TW_PENDINGXFERS pending;
        TW_UINT16 endRc;
        if (rc == TWRC_XFERDONE) {
            // Values below 32 are error codes of old Windows, never handles.
            uintptr_t handle = reinterpret_cast<uintptr_t>(picture);
            SendMessageA(window, IMAGE_ARRIVED, handle >= 32 ? handle : 0, 0);
            endRc = EndTransfer(pending);
        } else {
            endRc = EndTransfer(pending);
            SendMessageA(window, IMAGE_ARRIVED, 0, 0);
        }
        if (endRc != TWRC_SUCCESS || pending.Count == 0) {
            return;
        }
        if (rc != TWRC_XFERDONE || transfers >= MAX_TRANSFERS) {
            pending = TW_PENDINGXFERS{};
            CallSource(DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, &pending);
            return;
        }
    }
}

static void CloseOnRequest(HWND window) {
    if (DisableSource(window) && CloseSource()) {
        UnloadSourceManager(window);
    }
    if (previewRequested) {
        previewRequested = 0;
        RestoreDefaultSource();
    }
}

bool ProcessTwainEvent(MSG* message) {
    if (!dsmOpen || !sourceOpen) {
        return false;
    }
    TW_EVENT event = {message, MSG_NULL};
    TW_UINT16 rc = CallSource(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event);
    if (event.TWMessage == MSG_XFERREADY) {
        TransferImages(mainWindow);
    } else if (event.TWMessage == MSG_CLOSEDSREQ) {
        CloseOnRequest(mainWindow);
    }
    return rc == TWRC_DSEVENT;
}

bool ShutDownTwain(HWND window) {
    if (sourceEnabled && !DisableSource(window)) {
        return false;
    }
    if (sourceOpen && !CloseSource()) {
        return false;
    }
    return !dsmOpen || UnloadSourceManager(window);
}

void RestoreDefaultSource() {
    if (savedDefaultSource[0] == '\0') {
        return;
    }
    // "NG" is what an absent key reads as: the key is removed again rather
    // than left naming a source that does not exist.
    bool wasAbsent = std::strcmp(savedDefaultSource, UNSET_VALUE) == 0;
    WriteProfileStringA(TWAIN_SECTION, DEFAULT_SOURCE_KEY, wasAbsent ? nullptr : savedDefaultSource);
    savedDefaultSource[0] = '\0';
}

void SaveDefaultSource() {
    if (savedDefaultSource[0] != '\0') {
        return;
    }
    GetProfileStringA(TWAIN_SECTION, DEFAULT_SOURCE_KEY, UNSET_VALUE, savedDefaultSource, sizeof savedDefaultSource);
    savedDefaultSource[sizeof savedDefaultSource - 1] = '\0';
    // An empty entry names no source either; restoring it as absent keeps
    // "nothing saved" and "something to restore" apart.
    if (savedDefaultSource[0] == '\0') {
        std::strcpy(savedDefaultSource, UNSET_VALUE);
    }
}

void WriteDefaultSource(const char* path) {
    WriteProfileStringA(TWAIN_SECTION, DEFAULT_SOURCE_KEY, path);
}
