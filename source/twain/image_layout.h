// The frame an application asks for with DAT_IMAGELAYOUT / MSG_SET, turned
// into the crop frame and output size the scan window starts with.
// Portable.
#pragma once

#include "common/twain_records.h"
#include "source/ui/scan_settings.h"

// The frame's edges in preview pixels of the 240 x 160 preview: each TW_FIX32
// edge divided by 10 and truncated, then kept inside the preview with a frame
// of at least 20 x 20 preview pixels (see the body for the order).
LayoutFrame LayoutFrameFor(const TW_FRAME& frame);

// Stores the frame in `settings` as the application's layout (layoutFrame,
// layoutSet 1) with the output size it gives at 2.5 output pixels per
// preview pixel: outputWidth and outputHeight, their whole pixels, the
// scale, the aspect ratio and the crop size.
void ApplyImageLayout(const TW_FRAME& frame, ScanSettings& settings);
