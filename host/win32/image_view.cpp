#include "host/win32/image_view.h"

#include <cstdio>
#include <cstring>

#include "host/core/bitmap_format.h"
#include "host/resources/resource_ids.h"
#include "host/win32/program_state.h"
#include "host/win32/program_text.h"
#include "host/win32/tool_band.h"
#include "common/win32/win32_guards.h"

// True while LayOut changes the window's size: the WM_SIZE that follows
// lays out without changing the size again.
static bool resizing = false;

SystemMetrics ReadSystemMetrics() {
    return {GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYMENU), GetSystemMetrics(SM_CYMINTRACK),
            GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL)};
}

static HWND CreateChild(HWND window, const char* windowClass, DWORD style, int id) {
    return CreateWindowExA(0, windowClass, "", WS_CHILD | WS_CLIPSIBLINGS | style, 0, 0, 0, 0, window,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), programInstance, nullptr);
}

bool CreateImageScrollBars(HWND window) {
    horzBar = CreateChild(window, "SCROLLBAR", SBS_HORZ, IDC_HORZ_BAR);
    vertBar = CreateChild(window, "SCROLLBAR", SBS_VERT, IDC_VERT_BAR);
    cornerBox = CreateChild(window, "STATIC", 0, IDC_CORNER);
    return horzBar != nullptr && vertBar != nullptr && cornerBox != nullptr;
}

bool CurrentPictureSize(int32_t& width, int32_t& height, uint32_t& sizeImage) {
    ScopedGlobalLock lock(currentImage);
    if (lock.Get() == nullptr) {
        return false;
    }
    BitmapInfoHeader header;
    std::memcpy(&header, lock.Get(), sizeof header);
    width = header.biWidth;
    height = header.biHeight;
    sizeImage = header.biSizeImage;
    return true;
}

static void PlaceBar(HWND bar, bool shown, const AreaRect& place, const ScrollBarLayout& layout, int32_t position) {
    if (shown) {
        SetWindowPos(bar, nullptr, place.left, place.top, place.width, place.height, SWP_NOZORDER | SWP_NOACTIVATE);
        SCROLLINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMin = 0;
        info.nMax = layout.range;
        info.nPage = static_cast<UINT>(layout.page);
        info.nPos = position;
        SetScrollInfo(bar, SB_CTL, &info, TRUE);
    }
    ShowWindow(bar, shown ? SW_SHOWNA : SW_HIDE);
}

// Status part 1's text for a picture: "X : w  Y : h  Size : nKB".
static void FormatPictureSize(int32_t width, int32_t height, uint32_t sizeImage, char* text, size_t size) {
    std::snprintf(text, size, "X : %ld  Y : %ld  Size : %ldKB", static_cast<long>(width), static_cast<long>(height),
                  static_cast<long>(sizeImage / 1000));
}

// The layout and, with a picture, the size text that goes with it. The
// status part that shows the text is made wide enough for it, in the
// status bar's own font.
static ImageAreaLayout ComputeLayout(HWND window, char* sizeText, size_t size) {
    RECT client;
    GetClientRect(window, &client);
    ImageAreaInput input = {client.right, client.bottom, false, fitToWindow != 0, 0, 0, scrollX, scrollY};
    uint32_t sizeImage = 0;
    input.hasPicture = CurrentPictureSize(input.pictureWidth, input.pictureHeight, sizeImage);
    sizeText[0] = '\0';
    if (input.hasPicture) {
        FormatPictureSize(input.pictureWidth, input.pictureHeight, sizeImage, sizeText, size);
        input.sizePartWidth = StatusPartWidth(sizeText);
    }
    return LayOutImageArea(input, ReadSystemMetrics());
}

