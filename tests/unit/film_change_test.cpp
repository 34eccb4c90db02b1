#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "source/imaging/film_parameters.h"
#include "source/library_state.h"
#include "source/scanner/scanner_check.h"
#include "source/ui/film_change.h"
#include "source/ui/scan_settings.h"

namespace {

// Records 1..3 carry the codes 0, 10 and 8: code 10 sits at record 2, so a
// code and its record number differ.
void WriteFilmFile(const std::string& path) {
    std::vector<uint8_t> bytes(32, 0);
    std::memcpy(bytes.data(), "QX-52 FilmParameterFile", 24);
    bytes[31] = 3;
    for (int code : {0, 10, 8}) {
        std::vector<uint8_t> record(60, 0);
        record[32] = static_cast<uint8_t>(code);
        bytes.insert(bytes.end(), record.begin(), record.end());
    }
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
    std::fclose(f);
}

class FilmChange : public ::testing::Test {
protected:
    std::string path;
    void SetUp() override {
        ResetCoreState();
        path = ::testing::TempDir() + "film_change_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".spm";
        WriteFilmFile(path);
        std::strcpy(filmParameterPath, path.c_str());
        scanSettings.filmNumber = 1;
        scanSettings.adapterType = 'N';
        scanSettings.lastAdapterType = 'N';
    }
    void TearDown() override {
        std::remove(path.c_str());
        ResetCoreState();
    }
};

TEST_F(FilmChange, ExchangedAdapterIsReportedOnceWithTheCodesRecord) {
    scanSettings.adapterType = 'A';  // the APS adapter replaced the strip adapter
    EXPECT_EQ(DecideAdapterAndFilmChange(scanSettings, 10, FindFilmRecord), MSG_ADAPTER_EXCHANGED);
    EXPECT_EQ(scanSettings.apsAdapter, 1);
    EXPECT_EQ(scanSettings.filmNumber, 2);  // code 10 lives at record 2
    EXPECT_EQ(scanSettings.lastAdapterType, 'A');
    // The next preview's check finds the same adapter and the same film.
    EXPECT_EQ(DecideAdapterAndFilmChange(scanSettings, 0, FindFilmRecord), 0u);
    EXPECT_EQ(DecideAdapterAndFilmChange(scanSettings, 10, FindFilmRecord), 0u);
    EXPECT_EQ(scanSettings.filmNumber, 2);

    // A check before the window remembered any adapter finds no exchange.
    scanSettings.lastAdapterType = 0;
    EXPECT_EQ(DecideAdapterAndFilmChange(scanSettings, 0, FindFilmRecord), 0u);
    EXPECT_EQ(scanSettings.lastAdapterType, 'A');

    // Back to the strip adapter without a code: the film type stays.
    scanSettings.adapterType = 'N';
    EXPECT_EQ(DecideAdapterAndFilmChange(scanSettings, 0, FindFilmRecord), MSG_ADAPTER_EXCHANGED);
    EXPECT_EQ(scanSettings.apsAdapter, 0);
    EXPECT_EQ(scanSettings.filmNumber, 2);
}

TEST_F(FilmChange, ChangedFilmCodeComparesTheCodesRecord) {
    // Selected record 10 equals the code 10 but is not its record (2): the
    // film type must still move, or it stays wrong at every check.
    scanSettings.filmNumber = 10;
    EXPECT_EQ(DecideAdapterAndFilmChange(scanSettings, 10, FindFilmRecord), MSG_FILM_EXCHANGED);
    EXPECT_EQ(scanSettings.filmNumber, 2);
    EXPECT_EQ(DecideAdapterAndFilmChange(scanSettings, 10, FindFilmRecord), 0u);

    // A code no record carries selects the record of that number.
    EXPECT_EQ(DecideAdapterAndFilmChange(scanSettings, 14, FindFilmRecord), MSG_FILM_EXCHANGED);
    EXPECT_EQ(scanSettings.filmNumber, 14);
}

int32_t checkAnswer = 0;
int32_t checkCalls = 0;
int32_t filmNumberSeenByCheck = 0;

int32_t FakeCheck(void*) {
    ++checkCalls;
    filmNumberSeenByCheck = scanSettings.filmNumber;
    filmChosenByUser = 0;  // the check may clear the user's choice
    return checkAnswer;
}

TEST_F(FilmChange, FilmTypeChoiceKeptUnlessTheCartridgeAsksForAnother) {
    scanSettings.filmNumber = 9;
    scanSettings.adapterType = 'A';
    checkCalls = 0;

    // An APS colour negative cartridge (code 10) refuses strip type row 2.
    checkAnswer = 110;
    EXPECT_FALSE(ChooseFilmType(scanSettings, 2, FakeCheck, nullptr));
    EXPECT_EQ(filmNumberSeenByCheck, 3);
    EXPECT_EQ(scanSettings.filmNumber, 9);
    EXPECT_EQ(scanSettings.apsAdapter, 1);
    EXPECT_EQ(filmChosenByUser, 1);

    // No scanner answering: the choice stands.
    checkAnswer = 0;
    EXPECT_TRUE(ChooseFilmType(scanSettings, 0, FakeCheck, nullptr));
    EXPECT_EQ(scanSettings.filmNumber, 1);
    EXPECT_EQ(filmChosenByUser, 1);
    EXPECT_EQ(checkCalls, 2);
}

}  // namespace
