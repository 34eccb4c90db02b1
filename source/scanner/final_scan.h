// The final scan: the crop frame at the resolution that gives the wanted
// output size, corrected line by line into a packed 24-bit DIB and drawn at
// a reduced scale into a progress picture. Portable: the caller holds the
// port, brings the film to the front, owns the picture's memory and the
// progress window, and reports how the scan ended.
#pragma once

#include <cstddef>
#include <cstdint>

#include "source/imaging/dib_header.h"
#include "source/imaging/scan_line.h"
#include "source/scanner/scan_setup.h"
#include "source/ui/scan_settings.h"

constexpr uint16_t PROGRESS_MAX_WIDTH = 600;
constexpr uint16_t PROGRESS_MAX_HEIGHT = 400;
constexpr int32_t PROGRESS_BAR_HEIGHT = 32;  // the STOP button's band above the picture
// The largest picture a final scan makes. Sizes come from the application
// (DAT_IMAGELAYOUT) as well as the user; past this the memory request would
// fail or its size overflow.
constexpr uint64_t FINAL_SCAN_MAX_BYTES = 512u * 1024u * 1024u;

struct FinalScanGeometry {
    uint16_t width, height;  // the output in pixels (W x H)
    uint16_t progressWidth, progressHeight;
    int32_t windowLeft, windowTop, windowWidth, windowHeight;  // scanner units
    uint16_t resolution;  // both axes
    uint32_t lines, pixels;  // W lines of H pixels, or H of W when turned a quarter
    double progressLineExtent;  // the progress picture's extent along the lines
    uint32_t rowBytes;  // S: 3 x W rounded up to a multiple of 4
    size_t imageBytes;  // header and rows
};

// From the crop frame, rotation, output size and adapter. Answers false
// when nothing can be scanned: an output or crop frame without pixels, an
// output side or resolution beyond 16 bits, or a picture above
// FINAL_SCAN_MAX_BYTES.
bool FinalScanGeometryFor(const ScanSettings& settings, FinalScanGeometry& geometry);

// The 40-byte BITMAPINFOHEADER of the transferred picture: bottom-up, 24
// bits, no colour table, pixels per metre from the output resolution.
void WriteTransferHeader(uint8_t* header, const FinalScanGeometry& geometry, double outputResolution);

struct FinalScanTarget {
    uint8_t* image;  // imageBytes: the header, already written, then the rows
    size_t imageBytes;
    ScanLineCanvas progress;  // the progress window; the picture starts 32 below its top
    // Before each line is drawn: the caller restores a covered STOP button.
    void (*beforeDraw)(void* context);
    // After each line: one look at the user's input; true stops the scan.
    bool (*stopRequested)(void* context);
    // When the scan stops early (by the user or a failed line), before it
    // is ended: the caller shows the STOP button pressed.
    void (*onStop)(void* context);
    void* context;
};

// Sends the set-up, reads two priming lines for the registration delay,
// then every line into the picture and the progress window. EndScan is sent
// however a scan that started ends.
ScanOutcome RunFinalScan(const FinalScanTarget& target, const FinalScanGeometry& geometry, uint16_t rotation,
                         bool monochrome);
