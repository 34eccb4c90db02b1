// Draws KORVEL's tool button bitmaps: 24 x 24 pictures in the sixteen
// colours of the standard Windows palette on the button face's silver (the
// toolbar maps silver, grey, white and black to the system's button
// colours). Each picture is built from outlined polygons, lines and single
// pixels, in the flat, black-outlined look of classic Windows toolbars.
// Built and run on the build machine.
//
// Usage: make_host_bitmaps OUTPUT_DIRECTORY
// Writes open.bmp, save.bmp, preview.bmp, fit.bmp and icons.bmp.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bitmap_file.h"

namespace {

using namespace artwork;

constexpr int SIZE = 24;

struct Point {
    double x, y;
};

// Pixel (x, y) is inside when its centre is (even-odd rule); shapes are
// given in pixel-edge coordinates, so a square from (2, 2) to (6, 6) covers
// pixels 2..5.
bool Inside(const std::vector<Point>& polygon, double x, double y) {
    bool inside = false;
    size_t n = polygon.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        const Point& a = polygon[i];
        const Point& b = polygon[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) {
            inside = !inside;
        }
    }
    return inside;
}

// Fills the pixels for which in(x, y) holds; with an outline colour, those
// next to the outside (left, right, above, below) take that colour.
template <typename InsideTest>
void FillRegion(IndexedBitmap& b, InsideTest in, uint8_t fill, int outline) {
    for (int y = 0; y < SIZE; ++y) {
        for (int x = 0; x < SIZE; ++x) {
            if (!in(x, y)) continue;
            bool edge = !in(x - 1, y) || !in(x + 1, y) || !in(x, y - 1) || !in(x, y + 1);
            b.Set(x, y, edge && outline >= 0 ? static_cast<uint8_t>(outline) : fill);
        }
    }
}

// The polygon, given as Inside takes it.
void Shape(IndexedBitmap& b, const std::vector<Point>& polygon, uint8_t fill, int outline = -1) {
    FillRegion(b, [&](int x, int y) { return Inside(polygon, x + 0.5, y + 0.5); }, fill, outline);
}

void Box(IndexedBitmap& b, int x0, int y0, int x1, int y1, uint8_t fill, int outline = -1) {
    Shape(b, {{double(x0), double(y0)}, {double(x1), double(y0)}, {double(x1), double(y1)}, {double(x0), double(y1)}},
          fill, outline);
}

// A one-pixel line from pixel (x0, y0) to pixel (x1, y1), both included.
void Line(IndexedBitmap& b, int x0, int y0, int x1, int y1, uint8_t colour) {
    int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        b.Set(x0, y0, colour);
        if (x0 == x1 && y0 == y1) break;
        int twice = 2 * error;
        if (twice >= dy) { error += dy; x0 += sx; }
        if (twice <= dx) { error += dx; y0 += sy; }
    }
}

// Pixels whose centres lie within radius of (cx, cy).
void Disc(IndexedBitmap& b, double cx, double cy, double radius, uint8_t fill, int outline = -1) {
    FillRegion(b, [&](int x, int y) { return std::hypot(x + 0.5 - cx, y + 0.5 - cy) <= radius; }, fill, outline);
}

// An open folder with a sheet of paper in it.
IndexedBitmap DrawOpen() {
    IndexedBitmap b(SIZE, SIZE, SILVER);
    // Back of the folder with its tab.
    Shape(b, {{1, 4}, {8, 4}, {10, 6}, {20, 6}, {20, 21}, {1, 21}}, OLIVE, BLACK);
    Line(b, 2, 5, 7, 5, YELLOW);
    Line(b, 2, 6, 2, 19, YELLOW);
    Line(b, 8, 7, 18, 7, YELLOW);
    // The sheet standing in it, its corner folded.
    Shape(b, {{5, 2}, {14, 2}, {17, 5}, {17, 15}, {5, 15}}, WHITE, BLACK);
    Line(b, 14, 3, 14, 5, BLACK);
    Line(b, 14, 5, 16, 5, BLACK);
    for (int y = 5; y <= 11; y += 2) Line(b, 7, y, y == 5 ? 11 : 14, y, GREY);
    // The front flap, swung open towards the viewer.
    Shape(b, {{7, 12}, {23, 12}, {19, 22}, {2, 22}}, YELLOW, BLACK);
    Line(b, 8, 13, 21, 13, WHITE);
    Line(b, 4, 20, 18, 20, OLIVE);
    return b;
}

// A floppy disk: label at the top, metal shutter at the bottom.
IndexedBitmap DrawSave() {
    IndexedBitmap b(SIZE, SIZE, SILVER);
    Shape(b, {{2, 2}, {20, 2}, {22, 4}, {22, 22}, {2, 22}}, NAVY, BLACK);
    // Label with writing on it.
    Box(b, 5, 2, 19, 11, WHITE, BLACK);
    Line(b, 7, 5, 16, 5, BLUE);
    Line(b, 7, 8, 14, 8, BLUE);
    // Shutter with its window.
    Box(b, 6, 14, 18, 22, SILVER, BLACK);
    Box(b, 13, 16, 16, 21, NAVY);
    Line(b, 7, 15, 7, 20, WHITE);
    // Write-protect hole and the gleam of the case.
    b.Set(3, 20, BLACK);
    Line(b, 3, 3, 3, 18, BLUE);
    return b;
}

