// What happens to every scan line between the port and the picture: reading
// its pixels, the colour correction (tone tables, then a pull and a spread
// stage), the optional black-and-white conversion, the colour registration
// delay at high resolutions, and placing the line into a 24-bit bitmap or
// onto the screen in one of eight direction/orientation combinations.
// Portable: the screen is reached through ScanLineCanvas.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

constexpr int32_t MIDDLE_PULL = -30;  // over a divisor of 120
constexpr double SPREAD = 0.25;
constexpr uint32_t ONE_LINE_DELAY_FROM = 801;   // dots per inch
constexpr uint32_t TWO_LINE_DELAY_FROM = 1401;

// Line buffers hold pixels x 3 bytes, red, green, blue. The delay lines start
// zero-filled and carry red and blue from one line to the next during a
// scan; their green is unused.
struct ScanLineBuffers {
    uint8_t* rawLine;  // optional: the samples as read
    uint8_t* correctedLine;
    uint8_t* delayLine1;  // optional together with delayLine2
    uint8_t* delayLine2;
};

// The four zero-filled buffers of one scan, made at its start and freed at
// its end. The allocation does not throw: a scan runs inside a window's
// command handler, which no exception may leave. Check Allocated() before
// using the buffers.
class LineBufferSet {
public:
    explicit LineBufferSet(uint32_t pixels)
        : lineBytes(size_t{pixels} * 3),
          block(pixels <= SIZE_MAX / 12 ? new (std::nothrow) uint8_t[4 * lineBytes]() : nullptr) {}
    bool Allocated() const { return block != nullptr; }
    uint8_t* Raw() const { return block.get(); }
    uint8_t* Corrected() const { return block.get() + lineBytes; }
    ScanLineBuffers Buffers() const {
        return {Raw(), Corrected(), block.get() + 2 * lineBytes, block.get() + 3 * lineBytes};
    }

private:
    size_t lineBytes;
    std::unique_ptr<uint8_t[]> block;
};

// Reads one line of `pixels` pixels from the scanner (BeginDataPhase, a
// pixel triple each, EndLine), correcting and registering each pixel as it
// arrives. Answers 1, or 0 at the first pixel that cannot be read (the port
// is idle then; the pixels before it stay in correctedLine).
uint8_t ReadScanLine(const ScanLineBuffers& buffers, uint32_t pixels, uint32_t resolution, bool monochrome,
                     bool monochromeFilm);

// In place: the tone tables, then the two saturation stages.
void CorrectPixel(uint8_t& red, uint8_t& green, uint8_t& blue);
// In place: the exposure table, then CorrectPixel (preview re-toning).
void RetonePixel(uint8_t& red, uint8_t& green, uint8_t& blue);

// Where pixel i of line `lineIndex` lands: column x and row from the top y,
// already scaled by lineExtent / lineCount.
struct LinePlacement {
    uint32_t lineCount;
    uint32_t pixelCount;
    char direction;    // 'F' forward, anything else backward
    char orientation;  // 'L', 'R', 'T', 'B'
    double lineExtent;
    int32_t originX;
    int32_t originY;
    uint32_t lineIndex;
};
void PlacePixel(const LinePlacement& placement, uint32_t i, int32_t& x, int32_t& y);

// Writes the line into a bottom-up 24-bit bitmap (blue, green, red). A row
// past the bitmap's height goes to its bottom row; bytes outside
// `bitmapBytes` are never written. Answers 1.
uint8_t PlaceScanLine(const uint8_t* line, uint8_t* bitmap, size_t bitmapBytes, uint32_t bitmapHeight,
                      uint32_t rowBytes, const LinePlacement& placement);

// The screen, as DrawScanLine needs it: the window's device context in the
// Windows shell, memory in tests.
struct ScanLineCanvas {
    void (*setPixel)(void* context, int16_t x, int16_t y, uint8_t red, uint8_t green, uint8_t blue);
    void* context;
};

// Draws the line at (x + originX, y + originY); a pixel landing where the
// one before it in the same call landed is skipped. Answers 1.
uint8_t DrawScanLine(const ScanLineCanvas& canvas, const uint8_t* line, const LinePlacement& placement);
