// The scans as the main scan window runs them: the preview into the
// preview buffers and the window, the final scan into transferImage with
// its progress window and STOP button, and the focus check with its gauge.
// Each runs to its end inside the caller's command handler and looks at the
// message queue itself. Windows only; the scanning is in the portable core.
#pragma once

#include <windows.h>

#include <cstdint>

#include "source/scanner/scanner_check.h"  // MSG_SCANNING_STOPPED

// Progress picture size of the running final scan; ProgressDialogProc
// sizes the progress window from it.
extern WORD progressWidth;
extern WORD progressHeight;

// With the port held: brings the film to the front, scans the frame into
// previewPixels and previewBitmap (made first when there are none) and
// draws each line into `window` at the image rectangle. A failed line shows
// "Scanning stopped !" and "Cannot identify scanner !".
void PreviewScan(HWND window);

// With the port held: scans the crop frame at the output size into a new
// transferImage, or leaves transferImage 0 when the scan was stopped, failed
// or could not start (a message has been shown, owned by `window`, the main
// scan window). Answers 1.
// Hand-over: a new transferImage comes still locked once, by the lock the
// scan wrote through. That lock passes to the caller, who must GlobalUnlock
// it before the application is told the picture is ready (the main window's
// OnScan does); the block itself belongs to the session state.
BYTE FinalScan(HWND window);

INT_PTR CALLBACK ProgressDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// A scan line canvas's pixel on a device context (the context is the
// canvas's context).
void SetCanvasPixel(void* context, int16_t x, int16_t y, uint8_t red, uint8_t green, uint8_t blue);

// Opens the port, moves the film to scanSettings.focusLine and shows the
// sharpness gauge in `window` until the user clicks or presses a key; then
// brings the film back.
void RunFocus(HWND window);
// The same with the port already held (and the link pointed at it).
void RunFocusWithPortHeld(HWND window);
