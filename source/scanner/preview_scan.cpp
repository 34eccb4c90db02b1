#include "source/scanner/preview_scan.h"

#include <cstring>
#include <vector>

#include "source/imaging/film_parameters.h"
#include "source/scanner/command_set.h"
#include "source/scanner/link.h"
#include "source/scanner/scan_setup.h"

namespace {

uint32_t RowBytes(uint32_t width) {
    return ((3 * width + 3) / 4) * 4;
}

void Put32(uint8_t* out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(value >> (8 * i));
}

// The 40-byte header of the displayed preview for the rotation.
void WritePreviewHeader(uint8_t* header, uint32_t width, uint32_t height) {
    std::memset(header, 0, PREVIEW_HEADER_BYTES);
    Put32(header, 40);
    Put32(header + 4, width);
    Put32(header + 8, height);
    header[12] = 1;   // planes
    header[14] = 24;  // bits per pixel
    Put32(header + 20, RowBytes(width) * height);
}

}  // namespace

PreviewGeometry PreviewGeometryFor(bool apsAdapter) {
    return apsAdapter ? PreviewGeometry{320, 350, 1910, 1090, 191, 109} : PreviewGeometry{76, 90, 2400, 1600, 240, 160};
}

char OrientationLetter(uint16_t rotation) {
    static constexpr char LETTERS[] = {'L', 'T', 'R', 'B'};
    return LETTERS[rotation & 3];
}

uint8_t RunPreviewScan(const PreviewTarget& target, bool apsAdapter, uint16_t rotation, bool monochrome) {
    PreviewGeometry g = PreviewGeometryFor(apsAdapter);
    bool landscape = rotation % 2 == 0;
    uint32_t width = landscape ? g.lines : g.pixels;
    uint32_t height = landscape ? g.pixels : g.lines;
    if (target.previewBitmapBytes < PREVIEW_HEADER_BYTES) {
        return 0;
    }
    WritePreviewHeader(target.previewBitmap, width, height);

    scanWindow.windowLeft = g.windowLeft;
    scanWindow.windowTop = g.windowTop;
    scanWindow.windowWidth = g.windowWidth;
    scanWindow.windowHeight = g.windowHeight;
    scanWindow.xResolution = scanWindow.yResolution = PREVIEW_RESOLUTION;
    scanMode.filmSide = 'F';
    scanMode.modeLetter = 'R';
    PrepareScanParameters();
    SetScanWindow(scanWindow);
    SetScanMode(scanMode);
    SetScanParameters(scanParameters);
    StartScan();

    std::vector<uint8_t> raw(g.pixels * 3), corrected(g.pixels * 3), delay1(g.pixels * 3), delay2(g.pixels * 3);
    ScanLineBuffers buffers = {raw.data(), corrected.data(), delay1.data(), delay2.data()};
    char letter = OrientationLetter(rotation);
    bool monochromeFilm = currentFilm.blackAndWhite != 0;
    auto lineExtent = static_cast<double>(g.lines);
    for (uint32_t line = 0; line < g.lines; ++line) {
        if (!ReadScanLine(buffers, g.pixels, PREVIEW_RESOLUTION, monochrome, monochromeFilm)) {
            return 0;
        }
        LinePlacement onScreen = {g.lines, g.pixels, 'F', letter, lineExtent, target.imageLeft, target.imageTop, line};
        DrawScanLine(target.canvas, corrected.data(), onScreen);
        // The uncorrected preview: scan line L in row L, pixel i at column i.
        LinePlacement stored = {g.lines, g.pixels, 'F', 'B', lineExtent, 0, 0, line};
        PlaceScanLine(raw.data(), target.previewPixels, PREVIEW_PIXELS_BYTES, g.lines, RowBytes(g.pixels), stored);
        LinePlacement shown = {g.lines, g.pixels, 'F', letter, lineExtent, 0, 0, line};
        PlaceScanLine(corrected.data(), target.previewBitmap + PREVIEW_HEADER_BYTES,
                      target.previewBitmapBytes - PREVIEW_HEADER_BYTES, height, RowBytes(width), shown);
    }
    EndScan();
    return 1;
}
