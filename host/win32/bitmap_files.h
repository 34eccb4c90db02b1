// Opening and saving 24-bit bitmap files.
#pragma once

#include <windows.h>

#include <cstdint>

#include "host/core/bitmap_format.h"

// Paths are UTF-16, so that any file name works in any locale.
//
// Reads the headers of the file at path and checks them against the file's
// length (CheckBitmapFile). Returns 1 and fills layout when the file holds
// an uncompressed 24-bit picture that KORVEL can read, 0 otherwise (also
// when the file cannot be opened).
uint8_t CheckBitmap(const wchar_t* path, BitmapFileLayout& layout);

// Writes image (header and rows, as currentImage holds them) to path: the
// image's header is made ready for saving first, then the 14-byte file
// header, the 40-byte header and the rows are written to a new file beside
// path, which then replaces path. If anything fails the new file is removed
// (a file that was at path stays as it was) and a warning is shown over
// owner: "Saving stopped !  Insufficient disk space." when the disk is
// full, IDS_CANNOT_WRITE_FILE for any other reason (a missing folder, a
// read-only or locked file, a name the system refuses). Returns 1 when the
// file was written.
uint8_t SaveBitmap(HWND owner, const wchar_t* path, HGLOBAL image);

// The Open command once a file was chosen: when CheckBitmap accepts the
// file and its rows can be read, the picture replaces currentImage (the
// picture shown stays until then; a top-down file's rows are turned
// bottom-up), the window gets room for it, status part 1 tells its size
// and saving becomes available. Otherwise the warning "Cannot open the
// selected file!" is shown, or IDS_OUT_OF_MEMORY when the picture does not
// fit in memory. imageSaved is left as it is. Returns true when the picture
// was taken.
bool OpenBitmapFile(HWND window, const wchar_t* path);
