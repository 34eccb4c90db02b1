// Draws the bitmaps of the index window: the nine tool button images of its
// toolbar (open and save an index file, auto and single scan, clear, copy
// the sheet, raise the preview window, rewind the film, open the IX
// window) and the legend in the sheet's lower right corner, in English and
// Japanese. Built and run on the build machine.
//
// The button images follow the main scan window's: 24 x 24, the sixteen
// standard colours, a button-face grey ground that the toolbar maps to the
// system's colours, one-pixel black outlines, navy for movement and the
// same small landscape (sky, hill, sun) wherever a picture is meant.
//
// The legend is drawn into the sheet, which is light grey, and is saved and
// copied with it. The window lays its four display-option check boxes over
// it, so it leaves their squares flat and writes each option's name to the
// right of its box; its left part holds the key to the colours the date is
// written in (front of the print red, back black, not printed grey, each on
// the white the window writes the date on). Its texts are rendered by
// ImageMagick's convert from TrueType fonts, read back as grey coverage.
//
// Usage: make_index_bitmaps OUTPUT_FOLDER CONVERT LATIN_BOLD_FONT JAPANESE_FONT [MOCKUP_FOLDER]
// With a mock-up folder it also writes index_mockup.bmp there: the buttons
// on their raised faces and both legends with check boxes in place, for
// checking the artwork by eye.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "bitmap_file.h"
#include "label_text.h"

namespace {

using namespace artwork;

// ---------------------------------------------------------------------------
// Drawing in the sixteen standard colours.

void Rect4(IndexedBitmap& b, int x0, int y0, int x1, int y1, uint8_t c) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) b.Set(x, y, c);
}
void Frame4(IndexedBitmap& b, int x0, int y0, int x1, int y1, uint8_t c) {
    for (int x = x0; x <= x1; ++x) b.Set(x, y0, c), b.Set(x, y1, c);
    for (int y = y0; y <= y1; ++y) b.Set(x0, y, c), b.Set(x1, y, c);
}

// Pixel art: one character a pixel, '.' (or any unknown key) leaves the
// picture as it is.
uint8_t InkOf(char key, bool& known) {
    static const std::pair<char, uint8_t> inks[] = {
        {'k', BLACK}, {'R', MAROON}, {'G', GREEN}, {'o', OLIVE}, {'n', NAVY}, {'p', PURPLE}, {'t', TEAL},
        {'s', SILVER}, {'g', GREY}, {'r', RED}, {'l', LIME}, {'y', YELLOW}, {'b', BLUE}, {'f', FUCHSIA},
        {'a', AQUA}, {'w', WHITE},
    };
    for (const auto& [k, c] : inks)
        if (k == key) return known = true, c;
    return known = false, 0;
}
void Art4(IndexedBitmap& b, int x, int y, const std::vector<const char*>& rows) {
    for (size_t row = 0; row < rows.size(); ++row) {
        for (size_t col = 0; rows[row][col] != 0; ++col) {
            bool known;
            uint8_t c = InkOf(rows[row][col], known);
            if (known) b.Set(x + static_cast<int>(col), y + static_cast<int>(row), c);
        }
    }
}

// Fills every pixel whose centre the predicate accepts.
void Shape4(IndexedBitmap& b, uint8_t c, const std::function<bool(double, double)>& inside) {
    for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < b.width; ++x)
            if (inside(x + 0.5, y + 0.5)) b.Set(x, y, c);
}

// A play (or, pointing left, rewind) arrowhead: a solid triangle with its
// point at tipX and its base `height` rows high, centred on centreY.
void Arrowhead(IndexedBitmap& b, int tipX, int centreY, int height, bool right, uint8_t c) {
    int half = height / 2;
    for (int i = -half; i <= half; ++i)
        for (int k = 0; k <= half - std::abs(i); ++k) b.Set(right ? tipX - half + k : tipX + half - k, centreY + i, c);
}

