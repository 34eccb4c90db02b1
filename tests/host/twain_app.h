// The application's side of TWAIN, for tests and the test host: one record
// per application and procedural calls on it.
//
// Order: LoadManager, OpenManager, [ListSources], OpenSource, EnableSource,
// PumpMessages..., DisableSource, CloseSource, CloseManager, UnloadManager.
// Each TWAIN call returns the TWRC_ code DSM_Entry gave; the condition codes
// are read with ManagerStatus / SourceStatus. All waits are bounded.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "common/twain_records.h"

struct TwainApp {
    HMODULE dsmModule;  // owned: freed by UnloadManager
    DSMENTRYPROC dsmEntry;
    TW_IDENTITY appIdentity;
    TW_IDENTITY sourceIdentity;  // the open source; Id 0 when none
    HWND window;                 // given to MSG_OPENDSM
    bool ownsWindow;             // window made by OpenManager, destroyed by CloseManager
    bool managerOpen;
    bool sourceEnabled;
};

// Fills the application's identity (ProductName productName, at most 32
// characters kept) and loads the manager library by name. Returns false
// when the library or its DSM_Entry is missing (nothing stays loaded).
bool LoadManager(TwainApp& app, const char* productName, const char* managerName = "TWAIN_32.DLL");

// Frees the manager library; the application should have closed it first.
void UnloadManager(TwainApp& app);

// DSM_Entry with the application's identity as origin.
TW_UINT16 CallManager(TwainApp& app, TW_IDENTITY* dest, TW_UINT32 dataGroup, TW_UINT16 dataArgType,
                      TW_UINT16 message, TW_MEMREF data);

// MSG_OPENDSM with window, or with a hidden top-level window of its own when
// window is nullptr (it must belong to the calling thread, whose queue
// PumpMessages then reads).
TW_UINT16 OpenManager(TwainApp& app, HWND window = nullptr);
TW_UINT16 CloseManager(TwainApp& app);

// Every source, by MSG_GETFIRST / MSG_GETNEXT. Returns TWRC_SUCCESS (also
// when the list is empty) or the failing call's code.
TW_UINT16 ListSources(TwainApp& app, std::vector<TW_IDENTITY>& sources);

// MSG_OPENDS of the source with this ProductName (empty: the default).
TW_UINT16 OpenSource(TwainApp& app, const char* productName);
TW_UINT16 CloseSource(TwainApp& app);

// MSG_ENABLEDS; parent nullptr means the application's window.
TW_UINT16 EnableSource(TwainApp& app, bool showUI, HWND parent = nullptr);
TW_UINT16 DisableSource(TwainApp& app);

// Reads the calling thread's messages for at most milliseconds, passing each
// through MSG_PROCESSEVENT to the open source (those not taken by it are
// dispatched). Returns the first TWMessage other than MSG_NULL, or MSG_NULL
// when the time ran out. A WM_QUIT is put back and ends the wait early.
TW_UINT16 PumpMessages(TwainApp& app, uint32_t milliseconds);

// The manager's / the open source's condition code; TWCC_BUMMER when the
// status itself could not be read.
TW_UINT16 ManagerStatus(TwainApp& app);
TW_UINT16 SourceStatus(TwainApp& app);
