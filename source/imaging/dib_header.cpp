#include "source/imaging/dib_header.h"

#include <cmath>

#include "common/bitmap_file.h"

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
    static_assert(DIB_HEADER_BYTES == INFO_HEADER_SIZE);
    BitmapInfoHeader info = InfoHeaderFor(static_cast<int32_t>(width), static_cast<int32_t>(height), 24,
                                          static_cast<int32_t>(pelsPerMeter));
    // The row size as the source's own buffers count it.
    info.biSizeImage = DibRowBytes(width) * height;
    WriteInfoHeader(info, header);
}