// The picture that stands for a photograph in every button of the source:
// a black frame round aqua sky, a yellow sun and a green hill. Any size
// from 10 x 8 up.
void Photo(IndexedBitmap& b, int x0, int y0, int x1, int y1) {
    Rect4(b, x0, y0, x1, y1, AQUA);
    int w = x1 - x0 + 1, h = y1 - y0 + 1;
    int sunX = x1 - 3 - (w > 13 ? 1 : 0), sunY = y0 + 2;
    Rect4(b, sunX, sunY, sunX + 1, sunY + 1, YELLOW);
    // A hill to the left rising over a flat foreground, and a low one on the
    // right.
    double groundY = y0 + h * 0.68, peakX = x0 + w * 0.35, peakY = y0 + h * 0.40;
    Shape4(b, GREEN, [&](double x, double y) {
        if (x < x0 || x > x1 + 1 || y < y0 || y > y1 + 1) return false;
        double hill = peakY + std::abs(x - peakX) * 0.85;
        double low = groundY - 1.2 + std::abs(x - (x1 - 0.5)) * 0.9;
        return y >= std::min({hill, low, groundY});
    });
    Frame4(b, x0, y0, x1, y1, BLACK);
}

// A small copy of the index sheet: a white page with its thumbnails in
// two columns, each a band of sky over a band of ground in one of the
// sheet's colours.
void MiniSheet(IndexedBitmap& b, int x0, int y0, int x1, int y1,
               const std::function<bool(int column, int x, int y)>& wiped = nullptr) {
    Rect4(b, x0, y0, x1, y1, WHITE);
    Frame4(b, x0, y0, x1, y1, BLACK);
    static const std::pair<uint8_t, uint8_t> scenes[] = {
        {AQUA, GREEN}, {BLUE, YELLOW}, {RED, MAROON}, {AQUA, TEAL}, {NAVY, PURPLE}, {YELLOW, OLIVE},
    };
    int innerW = x1 - x0 - 1, thumbW = (innerW - 3) / 2;
    int scene = 0;
    for (int top = y0 + 2; top + 3 <= y1 - 2; top += 6) {
        for (int column = 0; column < 2; ++column, ++scene) {
            int left = x0 + 2 + column * (thumbW + 1);
            const auto& [sky, ground] = scenes[scene % 6];
            for (int y = top; y <= top + 3; ++y)
                for (int x = left; x < left + thumbW; ++x)
                    if (!wiped || !wiped(column, x, y)) b.Set(x, y, y < top + 2 ? sky : ground);
        }
    }
}

// ---------------------------------------------------------------------------
// The nine button images. Drawing coordinates are the image's own (0..23).

constexpr int SIZE = 24;

// Open index file: the sheet standing in an open yellow folder.
IndexedBitmap OpenImage() {
    IndexedBitmap b(SIZE, SIZE, SILVER);
    // The folder's back with its tab.
    Rect4(b, 1, 6, 17, 20, OLIVE);
    Frame4(b, 1, 6, 17, 20, BLACK);
    Art4(b, 1, 4, {".kkkk.", "kyyyyk"});
    Rect4(b, 2, 6, 5, 6, YELLOW);
    MiniSheet(b, 5, 2, 18, 16);
    // The front flap, leaning out towards the viewer.
    auto left = [](double y) { return 7.0 - (y - 11.0) * 0.62; };
    Shape4(b, BLACK, [&](double x, double y) { return y >= 11 && y <= 21 && x >= left(y) && x <= left(y) + 16.5; });
    Shape4(b, YELLOW, [&](double x, double y) {
        return y >= 12 && y <= 20 && x >= left(y) + 1.4 && x <= left(y) + 15.5;
    });
    return b;
}

// Save index file: a navy diskette with its metal shutter and a white
// label.
IndexedBitmap SaveImage() {
    IndexedBitmap b(SIZE, SIZE, SILVER);
    Art4(b, 0, 0, {
                      "........................",
                      "..kkkkkkkkkkkkkkkkkkk...",
                      "..knnnkssssssssskknnnk..",
                      "..knnnksswwksssskknnnnk.",
                      "..knnnksswwksssskknnnnk.",
                      "..knnnksswwksssskknnnnk.",
                      "..knnnksssssssssknnnnnk.",
                      "..knnnnkkkkkkkkkknnnnnk.",
                      "..knnnnnnnnnnnnnnnnnnnk.",
                      "..knnnnnnnnnnnnnnnnnnnk.",
                      "..knnwwwwwwwwwwwwwwnnnk.",
                      "..knnwwwwwwwwwwwwwwnnnk.",
                      "..knnwkkkkkkkkkkkkwnnnk.",
                      "..knnwwwwwwwwwwwwwwnnnk.",
                      "..knnwggggggggggggwnnnk.",
                      "..knnwwwwwwwwwwwwwwnnnk.",
                      "..knnwggggggggggggwnnnk.",
                      "..knnwwwwwwwwwwwwwwnnnk.",
                      "..knnwggggggggwwwwwnnnk.",
                      "..knnwwwwwwwwwwwwwwnnnk.",
                      "..kknwwwwwwwwwwwwwwnnkk.",
                      "...kkkkkkkkkkkkkkkkkkk..",
                      "........................",
                      "........................",
                  });
    return b;
}

