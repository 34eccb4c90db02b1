// Checks the source's generated bitmaps against what the windows that draw
// them rely on: every bitmap they load by name is in the resource script,
// with its size and colour depth; the Japanese labels lie seamlessly over
// the background; the window's own texts land on the exact colours they
// are written on; the film holder masks blend with the light grey square
// they are laid on; tool button images have the button face at their edge;
// the pressed Preview and Scan looks hold the same image as the buttons;
// the index window's legend leaves its check boxes' places plain and names
// the option beside each.
// Built and run on the build machine as a test of the Windows build.
//
// Usage: check_source_bitmaps ARTWORK_FOLDER BITMAPS.rc
#include <cstdio>
#include <iterator>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "bitmap_file.h"

namespace {

using namespace artwork;

struct Expected {
    const char* name;
    int width, height, bits;
};
// Sizes as the windows draw them; 16-colour images where nothing else is
// asked for and the picture is a button.
constexpr Expected EXPECTED[] = {
    {"STOP_0", 32, 32, 4},        {"STOP_1", 32, 32, 4},        {"PREVIEW_BMP", 510, 363, 8},
    {"FTYPE_JP_BMP", 92, 20, 8},  {"ISIZE_JP_BMP", 120, 20, 8}, {"IRESO_JP_BMP", 120, 20, 8},
    {"EBIAS_JP_BMP", 92, 24, 8},  {"CBALA_JP_BMP", 100, 24, 8}, {"801", 24, 24, 4},
    {"802", 24, 24, 4},           {"803", 24, 24, 4},           {"804", 24, 24, 4},
    {"805", 24, 24, 4},           {"806", 40, 11, 4},           {"810", 36, 11, 4},
    {"822", 10, 10, 4},           {"900", 59, 18, 4},           {"901", 59, 18, 4},
    {"910", 59, 18, 4},           {"911", 59, 18, 4},           {"PREVIEW_ON", 67, 26, 4},
    {"PREVIEW_ON_JP", 67, 26, 4}, {"SCAN_ON", 67, 26, 4},       {"SCAN_ON_JP", 67, 26, 4},
    {"MASK_H", 246, 166, 8},      {"MASKO_H", 246, 166, 8},     {"MASK_V", 166, 246, 8},
    {"MASKO_V", 166, 246, 8},     {"MASK_AH", 197, 115, 8},     {"MASKO_AH", 197, 115, 8},
    {"MASK_AV", 115, 197, 8},     {"MASKO_AV", 115, 197, 8},    {"RES_BAR", 92, 20, 8},
    {"RETOUCH_BMP", 280, 180, 8},  {"143", 24, 24, 4},            {"144", 24, 24, 4},
    {"145", 24, 24, 4},           {"146", 24, 24, 4},           {"147", 24, 24, 4},
    {"148", 24, 24, 4},           {"149", 24, 24, 4},           {"150", 24, 24, 4},
    {"151", 24, 24, 4},           {"INDEX_D", 188, 62, 8},      {"INDEX_DJ", 188, 62, 8},
    {"IXWIND", 350, 400, 8},      {"IXWIND_J", 350, 400, 8},
};

struct Overlay {
    const char* name;
    int x, y;
};
constexpr Overlay OVERLAYS[] = {
    {"FTYPE_JP_BMP", 3, 266}, {"ISIZE_JP_BMP", 120, 266}, {"IRESO_JP_BMP", 266, 266},
    {"EBIAS_JP_BMP", 280, 10}, {"CBALA_JP_BMP", 280, 77},
};

constexpr Rgb PANEL = {0x21, 0x21, 0x21};
constexpr Rgb LIGHT_GREY = {0xC0, 0xC0, 0xC0};

// Where the main window writes on the panel colour (its text origins in
// both languages; the first few characters' cells) and on light grey (the
// read-out row).
struct Place {
    int x, y, w, h;
    Rgb colour;
};
constexpr Place TEXT_PLACES[] = {
    {27, 291, 18, 15, PANEL},  {20, 291, 18, 15, PANEL},  {15, 308, 90, 15, PANEL},  {10, 308, 90, 15, PANEL},
    {15, 325, 90, 15, PANEL},  {10, 325, 90, 15, PANEL},  {150, 321, 30, 15, PANEL}, {276, 316, 100, 15, PANEL},
    {284, 316, 90, 15, PANEL}, {323, 338, 20, 15, PANEL}, {308, 238, 180, 15, LIGHT_GREY},
};

int failures = 0;

void Fail(const std::string& what) {
    std::fprintf(stderr, "check_source_bitmaps: %s\n", what.c_str());
    ++failures;
}

// NAME BITMAP "file" lines of the resource script.
std::map<std::string, std::string> ReadResourceScript(const std::string& path) {
    std::map<std::string, std::string> files;
    FILE* f = std::fopen(path.c_str(), "r");
    if (f == nullptr) {
        Fail("cannot read " + path);
        return files;
    }
    char line[512];
    while (std::fgets(line, sizeof line, f) != nullptr) {
        char name[128], kind[16], file[256];
        if (std::sscanf(line, "%127s %15s \"%255[^\"]\"", name, kind, file) == 3 && std::string(kind) == "BITMAP")
            files[name] = file;
    }
    std::fclose(f);
    return files;
}

bool Flat(const RgbBitmap& b, int x0, int y0, int w, int h, Rgb c) {
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            if (!(b.At(x, y) == c)) return false;
    return true;
}

void CheckOverlays(const std::map<std::string, ReadBitmap>& bitmaps) {
    const RgbBitmap& background = bitmaps.at("PREVIEW_BMP").picture;
    for (const Overlay& o : OVERLAYS) {
        const RgbBitmap& label = bitmaps.at(o.name).picture;
        bool seamless = true, differs = false;
        for (int y = 0; y < label.height; ++y) {
            for (int x = 0; x < label.width; ++x) {
                bool edge = x == 0 || y == 0 || x == label.width - 1 || y == label.height - 1;
                bool same = label.At(x, y) == background.At(o.x + x, o.y + y);
                if (edge && !same) seamless = false;
                if (!same) differs = true;
            }
        }
        if (!seamless) Fail(std::string(o.name) + " does not meet the background at its edge");
        if (!differs) Fail(std::string(o.name) + " shows nothing other than the background");
    }
}

void CheckTextPlaces(const RgbBitmap& background) {
    for (const Place& p : TEXT_PLACES) {
        if (!Flat(background, p.x, p.y, p.w, p.h, p.colour))
            Fail("the background is not flat where the window writes at " + std::to_string(p.x) + ", " +
                 std::to_string(p.y));
    }
}

void CheckMasks(const std::map<std::string, ReadBitmap>& bitmaps) {
    for (const char* name : {"MASK_H", "MASKO_H", "MASK_V", "MASKO_V", "MASK_AH", "MASKO_AH", "MASK_AV", "MASKO_AV"}) {
        const RgbBitmap& m = bitmaps.at(name).picture;
        int r = m.width - 1, b = m.height - 1;
        if (!(m.At(0, 0) == LIGHT_GREY && m.At(r, 0) == LIGHT_GREY && m.At(0, b) == LIGHT_GREY && m.At(r, b) == LIGHT_GREY))
            Fail(std::string(name) + "'s corners are not the light grey it is laid on");
    }
    // The framed holders are one colour inside the frame, for the preview
    // to be drawn over line by line.
    for (const char* name : {"MASKO_H", "MASKO_V", "MASKO_AH", "MASKO_AV"}) {
        const RgbBitmap& m = bitmaps.at(name).picture;
        if (!Flat(m, 3, 3, m.width - 6, m.height - 6, m.At(3, 3))) Fail(std::string(name) + " is not plain inside");
    }
}

void CheckButtons(const std::map<std::string, ReadBitmap>& bitmaps) {
    for (const char* name : {"801", "802", "803", "804", "805", "806", "810", "822", "900", "901", "910", "911", "143",
                             "144", "145", "146", "147", "148", "149", "150", "151"}) {
        const RgbBitmap& b = bitmaps.at(name).picture;
        int r = b.width - 1, d = b.height - 1;
        if (!(b.At(0, 0) == LIGHT_GREY && b.At(r, 0) == LIGHT_GREY && b.At(0, d) == LIGHT_GREY && b.At(r, d) == LIGHT_GREY))
            Fail(std::string("tool button image ") + name + " has no button face at its corners");
    }
    struct Pressed {
        const char* look;
        const char* image;
    };
    for (const Pressed& p : {Pressed{"PREVIEW_ON", "900"}, Pressed{"PREVIEW_ON_JP", "901"}, Pressed{"SCAN_ON", "910"},
                             Pressed{"SCAN_ON_JP", "911"}}) {
        const RgbBitmap& look = bitmaps.at(p.look).picture;
        const RgbBitmap& image = bitmaps.at(p.image).picture;
        // Pressed: the image one pixel further in than the toolbar's 4.
        bool same = true;
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x) same = same && look.At(5 + x, 5 + y) == image.At(x, y);
        if (!same) Fail(std::string(p.look) + " does not hold the image of button " + p.image + " pressed");
        auto level = [](Rgb c) { return c.r + c.g + c.b; };
        if (level(look.At(1, 1)) >= level(look.At(look.width - 1, look.height - 1)))
            Fail(std::string(p.look) + " is not sunken");
    }
}

