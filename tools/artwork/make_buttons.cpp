// Draws the source's button bitmaps as 16-colour (4 bits per pixel) BMP
// files in the standard Windows palette, pixel by pixel, so that they look
// the same on every display depth the resource compiler's users have.
// Built and run on the build machine.
//
// Usage: make_buttons OUTPUT_DIRECTORY
// Writes stop_0.bmp (the STOP button of the progress window) and stop_1.bmp
// (the same button pressed).
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "bitmap_file.h"

namespace {

using namespace artwork;

using Bitmap = IndexedBitmap;

// A raised (or, pressed, sunken) button face: the two-pixel bevel of the
// classic Windows push button.
void DrawButtonFace(Bitmap& b, bool pressed) {
    int w = b.width, h = b.height;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            bool outerLight = x == 0 || y == 0;
            bool outerDark = x == w - 1 || y == h - 1;
            bool innerLight = x == 1 || y == 1;
            bool innerDark = x == w - 2 || y == h - 2;
            uint8_t c = SILVER;
            if (outerDark) c = pressed ? WHITE : BLACK;
            else if (outerLight) c = pressed ? BLACK : WHITE;
            else if (innerDark) c = pressed ? SILVER : GREY;
            else if (innerLight) c = pressed ? GREY : SILVER;
            b.Set(x, y, c);
        }
    }
}

// A stop sign: a regular octagon with a dark rim.
void DrawOctagon(Bitmap& b, double cx, double cy, double radius, uint8_t fill, uint8_t rim) {
    auto inside = [&](double x, double y, double r) {
        double dx = std::fabs(x - cx), dy = std::fabs(y - cy);
        // An octagon with flat sides facing the axes: |x|, |y| <= r cos(22.5)
        // and |x| + |y| <= r (cos 22.5 + sin 22.5).
        double apothem = r * std::cos(M_PI / 8);
        return dx <= apothem && dy <= apothem && dx + dy <= apothem * (1 + std::tan(M_PI / 8));
    };
    for (int y = 0; y < b.height; ++y) {
        for (int x = 0; x < b.width; ++x) {
            double px = x + 0.5, py = y + 0.5;
            if (inside(px, py, radius - 1.2)) b.Set(x, y, fill);
            else if (inside(px, py, radius)) b.Set(x, y, rim);
        }
    }
}

// Capital letters of a 3 x 5 pixel font, rows from the top, bit 2 leftmost.
struct Glyph {
    char letter;
    uint8_t rows[5];
};
constexpr Glyph FONT[] = {
    {'S', {0b111, 0b100, 0b111, 0b001, 0b111}},
    {'T', {0b111, 0b010, 0b010, 0b010, 0b010}},
    {'O', {0b111, 0b101, 0b101, 0b101, 0b111}},
    {'P', {0b111, 0b101, 0b111, 0b100, 0b100}},
};

void DrawText(Bitmap& b, const char* text, int x, int y, uint8_t colour) {
    for (; *text != 0; ++text, x += 4) {
        for (const Glyph& g : FONT) {
            if (g.letter != *text) continue;
            for (int row = 0; row < 5; ++row)
                for (int col = 0; col < 3; ++col)
                    if (g.rows[row] & (4 >> col)) b.Set(x + col, y + row, colour);
        }
    }
}

// The STOP button; pressed, the sign sinks one pixel and darkens.
Bitmap StopButton(bool pressed) {
    Bitmap b(32, 32, SILVER);
    DrawButtonFace(b, pressed);
    int shift = pressed ? 1 : 0;
    DrawOctagon(b, 16 + shift, 16 + shift, 12.5, pressed ? MAROON : RED, pressed ? BLACK : MAROON);
    DrawText(b, "STOP", 9 + shift, 15 + shift, WHITE);
    return b;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_buttons OUTPUT_DIRECTORY\n");
        return 2;
    }
    std::string dir = argv[1];
    Bitmap stop0 = StopButton(false);
    // The progress window finds an intact button by this pixel being pure red.
    if (stop0.At(14, 14) != RED) {
        std::fprintf(stderr, "make_buttons: the STOP button's probe pixel (14, 14) is not pure red\n");
        return 1;
    }
    if (!Write4BitBmp(dir + "/stop_0.bmp", stop0) || !Write4BitBmp(dir + "/stop_1.bmp", StopButton(true))) {
        std::fprintf(stderr, "make_buttons: cannot write into %s\n", dir.c_str());
        return 1;
    }
    return 0;
}
