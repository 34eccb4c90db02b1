// Draws the setup program's pictures: the tall one on the welcome and
// finish pages (164 x 314, the size the setup pages show it at) and the
// small one at the right of every other page's header (150 x 57). Both show
// a strip of colour film with three frames of landscape, the same motif as
// the scanner's icon, with the product name on the tall one.
//
// Usage: make_installer_bitmaps OUTPUT_DIR CONVERT LATIN_BOLD_FONT
//   writes OUTPUT_DIR/welcome.bmp and OUTPUT_DIR/header.bmp (24-bit).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "bitmap_file.h"
#include "label_text.h"

using namespace artwork;

namespace {

Rgb Mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto one = [t](uint8_t x, uint8_t y) { return static_cast<uint8_t>(std::lround(x + (y - x) * t)); };
    return {one(a.r, b.r), one(a.g, b.g), one(a.b, b.b)};
}

void FillRect(RgbBitmap& b, int left, int top, int right, int bottom, Rgb c) {
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) b.Set(x, y, c);
}

// One frame of film: a landscape of sky, sun, far and near hills and a lake,
// in the colours of frame number `n` (a morning, a noon, an evening).
void DrawLandscape(RgbBitmap& b, int left, int top, int width, int height, int n) {
    static constexpr Rgb SKY_TOP[3] = {{96, 150, 214}, {40, 110, 200}, {70, 40, 110}};
    static constexpr Rgb SKY_LOW[3] = {{236, 206, 170}, {170, 214, 240}, {250, 150, 70}};
    static constexpr Rgb SUN[3] = {{255, 236, 190}, {255, 250, 220}, {255, 210, 90}};
    static constexpr Rgb FAR[3] = {{110, 130, 150}, {90, 140, 120}, {90, 60, 90}};
    static constexpr Rgb NEAR[3] = {{50, 110, 60}, {40, 120, 40}, {40, 30, 50}};
    static constexpr Rgb WATER[3] = {{120, 170, 210}, {60, 130, 200}, {200, 120, 80}};
    const double sunX = left + width * (0.25 + 0.25 * n), sunY = top + height * (0.30 + 0.08 * n);
    const double sunR = height * 0.12;
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x) {
            const double u = double(x - left) / width, v = double(y - top) / height;
            Rgb c = Mix(SKY_TOP[n], SKY_LOW[n], v / 0.6);
            const double d = std::hypot(x - sunX, y - sunY);
            if (d < sunR) c = SUN[n];
            else if (d < sunR * 2.2) c = Mix(SUN[n], c, (d - sunR) / (sunR * 1.2));
            const double far = 0.52 + 0.08 * std::sin(u * 7.0 + n) + 0.04 * std::sin(u * 17.0);
            const double near = 0.66 + 0.07 * std::sin(u * 4.0 + 2.0 * n + 1.0);
            if (v > far) c = Mix(FAR[n], SKY_LOW[n], (v - far) * 0.8);
            if (v > near) c = NEAR[n];
            if (v > 0.82) c = Mix(WATER[n], SKY_LOW[n], 0.25 + 0.15 * std::sin(v * 90.0));
            b.Set(x, y, c);
        }
    }
}

// A strip of film running down from `top`: its orange base, sprocket holes
// on both edges and `frames` frames, each `frameHeight` high.
void DrawVerticalStrip(RgbBitmap& b, int left, int top, int width, int frames, int frameHeight, int first) {
    constexpr Rgb BASE = {58, 34, 16}, BASE_EDGE = {92, 56, 24}, HOLE = {245, 245, 245};
    const int height = frames * (frameHeight + 6) + 6;
    FillRect(b, left, top, left + width, top + height, BASE);
    FillRect(b, left, top, left + 2, top + height, BASE_EDGE);
    FillRect(b, left + width - 2, top, left + width, top + height, BASE_EDGE);
    for (int y = top + 3; y + 5 < top + height; y += 11) {
        FillRect(b, left + 4, y, left + 10, y + 6, HOLE);
        FillRect(b, left + width - 10, y, left + width - 4, y + 6, HOLE);
    }
    for (int f = 0; f < frames; ++f)
        DrawLandscape(b, left + 14, top + 6 + f * (frameHeight + 6), width - 28, frameHeight, (first + f) % 3);
}

