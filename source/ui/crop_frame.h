// Editing the crop frame on the preview: which zone of the frame the mouse
// is over, the drag steps (move, edge, corner), the frame fitted to an
// aspect ratio, and the rotation command's change of the geometry. Plain
// functions on ScanSettings; the window draws, reads the mouse and sets the
// cursor. Portable.
//
// Every function here expects imageRect set (SetPreviewGeometry) and a
// frame inside it (what OffsetsToCropRect, SetCropToImage and
// SetCropToLayout give). The drag steps keep it inside: no edge leaves
// imageRect and no edge crosses the opposite one, whatever the mouse delta.
#pragma once

#include <cstdint>

#include "source/ui/scan_settings.h"

// Hit zones, as the window stores them in its hitZone.
constexpr char ZONE_NONE = 0;
constexpr char ZONE_MOVE = 'a';
constexpr char ZONE_TOP_LEFT = '1';
constexpr char ZONE_TOP_RIGHT = '2';
constexpr char ZONE_BOTTOM_LEFT = '3';
constexpr char ZONE_BOTTOM_RIGHT = '4';
constexpr char ZONE_LEFT = 'l';
constexpr char ZONE_RIGHT = 'r';
constexpr char ZONE_TOP = 'u';
constexpr char ZONE_BOTTOM = 'd';
constexpr char ZONE_SLIDER = 'i';  // the resolution bar's slider

// How close (strictly less than) the mouse must be to an edge to grab it.
constexpr int32_t HIT_TOLERANCE = 8;

// The cursor for a zone; the window maps it to its system cursor.
enum class CropCursor : uint8_t {
    Arrow,
    SizeNWSE,  // top-left and bottom-right corners
    SizeNESW,  // top-right and bottom-left corners
    SizeWE,    // left and right edges
    SizeNS,    // top and bottom edges
};
// Arrow for ZONE_MOVE, ZONE_SLIDER, ZONE_NONE and any unknown code.
CropCursor CursorForZone(char zone);

// The zone under client point (x, y) for the frame in settings.cropRect and
// the slider at (resSliderX, resSliderY):
//  - ZONE_MOVE when the point lies at least HIT_TOLERANCE inside every edge
//    (a frame narrower or lower than 17 pixels has none);
//  - else the first of: the corners 1, 2, 3, 4 (within the tolerance of
//    both edges), the edges l, r (within it of the side, strictly between
//    the top and bottom grips), u, d (likewise), the slider (strictly within
//    8 pixels across and 12 up and down of its centre);
//  - else ZONE_NONE.
char HitTest(const ScanSettings& settings, int32_t x, int32_t y);

// One drag step of the whole frame by the mouse delta (dx, dy). Each
// direction is cut so that the frame stays inside imageRect; the frame
// keeps its size. A delta a limit swallowed is lost (the frame lags behind
// the mouse), since the next step takes only the next delta.
void MoveCrop(ScanSettings& settings, int32_t dx, int32_t dy);

// One drag step of the edge of zone ZONE_LEFT, ZONE_RIGHT, ZONE_TOP or
// ZONE_BOTTOM (any other zone: nothing moves) by the delta across it
// (dx for left and right, dy for top and bottom). Outwards the edge stops at
// imageRect, inwards one pixel before the opposite edge (the frame stays at
// least 2 pixels wide and high; an edge already closer is never pushed
// outwards). Then cropWidth and cropHeight follow the frame; the caller
// applies the output size's edge rule.
void DragCropEdge(ScanSettings& settings, char zone, int32_t dx, int32_t dy);

// One drag step of a corner zone ZONE_TOP_LEFT .. ZONE_BOTTOM_RIGHT (any
// other zone: nothing moves), keeping settings.aspectRatio (width over
// height, as the output's): only dx counts; it moves the left edge (1, 3) or
// the right edge (2, 4) as DragCropEdge does. The top (1, 2) or bottom
// (3, 4) edge then goes to the opposite edge -/+ trunc(cropWidth /
// aspectRatio); where that passes imageRect it stops there and the moving
// side is pulled back to trunc(cropHeight x aspectRatio) from the fixed
// side. Last the frame is clamped into imageRect, and cropWidth and
// cropHeight follow it. An aspectRatio that is not a positive finite
// number leaves the height alone (only the side moves). The caller applies
// the output size's corner rule.
void DragCropCorner(ScanSettings& settings, char zone, int32_t dx);

// The dragging state of the window: the zone taken at the last hit test,
// whether a drag is under way, and the mouse now and at the last step.
struct CropDrag {
    char hitZone;
    int32_t dragging;  // 1 from the first drag step until a move without the left button
    int32_t mouseX, mouseY;
    int32_t lastMouseX, lastMouseY;
};

// What a drag step asks of the window and of the output size model. Each
// hook may be null (skipped) and gets `context`.
struct CropFrameHooks {
    void* context;
    // Draws the frame inverting, so a second call removes it: called once
    // before a change (erase) and once after it (draw).
    void (*drawCropFrame)(void* context);
    // The output size after an edge drag (width and height follow the frame
    // at the unchanged scale), then the size and estimate shown.
    void (*applyEdgeRule)(void* context);
    // The output size after a corner drag (width follows the frame, height
    // = width / aspectRatio), then the size and estimate shown.
    void (*applyCornerRule)(void* context);
    // One step of the resolution slider by the horizontal delta.
    void (*dragResolutionSlider)(void* context, int32_t dx);
};

// One mouse move with only the left button down, drag.mouseX/Y already set:
// by drag.hitZone, erase, the step from the last to the current mouse
// position (MoveCrop, DragCropEdge or DragCropCorner), CropRectToOffsets,
// the output rule (edges, corners; none for a move), draw; the slider zone
// calls its hook only. Every zone but ZONE_NONE sets drag.dragging = 1;
// every call ends with the last mouse position = the current one.
void DragCropFrame(ScanSettings& settings, CropDrag& drag, const CropFrameHooks& hooks);

// The frame of the largest centred frame of settings.aspectRatio in the
// picture, for the `landscape` flag: cropWidth x cropHeight = the long side
// by trunc(long / aspect), or the short side by trunc(short x aspect) when
// that is too high (turned for portrait); cropRect from the image centre
// spanning trunc(cropWidth) + 1 by trunc(cropHeight) + 1 pixels, shifted
// back inside where it starts before imageRect, then clamped into it (so the
// 35 mm picture at 3:2 gives the whole picture). The offsets are not
// touched: the caller converts. An aspectRatio that is not a positive finite
// number gives the whole picture.
void FitCropToAspect(ScanSettings& settings);

// The rotation command's change of the geometry: rotation + 1, back to 0
// at 4, and at 2 when there is no preview (previewed 0: the command toggles
// between 0 and 1); imageRect for it, `landscape` 1 for 0 and 2, and
// cropRect from the unchanged offsets, so the frame turns with the picture.
// The window then redraws the mask and preview, swaps the output width and
// height through its fields and sets aspectRatio from them.
void RotatePreview(ScanSettings& settings, int32_t previewed);
