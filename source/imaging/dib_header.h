// The 40-byte BITMAPINFOHEADER of the source's 24-bit pictures (the
// preview, the transferred picture), written byte by byte in little-endian
// order so that the portable core needs no Windows headers.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr size_t DIB_HEADER_BYTES = 40;

// Bytes per row of a 24-bit picture: 3 x width rounded up to a multiple of 4.
constexpr uint32_t DibRowBytes(uint32_t width) {
    return ((3 * width + 3) / 4) * 4;
}

// biXPelsPerMeter of a picture at `dotsPerInch`: dots per inch x 39.37,
// truncated; 0 when that does not fit the signed 32-bit field (or is not a
// number). Exact for every whole number of dots per inch, which a plain
// product of doubles is not (200 x 39.37 comes out just below 7874).
uint32_t PixelsPerMetre(double dotsPerInch);

// Bottom-up, one plane, 24 bits, BI_RGB, no colour table; biSizeImage is
// rows x height.
void WriteDibHeader(uint8_t* header, uint32_t width, uint32_t height, uint32_t pelsPerMeter);
