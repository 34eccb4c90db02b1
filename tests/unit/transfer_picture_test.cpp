#include <gtest/gtest.h>

#include <vector>

#include "common/little_endian.h"
#include "common/twain_constants.h"
#include "source/imaging/dib_header.h"
#include "source/twain/transfer_picture.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A picture block as the final scan leaves it; row r (stored order, bottom
// first) holds blue 10r+1, green 10r+2, red 10r+3 in its first pixel and
// +100 in the second, padding 0.
Bytes PictureBlock(uint32_t width, uint32_t height) {
    Bytes block(DIB_HEADER_BYTES + DibRowBytes(width) * height, 0);
    WriteDibHeader(block.data(), width, height, 11811);
    for (uint32_t r = 0; r < height; ++r) {
        for (uint32_t x = 0; x < width; ++x) {
            uint8_t* pixel = block.data() + DIB_HEADER_BYTES + r * DibRowBytes(width) + 3 * x;
            for (uint32_t c = 0; c < 3; ++c) pixel[c] = static_cast<uint8_t>(10 * r + c + 1 + 100 * x);
        }
    }
    return block;
}

// A field of a packed record, copied: gtest takes its arguments by reference.
template <typename T>
T Copy(T value) {
    return value;
}

}  // namespace

TEST(TransferPicture, HeaderOfAScannedPicture) {
    Bytes block = PictureBlock(101, 3);
    TransferPicture picture;
    ASSERT_TRUE(ReadTransferPicture(block.data(), block.size(), picture));
    EXPECT_EQ(picture.width, 101u);
    EXPECT_EQ(picture.height, 3u);
    EXPECT_EQ(picture.rowBytes, 304u);  // 303 rounded up
    EXPECT_EQ(picture.sizeImage, 912u);
}

TEST(TransferPicture, HeaderThatDoesNotFitItsBlockIsRefused) {
    TransferPicture picture;
    Bytes block = PictureBlock(4, 4);
    EXPECT_FALSE(ReadTransferPicture(block.data(), block.size() - 1, picture));  // last row cut short
    EXPECT_FALSE(ReadTransferPicture(block.data(), 39, picture));
    auto refusedWith = [&](size_t offset, uint32_t value) {
        Bytes changed = block;
        WriteLe32(changed.data() + offset, value);
        return !ReadTransferPicture(changed.data(), changed.size(), picture);
    };
    EXPECT_TRUE(refusedWith(8, 5));            // a row more than the block holds
    EXPECT_TRUE(refusedWith(4, 0));            // no width
    EXPECT_TRUE(refusedWith(8, 0xFFFFFFFC));   // top-down (height -4)
    EXPECT_TRUE(refusedWith(4, 0x55555556));   // 3 x width past 32 bits
    EXPECT_TRUE(refusedWith(20, 48 + 16));     // biSizeImage claims more rows
    EXPECT_TRUE(refusedWith(20, 0));
    EXPECT_TRUE(refusedWith(16, 1));           // compressed
    Bytes eightBit = block;
    eightBit[14] = 8;
    EXPECT_FALSE(ReadTransferPicture(eightBit.data(), eightBit.size(), picture));
    // A block larger than the picture is fine (global blocks are rounded up).
    block.resize(block.size() + 13);
    EXPECT_TRUE(ReadTransferPicture(block.data(), block.size(), picture));
}