// A film strip under a magnifying glass: look at the frame first.
IndexedBitmap DrawPreview() {
    IndexedBitmap b(SIZE, SIZE, SILVER);
    // The strip with its sprocket holes.
    Box(b, 0, 1, 24, 12, BLACK);
    for (int x = 1; x < SIZE; x += 3) {
        Box(b, x, 2, x + 2, 3, WHITE);
        Box(b, x, 10, x + 2, 11, WHITE);
    }
    // Two frames: sky, a hill and the sun.
    for (int left : {1, 13}) {
        Box(b, left, 4, left + 10, 9, AQUA);
        Shape(b, {{double(left), 9}, {double(left), 8}, {left + 4.0, 6}, {left + 10.0, 8.5}, {left + 10.0, 9}},
              GREEN);
        b.Set(left + 7, 5, YELLOW);
        b.Set(left + 8, 5, YELLOW);
    }
    // The glass: black rim, grey ring, inside it the frame enlarged, a
    // highlight; the handle below.
    Shape(b, {{16, 16.5}, {18, 14.5}, {23.5, 20}, {21.5, 22}}, MAROON, BLACK);
    Line(b, 19, 17, 21, 19, RED);
    const double cx = 11, cy = 12, rim = 7.2, lens = 5.6;
    Disc(b, cx, cy, rim, GREY, BLACK);
    IndexedBitmap view(SIZE, SIZE, AQUA);
    Shape(view, {{3, 20}, {3, 15}, {9, 11}, {14, 14}, {20, 12}, {20, 20}}, GREEN);
    Line(view, 4, 15, 9, 12, LIME);
    Disc(view, 13.5, 9, 1.6, YELLOW);
    for (int y = 0; y < SIZE; ++y) {
        for (int x = 0; x < SIZE; ++x) {
            if (std::hypot(x + 0.5 - cx, y + 0.5 - cy) <= lens) b.Set(x, y, view.At(x, y));
        }
    }
    Line(b, 7, 9, 8, 8, WHITE);
    b.Set(7, 10, WHITE);
    b.Set(9, 7, WHITE);
    return b;
}

// A small picture in a window, arrows pointing from it to the frame's
// corners: the picture grows to fill the window.
IndexedBitmap DrawFit() {
    IndexedBitmap b(SIZE, SIZE, SILVER);
    Box(b, 1, 1, 23, 23, WHITE, BLACK);
    Box(b, 2, 2, 22, 5, NAVY);
    Box(b, 18, 3, 21, 4, SILVER);
    Line(b, 1, 5, 22, 5, BLACK);
    // The picture in the middle: sky, hill, sun.
    Box(b, 8, 10, 16, 17, AQUA, BLACK);
    Shape(b, {{9, 16}, {9, 14}, {12, 12}, {15, 14.5}, {15, 16}}, GREEN);
    b.Set(13, 11, YELLOW);
    // Arrows out to the corners.
    const int tips[4][2] = {{3, 7}, {20, 7}, {3, 21}, {20, 21}};
    for (const auto& tip : tips) {
        int sx = tip[0] < 12 ? 1 : -1, sy = tip[1] < 12 ? 1 : -1;
        Line(b, tip[0], tip[1], tip[0] + 3 * sx, tip[1] + 3 * sy, RED);
        Line(b, tip[0], tip[1], tip[0] + 3 * sx, tip[1], RED);
        Line(b, tip[0], tip[1], tip[0], tip[1] + 3 * sy, RED);
        Line(b, tip[0] + sx, tip[1], tip[0] + sx, tip[1] + 1 * sy, RED);
    }
    return b;
}

// The arrow pointer with a question mark: what does this button do.
IndexedBitmap DrawIcons() {
    IndexedBitmap b(SIZE, SIZE, SILVER);
    // Pointer.
    Shape(b, {{1, 1}, {1, 16}, {4.5, 12.5}, {7, 18}, {9.5, 17}, {7, 11.5}, {11.5, 11.5}}, WHITE, BLACK);
    // Question mark: a hook and a dot, blue with a dark edge.
    const char* mark[] = {
        "...kkkkk...",
        "..kbbbbbk..",
        ".kbbwwbbbk.",
        "kbbwkkkbbbk",
        "kbbk...kbbk",
        ".kk...kbbbk",
        ".....kbbbk.",
        "....kbbbk..",
        "....kbbk...",
        "....kbbk...",
        ".....kk....",
        "....kbbk...",
        "....kbbk...",
        ".....kk....",
    };
    for (int y = 0; y < 14; ++y) {
        for (int x = 0; x < 11; ++x) {
            char c = mark[y][x];
            if (c == 'k') b.Set(12 + x, 8 + y, BLACK);
            if (c == 'b') b.Set(12 + x, 8 + y, BLUE);
            if (c == 'w') b.Set(12 + x, 8 + y, AQUA);
        }
    }
    return b;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
        return 2;
    }
    std::string folder = argv[1];
    struct Output {
        const char* name;
        IndexedBitmap (*draw)();
    };
    const Output outputs[] = {
        {"open.bmp", DrawOpen}, {"save.bmp", DrawSave}, {"preview.bmp", DrawPreview},
        {"fit.bmp", DrawFit},   {"icons.bmp", DrawIcons},
    };
    for (const Output& output : outputs) {
        if (!Write4BitBmp(folder + "/" + output.name, output.draw())) {
            std::fprintf(stderr, "cannot write %s/%s\n", folder.c_str(), output.name);
            return 1;
        }
    }
    return 0;
}
