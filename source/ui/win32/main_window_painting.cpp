// Painting of the main scan window. Everything that must survive a repaint
// (background, labels, masks, the pressed Preview and Scan looks) is drawn
// into the window and into its memory copy, backgroundDC; a paint copies
// that and draws the preview picture and the crop frame over it.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "common/win32/profile_settings.h"
#include "source/imaging/film_parameters.h"
#include "source/imaging/tone_curves.h"
#include "source/resources/resource_ids.h"
#include "source/twain/win32/session_state.h"
#include "source/ui/win32/bitmap_resources.h"
#include "source/ui/win32/main_window_state.h"
#include "source/ui/win32/preview_buffers.h"
#include "source/ui/output_size.h"
#include "source/ui/preview_geometry.h"
#include "source/ui/scan_settings.h"
#include "common/win32/win32_guards.h"

namespace {

struct Label {
    const char* name;
    int x, y, width, height;
};

// The Japanese labels laid over the English ones of the background.
constexpr Label JAPANESE_LABELS[] = {
    {"FTYPE_JP_BMP", 3, 266, 92, 20},   {"ISIZE_JP_BMP", 120, 266, 120, 20}, {"IRESO_JP_BMP", 266, 266, 120, 20},
    {"EBIAS_JP_BMP", 280, 10, 92, 24},  {"CBALA_JP_BMP", 280, 77, 100, 24},
};

// Where the film type name's three lines go, and which name bytes each
// shows: the English panel font, and the Japanese font whose characters
// are narrower per byte.
struct NameLine {
    int x, y;
    size_t first, count;
};
constexpr NameLine ENGLISH_NAME_LINES[] = {{27, 291, 0, 6}, {15, 308, 6, 14}, {15, 325, 20, 12}};
constexpr NameLine JAPANESE_NAME_LINES[] = {{20, 291, 0, 6}, {10, 308, 6, 9}, {10, 325, 20, 12}};
struct BlankLine {
    int x, y, blanks;
};
constexpr BlankLine NAME_BLANKS[] = {{27, 291, 12}, {15, 308, 28}, {15, 325, 28}};

constexpr int READOUT_Y = 238;
constexpr int SIZE_ESTIMATE_X = 308;
constexpr int RES_BAR_WIDTH = 92, RES_BAR_HEIGHT = 20;
constexpr int RES_BAR_BITMAP_LEFT = 254;
constexpr int READOUT_RED_X = 388, READOUT_GREEN_X = 424, READOUT_BLUE_X = 461;

constexpr int JAPANESE_NAME_FONT_HEIGHT = 14;

// The unit panel: the unit name on its place, which ends where the unit
// button begins, the output resolution's label and "dpi", grey while the
// unit is pixels.
constexpr RECT UNIT_NAME_PLACE = {150, 321, 185, 336};
constexpr int RESOLUTION_LABEL_X = 276, RESOLUTION_LABEL_JAPANESE_X = 284, RESOLUTION_LABEL_Y = 316;
constexpr int RESOLUTION_LABEL_JAPANESE_HEIGHT = 15;
constexpr int DPI_X = 323, DPI_Y = 338;
constexpr COLORREF PANEL_DISABLED_TEXT = RGB(0x80, 0x80, 0x80);

void BuildBackground(HDC dc) {
    mainState.backgroundBitmap = CreateCompatibleBitmap(dc, BACKGROUND_WIDTH, BACKGROUND_HEIGHT);
    mainState.backgroundDC = CreateCompatibleDC(dc);
    mainState.backgroundPrevious = SelectObject(mainState.backgroundDC, mainState.backgroundBitmap);

    scanSettings.lastAdapterType = scanSettings.adapterType;
    scanSettings.apsAdapter = scanSettings.adapterType == 'A' ? 1 : 0;
    SetPreviewGeometry(scanSettings);
    if (scanSettings.layoutSet == 1) {
        SetCropToLayout(scanSettings);
    } else {
        SetCropToImage(scanSettings);
    }
    CropRectToOffsets(scanSettings);
    OffsetsToCropRect(scanSettings);
    scanSettings.aspectRatio = scanSettings.outputWidth / scanSettings.outputHeight;
    scanSettings.outputScale = scanSettings.outputWidth / scanSettings.cropWidth;

    DrawBitmapResource("PREVIEW_BMP", dc, mainState.backgroundDC, 0, 0, BACKGROUND_WIDTH, BACKGROUND_HEIGHT);
    if (useJapanese == 1) {
        for (const Label& label : JAPANESE_LABELS) {
            DrawBitmapResource(label.name, dc, mainState.backgroundDC, label.x, label.y, label.width, label.height);
        }
    }
    SetPreviewGeometry(scanSettings);
    DrawFrameMask(dc, mainState.previewed == 0);
    ResetPixelTables();
}

void TextAt(HDC dc, int x, int y, const char* text, size_t length) {
    TextOutA(dc, x, y, text, static_cast<int>(length));
}

}  // namespace