// The gamma curve window draws its curve white and then takes it away by
// inverting it, which leaves black: the graph must be black under it.
void CheckGammaGraph(const RgbBitmap& background) {
    constexpr Rgb BLACK_GRAPH = {0, 0, 0};
    for (auto [x, y] : {std::pair{31, 8}, std::pair{158, 8}, std::pair{158, 135}, std::pair{94, 100}}) {
        if (!(background.At(x, y) == BLACK_GRAPH))
            Fail("RETOUCH_BMP's graph is not black at " + std::to_string(x) + ", " + std::to_string(y));
    }
}

// The index window draws its legend into the sheet at 435, 399 and lays
// its four display-option check boxes (14 x 14) over it at x 488, y 403,
// 417, 431 and 445. The boxes' squares are left plain sheet grey, each
// option is named to the right of its box, and the key shows the date's
// front colour, pure red, as the window writes it.
void CheckIndexLegends(const std::map<std::string, ReadBitmap>& bitmaps) {
    constexpr int LEGEND_X = 435, LEGEND_Y = 399, BOX_X = 488, BOX_SIZE = 14;
    constexpr int BOX_Y[4] = {403, 417, 431, 445};
    for (const char* name : {"INDEX_D", "INDEX_DJ"}) {
        const RgbBitmap& legend = bitmaps.at(name).picture;
        for (int boxY : BOX_Y) {
            int x = BOX_X - LEGEND_X, y = boxY - LEGEND_Y;
            if (!Flat(legend, x, y, BOX_SIZE, BOX_SIZE, LIGHT_GREY))
                Fail(std::string(name) + " is not plain sheet grey under the check box at y " + std::to_string(boxY));
            bool named = false;
            for (int py = y; py < y + BOX_SIZE; ++py)
                for (int px = x + BOX_SIZE; px < legend.width; ++px) {
                    Rgb c = legend.At(px, py);
                    named = named || c.r + c.g + c.b < 150;
                }
            if (!named) Fail(std::string(name) + " names no option beside the check box at y " + std::to_string(boxY));
        }
        bool red = false;
        for (int py = 0; py < legend.height; ++py)
            for (int px = 0; px < BOX_X - LEGEND_X; ++px) red = red || legend.At(px, py) == Rgb{0xFF, 0, 0};
        if (!red) Fail(std::string(name) + "'s key shows no pure red for a date printed on the front");
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: check_source_bitmaps ARTWORK_FOLDER BITMAPS.rc\n");
        return 2;
    }
    std::string folder = argv[1];
    std::map<std::string, std::string> files = ReadResourceScript(argv[2]);
    std::map<std::string, ReadBitmap> bitmaps;
    for (const Expected& e : EXPECTED) {
        auto file = files.find(e.name);
        if (file == files.end()) {
            Fail(std::string(e.name) + " is not in the resource script");
            continue;
        }
        ReadBitmap b;
        if (!ReadBmp(folder + "/" + file->second, b)) {
            Fail("cannot read " + file->second + " for " + e.name);
            continue;
        }
        if (b.picture.width != e.width || b.picture.height != e.height || b.bits != e.bits) {
            Fail(std::string(e.name) + " is " + std::to_string(b.picture.width) + " x " +
                 std::to_string(b.picture.height) + " in " + std::to_string(b.bits) + " bits, not " +
                 std::to_string(e.width) + " x " + std::to_string(e.height) + " in " + std::to_string(e.bits));
            continue;
        }
        bitmaps[e.name] = std::move(b);
    }
    if (failures == 0) {
        CheckOverlays(bitmaps);
        CheckTextPlaces(bitmaps.at("PREVIEW_BMP").picture);
        CheckMasks(bitmaps);
        CheckButtons(bitmaps);
        CheckGammaGraph(bitmaps.at("RETOUCH_BMP").picture);
        CheckIndexLegends(bitmaps);
    }
    if (failures == 0) std::printf("check_source_bitmaps: %zu bitmaps as the windows expect them\n", std::size(EXPECTED));
    return failures == 0 ? 0 : 1;
}
