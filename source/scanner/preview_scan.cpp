#include "source/scanner/preview_scan.h"


#include "source/imaging/dib_header.h"
#include "source/imaging/film_parameters.h"
#include "source/scanner/command_set.h"
#include "source/scanner/link.h"
#include "source/scanner/scan_setup.h"


PreviewGeometry PreviewGeometryFor(bool apsAdapter) {
    return apsAdapter ? PreviewGeometry{320, 350, 1910, 1090, 191, 109} : PreviewGeometry{76, 90, 2400, 1600, 240, 160};
}

char OrientationLetter(uint16_t rotation) {
    static constexpr char LETTERS[] = {'L', 'T', 'R', 'B'};
    return LETTERS[rotation & 3];
}

ScanOutcome RunPreviewScan(const PreviewTarget& target, bool apsAdapter, uint16_t rotation, bool monochrome) {
    PreviewGeometry g = PreviewGeometryFor(apsAdapter);
    bool landscape = rotation % 2 == 0;
    uint32_t width = landscape ? g.lines : g.pixels;
    uint32_t height = landscape ? g.pixels : g.lines;
    if (target.previewBitmapBytes < DIB_HEADER_BYTES) {
        return ScanOutcome::NoMemory;
    }
    WriteDibHeader(target.previewBitmap, width, height, 0);

    LineBufferSet lineBuffers(g.pixels);
    if (!lineBuffers.Allocated()) {
        return ScanOutcome::NoMemory;
    }
    StartWindowScan(g.windowLeft, g.windowTop, g.windowWidth, g.windowHeight, PREVIEW_RESOLUTION);
    ScanLineBuffers buffers = lineBuffers.Buffers();
    char letter = OrientationLetter(rotation);
    bool monochromeFilm = currentFilm.blackAndWhite != 0;
    auto lineExtent = static_cast<double>(g.lines);
    for (uint32_t line = 0; line < g.lines; ++line) {
        if (!ReadScanLine(buffers, g.pixels, PREVIEW_RESOLUTION, monochrome, monochromeFilm)) {
            return ScanOutcome::LineFailed;
        }
        LinePlacement onScreen = {g.lines, g.pixels, 'F', letter, lineExtent, target.imageLeft, target.imageTop, line};
        DrawScanLine(target.canvas, lineBuffers.Corrected(), onScreen);
        // The uncorrected preview: scan line L in row L, pixel i at column i.
        LinePlacement stored = {g.lines, g.pixels, 'F', 'B', lineExtent, 0, 0, line};
        PlaceScanLine(lineBuffers.Raw(), target.previewPixels, PREVIEW_PIXELS_BYTES, g.lines, DibRowBytes(g.pixels), stored);
        LinePlacement shown = {g.lines, g.pixels, 'F', letter, lineExtent, 0, 0, line};
        PlaceScanLine(lineBuffers.Corrected(), target.previewBitmap + DIB_HEADER_BYTES,
                      target.previewBitmapBytes - DIB_HEADER_BYTES, height, DibRowBytes(width), shown);
    }
    EndScan();
    return ScanOutcome::Completed;
}
