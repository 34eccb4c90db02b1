// Transfer set-up and the image triplets: pending transfers, memory and file
// transfer set-up, the transfer group, image information, layout and the
// native and memory transfers.
#include <windows.h>

#include "source/twain/session_state.h"
#include "source/twain/triplet.h"
#include "source/twain/unsupported_triplets.h"

static bool InStates(TW_INT32 low, TW_INT32 high) {
    return sourceState >= low && sourceState <= high;
}

// Bytes per row of the offered picture (rows padded to 4 bytes), or 0 when
// there is none or its header cannot be read.
static TW_UINT32 TransferImageRowBytes() {
    if (transferImage == nullptr || GlobalSize(transferImage) < sizeof(BITMAPINFOHEADER)) {
        return 0;
    }
    auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(transferImage));
    if (header == nullptr) {
        return 0;
    }
    TW_UINT32 width = header->biWidth > 0 ? static_cast<TW_UINT32>(header->biWidth) : 0;
    GlobalUnlock(transferImage);
    return ((width * 3 + 3) / 4) * 4;
}

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
    TW_UINT32 rowBytes = TransferImageRowBytes();
    if (rowBytes == 0) {
        // Applications ask before any picture exists; they get success and
        // the reason, and the record stays as it was.
        conditionCode.ConditionCode = TWCC_SEQERROR;
        return TWRC_SUCCESS;
    }
    setup->MinBufSize = setup->MaxBufSize = setup->Preferred = rowBytes;
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

// The picture-bound triplets need a picture; until the scan window can make
// one they refuse as TWAIN has them refuse without a transfer ready.
static TW_UINT16 RefuseWithoutPicture(TripletRecord* triplet, TW_INT32 lastState) {
    if (triplet->message != MSG_GET) {
        return Refuse(TWCC_BADPROTOCOL);
    }
    if (!InStates(STATE_XFER_READY, lastState) || transferImage == nullptr) {
        return Refuse(TWCC_SEQERROR);
    }
    // Reached only once the scan window offers pictures.
    return Refuse(TWCC_BUMMER);
}

TW_UINT16 ImageInfoHandler(TripletRecord* triplet) {
    return RefuseWithoutPicture(triplet, STATE_XFER_READY);
}

TW_UINT16 ImageMemXferHandler(TripletRecord* triplet) {
    return RefuseWithoutPicture(triplet, STATE_TRANSFERRING);
}

TW_UINT16 ImageNativeXferHandler(TripletRecord* triplet) {
    return RefuseWithoutPicture(triplet, STATE_TRANSFERRING);
}

// The frame of the offered picture in whole pixels; 0 x 0 before any scan.
static TW_UINT16 GetImageLayout(TripletRecord* triplet) {
    if (!InStates(STATE_OPEN, STATE_XFER_READY)) {
        return Refuse(TWCC_BADPROTOCOL);
    }
    auto* layout = static_cast<TW_IMAGELAYOUT*>(triplet->data);
    if (layout == nullptr) {
        return Refuse(TWCC_BADVALUE);
    }
    LONG width = 0;
    LONG height = 0;
    if (transferImage != nullptr && GlobalSize(transferImage) >= sizeof(BITMAPINFOHEADER)) {
        if (auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(transferImage))) {
            width = header->biWidth;
            height = header->biHeight;
            GlobalUnlock(transferImage);
        }
    }
    *layout = {};
    layout->Frame.Right.Whole = static_cast<TW_INT16>(width);
    layout->Frame.Bottom.Whole = static_cast<TW_INT16>(height);
    layout->DocumentNumber = layout->PageNumber = layout->FrameNumber = 1;
    return TWRC_SUCCESS;
}

// Setting a layout needs the output size model of the scan window, which
// this build does not have yet: refused as an unsupported message.
TW_UINT16 ImageLayoutHandler(TripletRecord* triplet) {
    if (triplet->message == MSG_GET) {
        return GetImageLayout(triplet);
    }
    return Refuse(TWCC_BADPROTOCOL);
}

TW_UINT16 ImageFileXferHandler(TripletRecord*) {
    return Refuse(TWCC_BADPROTOCOL);
}

TW_UINT16 UnsupportedImageHandler(TripletRecord* triplet) {
    return Refuse(UnsupportedConditionCode(triplet->dataArgType, sourceState, triplet->message));
}