TEST(TransferPicture, ImageInformationAndLayout) {
    TransferPicture picture = {101, 3, 304, 912};
    TW_IMAGEINFO info = ImageInfoFor(picture, 300.9);
    EXPECT_EQ(info.XResolution.Whole, 300);
    EXPECT_EQ(info.XResolution.Frac, 0);
    EXPECT_EQ(info.YResolution.Whole, 300);
    EXPECT_EQ(Copy(info.ImageWidth), 101);
    EXPECT_EQ(Copy(info.ImageLength), 3);
    EXPECT_EQ(info.SamplesPerPixel, 3);
    const TW_INT16 bits[8] = {8, 8, 8, 0, 0, 0, 0, 0};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(info.BitsPerSample[i], bits[i]);
    EXPECT_EQ(info.BitsPerPixel, 24);
    EXPECT_EQ(info.Planar, 0);
    EXPECT_EQ(info.PixelType, TWPT_RGB);
    EXPECT_EQ(info.Compression, TWCP_NONE);
    EXPECT_EQ(ImageInfoFor(picture, 1e9).XResolution.Whole, 32767);

    TW_IMAGELAYOUT layout = ImageLayoutFor(600, 400);
    EXPECT_EQ(layout.Frame.Left.Whole, 0);
    EXPECT_EQ(layout.Frame.Top.Whole, 0);
    EXPECT_EQ(layout.Frame.Right.Whole, 600);
    EXPECT_EQ(layout.Frame.Bottom.Whole, 400);
    EXPECT_EQ(layout.Frame.Right.Frac, 0);
    EXPECT_EQ(Copy(layout.DocumentNumber), 1u);
    EXPECT_EQ(Copy(layout.PageNumber), 1u);
    EXPECT_EQ(Copy(layout.FrameNumber), 1u);
    EXPECT_EQ(ImageLayoutFor(40000, 0).Frame.Right.Whole, 32767);
}

TEST(TransferPicture, MemoryStripsTopRowFirstRedFirst) {
    Bytes block = PictureBlock(2, 3);
    TransferPicture picture;
    ASSERT_TRUE(ReadTransferPicture(block.data(), block.size(), picture));
    MemoryTransferProgress progress = {};
    // Stored rows 2, 1, 0 in this order; red, green, blue; padding kept.
    const Bytes expected[3] = {
        {23, 22, 21, 123, 122, 121, 0, 0},
        {13, 12, 11, 113, 112, 111, 0, 0},
        {3, 2, 1, 103, 102, 101, 0, 0},
    };
    for (uint32_t strip = 0; strip < 3; ++strip) {
        Bytes row(8, 0xEE);
        TW_IMAGEMEMXFER record = {};
        bool last = SendMemoryStrip(progress, block.data(), picture, row.data(), record);
        EXPECT_EQ(last, strip == 2) << strip;
        EXPECT_EQ(row, expected[strip]) << strip;
        EXPECT_EQ(Copy(record.YOffset), strip);
        EXPECT_EQ(Copy(record.Rows), 1u);
        EXPECT_EQ(Copy(record.Columns), 2u);
        EXPECT_EQ(Copy(record.BytesPerRow), 8u);
        EXPECT_EQ(Copy(record.BytesWritten), 8u);
        EXPECT_EQ(Copy(record.XOffset), 0u);
        EXPECT_EQ(Copy(record.Compression), TWCP_NONE);
    }
    EXPECT_EQ(progress.underWay, 0);

    // The next transfer starts at the top again.
    Bytes row(8);
    TW_IMAGEMEMXFER record = {};
    EXPECT_FALSE(SendMemoryStrip(progress, block.data(), picture, row.data(), record));
    EXPECT_EQ(Copy(record.YOffset), 0u);
    EXPECT_EQ(progress.underWay, 1);
}

TEST(TransferPicture, OneRowPictureAndProgressBeyondThePicture) {
    Bytes block = PictureBlock(1, 1);
    TransferPicture picture;
    ASSERT_TRUE(ReadTransferPicture(block.data(), block.size(), picture));
    Bytes row(4);
    TW_IMAGEMEMXFER record = {};
    MemoryTransferProgress progress = {};
    EXPECT_TRUE(SendMemoryStrip(progress, block.data(), picture, row.data(), record));
    EXPECT_EQ(row, (Bytes{3, 2, 1, 0}));

    // Progress left from a taller picture is not continued past this one.
    progress = {1, 5, 20, 1, 4};
    EXPECT_TRUE(SendMemoryStrip(progress, block.data(), picture, row.data(), record));
    EXPECT_EQ(Copy(record.YOffset), 0u);
}
