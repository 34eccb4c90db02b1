// The record that DS_Entry builds for each call and hands to one handler, and
// the dispatch tables that choose the handler by DAT code.
#pragma once

#include "common/twain_records.h"

struct TripletRecord {
    TW_IDENTITY* origin;  // the caller's identity; may be null (a caller without one)
    TW_UINT32 dataGroup;
    TW_UINT16 dataArgType;
    TW_UINT16 message;
    TW_MEMREF data;  // the caller's record; may be null
};

// Every handler answers a TWAIN return code and, on refusal, leaves the reason
// in conditionCode.
typedef TW_UINT16 (*TripletHandler)(TripletRecord* triplet);

struct DispatchEntry {
    TW_UINT16 dataArgType;
    TripletHandler handler;  // null ends a table
};

// Walks `table` for `dataArgType` and answers what its handler answers; an
// unknown DAT gets TWCC_BADPROTOCOL and TWRC_FAILURE with no handler run.
TW_UINT16 FindHandler(TripletRecord* triplet, const DispatchEntry* table, TW_UINT16 dataArgType);

// Refuses with `code`: stores it in conditionCode and answers TWRC_FAILURE.
TW_UINT16 Refuse(TW_UINT16 code);

// Handlers, one per DAT (session.cpp, capability.cpp, image_transfer.cpp,
// unsupported_triplets.cpp).
TW_UINT16 IdentityHandler(TripletRecord* triplet);
TW_UINT16 UserInterfaceHandler(TripletRecord* triplet);
TW_UINT16 StatusHandler(TripletRecord* triplet);
TW_UINT16 EntryPointHandler(TripletRecord* triplet);
TW_UINT16 CapabilityHandler(TripletRecord* triplet);
TW_UINT16 PendingXfersHandler(TripletRecord* triplet);
TW_UINT16 SetupMemXferHandler(TripletRecord* triplet);
TW_UINT16 SetupFileXferHandler(TripletRecord* triplet);
TW_UINT16 XferGroupHandler(TripletRecord* triplet);
TW_UINT16 ImageInfoHandler(TripletRecord* triplet);
TW_UINT16 ImageLayoutHandler(TripletRecord* triplet);
TW_UINT16 ImageMemXferHandler(TripletRecord* triplet);
TW_UINT16 ImageNativeXferHandler(TripletRecord* triplet);
TW_UINT16 ImageFileXferHandler(TripletRecord* triplet);
TW_UINT16 UnsupportedImageHandler(TripletRecord* triplet);
