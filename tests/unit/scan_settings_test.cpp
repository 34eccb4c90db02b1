#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <utility>

#include "source/imaging/film_parameters.h"
#include "source/library_state.h"
#include "source/ui/scan_settings.h"

namespace {

// The settings file of a test: keys of the source's section only.
std::map<std::string, std::string> keys;

int32_t ReadInt(const char* section, const char* key, int32_t defaultValue) {
    EXPECT_STREQ(section, "QX-52V2P");
    auto found = keys.find(key);
    return found == keys.end() ? defaultValue : std::stoi(found->second);
}

void ReadString(const char* section, const char* key, const char* defaultValue, char* buffer, size_t size) {
    EXPECT_STREQ(section, "QX-52V2P");
    auto found = keys.find(key);
    std::string value = found == keys.end() ? defaultValue : found->second;
    std::memset(buffer, 0, size);
    std::strncpy(buffer, value.c_str(), size - 1);
}

constexpr SettingsReader READER = {ReadInt, ReadString};

class ScanSettingsInit : public ::testing::Test {
protected:
    void SetUp() override {
        keys.clear();
        ResetCoreState();
        // What a first window of this load leaves behind.
        ScanSettings& s = scanSettings;
        s.outputWidth = 1234;
        s.outputHeightPixels = 567;
        s.outputScale = 7.0;
        s.cropWidth = 100;
        s.cropX0 = 10;
        s.cropY1 = 69;
        s.greenPosition = s.previewExposurePosition = 17;
        s.rotation = 3;
        s.scanScale = 3540;
        s.resSliderX = 320;
        s.redCurve = {10, 20, 200, 220, 150};
        s.blueGain = 150;
        s.unitIndex = 2;
        s.customResolution = 0;
        s.monochrome = 1;
        s.exposureBias = 1.5;
        s.adapterType = 'A';
        s.filmNumber = 6;
    }
    void TearDown() override { ResetCoreState(); }
};

TEST_F(ScanSettingsInit, OutputAndFrameUnlessTheApplicationSetALayout) {
    InitialiseScanSettings(READER, 0);
    const ScanSettings& s = scanSettings;
    EXPECT_EQ(s.outputWidth, 600.0);
    EXPECT_EQ(s.outputHeightPixels, 400);
    EXPECT_EQ(s.outputScale, 2.5);
    EXPECT_EQ(s.cropWidth, 240.0);
    EXPECT_EQ(s.cropX0, 0);
    EXPECT_EQ(s.cropY1, 159);

    SetUp();
    scanSettings.layoutSet = 1;
    InitialiseScanSettings(READER, 0);
    EXPECT_EQ(s.outputWidth, 1234.0);
    EXPECT_EQ(s.outputHeightPixels, 567);
    EXPECT_EQ(s.outputScale, 7.0);
    EXPECT_EQ(s.cropWidth, 100.0);
    EXPECT_EQ(s.cropX0, 10);
    EXPECT_EQ(s.cropY1, 69);
    EXPECT_EQ(s.rotation, 0);  // the rest is reset all the same
}

TEST_F(ScanSettingsInit, WhatIsResetAndWhatIsKept) {
    InitialiseScanSettings(READER, 0);
    const ScanSettings& s = scanSettings;
    EXPECT_EQ(s.greenPosition, 200.0);
    EXPECT_EQ(s.previewExposurePosition, 200.0);
    EXPECT_EQ(s.rotation, 0);
    EXPECT_EQ(s.scanScale, 885);
    EXPECT_EQ(s.resSliderX, 260 + 885 / 59);
    EXPECT_EQ(s.redCurve.lowIn, 0);
    EXPECT_EQ(s.redCurve.highOut, 255);
    EXPECT_EQ(s.redCurve.gammaPercent, 100);
    EXPECT_EQ(s.blueGain, 100u);
    // Kept from the first window of this load.
    EXPECT_EQ(s.unitIndex, 2);
    EXPECT_EQ(s.customResolution, 0);
    EXPECT_EQ(s.monochrome, 1);
    EXPECT_EQ(s.exposureBias, 1.5);
    EXPECT_EQ(s.adapterType, 'A');
    EXPECT_EQ(s.filmNumber, 6);
}

TEST_F(ScanSettingsInit, FilmParameterPathFromTheKeys) {
    // Nothing set: the default path text, a file that does not exist.
    InitialiseScanSettings(READER, 0);
    EXPECT_STREQ(filmParameterPath, "<NO>fpara_en.spm");
    currentFilm.filmCode = 42;
    EXPECT_EQ(LoadCurrentFilm(1), 0);
    EXPECT_EQ(currentFilm.filmCode, 42);
    currentFilm = {};
    InitialiseScanSettings(READER, 1);
    EXPECT_STREQ(filmParameterPath, "<NO>fpara_jp.spm");

    keys["PATH"] = "C:\\windows\\twain_32\\VANTERA\\";
    keys["FONT"] = "English";
    InitialiseScanSettings(READER, 1);
    EXPECT_STREQ(filmParameterPath, "C:\\windows\\twain_32\\VANTERA\\fpara_en.spm");

    // Each key is read into a buffer of its own limit: PATH 255
    // characters, a file name 14.
    keys["PATH"] = std::string(300, 'p');
    keys["FILENAME_EN"] = "a_very_long_file_name.spm";
    InitialiseScanSettings(READER, 0);
    EXPECT_EQ(std::string(filmParameterPath), std::string(255, 'p') + "a_very_long_fi");
}

TEST_F(ScanSettingsInit, ResolutionFromTheSettingsFile) {
    // Below the lowest resolution a user can type: a damaged file.
    const std::pair<const char*, double> rows[] = {{"300", 300.0}, {"10", 10.0}, {"9", 200.0}, {"0", 200.0}, {"-72", 200.0}};
    for (auto [value, expected] : rows) {
        keys["DPI"] = value;
        InitialiseScanSettings(READER, 0);
        EXPECT_EQ(scanSettings.outputResolution, expected) << value;
    }
}

}  // namespace
