// The headers of uncompressed bitmap files and pictures: the 14-byte file
// header and the 40-byte info header, read from and written to bytes in the
// file's little-endian order whatever the machine, and the size of rows
// (bottom-up, each padded to 4 bytes). The one reader and writer of these
// headers for KORVEL, the source's pictures, the virtual scanner's frame
// pictures, the screenshots and the artwork generators. Portable and
// header-only, so that the build machine's tools can include it.
//
// It judges nothing: each reader applies its own rules to the fields it
// gets (which depths, which sizes), and checks with BitmapRowsFit that the
// rows lie inside what it was given.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/little_endian.h"

#pragma pack(push, 2)
struct BitmapFileHeader {
    uint16_t bfType;  // "BM"
    uint32_t bfSize;
    uint16_t bfReserved1;
    uint16_t bfReserved2;
    uint32_t bfOffBits;
};

struct BitmapInfoHeader {
    uint32_t biSize;
    int32_t biWidth;
    int32_t biHeight;
    uint16_t biPlanes;
    uint16_t biBitCount;
    uint32_t biCompression;
    uint32_t biSizeImage;
    int32_t biXPelsPerMeter;
    int32_t biYPelsPerMeter;
    uint32_t biClrUsed;
    uint32_t biClrImportant;
};
#pragma pack(pop)

static_assert(sizeof(BitmapFileHeader) == 14);
static_assert(sizeof(BitmapInfoHeader) == 40);

constexpr uint16_t BITMAP_FILE_TYPE = 0x4D42;  // "BM" read as little-endian
constexpr uint32_t FILE_HEADER_SIZE = sizeof(BitmapFileHeader);
constexpr uint32_t INFO_HEADER_SIZE = sizeof(BitmapInfoHeader);
constexpr uint32_t PIXELS_OFFSET = FILE_HEADER_SIZE + INFO_HEADER_SIZE;  // 54
constexpr uint32_t RGB_COMPRESSION = 0;  // BI_RGB

// Bytes of one row of `width` pixels of `bitCount` bits, padded to a
// multiple of 4; in 64 bits, so that no 32-bit width or depth overflows it.
constexpr uint64_t BitmapRowBytes(uint32_t width, uint32_t bitCount) {
    return (static_cast<uint64_t>(width) * bitCount + 31) / 32 * 4;
}

// Whether `rows` rows of `rowBytes` each, starting at `offset`, end within
// `size` bytes. Never overflows.
constexpr bool BitmapRowsFit(uint64_t offset, uint64_t rowBytes, uint64_t rows, uint64_t size) {
    if (offset > size) return false;
    return rowBytes == 0 || rows == 0 || (size - offset) / rowBytes >= rows;
}

// The file header at `in`: reads exactly in[0] to in[13].
constexpr BitmapFileHeader ReadFileHeader(const uint8_t* in) {
    BitmapFileHeader h = {};
    h.bfType = ReadLe16(in);
    h.bfSize = ReadLe32(in + 2);
    h.bfReserved1 = ReadLe16(in + 6);
    h.bfReserved2 = ReadLe16(in + 8);
    h.bfOffBits = ReadLe32(in + 10);
    return h;
}

// The info header at `in`: reads exactly in[0] to in[39].
constexpr BitmapInfoHeader ReadInfoHeader(const uint8_t* in) {
    BitmapInfoHeader h = {};
    h.biSize = ReadLe32(in);
    h.biWidth = static_cast<int32_t>(ReadLe32(in + 4));
    h.biHeight = static_cast<int32_t>(ReadLe32(in + 8));
    h.biPlanes = ReadLe16(in + 12);
    h.biBitCount = ReadLe16(in + 14);
    h.biCompression = ReadLe32(in + 16);
    h.biSizeImage = ReadLe32(in + 20);
    h.biXPelsPerMeter = static_cast<int32_t>(ReadLe32(in + 24));
    h.biYPelsPerMeter = static_cast<int32_t>(ReadLe32(in + 28));
    h.biClrUsed = ReadLe32(in + 32);
    h.biClrImportant = ReadLe32(in + 36);
    return h;
}

// Writes exactly FILE_HEADER_SIZE bytes at `out`.
constexpr void WriteFileHeader(const BitmapFileHeader& h, uint8_t* out) {
    WriteLe16(out, h.bfType);
    WriteLe32(out + 2, h.bfSize);
    WriteLe16(out + 6, h.bfReserved1);
    WriteLe16(out + 8, h.bfReserved2);
    WriteLe32(out + 10, h.bfOffBits);
}

// Writes exactly INFO_HEADER_SIZE bytes at `out`.
constexpr void WriteInfoHeader(const BitmapInfoHeader& h, uint8_t* out) {
    WriteLe32(out, h.biSize);
    WriteLe32(out + 4, static_cast<uint32_t>(h.biWidth));
    WriteLe32(out + 8, static_cast<uint32_t>(h.biHeight));
    WriteLe16(out + 12, h.biPlanes);
    WriteLe16(out + 14, h.biBitCount);
    WriteLe32(out + 16, h.biCompression);
    WriteLe32(out + 20, h.biSizeImage);
    WriteLe32(out + 24, static_cast<uint32_t>(h.biXPelsPerMeter));
    WriteLe32(out + 28, static_cast<uint32_t>(h.biYPelsPerMeter));
    WriteLe32(out + 32, h.biClrUsed);
    WriteLe32(out + 36, h.biClrImportant);
}

// The file header in front of `colours` palette entries and pixelBytes of
// pixels: "BM", reserved 0, bfOffBits 54 + 4 x colours, bfSize bfOffBits +
// pixelBytes (the caller keeps that within 32 bits).
constexpr BitmapFileHeader FileHeaderFor(uint32_t pixelBytes, uint32_t colours = 0) {
    BitmapFileHeader h = {};
    h.bfType = BITMAP_FILE_TYPE;
    h.bfOffBits = PIXELS_OFFSET + colours * 4;
    h.bfSize = h.bfOffBits + pixelBytes;
    return h;
}

// The info header of an uncompressed picture of width x height pixels
// (bottom-up for a positive height) at bitCount bits: one plane, biSizeImage
// the rows' bytes (within 32 bits for the caller's sizes), `pelsPerMeter` on
// both axes, `colours` used and important.
constexpr BitmapInfoHeader InfoHeaderFor(int32_t width, int32_t height, uint16_t bitCount,
                                         int32_t pelsPerMeter = 0, uint32_t colours = 0) {
    BitmapInfoHeader h = {};
    h.biSize = INFO_HEADER_SIZE;
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = bitCount;
    h.biCompression = RGB_COMPRESSION;
    uint64_t rows = height < 0 ? 0 - static_cast<uint64_t>(static_cast<int64_t>(height)) : static_cast<uint64_t>(height);
    h.biSizeImage = static_cast<uint32_t>(BitmapRowBytes(static_cast<uint32_t>(width), bitCount) * rows);
    h.biXPelsPerMeter = h.biYPelsPerMeter = pelsPerMeter;
    h.biClrUsed = h.biClrImportant = colours;
    return h;
}

// Appends both headers, PIXELS_OFFSET bytes, to `out`.
inline void AppendBitmapHeaders(std::vector<uint8_t>& out, const BitmapFileHeader& file,
                                const BitmapInfoHeader& info) {
    uint8_t bytes[PIXELS_OFFSET] = {};
    WriteFileHeader(file, bytes);
    WriteInfoHeader(info, bytes + FILE_HEADER_SIZE);
    out.insert(out.end(), bytes, bytes + PIXELS_OFFSET);
}
