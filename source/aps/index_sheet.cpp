#include "source/aps/index_sheet.h"

#include "source/imaging/dib_header.h"
#include "source/scanner/index_scan.h"
#include "source/scanner/scanner_check.h"

namespace {

constexpr int32_t CELLS_PER_ROW = 6;
constexpr int32_t TOOLBAR_STRIP = 48;
constexpr uint8_t END_OF_FILM_POSITION = 63;  // position bytes above it mark the film's end
// The legend's corner of the copy: the check boxes are controls, not part
// of the sheet, so the corner is filled plain.
constexpr uint32_t LEGEND_LEFT = 385, LEGEND_TOP_ROW = 396;
constexpr uint8_t LEGEND_GREY = 192;

// The frame whose cell holds (x, y), with the point's place in the cell.
uint8_t FrameAt(int32_t x, int32_t y, int32_t& inX, int32_t& inY) {
    if (x < TOOLBAR_STRIP || y < 0) return 0;
    int32_t column = (x - TOOLBAR_STRIP) / INDEX_CELL_WIDTH, row = y / INDEX_CELL_HEIGHT;
    if (column >= CELLS_PER_ROW) return 0;
    int32_t frame = row * CELLS_PER_ROW + column + 1;
    if (frame > INDEX_MAX_FRAMES) return 0;
    inX = x - TOOLBAR_STRIP - column * INDEX_CELL_WIDTH;
    inY = y - row * INDEX_CELL_HEIGHT;
    return static_cast<uint8_t>(frame);
}

}  // namespace

uint8_t selectedFrame = 1;
uint8_t ixWindowFrame = 1;
uint8_t autoScanState = AUTO_SCAN_IDLE;
uint8_t indexUnsaved = 0;
uint8_t showFrameNumbers = 1, showPrintAspect = 0, showDateTime = 0, showTitle = 0;

void ResetIndexState() {
    selectedFrame = ixWindowFrame = 1;
    autoScanState = AUTO_SCAN_IDLE;
    indexUnsaved = 0;
    showFrameNumbers = 1;
    showPrintAspect = showDateTime = showTitle = 0;
}

uint8_t FrameAtNumberTag(int32_t x, int32_t y) {
    int32_t inX = 0, inY = 0;
    uint8_t frame = FrameAt(x, y, inX, inY);
    return frame != 0 && inX >= 3 && inX < 15 && inY >= 3 && inY < 15 ? frame : 0;
}

uint8_t FrameAtThumbnail(int32_t x, int32_t y) {
    int32_t inX = 0, inY = 0;
    uint8_t frame = FrameAt(x, y, inX, inY);
    return frame != 0 && inX >= 20 && inX <= 79 && inY >= 20 && inY <= 49 ? frame : 0;
}

void RunAutoScanLoop(const AutoScanHooks& hooks, bool stripFilm) {
    // Each pass scans the selected frame; a scan that did not happen
    // (stopped, refused, failed) leaves autoScanState 0.
    // A film standing past frame 40 has no cell to scan into; the passes
    // are bounded as well, whatever the scanner reports.
    for (uint32_t pass = 0; pass < INDEX_MAX_FRAMES && filmPosition <= INDEX_MAX_FRAMES; ++pass) {
        hooks.scanFrame(hooks.context);
        if (stripFilm) {
            if (autoScanState == AUTO_SCAN_STOP) {
                autoScanState = AUTO_SCAN_IDLE;
            } else if (selectedFrame < INDEX_MAX_FRAMES) {
                ++selectedFrame;
            }
            return;
        }
        if (hooks.lastPositionByte(hooks.context) > END_OF_FILM_POSITION) {
            hooks.showMessage(hooks.context, MSG_INDEX_SCAN_COMPLETED);
            return;
        }
        if (autoScanState == AUTO_SCAN_IDLE) {
            hooks.showMessage(hooks.context, MSG_SCANNING_STOPPED);
            return;
        }
        if (autoScanState == AUTO_SCAN_STOP) {
            autoScanState = AUTO_SCAN_IDLE;
            hooks.showMessage(hooks.context, MSG_SCANNING_STOPPED);
            return;
        }
        if (selectedFrame >= INDEX_MAX_FRAMES) return;
        ++selectedFrame;
    }
}

bool CopySheetToDib(const uint8_t* sheet, size_t sheetBytes, uint8_t* dib, size_t dibBytes, double outputResolution) {
    constexpr size_t SHEET_ROW = INDEX_SHEET_WIDTH * 3;
    if (sheet == nullptr || dib == nullptr || sheetBytes < SHEET_ROW * INDEX_SHEET_HEIGHT ||
        dibBytes < INDEX_COPY_BYTES) {
        return false;
    }
    uint32_t perMetre = PixelsPerMetre(outputResolution);
    WriteDibHeader(dib, INDEX_COPY_WIDTH, INDEX_COPY_HEIGHT, perMetre);
    uint8_t* rows = dib + DIB_HEADER_BYTES;
    constexpr size_t COPY_ROW = INDEX_COPY_WIDTH * 3;
    for (uint32_t row = 0; row < INDEX_COPY_HEIGHT; ++row) {
        // Rows are stored bottom first: the sheet's row 463 is the first.
        uint8_t* out = rows + (INDEX_COPY_HEIGHT - 1 - row) * COPY_ROW;
        const uint8_t* in = sheet + row * SHEET_ROW + TOOLBAR_STRIP * 3;
        for (uint32_t x = 0; x < INDEX_COPY_WIDTH; ++x) {
            bool legend = x > LEGEND_LEFT && row > LEGEND_TOP_ROW;
            out[x * 3] = legend ? LEGEND_GREY : in[x * 3 + 2];
            out[x * 3 + 1] = legend ? LEGEND_GREY : in[x * 3 + 1];
            out[x * 3 + 2] = legend ? LEGEND_GREY : in[x * 3];
        }
    }
    return true;
}
