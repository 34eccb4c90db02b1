// The index window's model: which frame is selected and what the sheet
// shows, where a click or double-click lands, the auto scan's walk through
// a cartridge, and the picture of the sheet that the application receives.
// Portable; the window (aps/win32/index_window.cpp) draws and reads the
// mouse, the scans and messages are reached through hooks.
#pragma once

#include <cstddef>
#include <cstdint>

// autoScanState values.
constexpr uint8_t AUTO_SCAN_IDLE = 0;
constexpr uint8_t AUTO_SCAN_STOP_REQUESTED = 1;
constexpr uint8_t AUTO_SCAN_RUNNING = 2;
constexpr uint8_t AUTO_SCAN_FIRST_FRAME = 3;
constexpr uint8_t AUTO_SCAN_STOP = 255;

constexpr uint8_t INDEX_MAX_FRAMES = 40;

// Messages of the index scan (English at the id, Japanese at id + 1).
constexpr uint32_t MSG_INDEX_SCAN_COMPLETED = 30130;  // "Index scanning is completed !"
constexpr uint32_t MSG_FRAME_NOT_VALID = 30140;       // "Selected frame number is not valid !"
constexpr uint32_t MSG_DISCARD_INDEX = 30030;         // question before Clear
constexpr uint32_t MSG_OPEN_DISCARDS_INDEX = 30080;   // question before Open
constexpr uint32_t MSG_QUIT_DISCARDS_INDEX = 30040;   // question before the scan window closes
constexpr uint32_t MSG_NOTHING_TO_SAVE = 30210;
constexpr uint32_t MSG_SAVE_FAILED = 30220;

// Shared by the index window, the index scan and the IX window.
extern uint8_t selectedFrame;   // 1..40
extern uint8_t ixWindowFrame;   // the frame the IX window shows
extern uint8_t autoScanState;
extern uint8_t indexUnsaved;    // a thumbnail was scanned since the last save or clear
// Display options of the sheet's annotations.
extern uint8_t showFrameNumbers, showPrintAspect, showDateTime, showTitle;

// Back to a freshly loaded library.
void ResetIndexState();

// The frame whose number tag (the 12 x 12 square at (3, 3) of its cell) is
// at sheet point (x, y), or 0. Only frames 1..40 have cells; the tag exists
// only while frame numbers are shown (the caller asks then).
uint8_t FrameAtNumberTag(int32_t x, int32_t y);
// The frame whose thumbnail's inner area (x 20..79, y 20..49 of its cell)
// holds (x, y), or 0: a double-click there opens the frame in the preview.
uint8_t FrameAtThumbnail(int32_t x, int32_t y);

// The auto scan's walk (after its first frame was marked with
// AUTO_SCAN_FIRST_FRAME by the caller): scans frame after frame until the
// adapter reports the film's end, a scan stops, or frame 40 is done; a strip
// film scans one frame and moves the selection on.
struct AutoScanHooks {
    // ScanIndexFrame: 1 when a thumbnail was scanned, 0 otherwise.
    int32_t (*scanFrame)(void* context);
    void (*showMessage)(void* context, uint32_t stringId);
    // The position byte of the last status read (above 63: the film's end).
    uint8_t (*lastPositionByte)(void* context);
    void* context;
};
void RunAutoScanLoop(const AutoScanHooks& hooks, bool stripFilm);

// The sheet as the application receives it: 576 x 464 of the 640 x 480
// sheet (its annotated working copy, `sheet` rows top-down, 3 bytes red,
// green, blue per pixel), without the toolbar strip, the legend's corner
// grey; a bottom-up 24-bit DIB with its 40-byte header, pixels per metre
// from `outputResolution`.
constexpr uint32_t INDEX_COPY_WIDTH = 576;
constexpr uint32_t INDEX_COPY_HEIGHT = 464;
constexpr size_t INDEX_COPY_BYTES = 40 + INDEX_COPY_WIDTH * 3 * INDEX_COPY_HEIGHT;
// `sheetBytes` must hold 640 x 480 x 3 and `dibBytes` INDEX_COPY_BYTES;
// answers false, writing nothing, when either is short.
bool CopySheetToDib(const uint8_t* sheet, size_t sheetBytes, uint8_t* dib, size_t dibBytes, double outputResolution);
