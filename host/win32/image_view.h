// The image area of the main window: its scroll bars, its layout after a
// size change or a new picture, scrolling and painting.
#pragma once

#include <windows.h>

#include <cstdint>

#include "host/core/window_layout.h"

// The system metrics the layout rules need.
SystemMetrics ReadSystemMetrics();

// Makes the two scroll bars and the box between them (hidden) as children
// of window. Returns false when one could not be made.
bool CreateImageScrollBars(HWND window);

// Lays the image area out for the window's present client size and
// currentImage: bars, pages and positions, the status texts, the minimum
// window size, the icon button and the status bar; then redraws.
void LayOut(HWND window);

// Makes a window that shows only the band and the status bar tall enough
// for a picture (keeping its top-left corner).
void EnsureWindowHeight(HWND window);

// WM_HSCROLL / WM_VSCROLL (its wParam) from one of the image area's bars.
void ScrollImage(HWND window, HWND bar, WPARAM request);

// Draws currentImage into dc (nothing without a picture).
void PaintPicture(HWND window, HDC dc);

// The width, height and biSizeImage of currentImage; false when there is
// none.
bool CurrentPictureSize(int32_t& width, int32_t& height, uint32_t& sizeImage);

// Makes picture (owned, already checked) currentImage in place of the one
// shown, seen from its top-left corner, with room for it in the window and
// saving available. The caller lays out again.
void ShowNewPicture(HWND window, HGLOBAL picture);

// IMAGE_ARRIVED: takes picture over when it is a usable 24-bit picture (it
// becomes currentImage, unsaved, and saving becomes available); a picture
// that is not is freed and PICTURE_REFUSED is posted with the warning that
// says why. With no picture (a cancelled or failed transfer) the picture
// shown stays as it is.
void TakeArrivedPicture(HWND window, HGLOBAL picture);

// PICTURE_REFUSED: the warning text (a string id, + textOffset) over window.
void ShowRefusedPicture(HWND window, uint32_t text);
