// The two preview buffers of the main scan window: the preview as scanned
// (previewPixels, 240 x 160 x 3 bytes, one scan line after the other) and as
// shown (previewBitmap, a 40-byte header then the rotated, corrected
// pixels). Movable, zero-initialised global memory, made when the window is
// initialised and freed when the source closes.
#pragma once

#include <windows.h>

#include "source/scanner/preview_scan.h"

extern HGLOBAL previewPixels;
extern HGLOBAL previewBitmap;

// Frees an older pair first. Answers false (and keeps neither) when memory
// cannot be had.
bool AllocatePreviewBuffers();
void FreePreviewBuffers();

// Builds previewBitmap from previewPixels for scanSettings' rotation and
// picture size: each pixel grey from its green when monochrome is on, then
// re-toned through the current tables, placed as the rotation turns it;
// the header gets the displayed size. Answers false, changing nothing,
// while either buffer is missing.
bool RenderPreviewBitmap();

