#include "source/imaging/scan_line.h"

#include "source/imaging/tone_curves.h"
#include "source/scanner/link.h"

namespace {

int32_t Clamp255(int32_t v) {
    return v < 0 ? 0 : v > 255 ? 255 : v;
}

// Stage 1: the middle sample is pulled away from the largest, toward the
// smallest side, by a quarter of the difference named in each row.
void Pull(int32_t& r, int32_t& g, int32_t& b) {
    if (r >= g && g >= b) {
        g += (r - g) * MIDDLE_PULL / 120;
    } else if (r >= b && b >= g) {
        g += (r - b) * MIDDLE_PULL / 120;
    } else if (g >= r && r >= b) {
        r += (g - r) * MIDDLE_PULL / 120;
    } else if (g >= b && b >= r) {
        r += (g - b) * MIDDLE_PULL / 120;
    } else if (b >= g && g >= r) {
        g += (b - g) * MIDDLE_PULL / 120;
    } else if (b >= r && r >= g) {
        g += (b - r) * MIDDLE_PULL / 120;
    }
}

int32_t Spread(int32_t difference) {
    return static_cast<int32_t>(difference * SPREAD);
}

// Stage 2: the two larger samples move away from the smallest one.
void SpreadFromSmallest(int32_t& r, int32_t& g, int32_t& b) {
    int32_t dr = 0, dg = 0, db = 0;
    if (r >= g && g >= b) {
        dr = Spread(r - b);
        dg = Spread(g - b);
    } else if (r >= b && b >= g) {
        dr = Spread(r - g);
        db = Spread(b - g);
    } else if (g >= r && r >= b) {
        dg = Spread(g - b);
        dr = Spread(r - b);
    } else if (g >= b && b >= r) {
        dg = Spread(g - r);
        db = Spread(b - r);
    } else if (b >= g && g >= r) {
        db = Spread(b - r);
        dg = Spread(g - r);
    } else if (b >= r && r >= g) {
        db = Spread(b - g);
        dr = Spread(r - g);
    }
    r += dr;
    g += dg;
    b += db;
}

}  // namespace

void CorrectPixel(uint8_t& red, uint8_t& green, uint8_t& blue) {
    int32_t r = redTable8[red], g = greenTable8[green], b = blueTable8[blue];
    Pull(r, g, b);
    r = Clamp255(r);
    g = Clamp255(g);
    b = Clamp255(b);
    SpreadFromSmallest(r, g, b);
    red = static_cast<uint8_t>(Clamp255(r));
    green = static_cast<uint8_t>(Clamp255(g));
    blue = static_cast<uint8_t>(Clamp255(b));
}

void RetonePixel(uint8_t& red, uint8_t& green, uint8_t& blue) {
    red = exposureTable8[red];
    green = exposureTable8[green];
    blue = exposureTable8[blue];
    CorrectPixel(red, green, blue);
}

uint8_t ReadScanLine(const ScanLineBuffers& buffers, uint32_t pixels, uint32_t resolution, bool monochrome,
                     bool monochromeFilm) {
    BeginDataPhase();
    bool grey = monochrome || monochromeFilm;
    bool delayed = buffers.delayLine1 != nullptr && buffers.delayLine2 != nullptr && !grey &&
                   resolution >= ONE_LINE_DELAY_FROM;
    bool twoLines = resolution >= TWO_LINE_DELAY_FROM;
    for (uint32_t i = 0; i < pixels; ++i) {
        uint8_t red, green, blue;
        if (!ReadPixelTriple(&red, &green, &blue)) {
            return 0;
        }
        size_t at = static_cast<size_t>(i) * 3;
        if (buffers.rawLine != nullptr) {
            buffers.rawLine[at] = monochromeFilm ? green : red;
            buffers.rawLine[at + 1] = green;
            buffers.rawLine[at + 2] = monochromeFilm ? green : blue;
        }
        if (grey) {
            red = blue = green;
        }
        CorrectPixel(red, green, blue);
        uint8_t* out = buffers.correctedLine + at;
        if (!delayed) {
            out[0] = red;
            out[1] = green;
            out[2] = blue;
            continue;
        }
        // Red and blue sit one or two lines ahead of green on the sensor.
        uint8_t* first = buffers.delayLine1 + at;
        uint8_t* second = buffers.delayLine2 + at;
        out[0] = first[0];
        out[1] = green;
        out[2] = first[2];
        if (twoLines) {
            first[0] = second[0];
            first[2] = second[2];
            second[0] = red;
            second[2] = blue;
        } else {
            first[0] = red;
            first[2] = blue;
        }
    }
    EndLine();
    return 1;
}

void PlacePixel(const LinePlacement& p, uint32_t i, int32_t& x, int32_t& y) {
    auto line = static_cast<int64_t>(p.lineIndex);
    auto pixel = static_cast<int64_t>(i);
    int64_t lastLine = static_cast<int64_t>(p.lineCount) - line - 1;
    int64_t lastPixel = static_cast<int64_t>(p.pixelCount) - pixel - 1;
    bool forward = p.direction == 'F';
    int64_t column = 0, row = 0;
    switch (p.orientation) {
    case 'L': column = forward ? line : lastLine; row = pixel; break;
    case 'R': column = forward ? lastLine : line; row = lastPixel; break;
    case 'T': column = lastPixel; row = forward ? line : lastLine; break;
    default:  column = pixel; row = forward ? lastLine : line; break;  // 'B'
    }
    double scale = p.lineCount != 0 ? p.lineExtent / p.lineCount : 0.0;
    x = static_cast<int32_t>(static_cast<double>(column) * scale);
    y = static_cast<int32_t>(static_cast<double>(row) * scale);
}

uint8_t PlaceScanLine(const uint8_t* line, uint8_t* bitmap, size_t bitmapBytes, uint32_t bitmapHeight,
                      uint32_t rowBytes, const LinePlacement& placement) {
    for (uint32_t i = 0; i < placement.pixelCount; ++i) {
        int32_t x, y;
        PlacePixel(placement, i, x, y);
        int64_t fromTop = static_cast<int64_t>(y) + placement.originY;
        int64_t memoryRow = fromTop + 1 > bitmapHeight ? 0 : static_cast<int64_t>(bitmapHeight) - fromTop - 1;
        int64_t offset = memoryRow * rowBytes + (static_cast<int64_t>(x) + placement.originX) * 3;
        // Nothing is written outside the bitmap, whatever the caller passes.
        if (offset < 0 || static_cast<uint64_t>(offset) + 3 > bitmapBytes) {
            continue;
        }
        const uint8_t* pixel = line + static_cast<size_t>(i) * 3;
        bitmap[offset] = pixel[2];
        bitmap[offset + 1] = pixel[1];
        bitmap[offset + 2] = pixel[0];
    }
    return 1;
}

uint8_t DrawScanLine(const ScanLineCanvas& canvas, const uint8_t* line, const LinePlacement& placement) {
    int16_t lastX = 0, lastY = 0;
    for (uint32_t i = 0; i < placement.pixelCount; ++i) {
        int32_t x, y;
        PlacePixel(placement, i, x, y);
        auto screenX = static_cast<int16_t>(x + placement.originX);
        auto screenY = static_cast<int16_t>(y + placement.originY);
        if (screenX == lastX && screenY == lastY) {
            continue;
        }
        lastX = screenX;
        lastY = screenY;
        const uint8_t* pixel = line + static_cast<size_t>(i) * 3;
        canvas.setPixel(canvas.context, screenX, screenY, pixel[0], pixel[1], pixel[2]);
    }
    return 1;
}
