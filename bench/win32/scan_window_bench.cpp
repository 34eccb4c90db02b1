// The scan window's drawing under Wine (or Windows), through the real window
// in this process: from a scroll-bar arrow step to the re-toned preview on
// the screen, and from a crop drag step to the frame redrawn with the sizes
// and the estimate. A figure, not a test: Wine's GDI and the X server are in
// it. Run by tools/run-benchmarks.sh inside the test prefix.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "source/twain/win32/session_state.h"
#include "source/ui/win32/main_window.h"
#include "source/ui/win32/main_window_state.h"
#include "source/ui/win32/preview_buffers.h"
#include "tests/win32/scan_window_without_scanner.h"

namespace {

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// A preview as a scan leaves it, shown turned a quarter.
bool PutPreview(HWND window) {
    auto* pixels = static_cast<BYTE*>(GlobalLock(previewPixels));
    if (pixels == nullptr) return false;
    for (size_t i = 0; i < PREVIEW_PIXELS_BYTES; ++i) pixels[i] = static_cast<BYTE>(i * 7);
    GlobalUnlock(previewPixels);
    mainState.previewed = 1;
    SendMessageA(window, WM_COMMAND, CMD_ROTATE, 0);
    return true;
}

void BenchScrollSteps(HWND window) {
    HWND bar = GetDlgItem(window, SCROLL_EXPOSURE);
    const int steps = 100;
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int step = 0; step < steps; ++step) {
        SendMessageA(window, WM_HSCROLL, step % 2 == 0 ? SB_LINERIGHT : SB_LINELEFT, reinterpret_cast<LPARAM>(bar));
        GdiFlush();
    }
    QueryPerformanceCounter(&end);
    std::printf("  scroll-bar arrow step to the re-toned preview drawn  %7.3f ms\n", Milliseconds(start, end) / steps);
}

// Drags from (x, y) back and forth by 3 pixels; the first step takes the zone.
void BenchDragSteps(HWND window, const char* name, int x, int y) {
    const int steps = 200;
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int step = 0; step < steps; ++step) {
        int d = step % 2 == 0 ? 3 : 0;
        SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x - d, y - d));
        GdiFlush();
    }
    QueryPerformanceCounter(&end);
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    std::printf("  crop drag step (%-6s) to the frame redrawn        %7.3f ms\n", name, Milliseconds(start, end) / steps);
}

}  // namespace

int main() {
    RegisterSourceClass();
    HWND window = OpenScanWindowWithoutScanner();
    if (window == nullptr || !PutPreview(window)) {
        std::printf("the scan window could not be opened\n");
        return 1;
    }
    std::printf("Scan window drawing (Wine, turned preview at (59, 15), 160 x 240)\n");
    BenchScrollSteps(window);
    BenchDragSteps(window, "edge", 218, 135);
    BenchDragSteps(window, "corner", 218, 254);
    // The whole picture cannot move: a frame 40 pixels narrower can.
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(218, 135));
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(217, 135));
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(178, 135));
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(178, 135));
    BenchDragSteps(window, "move", 120, 135);
    CloseScanWindow(window);
    return 0;
}
