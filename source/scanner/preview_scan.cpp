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

void RetonePreviewRows(const uint8_t* pixels, uint32_t lines, uint32_t pixelsPerLine, uint16_t rotation,
                       bool monochrome, uint8_t* rows, size_t rowsBytes) {
    constexpr uint32_t LONGEST_LINE = 160;  // pixels across the 35 mm film
    if (pixelsPerLine > LONGEST_LINE) return;
    const bool landscape = rotation % 2 == 0;
    const uint32_t shownWidth = landscape ? lines : pixelsPerLine;
    const uint32_t shownHeight = landscape ? pixelsPerLine : lines;
    const uint32_t lineBytes = DibRowBytes(pixelsPerLine);
    const char orientation = OrientationLetter(rotation);
    uint8_t line[LONGEST_LINE * 3];  // one line of red, green, blue
    for (uint32_t j = 0; j < lines; ++j) {
        const uint8_t* stored = pixels + static_cast<size_t>(j) * lineBytes;
        for (uint32_t i = 0; i < pixelsPerLine; ++i) {
            uint8_t blue = stored[3 * i], green = stored[3 * i + 1], red = stored[3 * i + 2];
            if (monochrome) red = blue = green;
            RetonePixel(red, green, blue);
            line[3 * i] = red;
            line[3 * i + 1] = green;
            line[3 * i + 2] = blue;
        }
        LinePlacement placed = {lines, pixelsPerLine, 'F', orientation, static_cast<double>(lines), 0, 0, j};
        PlaceScanLine(line, rows, rowsBytes, shownHeight, DibRowBytes(shownWidth), placed);
    }
}
