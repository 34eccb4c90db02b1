// Draws the bitmaps of the main scan window: the panel background with its
// English labels, the Japanese label overlays, the tool button images, the
// pressed looks of the Preview and Scan buttons, the film holder masks
// around the preview picture and the resolution bar. Built and run on the
// build machine.
//
// Label text is rendered by ImageMagick's convert from TrueType fonts and
// read back as a grey coverage map; everything else is drawn here pixel by
// pixel. The window draws its own texts, edit fields, scroll bars and
// buttons over the background at fixed places, so the background leaves
// those places flat in the colour the window draws on and seats the
// controls in engraved frames.
//
// Usage: make_source_bitmaps OUTPUT_FOLDER CONVERT LATIN_BOLD_FONT JAPANESE_FONT [MOCKUP_FOLDER]
// With a mock-up folder it also writes mockup_en.bmp, mockup_jp.bmp and
// mockup_outlined.bmp there: the window as it will look with its controls
// and texts in place, and the background with every control's rectangle
// outlined, for checking the artwork by eye.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "bitmap_file.h"
#include "label_text.h"

namespace {

using namespace artwork;

// ---------------------------------------------------------------------------
// Colours of the panel. The window itself draws on PANEL (white text, grey
// when disabled) and on READOUT_GREY (black text), so those two must be
// exact wherever it writes.

constexpr Rgb PANEL = {0x21, 0x21, 0x21};
constexpr Rgb READOUT_GREY = {0xC0, 0xC0, 0xC0};
constexpr Rgb TEXT_WHITE = {0xFF, 0xFF, 0xFF};
constexpr Rgb SHADE_DEEP = {0x0B, 0x0B, 0x0B};     // the dark side of an engraving
constexpr Rgb SHADE_DARK = {0x15, 0x15, 0x15};
constexpr Rgb SHADE_LIGHT = {0x3A, 0x3A, 0x3A};    // the lit side
constexpr Rgb SHADE_BRIGHT = {0x4E, 0x4E, 0x4E};
constexpr Rgb PLATE = {0x1A, 0x1A, 0x1A};          // recessed plates behind button groups
constexpr Rgb RULE = {0x40, 0x40, 0x40};
constexpr Rgb ACCENT = {0xE8, 0x9E, 0x32};         // amber, like a darkroom safelight
constexpr Rgb BLACK_RGB = {0, 0, 0};
constexpr Rgb WHITE_RGB = {0xFF, 0xFF, 0xFF};
constexpr Rgb GREY_RGB = {0x80, 0x80, 0x80};

Rgb Mix(Rgb a, Rgb b, double t) {
    auto channel = [t](uint8_t p, uint8_t q) {
        return static_cast<uint8_t>(std::lround(p + (q - p) * std::clamp(t, 0.0, 1.0)));
    };
    return {channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

Rgb Grey(int level) {
    auto v = static_cast<uint8_t>(std::clamp(level, 0, 255));
    return {v, v, v};
}

// ---------------------------------------------------------------------------
// Rectangles, in the window's client pixels unless said otherwise.

struct Box {
    int x, y, w, h;
    int Right() const { return x + w - 1; }
    int Bottom() const { return y + h - 1; }
    Box Grown(int n) const { return {x - n, y - n, w + 2 * n, h + 2 * n}; }
    bool Contains(int px, int py) const { return px >= x && py >= y && px <= Right() && py <= Bottom(); }
};

// ---------------------------------------------------------------------------
// Labels, rendered by convert (label_text.h).

// A rendered label with the rows of its reference glyph's ink.
struct Label {
    Coverage coverage;
    InkBox ink;
    int referenceTop, referenceBottom;
    int Width() const { return ink.right - ink.left + 1; }
};

struct Fonts {
    Face heading, headingJapanese, button, buttonJapanese, runtime, runtimeJapanese;
};

bool MakeLabel(const TextRenderer& renderer, const Face& face, const std::string& text, Label& label) {
    Coverage reference;
    if (!renderer.Render(face, text, label.coverage) || !renderer.Render(face, face.reference, reference)) return false;
    label.ink = InkBoxOf(label.coverage);
    InkBox r = InkBoxOf(reference);
    label.referenceTop = r.top;
    label.referenceBottom = r.bottom;
    return label.ink.right >= label.ink.left;
}

// Where a label's ink lands when its first column goes to x and its
// reference glyph is centred on centreY.
struct Placement {
    int dx, dy;
};
Placement PlaceLabel(const Label& label, int x, int centreY) {
    int middle2 = label.referenceTop + label.referenceBottom;  // twice the reference middle
    return {x - label.ink.left, centreY - (middle2 + 1) / 2};
}

// Ink levels in sixteen steps: a label on a flat colour then adds at most
// fifteen colours to the palette.
double Quantised(uint8_t level) { return std::lround(level / 17.0) / 15.0; }

void DrawLabel(RgbBitmap& b, const Label& label, Placement at, Rgb colour, Box clip) {
    for (int y = 0; y < label.coverage.height; ++y) {
        for (int x = 0; x < label.coverage.width; ++x) {
            uint8_t level = label.coverage.At(x, y);
            int px = x + at.dx, py = y + at.dy;
            if (level == 0 || !clip.Contains(px, py)) continue;
            b.Set(px, py, Mix(b.At(px, py), colour, Quantised(level)));
        }
    }
}

// On a 16-colour button face ink has three strengths: none, dark grey and
// black.
void DrawLabel(IndexedBitmap& b, const Label& label, Placement at) {
    for (int y = 0; y < label.coverage.height; ++y) {
        for (int x = 0; x < label.coverage.width; ++x) {
            uint8_t level = label.coverage.At(x, y);
            if (level >= 120) b.Set(x + at.dx, y + at.dy, BLACK);
            else if (level >= 56) b.Set(x + at.dx, y + at.dy, GREY);
        }
    }
}

// ---------------------------------------------------------------------------
// Drawing on 24-bit pictures.

void Fill(RgbBitmap& b, Box r, Rgb c) {
    for (int y = r.y; y <= r.Bottom(); ++y)
        for (int x = r.x; x <= r.Right(); ++x) b.Set(x, y, c);
}

void HLine(RgbBitmap& b, int x0, int x1, int y, Rgb c) {
    for (int x = x0; x <= x1; ++x) b.Set(x, y, c);
}
void VLine(RgbBitmap& b, int x, int y0, int y1, Rgb c) {
    for (int y = y0; y <= y1; ++y) b.Set(x, y, c);
}

// A one-pixel frame: top and left in one colour, bottom and right in another.
void Bevel(RgbBitmap& b, Box r, Rgb topLeft, Rgb bottomRight) {
    HLine(b, r.x, r.Right() - 1, r.y, topLeft);
    VLine(b, r.x, r.y, r.Bottom() - 1, topLeft);
    HLine(b, r.x, r.Right(), r.Bottom(), bottomRight);
    VLine(b, r.Right(), r.y, r.Bottom(), bottomRight);
}

// A plate with rounded corners (radius 2) and a one-pixel rim.
void Plate(RgbBitmap& b, Box r, Rgb fill, Rgb rimTop, Rgb rimBottom) {
    Fill(b, {r.x + 1, r.y + 1, r.w - 2, r.h - 2}, fill);
    HLine(b, r.x + 2, r.Right() - 2, r.y, rimTop);
    VLine(b, r.x, r.y + 2, r.Bottom() - 2, rimTop);
    HLine(b, r.x + 2, r.Right() - 2, r.Bottom(), rimBottom);
    VLine(b, r.Right(), r.y + 2, r.Bottom() - 2, rimBottom);
    b.Set(r.x + 1, r.y + 1, rimTop);
    b.Set(r.Right() - 1, r.y + 1, Mix(rimTop, rimBottom, 0.5));
    b.Set(r.x + 1, r.Bottom() - 1, Mix(rimTop, rimBottom, 0.5));
    b.Set(r.Right() - 1, r.Bottom() - 1, rimBottom);
}

// Pixel art: one character a pixel; a character without an ink leaves the
// picture as it is.
struct Ink24 {
    char key;
    Rgb colour;
};
void Art(RgbBitmap& b, int x, int y, const std::vector<const char*>& rows, const std::vector<Ink24>& inks) {
    for (size_t row = 0; row < rows.size(); ++row) {
        for (size_t col = 0; rows[row][col] != 0; ++col) {
            for (const Ink24& ink : inks)
                if (ink.key == rows[row][col]) b.Set(x + static_cast<int>(col), y + static_cast<int>(row), ink.colour);
        }
    }
}

void Paste(RgbBitmap& onto, const RgbBitmap& piece, int x, int y) {
    for (int py = 0; py < piece.height; ++py)
        for (int px = 0; px < piece.width; ++px) onto.Set(x + px, y + py, piece.At(px, py));
}

RgbBitmap Crop(const RgbBitmap& b, Box r) {
    RgbBitmap piece(r.w, r.h, PANEL);
    for (int y = 0; y < r.h; ++y)
        for (int x = 0; x < r.w; ++x) piece.Set(x, y, b.At(r.x + x, r.y + y));
    return piece;
}

// ---------------------------------------------------------------------------
// Pixel fonts for the smallest texts, where rendered type turns to mush.

struct PixelGlyph {
    char letter;
    std::vector<const char*> rows;  // '#' ink
};

// Capitals (and the plus-minus sign) seven pixels high with two-pixel stems.
const std::vector<PixelGlyph> BOLD_7 = {
    {'M', {"##...##", "###.###", "#######", "##.#.##", "##...##", "##...##", "##...##"}},
    {'A', {".####.", "##..##", "##..##", "######", "##..##", "##..##", "##..##"}},
    {'X', {"##..##", "##..##", ".####.", "..##..", ".####.", "##..##", "##..##"}},
    {'R', {"#####.", "##..##", "##..##", "#####.", "##.##.", "##..##", "##..##"}},
    {'E', {"#####", "##...", "##...", "####.", "##...", "##...", "#####"}},
    {'S', {".####.", "##..##", "##....", ".####.", "....##", "##..##", ".####."}},
    {'T', {"######", "..##..", "..##..", "..##..", "..##..", "..##..", "..##.."}},
    {'G', {".####.", "##..##", "##....", "##.###", "##..##", "##..##", ".####."}},
    {'B', {"#####.", "##..##", "##..##", "#####.", "##..##", "##..##", "#####."}},
    {'~', {"..##..", "..##..", "######", "..##..", "..##..", "......", "######"}},  // plus-minus
};

// Figures and signs three by five, for scale marks.
const std::vector<PixelGlyph> SMALL_5 = {
    {'0', {"###", "#.#", "#.#", "#.#", "###"}}, {'1', {".#.", "##.", ".#.", ".#.", "###"}},
    {'2', {"###", "..#", "###", "#..", "###"}}, {'+', {"...", ".#.", "###", ".#.", "..."}},
    {'-', {"...", "...", "###", "...", "..."}},
};

const PixelGlyph* FindGlyph(const std::vector<PixelGlyph>& font, char c) {
    for (const PixelGlyph& g : font)
        if (g.letter == c) return &g;
    return nullptr;
}

int PixelTextWidth(const std::vector<PixelGlyph>& font, const char* text) {
    int width = 0;
    for (const char* p = text; *p != 0; ++p) {
        const PixelGlyph* g = FindGlyph(font, *p);
        width += (g != nullptr ? static_cast<int>(std::strlen(g->rows[0])) : 3) + (p[1] != 0 ? 1 : 0);
    }
    return width;
}

template <typename Plot>
void PixelText(const std::vector<PixelGlyph>& font, const char* text, int x, int y, Plot plot) {
    for (const char* p = text; *p != 0; ++p) {
        const PixelGlyph* g = FindGlyph(font, *p);
        if (g == nullptr) {
            x += 4;
            continue;
        }
        int w = static_cast<int>(std::strlen(g->rows[0]));
        for (size_t row = 0; row < g->rows.size(); ++row)
            for (int col = 0; col < w; ++col)
                if (g->rows[row][col] == '#') plot(x + col, y + static_cast<int>(row));
        x += w + 1;
    }
}

// ---------------------------------------------------------------------------
// The window's layout: where the window creates its controls and writes its
// texts. The background frames the controls and keeps the text places flat.

struct ToolButton {
    int bitmap;  // resource number of the image; Preview and Scan add the language
    Box box;
};
constexpr ToolButton TOOL_BUTTONS[] = {
    {801, {297, 197, 32, 32}}, {803, {330, 197, 32, 32}}, {804, {375, 197, 32, 32}}, {805, {408, 197, 32, 32}},
    {802, {453, 197, 32, 32}}, {806, {350, 286, 48, 19}}, {900, {431, 279, 67, 26}}, {910, {431, 319, 67, 26}},
    {810, {448, 40, 44, 19}},  {810, {448, 106, 44, 19}}, {810, {448, 136, 44, 19}}, {810, {448, 166, 44, 19}},
    {822, {72, 288, 18, 18}},  {822, {223, 294, 18, 18}}, {822, {185, 319, 18, 18}}, {822, {349, 337, 18, 18}},
};
constexpr Box EDIT_FIELDS[] = {{117, 295, 45, 16}, {175, 295, 45, 16}, {279, 338, 37, 16}};
constexpr Box SCROLL_BARS[] = {{331, 42, 100, 15}, {331, 108, 100, 15}, {331, 138, 100, 15}, {331, 168, 100, 15}};

// The square the mask drawing clears in light grey before it lays a mask
// on it (a null-pen rectangle from 14, 12 to 261, 259).
constexpr Box PREVIEW_AREA = {14, 12, 246, 246};
// The colour read-out strip: light grey under black text; focus mode
// covers it with a white rectangle.
constexpr Box READOUT = {294, 236, 194, 19};
constexpr int READOUT_TEXT_Y = 238;
constexpr int READOUT_VALUE_X[3] = {388, 424, 461};  // red, green, blue
constexpr int SIZE_ESTIMATE_X = 308;
constexpr Box RES_BAR_PLACE = {254, 286, 92, 20};
constexpr int RES_SLIDER_FIRST = 260, RES_SLIDER_LAST = 340, RES_SLIDER_Y = 296;

// Places the window writes on the panel colour, opaque, as wide as its
// longest text or the blanks it erases with (up to five pixels a blank in
// the fonts that stand in for its panel font): the film type name's three
// lines, the unit name, "Output resolution" and "dpi". Nothing is drawn in
// them but panel colour; what they cross of the controls is covered by
// the controls themselves.
constexpr Box RUNTIME_TEXT_ZONES[] = {
    {20, 291, 68, 15},    // film name, first line: Japanese from 20, English (12 blanks) from 27
    {10, 308, 146, 15},   // second line: Japanese from 10, English (28 blanks) from 15
    {10, 325, 146, 15},   // third line
    {150, 321, 46, 15},   // unit name (9 blanks)
    {276, 316, 130, 15},  // "Output resolution", grey when disabled
    {323, 338, 24, 15},   // "dpi"
};

struct Heading {
    const char* resource;  // the Japanese overlay
    Box box;
    const char* english;
    const char* japanese;
    int ruleEnd;  // the rule after the heading runs to here
};
constexpr Heading HEADINGS[] = {
    {"ftype_jp_bmp", {3, 266, 92, 20}, "Film type", "フィルムタイプ", 110},
    {"isize_jp_bmp", {120, 266, 120, 20}, "Image size", "画像サイズ", 240},
    {"ireso_jp_bmp", {266, 266, 120, 20}, "Image resolution", "画像解像度", 404},
    {"ebias_jp_bmp", {280, 10, 92, 24}, "Exposure bias", "露出補正", 497},
    {"cbala_jp_bmp", {280, 77, 100, 24}, "Color balance", "カラーバランス", 497},
};

constexpr int BACKGROUND_W = 510, BACKGROUND_H = 363;

// ---------------------------------------------------------------------------
// Film holder masks: the picture's size plus a three-pixel frame, laid on
// the light grey preview square. Drawn landscape, turned for portrait.

constexpr int MASK_BORDER = 3;

RgbBitmap Turned(const RgbBitmap& b) {
    RgbBitmap t(b.height, b.width, PANEL);
    for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < b.width; ++x) t.Set(b.height - 1 - y, x, b.At(x, y));
    return t;
}

// What the holder's window shows: black for the framed holder, ready for
// the scan lines to arrive; for the empty one, a faint film frame with its
// sprocket holes on dark grey, so that the window reads as waiting for a
// preview. Drawn landscape.
RgbBitmap HolderWindow(int w, int h, bool empty) {
    RgbBitmap m(w, h, empty ? Grey(0x2C) : BLACK_RGB);
    if (!empty) return m;
    Rgb line = Grey(0x4A);
    int stripH = h * 11 / 20, frameW = stripH * 3 / 2 * 10 / 13;
    Box strip = {w / 8, h / 2 - stripH / 2, w - w / 4, stripH};
    HLine(m, strip.x, strip.Right(), strip.y, line);
    HLine(m, strip.x, strip.Right(), strip.Bottom(), line);
    int holeBand = std::max(4, stripH / 7);
    Bevel(m, {w / 2 - frameW / 2, strip.y + holeBand + 2, frameW, stripH - 2 * holeBand - 4}, line, line);
    int pitch = std::max(6, holeBand * 2);
    int holeW = pitch / 2, holeH = std::max(2, holeBand - 2);
    for (int x = strip.x + pitch / 2; x + holeW <= strip.Right(); x += pitch) {
        Bevel(m, {x, strip.y + 2, holeW, holeH}, line, line);
        Bevel(m, {x, strip.Bottom() - 1 - holeH, holeW, holeH}, line, line);
    }
    return m;
}

// The holder: its window framed by a rim lit from above and left, with
// rounded outer corners that let the light grey through.
RgbBitmap FrameMask(int pictureW, int pictureH, bool empty, bool portrait) {
    RgbBitmap window = HolderWindow(pictureW, pictureH, empty);
    if (portrait) window = Turned(window);
    int w = window.width + 2 * MASK_BORDER, h = window.height + 2 * MASK_BORDER;
    RgbBitmap m(w, h, READOUT_GREY);
    Bevel(m, {0, 0, w, h}, Grey(0x6C), Grey(0x3C));
    Bevel(m, {1, 1, w - 2, h - 2}, Grey(0x26), Grey(0x1C));
    Bevel(m, {2, 2, w - 4, h - 4}, Grey(0x00), Grey(0x10));
    m.Set(0, 0, READOUT_GREY);
    m.Set(w - 1, 0, READOUT_GREY);
    m.Set(0, h - 1, READOUT_GREY);
    m.Set(w - 1, h - 1, READOUT_GREY);
    m.Set(1, 1, Grey(0x6C));
    m.Set(w - 2, h - 2, Grey(0x3C));
    Paste(m, window, MASK_BORDER, MASK_BORDER);
    return m;
}

// ---------------------------------------------------------------------------
// The resolution bar: a wedge that widens towards higher resolution, marks
// at one to ten output pixels per preview pixel, and the stretch beyond ten
// (interpolated) in amber. The window draws its slider over it.

RgbBitmap ResolutionBar() {
    RgbBitmap b(RES_BAR_PLACE.w, RES_BAR_PLACE.h, PANEL);
    int first = RES_SLIDER_FIRST - RES_BAR_PLACE.x, last = RES_SLIDER_LAST - RES_BAR_PLACE.x;
    int unit = 6;  // slider pixels for one output pixel per preview pixel
    int maxOptical = first + 10 * unit;
    int bottom = 12;
    for (int x = first; x <= last; ++x) {
        double t = static_cast<double>(x - first) / (last - first);
        double height = 1.5 + t * 7;  // the wedge's top edge is smoothed by a part-covered pixel
        int full = static_cast<int>(height);
        Rgb fill = x <= maxOptical ? Mix(Grey(0x4A), Grey(0xA8), (x - first) / double(maxOptical - first))
                                   : Mix(Mix(ACCENT, PANEL, 0.35), ACCENT, (x - maxOptical) / double(last - maxOptical));
        for (int y = bottom - full + 1; y <= bottom; ++y) b.Set(x, y, fill);
        b.Set(x, bottom - full, Mix(PANEL, fill, std::round((height - full) * 4) / 4));
        b.Set(x, bottom + 1, SHADE_DEEP);
    }
    for (int k = 1; k <= 10; ++k) {
        int x = first + k * unit;
        bool major = k == 1 || k == 5 || k == 10;
        VLine(b, x, bottom + 3, bottom + (major ? 6 : 4), major ? Grey(0xB0) : Grey(0x6A));
    }
    return b;
}

// ---------------------------------------------------------------------------
// Tool button images in the sixteen standard colours. The toolbar maps the
// button face grey, black, dark grey and white to the system's button
// colours, so the face is SILVER and shading uses those four.

void Rect4(IndexedBitmap& b, int x0, int y0, int x1, int y1, uint8_t c) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) b.Set(x, y, c);
}
void Frame4(IndexedBitmap& b, int x0, int y0, int x1, int y1, uint8_t c) {
    for (int x = x0; x <= x1; ++x) b.Set(x, y0, c), b.Set(x, y1, c);
    for (int y = y0; y <= y1; ++y) b.Set(x0, y, c), b.Set(x1, y, c);
}

