#include "source/ui/win32/preview_buffers.h"

#include "common/win32/global_memory.h"

HGLOBAL previewPixels = nullptr;
HGLOBAL previewBitmap = nullptr;

bool AllocatePreviewBuffers() {
    FreePreviewBuffers();
    GlobalBlock pixels(GlobalAlloc(GHND, PREVIEW_PIXELS_BYTES));
    GlobalBlock bitmap(GlobalAlloc(GHND, PREVIEW_BITMAP_BYTES));
    {
        ScopedGlobalLock header(bitmap.Get());
        if (pixels.Get() == nullptr || header.Get() == nullptr) {
            return false;
        }
        // The unrotated 35 mm preview until a scan or the rendering rewrites it.
        WriteDibHeader(header.Get(), 240, 160, 0);
    }
    // Both made: the window keeps them until FreePreviewBuffers.
    previewPixels = pixels.Detach();
    previewBitmap = bitmap.Detach();
    return true;
}

void FreePreviewBuffers() {
    if (previewPixels != nullptr) GlobalFree(previewPixels);
    if (previewBitmap != nullptr) GlobalFree(previewBitmap);
    previewPixels = previewBitmap = nullptr;
}
