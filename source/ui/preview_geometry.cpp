#include "source/ui/preview_geometry.h"

namespace {

struct ImagePlace {
    PreviewRect landscape, portrait;
    uint16_t width, height;
};
constexpr ImagePlace STRIP_PLACE = {{17, 52, 256, 211}, {59, 15, 218, 254}, 240, 160};
constexpr ImagePlace APS_PLACE = {{40, 74, 230, 182}, {85, 39, 193, 229}, 191, 109};

uint16_t U16(int32_t value) {
    return static_cast<uint16_t>(value);
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
    PreviewRect& c = s.cropRect;
    switch (s.rotation & 3) {
    case 0:
        c = {U16(r.left + s.cropX0), U16(r.top + s.cropY0), U16(r.left + s.cropX1), U16(r.top + s.cropY1)};
        break;
    case 1:
        c = {U16(r.right - s.cropY1), U16(r.top + s.cropX0), U16(r.right - s.cropY0), U16(r.top + s.cropX1)};
        break;
    case 2:
        c = {U16(r.right - s.cropX1), U16(r.bottom - s.cropY1), U16(r.right - s.cropX0), U16(r.bottom - s.cropY0)};
        break;
    default:
        c = {U16(r.left + s.cropY0), U16(r.bottom - s.cropX1), U16(r.left + s.cropY1), U16(r.bottom - s.cropX0)};
        break;
    }
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
    s.cropRect = {U16(r.left + s.layoutFrame.left), U16(r.top + s.layoutFrame.top), U16(r.left + s.layoutFrame.right),
                  U16(r.top + s.layoutFrame.bottom)};
    ScaleToFrame(s);
}

const char* FrameMaskName(const ScanSettings& s, bool empty) {
    bool aps = s.apsAdapter != 0;
    if (s.rotation % 2 == 0) {
        return aps ? (empty ? "MASK_AH" : "MASKO_AH") : (empty ? "MASK_H" : "MASKO_H");
    }
    return aps ? (empty ? "MASK_AV" : "MASKO_AV") : (empty ? "MASK_V" : "MASKO_V");
}