void DestroyBackground() {
    if (mainState.backgroundDC != nullptr) {
        SelectObject(mainState.backgroundDC, mainState.backgroundPrevious);
        DeleteDC(mainState.backgroundDC);
    }
    if (mainState.backgroundBitmap != nullptr) DeleteObject(mainState.backgroundBitmap);
    mainState.backgroundDC = nullptr;
    mainState.backgroundBitmap = nullptr;
    mainState.backgroundPrevious = nullptr;
}

void OnPaint(HWND window) {
    LoadCurrentFilm(scanSettings.filmNumber);
    bool first = mainState.firstPaint == 1;
    {
        // The paint ends before the buttons below are pressed and redrawn.
        ScopedPaint paint(window);
        HDC dc = paint.Get();
        if (first) {
            BuildBackground(dc);
        }
        if (mainState.backgroundDC != nullptr) {
            DrawUnitPanel(mainState.backgroundDC, scanSettings.unitIndex);
            DrawFilmTypeName(mainState.backgroundDC, scanSettings.filmNumber);
            BitBlt(dc, 0, 0, BACKGROUND_WIDTH, BACKGROUND_HEIGHT, mainState.backgroundDC, 0, 0, SRCCOPY);
        }
        ShowSizeEstimate(dc);
        DrawResolutionBar(dc);
        if (mainState.previewed == 1) {
            DrawPreviewBitmap(dc);
        }
        OffsetsToCropRect(scanSettings);
        DrawCropFrame(dc);
    }
    if (first) {
        mainState.firstPaint = 0;
        PressButton(CMD_MAX_RESOLUTION, false);
        ShowOutputSize(window);
        ShowResolution(window);
    }
    UpdateButtonStates();
    EnableUnitControls(window, scanSettings.unitIndex);
}

void EnableUnitControls(HWND window, int16_t unit) {
    bool pixels = unit == UNIT_PIXEL;
    EnableButton(CMD_IMAGE_SIZE, pixels);
    EnableButton(CMD_OUTPUT_RESOLUTION, !pixels);
    // The field keeps its look and only stops taking input; the resolution
    // follows from the size while the unit is pixels.
    HWND resolution = GetDlgItem(window, EDIT_RESOLUTION);
    SendMessageA(resolution, WM_ENABLE, pixels ? 0 : 1, 0);
    SendMessageA(resolution, EM_SETREADONLY, pixels ? TRUE : FALSE, 0);
}

void DrawUnitPanel(HDC dc, int16_t unit) {
    if (unit < 0 || unit >= static_cast<int16_t>(UNIT_COUNT)) return;
    bool japanese = useJapanese == 1;
    ScopedGdiObject<HFONT> panelFont(CreatePanelFont());
    ScopedGdiObject<HFONT> labelFont(japanese ? CreateJapaneseGothicFont(RESOLUTION_LABEL_JAPANESE_HEIGHT) : nullptr);
    ScopedSelectObject selected(dc, panelFont.Get());
    SetBkColor(dc, PANEL_BACKGROUND);
    SetTextColor(dc, PANEL_TEXT);
    // The place is blanked and the name written in one call, clipped so
    // that neither reaches the unit button beside it.
    ExtTextOutA(dc, UNIT_NAME_PLACE.left, UNIT_NAME_PLACE.top, ETO_OPAQUE | ETO_CLIPPED, &UNIT_NAME_PLACE,
                UNIT_NAMES[unit], UNIT_NAME_BYTES - 1, nullptr);
    SetTextColor(dc, unit == UNIT_PIXEL ? PANEL_DISABLED_TEXT : PANEL_TEXT);
    TextAt(dc, DPI_X, DPI_Y, "dpi", 3);
    // The label is read as UTF-16 so that its Japanese survives any code page.
    if (japanese) SelectObject(dc, labelFont.Get());
    wchar_t label[32] = {};
    int length = LoadStringW(moduleInstance, IDS_RESOLUTION_LABEL + useJapanese, label, 32);
    TextOutW(dc, japanese ? RESOLUTION_LABEL_JAPANESE_X : RESOLUTION_LABEL_X, RESOLUTION_LABEL_Y, label, length);
}

