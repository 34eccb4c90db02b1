// Transfer set-up and the image triplets: pending transfers, memory and file
// transfer set-up, the transfer group, image information, layout and the
// native and memory transfers.
//
// Ownership of transferImage: the source owns it until it is handed over.
// A native transfer hands the handle itself to the application, which frees
// it; from then on the source keeps no reference to it. A memory transfer
// frees it after the last row. An offered picture the application ends
// without taking is freed at MSG_ENDXFER, or when it disables or closes the
// source instead (session.cpp): it never got the handle, so only the source
// can free it.
#include <windows.h>

#include "source/twain/image_layout.h"
#include "source/twain/win32/session_state.h"
#include "source/twain/transfer_picture.h"
#include "source/twain/win32/triplet.h"
#include "source/twain/unsupported_triplets.h"
#include "source/ui/scan_settings.h"
#include "common/win32/win32_guards.h"

namespace {


bool InStates(TW_INT32 low, TW_INT32 high) {
    return sourceState >= low && sourceState <= high;
}

// The header of transferImage; false when there is none or it does not fit
// its block.
bool ReadHeldPicture(TransferPicture& picture) {
    if (transferImage == nullptr) {
        return false;
    }
    SIZE_T size = GlobalSize(transferImage);
    ScopedGlobalLock lock(transferImage);
    return lock.Get() != nullptr && ReadTransferPicture(lock.Get(), size, picture);
}

// The common checks of the picture triplets: MSG_GET only, in 600 up to
// `lastState`, with a record and a picture, whose header is read into
// `picture`. A header that does not match its block is refused: the
// application, or the strips, would read past the block's end.
TW_UINT16 CheckPictureTriplet(const TripletRecord* triplet, TW_INT32 lastState, TransferPicture& picture) {
    if (triplet->message != MSG_GET) {
        return TWCC_BADPROTOCOL;
    }
    if (!InStates(STATE_XFER_READY, lastState)) {
        return TWCC_SEQERROR;
    }
    if (triplet->data == nullptr) {
        return TWCC_BADVALUE;
    }
    if (transferImage == nullptr) {
        return TWCC_SEQERROR;  // none made yet, or already handed over
    }
    if (!ReadHeldPicture(picture)) {
        return TWCC_BUMMER;
    }
    return TWCC_SUCCESS;
}

// The application's strip buffer, null when it cannot hold `rowBytes`.
// TheMem is taken as a pointer, as applications have always passed it;
// when they say it is a handle and it is a global block, the row goes
// through its lock instead and must fit the block too. (For a fixed block
// the two are the same address.)
class StripBuffer {
public:
    StripBuffer(const TW_MEMORY& memory, TW_UINT32 rowBytes) {
        if (memory.TheMem == nullptr || memory.Length < rowBytes) {
            return;
        }
        auto handle = static_cast<HGLOBAL>(memory.TheMem);
        SIZE_T blockSize = (memory.Flags & TWMF_HANDLE) != 0 ? GlobalSize(handle) : 0;
        if (blockSize == 0) {
            bytes = static_cast<BYTE*>(memory.TheMem);
        } else if (blockSize >= rowBytes && (bytes = static_cast<BYTE*>(GlobalLock(handle))) != nullptr) {
            locked = handle;
        }
    }
    ~StripBuffer() {
        if (locked != nullptr) GlobalUnlock(locked);
    }
    StripBuffer(const StripBuffer&) = delete;
    StripBuffer& operator=(const StripBuffer&) = delete;
    BYTE* Get() const { return bytes; }

private:
    HGLOBAL locked = nullptr;
    BYTE* bytes = nullptr;
};

TW_UINT16 GetImageLayout(TripletRecord* triplet) {
    if (!InStates(STATE_OPEN, STATE_XFER_READY)) {
        return Refuse(TWCC_BADPROTOCOL);
    }
    auto* layout = static_cast<TW_IMAGELAYOUT*>(triplet->data);
    if (layout == nullptr) {
        return Refuse(TWCC_BADVALUE);
    }
    // Before any picture, and after one was handed over: no size to report.
    TransferPicture picture = {};
    ReadHeldPicture(picture);
    *layout = ImageLayoutFor(picture.width, picture.height);
    return TWRC_SUCCESS;
}

// Accepted in every state: an application may set the frame before the
// scan window opens, which then starts with it.
TW_UINT16 SetImageLayout(TripletRecord* triplet) {
    auto* layout = static_cast<TW_IMAGELAYOUT*>(triplet->data);
    if (layout == nullptr) {
        return Refuse(TWCC_BADVALUE);
    }
    ApplyImageLayout(layout->Frame, scanSettings);
    return TWRC_SUCCESS;
}

}  // namespace

TW_UINT16 PendingXfersHandler(TripletRecord* triplet) {
    auto* pending = static_cast<TW_PENDINGXFERS*>(triplet->data);
    switch (triplet->message) {
    case MSG_GET:
        if (!InStates(STATE_OPEN, STATE_TRANSFERRING)) {
            return Refuse(TWCC_SEQERROR);
        }
        break;
    case MSG_ENDXFER:
    case MSG_RESET:
        if (!InStates(STATE_XFER_READY, STATE_TRANSFERRING)) {
            return Refuse(TWCC_SEQERROR);
        }
        // The offer ends here: a picture not (wholly) taken is not kept for
        // a later transfer, and the next one starts at its top row.
        FreeTransferImage();
        sourceState = STATE_ENABLED;  // enabled for the next scan
        break;
    default:
        return Refuse(TWCC_BADPROTOCOL);
    }
    // One picture per notification: nothing is ever left pending.
    if (pending != nullptr) {
        pending->Count = 0;
        pending->Reserved = 0;
    }
    return TWRC_SUCCESS;
}

