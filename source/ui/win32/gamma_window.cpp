#include "source/ui/win32/gamma_window.h"

#include <windowsx.h>
#include <commctrl.h>

#include <initializer_list>

#include "common/win32/profile_settings.h"
#include "common/win32/win32_guards.h"
#include "source/imaging/tone_curves.h"
#include "source/resources/resource_ids.h"
#include "source/twain/win32/session_state.h"
#include "source/ui/gamma_curve_model.h"
#include "source/ui/scan_settings.h"
#include "source/ui/win32/main_window_state.h"
#include "source/ui/win32/window_places.h"

namespace {

constexpr int WINDOW_WIDTH = 262;
constexpr int WINDOW_HEIGHT = 189;
// The centred position is reckoned with one pixel less than the height.
constexpr int CENTRED_HEIGHT = 188;
constexpr int BACKGROUND_COPY_WIDTH = 280;
constexpr int BACKGROUND_COPY_HEIGHT = 180;
// A window this low is minimised; its position is not worth keeping.

constexpr int CHANNEL_BUTTON_X = 183;
constexpr int CHANNEL_BUTTON_Y[GAMMA_CHANNEL_COUNT] = {28, 45, 62, 79};
constexpr int CHANNEL_BUTTON_SIZE = 14;

// The pen of each channel's curve: master, red, green, blue.
constexpr COLORREF CHANNEL_PEN[GAMMA_CHANNEL_COUNT] = {RGB(255, 255, 255), RGB(255, 0, 0), RGB(0, 255, 0),
                                                       RGB(0, 128, 255)};

// The colour scales: 128 marks, 5 pixels thick, under the graph and left of it.
constexpr int SCALE_BELOW_TOP = 139;
constexpr int SCALE_LEFT_X = 22;
constexpr int SCALE_THICKNESS = 5;

// The background's memory copy, made at the first paint, and the reset
// button's bitmap, both kept while the window lives; ReleaseGdiObjects
// (WM_DESTROY) is the one place that gives the handles back. Plain
// handles: a guard cannot outlive the paint that makes them.
struct GammaWindowState {
    HDC backgroundDC;
    HBITMAP background;
    HGDIOBJ backgroundPrevious;  // the context's own bitmap, selected again before DeleteDC
    HBITMAP resetImage;          // the reset button's bitmap
};
GammaWindowState gammaState = {};

void ReleaseGdiObjects() {
    if (gammaState.backgroundDC != nullptr) {
        SelectObject(gammaState.backgroundDC, gammaState.backgroundPrevious);
        DeleteDC(gammaState.backgroundDC);
    }
    if (gammaState.background != nullptr) DeleteObject(gammaState.background);
    if (gammaState.resetImage != nullptr) DeleteObject(gammaState.resetImage);
    gammaState = {};
}

void MakeBackground(HDC windowDC) {
    gammaState.backgroundDC = CreateCompatibleDC(windowDC);
    gammaState.background = LoadBitmapA(moduleInstance, "RETOUCH_BMP");
    if (gammaState.backgroundDC != nullptr && gammaState.background != nullptr) {
        gammaState.backgroundPrevious = SelectObject(gammaState.backgroundDC, gammaState.background);
    }
}

HWND ResetBar(HWND window) {
    return GetDlgItem(window, GAMMA_RESET_CONTROL);
}

// The reset button is usable exactly while some curve or balance is off
// its default.
void UpdateCurveFlags(HWND window) {
    bool modified = ComputeCurveFlags().curvesModified != 0;
    SendMessageA(ResetBar(window), TB_ENABLEBUTTON, CMD_GAMMA_RESET, MAKELONG(modified ? TRUE : FALSE, 0));
}

// --- Drawing ------------------------------------------------------------------

// Level 0..255 in the shown channel alone, or grey for the master.
COLORREF ScaleColour(int level) {
    auto v = static_cast<COLORREF>(level & 0xFF);
    switch (gammaChannel) {
    case GAMMA_CHANNEL_RED: return v;
    case GAMMA_CHANNEL_GREEN: return v << 8;
    case GAMMA_CHANNEL_BLUE: return v << 16;
    default: return v | v << 8 | v << 16;
    }
}

void DrawColourScales(HDC dc) {
    for (int i = 0; i < DISPLAY_CURVE_SIZE; ++i) {
        ScopedGdiObject<HBRUSH> brush(CreateSolidBrush(ScaleColour(2 * i)));
        RECT below = {GRAPH_ORIGIN_X + i, SCALE_BELOW_TOP, GRAPH_ORIGIN_X + i + 1, SCALE_BELOW_TOP + SCALE_THICKNESS};
        RECT left = {SCALE_LEFT_X, GRAPH_ORIGIN_Y - i, SCALE_LEFT_X + SCALE_THICKNESS, GRAPH_ORIGIN_Y - i + 1};
        FillRect(dc, &below, brush.Get());
        FillRect(dc, &left, brush.Get());
    }
}

COLORREF ChannelPen() {
    return CHANNEL_PEN[gammaChannel < GAMMA_CHANNEL_COUNT ? gammaChannel : GAMMA_CHANNEL_MASTER];
}

// The edited curve through its 128 display points, in the pen colour and
// raster mode given (R2_NOT inverts: drawing twice restores the picture).
void DrawEditCurve(HDC dc, COLORREF colour, int rasterMode) {
    POINT points[DISPLAY_CURVE_SIZE];
    for (int i = 0; i < DISPLAY_CURVE_SIZE; ++i) {
        ClientPoint p = GraphToClient({i, editDisplayCurve[i]});
        points[i] = {p.x, p.y};
    }
    ScopedGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, colour));
    ScopedSelectObject selected(dc, pen.Get());
    int previous = SetROP2(dc, rasterMode);
    Polyline(dc, points, DISPLAY_CURVE_SIZE);
    SetROP2(dc, previous);
}

