// The picture offered to the application as it lies in its global block: a
// 40-byte BITMAPINFOHEADER and bottom-up blue-green-red rows padded to 4
// bytes. What the image information, the layout and the memory transfer
// make of it. Portable: the Win32 side locks the block and passes its bytes
// and its GlobalSize.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/twain_records.h"

struct TransferPicture {
    uint32_t width;      // biWidth
    uint32_t height;     // biHeight (rows stored bottom row first)
    uint32_t rowBytes;   // B: 3 x width rounded up to a multiple of 4
    uint32_t sizeImage;  // biSizeImage, B x height
};

// Reads the header at the start of `block`. Answers false when the block
// does not hold what the header claims: fewer than 40 bytes, a width or
// height of 0 or below, not 24 bits uncompressed, biSizeImage other than
// B x height, or rows that end past `blockBytes`. Nothing past `blockBytes`
// is read.
bool ReadTransferPicture(const uint8_t* block, size_t blockBytes, TransferPicture& picture);

// TW_IMAGEINFO of the picture: resolution from `outputResolution` (whole
// dots per inch, cut to the 16 bits of TW_FIX32), 3 x 8 bits, chunky RGB,
// uncompressed.
TW_IMAGEINFO ImageInfoFor(const TransferPicture& picture, double outputResolution);

// TW_IMAGELAYOUT for a picture of width x height (0 x 0 when none): the frame
// from 0, 0 in whole pixels (sides beyond TW_FIX32's range are cut to its
// largest whole), document, page and frame number 1.
TW_IMAGELAYOUT ImageLayoutFor(uint32_t width, uint32_t height);

// Progress of a memory transfer, kept between the calls.
struct MemoryTransferProgress {
    uint8_t underWay;  // 1 between the first and the last strip
    uint32_t rowsSent;
    uint32_t bytesSent;
    uint32_t rowsPerStrip;  // always 1
    uint32_t bytesPerStrip;
};

// One strip: the next row from the top of the picture, red first, copied
// from `block` (which ReadTransferPicture accepted as `picture`) into
// `destination`, which must hold picture.rowBytes bytes; `record` gets the
// strip's description (its Memory is left alone). Starts again at the top
// row when no transfer is under way. Answers true for the last row, after
// which no transfer is under way.
bool SendMemoryStrip(MemoryTransferProgress& progress, const uint8_t* block, const TransferPicture& picture,
                     uint8_t* destination, TW_IMAGEMEMXFER& record);
