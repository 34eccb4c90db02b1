// Session state of the loaded source library: one set per loaded copy, on
// the application's thread only (no locks). DllMain's process attach resets
// all of it, so nothing survives an unload and reload.
#pragma once

#include <windows.h>

#include "common/twain_records.h"
#include "source/twain/transfer_picture.h"

// TWAIN states, stored as 100 x the state number.
constexpr TW_INT32 STATE_LOADED = 300;
constexpr TW_INT32 STATE_OPEN = 400;
constexpr TW_INT32 STATE_ENABLED = 500;
constexpr TW_INT32 STATE_XFER_READY = 600;
constexpr TW_INT32 STATE_TRANSFERRING = 700;

extern TW_INT32 sourceState;
extern TW_STATUS conditionCode;  // the code and the reserved word copied with it
extern TW_IDENTITY appIdentity;  // Id 0 while no application holds the source
extern TW_IDENTITY sourceIdentity;
extern HINSTANCE moduleInstance;

extern HWND mainWindow;
extern HWND indexWindow;
extern HWND ixWindow;
extern HWND gammaWindow;

extern HGLOBAL transferImage;  // the picture offered to the application; 0 when none
extern MemoryTransferProgress memoryTransfer;  // of transferImage

// The offered picture changes hands only through these three, and each of
// them starts a memory transfer afresh: the strip progress belongs to the
// picture offered now, whatever handle value the allocator gave it.
// OfferTransferImage: `image` becomes transferImage; a picture still held
// (offered and not taken) is freed first unless it is `image` itself.
void OfferTransferImage(HGLOBAL image);
// Frees a picture still held (none was taken) and forgets it.
void FreeTransferImage();
// Hands transferImage out: the caller owns it from now on, and the source
// keeps no reference to it. Answers 0 when none is held.
HGLOBAL TakeTransferImage();

// The entry points a TWAIN 2 source manager handed over (DAT_ENTRYPOINT)
// before opening the source. All null with a 1.x manager, which never sends
// them, and again from MSG_CLOSEDS on: the manager of a later session may be
// a 1.x one, and these pointers would then lead into a library it does not
// hold. Size is that of our record once they are kept.
extern TW_ENTRYPOINT managerEntry;

extern BYTE useJapanese;  // 1: Japanese texts and bitmaps
extern HWND parentWindow;  // hParent of the enabling application

// The one reset of the whole library (DllMain's process attach; tests use it
// to start from a freshly loaded source): the portable core's state
// (ResetCoreState), a picture still offered and the preview buffers freed,
// the session and the manager's entry points cleared and sourceIdentity
// filled from the string table.
// Windows are forgotten, not destroyed: their owner destroys them.
void ResetSession(HINSTANCE instance);
