#include "host/core/bitmap_format.h"

#include <algorithm>

uint64_t PictureRowBytes(int32_t width) {
    return BitmapRowBytes(width > 0 ? static_cast<uint32_t>(width) : 0, 24);
}

uint64_t DibPixelBytes(int32_t width, int32_t height) {
    uint64_t h = height > 0 ? static_cast<uint64_t>(height) : 0;
    return PictureRowBytes(width) * h;  // at most 6.5e9 x 2.1e9: fits 64 bits
}

// The checks both kinds of picture share: format, dimensions, size. The
// header's height must be positive; callers that take top-down rows pass
// the height's magnitude in header.
static BitmapCheck CheckPictureHeader(const BitmapInfoHeader& header, uint64_t& pixelBytes) {
    if (header.biSize < INFO_HEADER_SIZE) {
        return BitmapCheck::BAD_HEADER_SIZE;
    }
    if (header.biBitCount != 24) {
        return BitmapCheck::NOT_24_BIT;
    }
    if (header.biCompression != RGB_COMPRESSION) {
        return BitmapCheck::COMPRESSED;
    }
    if (header.biWidth <= 0 || header.biHeight <= 0) {
        return BitmapCheck::BAD_DIMENSIONS;
    }
    pixelBytes = DibPixelBytes(header.biWidth, header.biHeight);
    if (pixelBytes > MAX_PIXEL_BYTES) {
        return BitmapCheck::TOO_LARGE;
    }
    return BitmapCheck::ACCEPTED;
}

BitmapCheck CheckBitmapFile(const uint8_t* start, size_t available, uint64_t fileSize, BitmapFileLayout& layout) {
    if (start == nullptr || available < PIXELS_OFFSET || fileSize < PIXELS_OFFSET) {
        return BitmapCheck::TRUNCATED;
    }
    BitmapFileHeader file = ReadFileHeader(start);
    BitmapInfoHeader header = ReadInfoHeader(start + FILE_HEADER_SIZE);
    // A negative height stores the top row first. INT32_MIN has no positive
    // counterpart and stays negative, so the check below refuses it.
    bool topDown = header.biHeight < 0 && header.biHeight != INT32_MIN;
    if (topDown) {
        header.biHeight = -header.biHeight;
    }
    uint64_t pixelBytes = 0;
    BitmapCheck check = CheckPictureHeader(header, pixelBytes);
    if (check != BitmapCheck::ACCEPTED) {
        return check;
    }
    uint32_t offBits = file.bfOffBits;
    uint64_t offset = offBits >= PIXELS_OFFSET ? offBits : PIXELS_OFFSET;
    if (!BitmapRowsFit(offset, PictureRowBytes(header.biWidth), static_cast<uint64_t>(header.biHeight), fileSize)) {
        return BitmapCheck::PIXELS_MISSING;
    }
    header.biSize = INFO_HEADER_SIZE;
    header.biSizeImage = static_cast<uint32_t>(pixelBytes);
    header.biXPelsPerMeter = 0;
    header.biYPelsPerMeter = 0;
    header.biClrUsed = 0;
    header.biClrImportant = 0;
    layout.header = header;
    layout.pixelOffset = offset;
    layout.pixelBytes = static_cast<uint32_t>(pixelBytes);
    layout.topDown = topDown;
    return BitmapCheck::ACCEPTED;
}

BitmapCheck CheckPictureBlock(const uint8_t* block, size_t blockSize) {
    if (block == nullptr || blockSize < INFO_HEADER_SIZE) {
        return BitmapCheck::TRUNCATED;
    }
    BitmapInfoHeader header = ReadInfoHeader(block);
    uint64_t pixelBytes = 0;
    BitmapCheck check = CheckPictureHeader(header, pixelBytes);
    if (check != BitmapCheck::ACCEPTED) {
        return check;
    }
    // In memory the rows follow the header directly: a larger header or a
    // colour table would put them elsewhere.
    if (header.biSize != INFO_HEADER_SIZE || header.biClrUsed != 0) {
        return BitmapCheck::BAD_HEADER_SIZE;
    }
    if (blockSize - INFO_HEADER_SIZE < pixelBytes) {
        return BitmapCheck::PIXELS_MISSING;
    }
    return BitmapCheck::ACCEPTED;
}

void FlipRows(uint8_t* pixels, uint32_t rowBytes, uint32_t height) {
    if (pixels == nullptr || height < 2) {
        return;
    }
    uint8_t* low = pixels;
    uint8_t* high = pixels + static_cast<size_t>(rowBytes) * (height - 1);
    for (; low < high; low += rowBytes, high -= rowBytes) {
        std::swap_ranges(low, low + rowBytes, high);
    }
}

bool PrepareHeaderForSave(BitmapInfoHeader& header) {
    if (header.biWidth <= 0 || header.biHeight <= 0) {
        return false;
    }
    uint64_t pixelBytes = DibPixelBytes(header.biWidth, header.biHeight);
    if (pixelBytes > MAX_PIXEL_BYTES) {
        return false;
    }
    header.biSize = INFO_HEADER_SIZE;
    header.biBitCount = 24;
    header.biCompression = RGB_COMPRESSION;
    header.biSizeImage = static_cast<uint32_t>(pixelBytes);
    return true;
}

BitmapFileHeader MakeFileHeader(uint32_t pixelBytes) {
    return FileHeaderFor(pixelBytes);
}
