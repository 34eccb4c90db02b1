// What the main scan window's pieces share: its command and control ids,
// its flags, the memory copy of its background, and the tool buttons.
// Windows only; one window per loaded library.
#pragma once

#include <windows.h>

#include <cstdint>

#include "source/ui/crop_frame.h"
#include "source/ui/output_size.h"

// Tool button commands (WM_COMMAND ids); the toolbar control holding each
// button has the id one above.
constexpr WORD CMD_PREVIEW = 201;
constexpr WORD CMD_SCAN = 203;
constexpr WORD CMD_MAX_RESOLUTION = 205;
constexpr WORD CMD_ROTATE = 211;
constexpr WORD CMD_INDEX_WINDOW = 213;
constexpr WORD CMD_FOCUS = 215;
constexpr WORD CMD_MONOCHROME = 217;
constexpr WORD CMD_GAMMA_WINDOW = 219;
constexpr WORD CMD_RESET_EXPOSURE = 221;
constexpr WORD CMD_RESET_RED = 223;
constexpr WORD CMD_RESET_GREEN = 225;
constexpr WORD CMD_RESET_BLUE = 227;
constexpr WORD CMD_FILM_TYPE = 251;
constexpr WORD CMD_IMAGE_SIZE = 253;
constexpr WORD CMD_UNIT = 255;
constexpr WORD CMD_OUTPUT_RESOLUTION = 257;

constexpr int EDIT_WIDTH = 503;
constexpr int EDIT_HEIGHT = 504;
constexpr int EDIT_RESOLUTION = 505;
constexpr int SCROLL_EXPOSURE = 601;
constexpr int SCROLL_RED = 602;
constexpr int SCROLL_GREEN = 603;
constexpr int SCROLL_BLUE = 604;
constexpr int SCROLL_NEUTRAL = 200;
constexpr int SCROLL_MAX = 400;

constexpr int BACKGROUND_WIDTH = 578;
constexpr int BACKGROUND_HEIGHT = 384;

// Panel colours.
constexpr COLORREF PANEL_BACKGROUND = RGB(0x21, 0x21, 0x21);
constexpr COLORREF PANEL_TEXT = RGB(255, 255, 255);
constexpr COLORREF READOUT_BACKGROUND = RGB(0xC0, 0xC0, 0xC0);

struct MainWindowState {
    BYTE firstPaint;
    int32_t previewed;
    int32_t focusMode;
    int32_t gammaWindowOpen;
    int32_t scannerStatus;  // last CheckScanner: 0 not ready, 1 ready, 100 + film code
    CropDrag drag;          // the mouse over the crop frame and the resolution slider
    // The client area's memory copy: a memory context holding its own
    // bitmap, made at the first paint and kept as long as the window.
    // Plain handles, since the record is reset by assignment; DestroyBackground
    // is the one place that gives them back (WM_DESTROY).
    HDC backgroundDC;
    HBITMAP backgroundBitmap;
    HGDIOBJ backgroundPrevious;  // the context's own bitmap, selected again before DeleteDC
};
extern MainWindowState mainState;

// --- main_window_controls.cpp ---
// The sixteen tool buttons, three edit fields and four scroll bars.
void CreateScanControls(HWND window);
// Destroys them with their bitmaps and font (the window is going). The
// tool bitmaps and the edit font live as long as the controls that draw
// with them, so they are plain module handles given back only here.
void DestroyScanControls();
// A one-button toolbar; *image receives the button's bitmap, which the
// caller deletes after the toolbar is gone.
HWND CreateToolbarButton(HWND parent, int x, int y, int width, int height, int controlId, WORD commandId,
                         int bitmapId, bool show, HBITMAP* image);
// The pressed look and the greyed state of a tool button, by command.
void PressButton(WORD command, bool pressed);
void EnableButton(WORD command, bool enabled);
// Focus only with a preview; each reset only while its slider is moved.
void UpdateButtonStates();
// The tool tip of the button under the mouse; answers whether it was one.
BOOL OnToolTipNotify(LPARAM lParam);
// Removes up to 20 pending messages of the window (clicks made during a scan).
void FlushWindowMessages(HWND window);
// The panel font: Arial bold 15 x 6. The caller deletes it.
HFONT CreatePanelFont();
// The Japanese gothic, bold, in the Japanese character set. The caller
// deletes it.
HFONT CreateJapaneseGothicFont(int height);
// The rule of the film type names and the lists: the Japanese gothic for a
// Japanese interface unless the setting FONT begins with E or e.
bool UseJapaneseGothic();

// --- main_window_painting.cpp ---
void OnPaint(HWND window);
// Selects the background's own bitmap again, then DeleteDC and
// DeleteObject; the handles are 0 afterwards. Harmless when none was made.
void DestroyBackground();
// The unit panel: EnableUnitControls sets which of the image size and the
// output resolution controls take input; DrawUnitPanel draws the unit name,
// the resolution's label and "dpi" (grey while the unit is pixels) into a
// context; ShowUnitPanel does both in the window and shows the sizes in
// the unit.
void EnableUnitControls(HWND window, int16_t unit);
void DrawUnitPanel(HDC dc, int16_t unit);
void ShowUnitPanel(HWND window, int16_t unit);
// Film type name in the panel, on three lines, from record `recordNumber`.
void DrawFilmTypeName(HDC dc, int32_t recordNumber);
// The frame mask around the preview (empty: no preview yet), in the window
// and the background copy. Leaves the black stock pen selected in `dc`.
void DrawFrameMask(HDC dc, bool empty);
// The crop frame, inverted: drawing it twice removes it.
void DrawCropFrame(HDC dc);
// Draws the named bitmap into the window and the background copy.
void DrawOnWindowAndBackground(HWND window, const char* name, int x, int y, int width, int height);
// The red, green and blue of the window pixel under the mouse, in the
// read-out strip.
void ShowColourUnderMouse(HWND window, int x, int y);
// The output size in the width and height fields, in the current unit
// (writing a field clears its modified flag).
void ShowOutputSize(HWND window);
// The output resolution in its field (the table's row unless typed).
void ShowResolution(HWND window);
// The size estimate in kilobytes in the read-out strip.
void ShowSizeEstimate(HDC dc);
void ShowSizeEstimateInWindow(HWND window);
// The resolution bar, its bitmap also into the background copy, and the
// slider at the place scanScale gives.
void DrawResolutionBar(HDC dc);
// Carries out what an output size operation asks to redraw; the
// maximum-resolution button always follows maxResolutionOn.
void ApplyOutputRedraw(HWND window, const OutputRedraw& redraw);
// The preview picture from previewPixels for the rotation, re-toned and
// black-and-white as set, into previewBitmap and onto the window.
void RenderPreview(HWND window);
// previewBitmap drawn at the image rectangle's top-left corner.
void DrawPreviewBitmap(HDC dc);
