// The user's scan settings: one record for the whole library, living as long
// as it is loaded. Portable: no Windows headers.
#pragma once

#include <cstdint>

struct ScanSettings {
    int32_t filmNumber;       // selected film parameter record, 1-based
    double outputResolution;  // dots per inch of the finished picture
};

extern ScanSettings scanSettings;

// The values of a freshly loaded library.
void ResetScanSettings();
