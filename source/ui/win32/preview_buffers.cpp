#include "source/ui/win32/preview_buffers.h"


HGLOBAL previewPixels = nullptr;
HGLOBAL previewBitmap = nullptr;

bool AllocatePreviewBuffers() {
    FreePreviewBuffers();
    previewPixels = GlobalAlloc(GHND, PREVIEW_PIXELS_BYTES);
    previewBitmap = GlobalAlloc(GHND, PREVIEW_BITMAP_BYTES);
    BYTE* header = previewBitmap != nullptr ? static_cast<BYTE*>(GlobalLock(previewBitmap)) : nullptr;
    if (previewPixels == nullptr || header == nullptr) {
        FreePreviewBuffers();
        return false;
    }
    // The unrotated 35 mm preview until a scan or the rendering rewrites it.
    WriteDibHeader(header, 240, 160, 0);
    GlobalUnlock(previewBitmap);
    return true;
}

void FreePreviewBuffers() {
    if (previewPixels != nullptr) GlobalFree(previewPixels);
    if (previewBitmap != nullptr) GlobalFree(previewBitmap);
    previewPixels = previewBitmap = nullptr;
}
