// Draws the IX window's background, IXWIND (English labels) and IXWIND_J
// (Japanese), 350 x 400 in 256 colours. Built and run on the build machine.
//
// The window copies the picture to its client area and lays its controls
// over it at fixed places; it writes the frame's film kind, speed and
// exposure count itself, green on light grey, and copies the frame's
// thumbnail into a 96 x 66 hole. So the picture is light grey like the
// index sheet, keeps every control's place and every written place plain,
// and carries only what does not change: the names of the fields, the
// C / H / P beside the aspect buttons, headings over the lists, etched
// group lines round the aspect, date, time and title sections and a sunken
// seat round the thumbnail. Label texts are rendered by ImageMagick's
// convert from TrueType fonts, read back as grey coverage (label_text.h).
//
// Before writing, the generator checks its own layout: every label's ink
// inside the part of the picture the window shows, clear of every control,
// of the group lines and of every other label, and the written places and
// the thumbnail's hole plain light grey. A failed check fails the build.
//
// Usage: make_ix_bitmaps OUTPUT_FOLDER CONVERT LATIN_BOLD_FONT JAPANESE_FONT [MOCKUP_FOLDER]
// With a mock-up folder it also writes ix_mockup_en.bmp and
// ix_mockup_jp.bmp there: the window with stand-ins for its controls, a
// thumbnail and its texts in place, for checking the artwork by eye.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "bitmap_file.h"
#include "label_text.h"

