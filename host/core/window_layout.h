// The geometry of KORVEL's main window: its size at start, where it opens,
// the image area between the tool band and the status bar, its scroll bars,
// scrolling, and where the picture is drawn. Portable: no Windows headers;
// the shell passes in the system metrics and applies the results.
#pragma once

#include <cstdint>

constexpr int32_t BAND_HEIGHT = 39;      // tool band at the top of the client area
constexpr int32_t STATUS_HEIGHT = 17;    // status bar at the bottom
constexpr int32_t LOST_HEIGHT = BAND_HEIGHT + STATUS_HEIGHT;  // 56
constexpr int32_t BASE_CLIENT_WIDTH = 480;
constexpr int32_t TALL_EXTRA_HEIGHT = 416;  // what EnsureWindowHeight adds instead of 56
constexpr int32_t MIN_CLIENT_WIDTH = 200;
constexpr int32_t SCROLL_LINE = 10;
// A window position is saved only while the window is taller than this
// (a minimised window is not).
constexpr int32_t MIN_SAVED_WINDOW_HEIGHT = 40;

// The system metrics the layout depends on, in pixels.
struct SystemMetrics {
    int32_t frameWidth;       // sizing frame (SM_CXFRAME)
    int32_t menuHeight;       // SM_CYMENU
    int32_t minTrackHeight;   // SM_CYMINTRACK
    int32_t vertBarWidth;     // SM_CXVSCROLL
    int32_t horzBarHeight;    // SM_CYHSCROLL
};

struct WindowSize {
    int32_t width;
    int32_t height;
};

struct WindowPoint {
    int32_t left;
    int32_t top;
};

// The window's size at start: room for the band and the status bar only.
WindowSize MainWindowSize(const SystemMetrics& metrics);

// The size EnsureWindowHeight gives a window that shows no image area.
WindowSize TallMainWindowSize(const SystemMetrics& metrics);

// True when the client area holds only the band and the status bar
// (39 >= clientHeight - 17).
bool NeedsTallerWindow(int32_t clientHeight);

// The stored TOP and LEFT, unless TOP - 20 lies below the desktop's bottom
// or LEFT - 20 right of its right edge; both compared as unsigned 32-bit
// values, so that a stored value below 20 (or a negative one) also resets
// both to 0.
WindowPoint PlaceSavedWindow(int32_t left, int32_t top, int32_t desktopRight, int32_t desktopBottom);

struct ScrollBarLayout {
    bool shown;
    int32_t range;  // positions run from 0 to range
    int32_t page;
};

struct AreaRect {
    int32_t left, top, width, height;
};

struct ImageAreaInput {
    int32_t clientWidth;
    int32_t clientHeight;
    bool hasPicture;
    bool fitToWindow;
    int32_t pictureWidth;   // > 0 when hasPicture
    int32_t pictureHeight;  // > 0 when hasPicture
    int32_t scrollX;        // the positions before this layout
    int32_t scrollY;
    int32_t sizePartWidth = 0;  // what status part 1 needs for its text
                                // and the size grip; 0: no text
};

struct ImageAreaLayout {
    ScrollBarLayout horz;
    ScrollBarLayout vert;
    bool cornerShown;        // the box between two shown bars
    AreaRect horzBar;        // places of the bars and the box (valid when shown)
    AreaRect vertBar;
    AreaRect corner;
    bool showPictureSize;    // status part 1 tells the picture's size
    int32_t scrollX;         // the positions kept within the new ranges
    int32_t scrollY;
    int32_t newWindowHeight; // 0: keep the height
    int32_t newWindowWidth;  // 0: keep the width
    int32_t statusSplit;     // the status bar's parts meet here (StatusSplit)
    int32_t iconButtonLeft;  // the icon-description button sits at the right edge
};

// The image area after a size change or a new picture. The picture's size
// is shown whenever there is a picture, in fit mode too. Scroll bars appear
// only for a picture larger than the area (never in fit mode). A position
// whose bar is hidden is 0, and a kept position never lies past the end of
// its bar, so no part of the picture becomes unreachable. When the client
// area is too low for its bars (or for the band and status bar) the window
// gets a minimum height; a client width below 200 makes the window 200
// wide.
ImageAreaLayout LayOutImageArea(const ImageAreaInput& input, const SystemMetrics& metrics);

// Where the status bar's two parts meet: at two thirds of the client width,
// or further left when part 1 needs more room (sizePartWidth) for its text
// beside the size grip; part 0 keeps at least a third.
int32_t StatusSplit(int32_t clientWidth, int32_t sizePartWidth);

enum class ScrollRequest { LINE_UP, LINE_DOWN, PAGE_UP, PAGE_DOWN, THUMB, OTHER };

// The position after a scroll request (THUMB takes thumbPosition), kept
// within 0 and range - page + 1. OTHER leaves the position where it is.
int32_t ScrollPosition(int32_t current, ScrollRequest request, int32_t thumbPosition,
                       const ScrollBarLayout& bar);

struct PicturePlacement {
    int32_t x, y;           // top-left in client coordinates
    int32_t width, height;  // drawn size; 0 when nothing is drawn
    bool stretched;         // true: scaled with StretchDIBits, false: 1:1
};

// Where the picture of pictureWidth x pictureHeight (both > 0) is drawn in a
// client area of clientWidth x clientHeight: 1:1 at (-scrollX, 39 - scrollY)
// normally; in fit mode 1:1 at (0, 39) when it is smaller than the image
// area, else scaled to the area's width or height keeping its aspect
// (computed in 64 bits, truncated). Nothing is drawn in fit mode when the
// image area has no room.
PicturePlacement PlacePicture(int32_t clientWidth, int32_t clientHeight, int32_t pictureWidth,
                              int32_t pictureHeight, bool fitToWindow, int32_t scrollX, int32_t scrollY);
