#include "source/ui/win32/bitmap_resources.h"

#include "source/twain/win32/session_state.h"
#include "common/win32/win32_guards.h"

void DrawBitmapResource(const char* name, HDC windowDC, HDC memoryDC, int x, int y, int width, int height) {
    HBITMAP bitmap = LoadBitmapA(moduleInstance, name);
    if (bitmap == nullptr) {
        return;
    }
    HDC source = CreateCompatibleDC(windowDC);
    if (source != nullptr) {
        {
            ScopedSelectObject selected(source, bitmap);
            BitBlt(windowDC, x, y, width, height, source, 0, 0, SRCCOPY);
            if (memoryDC != nullptr) BitBlt(memoryDC, x, y, width, height, source, 0, 0, SRCCOPY);
        }
        DeleteDC(source);
    }
    DeleteObject(bitmap);
}