struct Ink4 {
    char key;
    uint8_t colour;
};
const std::vector<Ink4> INKS_4 = {
    {'k', BLACK}, {'R', MAROON}, {'G', GREEN}, {'o', OLIVE}, {'n', NAVY}, {'p', PURPLE}, {'t', TEAL}, {'s', SILVER},
    {'g', GREY},  {'r', RED},    {'l', LIME},  {'y', YELLOW}, {'b', BLUE}, {'f', FUCHSIA}, {'a', AQUA}, {'w', WHITE},
};
void Art4(IndexedBitmap& b, int x, int y, const std::vector<const char*>& rows) {
    for (size_t row = 0; row < rows.size(); ++row)
        for (size_t col = 0; rows[row][col] != 0; ++col)
            for (const Ink4& ink : INKS_4)
                if (ink.key == rows[row][col]) b.Set(x + static_cast<int>(col), y + static_cast<int>(row), ink.colour);
}

// Fills every pixel whose centre the predicate accepts.
void Shape4(IndexedBitmap& b, uint8_t c, const std::function<bool(double, double)>& inside) {
    for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < b.width; ++x)
            if (inside(x + 0.5, y + 0.5)) b.Set(x, y, c);
}

// Rotate: a landscape photograph under a clockwise quarter-turn arrow.
IndexedBitmap RotateImage() {
    IndexedBitmap b(24, 24, SILVER);
    Art4(b, 1, 11, {
                       "kkkkkkkkkkkkk",
                       "kaaaaaaaaaaak",
                       "kaaaaaaaayyak",
                       "kaaaaaaaayyak",
                       "kaaaGGaaaaaak",
                       "kaaGGGGaaaaak",
                       "kaGGGGGGGaaGk",
                       "kGGGGGGGGGGGk",
                       "kGGGGGGGGGGGk",
                       "kkkkkkkkkkkkk",
                   });
    double cx = 12.0, cy = 12.0;
    Shape4(b, NAVY, [&](double x, double y) {
        double r = std::hypot(x - cx, y - cy);
        double a = std::atan2(cy - y, x - cx) * 180 / M_PI;
        return r >= 6.6 && r <= 8.8 && a >= 12 && a <= 160;
    });
    // The arrow's head at the right end, pointing down.
    Art4(b, 16, 10, {
                        "nnnnnnn",
                        ".nnnnn.",
                        "..nnn..",
                        "...n...",
                    });
    return b;
}

