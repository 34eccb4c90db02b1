// The band of tool buttons at the top of the main window, the status bar at
// its bottom, and the menu items that go with the buttons.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>

// Makes the band, one toolbar control per button (each loads its bitmap as
// a mapped bitmap, so its grey background follows the system colours) and
// the status bar as children of window. Saving starts unavailable. Returns
// false when a control could not be made.
bool CreateToolBand(HWND window);

// Greys (busy) or enables Acquire, Select Source and Preview. The Preview
// button is disabled while busy, or shown pressed when Preview started the
// session; it is enabled and released otherwise.
void SetSourceMenus(bool busy);

// The Save button and the Save As menu item.
void EnableSaving(bool enable);

// Shows the button of command pressed or released.
void PressToolButton(uint16_t command, bool pressed);

// The Fit to Window menu check and its button.
void ShowFitToWindow(bool fit);

// Puts the icon-description button at iconLeft, the status bar along the
// bottom of a client area of clientWidth x clientHeight with its parts
// meeting at statusSplit.
void PlaceToolBand(int32_t clientWidth, int32_t clientHeight, int32_t statusSplit, int32_t iconLeft);

// The width status part 1 needs to show text in full beside the size grip.
int32_t StatusPartWidth(const char* text);

// Text of status part 0 or 1.
void SetStatusText(int part, const char* text);

// Answers a tool tip's request for its text (TTN_GETDISPINFO in either
// character set) from a tool button; the text also goes into status part 0.
// Returns false for other notifications.
bool AnswerToolTip(NMHDR* header);

// Paints the band: button face with a black line at its top and bottom.
void DrawBand(const DRAWITEMSTRUCT* item);

// The same look for the strip of dc from left to right at the top of the
// client area; the main window erases with it, since toolbars that draw no
// background of their own (themed ones) let their parent erase behind them.
void PaintBandBackground(HDC dc, LONG left, LONG right);
