// The preview scan: the whole frame at 177 dpi into the two preview buffers,
// drawn into the window line by line as it arrives. Portable: the caller
// holds the port, has brought the film to its front end, owns the buffers
// and draws through the canvas; it shows the messages on failure.
#pragma once

#include <cstddef>
#include <cstdint>

#include "source/imaging/dib_header.h"
#include "source/imaging/scan_line.h"
#include "source/scanner/scan_setup.h"

struct PreviewGeometry {
    int32_t windowLeft, windowTop, windowWidth, windowHeight;  // scanner units
    uint32_t lines, pixels;  // lines across the frame, pixels per line
};

constexpr uint16_t PREVIEW_RESOLUTION = 177;
constexpr size_t PREVIEW_PIXELS_BYTES = 240 * 160 * 3;
constexpr size_t PREVIEW_BITMAP_BYTES = DIB_HEADER_BYTES + PREVIEW_PIXELS_BYTES;

// 35 mm: 2400 x 1600 at (76, 90), 240 lines of 160 pixels; APS: 1910 x 1090
// at (320, 350), 191 lines of 109 pixels.
PreviewGeometry PreviewGeometryFor(bool apsAdapter);

// 'L', 'T', 'R', 'B' for rotation 0..3.
char OrientationLetter(uint16_t rotation);

struct PreviewTarget {
    uint8_t* previewPixels;  // PREVIEW_PIXELS_BYTES: scan line L uncorrected in row L
    uint8_t* previewBitmap;  // a 40-byte header then the corrected, rotated picture
    size_t previewBitmapBytes;
    ScanLineCanvas canvas;   // the window
    int32_t imageLeft, imageTop;  // where the window draws the picture
};

// Sets up and runs the scan. Answers Completed when every line arrived (the
// scan is ended), LineFailed when a line failed (the caller shows "Scanning
// stopped !" and "Cannot identify scanner !"), NoMemory when the line
// buffers could not be had or the bitmap is too small (only "Scanning
// stopped !"; nothing was sent).
ScanOutcome RunPreviewScan(const PreviewTarget& target, bool apsAdapter, uint16_t rotation, bool monochrome);

// The shown preview from the scanned one, as a slider step or a rotation
// redraws it: `lines` stored scan lines of `pixelsPerLine` (at most 160)
// pixels of blue, green, red, DibRowBytes(pixelsPerLine) apart; each pixel
// grey from its green when `monochrome`, re-toned (RetonePixel) and placed
// for `rotation` into the shown picture's rows (`rows`, `rowsBytes`, bottom
// row first).
void RetonePreviewRows(const uint8_t* pixels, uint32_t lines, uint32_t pixelsPerLine, uint16_t rotation,
                       bool monochrome, uint8_t* rows, size_t rowsBytes);