TW_UINT16 SetupMemXferHandler(TripletRecord* triplet) {
    if (triplet->message != MSG_GET) {
        return Refuse(TWCC_BADPROTOCOL);
    }
    if (!InStates(STATE_OPEN, STATE_XFER_READY)) {
        return Refuse(TWCC_SEQERROR);
    }
    auto* setup = static_cast<TW_SETUPMEMXFER*>(triplet->data);
    if (setup == nullptr) {
        return Refuse(TWCC_BADVALUE);
    }
    TransferPicture picture;
    if (!ReadHeldPicture(picture)) {
        // Applications ask before any picture exists; they get success and
        // the reason, and the record stays as it was.
        conditionCode.ConditionCode = TWCC_SEQERROR;
        return TWRC_SUCCESS;
    }
    // One row per strip, so one row is the least, the most and the best.
    setup->MinBufSize = setup->MaxBufSize = setup->Preferred = picture.rowBytes;
    return TWRC_SUCCESS;
}

TW_UINT16 SetupFileXferHandler(TripletRecord*) {
    return Refuse(InStates(STATE_OPEN, STATE_XFER_READY) ? TWCC_BADPROTOCOL : TWCC_SEQERROR);
}

TW_UINT16 XferGroupHandler(TripletRecord* triplet) {
    if (!InStates(STATE_OPEN, STATE_XFER_READY)) {
        return Refuse(TWCC_SEQERROR);
    }
    switch (triplet->message) {
    case MSG_GET:
    case MSG_GETCURRENT:
    case MSG_GETDEFAULT:
    case MSG_RESET:
        if (triplet->data == nullptr) {
            return Refuse(TWCC_BADVALUE);
        }
        *static_cast<TW_UINT32*>(triplet->data) = DG_IMAGE;
        return TWRC_SUCCESS;
    case MSG_SET:
        return TWRC_SUCCESS;  // images are all the source transfers
    default:
        return Refuse(TWCC_BADPROTOCOL);
    }
}

TW_UINT16 ImageInfoHandler(TripletRecord* triplet) {
    TransferPicture picture;
    if (TW_UINT16 code = CheckPictureTriplet(triplet, STATE_XFER_READY, picture); code != TWCC_SUCCESS) {
        return Refuse(code);
    }
    *static_cast<TW_IMAGEINFO*>(triplet->data) = ImageInfoFor(picture, scanSettings.outputResolution);
    return TWRC_SUCCESS;
}

TW_UINT16 ImageNativeXferHandler(TripletRecord* triplet) {
    TransferPicture picture;
    if (TW_UINT16 code = CheckPictureTriplet(triplet, STATE_TRANSFERRING, picture); code != TWCC_SUCCESS) {
        return Refuse(code);
    }
    // The handle is the application's now (it frees it): the source must
    // neither free it nor hand it out a second time.
    *static_cast<TW_HANDLE*>(triplet->data) = TakeTransferImage();
    return TWRC_XFERDONE;
}

TW_UINT16 ImageMemXferHandler(TripletRecord* triplet) {
    TransferPicture picture;
    if (TW_UINT16 code = CheckPictureTriplet(triplet, STATE_TRANSFERRING, picture); code != TWCC_SUCCESS) {
        return Refuse(code);
    }
    auto* record = static_cast<TW_IMAGEMEMXFER*>(triplet->data);
    bool lastRow = false;
    {
        ScopedGlobalLock image(transferImage);
        if (image.Get() == nullptr) {
            return Refuse(TWCC_BUMMER);
        }
        // A too small buffer is refused before anything moves: the same
        // strip comes again with a larger one.
        StripBuffer buffer(record->Memory, picture.rowBytes);
        if (buffer.Get() == nullptr) {
            return Refuse(TWCC_BADVALUE);
        }
        lastRow = SendMemoryStrip(memoryTransfer, image.Get(), picture, buffer.Get(), *record);
    }
    if (!lastRow) {
        return TWRC_SUCCESS;
    }
    FreeTransferImage();
    sourceState = STATE_TRANSFERRING;
    return TWRC_XFERDONE;
}

TW_UINT16 ImageLayoutHandler(TripletRecord* triplet) {
    switch (triplet->message) {
    case MSG_GET:
        return GetImageLayout(triplet);
    case MSG_SET:
        return SetImageLayout(triplet);
    default:
        return Refuse(TWCC_BADPROTOCOL);
    }
}

TW_UINT16 ImageFileXferHandler(TripletRecord*) {
    return Refuse(TWCC_BADPROTOCOL);
}

TW_UINT16 UnsupportedImageHandler(TripletRecord* triplet) {
    return Refuse(UnsupportedConditionCode(triplet->dataArgType, sourceState, triplet->message));
}