// Single scan: one photograph and a play arrow.
IndexedBitmap SingleScanImage() {
    IndexedBitmap b(SIZE, SIZE, SILVER);
    Photo(b, 1, 6, 14, 17);
    Arrowhead(b, 22, 11, 13, true, NAVY);
    return b;
}

// Auto scan: a stack of photographs and a play arrow.
IndexedBitmap AutoScanImage() {
    IndexedBitmap b(SIZE, SIZE, SILVER);
    Photo(b, 0, 2, 11, 11);
    Photo(b, 2, 5, 13, 14);
    Photo(b, 4, 8, 15, 17);
    Arrowhead(b, 23, 12, 13, true, NAVY);
    return b;
}

// Clear all pictures: an eraser wiping the thumbnails off the sheet.
IndexedBitmap ClearImage() {
    IndexedBitmap b(SIZE, SIZE, SILVER);
    // Wiped: the right column below the first row, and the left one below
    // a slant where the eraser passed.
    MiniSheet(b, 1, 1, 16, 21, [](int column, int x, int y) { return (column == 1 && y > 8) || x + y >= 23; });
    // The eraser lies across the page's lower right corner, at 45 degrees:
    // along is measured up and to the right, across at right angles to it.
    double cx = 16.0, cy = 14.5, halfLength = 7.8, halfWidth = 3.6;
    auto along = [&](double x, double y) { return ((x - cx) - (y - cy)) / std::sqrt(2.0); };
    auto across = [&](double x, double y) { return ((x - cx) + (y - cy)) / std::sqrt(2.0); };
    Shape4(b, BLACK, [&](double x, double y) {
        return std::abs(along(x, y)) <= halfLength && std::abs(across(x, y)) <= halfWidth;
    });
    Shape4(b, RED, [&](double x, double y) {
        double a = along(x, y);
        return a >= -halfLength + 1.0 && a <= -0.6 && std::abs(across(x, y)) <= halfWidth - 1.0;
    });
    Shape4(b, BLUE, [&](double x, double y) {
        double a = along(x, y);
        return a > 0.6 && a <= halfLength - 1.0 && std::abs(across(x, y)) <= halfWidth - 1.0;
    });
    // Light on the eraser's upper edge.
    Shape4(b, WHITE, [&](double x, double y) {
        double a = along(x, y), c = across(x, y);
        return std::abs(a) <= halfLength - 1.5 && c > -halfWidth + 0.7 && c <= -halfWidth + 1.7 && std::abs(a) > 0.6;
    });
    // Crumbs left behind on the page.
    b.Set(6, 19, GREY);
    b.Set(8, 18, GREY);
    b.Set(5, 17, GREY);
    return b;
}

// Copy the index window: two sheets, the copy before the original.
IndexedBitmap CopyImage() {
    IndexedBitmap b(SIZE, SIZE, SILVER);
    MiniSheet(b, 1, 1, 14, 16);
    Rect4(b, 15, 3, 15, 7, GREY);  // the original's shadow, beside the copy
    MiniSheet(b, 8, 7, 21, 22);
    Rect4(b, 22, 8, 22, 23, GREY);
    Rect4(b, 9, 23, 22, 23, GREY);
    return b;
}

// Open preview window: the main scan window in small, a window with a
// dark panel, the picture in its holder on the left and the sliders of
// exposure and colour on the right (drawn like the index window's button
// in the main window).
IndexedBitmap PreviewWindowImage() {
    IndexedBitmap b(SIZE, SIZE, SILVER);
    Rect4(b, 3, 4, 22, 22, GREY);  // shadow
    Rect4(b, 1, 2, 21, 20, BLACK);
    Rect4(b, 2, 3, 20, 5, NAVY);
    Rect4(b, 18, 4, 19, 4, WHITE);
    Rect4(b, 2, 6, 20, 19, GREY);
    Photo(b, 3, 8, 14, 17);
    const uint8_t knobs[3] = {RED, LIME, BLUE};
    for (int i = 0; i < 3; ++i) {
        int y = 9 + i * 3;
        Rect4(b, 16, y, 19, y, WHITE);
        b.Set(17 + (i == 1 ? 1 : 0), y, knobs[i]);
    }
    return b;
}

