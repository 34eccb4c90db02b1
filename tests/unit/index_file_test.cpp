// The index file and the sheet's bitmap file: the writer byte by byte, the
// reader's round trip, its refusals of short, foreign and damaged files,
// and the file name rule.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "source/aps/index_file.h"
#include "source/library_state.h"

namespace {

// Sheet pixel (x, y): red x & 255, green y & 255, blue 16 x (x >> 8) + (y >> 8).
std::vector<uint8_t> PatternedSheet() {
    std::vector<uint8_t> sheet(640 * 480 * 3);
    for (uint32_t y = 0; y < 480; ++y) {
        for (uint32_t x = 0; x < 640; ++x) {
            uint8_t* p = &sheet[(y * 640 + x) * 3];
            p[0] = static_cast<uint8_t>(x);
            p[1] = static_cast<uint8_t>(y);
            p[2] = static_cast<uint8_t>(16 * (x >> 8) + (y >> 8));
        }
    }
    return sheet;
}

std::string Text(const std::vector<uint8_t>& bytes, size_t at, size_t length) {
    return std::string(bytes.begin() + static_cast<ptrdiff_t>(at), bytes.begin() + static_cast<ptrdiff_t>(at + length));
}

// The Finnish title 16 is 40 characters (Windows-1252 a-umlauts).
const std::string TITLE_40 = "Hyv\xE4\xE4 joulua ja onnellista uutta vuotta!";
const char APS_INFO[] = "Color negative              200   40   ";
const char STRIP_INFO[] = "Color negative              100   24  ";
static_assert(sizeof APS_INFO == 40 && sizeof STRIP_INFO == 39);

class IndexFileTest : public ::testing::Test {
protected:
    IxFrameRecord aps = {};
    std::vector<uint8_t> sheet = PatternedSheet();

    // Frame 1 an APS frame (H, 2001.7.14 14:05, title 40 characters), frame
    // 2 strip film, frame 3 data but no thumbnail, the rest nothing.
    void SetUp() override {
        ResetCoreState();
        aps.blockId = 30, aps.blockKind = 12, aps.presentFlags = 64;
        aps.year = 1, aps.month = 7, aps.day = 14, aps.hour = 14, aps.minute = 5;
        aps.timeFormat = '2', aps.dateOrder = 'Y', aps.datePrint = 'F', aps.timePrint = 'F';
        aps.printAspect = 64, aps.flash = 12, aps.brightness = 2;
        aps.titleLanguage = 2, aps.titleCode = 16, aps.apertureCode = 80, aps.shutterCode = 100;
        aps.exposureCompensationCode = 68;
        *FrameIxRecord(1) = aps;
        SetFrameState(1, 'a');
        std::strcpy(FrameInfoLineOf(1), APS_INFO);
        SetFrameState(2, '1');
        std::strcpy(FrameInfoLineOf(2), STRIP_INFO);
        FrameIxRecord(3)->apertureCode = 90;
        scannedFrameCount = 12;
    }
    void TearDown() override { ResetCoreState(); }