// The marker of the point being dragged, inverted.
void DrawDragMarker(HDC dc) {
    const ToneCurve& curve = scanSettings.editCurve;
    GraphPoint point;
    if (gammaDrag.mode == DRAG_SHADOW) {
        point = ShadowPoint(curve);
    } else if (gammaDrag.mode == DRAG_HIGHLIGHT) {
        point = HighlightPoint(curve);
    } else {
        return;
    }
    MarkerRect r = PointMarker(point);
    ScopedSelectObject brush(dc, GetStockObject(NULL_BRUSH));
    int previous = SetROP2(dc, R2_NOT);
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
    SetROP2(dc, previous);
}

// What a drag shows: the marker and the curve, inverted; the second call
// takes them away again.
void DrawDragFeedback(HDC dc) {
    DrawDragMarker(dc);
    DrawEditCurve(dc, CHANNEL_PEN[GAMMA_CHANNEL_MASTER], R2_NOT);
}

void CheckChannelButtons(HWND window) {
    for (int channel = 0; channel < GAMMA_CHANNEL_COUNT; ++channel) {
        CheckDlgButton(window, CMD_GAMMA_MASTER + channel, channel == gammaChannel ? BST_CHECKED : BST_UNCHECKED);
    }
}

void OnGammaPaint(HWND window) {
    ScopedPaint paint(window);
    if (gammaState.backgroundDC == nullptr) MakeBackground(paint.Get());
    if (gammaState.backgroundDC != nullptr) {
        DrawColourScales(gammaState.backgroundDC);
        BitBlt(paint.Get(), 0, 0, BACKGROUND_COPY_WIDTH, BACKGROUND_COPY_HEIGHT, gammaState.backgroundDC, 0, 0,
               SRCCOPY);
    }
    CheckChannelButtons(window);
    LoadEditCurve();
    DrawEditCurve(paint.Get(), ChannelPen(), R2_COPYPEN);
    UpdateCurveFlags(window);
}

void RedrawNow(HWND window) {
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
}

// --- The main window's side ---------------------------------------------------

int ScrollBarOf(Slider slider) {
    switch (slider) {
    case Slider::Red: return SCROLL_RED;
    case Slider::Green: return SCROLL_GREEN;
    case Slider::Blue: return SCROLL_BLUE;
    default: return SCROLL_EXPOSURE;
    }
}

void MoveBalanceSlider(Slider slider, int position) {
    if (mainWindow != nullptr) SetScrollPos(GetDlgItem(mainWindow, ScrollBarOf(slider)), SB_CTL, position, TRUE);
}

// The preview re-toned through the rebuilt tables, under the wait cursor;
// the picture covers the crop frame, which is drawn again once.
void RefreshPreview() {
    if (mainWindow == nullptr) return;
    ScopedWaitCursor wait;
    RenderPreview(mainWindow);
    ScopedWindowDC dc(mainWindow);
    DrawCropFrame(dc.Get());
}

bool Previewed() {
    return mainState.previewed == 1;
}

// --- Messages -------------------------------------------------------------------

BOOL OnInitDialog(HWND window) {
    char caption[64] = {};
    if (LoadStringA(moduleInstance, IDS_GAMMA_CAPTION + useJapanese, caption, sizeof caption) > 0) {
        SetWindowTextA(window, caption);
    }
    POINT at = SavedWindowPlace("GAMMA_LEFT", "GAMMA_TOP", WINDOW_WIDTH, WINDOW_HEIGHT, CENTRED_HEIGHT);
    MoveWindow(window, at.x, at.y, WINDOW_WIDTH, WINDOW_HEIGHT, FALSE);
    for (int channel = 0; channel < GAMMA_CHANNEL_COUNT; ++channel) {
        MoveWindow(GetDlgItem(window, CMD_GAMMA_MASTER + channel), CHANNEL_BUTTON_X, CHANNEL_BUTTON_Y[channel],
                   CHANNEL_BUTTON_SIZE, CHANNEL_BUTTON_SIZE, FALSE);
    }
    CreateToolbarButton(window, 185, 115, 44, 19, GAMMA_RESET_CONTROL, CMD_GAMMA_RESET, 810, true,
                        &gammaState.resetImage);
    BuildGammaDisplayCurves();
    return TRUE;
}

