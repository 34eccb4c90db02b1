#include "source/scanner/final_scan.h"

#include <algorithm>
#include <cmath>

#include "source/imaging/film_parameters.h"
#include "source/scanner/command_set.h"
#include "source/scanner/link.h"
#include "source/scanner/preview_scan.h"
#include "source/scanner/scan_setup.h"

namespace {

constexpr int32_t STRIP_MARGIN_LEFT = 76, STRIP_MARGIN_TOP = 90;
constexpr int32_t APS_MARGIN_LEFT = 320, APS_MARGIN_TOP = 350;
constexpr int32_t UNITS_PER_PREVIEW_PIXEL = 10;
constexpr int PRIMING_LINES = 2;

// The picture's size on the progress window: at most 600 x 400, the
// output's aspect kept by shrinking the side that is less reduced.
void ProgressSize(FinalScanGeometry& g) {
    double w = g.width, h = g.height;
    double pw = std::min<double>(w, PROGRESS_MAX_WIDTH);
    double ph = std::min<double>(h, PROGRESS_MAX_HEIGHT);
    if (h / ph > w / pw) {
        pw = std::trunc(ph * w / h);
    } else {
        ph = std::trunc(pw * h / w);
    }
    // An extreme aspect would leave no picture at all; one pixel is kept.
    g.progressWidth = static_cast<uint16_t>(std::max(pw, 1.0));
    g.progressHeight = static_cast<uint16_t>(std::max(ph, 1.0));
}

}  // namespace

bool FinalScanGeometryFor(const ScanSettings& s, FinalScanGeometry& g) {
    g = {};
    if (!(s.outputWidth >= 1 && s.outputWidth < 65536 && s.outputHeight >= 1 && s.outputHeight < 65536)) {
        return false;
    }
    g.width = static_cast<uint16_t>(static_cast<int64_t>(std::trunc(s.outputWidth)));
    g.height = static_cast<uint16_t>(static_cast<int64_t>(std::trunc(s.outputHeight)));
    g.windowWidth = (s.cropX1 - s.cropX0 + 1) * UNITS_PER_PREVIEW_PIXEL;
    g.windowHeight = (s.cropY1 - s.cropY0 + 1) * UNITS_PER_PREVIEW_PIXEL;
    if (g.width == 0 || g.height == 0 || g.windowWidth <= 0 || g.windowHeight <= 0) {
        return false;
    }
    g.rowBytes = DibRowBytes(g.width);
    uint64_t bytes = DIB_HEADER_BYTES + uint64_t{g.rowBytes} * g.height;
    if (bytes > FINAL_SCAN_MAX_BYTES) {
        return false;
    }
    g.imageBytes = static_cast<size_t>(bytes);
    ProgressSize(g);

    // The smallest whole resolution that gives the wanted number of lines.
    bool landscape = s.rotation % 2 == 0;
    double along = landscape ? s.outputWidth : s.outputHeight;
    double r = std::trunc((along * SCANNER_UNITS_PER_INCH - 1) / g.windowWidth + 1);
    if (!(r >= 1 && r <= 65535)) {
        return false;
    }
    g.resolution = static_cast<uint16_t>(r);
    g.lines = landscape ? g.width : g.height;
    g.pixels = landscape ? g.height : g.width;
    g.progressLineExtent = landscape ? g.progressWidth : g.progressHeight;

    bool aps = s.apsAdapter != 0;
    g.windowLeft = s.cropX0 * UNITS_PER_PREVIEW_PIXEL + (aps ? APS_MARGIN_LEFT : STRIP_MARGIN_LEFT);
    g.windowTop = s.cropY0 * UNITS_PER_PREVIEW_PIXEL + (aps ? APS_MARGIN_TOP : STRIP_MARGIN_TOP);
    return true;
}

void WriteTransferHeader(uint8_t* header, const FinalScanGeometry& g, double outputResolution) {
    WriteDibHeader(header, g.width, g.height, PixelsPerMetre(outputResolution));
}

ScanOutcome RunFinalScan(const FinalScanTarget& target, const FinalScanGeometry& g, uint16_t rotation,
                         bool monochrome) {
    LineBufferSet lineBuffers(g.pixels);
    if (!lineBuffers.Allocated()) {
        return ScanOutcome::NoMemory;
    }
    StartWindowScan(g.windowLeft, g.windowTop, g.windowWidth, g.windowHeight, g.resolution);
    ScanLineBuffers buffers = lineBuffers.Buffers();
    bool monochromeFilm = currentFilm.blackAndWhite != 0;
    // The first two lines only fill the registration delay.
    for (int i = 0; i < PRIMING_LINES; ++i) {
        ReadScanLine(buffers, g.pixels, g.resolution, monochrome, monochromeFilm);
    }

    char letter = OrientationLetter(rotation);
    size_t rowsBytes = target.imageBytes > DIB_HEADER_BYTES ? target.imageBytes - DIB_HEADER_BYTES : 0;
    ScanOutcome outcome = ScanOutcome::Completed;
    for (uint32_t line = 0; line < g.lines; ++line) {
        if (!ReadScanLine(buffers, g.pixels, g.resolution, monochrome, monochromeFilm)) {
            outcome = ScanOutcome::LineFailed;
            break;
        }
        if (target.beforeDraw != nullptr) target.beforeDraw(target.context);
        LinePlacement shown = {g.lines, g.pixels, 'F', letter, g.progressLineExtent, 0, PROGRESS_BAR_HEIGHT, line};
        DrawScanLine(target.progress, lineBuffers.Corrected(), shown);
        LinePlacement stored = {g.lines, g.pixels, 'F', letter, static_cast<double>(g.lines), 0, 0, line};
        PlaceScanLine(lineBuffers.Corrected(), target.image + DIB_HEADER_BYTES, rowsBytes, g.height, g.rowBytes, stored);
        if (target.stopRequested != nullptr && target.stopRequested(target.context)) {
            outcome = ScanOutcome::Stopped;
            break;
        }
    }
    if (outcome != ScanOutcome::Completed && target.onStop != nullptr) target.onStop(target.context);
    EndScan();
    return outcome;
}
