#include "source/twain/win32/session_state.h"

#include <cstring>

#include "source/library_state.h"
#include "source/resources/resource_ids.h"
#include "source/ui/win32/preview_buffers.h"
#include "qx_version.h"

TW_INT32 sourceState = STATE_LOADED;
TW_STATUS conditionCode = {};
TW_IDENTITY appIdentity = {};
TW_IDENTITY sourceIdentity = {};
HINSTANCE moduleInstance = nullptr;
HWND mainWindow = nullptr;
HWND indexWindow = nullptr;
HWND ixWindow = nullptr;
HWND gammaWindow = nullptr;
HGLOBAL transferImage = nullptr;
MemoryTransferProgress memoryTransfer = {};
TW_ENTRYPOINT managerEntry = {};
BYTE useJapanese = 0;
HWND parentWindow = nullptr;

void OfferTransferImage(HGLOBAL image) {
    if (transferImage != image) {
        FreeTransferImage();
    }
    transferImage = image;
    memoryTransfer = {};
}

void FreeTransferImage() {
    if (transferImage != nullptr) {
        GlobalFree(transferImage);
        transferImage = nullptr;
    }
    memoryTransfer = {};
}

HGLOBAL TakeTransferImage() {
    HGLOBAL image = transferImage;
    transferImage = nullptr;
    memoryTransfer = {};
    return image;
}

static void LoadIdentityString(UINT id, TW_STR32 destination) {
    std::memset(destination, 0, sizeof(TW_STR32));
    LoadStringA(moduleInstance, id, destination, sizeof(TW_STR32));
}

void ResetSession(HINSTANCE instance) {
    ResetCoreState();
    // Freed rather than forgotten: at process attach there is nothing to
    // free, and a caller resetting a used session does not leak the memory.
    FreeTransferImage();
    FreePreviewBuffers();
    moduleInstance = instance;
    sourceState = STATE_LOADED;
    conditionCode = {};
    appIdentity = {};
    sourceIdentity = {};
    managerEntry = {};
    mainWindow = indexWindow = ixWindow = gammaWindow = nullptr;
    useJapanese = 0;
    parentWindow = nullptr;

    sourceIdentity.Id = 0;
    sourceIdentity.Version.MajorNum = QX_VERSION_MAJOR;
    sourceIdentity.Version.MinorNum = QX_VERSION_MINOR;
    sourceIdentity.Version.Language = TWLG_USA;
    sourceIdentity.Version.Country = TWCY_USA;
    LoadIdentityString(IDS_VERSION_INFO, sourceIdentity.Version.Info);
    sourceIdentity.ProtocolMajor = 1;
    sourceIdentity.ProtocolMinor = 6;
    // DF_DS2 tells a TWAIN 2 manager to hand us its entry points rather
    // than to redirect our own loading of the 1.x manager; a 1.x manager
    // and its applications ignore the flag.
    sourceIdentity.SupportedGroups = DG_CONTROL | DG_IMAGE | DF_DS2;
    LoadIdentityString(IDS_MANUFACTURER, sourceIdentity.Manufacturer);
    LoadIdentityString(IDS_PRODUCT_FAMILY, sourceIdentity.ProductFamily);
    LoadIdentityString(IDS_PRODUCT_NAME, sourceIdentity.ProductName);
}