// Index window: a small window holding a sheet of six thumbnails.
IndexedBitmap IndexImage() {
    IndexedBitmap b(24, 24, SILVER);
    Rect4(b, 3, 4, 22, 22, GREY);  // shadow
    Rect4(b, 1, 2, 21, 20, WHITE);
    Frame4(b, 1, 2, 21, 20, BLACK);
    Rect4(b, 2, 3, 20, 5, NAVY);
    Rect4(b, 18, 4, 19, 4, WHITE);
    const std::vector<std::vector<const char*>> thumbs = {
        {"aaaaa", "aaaya", "aaaaa", "GGGGG", "GGGGG"}, {"bbbbb", "bbbbb", "aaaaa", "yyyyy", "ooooo"},
        {"RRRRR", "rrrrr", "yyyyy", "kkgkk", "kkkkk"}, {"aaaaa", "aawaa", "awwwa", "wwwww", "ttttt"},
        {"GGGGG", "GlGlG", "GGGGG", "lGlGl", "ooooo"}, {"ppppp", "fpppp", "ppyyp", "pyyyy", "nnnnn"},
    };
    for (int i = 0; i < 6; ++i) Art4(b, 3 + (i % 3) * 6, 8 + (i / 3) * 6, thumbs[static_cast<size_t>(i)]);
    return b;
}

