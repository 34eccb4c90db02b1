// The index scan as the index window runs it: one frame into its thumbnail
// cell, the auto scan through a cartridge with its STOP button, and the
// copy of the annotated sheet into transferImage. Windows only; the
// scanning and the decisions are in the portable core.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

// Scans selectedFrame's thumbnail into the sheet and the window. Answers 1
// when a thumbnail was scanned, 0 otherwise (a message has been shown where
// one is due).
int32_t ScanIndexFrame(HWND indexWindowHandle);

// The auto scan: frame after frame from where the film stands, until the
// film's end, the STOP button or a failure.
void RunAutoScan(HWND indexWindowHandle);

// Makes transferImage the 576 x 464 annotated sheet, left locked once (the
// caller unlocks it before the application is told); leaves it 0 when the
// memory could not be had.
void CopyIndexSheet();

// A sunken outline: grey up the left and along the top, white along the
// bottom and up the right.
void DrawSunkenOutline(HDC dc, int left, int top, int right, int bottom);

// A frame's cell as a scan starts it, at (x, y): light grey with a sunken
// outline around the picture's place (for APS film the 90 x 50 between
// grey bands).
void DrawEmptyIndexCell(HDC dc, int32_t x, int32_t y, bool aps);

// The sheet's 640 x 480 pixels, top-down rows of red, green, blue; with the
// annotations drawn on a working copy when `annotated`. False when there is
// no sheet or no memory for the copy.
bool ReadSheetPixels(bool annotated, std::vector<uint8_t>& pixels);