void OnReset(HWND window) {
    uint8_t redraw = ResetGammaCurves(Previewed());
    RedrawNow(window);
    if ((redraw & GAMMA_BALANCE_SLIDERS) != 0) {
        for (Slider slider : {Slider::Red, Slider::Green, Slider::Blue}) MoveBalanceSlider(slider, SLIDER_NEUTRAL);
        UpdateButtonStates();
    }
    if ((redraw & GAMMA_RETONE_PREVIEW) != 0) RefreshPreview();
    FlushWindowMessages(window);
}

void OnCommand(HWND window, WORD command) {
    if (SelectGammaChannel(command)) {
        RedrawNow(window);
    } else if (command == CMD_GAMMA_RESET) {
        OnReset(window);
    }
}

BOOL OnNotify(LPARAM lParam) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header == nullptr || header->code != TTN_NEEDTEXTA || header->idFrom != CMD_GAMMA_RESET) return FALSE;
    auto* tip = reinterpret_cast<TOOLTIPTEXTA*>(lParam);
    tip->hinst = moduleInstance;
    tip->lpszText = MAKEINTRESOURCEA(IDS_GAMMA_RESET_TIP + useJapanese);
    return TRUE;
}

void OnLeftButtonDown(HWND window, int x, int y) {
    if (BeginGammaDrag({x, y}) == DRAG_NONE) return;
    // The drag goes on when the mouse leaves the window, and its button-up
    // comes here wherever the button is released.
    SetCapture(window);
    ScopedWindowDC dc(window);
    DrawEditCurve(dc.Get(), CHANNEL_PEN[GAMMA_CHANNEL_MASTER], R2_COPYPEN);
    DrawDragMarker(dc.Get());
}

void OnMouseMove(HWND window, WPARAM keys, int x, int y) {
    if (keys != MK_LBUTTON || gammaDrag.mode == DRAG_NONE) return;
    GammaMoveResult moved;
    {
        ScopedWindowDC dc(window);
        DrawDragFeedback(dc.Get());
        moved = MoveGammaDrag({x, y});
        BuildDisplayCurve(scanSettings.editCurve, editDisplayCurve);
        DrawDragFeedback(dc.Get());
    }
    if (moved.sliderMoved != 0) {
        MoveBalanceSlider(moved.slider, moved.sliderPosition);
        UpdateButtonStates();
    }
    UpdateCurveFlags(window);
}

void OnLeftButtonUp(HWND window) {
    if (GetCapture() == window) ReleaseCapture();
    uint8_t redraw = EndGammaDrag(Previewed());
    if ((redraw & GAMMA_REDRAW_WINDOW) != 0) RedrawNow(window);
    if ((redraw & GAMMA_RETONE_PREVIEW) != 0) RefreshPreview();
}

BOOL OnClose(HWND window) {
    DestroyWindow(window);
    if (ComputeCurveFlags().toneCurveActive == 0) PressButton(CMD_GAMMA_WINDOW, false);
    return TRUE;
}

// Whoever destroys the window (its own close, or the main window taking its
// owned windows with it when the source closes) leaves its position in the
// settings: by the time the session would read it, the window is gone.
void OnDestroy(HWND window) {
    mainState.gammaWindowOpen = 0;
    SaveWindowPlace(window, "GAMMA_LEFT", "GAMMA_TOP");
    ReleaseGdiObjects();
    gammaDrag.mode = DRAG_NONE;
    if (gammaWindow == window) gammaWindow = nullptr;
}

INT_PTR HandleGammaMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(window);
    case WM_PAINT: OnGammaPaint(window); return TRUE;
    case WM_COMMAND: OnCommand(window, LOWORD(wParam)); return TRUE;
    case WM_NOTIFY: return OnNotify(lParam);
    case WM_LBUTTONDOWN: OnLeftButtonDown(window, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return TRUE;
    case WM_MOUSEMOVE: OnMouseMove(window, wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return TRUE;
    case WM_LBUTTONUP: OnLeftButtonUp(window); return TRUE;
    case WM_CLOSE: return OnClose(window);
    case WM_DESTROY: OnDestroy(window); return FALSE;
    default: return FALSE;
    }
}

// The last stop for an exception before the system's frames: the message
// then counts as not handled.
INT_PTR CALLBACK GammaWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return HandleGammaMessage(window, message, wParam, lParam);
    } catch (...) {
        return FALSE;
    }
}

}  // namespace

void OpenGammaWindow(HWND owner) {
    if (gammaWindow != nullptr) {
        SetWindowPos(gammaWindow, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        return;
    }
    mainState.gammaWindowOpen = 1;
    PressButton(CMD_GAMMA_WINDOW, true);
    gammaWindow = CreateDialogParamA(moduleInstance, "GAMMA_DLG", owner, GammaWindowProc, 0);
    if (gammaWindow == nullptr) {
        mainState.gammaWindowOpen = 0;
        if (ComputeCurveFlags().toneCurveActive == 0) PressButton(CMD_GAMMA_WINDOW, false);
    }
}

void RefreshGammaWindow(bool invalidate) {
    if (gammaWindow == nullptr) return;
    if (invalidate) InvalidateRect(gammaWindow, nullptr, FALSE);
    UpdateWindow(gammaWindow);
}
