// The index window: the contact sheet of the film's frames, with the tool
// buttons that scan thumbnails, rewind, clear and copy the sheet to the
// application, and the display options of its annotations. Windows only;
// the model is aps/index_sheet, the scanning aps/win32/index_scan_win32.
#pragma once

#include <windows.h>

#include <cstdint>

// Index window commands (WM_COMMAND ids); the toolbar holding each button
// has the id one below.
constexpr WORD CMD_INDEX_SINGLE_SCAN = 9721;
constexpr WORD CMD_INDEX_AUTO_SCAN = 9723;
constexpr WORD CMD_INDEX_CLEAR = 9725;
constexpr WORD CMD_INDEX_REWIND = 9727;
constexpr WORD CMD_INDEX_IX_WINDOW = 9729;
constexpr WORD CMD_INDEX_OPEN_FILE = 9731;
constexpr WORD CMD_INDEX_SAVE_FILE = 9733;
constexpr WORD CMD_INDEX_COPY = 9735;
constexpr WORD CMD_INDEX_PREVIEW_WINDOW = 9737;
// The same commands as the IX window sends them.
constexpr WORD CMD_IX_SCAN_FRAME = 9700;
constexpr WORD CMD_IX_CLEAR = 9703;
constexpr WORD CMD_IX_REWIND = 9704;
constexpr WORD CMD_IX_FRAME_CHANGED = 9706;
constexpr WORD CMD_IX_OPEN_FILE = 9707;
constexpr WORD CMD_IX_SAVE_FILE = 9708;
constexpr WORD CMD_IX_COPY = 9709;
// Sent to the IX window: its frame or the records changed.
constexpr WORD CMD_IX_REFRESH = 9800;

// The sheet in the window: 640 x 470 of client area below the caption.
constexpr int INDEX_CLIENT_WIDTH = 640;
constexpr int INDEX_CLIENT_HEIGHT = 470;

// CMD_INDEX_WINDOW of the main scan window: creates the index window (no
// owner) or, when it exists, restores and raises it.
void OpenIndexWindow();

// The sheet outlives the window (a closed and reopened window shows the
// same thumbnails); the session gives it back when the source closes.
bool IndexSheetExists();
void ReleaseIndexSheet();

// The sheet's memory context (0 while there is none), for the scans.
HDC IndexSheetDC();

// Draws the sheet empty (its cells and legend), keeping the frame tables.
void ClearIndexSheet();

// Redraws the window from the sheet, now.
void RedrawIndexWindow();

// Draws frame `frame`'s number tag in `dc`: plain (white on blue once the
// frame holds data, black on grey otherwise), or emphasised (the frame the
// film stands at white on grey and red, the selected one black on yellow).
void DrawFrameNumber(HDC dc, uint8_t frame, bool emphasised);

// Draws the annotations of frame `frame` (aspect outline and letter, date
// and time, title, as the display options say) over its thumbnail in `dc`,
// whose origin is the sheet's.
void DrawFrameAnnotations(HDC dc, uint8_t frame);

// Every frame's annotations and, with frame numbers shown, its number
// (the selected frame and the film's emphasised), as the window shows them.
void DrawAllFrameAnnotations(HDC dc);

// The print area of `printAspect` (C, H, P; nothing for 0) outlined,
// inverted, on a thumbnail whose cell is at (x, y).
void InvertPrintArea(HDC dc, uint8_t printAspect, int x, int y);

// Tells the IX window (when there is one) that its frame or the records
// changed: it takes the selected frame's record as its edit record.
void RefreshIxWindow();