// Rewind the film: the film cartridge, its tongue out to the right, and a
// rewind sign beneath pointing back into it.
IndexedBitmap RewindImage() {
    IndexedBitmap b(SIZE, SIZE, SILVER);
    // The film's tongue: olive base, perforations along both edges (as
    // the main window draws film) and the dark first frame between them.
    Art4(b, 16, 4, {
                       "kkkkkkkk",
                       "ossossos",
                       "oRRRRoRR",
                       "oRRRRoRR",
                       "oRRRRoRR",
                       "oRRRRoRR",
                       "ossossos",
                       "kkkkkkkk",
                   });
    // The body: a round spool housing at the left end and a box rounded at
    // the right, grey with light along its top.
    const double spoolX = 6.5, spoolY = 7.5;
    auto body = [&](double x, double y, double inset) {
        bool spool = std::hypot(x - spoolX, y - spoolY) <= 5.6 - inset;
        bool box = x >= spoolX && x <= 17.5 - inset && y >= 2.5 + inset && y <= 12.5 - inset;
        bool cornerCut =
            x > 15.5 && (y < 4.0 + inset || y > 11.0 - inset) && std::hypot(x - 15.5, y - 7.5) > 5.0 - inset;
        return spool || (box && !cornerCut);
    };
    Shape4(b, BLACK, [&](double x, double y) { return body(x, y, 0.0); });
    Shape4(b, GREY, [&](double x, double y) { return body(x, y, 1.0); });
    Rect4(b, 7, 3, 15, 3, WHITE);
    Art4(b, 3, 4, {".www..", "ww...."});
    // The spool's drive hub, with its keyed hole.
    Shape4(b, BLACK, [&](double x, double y) { return std::hypot(x - spoolX, y - spoolY) <= 3.3; });
    Shape4(b, WHITE, [&](double x, double y) { return std::hypot(x - spoolX, y - spoolY) <= 2.4; });
    Rect4(b, 5, 6, 7, 8, BLACK);
    // The rewind sign.
    Arrowhead(b, 6, 18, 9, false, NAVY);
    Arrowhead(b, 12, 18, 9, false, NAVY);
    return b;
}

// Open IX window: a card of the frame's recorded data, headed IX, with a
// small picture of the frame and lines of text.
IndexedBitmap IxCardImage() {
    IndexedBitmap b(SIZE, SIZE, SILVER);
    Rect4(b, 4, 5, 22, 22, GREY);  // shadow
    Rect4(b, 2, 3, 20, 20, WHITE);
    Frame4(b, 2, 3, 20, 20, BLACK);
    Art4(b, 4, 5, {
                      "nnnn.nn...nn",
                      ".nn..nn...nn",
                      ".nn...nn.nn.",
                      ".nn....nnn..",
                      ".nn...nn.nn.",
                      ".nn..nn...nn",
                      "nnnn.nn...nn",
                  });
    Rect4(b, 4, 13, 18, 13, NAVY);
    for (int y : {15, 17}) Rect4(b, 4, y, y == 15 ? 17 : 13, y, GREY);
    return b;
}

// ---------------------------------------------------------------------------
// Labels, rendered by convert (label_text.h).

struct Label {
    Coverage coverage;
    InkBox ink;
    int referenceMiddle2;  // twice the middle row of the reference glyph's ink
    int Width() const { return ink.right - ink.left + 1; }
};

bool MakeLabel(const TextRenderer& renderer, const Face& face, const std::string& text, Label& label) {
    Coverage reference;
    if (!renderer.Render(face, text, label.coverage) || !renderer.Render(face, face.reference, reference)) return false;
    label.ink = InkBoxOf(label.coverage);
    InkBox r = InkBoxOf(reference);
    label.referenceMiddle2 = r.top + r.bottom;
    return label.ink.right >= label.ink.left && r.right >= r.left;
}

// ---------------------------------------------------------------------------
// The legend.

