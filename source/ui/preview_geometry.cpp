#include "source/ui/preview_geometry.h"

namespace {

struct ImagePlace {
    PreviewRect landscape, portrait;
    uint16_t width, height;
};
constexpr ImagePlace STRIP_PLACE = {{17, 52, 256, 211}, {59, 15, 218, 254}, 240, 160};
constexpr ImagePlace APS_PLACE = {{40, 74, 230, 182}, {85, 39, 193, 229}, 191, 109};

// One edge of the frame, pulled into [low, high] before it is narrowed to
// 16 bits: offsets from a larger picture (the layout frame is measured on
// the 35 mm preview, the APS picture is smaller) would otherwise put the
// frame beyond the picture or wrap an edge below zero to 65 000 and more.
uint16_t EdgeWithin(int32_t value, int32_t low, int32_t high) {
    return static_cast<uint16_t>(value < low ? low : value > high ? high : value);
}
int16_t S16(int32_t value) {
    return static_cast<int16_t>(value);
}

// The output keeps its width; its height follows the frame at that scale.
void ScaleToFrame(ScanSettings& s) {
    s.cropWidth = s.cropRect.right - s.cropRect.left + 1;
    s.cropHeight = s.cropRect.bottom - s.cropRect.top + 1;
    s.outputScale = s.outputWidth / s.cropWidth;
    s.outputHeight = s.outputScale * s.cropHeight;
}

}  // namespace

void SetPreviewGeometry(ScanSettings& s) {
    const ImagePlace& place = s.apsAdapter != 0 ? APS_PLACE : STRIP_PLACE;
    s.imageRect = s.rotation % 2 == 0 ? place.landscape : place.portrait;
    s.imageWidth = place.width;
    s.imageHeight = place.height;
}

void OffsetsToCropRect(ScanSettings& s) {
    const PreviewRect& r = s.imageRect;
    int32_t left, top, right, bottom;
    switch (s.rotation & 3) {
    case 0:
        left = r.left + s.cropX0, right = r.left + s.cropX1, top = r.top + s.cropY0, bottom = r.top + s.cropY1;
        break;
    case 1:
        left = r.right - s.cropY1, right = r.right - s.cropY0, top = r.top + s.cropX0, bottom = r.top + s.cropX1;
        break;
    case 2:
        left = r.right - s.cropX1, right = r.right - s.cropX0, top = r.bottom - s.cropY1, bottom = r.bottom - s.cropY0;
        break;
    default:
        left = r.left + s.cropY0, right = r.left + s.cropY1, top = r.bottom - s.cropX1, bottom = r.bottom - s.cropX0;
        break;
    }
    s.cropRect = {EdgeWithin(left, r.left, r.right), EdgeWithin(top, r.top, r.bottom),
                  EdgeWithin(right, r.left, r.right), EdgeWithin(bottom, r.top, r.bottom)};
}

void CropRectToOffsets(ScanSettings& s) {
    const PreviewRect& r = s.imageRect;
    const PreviewRect& c = s.cropRect;
    switch (s.rotation & 3) {
    case 0:
        s.cropX0 = S16(c.left - r.left), s.cropX1 = S16(c.right - r.left);
        s.cropY0 = S16(c.top - r.top), s.cropY1 = S16(c.bottom - r.top);
        break;
    case 1:
        s.cropX0 = S16(c.top - r.top), s.cropX1 = S16(c.bottom - r.top);
        s.cropY0 = S16(r.right - c.right), s.cropY1 = S16(r.right - c.left);
        break;
    case 2:
        s.cropX0 = S16(r.right - c.right), s.cropX1 = S16(r.right - c.left);
        s.cropY0 = S16(r.bottom - c.bottom), s.cropY1 = S16(r.bottom - c.top);
        break;
    default:
        s.cropX0 = S16(r.bottom - c.bottom), s.cropX1 = S16(r.bottom - c.top);
        s.cropY0 = S16(c.left - r.left), s.cropY1 = S16(c.right - r.left);
        break;
    }
}

void ClampCropRect(ScanSettings& s) {
    PreviewRect& c = s.cropRect;
    const PreviewRect& r = s.imageRect;
    if (c.left < r.left) c.left = r.left;
    if (c.right > r.right) c.right = r.right;
    if (c.top < r.top) c.top = r.top;
    if (c.bottom > r.bottom) c.bottom = r.bottom;
}

void SetCropToImage(ScanSettings& s) {
    s.cropRect = s.imageRect;
    ScaleToFrame(s);
}

void SetCropToLayout(ScanSettings& s) {
    const PreviewRect& r = s.imageRect;
    const LayoutFrame& f = s.layoutFrame;
    s.cropRect = {EdgeWithin(r.left + f.left, r.left, r.right), EdgeWithin(r.top + f.top, r.top, r.bottom),
                  EdgeWithin(r.left + f.right, r.left, r.right), EdgeWithin(r.top + f.bottom, r.top, r.bottom)};
    // An inverted frame (which the layout triplet never gives) would make
    // the width zero or negative and the scale below a division by it.
    if (s.cropRect.right < s.cropRect.left) s.cropRect.right = s.cropRect.left;
    if (s.cropRect.bottom < s.cropRect.top) s.cropRect.bottom = s.cropRect.top;
    ScaleToFrame(s);
}

const char* FrameMaskName(const ScanSettings& s, bool empty) {
    bool aps = s.apsAdapter != 0;
    if (s.rotation % 2 == 0) {
        return aps ? (empty ? "MASK_AH" : "MASKO_AH") : (empty ? "MASK_H" : "MASKO_H");
    }
    return aps ? (empty ? "MASK_AV" : "MASKO_AV") : (empty ? "MASK_V" : "MASKO_V");
}
