// A minimal data source for the manager's tests. Its ProductName is its own
// file name without extension, so each copy under another name is another
// source. It keeps one session, counts what it is asked, and on request
// sends a notification through the manager.
#include <windows.h>

#include <cstring>

#include "common/twain_records.h"
#include "tests/fake_source/fake_source_protocol.h"
#include "tests/test_source_identity.h"

enum FakeState : uint8_t { FAKE_LOADED, FAKE_OPEN, FAKE_ENABLED };

static FakeState fakeState = FAKE_LOADED;
static TW_IDENTITY appIdentity = {};
static TW_IDENTITY sourceIdentity = {};
static TW_UINT16 conditionCode = TWCC_SUCCESS;
static FakeSourceReport report = {};

static TW_UINT16 Refuse(TW_UINT16 code) {
    conditionCode = code;
    return TWRC_FAILURE;
}

static TW_UINT16 GetIdentity(TW_IDENTITY* identity) {
    if (identity == nullptr) {
        return Refuse(TWCC_BADVALUE);
    }
    char stem[sizeof(TW_STR32) - 1];
    ReadStem(stem, sizeof stem);
    if (std::strncmp(stem, FAKE_FAILING_PREFIX, sizeof FAKE_FAILING_PREFIX - 1) == 0) {
        return Refuse(TWCC_BUMMER);
    }
    FillTestIdentity(*identity, sourceIdentity.Id, "test double", "Fake source");
    return TWRC_SUCCESS;
}

static TW_UINT16 Identity(TW_IDENTITY* origin, TW_UINT16 message, TW_MEMREF data) {
    auto* identity = static_cast<TW_IDENTITY*>(data);
    switch (message) {
    case MSG_GET:
        return GetIdentity(identity);
    case MSG_OPENDS:
        if (fakeState != FAKE_LOADED) {
            return Refuse(TWCC_MAXCONNECTIONS);
        }
        if (origin == nullptr || identity == nullptr) {
            return Refuse(TWCC_BADVALUE);
        }
        appIdentity = *origin;
        sourceIdentity = *identity;
        fakeState = FAKE_OPEN;
        ++report.openCount;
        return TWRC_SUCCESS;
    case MSG_CLOSEDS:
        if (fakeState != FAKE_OPEN) {
            return Refuse(TWCC_SEQERROR);
        }
        appIdentity = TW_IDENTITY{};
        sourceIdentity = TW_IDENTITY{};
        fakeState = FAKE_LOADED;
        ++report.closeCount;
        return TWRC_SUCCESS;
    default:
        return Refuse(TWCC_BADPROTOCOL);
    }
}

static TW_UINT16 UserInterface(TW_UINT16 message, TW_MEMREF data) {
    if (data == nullptr) {
        return Refuse(TWCC_BADVALUE);
    }
    if (message == MSG_ENABLEDS && fakeState == FAKE_OPEN) {
        fakeState = FAKE_ENABLED;
        ++report.enableCount;
        return TWRC_SUCCESS;
    }
    if (message == MSG_DISABLEDS && fakeState == FAKE_ENABLED) {
        fakeState = FAKE_OPEN;
        ++report.disableCount;
        return TWRC_SUCCESS;
    }
    return Refuse(message == MSG_ENABLEDS || message == MSG_DISABLEDS ? TWCC_SEQERROR : TWCC_BADPROTOCOL);
}

static TW_UINT16 Status(TW_UINT16 message, TW_MEMREF data) {
    auto* status = static_cast<TW_STATUS*>(data);
    if (message != MSG_GET || status == nullptr) {
        return Refuse(TWCC_BADVALUE);
    }
    status->ConditionCode = conditionCode;
    status->Reserved = 0;
    conditionCode = TWCC_SUCCESS;
    return TWRC_SUCCESS;
}

static TW_UINT16 ProcessEvent(TW_MEMREF data) {
    auto* event = static_cast<TW_EVENT*>(data);
    if (event == nullptr) {
        return Refuse(TWCC_BADVALUE);
    }
    event->TWMessage = MSG_NULL;
    return TWRC_NOTDSEVENT;
}

static TW_UINT16 Report(TW_IDENTITY* origin, TW_UINT16 message, TW_MEMREF data) {
    auto* out = static_cast<FakeSourceReport*>(data);
    if (message != MSG_GET || out == nullptr) {
        return Refuse(TWCC_BADVALUE);
    }
    *out = report;
    out->reportOriginId = origin != nullptr ? origin->Id : 0;
    out->appId = appIdentity.Id;
    out->sourceId = sourceIdentity.Id;
    return TWRC_SUCCESS;
}

static TW_UINT16 Notify(TW_UINT16 message, TW_MEMREF data) {
    auto* request = static_cast<FakeSourceNotify*>(data);
    if (message != MSG_SET || request == nullptr) {
        return Refuse(TWCC_BADVALUE);
    }
    if (fakeState == FAKE_LOADED) {
        return Refuse(TWCC_SEQERROR);
    }
    // The manager loaded us, so it is in the process; taking a reference of
    // our own keeps it there for the call.
    HMODULE manager = LoadLibraryA("TWAIN_32.DLL");
    if (manager == nullptr) {
        return Refuse(TWCC_BUMMER);
    }
    auto entry = reinterpret_cast<DSMENTRYPROC>(reinterpret_cast<void*>(GetProcAddress(manager, "DSM_Entry")));
    TW_UINT16 rc = TWRC_FAILURE;
    if (entry != nullptr) {
        rc = entry(&sourceIdentity, &appIdentity, DG_CONTROL, DAT_NULL, request->message, nullptr);
    }
    FreeLibrary(manager);
    return rc;
}

static TW_UINT16 Dispatch(TW_IDENTITY* origin, TW_UINT32 dataGroup, TW_UINT16 dataArgType, TW_UINT16 message,
                          TW_MEMREF data) {
    if (dataGroup != DG_CONTROL) {
        return Refuse(TWCC_BADPROTOCOL);
    }
    switch (dataArgType) {
    case DAT_IDENTITY:
        return Identity(origin, message, data);
    case DAT_USERINTERFACE:
        return UserInterface(message, data);
    case DAT_STATUS:
        return Status(message, data);
    case DAT_EVENT:
        return message == MSG_PROCESSEVENT ? ProcessEvent(data) : Refuse(TWCC_BADPROTOCOL);
    case FAKE_DAT_REPORT:
        return Report(origin, message, data);
    case FAKE_DAT_NOTIFY:
        return Notify(message, data);
    default:
        return Refuse(TWCC_BADPROTOCOL);
    }
}

extern "C" TW_UINT16 TW_CALLINGSTYLE DS_Entry(TW_IDENTITY* origin, TW_UINT32 dataGroup, TW_UINT16 dataArgType,
                                              TW_UINT16 message, TW_MEMREF data) {
    TW_UINT16 rc = Dispatch(origin, dataGroup, dataArgType, message, data);
    // Recorded after the call, so that a report shows the call before it.
    ++report.callsSeen;
    report.lastOriginId = origin != nullptr ? origin->Id : 0;
    report.lastDataGroup = dataGroup;
    report.lastDataArgType = dataArgType;
    report.lastMessage = message;
    return rc;
}