    std::vector<uint8_t> Built() {
        std::vector<uint8_t> file;
        EXPECT_TRUE(BuildIndexFile(sheet.data(), sheet.size(), 0, file));
        return file;
    }
};

TEST_F(IndexFileTest, WriterLaysOutRecordsAndThumbnails) {
    std::vector<uint8_t> file = Built();
    ASSERT_EQ(file.size(), 199098u);
    EXPECT_EQ(Text(file, 0, 25), "12  90  60 0 N1900 QX-52 ");
    EXPECT_EQ(Text(file, 25, 185), std::string(185, ' '));
    // Every column in place with a 40-character title; the line cut at 104.
    EXPECT_EQ(Text(file, 210, 104),
              " 1  1 H " + TITLE_40 + " 2001.7.14  14:05 Color negative              200   40  ");
    EXPECT_EQ(Text(file, 314, 96), " 30 12 64  0  1 39 46 14  5 78  0  0  0  0  0  0  0  0  0  0  2 16 80100  0 68  0"
                                   "  0  0  0 64  0");
    // No time: "- - - -" pushes the film information two columns right.
    EXPECT_EQ(Text(file, 410, 104), " 2  2 1 - - -" + std::string(35, ' ') +
                                        " 2000.0.0   - - - - Color negative              100   24");
    std::string zeros;
    for (int i = 0; i < 32; ++i) zeros += "  0";
    EXPECT_EQ(Text(file, 514, 96), zeros);
    EXPECT_EQ(Text(file, 610, 8), " 3  3   ");  // data but no thumbnail: a blank letter,
    EXPECT_EQ(Text(file, 714 + 22 * 3, 3), " 90");  // its code record written all the same
    EXPECT_EQ(Text(file, 210 + 11 * 200, 8), "12 12   ");

    const uint8_t headers[54] = {'B', 'M', 0xF6, 0x3F, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 90, 0, 0, 0, 60, 0,
                                 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 0xC0, 0x3F, 0, 0};
    const size_t first = 210 + 12 * 200, last = first + 11 * 16374;
    EXPECT_EQ(0, std::memcmp(&file[first], headers, 54));
    EXPECT_EQ(0, std::memcmp(&file[last], headers, 54));
    // Frame 1 (cell 48, 0): first stored row is sheet row 62 from x 51, BGR.
    const uint8_t row62[] = {0, 62, 51, 0, 62, 52};
    EXPECT_EQ(0, std::memcmp(&file[first + 54], row62, 6));
    EXPECT_EQ(file[first + 54 + 89 * 3 + 2], 140);  // x 140, the row's last
    EXPECT_EQ(file[first + 54 + 270], 0);
    EXPECT_EQ(file[first + 54 + 271], 0);
    EXPECT_EQ(file[first + 54 + 59 * 272 + 1], 3);  // the last row is sheet row 3
    // Frame 12 (cell 528, 66): row 128 from x 531, blue 2 x 16.
    const uint8_t row128[] = {32, 128, 19};
    EXPECT_EQ(0, std::memcmp(&file[last + 54], row128, 3));
}

TEST_F(IndexFileTest, WriterRefusesNothingToSaveAndShortSheet) {
    std::vector<uint8_t> file(3, 1);
    EXPECT_FALSE(BuildIndexFile(sheet.data(), sheet.size() - 1, 0, file));
    EXPECT_TRUE(file.empty());
    scannedFrameCount = 0;
    EXPECT_FALSE(BuildIndexFile(sheet.data(), sheet.size(), 0, file));
    scannedFrameCount = 5;
    ASSERT_TRUE(BuildIndexFile(sheet.data(), sheet.size(), 0, file));
    EXPECT_EQ(Text(file, 0, 10), " 5  90  60");
    EXPECT_EQ(file.size(), 210u + 5 * 16574);
}

TEST_F(IndexFileTest, ReadBackRestoresFramesAndSavesTheSameFile) {
    std::vector<uint8_t> file = Built();
    IndexFileContents contents;
    IndexFileError why = IndexFileError::BAD_THUMBNAIL;
    ASSERT_TRUE(ParseIndexFile(file.data(), file.size(), contents, why));
    EXPECT_EQ(why, IndexFileError::NONE);
    EXPECT_EQ(contents.frames[0].letter, 'H');
    EXPECT_STREQ(contents.frames[0].fullDate, "2001.7.14");
    EXPECT_STREQ(contents.frames[0].time24, "14:05");
    EXPECT_STREQ(contents.frames[1].time24, "- - - -");
    EXPECT_FALSE(contents.frames[2].hasThumbnail);
    // Thumbnails top-down RGB: frame 1 from sheet (51, 3), frame 2 from (147, 3).
    const uint8_t* one = IndexFileThumbnail(contents, 1);
    const uint8_t* two = IndexFileThumbnail(contents, 2);
    const uint8_t oneFirst[] = {51, 3, 0}, twoLast[] = {236, 62, 0};
    EXPECT_EQ(0, std::memcmp(one, oneFirst, 3));
    EXPECT_EQ(0, std::memcmp(two + (59 * 90 + 89) * 3, twoLast, 3));
    EXPECT_EQ(IndexFileThumbnail(contents, 3)[0], 0);
    EXPECT_EQ(IndexFileThumbnail(contents, 13), nullptr);

    ResetCoreState();
    std::strcpy(FrameInfoLineOf(20), "from the film before");
    ApplyIndexFile(contents);
    EXPECT_EQ(scannedFrameCount, 12);
    EXPECT_EQ(0, std::memcmp(FrameIxRecord(1), &aps, sizeof aps));
    EXPECT_EQ(FrameStateOf(1), 'I');
    EXPECT_EQ(FrameStateOf(2), '1');
    EXPECT_EQ(FrameStateOf(3), 0);
    EXPECT_EQ(FrameIxRecord(3)->apertureCode, 0);
    EXPECT_STREQ(FrameInfoLineOf(1), "Color negative              200   40 ");
    EXPECT_STREQ(FrameInfoLineOf(2), "Color negative              100   24 ");
    EXPECT_STREQ(FrameInfoLineOf(20), "");
    // Saved again it is the same file but for frame 3's unused code record.
    std::memcpy(&file[714 + 22 * 3], "  0", 3);
    EXPECT_EQ(Built(), file);
}

TEST_F(IndexFileTest, CodeGroupsTakeTheirDigitsKeptTo8Bits) {
    std::vector<uint8_t> file = Built();
    std::memcpy(&file[314 + 4 * 3], "9 9", 3);   // year
    std::memcpy(&file[314 + 21 * 3], "999", 3);  // title code: 999 - 768
    std::memcpy(&file[314 + 22 * 3], "x7-", 3);  // aperture
    IndexFileContents contents;
    IndexFileError why;
    ASSERT_TRUE(ParseIndexFile(file.data(), file.size(), contents, why));
    EXPECT_EQ(contents.frames[0].record.year, 99);
    EXPECT_EQ(contents.frames[0].record.titleCode, 231);
    EXPECT_EQ(contents.frames[0].record.apertureCode, 7);
}

TEST_F(IndexFileTest, ReaderRefusesDamagedFilesAndKeepsWhatItHad) {
    const std::vector<uint8_t> good = Built();
    const size_t thumb2 = 210 + 12 * 200 + 16374;
    struct Damage {
        size_t at;
        std::string bytes;
        size_t size;  // 0: the file's own
        IndexFileError why;
    };
    const Damage cases[] = {
        {0, "", good.size() - 1, IndexFileError::TRUNCATED},
        {0, "", 9, IndexFileError::TRUNCATED},
        {0, "", 2610, IndexFileError::TRUNCATED},  // records only
        {0, " 0", 0, IndexFileError::NO_FRAMES},
        {0, " x", 0, IndexFileError::BAD_COUNT_RECORD},
        {0, "1x", 0, IndexFileError::BAD_COUNT_RECORD},
        {2, "  80", 0, IndexFileError::BAD_COUNT_RECORD},
        {0, "41", 0, IndexFileError::TOO_MANY_FRAMES},
        {216, "X", 0, IndexFileError::BAD_FRAME_LETTER},
        {thumb2, "BN", 0, IndexFileError::BAD_THUMBNAIL},
        {thumb2 + 2, std::string("\xF7", 1), 0, IndexFileError::BAD_THUMBNAIL},      // file size
        {thumb2 + 10, std::string("\x38", 1), 0, IndexFileError::BAD_THUMBNAIL},     // pixel offset
        {thumb2 + 18, std::string("\x5B", 1), 0, IndexFileError::BAD_THUMBNAIL},     // width 91
        {thumb2 + 25, std::string("\xFF", 1), 0, IndexFileError::BAD_THUMBNAIL},     // height negative
        {thumb2 + 28, std::string("\x20", 1), 0, IndexFileError::BAD_THUMBNAIL},     // 32 bits
        {thumb2 + 30, std::string("\x01", 1), 0, IndexFileError::BAD_THUMBNAIL},     // compressed
        {thumb2 + 34, std::string("\x00\x40", 2), 0, IndexFileError::BAD_THUMBNAIL}, // image size
    };
    for (const Damage& d : cases) {
        std::vector<uint8_t> file = good;
        std::memcpy(&file[d.at], d.bytes.data(), d.bytes.size());
        IndexFileContents contents;
        contents.count = 7;
        IndexFileError why = IndexFileError::NONE;
        EXPECT_FALSE(ParseIndexFile(file.data(), d.size ? d.size : file.size(), contents, why)) << d.at;
        EXPECT_EQ(why, d.why) << d.at << " " << d.bytes;
        EXPECT_EQ(contents.count, 7);
        EXPECT_TRUE(contents.thumbnails.empty());
    }
    // A count of 41 is refused even when the file has room for 41 frames.
    std::vector<uint8_t> longer(IndexFileBytes(41), ' ');
    std::memcpy(longer.data(), "41  90  60", 10);
    IndexFileContents contents;
    IndexFileError why;
    EXPECT_FALSE(ParseIndexFile(longer.data(), longer.size(), contents, why));
    EXPECT_EQ(why, IndexFileError::TOO_MANY_FRAMES);
    EXPECT_FALSE(ParseIndexFile(nullptr, 100, contents, why));
    EXPECT_EQ(why, IndexFileError::TRUNCATED);
}

TEST_F(IndexFileTest, SheetBitmapFileHasHeadersAndGreyLegendCorner) {
    std::vector<uint8_t> file;
    EXPECT_FALSE(BuildSheetBitmapFile(sheet.data(), sheet.size() - 1, file));
    EXPECT_TRUE(file.empty());
    ASSERT_TRUE(BuildSheetBitmapFile(sheet.data(), sheet.size(), file));
    ASSERT_EQ(file.size(), 801846u);
    const uint8_t headers[54] = {'B', 'M', 0x36, 0x3C, 0x0C, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 0x40, 2, 0, 0,
                                 0xD0, 1, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 0x00, 0x3C, 0x0C, 0};
    EXPECT_EQ(0, std::memcmp(file.data(), headers, 54));
    // First stored row: sheet row 463 from x 48, BGR; the legend corner grey.
    const uint8_t firstPixel[] = {1, 207, 48};
    EXPECT_EQ(0, std::memcmp(&file[54], firstPixel, 3));
    const uint8_t beforeLegend[] = {17, 207, 177, 192, 192, 192};  // copy x 385, 386
    EXPECT_EQ(0, std::memcmp(&file[54 + 385 * 3], beforeLegend, 6));
    // Last stored row: sheet row 0, its last pixel sheet x 623.
    const uint8_t lastPixel[] = {32, 0, 111};
    EXPECT_EQ(0, std::memcmp(&file[801843], lastPixel, 3));
}

TEST(IndexFileName, FirstExtensionInItsCaseDecides) {
    EXPECT_EQ(ClassifyIndexFileName("C:\\FILM\\ROLL1.IXF"), IndexFileKind::IXF);
    EXPECT_EQ(ClassifyIndexFileName("roll1.ixf"), IndexFileKind::IXF);
    EXPECT_EQ(ClassifyIndexFileName("roll1.bmp"), IndexFileKind::BMP);
    EXPECT_EQ(ClassifyIndexFileName("ROLL1.BMP"), IndexFileKind::BMP);
    EXPECT_EQ(ClassifyIndexFileName("roll1.Bmp"), IndexFileKind::NONE);
    EXPECT_EQ(ClassifyIndexFileName("roll1.iXF"), IndexFileKind::NONE);
    EXPECT_EQ(ClassifyIndexFileName("roll1"), IndexFileKind::NONE);
    EXPECT_EQ(ClassifyIndexFileName("roll1.ixf.bmp"), IndexFileKind::IXF);
    EXPECT_EQ(ClassifyIndexFileName(nullptr), IndexFileKind::NONE);
    // Only the first 255 characters are searched.
    EXPECT_EQ(ClassifyIndexFileName((std::string(251, 'a') + ".bmp").c_str()), IndexFileKind::BMP);
    EXPECT_EQ(ClassifyIndexFileName((std::string(252, 'a') + ".bmp").c_str()), IndexFileKind::NONE);
}

}  // namespace
