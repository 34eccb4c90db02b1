#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "common/little_endian.h"
#include "host/core/bitmap_format.h"

namespace {

// The 54 header bytes of a file: 14-byte file header, 40-byte info header.
std::vector<uint8_t> Headers(int32_t width, int32_t height, uint16_t bits = 24, uint32_t compression = 0,
                             uint32_t sizeImage = 48, uint32_t offBits = 54, uint32_t infoSize = 40) {
    std::vector<uint8_t> out = {'B', 'M'};
    AppendLe32(out, 102);
    AppendLe32(out, 0);
    AppendLe32(out, offBits);
    AppendLe32(out, infoSize);
    AppendLe32(out, static_cast<uint32_t>(width));
    AppendLe32(out, static_cast<uint32_t>(height));
    AppendLe16(out, 1);
    AppendLe16(out, bits);
    AppendLe32(out, compression);
    AppendLe32(out, sizeImage);
    AppendLe32(out, 2835);
    AppendLe32(out, 2835);
    AppendLe32(out, 7);
    AppendLe32(out, 7);
    return out;
}

BitmapCheck Check(const std::vector<uint8_t>& start, uint64_t fileSize, BitmapFileLayout& layout) {
    return CheckBitmapFile(start.data(), start.size(), fileSize, layout);
}

BitmapCheck Check(const std::vector<uint8_t>& start, uint64_t fileSize) {
    BitmapFileLayout layout = {};
    return Check(start, fileSize, layout);
}

TEST(KorvelBitmapFormat, RowsArePaddedToFourBytesIn64Bits) {
    EXPECT_EQ(PictureRowBytes(0), 0u);
    EXPECT_EQ(PictureRowBytes(1), 4u);
    EXPECT_EQ(PictureRowBytes(4), 12u);
    EXPECT_EQ(PictureRowBytes(5), 16u);
    EXPECT_EQ(PictureRowBytes(INT32_MAX), 6442450944u);
    EXPECT_EQ(PictureRowBytes(-3), 0u);
    EXPECT_EQ(DibPixelBytes(5, 3), 48u);
    EXPECT_EQ(DibPixelBytes(INT32_MAX, INT32_MAX), 6442450944ull * 2147483647ull);
}

TEST(KorvelBitmapFormat, AcceptedFileIsReadFromItsHeaders) {
    BitmapFileLayout layout = {};
    ASSERT_EQ(Check(Headers(5, 3), 54 + 48, layout), BitmapCheck::ACCEPTED);
    EXPECT_EQ(layout.pixelOffset, 54u);
    EXPECT_EQ(layout.pixelBytes, 48u);
    EXPECT_EQ(layout.header.biWidth, 5);
    EXPECT_EQ(layout.header.biHeight, 3);
    EXPECT_EQ(layout.header.biSizeImage, 48u);
    EXPECT_EQ(layout.header.biXPelsPerMeter, 0);
    EXPECT_EQ(layout.header.biYPelsPerMeter, 0);
    EXPECT_EQ(layout.header.biClrUsed, 0u);
    EXPECT_EQ(layout.header.biClrImportant, 0u);
    // Longer files are fine: only the rows must be there.
    EXPECT_EQ(Check(Headers(5, 3), 1000), BitmapCheck::ACCEPTED);
}

TEST(KorvelBitmapFormat, LegalVariantsAreReadAsTheyReallyAre) {
    BitmapFileLayout layout = {};
    // biSizeImage 0 or wrong: the rows' real size.
    ASSERT_EQ(Check(Headers(5, 3, 24, 0, 0), 102, layout), BitmapCheck::ACCEPTED);
    EXPECT_EQ(layout.header.biSizeImage, 48u);
    ASSERT_EQ(Check(Headers(5, 3, 24, 0, 4000), 102, layout), BitmapCheck::ACCEPTED);
    EXPECT_EQ(layout.pixelBytes, 48u);
    // A larger header: rows at bfOffBits, the copy's header is 40 bytes.
    ASSERT_EQ(Check(Headers(5, 3, 24, 0, 48, 138, 124), 138 + 48, layout), BitmapCheck::ACCEPTED);
    EXPECT_EQ(layout.pixelOffset, 138u);
    EXPECT_EQ(layout.header.biSize, 40u);
    // An offset inside the headers means the usual place.
    ASSERT_EQ(Check(Headers(5, 3, 24, 0, 48, 10), 102, layout), BitmapCheck::ACCEPTED);
    EXPECT_EQ(layout.pixelOffset, 54u);
}

TEST(KorvelBitmapFormat, TopDownFilesAreReadAsBottomUpPictures) {
    BitmapFileLayout layout = {};
    ASSERT_EQ(Check(Headers(5, -3), 102, layout), BitmapCheck::ACCEPTED);
    EXPECT_TRUE(layout.topDown);
    EXPECT_EQ(layout.header.biHeight, 3);
    EXPECT_EQ(layout.pixelBytes, 48u);
    ASSERT_EQ(Check(Headers(5, 3), 102, layout), BitmapCheck::ACCEPTED);
    EXPECT_FALSE(layout.topDown);

    // Three rows of four bytes, and two guard bytes that must stay.
    uint8_t rows[14] = {1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 9, 9};
    FlipRows(rows, 4, 3);
    const uint8_t flipped[14] = {3, 3, 3, 3, 2, 2, 2, 2, 1, 1, 1, 1, 9, 9};
    EXPECT_EQ(std::memcmp(rows, flipped, sizeof rows), 0);
}

TEST(KorvelBitmapFormat, HostileHeadersAreRefusedWithTheirReason) {
    EXPECT_EQ(Check(std::vector<uint8_t>(53, 0), 1000), BitmapCheck::TRUNCATED);
    EXPECT_EQ(Check(Headers(5, 3), 53), BitmapCheck::TRUNCATED);
    BitmapFileLayout layout = {};
    EXPECT_EQ(CheckBitmapFile(nullptr, 54, 1000, layout), BitmapCheck::TRUNCATED);
    EXPECT_EQ(Check(Headers(5, 3, 24, 0, 48, 54, 12), 102), BitmapCheck::BAD_HEADER_SIZE);
    EXPECT_EQ(Check(Headers(5, 3, 8), 102), BitmapCheck::NOT_24_BIT);
    EXPECT_EQ(Check(Headers(5, 3, 32), 102), BitmapCheck::NOT_24_BIT);
    EXPECT_EQ(Check(Headers(5, 3, 24, 1), 102), BitmapCheck::COMPRESSED);
    EXPECT_EQ(Check(Headers(0, 3), 102), BitmapCheck::BAD_DIMENSIONS);
    EXPECT_EQ(Check(Headers(5, 0), 102), BitmapCheck::BAD_DIMENSIONS);
    EXPECT_EQ(Check(Headers(-5, 3), 102), BitmapCheck::BAD_DIMENSIONS);
    EXPECT_EQ(Check(Headers(5, INT32_MIN), 102), BitmapCheck::BAD_DIMENSIONS);
    EXPECT_EQ(Check(Headers(5, -4), 102), BitmapCheck::PIXELS_MISSING);
    EXPECT_EQ(Check(Headers(0x40000000, -0x40000000), 102), BitmapCheck::TOO_LARGE);
    EXPECT_EQ(Check(Headers(0x40000000, 0x40000000), 102), BitmapCheck::TOO_LARGE);
    EXPECT_EQ(Check(Headers(INT32_MAX, 1), 102), BitmapCheck::TOO_LARGE);
    // 4294967241 bytes of rows at most: 65535 x 21845 rows of 196608 bytes fit.
    EXPECT_EQ(Check(Headers(65536, 21845), 102), BitmapCheck::PIXELS_MISSING);
    EXPECT_EQ(Check(Headers(65536, 21846), 102), BitmapCheck::TOO_LARGE);
    EXPECT_EQ(Check(Headers(5, 3), 101), BitmapCheck::PIXELS_MISSING);
    EXPECT_EQ(Check(Headers(1000, 1000, 24, 0, 48), 102), BitmapCheck::PIXELS_MISSING);
    EXPECT_EQ(Check(Headers(5, 3, 24, 0, 48, 1000000), 102), BitmapCheck::PIXELS_MISSING);
    EXPECT_EQ(Check(Headers(5, 3, 24, 0, 48, 0xFFFFFFFF), 0xFFFFFFFFull + 47), BitmapCheck::PIXELS_MISSING);
}

std::vector<uint8_t> Block(int32_t width, int32_t height, size_t pixelBytes) {
    std::vector<uint8_t> block = Headers(width, height);
    block.erase(block.begin(), block.begin() + 14);
    block[32] = block[36] = 0;  // biClrUsed, biClrImportant
    block.resize(block.size() + pixelBytes, 0x5A);
    return block;
}

TEST(KorvelBitmapFormat, PictureBlocksMustHoldEveryRow) {
    std::vector<uint8_t> good = Block(5, 3, 48);
    EXPECT_EQ(CheckPictureBlock(good.data(), good.size()), BitmapCheck::ACCEPTED);
    EXPECT_EQ(CheckPictureBlock(good.data(), good.size() - 1), BitmapCheck::PIXELS_MISSING);
    EXPECT_EQ(CheckPictureBlock(good.data(), 39), BitmapCheck::TRUNCATED);
    EXPECT_EQ(CheckPictureBlock(nullptr, 100), BitmapCheck::TRUNCATED);
    std::vector<uint8_t> lying = Block(5, 6, 48);
    EXPECT_EQ(CheckPictureBlock(lying.data(), lying.size()), BitmapCheck::PIXELS_MISSING);
    std::vector<uint8_t> table = Block(5, 3, 48 + 4);
    table[32] = 1;  // a colour table would move the rows
    EXPECT_EQ(CheckPictureBlock(table.data(), table.size()), BitmapCheck::BAD_HEADER_SIZE);
    std::vector<uint8_t> larger = Block(5, 3, 48);
    larger[0] = 124;
    EXPECT_EQ(CheckPictureBlock(larger.data(), larger.size()), BitmapCheck::BAD_HEADER_SIZE);
    std::vector<uint8_t> topDown = Block(5, -3, 48);
    EXPECT_EQ(CheckPictureBlock(topDown.data(), topDown.size()), BitmapCheck::BAD_DIMENSIONS);
}

TEST(KorvelBitmapFormat, SavingWritesTheHeadersOfTheRealSize) {
    BitmapInfoHeader header = {};
    header.biSize = 124;
    header.biWidth = 5;
    header.biHeight = 3;
    header.biBitCount = 32;
    header.biCompression = 3;
    header.biSizeImage = 7;
    header.biXPelsPerMeter = 2835;
    ASSERT_TRUE(PrepareHeaderForSave(header));
    EXPECT_EQ(header.biSize, 40u);
    EXPECT_EQ(header.biBitCount, 24);
    EXPECT_EQ(header.biCompression, 0u);
    EXPECT_EQ(header.biSizeImage, 48u);
    EXPECT_EQ(header.biXPelsPerMeter, 2835);

    BitmapInfoHeader hostile = header;
    hostile.biHeight = 0;
    EXPECT_FALSE(PrepareHeaderForSave(hostile));
    hostile.biHeight = 0x40000000;
    hostile.biWidth = 0x40000000;
    EXPECT_FALSE(PrepareHeaderForSave(hostile));
    EXPECT_EQ(hostile.biSizeImage, 48u) << "unchanged when refused";

    BitmapFileHeader file = MakeFileHeader(48);
    std::vector<uint8_t> expected = {'B', 'M'};
    AppendLe32(expected, 102);
    AppendLe32(expected, 0);
    AppendLe32(expected, 54);
    std::vector<uint8_t> bytes(sizeof file);
    std::memcpy(bytes.data(), &file, sizeof file);
    EXPECT_EQ(bytes, expected);
}

}  // namespace
