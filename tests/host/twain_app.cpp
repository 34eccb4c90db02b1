#include "tests/host/twain_app.h"

#include <cstring>

constexpr char WINDOW_CLASS[] = "QxTwainAppWindow";

bool LoadManager(TwainApp& app, const char* productName, const char* managerName) {
    app = TwainApp{};
    app.appIdentity.Version.MajorNum = 1;
    app.appIdentity.Version.Language = TWLG_USA;
    app.appIdentity.Version.Country = TWCY_USA;
    std::strcpy(app.appIdentity.Version.Info, "test host");
    app.appIdentity.ProtocolMajor = 1;
    app.appIdentity.ProtocolMinor = 9;
    app.appIdentity.SupportedGroups = DG_CONTROL | DG_IMAGE;
    std::strcpy(app.appIdentity.Manufacturer, "QX tests");
    std::strcpy(app.appIdentity.ProductFamily, "Test host");
    std::strncpy(app.appIdentity.ProductName, productName, sizeof(TW_STR32) - 2);
    app.dsmModule = LoadLibraryA(managerName);
    if (app.dsmModule == nullptr) {
        return false;
    }
    FARPROC proc = GetProcAddress(app.dsmModule, "DSM_Entry");
    if (proc == nullptr) {
        UnloadManager(app);
        return false;
    }
    app.dsmEntry = reinterpret_cast<DSMENTRYPROC>(reinterpret_cast<void*>(proc));
    return true;
}

void UnloadManager(TwainApp& app) {
    if (app.dsmModule != nullptr) {
        FreeLibrary(app.dsmModule);
    }
    app.dsmModule = nullptr;
    app.dsmEntry = nullptr;
}

TW_UINT16 CallManager(TwainApp& app, TW_IDENTITY* dest, TW_UINT32 dataGroup, TW_UINT16 dataArgType,
                      TW_UINT16 message, TW_MEMREF data) {
    if (app.dsmEntry == nullptr) {
        return TWRC_FAILURE;
    }
    return app.dsmEntry(&app.appIdentity, dest, dataGroup, dataArgType, message, data);
}

static HWND CreateHiddenWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = WINDOW_CLASS;
    RegisterClassA(&windowClass);  // fails harmlessly when already registered
    return CreateWindowA(WINDOW_CLASS, "TWAIN test host", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 200, 100,
                         nullptr, nullptr, windowClass.hInstance, nullptr);
}

TW_UINT16 OpenManager(TwainApp& app, HWND window) {
    app.ownsWindow = window == nullptr;
    app.window = window != nullptr ? window : CreateHiddenWindow();
    app.appIdentity.Id = 0;
    TW_UINT16 rc = CallManager(app, nullptr, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, &app.window);
    app.managerOpen = rc == TWRC_SUCCESS;
    if (!app.managerOpen && app.ownsWindow && app.window != nullptr) {
        DestroyWindow(app.window);
        app.window = nullptr;
    }
    return rc;
}

TW_UINT16 CloseManager(TwainApp& app) {
    TW_UINT16 rc = CallManager(app, nullptr, DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM, &app.window);
    if (rc == TWRC_SUCCESS) {
        app.managerOpen = false;
        if (app.ownsWindow && app.window != nullptr) {
            DestroyWindow(app.window);
        }
        app.window = nullptr;
    }
    return rc;
}

TW_UINT16 ListSources(TwainApp& app, std::vector<TW_IDENTITY>& sources) {
    sources.clear();
    TW_IDENTITY identity = {};
    TW_UINT16 rc = CallManager(app, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETFIRST, &identity);
    // Bounded even against a manager that never says TWRC_ENDOFLIST.
    for (int i = 0; rc == TWRC_SUCCESS && i < 1000; ++i) {
        sources.push_back(identity);
        rc = CallManager(app, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETNEXT, &identity);
    }
    return rc == TWRC_ENDOFLIST ? TWRC_SUCCESS : rc;
}

TW_UINT16 OpenSource(TwainApp& app, const char* productName) {
    app.sourceIdentity = TW_IDENTITY{};
    std::strncpy(app.sourceIdentity.ProductName, productName, sizeof(TW_STR32) - 2);
    TW_UINT16 rc = CallManager(app, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &app.sourceIdentity);
    if (rc != TWRC_SUCCESS) {
        app.sourceIdentity.Id = 0;
    }
    return rc;
}

TW_UINT16 CloseSource(TwainApp& app) {
    TW_UINT16 rc = CallManager(app, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &app.sourceIdentity);
    if (rc == TWRC_SUCCESS) {
        app.sourceIdentity.Id = 0;
    }
    return rc;
}

TW_UINT16 EnableSource(TwainApp& app, bool showUI, HWND parent) {
    TW_USERINTERFACE ui = {};
    ui.ShowUI = showUI ? 1 : 0;
    ui.ModalUI = 0;
    ui.hParent = parent != nullptr ? parent : app.window;
    TW_UINT16 rc = CallManager(app, &app.sourceIdentity, DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui);
    app.sourceEnabled = rc == TWRC_SUCCESS || rc == TWRC_CHECKSTATUS;
    return rc;
}

TW_UINT16 DisableSource(TwainApp& app) {
    TW_USERINTERFACE ui = {};
    ui.hParent = app.window;
    TW_UINT16 rc = CallManager(app, &app.sourceIdentity, DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui);
    if (rc == TWRC_SUCCESS) {
        app.sourceEnabled = false;
    }
    return rc;
}

// Passes one message through the source; returns its TWMessage.
static TW_UINT16 ProcessOne(TwainApp& app, MSG& message) {
    TW_EVENT event = {&message, MSG_NULL};
    TW_UINT16 rc = TWRC_NOTDSEVENT;
    if (app.sourceIdentity.Id != 0) {
        rc = CallManager(app, &app.sourceIdentity, DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event);
    }
    if (rc != TWRC_DSEVENT) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return event.TWMessage;
}

TW_UINT16 PumpMessages(TwainApp& app, uint32_t milliseconds) {
    DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                return MSG_NULL;
            }
            TW_UINT16 twMessage = ProcessOne(app, message);
            if (twMessage != MSG_NULL) {
                return twMessage;
            }
        }
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds) {
            return MSG_NULL;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
    }
}

TW_UINT16 ManagerStatus(TwainApp& app) {
    TW_STATUS status = {};
    if (CallManager(app, nullptr, DG_CONTROL, DAT_STATUS, MSG_GET, &status) != TWRC_SUCCESS) {
        return TWCC_BUMMER;
    }
    return status.ConditionCode;
}

TW_UINT16 SourceStatus(TwainApp& app) {
    TW_STATUS status = {};
    if (CallManager(app, &app.sourceIdentity, DG_CONTROL, DAT_STATUS, MSG_GET, &status) != TWRC_SUCCESS) {
        return TWCC_BUMMER;
    }
    return status.ConditionCode;
}