// Focus: the split image of a focusing screen inside corner brackets; the
// two halves of the mark stand apart, out of focus.
IndexedBitmap FocusImage() {
    IndexedBitmap b(24, 24, SILVER);
    Art4(b, 1, 1, {"kkkkk", "kk...", "k....", "k....", "k...."});
    Art4(b, 18, 1, {"kkkkk", "...kk", "....k", "....k", "....k"});
    Art4(b, 1, 18, {"k....", "k....", "k....", "kk...", "kkkkk"});
    Art4(b, 18, 18, {"....k", "....k", "....k", "...kk", "kkkkk"});
    double c = 12.0;
    Shape4(b, WHITE, [&](double x, double y) { return std::hypot(x - c, y - c) <= 6.6; });
    Shape4(b, BLACK, [&](double x, double y) {
        double r = std::hypot(x - c, y - c);
        return r > 5.6 && r <= 7.0;
    });
    Rect4(b, 6, 11, 17, 11, GREY);      // the split
    Rect4(b, 9, 6, 10, 10, RED);        // upper half of the mark
    Rect4(b, 13, 12, 14, 17, RED);      // lower half, displaced
    return b;
}

// Black and white: a disc whose left half is in colour and whose right
// half is the same bands in grey.
IndexedBitmap MonochromeImage() {
    IndexedBitmap b(24, 24, SILVER);
    double c = 12.0;
    const uint8_t colour[3] = {RED, LIME, BLUE}, grey[3] = {WHITE, GREY, BLACK};
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 24; ++x) {
            double px = x + 0.5, py = y + 0.5, r = std::hypot(px - c, py - c);
            if (r > 10.0) continue;
            if (r > 8.9) {
                b.Set(x, y, BLACK);
                continue;
            }
            int band = std::clamp(static_cast<int>((py - 3.0) / 6.0), 0, 2);
            b.Set(x, y, px < c ? colour[band] : grey[band]);
        }
    }
    Rect4(b, 12, 3, 12, 20, BLACK);  // the dividing line
    return b;
}

