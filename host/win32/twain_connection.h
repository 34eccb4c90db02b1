// KORVEL's side of TWAIN: the source manager, the source, the transfers.
//
// Order: LoadSourceManager, OpenSource, SetNativeTransfer, EnableSource;
// then ProcessTwainEvent for every message until the source asks to be
// closed; then DisableSource, CloseSource, UnloadSourceManager. Every call
// goes through dsmEntry with hostIdentity as origin; calls to the source
// have selectedSource as destination. Each operation answers 1 when its
// call returned TWRC_SUCCESS and 0 otherwise (also when its precondition
// does not hold, then without a call); refusals are never shown to the user.
#pragma once

#include <windows.h>

#include <cstdint>

// Needs dsmOpen 0 (else answers 1 at once). Loads TWAIN_32.DLL (which must
// exist in the Windows directory), takes its export ordinal 1 and sends
// MSG_OPENDSM with window. On failure nothing stays loaded.
uint8_t LoadSourceManager(HWND window);

// Needs dsmOpen 1 and sourceOpen 0: MSG_CLOSEDSM, then the library is
// released and selectedSource's Id cleared.
uint8_t UnloadSourceManager(HWND window);

// Needs sourceOpen 0: the manager's default, then the user's choice in the
// manager's dialog (MSG_USERSELECT) on the same record, which becomes
// selectedSource when the user chose one.
uint8_t SelectSource();

// Needs dsmOpen 1 and sourceOpen 0: MSG_OPENDS with selectedSource (an Id
// of 0 with an empty ProductName opens the manager's default source).
uint8_t OpenSource();

// ICAP_XFERMECH set to TWSX_NATIVE in a one-value container.
uint8_t SetNativeTransfer();

// Needs sourceOpen 1 and sourceEnabled 0: greys the source commands, then
// MSG_ENABLEDS with the source's own user interface, parented to window.
uint8_t EnableSource(HWND window);

// Needs sourceEnabled 1: MSG_DISABLEDS.
uint8_t DisableSource(HWND window);

// Needs sourceOpen 1 and sourceEnabled 0: MSG_CLOSEDS; the source commands
// become available again and selectedSource's Id is cleared.
uint8_t CloseSource();

// Takes the pending pictures by native transfer, each handed to window as
// IMAGE_ARRIVED, each ended with MSG_ENDXFER, until none is pending. A
// failed transfer, a refused MSG_ENDXFER or an endless run of pictures ends
// the loop: what is still pending is then given up (MSG_RESET).
void TransferImages(HWND window);

// Passes message through the open source (when the manager and a source are
// open) and acts on what the source asks for: transfers on MSG_XFERREADY,
// disable-close-unload on MSG_CLOSEDSREQ (then the default source changed
// by Preview is restored). Returns true when the source consumed the
// message, which must then be neither translated nor dispatched.
bool ProcessTwainEvent(MSG* message);

// Disables, closes and unloads as far as each is needed, each only when the
// one before succeeded. Returns true when nothing is left open.
bool ShutDownTwain(HWND window);

// Writes savedDefaultSource back as WIN.INI's Default Source (removing the
// key when it was absent before) and forgets it. Nothing when it is empty.
void RestoreDefaultSource();

// Records WIN.INI's Default Source in savedDefaultSource, unless an earlier
// change is still waiting to be restored.
void SaveDefaultSource();

// Makes path WIN.INI's Default Source.
void WriteDefaultSource(const char* path);