constexpr int LEGEND_W = 188, LEGEND_H = 62;
// The check boxes, in the legend's pixels (the window puts them at x 488 and
// y 403, 417, 431, 445; the legend at 435, 399), 14 x 14.
constexpr int CHECK_X = 53, CHECK_SIZE = 14;
constexpr int CHECK_Y[4] = {4, 18, 32, 46};
constexpr int LABEL_X = CHECK_X + CHECK_SIZE + 4;
// The key to the date colours, left of a divider.
constexpr int DIVIDER_X = 48;
constexpr int TAG_X = 5, TAG_W = 39;

constexpr Rgb SHEET_GREY = {0xC0, 0xC0, 0xC0};  // the empty sheet's fill
constexpr Rgb SHADOW = {0x80, 0x80, 0x80};      // the cells' sunken outline, dark side
constexpr Rgb LIGHT = {0xFF, 0xFF, 0xFF};
constexpr Rgb INK_BLACK = {0, 0, 0};
// The colours the window writes the date in, on white.
constexpr Rgb DATE_FRONT = {0xFF, 0x00, 0x00}, DATE_BACK = {0, 0, 0}, DATE_NONE = {0xC0, 0xC0, 0xC0};

Rgb Mix(Rgb a, Rgb b, double t) {
    auto channel = [t](uint8_t p, uint8_t q) { return static_cast<uint8_t>(std::lround(p + (q - p) * t)); };
    return {channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

void Fill(RgbBitmap& b, int x0, int y0, int x1, int y1, Rgb c) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) b.Set(x, y, c);
}

// Like the sheet's cells: dark above and left, lit below and right.
void Sunken(RgbBitmap& b, int x0, int y0, int x1, int y1) {
    Fill(b, x0, y0, x1 - 1, y0, SHADOW);
    Fill(b, x0, y0, x0, y1 - 1, SHADOW);
    Fill(b, x0, y1, x1, y1, LIGHT);
    Fill(b, x1, y0, x1, y1, LIGHT);
}

// A groove round the whole picture, as the system etches a group of
// options: a dark outline with a lit one a pixel below and right of it.
void Etched(RgbBitmap& b) {
    auto outline = [&](int x0, int y0, int x1, int y1, Rgb c) {
        Fill(b, x0, y0, x1, y0, c);
        Fill(b, x0, y1, x1, y1, c);
        Fill(b, x0, y0, x0, y1, c);
        Fill(b, x1, y0, x1, y1, c);
    };
    outline(1, 1, b.width - 1, b.height - 1, LIGHT);
    outline(0, 0, b.width - 2, b.height - 2, SHADOW);
}

// Ink in sixteen steps, so that a label on a flat colour adds at most
// fifteen colours to the palette. The label's ink is placed so that its
// first column lands on x and its reference glyph is centred on centreY.
void DrawLabel(RgbBitmap& b, const Label& label, int x, int centreY, Rgb colour) {
    int dx = x - label.ink.left, dy = centreY - (label.referenceMiddle2 + 1) / 2;
    for (int y = 0; y < label.coverage.height; ++y) {
        for (int cx = 0; cx < label.coverage.width; ++cx) {
            uint8_t level = label.coverage.At(cx, y);
            if (level == 0) continue;
            int px = cx + dx, py = y + dy;
            if (px < 0 || py < 0 || px >= b.width || py >= b.height) continue;
            b.Set(px, py, Mix(b.At(px, py), colour, std::lround(level / 17.0) / 15.0));
        }
    }
}

struct LegendTexts {
    Label heading;     // over the key
    Label keys[3];     // front, back, not printed
    Label options[4];  // frame numbers, print aspect, date and time, title
};

int RowMiddle(int row) { return CHECK_Y[row] + CHECK_SIZE / 2 - 1; }

