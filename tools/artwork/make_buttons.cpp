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
#include <vector>

namespace {

// The sixteen colours of the standard palette, in its usual order.
enum Colour : uint8_t {
    BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER,
    GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE,
};
constexpr uint8_t PALETTE[16][3] = {  // red, green, blue
    {0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0}, {0, 0, 128},   {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
};

struct Bitmap {
    int width, height;
    std::vector<uint8_t> index;  // top-down rows of palette indices
    Bitmap(int w, int h, uint8_t fill) : width(w), height(h), index(static_cast<size_t>(w * h), fill) {}
    void Set(int x, int y, uint8_t c) {
        if (x >= 0 && y >= 0 && x < width && y < height) index[static_cast<size_t>(y * width + x)] = c;
    }
    uint8_t At(int x, int y) const { return index[static_cast<size_t>(y * width + x)]; }
};

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

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

bool WriteBmp(const std::string& path, const Bitmap& b) {
    auto w = static_cast<uint32_t>(b.width), h = static_cast<uint32_t>(b.height);
    uint32_t rowBytes = ((w + 1) / 2 + 3) / 4 * 4;
    uint32_t offset = 14 + 40 + 16 * 4;
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + rowBytes * h);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, w);
    Put32(out, h);
    Put16(out, 1);
    Put16(out, 4);
    Put32(out, 0);
    Put32(out, rowBytes * h);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 16);
    Put32(out, 16);
    for (const auto& c : PALETTE) {
        out.insert(out.end(), {c[2], c[1], c[0], 0});
    }
    for (int y = b.height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(rowBytes, 0);
        for (int x = 0; x < b.width; ++x) {
            uint8_t c = b.At(x, y);
            row[static_cast<size_t>(x / 2)] |= static_cast<uint8_t>(x % 2 == 0 ? c << 4 : c);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    return std::fclose(f) == 0 && ok;
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
    if (!WriteBmp(dir + "/stop_0.bmp", stop0) || !WriteBmp(dir + "/stop_1.bmp", StopButton(true))) {
        std::fprintf(stderr, "make_buttons: cannot write into %s\n", dir.c_str());
        return 1;
    }
    return 0;
}
