#include "source/twain/image_layout.h"

#include <algorithm>

namespace {

constexpr double LAYOUT_OUTPUT_SCALE = 2.5;  // output pixels per preview pixel
constexpr int16_t MIN_SPAN = 19;             // the smallest frame: 20 preview pixels a side

int16_t PreviewPixels(const TW_FIX32& edge) {
    double value = edge.Whole + edge.Frac / 65536.0;
    // |Whole| <= 32768, so a tenth of it always fits in 16 bits.
    return static_cast<int16_t>(value / 10.0);
}

}  // namespace

LayoutFrame LayoutFrameFor(const TW_FRAME& frame) {
    int16_t left = PreviewPixels(frame.Left);
    int16_t top = PreviewPixels(frame.Top);
    int16_t right = PreviewPixels(frame.Right);
    int16_t bottom = PreviewPixels(frame.Bottom);
    // A negative edge would put the frame, and the film window scanned from
    // it, outside the picture.
    left = std::max<int16_t>(left, 0);
    top = std::max<int16_t>(top, 0);
    right = std::max(right, MIN_SPAN);
    bottom = std::max(bottom, MIN_SPAN);
    left = std::min<int16_t>(left, 220);
    right = std::min<int16_t>(right, 239);
    top = std::min<int16_t>(top, 140);
    bottom = std::min<int16_t>(bottom, 159);
    if (right <= left) right = static_cast<int16_t>(left + MIN_SPAN);
    if (bottom <= top) bottom = static_cast<int16_t>(top + MIN_SPAN);
    return {left, top, right, bottom};
}

void ApplyImageLayout(const TW_FRAME& frame, ScanSettings& settings) {
    LayoutFrame f = LayoutFrameFor(frame);
    settings.layoutFrame = f;
    settings.outputWidth = (f.right - f.left) * LAYOUT_OUTPUT_SCALE;
    settings.outputHeight = (f.bottom - f.top) * LAYOUT_OUTPUT_SCALE;
    // Both below 600: whole pixels fit in 16 bits.
    settings.outputWidthPixels = static_cast<uint16_t>(settings.outputWidth);
    settings.outputHeightPixels = static_cast<uint16_t>(settings.outputHeight);
    settings.outputScale = LAYOUT_OUTPUT_SCALE;
    settings.aspectRatio = settings.outputWidth / settings.outputHeight;
    settings.cropWidth = f.right - f.left + 1;
    settings.cropHeight = f.bottom - f.top + 1;
    settings.layoutSet = 1;
}