RgbBitmap Legend(const LegendTexts& t) {
    RgbBitmap b(LEGEND_W, LEGEND_H, SHEET_GREY);
    // An etched frame round the whole, like a group of options in a dialog,
    // and an etched divider between the key and the options.
    Etched(b);
    Fill(b, DIVIDER_X, 5, DIVIDER_X, LEGEND_H - 7, SHADOW);
    Fill(b, DIVIDER_X + 1, 5, DIVIDER_X + 1, LEGEND_H - 7, LIGHT);

    // The key: its heading on the first row, then one white tag a colour,
    // the word written as the window writes a date in that colour.
    DrawLabel(b, t.heading, (DIVIDER_X + 1 - t.heading.Width()) / 2, RowMiddle(0), INK_BLACK);
    const Rgb colours[3] = {DATE_FRONT, DATE_BACK, DATE_NONE};
    for (int i = 0; i < 3; ++i) {
        int middle = RowMiddle(i + 1), top = middle - 5, bottom = middle + 6;
        Fill(b, TAG_X, top, TAG_X + TAG_W - 1, bottom, LIGHT);
        Fill(b, TAG_X + 1, bottom + 1, TAG_X + TAG_W, bottom + 1, SHADOW);
        Fill(b, TAG_X + TAG_W, top + 1, TAG_X + TAG_W, bottom + 1, SHADOW);
        DrawLabel(b, t.keys[i], TAG_X + (TAG_W - t.keys[i].Width()) / 2, middle, colours[i]);
    }

    for (int i = 0; i < 4; ++i) DrawLabel(b, t.options[i], LABEL_X, RowMiddle(i), INK_BLACK);
    return b;
}

// ---------------------------------------------------------------------------
// The mock-up: what the window will show.

RgbBitmap ToRgb(const IndexedBitmap& b) {
    RgbBitmap out(b.width, b.height, SHEET_GREY);
    for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < b.width; ++x) out.Set(x, y, STANDARD_PALETTE[b.At(x, y)]);
    return out;
}

void Paste(RgbBitmap& onto, const RgbBitmap& piece, int x, int y) {
    for (int py = 0; py < piece.height; ++py)
        for (int px = 0; px < piece.width; ++px) onto.Set(x + px, y + py, piece.At(px, py));
}

// A toolbar button raised, its image 4 pixels in.
RgbBitmap RaisedButton(const IndexedBitmap& image) {
    RgbBitmap b(32, 32, SHEET_GREY);
    Fill(b, 0, 0, 31, 0, LIGHT);
    Fill(b, 0, 0, 0, 31, LIGHT);
    Fill(b, 0, 31, 31, 31, INK_BLACK);
    Fill(b, 31, 0, 31, 31, INK_BLACK);
    Fill(b, 1, 30, 30, 30, SHADOW);
    Fill(b, 30, 1, 30, 30, SHADOW);
    Paste(b, ToRgb(image), 4, 4);
    return b;
}

// A check box as the system draws it, ticked or not.
void CheckBox(RgbBitmap& b, int x, int y, bool ticked) {
    Fill(b, x, y, x + 12, y + 12, LIGHT);
    Sunken(b, x, y, x + 12, y + 12);
    Fill(b, x + 1, y + 1, x + 10, y + 1, INK_BLACK);
    Fill(b, x + 1, y + 1, x + 1, y + 10, INK_BLACK);
    if (!ticked) return;
    for (int i = 0; i < 7; ++i) {
        int tx = x + 3 + i, ty = y + (i < 2 ? 7 + i : 10 - i + 1);
        Fill(b, tx, ty - 2, tx, ty, INK_BLACK);
    }
}

using ButtonImages = std::vector<std::pair<int, IndexedBitmap>>;

RgbBitmap Mockup(const ButtonImages& buttons, const RgbBitmap& english, const RgbBitmap& japanese) {
    RgbBitmap m(2 * LEGEND_W + 30, 40 + 2 * 32 + LEGEND_H + 10, SHEET_GREY);
    for (size_t i = 0; i < buttons.size(); ++i)
        Paste(m, RaisedButton(buttons[i].second), 10 + static_cast<int>(i) * 36, 10);
    for (int k = 0; k < 2; ++k) {
        int x = 10 + k * (LEGEND_W + 10), y = 60;
        Paste(m, k == 0 ? english : japanese, x, y);
        for (int i = 0; i < 4; ++i) CheckBox(m, x + CHECK_X, y + CHECK_Y[i], i == 0 || i == 2);
    }
    return m;
}

// ---------------------------------------------------------------------------
// Checks of what the window relies on.

bool Check(bool ok, const char* what) {
    if (!ok) std::fprintf(stderr, "make_index_bitmaps: %s\n", what);
    return ok;
}

bool FlatIn(const RgbBitmap& b, int x0, int y0, int w, int h, Rgb c) {
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            if (!(b.At(x, y) == c)) return false;
    return true;
}

