#include "host/core/window_layout.h"

#include "host/core/tool_buttons.h"

WindowSize MainWindowSize(const SystemMetrics& metrics) {
    return {BASE_CLIENT_WIDTH + 2 * metrics.frameWidth, metrics.menuHeight + metrics.minTrackHeight + LOST_HEIGHT};
}

WindowSize TallMainWindowSize(const SystemMetrics& metrics) {
    return {BASE_CLIENT_WIDTH + 2 * metrics.frameWidth,
            metrics.menuHeight + metrics.minTrackHeight + TALL_EXTRA_HEIGHT};
}

bool NeedsTallerWindow(int32_t clientHeight) {
    return BAND_HEIGHT >= clientHeight - STATUS_HEIGHT;
}

WindowPoint PlaceSavedWindow(int32_t left, int32_t top, int32_t desktopRight, int32_t desktopBottom) {
    // Unsigned on purpose: a value below 20 wraps around to a huge one and
    // so falls outside the desktop like one that is really too large.
    bool belowBottom = static_cast<uint32_t>(top) - 20u > static_cast<uint32_t>(desktopBottom);
    bool rightOfRight = static_cast<uint32_t>(left) - 20u > static_cast<uint32_t>(desktopRight);
    if (belowBottom || rightOfRight) {
        return {0, 0};
    }
    return {left, top};
}

static int32_t LastPosition(const ScrollBarLayout& bar) {
    int32_t last = bar.page > 0 ? bar.range - bar.page + 1 : bar.range;
    return last > 0 ? last : 0;
}

static int32_t KeepWithin(int64_t position, const ScrollBarLayout& bar) {
    if (!bar.shown || position < 0) {
        return 0;
    }
    int32_t last = LastPosition(bar);
    return position > last ? last : static_cast<int32_t>(position);
}

static int32_t AtLeastZero(int32_t value) {
    return value > 0 ? value : 0;
}

// Chooses the bars and their pages for a picture in normal mode.
static void ChooseBars(const ImageAreaInput& input, const SystemMetrics& metrics, ImageAreaLayout& layout) {
    int32_t w = input.pictureWidth;
    int32_t h = input.pictureHeight;
    int32_t width = input.clientWidth;
    int32_t height = input.clientHeight;
    bool wider = w > width;
    bool taller = h > height - LOST_HEIGHT;
    // A bar covers part of the area across it: a picture that fitted that
    // way without it no longer does, and its last rows or columns would lie
    // under the bar with no bar to reach them.
    if (wider && !taller) taller = h > height - LOST_HEIGHT - metrics.horzBarHeight;
    if (taller && !wider) wider = w > width - metrics.vertBarWidth;
    if (wider && !taller) taller = h > height - LOST_HEIGHT - metrics.horzBarHeight;
    if (wider && taller) {
        layout.horz = {true, w, AtLeastZero(width - metrics.vertBarWidth)};
        layout.vert = {true, h, AtLeastZero(height - metrics.horzBarHeight - LOST_HEIGHT)};
        layout.cornerShown = true;
    } else if (wider) {
        layout.horz = {true, w, AtLeastZero(width)};
    } else if (taller) {
        layout.vert = {true, h, AtLeastZero(height - LOST_HEIGHT)};
    }
}

static void PlaceBars(const ImageAreaInput& input, const SystemMetrics& metrics, ImageAreaLayout& layout) {
    int32_t width = input.clientWidth;
    int32_t height = input.clientHeight;
    int32_t barTop = height - STATUS_HEIGHT - metrics.horzBarHeight;
    int32_t barLeft = width - metrics.vertBarWidth;
    layout.horzBar = {0, barTop, AtLeastZero(layout.vert.shown ? barLeft : width), metrics.horzBarHeight};
    layout.vertBar = {barLeft, BAND_HEIGHT, metrics.vertBarWidth,
                      AtLeastZero(height - LOST_HEIGHT - (layout.horz.shown ? metrics.horzBarHeight : 0))};
    layout.corner = {barLeft, barTop, metrics.vertBarWidth, metrics.horzBarHeight};
}