void ShowUnitPanel(HWND window, int16_t unit) {
    EnableUnitControls(window, unit);
    {
        ScopedWindowDC dc(window);
        DrawUnitPanel(dc.Get(), unit);
    }
    ShowOutputSize(window);
}

void DrawFilmTypeName(HDC dc, int32_t recordNumber) {
    FilmParameterRecord record = {};
    ReadFilmRecord(filmParameterPath, record, recordNumber);
    bool japanese = UseJapaneseGothic();
    ScopedGdiObject<HFONT> font(japanese ? CreateJapaneseGothicFont(JAPANESE_NAME_FONT_HEIGHT) : CreatePanelFont());
    ScopedSelectObject selected(dc, font.Get());
    SetBkColor(dc, PANEL_BACKGROUND);
    SetTextColor(dc, PANEL_TEXT);
    // The blanks of the last line would run into the unit name beside it.
    int saved = SaveDC(dc);
    IntersectClipRect(dc, 0, 0, UNIT_NAME_PLACE.left, BACKGROUND_HEIGHT);
    char blanks[32];
    std::memset(blanks, ' ', sizeof blanks);
    for (const BlankLine& line : NAME_BLANKS) {
        TextAt(dc, line.x, line.y, blanks, static_cast<size_t>(line.blanks));
    }
    // A zero byte in the name shows as a blank.
    char name[FILM_NAME_BYTES];
    for (size_t i = 0; i < FILM_NAME_BYTES; ++i) name[i] = record.name[i] == 0 ? ' ' : record.name[i];
    for (const NameLine& line : japanese ? JAPANESE_NAME_LINES : ENGLISH_NAME_LINES) {
        TextAt(dc, line.x, line.y, name + line.first, line.count);
    }
    RestoreDC(dc, saved);
}

void DrawFrameMask(HDC dc, bool empty) {
    const PreviewRect& area = PREVIEW_AREA;
    for (HDC target : {dc, mainState.backgroundDC}) {
        if (target == nullptr) continue;
        ScopedSelectObject brush(target, GetStockObject(LTGRAY_BRUSH));
        ScopedSelectObject pen(target, GetStockObject(NULL_PEN));
        Rectangle(target, area.left, area.top, area.right, area.bottom);
    }
    const PreviewRect& r = scanSettings.imageRect;
    int width = r.right - r.left + 1 + 2 * MASK_BORDER;
    int height = r.bottom - r.top + 1 + 2 * MASK_BORDER;
    DrawBitmapResource(FrameMaskName(scanSettings, empty), dc, mainState.backgroundDC, r.left - MASK_BORDER,
                       r.top - MASK_BORDER, width, height);
    // Left selected on purpose for the crop frame drawn next; a stock pen is
    // never deleted, so nothing is owed back.
    SelectObject(dc, GetStockObject(BLACK_PEN));
}

void DrawCropFrame(HDC dc) {
    const PreviewRect& c = scanSettings.cropRect;
    int previous = SetROP2(dc, R2_NOT);
    MoveToEx(dc, c.left, c.top, nullptr);
    LineTo(dc, c.right, c.top);
    LineTo(dc, c.right, c.bottom);
    LineTo(dc, c.left, c.bottom);
    LineTo(dc, c.left, c.top);
    Rectangle(dc, c.left + 1, c.top + 1, c.left + 5, c.top + 5);
    Rectangle(dc, c.right - 4, c.top + 1, c.right, c.top + 5);
    Rectangle(dc, c.left + 1, c.bottom - 4, c.left + 5, c.bottom);
    Rectangle(dc, c.right - 4, c.bottom - 4, c.right, c.bottom);
    SetROP2(dc, previous);
}

void DrawOnWindowAndBackground(HWND window, const char* name, int x, int y, int width, int height) {
    ScopedWindowDC dc(window);
    DrawBitmapResource(name, dc.Get(), mainState.backgroundDC, x, y, width, height);
}

void ShowColourUnderMouse(HWND window, int x, int y) {
    ScopedWindowDC dc(window);
    COLORREF colour = GetPixel(dc.Get(), x, y);
    struct Value {
        unsigned level;
        int x;
        bool blue;
    };
    const Value values[] = {{GetRValue(colour), READOUT_RED_X, false},
                            {GetGValue(colour), READOUT_GREEN_X, false},
                            {GetBValue(colour), READOUT_BLUE_X, true}};
    ScopedGdiObject<HFONT> font(CreatePanelFont());
    ScopedSelectObject selected(dc.Get(), font.Get());
    SetBkColor(dc.Get(), READOUT_BACKGROUND);
    SetTextColor(dc.Get(), RGB(0, 0, 0));
    for (const Value& v : values) {
        // Blanks after the number wipe the digits of a longer one before.
        const char* padding = v.level < 10 ? "   " : v.level < 100 ? (v.blue ? " " : "  ") : "";
        char text[16];
        int length = std::snprintf(text, sizeof text, "%-3u%s", v.level, padding);
        TextAt(dc.Get(), v.x, READOUT_Y, text, static_cast<size_t>(length > 0 ? length : 0));
    }
}

