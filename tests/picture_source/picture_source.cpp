// A data source without a window of its own that hands the application a
// known 24-bit picture by native transfer, or misbehaves on request
// (picture_source_protocol.h). Its ProductName is its file name without
// extension. One session at a time.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/twain_records.h"
#include "tests/picture_source/picture_source_protocol.h"
#include "tests/test_source_identity.h"

namespace {

enum SourceState : uint8_t { LOADED, OPEN, ENABLED, READY, TRANSFERRING };

struct Behaviour {
    bool autoReady;
    bool closeAfter;
    bool cancel;
    bool failure;
    bool oversize;
    bool endless;
    bool refuseCapability;
    bool refuseEnable;
    int32_t width;
    int32_t height;
};

SourceState state = LOADED;
TW_IDENTITY appIdentity = {};
TW_IDENTITY sourceIdentity = {};
TW_UINT16 conditionCode = TWCC_SUCCESS;
Behaviour behaviour = {};

void Log(const char* word) {
    char old[4096] = {};
    DWORD length = GetEnvironmentVariableA(PICTURE_SOURCE_LOG, old, sizeof old);
    std::string log = length < sizeof old ? old : "";
    log += word;
    log += ' ';
    SetEnvironmentVariableA(PICTURE_SOURCE_LOG, log.c_str());
}

bool HasWord(const std::string& words, const char* word) {
    size_t start = 0;
    while (start <= words.size()) {
        size_t end = words.find(',', start);
        if (end == std::string::npos) end = words.size();
        if (words.compare(start, end - start, word) == 0) return true;
        start = end + 1;
    }
    return false;
}

Behaviour ReadBehaviour() {
    char text[256] = {};
    DWORD length = GetEnvironmentVariableA(PICTURE_SOURCE_VARIABLE, text, sizeof text);
    std::string words = length < sizeof text ? text : "";
    Behaviour b = {};
    b.autoReady = HasWord(words, "auto");
    b.closeAfter = HasWord(words, "close");
    b.cancel = HasWord(words, "cancel");
    b.failure = HasWord(words, "failure");
    b.oversize = HasWord(words, "oversize");
    b.endless = HasWord(words, "endless");
    b.refuseCapability = HasWord(words, "refuse_cap");
    b.refuseEnable = HasWord(words, "refuse_enable");
    b.width = PICTURE_WIDTH;
    b.height = PICTURE_HEIGHT;
    size_t size = words.find("size=");
    if (size != std::string::npos) {
        int w = 0, h = 0;
        if (std::sscanf(words.c_str() + size + 5, "%dx%d", &w, &h) == 2 && w > 0 && h > 0) {
            b.width = w;
            b.height = h;
        }
    }
    return b;
}

TW_UINT16 Refuse(TW_UINT16 code) {
    conditionCode = code;
    return TWRC_FAILURE;
}

// Sends a notification to the application through the manager, which is
// in the process already (it loaded us).
TW_UINT16 Notify(TW_UINT16 message) {
    HMODULE manager = LoadLibraryA("TWAIN_32.DLL");
    if (manager == nullptr) return TWRC_FAILURE;
    auto entry = reinterpret_cast<DSMENTRYPROC>(reinterpret_cast<void*>(GetProcAddress(manager, "DSM_Entry")));
    TW_UINT16 rc = entry != nullptr ? entry(&sourceIdentity, &appIdentity, DG_CONTROL, DAT_NULL, message, nullptr)
                                    : TWRC_FAILURE;
    FreeLibrary(manager);
    return rc;
}

void MakeReady() {
    if (state == ENABLED) {
        state = READY;
        Notify(MSG_XFERREADY);
    }
}

TW_UINT16 Identity(TW_IDENTITY* origin, TW_UINT16 message, TW_IDENTITY* identity) {
    if (identity == nullptr) return Refuse(TWCC_BADVALUE);
    switch (message) {
    case MSG_GET: {
        FillTestIdentity(*identity, sourceIdentity.Id, "picture source", "Picture source");
        return TWRC_SUCCESS;
    }
    case MSG_OPENDS:
        if (state != LOADED) return Refuse(TWCC_MAXCONNECTIONS);
        if (origin == nullptr) return Refuse(TWCC_BADVALUE);
        appIdentity = *origin;
        sourceIdentity = *identity;
        behaviour = ReadBehaviour();
        state = OPEN;
        Log("open");
        return TWRC_SUCCESS;
    case MSG_CLOSEDS:
        if (state != OPEN) return Refuse(TWCC_SEQERROR);
        state = LOADED;
        appIdentity = TW_IDENTITY{};
        sourceIdentity = TW_IDENTITY{};
        Log("close");
        return TWRC_SUCCESS;
    default:
        return Refuse(TWCC_BADPROTOCOL);
    }
}

TW_UINT16 Capability(TW_UINT16 message, TW_CAPABILITY* capability) {
    if (message != MSG_SET || capability == nullptr) return Refuse(TWCC_BADPROTOCOL);
    if (state != OPEN) return Refuse(TWCC_SEQERROR);
    bool native = false;
    if (capability->Cap == ICAP_XFERMECH && capability->ConType == TWON_ONEVALUE) {
        auto* value = static_cast<TW_ONEVALUE*>(GlobalLock(capability->hContainer));
        if (value != nullptr) {
            native = value->ItemType == TWTY_UINT16 && value->Item == TWSX_NATIVE;
            GlobalUnlock(capability->hContainer);
        }
    }
    Log(native ? "cap:native" : "cap:other");
    return behaviour.refuseCapability ? Refuse(TWCC_BADCAP) : TWRC_SUCCESS;
}

TW_UINT16 UserInterface(TW_UINT16 message, TW_USERINTERFACE* ui) {
    if (ui == nullptr) return Refuse(TWCC_BADVALUE);
    char word[32];
    if (message == MSG_ENABLEDS) {
        if (state != OPEN) return Refuse(TWCC_SEQERROR);
        std::snprintf(word, sizeof word, "enable:%u", static_cast<unsigned>(ui->ShowUI));
        Log(word);
        if (behaviour.refuseEnable) return Refuse(TWCC_OPERATIONERROR);
        state = ENABLED;
        if (behaviour.autoReady) MakeReady();
        return TWRC_SUCCESS;
    }
    if (message == MSG_DISABLEDS) {
        if (state != ENABLED) return Refuse(TWCC_SEQERROR);
        std::snprintf(word, sizeof word, "disable:%u", static_cast<unsigned>(ui->ShowUI));
        Log(word);
        state = OPEN;
        return TWRC_SUCCESS;
    }
    return Refuse(TWCC_BADPROTOCOL);
}

TW_UINT16 ProcessEvent(TW_EVENT* event) {
    if (event == nullptr) return Refuse(TWCC_BADVALUE);
    event->TWMessage = MSG_NULL;
    const MSG* message = static_cast<const MSG*>(event->pEvent);
    if (message == nullptr || state < ENABLED) return TWRC_NOTDSEVENT;
    if (message->message == RegisterWindowMessageA(READY_MESSAGE)) {
        MakeReady();
        return TWRC_DSEVENT;
    }
    if (message->message == RegisterWindowMessageA(CLOSE_MESSAGE)) {
        Notify(MSG_CLOSEDSREQ);
        return TWRC_DSEVENT;
    }
    return TWRC_NOTDSEVENT;
}

TW_UINT16 ImageInfo(TW_IMAGEINFO* info) {
    if (info == nullptr) return Refuse(TWCC_BADVALUE);
    if (state != READY) return Refuse(TWCC_SEQERROR);
    *info = TW_IMAGEINFO{};
    info->XResolution.Whole = 72;
    info->YResolution.Whole = 72;
    info->ImageWidth = behaviour.width;
    info->ImageLength = behaviour.height;
    info->SamplesPerPixel = 3;
    info->BitsPerSample[0] = info->BitsPerSample[1] = info->BitsPerSample[2] = 8;
    info->BitsPerPixel = 24;
    info->PixelType = TWPT_RGB;
    Log("info");
    return TWRC_SUCCESS;
}

HGLOBAL MakePicture() {
    int32_t width = behaviour.width;
    int32_t height = behaviour.height;
    size_t rowBytes = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
    // A lying header: twice the rows the block holds.
    int32_t claimedHeight = behaviour.oversize ? height * 2 : height;
    HGLOBAL block = GlobalAlloc(GHND, sizeof(BITMAPINFOHEADER) + rowBytes * static_cast<size_t>(height));
    auto* bytes = static_cast<BYTE*>(GlobalLock(block));
    if (bytes == nullptr) {
        if (block != nullptr) GlobalFree(block);
        return nullptr;
    }
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = claimedHeight;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(rowBytes * static_cast<size_t>(claimedHeight));
    header.biXPelsPerMeter = 2835;
    header.biYPelsPerMeter = 2835;
    std::memcpy(bytes, &header, sizeof header);
    for (int32_t y = 0; y < height; ++y) {
        BYTE* row = bytes + sizeof header + rowBytes * static_cast<size_t>(y);
        for (int32_t x = 0; x < width; ++x) {
            PictureColour c = PicturePixel(x, y);
            row[x * 3] = c.blue;
            row[x * 3 + 1] = c.green;
            row[x * 3 + 2] = c.red;
        }
    }
    GlobalUnlock(block);
    return block;
}

TW_UINT16 NativeTransfer(TW_HANDLE* picture) {
    if (picture == nullptr) return Refuse(TWCC_BADVALUE);
    if (state != READY) return Refuse(TWCC_SEQERROR);
    Log("xfer");
    state = TRANSFERRING;
    if (behaviour.cancel) return TWRC_CANCEL;
    if (behaviour.failure || behaviour.endless) return Refuse(TWCC_OPERATIONERROR);
    *picture = MakePicture();
    return *picture != nullptr ? TWRC_XFERDONE : Refuse(TWCC_LOWMEMORY);
}

TW_UINT16 PendingTransfers(TW_UINT16 message, TW_PENDINGXFERS* pending) {
    if (pending == nullptr) return Refuse(TWCC_BADVALUE);
    if (state != READY && state != TRANSFERRING) return Refuse(TWCC_SEQERROR);
    if (message == MSG_ENDXFER) {
        Log("endxfer");
        pending->Count = behaviour.endless ? 1 : 0;
        state = behaviour.endless ? READY : ENABLED;
        if (state == ENABLED && behaviour.closeAfter) Notify(MSG_CLOSEDSREQ);
        return TWRC_SUCCESS;
    }
    if (message == MSG_RESET) {
        Log("reset");
        pending->Count = 0;
        state = ENABLED;
        if (behaviour.closeAfter) Notify(MSG_CLOSEDSREQ);
        return TWRC_SUCCESS;
    }
    return Refuse(TWCC_BADPROTOCOL);
}

TW_UINT16 Status(TW_STATUS* status) {
    if (status == nullptr) return Refuse(TWCC_BADVALUE);
    status->ConditionCode = conditionCode;
    status->Reserved = 0;
    conditionCode = TWCC_SUCCESS;
    return TWRC_SUCCESS;
}

TW_UINT16 Dispatch(TW_IDENTITY* origin, TW_UINT32 dataGroup, TW_UINT16 dataArgType, TW_UINT16 message,
                   TW_MEMREF data) {
    if (dataGroup == DG_IMAGE) {
        if (dataArgType == DAT_IMAGEINFO && message == MSG_GET) return ImageInfo(static_cast<TW_IMAGEINFO*>(data));
        if (dataArgType == DAT_IMAGENATIVEXFER && message == MSG_GET) {
            return NativeTransfer(static_cast<TW_HANDLE*>(data));
        }
        return Refuse(TWCC_BADPROTOCOL);
    }
    if (dataGroup != DG_CONTROL) return Refuse(TWCC_BADPROTOCOL);
    switch (dataArgType) {
    case DAT_IDENTITY:
        return Identity(origin, message, static_cast<TW_IDENTITY*>(data));
    case DAT_CAPABILITY:
        return Capability(message, static_cast<TW_CAPABILITY*>(data));
    case DAT_USERINTERFACE:
        return UserInterface(message, static_cast<TW_USERINTERFACE*>(data));
    case DAT_EVENT:
        return message == MSG_PROCESSEVENT ? ProcessEvent(static_cast<TW_EVENT*>(data)) : Refuse(TWCC_BADPROTOCOL);
    case DAT_PENDINGXFERS:
        return PendingTransfers(message, static_cast<TW_PENDINGXFERS*>(data));
    case DAT_STATUS:
        return Status(static_cast<TW_STATUS*>(data));
    default:
        return Refuse(TWCC_BADPROTOCOL);
    }
}

}  // namespace

extern "C" TW_UINT16 TW_CALLINGSTYLE DS_Entry(TW_IDENTITY* origin, TW_UINT32 dataGroup, TW_UINT16 dataArgType,
                                              TW_UINT16 message, TW_MEMREF data) {
    return Dispatch(origin, dataGroup, dataArgType, message, data);
}
