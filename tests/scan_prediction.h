// What the scan tests predict and read: the sample the virtual scanner
// takes for a point of a scan, from its own model rather than through the
// link; a frame picture that shows misplaced pixels; header fields.
#pragma once

#include <cstdint>
#include <memory>

#include "common/little_endian.h"
#include "simulator/virtual_scanner.h"
#include "source/ui/scan_settings.h"

// The crop frame over the whole 35 mm preview (240 x 160) and the output size.
inline void SetWholeFrame(ScanSettings& s, double outputWidth, double outputHeight) {
    s.cropX0 = 0;
    s.cropX1 = 239;
    s.cropY0 = 0;
    s.cropY1 = 159;
    s.outputWidth = outputWidth;
    s.outputHeight = outputHeight;
}

// A 32-bit field of a bitmap header, least significant byte first.
inline uint32_t Field(const uint8_t* p) {
    return ReadLe32(p);
}

// A 64 x 48 frame picture whose colour changes across both axes, so that a
// pixel placed in the wrong row or column shows.
inline std::shared_ptr<Picture> GradientPicture() {
    auto picture = std::make_shared<Picture>();
    picture->width = 64;
    picture->height = 48;
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 64; ++x) {
            picture->rgb.insert(picture->rgb.end(), {static_cast<uint8_t>(x * 4), static_cast<uint8_t>(y * 5),
                                                     static_cast<uint8_t>(255 - x * 2)});
        }
    }
    return picture;
}

// Scanner line `line`, pixel `pixel` of a window at one resolution on both
// axes (no colour registration lead, so below 801 dpi): red, green, blue.
inline void PredictScanSample(const VirtualScanner& scanner, int32_t windowLeft, int32_t windowTop,
                              uint16_t resolution, uint32_t line, uint32_t pixel, uint8_t out[3]) {
    double pitch = 1770.0 / resolution;
    VirtualScannerSample(scanner, windowLeft + (line + 0.5) * pitch, windowTop + (pixel + 0.5) * pitch, pitch, pitch,
                         out);
}