// Gamma curve: a small graph with its grid, the straight reference and a
// curve lifted in the middle tones.
IndexedBitmap GammaImage() {
    IndexedBitmap b(24, 24, SILVER);
    Rect4(b, 2, 2, 21, 21, WHITE);
    for (int k = 1; k < 3; ++k) {
        int at = 2 + k * 19 / 3;
        Rect4(b, at, 3, at, 20, SILVER);
        Rect4(b, 3, at, 20, at, SILVER);
    }
    for (int i = 3; i <= 20; i += 2) b.Set(i, 23 - i, GREY);
    // A curve lifted in the middle tones, about two pixels thick, with a
    // handle on it.
    std::vector<std::pair<double, double>> curve;
    for (int step = 0; step <= 200; ++step) {
        double t = step / 200.0;
        curve.emplace_back(3.5 + t * 17.0, 20.5 - (1 - std::pow(1 - t, 1.9)) * 17.0);
    }
    Shape4(b, BLACK, [&](double x, double y) {
        for (const auto& [cx, cy] : curve)
            if (std::hypot(x - cx, y - cy) <= 0.9) return true;
        return false;
    });
    const auto& [hx, hy] = curve[60];
    Art4(b, static_cast<int>(hx) - 2, static_cast<int>(hy) - 2, {"RRRR", "RrrR", "RrrR", "RRRR"});
    Frame4(b, 2, 2, 21, 21, BLACK);
    return b;
}

// A small label centred on a button face in the bold pixel font.
IndexedBitmap PixelLabelImage(int w, int h, const char* text) {
    IndexedBitmap b(w, h, SILVER);
    int tw = PixelTextWidth(BOLD_7, text);
    PixelText(BOLD_7, text, (w - tw) / 2, (h - 7) / 2, [&](int x, int y) { b.Set(x, y, BLACK); });
    return b;
}

// The pop-up buttons: a small triangle pointing down.
IndexedBitmap PopupImage() {
    IndexedBitmap b(10, 10, SILVER);
    Art4(b, 1, 3, {"kkkkkkkk", ".kkkkkk.", "..kkkk..", "...kk..."});
    return b;
}

// Preview and Scan: the command's word, centred.
IndexedBitmap WordImage(const Label& word) {
    IndexedBitmap b(59, 18, SILVER);
    DrawLabel(b, word, PlaceLabel(word, (59 - word.Width()) / 2, 9));
    return b;
}

// A button pressed as the toolbar draws it: sunken, the image one pixel
// further down and right than its usual 4.
IndexedBitmap PressedLook(const IndexedBitmap& image) {
    int w = image.width + 8, h = image.height + 8;
    IndexedBitmap b(w, h, SILVER);
    for (int x = 0; x < w; ++x) b.Set(x, 0, GREY), b.Set(x, h - 1, WHITE);
    for (int y = 0; y < h; ++y) b.Set(0, y, GREY), b.Set(w - 1, y, WHITE);
    for (int x = 1; x < w - 1; ++x) b.Set(x, 1, BLACK), b.Set(x, h - 2, SILVER);
    for (int y = 1; y < h - 1; ++y) b.Set(1, y, BLACK), b.Set(w - 2, y, SILVER);
    b.Set(w - 1, 0, WHITE);
    b.Set(0, h - 1, WHITE);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) b.Set(5 + x, 5 + y, image.At(x, y));
    return b;
}

// The tool button images by resource number.
using ButtonImages = std::vector<std::pair<int, IndexedBitmap>>;

// The image of resource number `id`; every number the window names is drawn,
// so the first image stands in only for a misspelt one.
const IndexedBitmap& ImageOf(const ButtonImages& images, int id) {
    for (const auto& [n, picture] : images)
        if (n == id) return picture;
    return images.front().second;
}

RgbBitmap ToRgb(const IndexedBitmap& b) {
    RgbBitmap out(b.width, b.height, PANEL);
    for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < b.width; ++x) out.Set(x, y, STANDARD_PALETTE[b.At(x, y)]);
    return out;
}

// ---------------------------------------------------------------------------
// The background.

struct Artwork {
    Fonts fonts;
    Label headingsEnglish[5], headingsJapanese[5];
    Label preview[2], scan[2];  // English, Japanese
};

// A control's seat: a one-pixel engraving around it.
void Seat(RgbBitmap& b, Box control) { Bevel(b, control.Grown(1), SHADE_DEEP, SHADE_BRIGHT); }

// An etched line: dark, with a lit line below or right of it.
void EtchH(RgbBitmap& b, int x0, int x1, int y) {
    HLine(b, x0, x1, y, SHADE_DEEP);
    HLine(b, x0 + 1, x1 + 1, y + 1, SHADE_LIGHT);
}
void EtchV(RgbBitmap& b, int x, int y0, int y1) {
    VLine(b, x, y0, y1, SHADE_DEEP);
    VLine(b, x + 1, y0 + 1, y1 + 1, SHADE_LIGHT);
}

// A heading: an amber mark, the words, and a rule to the end of its
// column. Everything inside the heading's box depends on the language;
// the rule's part beyond the box does not.
void DrawHeading(RgbBitmap& b, const Heading& h, const Label& words) {
    int middle = h.box.y + h.box.h / 2;
    Fill(b, h.box, PANEL);
    Fill(b, {h.box.x, middle - 5, 3, 10}, ACCENT);
    int textX = h.box.x + 8;
    DrawLabel(b, words, PlaceLabel(words, textX, middle), TEXT_WHITE, h.box);
    int ruleStart = textX + words.Width() + 6;
    HLine(b, ruleStart, h.box.Right(), middle, RULE);
    HLine(b, std::max(ruleStart, h.box.Right() + 1), h.ruleEnd, middle, RULE);
}

// A chip before a scroll bar: a rounded square in the bar's colour with
// its initial, or the plus-minus sign for the exposure.
void Chip(RgbBitmap& b, int x, int y, Rgb colour, char initial) {
    Plate(b, {x, y, 13, 13}, colour, Mix(colour, WHITE_RGB, 0.35), Mix(colour, BLACK_RGB, 0.4));
    char text[2] = {initial, 0};
    PixelText(BOLD_7, text, x + 4, y + 3, [&](int px, int py) { b.Set(px, py, WHITE_RGB); });
}