// The window height that leaves room for the shown bars, or 0 when the
// client area has room already.
static int32_t MinimumWindowHeight(const ImageAreaInput& input, const SystemMetrics& metrics,
                                   const ImageAreaLayout& layout) {
    int32_t height = input.clientHeight;
    // Without bars the minimum is the height the window starts with.
    int32_t base = MainWindowSize(metrics).height;
    if (layout.horz.shown && layout.vert.shown) {
        if (height - metrics.vertBarWidth - STATUS_HEIGHT < metrics.horzBarHeight + BAND_HEIGHT) {
            return base + metrics.horzBarHeight + metrics.vertBarWidth;
        }
    } else if (layout.horz.shown) {
        if (height - STATUS_HEIGHT < metrics.horzBarHeight + BAND_HEIGHT) {
            return base + metrics.horzBarHeight;
        }
    } else if (layout.vert.shown) {
        if (height - metrics.vertBarWidth - STATUS_HEIGHT < BAND_HEIGHT) {
            return base + metrics.horzBarHeight;
        }
    } else if (height - STATUS_HEIGHT < BAND_HEIGHT) {
        return base;
    }
    return 0;
}

ImageAreaLayout LayOutImageArea(const ImageAreaInput& input, const SystemMetrics& metrics) {
    ImageAreaLayout layout = {};
    // Also in fit mode: a new picture's figures replace the last one's.
    layout.showPictureSize = input.hasPicture;
    if (input.hasPicture && !input.fitToWindow) {
        ChooseBars(input, metrics, layout);
    }
    PlaceBars(input, metrics, layout);
    layout.scrollX = KeepWithin(input.scrollX, layout.horz);
    layout.scrollY = KeepWithin(input.scrollY, layout.vert);
    layout.newWindowHeight = MinimumWindowHeight(input, metrics, layout);
    layout.newWindowWidth = input.clientWidth < MIN_CLIENT_WIDTH ? MIN_CLIENT_WIDTH : 0;
    layout.statusSplit = StatusSplit(input.clientWidth, input.sizePartWidth);
    layout.iconButtonLeft = input.clientWidth - RIGHT_BUTTON_INSET;
    return layout;
}

int32_t StatusSplit(int32_t clientWidth, int32_t sizePartWidth) {
    int32_t split = clientWidth * 2 / 3;
    int32_t leftOfText = clientWidth - sizePartWidth;
    if (leftOfText < split) {
        split = leftOfText;
    }
    int32_t third = clientWidth / 3;
    return split > third ? split : third;
}

int32_t ScrollPosition(int32_t current, ScrollRequest request, int32_t thumbPosition, const ScrollBarLayout& bar) {
    int64_t position = current;
    switch (request) {
    case ScrollRequest::LINE_UP:
        position -= SCROLL_LINE;
        break;
    case ScrollRequest::LINE_DOWN:
        position += SCROLL_LINE;
        break;
    case ScrollRequest::PAGE_UP:
        position -= bar.page;
        break;
    case ScrollRequest::PAGE_DOWN:
        position += bar.page;
        break;
    case ScrollRequest::THUMB:
        position = thumbPosition;
        break;
    case ScrollRequest::OTHER:
        break;
    }
    return KeepWithin(position, bar);
}

PicturePlacement PlacePicture(int32_t clientWidth, int32_t clientHeight, int32_t pictureWidth,
                              int32_t pictureHeight, bool fitToWindow, int32_t scrollX, int32_t scrollY) {
    if (!fitToWindow) {
        return {-scrollX, BAND_HEIGHT - scrollY, pictureWidth, pictureHeight, false};
    }
    int32_t areaHeight = clientHeight - LOST_HEIGHT;
    if (clientWidth <= 0 || areaHeight <= 0 || pictureWidth <= 0 || pictureHeight <= 0) {
        return {0, BAND_HEIGHT, 0, 0, false};
    }
    if (pictureWidth < clientWidth && pictureHeight < areaHeight) {
        return {0, BAND_HEIGHT, pictureWidth, pictureHeight, false};
    }
    // 64 bits: a picture side times a window side overflows 32 bits for
    // very long pictures.
    int64_t w = pictureWidth;
    int64_t h = pictureHeight;
    if (h * clientWidth < areaHeight * w) {
        return {0, BAND_HEIGHT, clientWidth, static_cast<int32_t>(h * clientWidth / w), true};
    }
    return {0, BAND_HEIGHT, static_cast<int32_t>(areaHeight * w / h), areaHeight, true};
}
