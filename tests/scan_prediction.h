// What a scan line must hold, computed from the virtual scanner's own model
// rather than through the link: the sample the scanner takes for scanner
// line `line`, pixel `pixel` of a window at one resolution on both axes
// (no colour registration lead, so below 801 dpi), red, green, blue.
#pragma once

#include <cstdint>

#include "simulator/virtual_scanner.h"

inline void PredictScanSample(const VirtualScanner& scanner, int32_t windowLeft, int32_t windowTop,
                              uint16_t resolution, uint32_t line, uint32_t pixel, uint8_t out[3]) {
    double pitch = 1770.0 / resolution;
    VirtualScannerSample(scanner, windowLeft + (line + 0.5) * pitch, windowTop + (pixel + 0.5) * pitch, pitch, pitch,
                         out);
}
