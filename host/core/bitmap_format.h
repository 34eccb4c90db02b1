// The 24-bit bitmap files KORVEL opens and saves, and the pictures it holds
// in memory (a 40-byte BITMAPINFOHEADER followed directly by bottom-up rows
// of blue-green-red pixels, each row padded to 4 bytes). Portable: no
// Windows headers; the header records and their reading and writing are
// common/bitmap_file.h's; the records are laid out byte for byte as in the
// file (little-endian, as on every machine this runs on), so that a picture
// in memory and its header can be written out as they stand.
//
// The checks never trust a size from a header: every size is computed in
// 64 bits and compared with the bytes that are really there.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/bitmap_file.h"

// The largest pixel block KORVEL takes: its file (pixels + 54) must still be
// described by the 32-bit bfSize.
constexpr uint64_t MAX_PIXEL_BYTES = 0xFFFFFFFFull - PIXELS_OFFSET;

// ((width x 3 + 3) / 4) x 4 for width >= 0, in 64 bits.
uint64_t PictureRowBytes(int32_t width);

// Row bytes x height for width, height >= 0, in 64 bits.
uint64_t DibPixelBytes(int32_t width, int32_t height);

enum class BitmapCheck {
    ACCEPTED,
    TRUNCATED,         // shorter than the two headers
    BAD_HEADER_SIZE,   // biSize below 40: not an info header
    NOT_24_BIT,
    COMPRESSED,
    BAD_DIMENSIONS,    // width 0 or negative, height 0 (or negative where rows
                       // must be bottom-up, or INT32_MIN, which has no positive
                       // counterpart)
    TOO_LARGE,         // the pixels would not fit in a 32-bit size
    PIXELS_MISSING,    // the file ends before the last row
};

// How a file's picture is read when it is accepted.
struct BitmapFileLayout {
    BitmapInfoHeader header;  // the header to keep with the pixels (biSize 40,
                              // biSizeImage the real size, the four fields
                              // from biXPelsPerMeter on 0, biHeight
                              // positive also for a top-down file)
    uint64_t pixelOffset;     // where the rows start in the file
    uint32_t pixelBytes;      // how many bytes to read from there
    bool topDown;             // the file stores its top row first (its
                              // biHeight was negative): the rows read must
                              // be flipped with FlipRows
};

// Checks a bitmap file from its first bytes (start, available of them; at
// least 54 are needed) and its whole length. Accepted are uncompressed
// 24-bit pictures of positive width and height whose rows all lie inside
// the file; a negative height marks a top-down file (rows stored from the
// top), which is accepted and read as bottom-up. The rows start at bfOffBits when that lies past the headers
// (files with a larger header or a colour table), else at 54. A biSizeImage
// of 0 or one that disagrees with width and height is replaced by the size
// the rows really take. Reads nothing past start + available; layout is
// filled only when ACCEPTED.
BitmapCheck CheckBitmapFile(const uint8_t* start, size_t available, uint64_t fileSize, BitmapFileLayout& layout);

// Checks a picture block from a source or from memory: a 40-byte header of
// an uncompressed 24-bit picture without colour table, positive width and
// height, and all rows inside the block's blockSize bytes. Reads nothing
// past block + blockSize.
BitmapCheck CheckPictureBlock(const uint8_t* block, size_t blockSize);

// Reverses the order of height rows of rowBytes each at pixels, in place:
// top-down rows become bottom-up ones. Touches exactly rowBytes x height
// bytes.
void FlipRows(uint8_t* pixels, uint32_t rowBytes, uint32_t height);

// Makes header ready for saving: biSize 40, biBitCount 24, biCompression 0
// and biSizeImage = ((biWidth x 3 + 3) / 4) x biHeight x 4. Returns false
// (header unchanged) when width or height is not positive or the size would
// not fit MAX_PIXEL_BYTES.
bool PrepareHeaderForSave(BitmapInfoHeader& header);

// The file header in front of pixelBytes of pixels: "BM", bfSize
// pixelBytes + 54, reserved 0, bfOffBits 54. pixelBytes <= MAX_PIXEL_BYTES.
BitmapFileHeader MakeFileHeader(uint32_t pixelBytes);
