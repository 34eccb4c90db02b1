// The fake source's custom triplets, shared by the fake and the tests.
//
//  DG_CONTROL / FAKE_DAT_REPORT / MSG_GET, data FakeSourceReport*: fills the
//    record (any state, any origin). Always TWRC_SUCCESS unless data is NULL.
//  DG_CONTROL / FAKE_DAT_NOTIFY / MSG_SET, data FakeSourceNotify*: the fake
//    calls the manager's DSM_Entry(its identity, its application's identity,
//    DG_CONTROL, DAT_NULL, message, NULL) and returns what the manager
//    returned (TWRC_FAILURE with TWCC_SEQERROR when not open).
#pragma once

#include "common/twain_records.h"

constexpr TW_UINT16 FAKE_DAT_REPORT = DAT_CUSTOMBASE;
constexpr TW_UINT16 FAKE_DAT_NOTIFY = DAT_CUSTOMBASE + 1;

// A copy whose file name starts with this refuses DAT_IDENTITY/MSG_GET, like
// a broken source would.
constexpr char FAKE_FAILING_PREFIX[] = "fail_";

#pragma pack(push, 2)
struct FakeSourceReport {
    TW_UINT32 callsSeen;  // DS_Entry calls before this one
    TW_UINT32 openCount;
    TW_UINT32 closeCount;
    TW_UINT32 enableCount;
    TW_UINT32 disableCount;
    TW_UINT32 lastOriginId;  // of the call before this one (0 for NULL)
    TW_UINT32 lastDataGroup;
    TW_UINT16 lastDataArgType;
    TW_UINT16 lastMessage;
    TW_UINT32 reportOriginId;  // of this call
    TW_UINT32 appId;           // the application that opened the fake, 0 when closed
    TW_UINT32 sourceId;        // the Id the manager gave the fake at open
};

struct FakeSourceNotify {
    TW_UINT16 message;
    TW_UINT16 reserved;
};
#pragma pack(pop)

static_assert(sizeof(FakeSourceReport) == 44);
static_assert(sizeof(FakeSourceNotify) == 4);
