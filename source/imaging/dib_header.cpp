#include "source/imaging/dib_header.h"

#include <cstring>

namespace {

void Put32(uint8_t* out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

void WriteDibHeader(uint8_t* header, uint32_t width, uint32_t height, uint32_t pelsPerMeter) {
    std::memset(header, 0, DIB_HEADER_BYTES);
    Put32(header, DIB_HEADER_BYTES);
    Put32(header + 4, width);
    Put32(header + 8, height);
    header[12] = 1;   // planes
    header[14] = 24;  // bits per pixel
    Put32(header + 20, DibRowBytes(width) * height);
    Put32(header + 24, pelsPerMeter);
    Put32(header + 28, pelsPerMeter);
}
