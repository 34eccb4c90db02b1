// Draws the gamma curve window's background (RETOUCH_BMP, 280 x 180, 256
// colours) in the main scan window's panel colours: the black graph with
// its quarter grid and straight reference line, the engraved slots the
// window paints its colour scales into, a recessed plate holding the four
// channel check boxes with a swatch of each channel beside its box, and the
// seat of the reset button. No text: the picture serves both languages.
// Built and run on the build machine.
//
// Usage: make_gamma_bitmaps OUTPUT_FOLDER
#include <cmath>
#include <cstdio>
#include <string>

#include "bitmap_file.h"

namespace {

using namespace artwork;

constexpr int WIDTH = 280, HEIGHT = 180;

constexpr Rgb PANEL = {0x21, 0x21, 0x21};
constexpr Rgb SHADE_DEEP = {0x0B, 0x0B, 0x0B};
constexpr Rgb SHADE_LIGHT = {0x3A, 0x3A, 0x3A};
constexpr Rgb SHADE_BRIGHT = {0x4E, 0x4E, 0x4E};
constexpr Rgb PLATE = {0x1A, 0x1A, 0x1A};
constexpr Rgb GRAPH = {0, 0, 0};
constexpr Rgb GRID = {0x2C, 0x2C, 0x2C};
constexpr Rgb REFERENCE = {0x46, 0x46, 0x46};

// Where the window draws, in client pixels: graph point (x, y) at
// (31 + x, 135 - y), 128 x 128; the scales below (y 139..143) and left
// (x 22..26) of it; the channel boxes at x 183, 14 x 14; the reset button.
constexpr int GRAPH_LEFT = 31, GRAPH_BOTTOM = 135, GRAPH_SIZE = 128;
constexpr int GRAPH_TOP = GRAPH_BOTTOM - GRAPH_SIZE + 1;
constexpr int SCALE_BELOW_TOP = 139, SCALE_LEFT_X = 22, SCALE_THICKNESS = 5;
constexpr int BOX_X = 183, BOX_SIZE = 14;
constexpr int BOX_Y[4] = {28, 45, 62, 79};
constexpr int RESET_X = 185, RESET_Y = 115, RESET_W = 44, RESET_H = 19;

struct Box {
    int left, top, right, bottom;  // inclusive
};

void Fill(RgbBitmap& b, Box r, Rgb c) {
    for (int y = r.top; y <= r.bottom; ++y)
        for (int x = r.left; x <= r.right; ++x) b.Set(x, y, c);
}

// A one-pixel frame just outside `inner`, dark above and left, lit below
// and right: the inner area looks sunk into the panel.
void Engrave(RgbBitmap& b, Box inner) {
    Box o = {inner.left - 1, inner.top - 1, inner.right + 1, inner.bottom + 1};
    for (int x = o.left; x <= o.right; ++x) {
        b.Set(x, o.top, SHADE_DEEP);
        b.Set(x, o.bottom, SHADE_BRIGHT);
    }
    for (int y = o.top; y <= o.bottom; ++y) {
        b.Set(o.left, y, SHADE_DEEP);
        b.Set(o.right, y, SHADE_BRIGHT);
    }
}

// A recessed plate with a soft rim, like the main window's button groups.
void Plate(RgbBitmap& b, Box r) {
    Fill(b, r, PLATE);
    for (int x = r.left; x <= r.right; ++x) {
        b.Set(x, r.top, SHADE_DEEP);
        b.Set(x, r.bottom, SHADE_LIGHT);
    }
    for (int y = r.top; y <= r.bottom; ++y) {
        b.Set(r.left, y, SHADE_DEEP);
        b.Set(r.right, y, SHADE_LIGHT);
    }
    // Rounded corners: the panel shows through.
    for (int x : {r.left, r.right})
        for (int y : {r.top, r.bottom}) b.Set(x, y, PANEL);
}

void DrawGraph(RgbBitmap& b) {
    Box graph = {GRAPH_LEFT, GRAPH_TOP, GRAPH_LEFT + GRAPH_SIZE - 1, GRAPH_BOTTOM};
    Fill(b, graph, GRAPH);
    // Quarter lines, dotted so that the curve stays the brightest thing.
    for (int q = 1; q < 4; ++q) {
        int x = GRAPH_LEFT + q * GRAPH_SIZE / 4, y = GRAPH_BOTTOM - q * GRAPH_SIZE / 4;
        for (int i = 0; i < GRAPH_SIZE; i += 2) {
            b.Set(x, GRAPH_TOP + i, GRID);
            b.Set(GRAPH_LEFT + i, y, GRID);
        }
    }
    // The straight line that an untouched curve covers.
    for (int i = 0; i < GRAPH_SIZE; i += 3) b.Set(GRAPH_LEFT + i, GRAPH_BOTTOM - i, REFERENCE);
    Engrave(b, graph);
    Box below = {GRAPH_LEFT, SCALE_BELOW_TOP, GRAPH_LEFT + GRAPH_SIZE - 1, SCALE_BELOW_TOP + SCALE_THICKNESS - 1};
    Box left = {SCALE_LEFT_X, GRAPH_TOP, SCALE_LEFT_X + SCALE_THICKNESS - 1, GRAPH_BOTTOM};
    for (Box slot : {below, left}) {
        Fill(b, slot, GRAPH);
        Engrave(b, slot);
    }
}

// Each channel's swatch: a ramp from black to the channel's curve colour,
// the colours the window's scales and pens use.
void DrawChannelPlate(RgbBitmap& b) {
    constexpr Rgb FULL[4] = {{255, 255, 255}, {255, 0, 0}, {0, 255, 0}, {0, 128, 255}};
    Plate(b, {BOX_X - 7, BOX_Y[0] - 9, 248, BOX_Y[3] + BOX_SIZE + 8});
    constexpr int SWATCH_X = BOX_X + BOX_SIZE + 6, SWATCH_W = 40, SWATCH_H = 8;
    for (int c = 0; c < 4; ++c) {
        int top = BOX_Y[c] + (BOX_SIZE - SWATCH_H) / 2;
        Box swatch = {SWATCH_X, top, SWATCH_X + SWATCH_W - 1, top + SWATCH_H - 1};
        for (int x = swatch.left; x <= swatch.right; ++x) {
            // 20 steps keep the palette within 256 colours.
            double t = std::floor((x - swatch.left) * 20.0 / SWATCH_W + 1.0) / 20.0;
            Rgb colour = {static_cast<uint8_t>(std::lround(FULL[c].r * t)),
                          static_cast<uint8_t>(std::lround(FULL[c].g * t)),
                          static_cast<uint8_t>(std::lround(FULL[c].b * t))};
            for (int y = swatch.top; y <= swatch.bottom; ++y) b.Set(x, y, colour);
        }
        Engrave(b, swatch);
        // The check box's seat.
        Engrave(b, {BOX_X, BOX_Y[c], BOX_X + BOX_SIZE - 1, BOX_Y[c] + BOX_SIZE - 1});
    }
}

void DrawResetSeat(RgbBitmap& b) {
    Plate(b, {RESET_X - 5, RESET_Y - 5, RESET_X + RESET_W + 4, RESET_Y + RESET_H + 4});
    Engrave(b, {RESET_X, RESET_Y, RESET_X + RESET_W - 1, RESET_Y + RESET_H - 1});
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_gamma_bitmaps OUTPUT_FOLDER\n");
        return 2;
    }
    RgbBitmap background(WIDTH, HEIGHT, PANEL);
    DrawGraph(background);
    DrawChannelPlate(background);
    DrawResetSeat(background);
    std::string path = std::string(argv[1]) + "/retouch_bmp.bmp";
    if (!Write8BitBmp(path, background)) {
        std::fprintf(stderr, "make_gamma_bitmaps: cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}