void DrawHorizontalStrip(RgbBitmap& b, int left, int top, int frames, int frameWidth, int height) {
    constexpr Rgb BASE = {58, 34, 16}, HOLE = {245, 245, 245};
    const int width = frames * (frameWidth + 5) + 5;
    FillRect(b, left, top, left + width, top + height, BASE);
    for (int x = left + 3; x + 4 < left + width; x += 9) {
        FillRect(b, x, top + 3, x + 5, top + 8, HOLE);
        FillRect(b, x, top + height - 8, x + 5, top + height - 3, HOLE);
    }
    for (int f = 0; f < frames; ++f) DrawLandscape(b, left + 5 + f * (frameWidth + 5), top + 11, frameWidth, height - 22, f);
}

// Blends a rendered label in `ink` with its top-left ink at (x, y).
void PutLabel(RgbBitmap& b, const Coverage& label, int x, int y, Rgb ink) {
    const InkBox box = InkBoxOf(label);
    for (int ly = 0; ly < label.height; ++ly)
        for (int lx = 0; lx < label.width; ++lx) {
            const int px = x + lx - box.left, py = y + ly - box.top;
            if (px < 0 || py < 0 || px >= b.width || py >= b.height) continue;
            b.Set(px, py, Mix(b.At(px, py), ink, label.At(lx, ly) / 255.0));
        }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_installer_bitmaps OUTPUT_DIR CONVERT LATIN_BOLD_FONT\n");
        return 2;
    }
    const std::string out = argv[1];
    const TextRenderer renderer = {argv[2], "make_installer_bitmaps"};

    // The welcome picture: a deep blue panel, the strip down its left half
    // with a shadow, and the product's name under it.
    RgbBitmap welcome(164, 314, {0, 0, 0});
    for (int y = 0; y < welcome.height; ++y)
        for (int x = 0; x < welcome.width; ++x)
            welcome.Set(x, y, Mix({18, 42, 74}, {38, 96, 128}, (y + x * 0.4) / 380.0));
    FillRect(welcome, 40, 22, 40 + 84, 22 + 3 * 62 + 6 + 4, {12, 26, 44});  // the shadow
    DrawVerticalStrip(welcome, 36, 18, 84, 3, 56, 0);
    Coverage name, line;
    if (!renderer.Render({argv[3], 26, 0, "H"}, "QX-52", name) ||
        !renderer.Render({argv[3], 12, 0, "H"}, "FILM SCANNER", line))
        return 1;
    const InkBox nameInk = InkBoxOf(name), lineInk = InkBoxOf(line);
    PutLabel(welcome, name, (welcome.width - (nameInk.right - nameInk.left + 1)) / 2, 236, {255, 255, 255});
    PutLabel(welcome, line, (welcome.width - (lineInk.right - lineInk.left + 1)) / 2, 272, {190, 214, 232});
    FillRect(welcome, 30, 292, 134, 293, {120, 160, 190});

    // The header picture: the strip across, fading in from the header's
    // white at the left.
    RgbBitmap header(150, 57, {255, 255, 255});
    DrawHorizontalStrip(header, 14, 6, 3, 40, 45);
    for (int x = 0; x < 40; ++x)
        for (int y = 0; y < header.height; ++y)
            header.Set(x, y, Mix({255, 255, 255}, header.At(x, y), x / 40.0));

    if (!Write24BitBmp(out + "/welcome.bmp", welcome) || !Write24BitBmp(out + "/header.bmp", header)) {
        std::fprintf(stderr, "make_installer_bitmaps: cannot write into %s\n", out.c_str());
        return 1;
    }
    return 0;
}
