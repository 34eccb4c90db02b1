#include "source/ui/win32/bitmap_resources.h"

#include "source/twain/win32/session_state.h"
#include "common/win32/win32_guards.h"

void DrawBitmapResource(const char* name, HDC windowDC, HDC memoryDC, int x, int y, int width, int height) {
    ScopedGdiObject<HBITMAP> bitmap(LoadBitmapA(moduleInstance, name));
    if (bitmap.Get() == nullptr) {
        return;
    }
    ScopedMemoryDC source(CreateCompatibleDC(windowDC));
    if (source.Get() == nullptr) {
        return;
    }
    // Declared last, so the bitmap leaves the context before either is deleted.
    ScopedSelectObject selected(source.Get(), bitmap.Get());
    BitBlt(windowDC, x, y, width, height, source.Get(), 0, 0, SRCCOPY);
    if (memoryDC != nullptr) BitBlt(memoryDC, x, y, width, height, source.Get(), 0, 0, SRCCOPY);
}