// A film strip, the sign of the film type.
void FilmSign(RgbBitmap& b, int x, int y) {
    Rgb base = {0xB5, 0x6A, 0x2E}, frame = {0xE9, 0xA8, 0x62}, hole = PANEL;
    Art(b, x, y,
        {
            "bbbbbbbbbbbbbb",
            "b.bb.bb.bb.bb.",
            "bbbbbbbbbbbbbb",
            "bffffffbffffff",
            "bffffffbffffff",
            "bffffffbffffff",
            "bffffffbffffff",
            "bffffffbffffff",
            "bbbbbbbbbbbbbb",
            "b.bb.bb.bb.bb.",
            "bbbbbbbbbbbbbb",
        },
        {{'b', base}, {'f', frame}, {'.', hole}});
}

// A page with a folded corner: the size of the file the scan will make.
void PageSign(RgbBitmap& b, int x, int y) {
    Art(b, x, y,
        {
            "kkkkkk...",
            "kwwwwkk..",
            "kwwwwkwk.",
            "kwwwwkkkk",
            "kwggggwwk",
            "kwwwwwwwk",
            "kwggggggk",
            "kwwwwwwwk",
            "kwggggggk",
            "kwwwwwwwk",
            "kkkkkkkkk",
        },
        {{'k', Grey(0x40)}, {'w', WHITE_RGB}, {'g', Grey(0x9A)}});
}

RgbBitmap Background(const Artwork& art, bool japanese) {
    RgbBitmap b(BACKGROUND_W, BACKGROUND_H, PANEL);

    // The three regions: preview (left), controls (right), settings (below).
    EtchV(b, 269, 6, 256);
    EtchH(b, 4, 500, 262);

    // The preview's light box, sunk into the panel, with the empty
    // landscape holder the window lays on it before the first preview.
    Fill(b, PREVIEW_AREA, READOUT_GREY);
    Bevel(b, PREVIEW_AREA.Grown(2), SHADE_DARK, SHADE_BRIGHT);
    Bevel(b, PREVIEW_AREA.Grown(1), BLACK_RGB, Grey(0x5A));
    Paste(b, FrameMask(240, 160, true, false), 17 - MASK_BORDER, 52 - MASK_BORDER);

    // Exposure and colour balance: a sign before each scroll bar, the
    // scroll bars and reset buttons seated in the panel, the exposure
    // scale's marks below its bar and a centre mark below each colour bar.
    const Rgb chipColours[4] = {Grey(0x78), {0xC8, 0x36, 0x36}, {0x2E, 0x9A, 0x44}, {0x32, 0x62, 0xD0}};
    const char initials[4] = {'~', 'R', 'G', 'B'};
    for (int i = 0; i < 4; ++i) Chip(b, 312, SCROLL_BARS[i].y + 1, chipColours[i], initials[i]);
    for (const Box& bar : SCROLL_BARS) Seat(b, bar);
    // The thumb travels between the arrow buttons (about sixteen pixels at
    // each end); -2, -1, 0, +1, +2 fall at these places.
    const int marks[5] = {355, 368, 381, 393, 406};
    const char* markText[5] = {"-2", nullptr, "0", nullptr, "+2"};
    for (int i = 0; i < 5; ++i) {
        VLine(b, marks[i], 59, i == 2 ? 61 : 60, i == 2 ? Grey(0xC0) : Grey(0x80));
        if (markText[i] != nullptr) {
            int tw = PixelTextWidth(SMALL_5, markText[i]);
            PixelText(SMALL_5, markText[i], marks[i] - tw / 2, 63, [&](int x, int y) { b.Set(x, y, Grey(0x9A)); });
        }
    }
    for (int i = 1; i < 4; ++i) VLine(b, 381, SCROLL_BARS[i].Bottom() + 2, SCROLL_BARS[i].Bottom() + 3, Grey(0x80));

    // The tool buttons in three groups on recessed plates: picture
    // (rotate, focus), tone (black and white, gamma), film (index).
    EtchH(b, 278, 497, 190);
    Plate(b, {293, 193, 73, 40}, PLATE, SHADE_DEEP, SHADE_LIGHT);
    Plate(b, {371, 193, 73, 40}, PLATE, SHADE_DEEP, SHADE_LIGHT);
    Plate(b, {449, 193, 40, 40}, PLATE, SHADE_DEEP, SHADE_LIGHT);

    // The read-out strip: size estimate and the colour under the mouse,
    // each colour underlined in its own.
    Fill(b, READOUT, READOUT_GREY);
    Bevel(b, READOUT.Grown(1), SHADE_DEEP, SHADE_BRIGHT);
    PageSign(b, 297, 240);
    for (int i = 0; i < 3; ++i) {
        HLine(b, READOUT_VALUE_X[i], READOUT_VALUE_X[i] + 23, READOUT.Bottom() - 1, chipColours[i + 1]);
        HLine(b, READOUT_VALUE_X[i], READOUT_VALUE_X[i] + 23, READOUT.Bottom(), Mix(chipColours[i + 1], BLACK_RGB, 0.3));
    }

    // The settings below: film type, image size, resolution, and the two
    // big buttons.
    EtchV(b, 245, 268, 352);
    EtchV(b, 413, 268, 352);
    FilmSign(b, 3, 292);
    // The times sign between width and height.
    for (int d = -2; d <= 2; ++d) {
        b.Set(168 + d, 303 + d, Grey(0xD0));
        b.Set(168 + d, 303 - d, Grey(0xD0));
    }
    Plate(b, {425, 273, 79, 78}, PLATE, SHADE_DEEP, SHADE_LIGHT);
    // The pop-up buttons stand among the window's texts, whose blanks run
    // across them; they go without a seat.
    for (const ToolButton& t : TOOL_BUTTONS)
        if (t.bitmap != 822) Seat(b, t.box);
    Paste(b, ResolutionBar(), RES_BAR_PLACE.x, RES_BAR_PLACE.y);

    for (size_t i = 0; i < std::size(HEADINGS); ++i)
        DrawHeading(b, HEADINGS[i], japanese ? art.headingsJapanese[i] : art.headingsEnglish[i]);
    return b;
}

// ---------------------------------------------------------------------------
// The mock-ups: the window as the code will draw it over the background,
// and the background with every control's rectangle outlined.

void RaisedFrame(RgbBitmap& b, Box r, bool pressed) {
    Bevel(b, r, pressed ? GREY_RGB : READOUT_GREY, pressed ? WHITE_RGB : BLACK_RGB);
    Bevel(b, r.Grown(-1), pressed ? BLACK_RGB : WHITE_RGB, pressed ? READOUT_GREY : GREY_RGB);
}

