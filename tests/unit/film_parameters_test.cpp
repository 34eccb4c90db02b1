#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "source/imaging/film_parameters.h"
#include "source/library_state.h"

namespace {

// A file with `count` in its header and one record per code, byte by byte
// as the layout has it.
std::vector<uint8_t> FileBytes(uint8_t count, const std::vector<uint8_t>& codes) {
    std::vector<uint8_t> bytes(32, 0);
    std::memcpy(bytes.data(), "QX-52 FilmParameterFile", 24);  // with its zero byte
    bytes[31] = count;
    for (uint8_t code : codes) {
        std::vector<uint8_t> record(60, 0);
        record[0] = 'F';
        record[32] = code;
        bytes.insert(bytes.end(), record.begin(), record.end());
    }
    return bytes;
}

class FilmParameterFile : public ::testing::Test {
protected:
    std::string path;
    FilmParameterHeader header = {};
    FilmParameterRecord record = {};
    void SetUp() override {
        path = ::testing::TempDir() + "film_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".spm";
        std::remove(path.c_str());
        std::strcpy(filmParameterPath, path.c_str());
    }
    void TearDown() override {
        std::remove(path.c_str());
        ResetCoreState();
    }
    void Write(const std::vector<uint8_t>& bytes) {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
        std::fclose(f);
    }
};

TEST_F(FilmParameterFile, HeaderNeedsAllTwentyFourMagicBytes) {
    std::vector<uint8_t> bytes = FileBytes(5, {});
    Write(bytes);
    ASSERT_EQ(ReadFilmHeader(path.c_str(), header), 1);
    EXPECT_EQ(header.count, 5);
    bytes[23] = ' ';  // the zero byte belongs to the magic
    Write(bytes);
    header.count = 77;
    EXPECT_EQ(ReadFilmHeader(path.c_str(), header), 0);
    bytes[23] = 0;
    bytes.resize(31);
    Write(bytes);
    EXPECT_EQ(ReadFilmHeader(path.c_str(), header), 0);
    EXPECT_EQ(header.count, 77);  // left as it was
}

TEST_F(FilmParameterFile, RecordNIsReadFromItsOffset) {
    std::vector<uint8_t> bytes(32 + 4 * 60, 0);
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<uint8_t>(i);
    }
    Write(bytes);
    ASSERT_EQ(ReadFilmRecord(path.c_str(), record, 3), 1);
    // Record 3 starts at 32 + 2 x 60 = 152.
    EXPECT_EQ(static_cast<uint8_t>(record.name[0]), 152);
    EXPECT_EQ(record.filmCode, 152 + 32);
    EXPECT_EQ(record.filmSpeed, (152 + 36) | ((152 + 37) << 8));  // little-endian
    EXPECT_EQ(static_cast<uint8_t>(record.scanOffsets[0]), 152 + 39);
    EXPECT_EQ(static_cast<uint8_t>(record.scanLetter), (152 + 59) & 0xFF);
}

TEST_F(FilmParameterFile, NothingReadPastTheEndOrBeforeTheFirstRecord) {
    std::vector<uint8_t> bytes = FileBytes(2, {10, 11});
    bytes.pop_back();  // record 2 is one byte short
    Write(bytes);
    record.filmCode = 99;
    EXPECT_EQ(ReadFilmRecord(path.c_str(), record, 2), 0);
    EXPECT_EQ(ReadFilmRecord(path.c_str(), record, 3), 0);
    EXPECT_EQ(ReadFilmRecord(path.c_str(), record, 0), 0);  // would be byte -28
    // An offset beyond 32 bits must not wrap onto a record.
    EXPECT_EQ(ReadFilmRecord(path.c_str(), record, INT32_MAX), 0);
    EXPECT_EQ(record.filmCode, 99);  // untouched by every failed read
    EXPECT_EQ(LoadCurrentFilm(1), 1);
    EXPECT_EQ(currentFilm.filmCode, 10);
    EXPECT_EQ(LoadCurrentFilm(2), 0);
    EXPECT_EQ(currentFilm.filmCode, 10);  // keeps its previous contents
}

