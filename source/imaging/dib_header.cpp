#include "source/imaging/dib_header.h"

#include <cmath>
#include <cstring>

namespace {

void Put32(uint8_t* out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

uint32_t PixelsPerMetre(double dotsPerInch) {
    // 39.37 is 3937 / 100. A whole number of dots per inch times 3937 is
    // exact in a double, and the quotient by 100 is either whole or at
    // least 1/100 away from the next whole number, far more than the
    // division's rounding error: so the truncation cannot go wrong, in
    // double or in the 32-bit build's extended precision alike.
    double perMetre = std::trunc(dotsPerInch * 3937.0 / 100.0);
    return perMetre >= 0 && perMetre <= 2147483647.0 ? static_cast<uint32_t>(perMetre) : 0;
}

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
