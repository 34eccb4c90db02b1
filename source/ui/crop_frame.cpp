#include "source/ui/crop_frame.h"

#include <cmath>

#include "source/ui/preview_geometry.h"

namespace {

// The frame's edges widened to 32 bits while a step works on them, so that
// no intermediate value wraps below zero or past 65 535.
struct Edges {
    int32_t left, top, right, bottom;
};

Edges Widen(const PreviewRect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

int32_t Clamp(int32_t value, int32_t low, int32_t high) {
    return value < low ? low : value > high ? high : value;
}

// Stores a frame whose edges lie inside imageRect (so inside 0..65 535).
void Store(ScanSettings& s, const Edges& e) {
    s.cropRect = {static_cast<uint16_t>(e.left), static_cast<uint16_t>(e.top), static_cast<uint16_t>(e.right),
                  static_cast<uint16_t>(e.bottom)};
}

void ClampInto(Edges& e, const PreviewRect& image) {
    e.left = Clamp(e.left, image.left, image.right);
    e.right = Clamp(e.right, image.left, image.right);
    e.top = Clamp(e.top, image.top, image.bottom);
    e.bottom = Clamp(e.bottom, image.top, image.bottom);
}

void SizeFromFrame(ScanSettings& s) {
    s.cropWidth = s.cropRect.right - s.cropRect.left + 1;
    s.cropHeight = s.cropRect.bottom - s.cropRect.top + 1;
}

// Mouse deltas come from 16-bit client coordinates; anything larger than a
// frame coordinate can move is cut so that the sums below stay small.
int32_t Delta(int32_t d) {
    return Clamp(d, -65535, 65535);
}

// The left or top edge moved by d: outwards (d < 0) not past the picture's
// edge, inwards not closer than 1 pixel to the opposite edge. An edge that
// already lies beyond such a limit stays where it is rather than being
// pushed the other way.
int32_t MoveLowEdge(int32_t edge, int32_t d, int32_t imageEdge, int32_t opposite) {
    d = Delta(d);
    if (d < 0) {
        int32_t stop = edge < imageEdge ? edge : imageEdge;
        return edge + d < stop ? stop : edge + d;
    }
    int32_t stop = edge > opposite - 1 ? edge : opposite - 1;
    return edge + d > stop ? stop : edge + d;
}

// The right or bottom edge, mirrored.
int32_t MoveHighEdge(int32_t edge, int32_t d, int32_t imageEdge, int32_t opposite) {
    d = Delta(d);
    if (d > 0) {
        int32_t stop = edge > imageEdge ? edge : imageEdge;
        return edge + d > stop ? stop : edge + d;
    }
    int32_t stop = edge < opposite + 1 ? edge : opposite + 1;
    return edge + d < stop ? stop : edge + d;
}

// The delta a whole frame may move along one axis: cut to the room left
// between the frame and the picture's edges (none when a frame is already
// past one).
int32_t RoomFor(int32_t d, int32_t low, int32_t high, int32_t imageLow, int32_t imageHigh) {
    d = Delta(d);
    int32_t before = low > imageLow ? low - imageLow : 0;
    int32_t after = imageHigh > high ? imageHigh - high : 0;
    return Clamp(d, -before, after);
}

bool NearEdge(int32_t value, int32_t edge) {
    return edge - HIT_TOLERANCE < value && value < edge + HIT_TOLERANCE;
}

bool UsableAspect(double aspect) {
    return aspect > 0.0 && std::isfinite(aspect);
}

// trunc(value) for a non-negative length, capped at what any frame
// coordinate can span so that the conversion is always defined.
int32_t WholePixels(double value) {
    if (!(value > 0.0)) return 0;
    return value >= 65535.0 ? 65535 : static_cast<int32_t>(value);
}

struct ZoneCursor {
    char zone;
    CropCursor cursor;
};
constexpr ZoneCursor ZONE_CURSORS[] = {
    {ZONE_TOP_LEFT, CropCursor::SizeNWSE}, {ZONE_TOP_RIGHT, CropCursor::SizeNESW},
    {ZONE_BOTTOM_LEFT, CropCursor::SizeNESW}, {ZONE_BOTTOM_RIGHT, CropCursor::SizeNWSE},
    {ZONE_LEFT, CropCursor::SizeWE}, {ZONE_RIGHT, CropCursor::SizeWE},
    {ZONE_TOP, CropCursor::SizeNS}, {ZONE_BOTTOM, CropCursor::SizeNS},
};

bool IsEdgeZone(char zone) {
    return zone == ZONE_LEFT || zone == ZONE_RIGHT || zone == ZONE_TOP || zone == ZONE_BOTTOM;
}
bool IsCornerZone(char zone) {
    return zone >= ZONE_TOP_LEFT && zone <= ZONE_BOTTOM_RIGHT;
}

void Call(void (*hook)(void*), void* context) {
    if (hook != nullptr) hook(context);
}

}  // namespace

CropCursor CursorForZone(char zone) {
    for (const ZoneCursor& entry : ZONE_CURSORS) {
        if (entry.zone == zone) return entry.cursor;
    }
    return CropCursor::Arrow;
}

char HitTest(const ScanSettings& s, int32_t x, int32_t y) {
    const Edges c = Widen(s.cropRect);
    const int32_t t = HIT_TOLERANCE;
    if (c.left + t <= x && x <= c.right - t && c.top + t <= y && y <= c.bottom - t) return ZONE_MOVE;
    bool nearLeft = NearEdge(x, c.left), nearRight = NearEdge(x, c.right);
    bool nearTop = NearEdge(y, c.top), nearBottom = NearEdge(y, c.bottom);
    // Between the corner grips: strictly, so the grips win at their ends.
    bool alongX = c.left + t < x && x < c.right - t;
    bool alongY = c.top + t < y && y < c.bottom - t;
    if (nearLeft && nearTop) return ZONE_TOP_LEFT;
    if (nearRight && nearTop) return ZONE_TOP_RIGHT;
    if (nearLeft && nearBottom) return ZONE_BOTTOM_LEFT;
    if (nearRight && nearBottom) return ZONE_BOTTOM_RIGHT;
    if (nearLeft && alongY) return ZONE_LEFT;
    if (nearRight && alongY) return ZONE_RIGHT;
    if (alongX && nearTop) return ZONE_TOP;
    if (alongX && nearBottom) return ZONE_BOTTOM;
    if (s.resSliderX - 9 < x && x < s.resSliderX + 9 && s.resSliderY - 13 < y && y < s.resSliderY + 13) {
        return ZONE_SLIDER;
    }
    return ZONE_NONE;
}

void MoveCrop(ScanSettings& s, int32_t dx, int32_t dy) {
    const PreviewRect& image = s.imageRect;
    Edges c = Widen(s.cropRect);
    dx = RoomFor(dx, c.left, c.right, image.left, image.right);
    dy = RoomFor(dy, c.top, c.bottom, image.top, image.bottom);
    c.left += dx, c.right += dx;
    c.top += dy, c.bottom += dy;
    Store(s, c);
}

void DragCropEdge(ScanSettings& s, char zone, int32_t dx, int32_t dy) {
    const PreviewRect& image = s.imageRect;
    Edges c = Widen(s.cropRect);
    switch (zone) {
    case ZONE_LEFT: c.left = MoveLowEdge(c.left, dx, image.left, c.right); break;
    case ZONE_RIGHT: c.right = MoveHighEdge(c.right, dx, image.right, c.left); break;
    case ZONE_TOP: c.top = MoveLowEdge(c.top, dy, image.top, c.bottom); break;
    case ZONE_BOTTOM: c.bottom = MoveHighEdge(c.bottom, dy, image.bottom, c.top); break;
    default: return;
    }
    Store(s, c);
    SizeFromFrame(s);
}

void DragCropCorner(ScanSettings& s, char zone, int32_t dx) {
    if (!IsCornerZone(zone)) return;
    const PreviewRect& image = s.imageRect;
    Edges c = Widen(s.cropRect);
    bool leftSide = zone == ZONE_TOP_LEFT || zone == ZONE_BOTTOM_LEFT;
    bool topSide = zone == ZONE_TOP_LEFT || zone == ZONE_TOP_RIGHT;
    if (leftSide) {
        c.left = MoveLowEdge(c.left, dx, image.left, c.right);
    } else {
        c.right = MoveHighEdge(c.right, dx, image.right, c.left);
    }
    const double aspect = s.aspectRatio;
    if (UsableAspect(aspect)) {
        // The height is worked out in double and compared before it becomes
        // an edge: a small aspect ratio can ask for more rows than 16 bits
        // hold, and the top edge would wrap instead of meeting imageTop.
        double rise = std::trunc((c.right - c.left + 1) / aspect);
        double room = topSide ? c.bottom - image.top : image.bottom - c.top;
        if (rise > room) {
            // The frame is as high as the picture allows; the moving side
            // comes back so that the aspect ratio holds.
            int32_t height = static_cast<int32_t>(room) + 1;
            int32_t span = WholePixels(height * aspect);
            if (topSide) {
                c.top = image.top;
            } else {
                c.bottom = image.bottom;
            }
            if (leftSide) {
                c.left = c.right - span;
            } else {
                c.right = c.left + span;
            }
        } else if (topSide) {
            c.top = c.bottom - static_cast<int32_t>(rise);
        } else {
            c.bottom = c.top + static_cast<int32_t>(rise);
        }
    }
    ClampInto(c, image);
    Store(s, c);
    SizeFromFrame(s);
}

void DragCropFrame(ScanSettings& s, CropDrag& drag, const CropFrameHooks& hooks) {
    const int32_t dx = drag.mouseX - drag.lastMouseX;
    const int32_t dy = drag.mouseY - drag.lastMouseY;
    const char zone = drag.hitZone;
    if (zone == ZONE_SLIDER) {
        drag.dragging = 1;
        if (hooks.dragResolutionSlider != nullptr) hooks.dragResolutionSlider(hooks.context, dx);
    } else if (zone == ZONE_MOVE || IsEdgeZone(zone) || IsCornerZone(zone)) {
        drag.dragging = 1;
        Call(hooks.drawCropFrame, hooks.context);
        if (zone == ZONE_MOVE) {
            MoveCrop(s, dx, dy);
        } else if (IsEdgeZone(zone)) {
            DragCropEdge(s, zone, dx, dy);
        } else {
            DragCropCorner(s, zone, dx);
        }
        CropRectToOffsets(s);
        if (IsEdgeZone(zone)) Call(hooks.applyEdgeRule, hooks.context);
        if (IsCornerZone(zone)) Call(hooks.applyCornerRule, hooks.context);
        Call(hooks.drawCropFrame, hooks.context);
    }
    drag.lastMouseX = drag.mouseX;
    drag.lastMouseY = drag.mouseY;
}

void FitCropToAspect(ScanSettings& s) {
    const PreviewRect& image = s.imageRect;
    const double longSide = s.imageWidth, shortSide = s.imageHeight;
    const double aspect = s.aspectRatio;
    if (!UsableAspect(aspect)) {
        // No ratio to fit: the whole picture, rather than a division by
        // zero or a size that is not a number.
        s.cropRect = image;
        SizeFromFrame(s);
        return;
    }
    const double across = s.landscape != 0 ? longSide : shortSide;
    const double down = s.landscape != 0 ? shortSide : longSide;
    s.cropWidth = across;
    s.cropHeight = std::trunc(across / aspect);
    if (s.cropHeight > down) {
        s.cropHeight = down;
        s.cropWidth = std::trunc(down * aspect);
    }
    const int32_t width = WholePixels(s.cropWidth), height = WholePixels(s.cropHeight);
    Edges c;
    c.left = (image.left + image.right) / 2 - width / 2;
    c.right = c.left + width;
    c.top = (image.top + image.bottom) / 2 - height / 2;
    c.bottom = c.top + height;
    if (c.left < image.left) {
        c.left = image.left, c.right = c.left + width;
    } else if (c.right > image.right) {
        c.right = image.right, c.left = c.right - width;
    }
    if (c.top < image.top) {
        c.top = image.top, c.bottom = c.top + height;
    } else if (c.bottom > image.bottom) {
        c.bottom = image.bottom, c.top = c.bottom - height;
    }
    // The frame spans one pixel more than the size and may end one past the
    // picture; it is cut here as well as by the caller, so that no frame
    // beyond the picture is ever stored.
    ClampInto(c, image);
    Store(s, c);
}

void RotatePreview(ScanSettings& s, int32_t previewed) {
    uint16_t rotation = static_cast<uint16_t>(s.rotation + 1);
    if (rotation >= 4 || (rotation == 2 && previewed == 0)) rotation = 0;
    s.rotation = rotation;
    SetPreviewGeometry(s);
    s.landscape = rotation % 2 == 0 ? 1 : 0;
    OffsetsToCropRect(s);
    // The frame on screen is turned: its width is the old height.
    SizeFromFrame(s);
}
