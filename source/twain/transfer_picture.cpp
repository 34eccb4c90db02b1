#include "source/twain/transfer_picture.h"

#include <cmath>
#include <cstring>

#include "common/bitmap_file.h"
#include "source/imaging/dib_header.h"

namespace {

constexpr uint32_t INT32_LIMIT = 0x7FFFFFFFu;
constexpr uint32_t BI_RGB_CODE = 0;

// A TW_FIX32 whole part: truncated toward zero, held within 16 bits.
TW_INT16 WholeOf(double value) {
    if (!(value > -32768.0)) return value < 0 ? -32768 : 0;  // also NaN
    if (value >= 32767.0) return 32767;
    return static_cast<TW_INT16>(value);
}

}  // namespace

bool ReadTransferPicture(const uint8_t* block, size_t blockBytes, TransferPicture& picture) {
    if (blockBytes < DIB_HEADER_BYTES) {
        return false;
    }
    BitmapInfoHeader header = ReadInfoHeader(block);
    auto width = static_cast<uint32_t>(header.biWidth);
    auto height = static_cast<uint32_t>(header.biHeight);
    uint16_t bitCount = header.biBitCount;
    uint32_t compression = header.biCompression;
    uint32_t sizeImage = header.biSizeImage;
    // Signed in the header: a top-down or empty picture is not ours.
    if (width == 0 || width > INT32_LIMIT || height == 0 || height > INT32_LIMIT || bitCount != 24 ||
        compression != BI_RGB_CODE) {
        return false;
    }
    uint64_t rowBytes = (static_cast<uint64_t>(width) * 3 + 3) / 4 * 4;
    uint64_t pixelBytes = rowBytes * height;
    if (pixelBytes != sizeImage || pixelBytes > blockBytes - DIB_HEADER_BYTES) {
        return false;
    }
    picture = {width, height, static_cast<uint32_t>(rowBytes), sizeImage};
    return true;
}

TW_IMAGEINFO ImageInfoFor(const TransferPicture& picture, double outputResolution) {
    TW_IMAGEINFO info = {};
    info.XResolution.Whole = info.YResolution.Whole = WholeOf(std::trunc(outputResolution));
    info.ImageWidth = static_cast<TW_INT32>(picture.width);
    info.ImageLength = static_cast<TW_INT32>(picture.height);
    info.SamplesPerPixel = 3;
    info.BitsPerSample[0] = info.BitsPerSample[1] = info.BitsPerSample[2] = 8;
    info.BitsPerPixel = 24;
    info.Planar = 0;
    info.PixelType = TWPT_RGB;
    info.Compression = TWCP_NONE;
    return info;
}

TW_IMAGELAYOUT ImageLayoutFor(uint32_t width, uint32_t height) {
    TW_IMAGELAYOUT layout = {};
    layout.Frame.Right.Whole = WholeOf(width);
    layout.Frame.Bottom.Whole = WholeOf(height);
    layout.DocumentNumber = layout.PageNumber = layout.FrameNumber = 1;
    return layout;
}

bool SendMemoryStrip(MemoryTransferProgress& progress, const uint8_t* block, const TransferPicture& picture,
                     uint8_t* destination, TW_IMAGEMEMXFER& record) {
    uint32_t rowBytes = picture.rowBytes;
    // A progress that no longer fits the picture cannot be continued.
    if (progress.underWay == 0 || progress.rowsSent >= picture.height) {
        progress.rowsSent = 0;
        progress.bytesSent = 0;
    }
    progress.rowsPerStrip = 1;
    progress.bytesPerStrip = rowBytes;
    bool moreRows = picture.sizeImage - progress.bytesSent > rowBytes;

    // Rows are stored bottom row first; the application gets the top first.
    uint32_t storedRow = picture.height - progress.rowsSent - 1;
    const uint8_t* row = block + DIB_HEADER_BYTES + static_cast<size_t>(storedRow) * rowBytes;
    std::memcpy(destination, row, rowBytes);
    for (uint32_t x = 0; x < picture.width; ++x) {
        uint8_t* pixel = destination + 3 * static_cast<size_t>(x);
        uint8_t blue = pixel[0];
        pixel[0] = pixel[2];
        pixel[2] = blue;
    }

    record.Compression = TWCP_NONE;
    record.BytesPerRow = rowBytes;
    record.Columns = picture.width;
    record.Rows = 1;
    record.XOffset = 0;
    record.YOffset = progress.rowsSent;
    record.BytesWritten = rowBytes;

    if (moreRows) {
        progress.rowsSent += 1;
        progress.bytesSent += rowBytes;
        progress.underWay = 1;
        return false;
    }
    progress.underWay = 0;
    return true;
}
