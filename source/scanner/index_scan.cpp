#include "source/scanner/index_scan.h"

#include "source/imaging/film_parameters.h"
#include "source/scanner/command_set.h"
#include "source/scanner/link.h"
#include "source/scanner/scan_setup.h"

namespace {

constexpr int32_t CELLS_PER_ROW = 6;
constexpr int32_t TOOLBAR_STRIP = 48;
constexpr uint32_t INDEX_FRAMES = 40;

}  // namespace

IndexScanGeometry IndexScanGeometryFor(bool aps, bool frontUp) {
    if (aps) {
        return {frontUp ? 320 : 328, 350, 1910, 1060, 83, 50, 3, 8};
    }
    return {136, 130, 2280, 1520, 70, 60, 3, 3};
}

bool IndexCellOrigin(uint32_t frame, int32_t& x, int32_t& y) {
    if (frame < 1 || frame > INDEX_FRAMES) return false;
    int32_t i = static_cast<int32_t>(frame) - 1;
    x = i % CELLS_PER_ROW * INDEX_CELL_WIDTH + TOOLBAR_STRIP;
    y = i / CELLS_PER_ROW * INDEX_CELL_HEIGHT;
    return true;
}

uint8_t RunThumbnailScan(const ThumbnailTarget& target, const IndexScanGeometry& g, char filmSide, bool turned,
                         bool autoScanRunning, bool monochrome) {
    LineBufferSet lineBuffers(g.pixels);
    if (!lineBuffers.Allocated()) {
        return 0;
    }
    scanWindow.windowLeft = g.windowLeft;
    scanWindow.windowTop = g.windowTop;
    scanWindow.windowWidth = g.windowWidth;
    scanWindow.windowHeight = g.windowHeight;
    scanWindow.xResolution = scanWindow.yResolution = g.resolution;
    scanMode.filmSide = filmSide;
    scanMode.modeLetter = 'G';
    PrepareScanParameters();
    // A scanner that did not take one command will not take the next; the
    // first line then fails at once.
    if (SetScanWindow(scanWindow) && SetScanMode(scanMode) && SetScanParameters(scanParameters)) {
        StartScan();
    }

    ScanLineBuffers buffers = lineBuffers.Buffers();
    const bool monochromeFilm = currentFilm.blackAndWhite != 0;
    const char orientation = turned ? 'R' : 'L';
    uint8_t result = 1;
    for (uint32_t line = 0; line < THUMBNAIL_LINES; ++line) {
        if (!ReadScanLine(buffers, g.pixels, g.resolution, monochrome, monochromeFilm)) {
            result = 0;
            break;
        }
        LinePlacement placed = {THUMBNAIL_LINES, g.pixels, filmSide,       orientation,
                                THUMBNAIL_LINES, target.originX, target.originY, line};
        DrawScanLine(target.screen, lineBuffers.Corrected(), placed);
        DrawScanLine(target.sheet, lineBuffers.Corrected(), placed);
        if (autoScanRunning && target.checkStop != nullptr) target.checkStop(target.context);
    }
    EndScan();
    return result;
}
