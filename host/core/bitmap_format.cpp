#include "host/core/bitmap_format.h"

#include <cstring>

uint64_t PictureRowBytes(int32_t width) {
    uint64_t w = width > 0 ? static_cast<uint64_t>(width) : 0;
    return (w * 3 + 3) / 4 * 4;
}

uint64_t DibPixelBytes(int32_t width, int32_t height) {
    uint64_t h = height > 0 ? static_cast<uint64_t>(height) : 0;
    return PictureRowBytes(width) * h;  // at most 6.5e9 x 2.1e9: fits 64 bits
}

// The checks both kinds of picture share: format, dimensions, size.
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
    BitmapFileHeader file;
    BitmapInfoHeader header;
    std::memcpy(&file, start, sizeof file);
    std::memcpy(&header, start + FILE_HEADER_SIZE, sizeof header);
    uint64_t pixelBytes = 0;
    BitmapCheck check = CheckPictureHeader(header, pixelBytes);
    if (check != BitmapCheck::ACCEPTED) {
        return check;
    }
    uint32_t offBits = file.bfOffBits;
    uint64_t offset = offBits >= PIXELS_OFFSET ? offBits : PIXELS_OFFSET;
    if (offset > fileSize || fileSize - offset < pixelBytes) {
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
    return BitmapCheck::ACCEPTED;
}

BitmapCheck CheckPictureBlock(const uint8_t* block, size_t blockSize) {
    if (block == nullptr || blockSize < INFO_HEADER_SIZE) {
        return BitmapCheck::TRUNCATED;
    }
    BitmapInfoHeader header;
    std::memcpy(&header, block, sizeof header);
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
    BitmapFileHeader file = {};
    file.bfType = BITMAP_FILE_TYPE;
    file.bfSize = pixelBytes + PIXELS_OFFSET;
    file.bfOffBits = PIXELS_OFFSET;
    return file;
}