void MockScrollBar(RgbBitmap& b, Box r, int position) {
    for (int y = r.y; y <= r.Bottom(); ++y)
        for (int x = r.x; x <= r.Right(); ++x) b.Set(x, y, (x + y) % 2 == 0 ? WHITE_RGB : READOUT_GREY);
    int arrow = 16;
    Box left = {r.x, r.y, arrow, r.h}, right = {r.Right() - arrow + 1, r.y, arrow, r.h};
    for (Box a : {left, right}) {
        Fill(b, a, READOUT_GREY);
        RaisedFrame(b, a, false);
    }
    int cy = r.y + r.h / 2;
    for (int i = 0; i < 4; ++i) {
        VLine(b, left.x + 6 + i, cy - i, cy + i, BLACK_RGB);
        VLine(b, right.Right() - 6 - i, cy - i, cy + i, BLACK_RGB);
    }
    int track = r.w - 2 * arrow - arrow;
    Box thumb = {r.x + arrow + track * position / 400, r.y, arrow, r.h};
    Fill(b, thumb, READOUT_GREY);
    RaisedFrame(b, thumb, false);
}

void MockText(RgbBitmap& b, const TextRenderer& renderer, const Face& face, const char* text, int x, int y, Rgb ink,
              Rgb paper) {
    Coverage c;
    if (!renderer.Render(face, text, c)) return;
    Box cell = {x, y, c.width, 15};
    Fill(b, cell, paper);
    Label l{c, InkBoxOf(c), 0, 0};
    DrawLabel(b, l, {x, y}, ink, cell);
}

RgbBitmap Mockup(const RgbBitmap& background, const ButtonImages& images, const TextRenderer& renderer,
                 const Fonts& fonts, bool japanese) {
    RgbBitmap b = background;
    for (const ToolButton& t : TOOL_BUTTONS) {
        int id = t.bitmap + (t.bitmap >= 900 && japanese ? 1 : 0);
        Fill(b, t.box, READOUT_GREY);
        RaisedFrame(b, t.box, false);
        const IndexedBitmap& picture = ImageOf(images, id);
        Paste(b, ToRgb(picture), t.box.x + (t.box.w - picture.width) / 2, t.box.y + (t.box.h - picture.height) / 2);
    }
    const char* fieldTexts[3] = {"600", "400", "200"};
    for (int i = 0; i < 3; ++i) {
        Fill(b, EDIT_FIELDS[i], WHITE_RGB);
        MockText(b, renderer, fonts.runtime, fieldTexts[i], EDIT_FIELDS[i].x + 1, EDIT_FIELDS[i].y + 1, BLACK_RGB,
                 WHITE_RGB);
    }
    const int positions[4] = {200, 230, 200, 170};
    for (int i = 0; i < 4; ++i) MockScrollBar(b, SCROLL_BARS[i], positions[i]);
    // The slider of the resolution bar at the default scale (2.5 output
    // pixels per preview pixel).
    int sx = RES_SLIDER_FIRST + 885 / 59, sy = RES_SLIDER_Y;
    Fill(b, {sx - 5, sy - 9, 11, 19}, READOUT_GREY);
    Bevel(b, {sx - 6, sy - 10, 12, 20}, WHITE_RGB, READOUT_GREY);
    Bevel(b, {sx - 5, sy - 9, 11, 19}, READOUT_GREY, BLACK_RGB);
    const Face& panel = japanese ? fonts.runtimeJapanese : fonts.runtime;
    if (japanese) {
        MockText(b, renderer, panel, "カラー", 20, 291, TEXT_WHITE, PANEL);
        MockText(b, renderer, panel, "ネガフィルム", 10, 308, TEXT_WHITE, PANEL);
        MockText(b, renderer, panel, "ISO 100", 10, 325, TEXT_WHITE, PANEL);
        MockText(b, renderer, panel, "出力解像度", 284, 316, GREY_RGB, PANEL);
    } else {
        MockText(b, renderer, fonts.runtime, "Color", 27, 291, TEXT_WHITE, PANEL);
        MockText(b, renderer, fonts.runtime, "Negative film", 15, 308, TEXT_WHITE, PANEL);
        MockText(b, renderer, fonts.runtime, "ISO 100", 15, 325, TEXT_WHITE, PANEL);
        MockText(b, renderer, fonts.runtime, "Output resolution", 276, 316, GREY_RGB, PANEL);
    }
    MockText(b, renderer, fonts.runtime, "pixel", 150, 321, TEXT_WHITE, PANEL);
    MockText(b, renderer, fonts.runtime, "dpi", 323, 338, GREY_RGB, PANEL);
    MockText(b, renderer, fonts.runtime, "   720 KB", SIZE_ESTIMATE_X, READOUT_TEXT_Y, BLACK_RGB, READOUT_GREY);
    const char* values[3] = {"212", "148", "96"};
    for (int i = 0; i < 3; ++i)
        MockText(b, renderer, fonts.runtime, values[i], READOUT_VALUE_X[i], READOUT_TEXT_Y, BLACK_RGB, READOUT_GREY);
    return b;
}

RgbBitmap OutlinedMockup(const RgbBitmap& background) {
    RgbBitmap b = background;
    auto outline = [&](Box r, Rgb c) { Bevel(b, r, c, c); };
    Rgb control = {0xFF, 0x00, 0xFF}, text = {0x00, 0xFF, 0xFF}, bitmap = {0xFF, 0xFF, 0x00};
    for (const ToolButton& t : TOOL_BUTTONS) outline(t.box, control);
    for (const Box& r : EDIT_FIELDS) outline(r, control);
    for (const Box& r : SCROLL_BARS) outline(r, control);
    for (const Box& r : RUNTIME_TEXT_ZONES) outline(r, text);
    outline(READOUT, text);
    outline(RES_BAR_PLACE, bitmap);
    outline(PREVIEW_AREA, bitmap);
    for (const Heading& h : HEADINGS) outline(h.box, bitmap);
    outline({17, 52, 240, 160}, bitmap);
    outline({59, 15, 160, 240}, bitmap);
    return b;
}

// ---------------------------------------------------------------------------
// Checks of what the window relies on.

bool Check(bool ok, const char* what) {
    if (!ok) std::fprintf(stderr, "make_source_bitmaps: %s\n", what);
    return ok;
}

bool FlatIn(const RgbBitmap& b, Box r, Rgb c) {
    for (int y = r.y; y <= r.Bottom(); ++y)
        for (int x = r.x; x <= r.Right(); ++x)
            if (!(b.At(x, y) == c)) return false;
    return true;
}

bool SameOutsideHeadings(const RgbBitmap& a, const RgbBitmap& b) {
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            bool inHeading = false;
            for (const Heading& h : HEADINGS) inHeading = inHeading || h.box.Contains(x, y);
            if (!inHeading && !(a.At(x, y) == b.At(x, y))) return false;
        }
    }
    return true;
}

// ---------------------------------------------------------------------------

