#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "simulator/virtual_port_access.h"
#include "source/imaging/film_parameters.h"
#include "source/library_state.h"
#include "source/scanner/link.h"
#include "source/scanner/scan_setup.h"
#include "source/ui/scan_settings.h"

namespace {

class ScanSetup : public ::testing::Test {
protected:
    void SetUp() override {
        ResetCoreState();
        scanWindow.yResolution = 177;
    }
    void TearDown() override { ResetCoreState(); }
};

TEST_F(ScanSetup, CalibrationOfThePolarityWithTheFilmsOffsets) {
    calibrationPositive[0] = 200;
    calibrationNegative[0] = 5;
    currentFilm.scanOffsets[0] = -10;
    currentFilm.scanOffsets[1] = 100;
    calibrationNegative[1] = 200;
    currentFilm.negative = 1;
    PrepareScanParameters();
    EXPECT_EQ(scanParameters.bytes[0], 0);    // 5 - 10 floors at 0
    EXPECT_EQ(scanParameters.bytes[1], 255);  // 200 + 100 caps at 255
    EXPECT_EQ(scanWindow.reverseFlag, 0);
    EXPECT_EQ(scanWindow.composition, 5);
    currentFilm.negative = 0;
    PrepareScanParameters();
    EXPECT_EQ(scanParameters.bytes[0], 190);  // 200 - 10
    EXPECT_EQ(scanWindow.reverseFlag, 0x80);
}

TEST_F(ScanSetup, ExposureValuesFollowTheBias) {
    calibrationPositive[18] = 60;   // b
    calibrationPositive[19] = 100;  // a
    currentFilm.scanLetter = 'R';
    scanSettings.exposureBias = 1.0;
    PrepareScanParameters();
    EXPECT_EQ(scanMode.exposureA, 200);  // 100 x 2^1
    EXPECT_EQ(scanMode.exposureB, 120);  // 60 x 200 / 100
    EXPECT_EQ(scanParameters.bytes[19], 200);
    EXPECT_EQ(scanParameters.bytes[18], 120);

    // Negative film: the exponent is the bias / 1.7, and limits apply.
    std::memcpy(calibrationNegative, calibrationPositive, sizeof calibrationPositive);
    currentFilm.negative = 1;
    scanSettings.exposureBias = 1.7;
    PrepareScanParameters();
    EXPECT_EQ(scanMode.exposureA, 200);
    scanSettings.exposureBias = 2.0 * 1.7;
    PrepareScanParameters();
    EXPECT_EQ(scanMode.exposureA, 255);  // 400 capped
    scanSettings.exposureBias = -20.0;
    PrepareScanParameters();
    EXPECT_EQ(scanMode.exposureA, 5);  // 1 at least, then 5 at least
}

TEST_F(ScanSetup, ScanLetterNAveragesTheTwoValues) {
    calibrationNegative[18] = 60;
    calibrationNegative[19] = 100;
    currentFilm.negative = 1;
    currentFilm.scanLetter = 'N';
    PrepareScanParameters();
    EXPECT_EQ(scanMode.scanLetter, 'N');
    EXPECT_EQ(scanMode.exposureA, (3 * 100 + 60) / 4);
    EXPECT_EQ(scanMode.exposureB, (3 * 100 + 60) / 4);
    currentFilm.negative = 0;
    std::memcpy(calibrationPositive, calibrationNegative, sizeof calibrationNegative);
    PrepareScanParameters();
    EXPECT_EQ(scanMode.exposureA, (3 * 60 + 100) / 4);
    // Zero calibration bytes count as 1 before the arithmetic.
    calibrationPositive[18] = calibrationPositive[19] = 0;
    currentFilm.scanLetter = 'R';
    PrepareScanParameters();
    EXPECT_EQ(scanMode.exposureA, 5);
}

TEST_F(ScanSetup, DetailLetterSwitchesAt77Dpi) {
    scanWindow.yResolution = 76;
    PrepareScanParameters();
    EXPECT_EQ(scanMode.detailLetter, 'I');
    scanWindow.yResolution = 77;
    PrepareScanParameters();
    EXPECT_EQ(scanMode.detailLetter, 'P');
    EXPECT_EQ(scanMode.two, 2);
}

TEST(ScannerParameters, ReadOncePerLoad) {
    VirtualHarness harness;
    ScannerConfig config;
    for (int i = 0; i < 20; ++i) {
        config.calibrationPositive[i] = static_cast<uint8_t>(i + 1);
        config.calibrationNegative[i] = static_cast<uint8_t>(0xE0 + i);
    }
    PortAccess access = MakeVirtualPortAccess(harness);
    VirtualScannerInit(harness.scanner, config);
    SetPortAccess(&access);
    ResetCoreState();  // a fresh load
    InitialiseLink();
    ReadScannerParameters();
    EXPECT_EQ(calibrationRead, 1);
    EXPECT_EQ(calibrationPositive[0], 1);
    EXPECT_EQ(calibrationPositive[19], 20);
    EXPECT_EQ(calibrationNegative[19], 0xE0 + 19);
    uint32_t commands = harness.scanner.counters.commands[0x28];
    ReadScannerParameters();  // nothing more is asked
    EXPECT_EQ(harness.scanner.counters.commands[0x28], commands);
    SetPortAccess(nullptr);
}

}  // namespace
