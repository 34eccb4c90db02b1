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
    const char orientation = OrientationLetter(scanSettings.rotation);
    const bool monochrome = scanSettings.monochrome == 1;
    uint8_t line[LONGEST_LINE * 3];  // one line of red, green, blue
    for (uint32_t j = 0; j < lines; ++j) {
        const uint8_t* stored = pixels.Get() + static_cast<size_t>(j) * lineBytes;
        for (uint32_t i = 0; i < pixelsPerLine; ++i) {
            uint8_t blue = stored[3 * i], green = stored[3 * i + 1], red = stored[3 * i + 2];
            if (monochrome) red = blue = green;
            RetonePixel(red, green, blue);
            line[3 * i] = red;
            line[3 * i + 1] = green;
            line[3 * i + 2] = blue;
        }
        LinePlacement placed = {lines, pixelsPerLine, 'F', orientation, static_cast<double>(lines), 0, 0, j};
        PlaceScanLine(line, bitmap.Get() + DIB_HEADER_BYTES, PREVIEW_PIXELS_BYTES, shownHeight,
                      DibRowBytes(shownWidth), placed);
    }
    return true;
}
