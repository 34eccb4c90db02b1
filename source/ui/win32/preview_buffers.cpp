#include "source/ui/win32/preview_buffers.h"

#include <cstdint>

#include "common/win32/global_memory.h"
#include "source/imaging/dib_header.h"
#include "source/imaging/scan_line.h"
#include "source/ui/scan_settings.h"

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

bool RenderPreviewBitmap() {
    ScopedGlobalLock pixels(previewPixels);
    ScopedGlobalLock bitmap(previewBitmap);
    if (pixels.Get() == nullptr || bitmap.Get() == nullptr) {
        return false;
    }
    // W scan lines of H pixels each, as the preview scan stored them.
    const uint32_t lines = scanSettings.imageWidth, pixelsPerLine = scanSettings.imageHeight;
    const bool landscape = scanSettings.rotation % 2 == 0;
    const uint32_t shownWidth = landscape ? lines : pixelsPerLine;
    const uint32_t shownHeight = landscape ? pixelsPerLine : lines;
    const uint32_t lineBytes = DibRowBytes(pixelsPerLine);
    // Sizes from the settings never pass the buffers, but a damaged record
    // must not make us read or write beyond them.
    constexpr uint32_t LONGEST_LINE = 160;  // pixels across the 35 mm film
    if (pixelsPerLine > LONGEST_LINE || static_cast<size_t>(lines) * lineBytes > PREVIEW_PIXELS_BYTES ||
        static_cast<size_t>(DibRowBytes(shownWidth)) * shownHeight > PREVIEW_PIXELS_BYTES) {
        return false;
    }
    WriteDibHeader(bitmap.Get(), shownWidth, shownHeight, 0);
    RetonePreviewRows(pixels.Get(), lines, pixelsPerLine, scanSettings.rotation, scanSettings.monochrome == 1,
                      bitmap.Get() + DIB_HEADER_BYTES, PREVIEW_PIXELS_BYTES);
    return true;
}
