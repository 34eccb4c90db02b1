// The index scan's scanning part: one frame as a 90-line thumbnail, drawn
// line by line into the index sheet and onto the screen. Portable: the
// caller holds the port, has positioned the film and drawn the empty cell,
// and owns the sheet and the screen (as canvases).
#pragma once

#include <cstdint>

#include "source/imaging/scan_line.h"

// The index sheet every thumbnail is drawn into.
constexpr int32_t INDEX_SHEET_WIDTH = 640;
constexpr int32_t INDEX_SHEET_HEIGHT = 480;
constexpr uint32_t THUMBNAIL_LINES = 90;
// One frame's cell of the sheet.
constexpr int32_t INDEX_CELL_WIDTH = 96, INDEX_CELL_HEIGHT = 66;

// Where and how a thumbnail is scanned, by adapter: the window in scanner
// units, one resolution on both axes, and the thumbnail's pixels per line
// and its origin inside the frame's cell.
struct IndexScanGeometry {
    int32_t windowLeft, windowTop, windowWidth, windowHeight;
    uint16_t resolution;
    uint32_t pixels;
    int32_t cellX, cellY;
};

// Strip film: 2280 x 1520 at (136, 130), 70 dpi, 60 pixels at (3, 3) in the
// cell. APS: 1910 x 1060 at (320, 350) with the film's front up or (328,
// 350) with its back up, 83 dpi, 50 pixels at (3, 8).
IndexScanGeometry IndexScanGeometryFor(bool aps, bool frontUp);

// The cell of frame 1..40 on the sheet: six to a row, 96 x 66 each, right
// of the 48-pixel toolbar strip. Frames outside 1..40 have no cell (false).
bool IndexCellOrigin(uint32_t frame, int32_t& x, int32_t& y);

struct ThumbnailTarget {
    ScanLineCanvas screen;
    ScanLineCanvas sheet;
    int32_t originX, originY;  // the thumbnail's top-left on the sheet
    // After each line, while an auto scan runs: one look at the STOP button.
    // The scan itself goes on to its last line (the auto scan stops before
    // the next frame).
    void (*checkStop)(void* context);
    void* context;
};

// Sends the window, the 'G' mode for the film side the scanner reports
// ('F' or 'B') and the parameter block, starts the scan and reads the 90
// lines, each drawn into both canvases (turned by 180 degrees when
// `turned`, for a frame the camera marked so). Answers 1 when every line
// was read, 0 when a line failed (the scan is ended either way), or when
// the line buffers could not be had (nothing is sent then).
uint8_t RunThumbnailScan(const ThumbnailTarget& target, const IndexScanGeometry& geometry, char filmSide,
                         bool turned, bool autoScanRunning, bool monochrome);