namespace {

using namespace artwork;

constexpr int WIDTH = 350, HEIGHT = 400;
// The window is 340 wide with a fixed three-pixel frame, so its client
// area shows the picture's first 334 columns; its height is 380 plus the
// caption's allowance, which leaves about 378 rows in view.
constexpr int SHOWN_W = 334, SHOWN_H = 378;

constexpr Rgb GROUND = {0xC0, 0xC0, 0xC0};  // the grey the window writes its texts on
constexpr Rgb SHADOW = {0x80, 0x80, 0x80};
constexpr Rgb LIGHT = {0xFF, 0xFF, 0xFF};
constexpr Rgb INK = {0, 0, 0};
constexpr Rgb DARK = {0x40, 0x40, 0x40};     // the inner dark ring of a sunken seat
constexpr Rgb HEADING_INK = {0x30, 0x30, 0x60};  // column headings, quieter than the names

// ---------------------------------------------------------------------------
// Rectangles, in client pixels.

struct Box {
    int x, y, w, h;
    int Right() const { return x + w - 1; }
    int Bottom() const { return y + h - 1; }
    Box Grown(int n) const { return {x - n, y - n, w + 2 * n, h + 2 * n}; }
    bool Meets(const Box& o) const { return x <= o.Right() && o.x <= Right() && y <= o.Bottom() && o.y <= Bottom(); }
    bool Within(const Box& o) const { return x >= o.x && y >= o.y && Right() <= o.Right() && Bottom() <= o.Bottom(); }
};

// A combo box is moved with its dropped-down height; shut, it shows only
// its selection field, as high as an edit at the window's font. That is
// what lies over the picture.
constexpr int SHUT_LIST_H = 23;

struct Control {
    const char* name;
    Box box;
};
constexpr Control CONTROLS[] = {
    {"button <", {85, 10, 15, 18}},
    {"frame number", {102, 8, 35, 23}},
    {"button >", {139, 10, 15, 18}},
    {"single scan tool button", {170, 2, 32, 32}},
    {"aspect C", {130, 104, 15, 15}},
    {"aspect H", {180, 104, 15, 15}},
    {"aspect P", {230, 104, 15, 15}},
    {"date part 1", {45, 153, 35, 23}},
    {"date part 2", {85, 153, 35, 23}},
    {"date part 3", {125, 153, 35, 23}},
    {"date order list", {165, 153, 70, SHUT_LIST_H}},
    {"date print list", {240, 153, 70, SHUT_LIST_H}},
    {"hour", {45, 222, 35, 23}},
    {"minute", {85, 222, 35, 23}},
    {"AM/PM list", {125, 222, 60, SHUT_LIST_H}},
    {"time print list", {240, 222, 70, SHUT_LIST_H}},
    {"title list", {45, 280, 265, SHUT_LIST_H}},
    {"language list", {160, 310, 150, SHUT_LIST_H}},
    {"Read", {140, 345, 50, 20}},
    {"REC", {200, 345, 50, 20}},
    {"Cancel", {260, 345, 50, 20}},
};

// What the window draws itself: the thumbnail, and the film kind (36
// blanks at 52, 42), speed and exposures (14 blanks at 130, 58 and 74) in
// its 15-pixel font. The texts may run up to the thumbnail's seat.
constexpr Box THUMBNAIL = {220, 15, 96, 66};
constexpr int TEXT_END = 216;
constexpr Box RUNTIME_AREAS[] = {
    THUMBNAIL,
    {52, 42, TEXT_END - 52 + 1, 15},
    {130, 58, TEXT_END - 130 + 1, 15},
    {130, 74, TEXT_END - 130 + 1, 15},
};

// Etched group lines round the sections with controls of their own.
constexpr int GROUP_LEFT = 4, GROUP_RIGHT = 329;
constexpr Box GROUPS[] = {
    {GROUP_LEFT, 94, GROUP_RIGHT - GROUP_LEFT + 1, 34},   // print aspect
    {GROUP_LEFT, 133, GROUP_RIGHT - GROUP_LEFT + 1, 55},  // date
    {GROUP_LEFT, 200, GROUP_RIGHT - GROUP_LEFT + 1, 56},  // time
    {GROUP_LEFT, 268, GROUP_RIGHT - GROUP_LEFT + 1, 71},  // title and language
};

// ---------------------------------------------------------------------------
// The labels. Names sit in one column at the left, centred on their row;
// where that column is too close to the control (the language list), the
// name ends a little before it. Headings sit over their list, from its
// text's start. The radio letters follow their buttons.

constexpr int NAME_X = 11;
constexpr int NAME_GAP = 6;  // least room between a name and its control

enum class Kind { NAME, HEADING, LETTER };

struct LabelSpec {
    const char* english;
    const char* japanese;
    Kind kind;
    int x;        // the ink's first column, or with endX its last
    int centreY;  // where the reference glyph is centred
    bool endX;    // x is where the ink ends
};

// Row middles of the controls and written texts: the 15-pixel texts have
// their capitals' middle 7 rows down; edits and shut lists their text's
// middle 11 rows down.
constexpr LabelSpec LABELS[] = {
    {"Frame No.", "コマ番号", Kind::NAME, NAME_X, 19, false},
    {"Film", "種別", Kind::NAME, NAME_X, 49, false},
    {"Film speed", "感度", Kind::NAME, NAME_X, 65, false},
    {"Exposures", "撮影枚数", Kind::NAME, NAME_X, 81, false},
    {"Print aspect ratio", "プリントサイズ", Kind::NAME, NAME_X, 111, false},
    {"C", "C", Kind::LETTER, 130 + 15 + 4, 111, false},
    {"H", "H", Kind::LETTER, 180 + 15 + 4, 111, false},
    {"P", "P", Kind::LETTER, 230 + 15 + 4, 111, false},
    {"Date", "日付", Kind::NAME, NAME_X, 164, false},
    {"Order", "表示順", Kind::HEADING, 165 + 3, 144, false},
    {"Print", "印字", Kind::HEADING, 240 + 3, 144, false},
    {"Time", "時刻", Kind::NAME, NAME_X, 233, false},
    {"AM/PM", "午前/午後", Kind::HEADING, 125 + 3, 211, false},
    {"Print", "印字", Kind::HEADING, 240 + 3, 211, false},
    {"Title", "題名", Kind::NAME, NAME_X, 291, false},
    {"Language", "言語", Kind::NAME, 160 - NAME_GAP, 321, true},
};

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

// Where a label's coverage map goes: its ink's first (or last) column on
// x and its reference glyph centred on centreY.
struct Placed {
    int dx, dy;
    Box ink;  // in client pixels
};
Placed Place(const Label& label, const LabelSpec& spec) {
    int firstX = spec.endX ? spec.x - label.Width() + 1 : spec.x;
    int dx = firstX - label.ink.left, dy = spec.centreY - (label.referenceMiddle2 + 1) / 2;
    return {dx, dy, {label.ink.left + dx, label.ink.top + dy, label.Width(), label.ink.bottom - label.ink.top + 1}};
}

// ---------------------------------------------------------------------------
// Drawing.

Rgb Mix(Rgb a, Rgb b, double t) {
    auto channel = [t](uint8_t p, uint8_t q) { return static_cast<uint8_t>(std::lround(p + (q - p) * t)); };
    return {channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

void Fill(RgbBitmap& b, Box r, Rgb c) {
    for (int y = r.y; y <= r.Bottom(); ++y)
        for (int x = r.x; x <= r.Right(); ++x) b.Set(x, y, c);
}

// A one-pixel frame: top and left in one colour, bottom and right in another.
void Bevel(RgbBitmap& b, Box r, Rgb topLeft, Rgb bottomRight) {
    Fill(b, {r.x, r.y, r.w - 1, 1}, topLeft);
    Fill(b, {r.x, r.y, 1, r.h - 1}, topLeft);
    Fill(b, {r.x, r.Bottom(), r.w, 1}, bottomRight);
    Fill(b, {r.Right(), r.y, 1, r.h}, bottomRight);
}

// A group line as the system etches it: a dark outline with a lit one a
// pixel below and right of it. The box is the whole groove.
void EtchedGroup(RgbBitmap& b, Box r) {
    auto outline = [&](Box o, Rgb c) { Bevel(b, o, c, c); };
    outline({r.x + 1, r.y + 1, r.w - 1, r.h - 1}, LIGHT);
    outline({r.x, r.y, r.w - 1, r.h - 1}, SHADOW);
}

// The thumbnail's seat: two sunken rings round the hole, like a client
// edge.
void SunkenSeat(RgbBitmap& b, Box hole) {
    Bevel(b, hole.Grown(2), SHADOW, LIGHT);
    Bevel(b, hole.Grown(1), DARK, GROUND);
}

// Ink in sixteen steps, so that a label on the flat ground adds at most
// fifteen colours to the palette.
void DrawLabel(RgbBitmap& b, const Label& label, const Placed& at, Rgb colour) {
    for (int y = 0; y < label.coverage.height; ++y) {
        for (int x = 0; x < label.coverage.width; ++x) {
            uint8_t level = label.coverage.At(x, y);
            if (level == 0) continue;
            int px = x + at.dx, py = y + at.dy;
            b.Set(px, py, Mix(b.At(px, py), colour, std::lround(level / 17.0) / 15.0));
        }
    }
}

// Separators between the edits: a colon between hour and minute, and the
// dots the window's date texts use between the date's parts, on the
// edits' text line.
void Separators(RgbBitmap& b) {
    for (int x : {81, 121}) Fill(b, {x + 1, 167, 2, 2}, INK);
    Fill(b, {82, 229, 2, 2}, INK);
    Fill(b, {82, 236, 2, 2}, INK);
}

struct Texts {
    Label labels[std::size(LABELS)];
};

RgbBitmap Background(const Texts& t) {
    RgbBitmap b(WIDTH, HEIGHT, GROUND);
    for (const Box& g : GROUPS) EtchedGroup(b, g);
    SunkenSeat(b, THUMBNAIL);
    Separators(b);
    for (size_t i = 0; i < std::size(LABELS); ++i)
        DrawLabel(b, t.labels[i], Place(t.labels[i], LABELS[i]), LABELS[i].kind == Kind::HEADING ? HEADING_INK : INK);
    return b;
}

// ---------------------------------------------------------------------------
// Checks of the layout.

bool Check(bool ok, const std::string& what) {
    if (!ok) std::fprintf(stderr, "make_ix_bitmaps: %s\n", what.c_str());
    return ok;
}

bool FlatIn(const RgbBitmap& b, Box r, Rgb c) {
    for (int y = r.y; y <= r.Bottom(); ++y)
        for (int x = r.x; x <= r.Right(); ++x)
            if (!(b.At(x, y) == c)) return false;
    return true;
}

// The rows and columns a group's groove takes, each a thin box.
std::vector<Box> GrooveLines(const Box& g) {
    return {{g.x, g.y, g.w, 2}, {g.x, g.Bottom() - 1, g.w, 2}, {g.x, g.y, 2, g.h}, {g.Right() - 1, g.y, 2, g.h}};
}

bool CheckLayout(const Texts& t, const char* language) {
    bool ok = true;
    std::string in = std::string(" (") + language + ")";
    const Box shown = {0, 0, SHOWN_W, SHOWN_H};
    std::vector<Box> placed;
    for (size_t i = 0; i < std::size(LABELS); ++i) {
        Box ink = Place(t.labels[i], LABELS[i]).ink;
        std::string name = std::string("label \"") + LABELS[i].english + "\"" + in;
        ok &= Check(ink.Grown(2).Within(shown), name + " is not inside the window's client area");
        for (const Control& c : CONTROLS)
            ok &= Check(!ink.Meets(c.box.Grown(2)), name + " touches the " + c.name);
        for (const Box& r : RUNTIME_AREAS) ok &= Check(!ink.Meets(r.Grown(1)), name + " runs into a written place");
        for (const Box& g : GROUPS)
            for (const Box& line : GrooveLines(g)) ok &= Check(!ink.Meets(line.Grown(2)), name + " crosses a group line");
        for (const Box& other : placed) ok &= Check(!ink.Meets(other.Grown(2)), name + " touches another label");
        placed.push_back(ink);
        // A name belongs to the control or written text of its row: it
        // ends before them.
        if (LABELS[i].kind == Kind::NAME) {
            std::vector<Control> row(std::begin(CONTROLS), std::end(CONTROLS));
            for (const Box& r : RUNTIME_AREAS) row.push_back({"written text", r});
            for (const Control& c : row) {
                bool sameRow = c.box.y <= ink.Bottom() && ink.y <= c.box.Bottom();
                if (sameRow && c.box.x > ink.x)
                    ok &= Check(c.box.x - ink.Right() - 1 >= NAME_GAP - 1, name + " is too close to the " + c.name);
            }
        }
    }
    // Every control and every group lies where the window shows it.
    for (const Control& c : CONTROLS) ok &= Check(c.box.Within(shown), std::string("the ") + c.name + " is not shown");
    for (const Box& g : GROUPS) {
        ok &= Check(g.Within(shown), "a group line is outside the client area");
        for (const Control& c : CONTROLS) {
            bool crosses = false;
            for (const Box& line : GrooveLines(g)) crosses = crosses || line.Meets(c.box.Grown(1));
            ok &= Check(!crosses, std::string("a group line runs under the ") + c.name);
        }
    }
    return ok;
}

bool CheckPicture(const RgbBitmap& b, const char* language) {
    bool ok = true;
    for (const Box& r : RUNTIME_AREAS)
        ok &= Check(FlatIn(b, r, GROUND), std::string("a written place or the thumbnail's hole is not plain grey (") +
                                              language + ")");
    return ok;
}

// ---------------------------------------------------------------------------
// The mock-up: the window as it will look, with stand-ins for its controls.

void MockText(RgbBitmap& b, const TextRenderer& renderer, const Face& face, const std::string& text, int x,
              int centreY, Rgb ink) {
    Label l;
    if (!MakeLabel(renderer, face, text, l)) return;
    LabelSpec spec = {"", "", Kind::NAME, x, centreY, false};
    DrawLabel(b, l, Place(l, spec), ink);
}

void MockEdit(RgbBitmap& b, Box r) {
    Fill(b, r, LIGHT);
    Bevel(b, r, SHADOW, LIGHT);
    Bevel(b, r.Grown(-1), INK, GROUND);
}

void MockButton(RgbBitmap& b, Box r) {
    Fill(b, r, GROUND);
    Bevel(b, r, LIGHT, INK);
    Bevel(b, r.Grown(-1), GROUND, SHADOW);
}

void MockList(RgbBitmap& b, Box r) {
    MockEdit(b, r);
    Box arrow = {r.Right() - 17, r.y + 2, 16, r.h - 4};
    MockButton(b, arrow);
    int cx = arrow.x + 7, cy = arrow.y + arrow.h / 2 - 1;
    for (int i = 0; i < 4; ++i) Fill(b, {cx - 3 + i, cy + i, 7 - 2 * i, 1}, INK);
}

void MockRadio(RgbBitmap& b, Box r, bool checked) {
    double cx = r.x + 6.5, cy = r.y + 6.5;
    for (int y = r.y; y < r.y + 13; ++y) {
        for (int x = r.x; x < r.x + 13; ++x) {
            double d = std::hypot(x + 0.5 - cx - 0.5, y + 0.5 - cy - 0.5);
            if (d <= 6.5 && d > 5.3) b.Set(x, y, x + y < r.x + r.y + 12 ? SHADOW : LIGHT);
            else if (d <= 5.3) b.Set(x, y, LIGHT);
            if (checked && d <= 2.0) b.Set(x, y, INK);
        }
    }
}

// A photograph in the thumbnail's hole: sky, a hill and a sun.
void MockThumbnail(RgbBitmap& b) {
    for (int y = 0; y < THUMBNAIL.h; ++y) {
        for (int x = 0; x < THUMBNAIL.w; ++x) {
            double hill = 38 + std::abs(x - 30) * 0.45;
            Rgb c = y >= hill || y >= 50 ? Rgb{0x3C, 0x8C, 0x3C} : Rgb{0x78, 0xB4, 0xE6};
            if (std::hypot(x - 74.0, y - 14.0) < 6) c = {0xFF, 0xE0, 0x40};
            b.Set(THUMBNAIL.x + x, THUMBNAIL.y + y, c);
        }
    }
}

RgbBitmap Mockup(const RgbBitmap& background, const TextRenderer& renderer, const Face& controlFace,
                 const Face& labelFace, bool japanese) {
    RgbBitmap b = background;
    const Rgb GREEN_TEXT = {0, 0x80, 0};
    MockThumbnail(b);
    // The window's written texts, in a face near its 15-pixel bold Arial.
    MockText(b, renderer, controlFace, "Color negative", 53, 49, GREEN_TEXT);
    MockText(b, renderer, controlFace, "200", 131, 65, GREEN_TEXT);
    MockText(b, renderer, controlFace, "25", 131, 81, GREEN_TEXT);
    for (const Control& c : CONTROLS) {
        std::string name = c.name;
        if (name.rfind("button", 0) == 0 || name == "Read" || name == "REC" || name == "Cancel") {
            MockButton(b, c.box);
            std::string text = name.rfind("button", 0) == 0 ? name.substr(7) : name;
            Label l;
            if (MakeLabel(renderer, controlFace, text, l))
                MockText(b, renderer, controlFace, text, c.box.x + (c.box.w - l.Width()) / 2,
                         c.box.y + c.box.h / 2 - 1, INK);
        } else if (name == "single scan tool button") {
            MockButton(b, c.box);
        } else if (name.rfind("aspect", 0) == 0) {
            MockRadio(b, c.box, name == "aspect H");
        } else if (name.find("list") != std::string::npos) {
            MockList(b, c.box);
        } else {
            MockEdit(b, c.box);
        }
    }
    const Face& listFace = japanese ? labelFace : controlFace;
    auto fieldText = [&](const Box& r, const std::string& text, const Face& face) {
        MockText(b, renderer, face, text, r.x + 4, r.y + r.h / 2 - 1, INK);
    };
    fieldText(CONTROLS[1].box, "7", controlFace);
    fieldText(CONTROLS[7].box, "05", controlFace);
    fieldText(CONTROLS[8].box, "6", controlFace);
    fieldText(CONTROLS[9].box, "14", controlFace);
    fieldText(CONTROLS[10].box, japanese ? "年月日" : "Y/M/D", listFace);
    fieldText(CONTROLS[11].box, japanese ? "表面" : "Front", listFace);
    fieldText(CONTROLS[12].box, "3", controlFace);
    fieldText(CONTROLS[13].box, "25", controlFace);
    fieldText(CONTROLS[14].box, "PM", controlFace);
    fieldText(CONTROLS[15].box, japanese ? "なし" : "No", listFace);
    fieldText(CONTROLS[16].box, "Happy Birthday", controlFace);
    fieldText(CONTROLS[17].box, japanese ? "英語" : "English", listFace);
    return b;
}

// ---------------------------------------------------------------------------

bool MakeTexts(const TextRenderer& renderer, const Face& face, bool japanese, Texts& t) {
    for (size_t i = 0; i < std::size(LABELS); ++i)
        if (!MakeLabel(renderer, face, japanese ? LABELS[i].japanese : LABELS[i].english, t.labels[i])) return false;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5 && argc != 6) {
        std::fprintf(stderr,
                     "usage: make_ix_bitmaps OUTPUT_FOLDER CONVERT LATIN_BOLD_FONT JAPANESE_FONT [MOCKUP_FOLDER]\n");
        return 2;
    }
    std::string folder = argv[1];
    const TextRenderer renderer = {argv[2], "make_ix_bitmaps"};
    // The sizes of the index window's legend, the other grey window.
    const Face latin = {argv[3], 11, 0, "H"};
    const Face japanese = {argv[4], 12, 1.0, "\xE5\x9B\xBD"};  // 国

    Texts english, japaneseTexts;
    if (!MakeTexts(renderer, latin, false, english) || !MakeTexts(renderer, japanese, true, japaneseTexts)) return 1;
    bool ok = CheckLayout(english, "English") & CheckLayout(japaneseTexts, "Japanese");
    RgbBitmap pictureEnglish = Background(english), pictureJapanese = Background(japaneseTexts);
    ok &= CheckPicture(pictureEnglish, "English") & CheckPicture(pictureJapanese, "Japanese");
    if (!ok) return 1;

    for (const auto& [name, picture] : {std::pair{"ixwind", &pictureEnglish}, std::pair{"ixwind_j", &pictureJapanese}}) {
        std::string path = folder + "/" + name + ".bmp";
        if (!Write8BitBmp(path, *picture)) {
            std::fprintf(stderr, "make_ix_bitmaps: cannot write %s (more than 256 colours, or no room)\n",
                         path.c_str());
            return 1;
        }
    }
    if (argc == 6) {
        std::string mockups = argv[5];
        const Face controls = {argv[3], 12, 0, "H"};
        if (!Write24BitBmp(mockups + "/ix_mockup_en.bmp", Mockup(pictureEnglish, renderer, controls, japanese, false)) ||
            !Write24BitBmp(mockups + "/ix_mockup_jp.bmp",
                           Mockup(pictureJapanese, renderer, controls, japanese, true))) {
            std::fprintf(stderr, "make_ix_bitmaps: cannot write the mock-ups into %s\n", mockups.c_str());
            return 1;
        }
    }
    return 0;
}