void ShowOutputSize(HWND window) {
    OutputSizeTexts texts = {};
    PrepareOutputSizeTexts(scanSettings, scanSettings.unitIndex, texts);
    SetDlgItemTextA(window, EDIT_WIDTH, texts.width);
    SetDlgItemTextA(window, EDIT_HEIGHT, texts.height);
}

void ShowResolution(HWND window) {
    int32_t shown = ShownResolution(scanSettings, scanSettings.resolutionIndex);
    SetDlgItemInt(window, EDIT_RESOLUTION, static_cast<UINT>(shown), TRUE);
}

void ShowSizeEstimate(HDC dc) {
    char text[SIZE_ESTIMATE_BYTES];
    FormatSizeEstimate(scanSettings, text);
    ScopedGdiObject<HFONT> font(CreatePanelFont());
    ScopedSelectObject selected(dc, font.Get());
    SetBkColor(dc, READOUT_BACKGROUND);
    SetTextColor(dc, RGB(0, 0, 0));
    // The blanks wipe a longer number shown before.
    TextAt(dc, SIZE_ESTIMATE_X, READOUT_Y, SIZE_ESTIMATE_BLANKS, sizeof SIZE_ESTIMATE_BLANKS - 1);
    TextAt(dc, SIZE_ESTIMATE_X, READOUT_Y, text, std::strlen(text));
}

void ShowSizeEstimateInWindow(HWND window) {
    ScopedWindowDC dc(window);
    ShowSizeEstimate(dc.Get());
}

void DrawResolutionBar(HDC dc) {
    PlaceResolutionSlider(scanSettings);
    DrawBitmapResource("RES_BAR", dc, mainState.backgroundDC, RES_BAR_BITMAP_LEFT, RES_BAR_TOP, RES_BAR_WIDTH,
                       RES_BAR_HEIGHT);
    // A raised box: black lower-right, white upper-left, grey face drawn last.
    const int x = scanSettings.resSliderX, y = scanSettings.resSliderY;
    ScopedSelectObject brush(dc, GetStockObject(LTGRAY_BRUSH));
    ScopedSelectObject pen(dc, GetStockObject(BLACK_PEN));
    Rectangle(dc, x - 5, y - 9, x + 6, y + 10);
    SelectObject(dc, GetStockObject(WHITE_PEN));
    Rectangle(dc, x - 6, y - 10, x + 5, y + 9);
    SelectObject(dc, GetStockObject(NULL_PEN));
    Rectangle(dc, x - 5, y - 9, x + 6, y + 10);
}

void ApplyOutputRedraw(HWND window, const OutputRedraw& redraw) {
    if (redraw.sizeFields) ShowOutputSize(window);
    if (redraw.resolutionField) ShowResolution(window);
    if (redraw.sizeEstimate || redraw.resolutionBar) {
        ScopedWindowDC dc(window);
        if (redraw.sizeEstimate) ShowSizeEstimate(dc.Get());
        if (redraw.resolutionBar) DrawResolutionBar(dc.Get());
    }
    PressButton(CMD_MAX_RESOLUTION, scanSettings.maxResolutionOn == 1);
}

void DrawPreviewBitmap(HDC dc) {
    ScopedGlobalLock bitmap(previewBitmap);
    if (bitmap.Get() == nullptr) {
        return;
    }
    const auto* info = reinterpret_cast<const BITMAPINFO*>(bitmap.Get());
    LONG width = info->bmiHeader.biWidth, height = info->bmiHeader.biHeight;
    SetDIBitsToDevice(dc, scanSettings.imageRect.left, scanSettings.imageRect.top, static_cast<DWORD>(width),
                      static_cast<DWORD>(height), 0, 0, 0, static_cast<UINT>(height), bitmap.Get() + 40, info,
                      DIB_RGB_COLORS);
}

void RenderPreview(HWND window) {
    if (!RenderPreviewBitmap()) {
        return;
    }
    ScopedWindowDC dc(window);
    DrawPreviewBitmap(dc.Get());
}