static void ApplyLayout(HWND window, const ImageAreaLayout& layout, const char* sizeText) {
    RECT client;
    GetClientRect(window, &client);
    scrollX = layout.scrollX;
    scrollY = layout.scrollY;
    hasHorzBar = layout.horz.shown ? 1 : 0;
    hasVertBar = layout.vert.shown ? 1 : 0;
    PlaceBar(horzBar, layout.horz.shown, layout.horzBar, layout.horz, scrollX);
    PlaceBar(vertBar, layout.vert.shown, layout.vertBar, layout.vert, scrollY);
    if (layout.cornerShown) {
        const AreaRect& box = layout.corner;
        SetWindowPos(cornerBox, nullptr, box.left, box.top, box.width, box.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(cornerBox, layout.cornerShown ? SW_SHOWNA : SW_HIDE);
    if (layout.showPictureSize) {
        SetStatusText(1, sizeText);
    }
    PlaceToolBand(client.right, client.bottom, layout.statusSplit, layout.iconButtonLeft);
    InvalidateRect(window, nullptr, TRUE);
}

void LayOut(HWND window) {
    char sizeText[96];
    ImageAreaLayout layout = ComputeLayout(window, sizeText, sizeof sizeText);
    if (!resizing && (layout.newWindowHeight != 0 || layout.newWindowWidth != 0)) {
        RECT frame;
        GetWindowRect(window, &frame);
        int32_t width = layout.newWindowWidth != 0 ? layout.newWindowWidth : frame.right - frame.left;
        int32_t height = layout.newWindowHeight != 0 ? layout.newWindowHeight : frame.bottom - frame.top;
        resizing = true;
        SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        resizing = false;
        // Laid out for the size the window really got.
        layout = ComputeLayout(window, sizeText, sizeof sizeText);
    }
    ApplyLayout(window, layout, sizeText);
}

void EnsureWindowHeight(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    if (!NeedsTallerWindow(client.bottom)) {
        return;
    }
    WindowSize size = TallMainWindowSize(ReadSystemMetrics());
    SetWindowPos(window, nullptr, 0, 0, size.width, size.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

static ScrollRequest RequestFor(WORD request) {
    switch (request) {
    case SB_LINEUP:
        return ScrollRequest::LINE_UP;
    case SB_LINEDOWN:
        return ScrollRequest::LINE_DOWN;
    case SB_PAGEUP:
        return ScrollRequest::PAGE_UP;
    case SB_PAGEDOWN:
        return ScrollRequest::PAGE_DOWN;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        return ScrollRequest::THUMB;
    default:
        return ScrollRequest::OTHER;
    }
}

void ScrollImage(HWND window, HWND bar, WPARAM request) {
    bool horizontal = bar == horzBar;
    if ((!horizontal && bar != vertBar) || (horizontal ? !hasHorzBar : !hasVertBar)) {
        return;
    }
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(bar, SB_CTL, &info);
    // The message carries 16 bits of the thumb's position; a longer bar's
    // comes from the bar itself.
    int32_t thumb = info.nMax <= 0xFFFF ? static_cast<int32_t>(HIWORD(request)) : info.nTrackPos;
    ScrollBarLayout layout = {true, info.nMax, static_cast<int32_t>(info.nPage)};
    int32_t& position = horizontal ? scrollX : scrollY;
    int32_t moved = ScrollPosition(position, RequestFor(LOWORD(request)), thumb, layout);
    if (moved == position) {
        return;
    }
    position = moved;
    SetScrollPos(bar, SB_CTL, position, TRUE);
    RECT client;
    GetClientRect(window, &client);
    RECT area = {0, BAND_HEIGHT, client.right, client.bottom - STATUS_HEIGHT};
    InvalidateRect(window, &area, TRUE);
}

void PaintPicture(HWND window, HDC dc) {
    ScopedGlobalLock lock(currentImage);
    if (lock.Get() == nullptr) {
        return;
    }
    const auto* info = reinterpret_cast<const BITMAPINFO*>(lock.Get());
    const BYTE* pixels = lock.Get() + INFO_HEADER_SIZE;
    int32_t width = info->bmiHeader.biWidth;
    int32_t height = info->bmiHeader.biHeight;
    RECT client;
    GetClientRect(window, &client);
    PicturePlacement place = PlacePicture(client.right, client.bottom, width, height, fitToWindow != 0, scrollX,
                                          scrollY);
    if (place.width <= 0 || place.height <= 0) {
        return;
    }
    if (!place.stretched) {
        SetDIBitsToDevice(dc, place.x, place.y, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                          static_cast<UINT>(height), pixels, info, DIB_RGB_COLORS);
        return;
    }
    int previousMode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, place.x, place.y, place.width, place.height, 0, 0, width, height, pixels, info,
                  DIB_RGB_COLORS, SRCCOPY);
    SetStretchBltMode(dc, previousMode);
}

void ShowNewPicture(HWND window, HGLOBAL picture) {
    FreeCurrentImage();
    currentImage = picture;
    // A new picture is seen from its top-left corner.
    scrollX = 0;
    scrollY = 0;
    EnsureWindowHeight(window);
    EnableSaving(true);
}

// The warning for a picture from a source that is not shown: one in a form
// KORVEL does not draw, or one whose rows are not all in its block.
static uint32_t RefusalText(BitmapCheck check) {
    switch (check) {
    case BitmapCheck::TRUNCATED:
    case BitmapCheck::TOO_LARGE:
    case BitmapCheck::PIXELS_MISSING:
        return IDS_PICTURE_DAMAGED;
    default:
        return IDS_PICTURE_NOT_SHOWN;
    }
}

static BitmapCheck CheckArrivedPicture(HGLOBAL picture) {
    SIZE_T size = GlobalSize(picture);
    ScopedGlobalLock lock(picture);
    return lock.Get() != nullptr ? CheckPictureBlock(lock.Get(), size) : BitmapCheck::TRUNCATED;
}

void ShowRefusedPicture(HWND window, uint32_t text) {
    ShowWarning(window, text);
    // The box's own message loop passes nothing through the source manager:
    // a notification it woke us for while the box was up (the source's
    // close request, say) is taken with this message.
    PostMessageA(window, WM_NULL, 0, 0);
}

void TakeArrivedPicture(HWND window, HGLOBAL picture) {
    if (picture == nullptr) {
        return;
    }
    BitmapCheck check = CheckArrivedPicture(picture);
    if (check != BitmapCheck::ACCEPTED) {
        // A block that is no handle at all has no size and is not ours to free.
        if (GlobalSize(picture) != 0) {
            GlobalFree(picture);
        }
        PostMessageA(window, PICTURE_REFUSED, RefusalText(check), 0);
        return;
    }
    imageSaved = 0;
    ShowNewPicture(window, picture);
    LayOut(window);
}
