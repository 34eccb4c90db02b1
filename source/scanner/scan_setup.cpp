#include "source/scanner/scan_setup.h"

#include <cmath>
#include <cstring>

#include "source/imaging/film_parameters.h"
#include "source/scanner/link.h"
#include "source/ui/scan_settings.h"

uint8_t calibrationPositive[SCAN_PARAMETER_BYTES];
uint8_t calibrationNegative[SCAN_PARAMETER_BYTES];
uint8_t calibrationRead = 0;
ScanWindow scanWindow = {};
ScanMode scanMode = {'F', 'R', 2, 0, 0, 0, 'P'};
ScanParameterBlock scanParameters = {};

namespace {

// Exposure values travel as one byte each and 0 would stop the lamp: they
// stay within 1..255.
uint8_t ExposureByte(double value) {
    auto truncated = static_cast<int64_t>(std::trunc(value));
    auto sixteen = static_cast<int16_t>(static_cast<uint16_t>(truncated));  // as a 16-bit value
    return static_cast<uint8_t>(sixteen > 255 ? 255 : sixteen < 1 ? 1 : sixteen);
}

}  // namespace

void ReadScannerParameters() {
    if (calibrationRead) {
        return;
    }
    // A block is kept only when it was read whole, and the pair counts as
    // read only when both were: a scanner that stopped answering is asked
    // again at the next scan instead of leaving zeros for good.
    uint8_t block[21];
    if (!ReadScannerBlock(block, sizeof block, CALIBRATION_POSITIVE, SCAN_PARAMETER_BYTES)) {
        return;
    }
    std::memcpy(calibrationPositive, block, SCAN_PARAMETER_BYTES);
    WaitMilliseconds(100);
    if (!ReadScannerBlock(block, sizeof block, CALIBRATION_NEGATIVE, SCAN_PARAMETER_BYTES)) {
        return;
    }
    std::memcpy(calibrationNegative, block, SCAN_PARAMETER_BYTES);
    calibrationRead = 1;
}

void PrepareScanParameters() {
    bool negative = currentFilm.negative != 0;
    // The scanner's calibration block is the base and the film record's
    // bytes are signed offsets to it, as the record's own name for them
    // says: the block is the unit's measured set-up for that kind of film
    // (levels, exposure values about 100), while a film type only nudges
    // it, by a few steps either way. Read the other way round, the small
    // record bytes would be the exposures and the unit's calibration would
    // be lost to saturation.
    ApplyScanOffsets(negative ? calibrationNegative : calibrationPositive, currentFilm, scanParameters.bytes);
    scanWindow.composition = 5;
    scanWindow.reverseFlag = negative ? 0 : 0x80;

    uint8_t* bytes = scanParameters.bytes;
    if (bytes[18] == 0) bytes[18] = 1;
    if (bytes[19] == 0) bytes[19] = 1;
    double a = bytes[19], b = bytes[18];
    // Negative film answers the exposure bias more steeply.
    double exponent = negative ? scanSettings.exposureBias / 1.7 : scanSettings.exposureBias;
    uint8_t t1 = ExposureByte(a * std::pow(2.0, exponent));
    uint8_t t2 = ExposureByte(b * t1 / a);

    scanMode.scanLetter = static_cast<char>(currentFilm.scanLetter);
    if (scanMode.scanLetter == 'N') {
        auto c = static_cast<uint8_t>(negative ? (3 * t1 + t2) / 4 : (3 * t2 + t1) / 4);
        bytes[18] = bytes[19] = c;
    } else {
        bytes[18] = t2;
        bytes[19] = t1;
    }
    if (bytes[18] < 5) bytes[18] = 5;
    if (bytes[19] < 5) bytes[19] = 5;
    scanMode.exposureB = bytes[18];
    scanMode.exposureA = bytes[19];
    scanMode.detailLetter = scanWindow.yResolution < 77 ? 'I' : 'P';
    scanMode.two = 2;
}

void StartWindowScan(int32_t left, int32_t top, int32_t width, int32_t height, uint16_t resolution) {
    scanWindow.windowLeft = left;
    scanWindow.windowTop = top;
    scanWindow.windowWidth = width;
    scanWindow.windowHeight = height;
    scanWindow.xResolution = scanWindow.yResolution = resolution;
    scanMode.filmSide = 'F';
    scanMode.modeLetter = 'R';
    PrepareScanParameters();
    // A scanner that did not take one command will not take the next: each
    // would wait out its own selection time-out.
    if (SetScanWindow(scanWindow) && SetScanMode(scanMode) && SetScanParameters(scanParameters)) {
        StartScan();
    }
}