struct Output {
    std::string file;
    bool sixteenColours;
    IndexedBitmap indexed{1, 1, 0};
    RgbBitmap rgb{1, 1, PANEL};
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5 && argc != 6) {
        std::fprintf(stderr, "usage: make_source_bitmaps OUTPUT_FOLDER CONVERT LATIN_BOLD_FONT JAPANESE_FONT [MOCKUP_FOLDER]\n");
        return 2;
    }
    std::string folder = argv[1];
    const TextRenderer renderer = {argv[2], "make_source_bitmaps"};
    std::string latin = argv[3], japaneseFont = argv[4];

    Artwork art;
    art.fonts = {
        .heading = {latin, 11, 0, "H"},
        .headingJapanese = {japaneseFont, 13, 0.5, "\xE5\x9B\xBD"},  // 国
        .button = {latin, 12, 0, "H"},
        .buttonJapanese = {japaneseFont, 12, 0.6, "\xE5\x9B\xBD"},
        .runtime = {latin, 11, 0, "H"},
        .runtimeJapanese = {japaneseFont, 13, 1.0, "\xE5\x9B\xBD"},
    };
    for (size_t i = 0; i < std::size(HEADINGS); ++i) {
        if (!MakeLabel(renderer, art.fonts.heading, HEADINGS[i].english, art.headingsEnglish[i]) ||
            !MakeLabel(renderer, art.fonts.headingJapanese, HEADINGS[i].japanese, art.headingsJapanese[i]))
            return 1;
    }
    if (!MakeLabel(renderer, art.fonts.button, "Preview", art.preview[0]) ||
        !MakeLabel(renderer, art.fonts.buttonJapanese, "プレビュー", art.preview[1]) ||
        !MakeLabel(renderer, art.fonts.button, "Scan", art.scan[0]) ||
        !MakeLabel(renderer, art.fonts.buttonJapanese, "スキャン", art.scan[1]))
        return 1;

    bool ok = true;
    for (size_t i = 0; i < std::size(HEADINGS); ++i) {
        ok &= Check(art.headingsEnglish[i].Width() + 8 <= HEADINGS[i].box.w &&
                        art.headingsJapanese[i].Width() + 8 <= HEADINGS[i].box.w,
                    "a heading is wider than its place");
    }
    for (const Label* l : {&art.preview[0], &art.preview[1], &art.scan[0], &art.scan[1]})
        ok &= Check(l->Width() + 4 <= 59, "a Preview or Scan word is wider than its button");

    RgbBitmap english = Background(art, false), japanese = Background(art, true);
    for (const Box& r : RUNTIME_TEXT_ZONES) {
        if (!FlatIn(english, r, PANEL)) {
            std::fprintf(stderr, "make_source_bitmaps: the text place at %d, %d is not flat panel colour\n", r.x, r.y);
            ok = false;
        }
    }
    ok &= Check(FlatIn(english, {SIZE_ESTIMATE_X, READOUT_TEXT_Y, READOUT.Right() - SIZE_ESTIMATE_X + 1, 15}, READOUT_GREY),
                "the read-out's text row is not flat light grey");
    ok &= Check(SameOutsideHeadings(english, japanese), "the Japanese labels reach outside their overlays");

    ButtonImages images = {
        {801, RotateImage()},
        {802, IndexImage()},
        {803, FocusImage()},
        {804, MonochromeImage()},
        {805, GammaImage()},
        {806, PixelLabelImage(40, 11, "MAX")},
        {810, PixelLabelImage(36, 11, "RESET")},
        {822, PopupImage()},
        {900, WordImage(art.preview[0])},
        {901, WordImage(art.preview[1])},
        {910, WordImage(art.scan[0])},
        {911, WordImage(art.scan[1])},
    };
    for (const ToolButton& t : TOOL_BUTTONS) {
        for (const auto& [id, picture] : images) {
            if (id == t.bitmap) ok &= Check(picture.width == t.box.w - 8 && picture.height == t.box.h - 8,
                                            "a tool button image does not fit its button");
        }
    }
    if (!ok) return 1;

    std::vector<Output> outputs;
    auto rgb = [&](const std::string& file, RgbBitmap picture) {
        outputs.push_back({file, false, IndexedBitmap(1, 1, 0), std::move(picture)});
    };
    auto indexed = [&](const std::string& file, IndexedBitmap picture) {
        outputs.push_back({file, true, std::move(picture), RgbBitmap(1, 1, PANEL)});
    };
    rgb("preview_bmp.bmp", english);
    for (const Heading& h : HEADINGS) rgb(std::string(h.resource) + ".bmp", Crop(japanese, h.box));
    for (const auto& [id, picture] : images) indexed("button_" + std::to_string(id) + ".bmp", picture);
    indexed("preview_on.bmp", PressedLook(ImageOf(images, 900)));
    indexed("preview_on_jp.bmp", PressedLook(ImageOf(images, 901)));
    indexed("scan_on.bmp", PressedLook(ImageOf(images, 910)));
    indexed("scan_on_jp.bmp", PressedLook(ImageOf(images, 911)));
    struct MaskKind {
        const char* name;
        int w, h;
        bool empty, portrait;
    };
    const MaskKind masks[] = {
        {"mask_h", 240, 160, true, false},  {"masko_h", 240, 160, false, false}, {"mask_v", 240, 160, true, true},
        {"masko_v", 240, 160, false, true}, {"mask_ah", 191, 109, true, false},  {"masko_ah", 191, 109, false, false},
        {"mask_av", 191, 109, true, true},  {"masko_av", 191, 109, false, true},
    };
    for (const MaskKind& m : masks) rgb(std::string(m.name) + ".bmp", FrameMask(m.w, m.h, m.empty, m.portrait));
    rgb("res_bar.bmp", ResolutionBar());

    for (const Output& o : outputs) {
        std::string path = folder + "/" + o.file;
        bool written = o.sixteenColours ? Write4BitBmp(path, o.indexed) : Write8BitBmp(path, o.rgb);
        if (!written) {
            std::fprintf(stderr, "make_source_bitmaps: cannot write %s (more than 256 colours, or no room)\n",
                         path.c_str());
            return 1;
        }
    }

    if (argc == 6) {
        std::string mockups = argv[5];
        RgbBitmap japaneseWindow = english;
        for (const Heading& h : HEADINGS) Paste(japaneseWindow, Crop(japanese, h.box), h.box.x, h.box.y);
        if (!Write24BitBmp(mockups + "/mockup_en.bmp", Mockup(english, images, renderer, art.fonts, false)) ||
            !Write24BitBmp(mockups + "/mockup_jp.bmp", Mockup(japaneseWindow, images, renderer, art.fonts, true)) ||
            !Write24BitBmp(mockups + "/mockup_outlined.bmp", OutlinedMockup(english))) {
            std::fprintf(stderr, "make_source_bitmaps: cannot write the mock-ups into %s\n", mockups.c_str());
            return 1;
        }
    }
    return 0;
}