TEST_F(FilmParameterFile, FindAnswersTheFirstMatchOrTheCode) {
    Write(FileBytes(8, {10, 10, 7, 8, 11, 7, 8, 14}));
    EXPECT_EQ(FindFilmRecord(8), 4);  // records 4 and 7 hold it
    EXPECT_EQ(FindFilmRecord(14), 8);
    EXPECT_EQ(FindFilmRecord(9), 9);
    EXPECT_EQ(FindFilmRecord(300), 300);
    // Only records 1 .. count are searched.
    Write(FileBytes(7, {10, 10, 7, 8, 11, 7, 8, 14}));
    EXPECT_EQ(FindFilmRecord(14), 14);
    // A count larger than the records present: the records there are
    // searched, the missing ones match nothing.
    Write(FileBytes(9, {10, 7, 8}));
    EXPECT_EQ(FindFilmRecord(8), 3);
    EXPECT_EQ(FindFilmRecord(14), 14);
}

TEST_F(FilmParameterFile, MissingOrForeignFileReadsNothing) {
    EXPECT_EQ(ReadFilmHeader(path.c_str(), header), 0);
    EXPECT_EQ(ReadFilmRecord(path.c_str(), record, 1), 0);
    EXPECT_EQ(FindFilmRecord(10), 10);
    std::vector<uint8_t> bytes = FileBytes(3, {10, 7, 8});
    bytes[0] = 'X';
    Write(bytes);
    EXPECT_EQ(FindFilmRecord(7), 7);
}

// Without a file the scanner check's answer for a colour negative cartridge
// (its code, 10) must still scan as a colour negative, uncorrected.
TEST_F(FilmParameterFile, BuiltInTypesStandInForAMissingFile) {
    ASSERT_EQ(LoadCurrentFilm(FindFilmRecord(10)), 0);
    FilmParameterRecord negative = BuiltInFilmRecord(10);
    EXPECT_EQ(std::string(negative.name, 32), std::string("Color Negative APS  ISO 200") + std::string(5, '\0'));
    EXPECT_EQ(negative.filmCode, 10);
    EXPECT_EQ(negative.negative, 1);
    EXPECT_EQ(negative.blackAndWhite, 0);
    EXPECT_EQ(negative.filmSpeed, 200);
    EXPECT_EQ(negative.exposureCount, 40);
    EXPECT_EQ(negative.scanLetter, 'N');
    EXPECT_EQ(std::vector<int8_t>(negative.scanOffsets, negative.scanOffsets + 20), std::vector<int8_t>(20, 0));
    FilmParameterRecord reversal = BuiltInFilmRecord(7);
    EXPECT_EQ(reversal.negative, 0);
    EXPECT_EQ(reversal.scanLetter, 'P');
    EXPECT_EQ(BuiltInFilmRecord(14).blackAndWhite, 1);
    // A number no built-in type has is type 1, a colour negative of ISO 100.
    for (int32_t number : {0, 15, -3}) {
        FilmParameterRecord first = BuiltInFilmRecord(number);
        EXPECT_EQ(first.negative, 1) << number;
        EXPECT_EQ(first.filmSpeed, 100) << number;
        EXPECT_EQ(first.exposureCount, 36) << number;
    }
}

TEST(ScanOffset, RaisedUpTo255AndLoweredDownTo0) {
    EXPECT_EQ(ApplyScanOffset(5, static_cast<int8_t>(0xF6)), 0);  // -10
    EXPECT_EQ(ApplyScanOffset(200, static_cast<int8_t>(0xF6)), 190);
    EXPECT_EQ(ApplyScanOffset(200, 100), 255);
    EXPECT_EQ(ApplyScanOffset(10, -10), 0);
    EXPECT_EQ(ApplyScanOffset(255, -128), 127);
    EXPECT_EQ(ApplyScanOffset(0, 127), 127);
}

TEST(FilmParameterPath, FileNameByLanguageAndFont) {
    char out[FILM_PATH_BYTES];
    struct Row {
        uint8_t japanese;
        const char* font;
        const char* expected;
    };
    for (Row row : {Row{0, "<NO>", "C:\\f\\en.spm"}, Row{1, "<NO>", "C:\\f\\jp.spm"}, Row{1, "English", "C:\\f\\en.spm"},
                    Row{1, "e", "C:\\f\\en.spm"}, Row{1, "", "C:\\f\\jp.spm"}, Row{0, "J", "C:\\f\\en.spm"}}) {
        BuildFilmParameterPath({"C:\\f\\", "en.spm", "jp.spm", row.font}, row.japanese, out, sizeof out);
        EXPECT_STREQ(out, row.expected) << int{row.japanese} << row.font;
    }
    // Cut to the buffer, always ended.
    char small[8];
    BuildFilmParameterPath({"/films/", "en.spm", "jp.spm", nullptr}, 0, small, sizeof small);
    EXPECT_STREQ(small, "/films/");
}

}  // namespace