bool MakeTexts(const TextRenderer& renderer, const Face& face, const char* heading, const char* const keys[3],
               const char* const options[4], LegendTexts& t) {
    bool ok = MakeLabel(renderer, face, heading, t.heading);
    for (int i = 0; i < 3; ++i) ok = ok && MakeLabel(renderer, face, keys[i], t.keys[i]);
    for (int i = 0; i < 4; ++i) ok = ok && MakeLabel(renderer, face, options[i], t.options[i]);
    if (!ok) return false;
    ok &= Check(t.heading.Width() + 4 <= DIVIDER_X, "the key's heading is wider than the key");
    for (const Label& k : t.keys) ok &= Check(k.Width() + 4 <= TAG_W, "a colour's name is wider than its tag");
    for (const Label& o : t.options)
        ok &= Check(LABEL_X + o.Width() + 4 <= LEGEND_W, "an option's name runs off the legend");
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5 && argc != 6) {
        std::fprintf(stderr,
                     "usage: make_index_bitmaps OUTPUT_FOLDER CONVERT LATIN_BOLD_FONT JAPANESE_FONT [MOCKUP_FOLDER]\n");
        return 2;
    }
    std::string folder = argv[1];
    const TextRenderer renderer = {argv[2], "make_index_bitmaps"};
    const Face latin = {argv[3], 11, 0, "H"};
    const Face japanese = {argv[4], 12, 1.0, "\xE5\x9B\xBD"};  // 国

    const char* keysEnglish[3] = {"Front", "Back", "No"};
    const char* optionsEnglish[4] = {"Frame No.", "Print Aspect", "Date / Time", "Title"};
    const char* keysJapanese[3] = {"表", "裏", "なし"};
    const char* optionsJapanese[4] = {"コマ番号", "プリントサイズ", "日付／時刻", "タイトル"};
    LegendTexts english, japaneseTexts;
    if (!MakeTexts(renderer, latin, "Printed", keysEnglish, optionsEnglish, english) ||
        !MakeTexts(renderer, japanese, "印字", keysJapanese, optionsJapanese, japaneseTexts))
        return 1;
    RgbBitmap legendEnglish = Legend(english), legendJapanese = Legend(japaneseTexts);

    bool ok = true;
    for (const RgbBitmap* legend : {&legendEnglish, &legendJapanese}) {
        for (int y : CHECK_Y)
            ok &= Check(FlatIn(*legend, CHECK_X, y, CHECK_SIZE, CHECK_SIZE, SHEET_GREY),
                        "a check box's square in the legend is not flat sheet grey");
    }

    const ButtonImages buttons = {
        {145, OpenImage()},       {146, SaveImage()},          {149, AutoScanImage()},
        {150, SingleScanImage()}, {144, ClearImage()},         {151, CopyImage()},
        {147, PreviewWindowImage()}, {148, RewindImage()},     {143, IxCardImage()},
    };
    for (const auto& [id, image] : buttons) {
        // The toolbar takes the corner pixels for the face it maps.
        ok &= Check(image.At(0, 0) == SILVER && image.At(SIZE - 1, 0) == SILVER && image.At(0, SIZE - 1) == SILVER &&
                        image.At(SIZE - 1, SIZE - 1) == SILVER,
                    "a button image has no button face at its corners");
    }
    if (!ok) return 1;

    for (const auto& [id, image] : buttons) {
        std::string path = folder + "/button_" + std::to_string(id) + ".bmp";
        if (!Write4BitBmp(path, image)) {
            std::fprintf(stderr, "make_index_bitmaps: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    for (const auto& [name, legend] : {std::pair{"index_d", &legendEnglish}, std::pair{"index_dj", &legendJapanese}}) {
        std::string path = folder + "/" + name + ".bmp";
        if (!Write8BitBmp(path, *legend)) {
            std::fprintf(stderr, "make_index_bitmaps: cannot write %s (more than 256 colours, or no room)\n",
                         path.c_str());
            return 1;
        }
    }
    if (argc == 6 &&
        !Write24BitBmp(std::string(argv[5]) + "/index_mockup.bmp", Mockup(buttons, legendEnglish, legendJapanese))) {
        std::fprintf(stderr, "make_index_bitmaps: cannot write the mock-up into %s\n", argv[5]);
        return 1;
    }
    return 0;
}
