// Where the preview picture and its crop frame sit in the main scan window:
// the image rectangle for the adapter and rotation, and the crop frame's
// two forms (offsets in the unrotated picture, which the scans read, and
// the rectangle on screen for the current rotation). Portable.
#pragma once

#include <cstdint>

#include "source/ui/scan_settings.h"

// The area the frame mask clears: (14, 12) - (261, 259).
constexpr PreviewRect PREVIEW_AREA = {14, 12, 261, 259};
constexpr int MASK_BORDER = 3;  // the mask bitmaps frame the picture by 3 pixels

// imageRect, imageWidth and imageHeight from apsAdapter and rotation.
void SetPreviewGeometry(ScanSettings& settings);

// cropRect from the offsets and the other way round, for the rotation
// (imageRect must be set for it). OffsetsToCropRect keeps every edge inside
// imageRect: offsets beyond the picture (a frame kept from the larger 35 mm
// picture) give a frame cut at the picture's edge, never one beyond it.
void OffsetsToCropRect(ScanSettings& settings);
void CropRectToOffsets(ScanSettings& settings);
// Pulls each edge of cropRect back into imageRect.
void ClampCropRect(ScanSettings& settings);

// The first frames of a window: the whole picture, or the application's
// layout frame (rotation 0), cut at the picture's edges (the layout is
// measured on the 240 x 160 preview, larger than the APS picture); both keep
// the output width and derive the height at the scale that gives.
void SetCropToImage(ScanSettings& settings);
void SetCropToLayout(ScanSettings& settings);

// Resource name of the frame mask for the geometry: empty (no preview yet)
// or framed.
const char* FrameMaskName(const ScanSettings& settings, bool empty);
