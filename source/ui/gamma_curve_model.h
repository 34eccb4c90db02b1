// The gamma curve window's model: which curve it shows, where the graph's
// points lie on the window, which point the mouse grabs, what a drag does to
// the edited curve, and the reset. The window procedure draws, peeks its
// queue and moves the main window's controls; these functions only change
// the curves in scanSettings, the channel, the drag and the display curves,
// and say what must be redrawn. Portable: no Windows headers. Runs on the
// main window's thread only.
//
// The graph is 128 x 128 at half scale: a curve level v (0..255) is at graph
// height v / 2, and graph point (x, y) is at client pixel (31 + x, 135 - y).
#pragma once

#include <cstdint>

#include "source/imaging/tone_curves.h"
#include "source/ui/colour_controls.h"
#include "source/ui/scan_settings.h"

// The curve the window shows; process-wide, it outlives the window.
constexpr uint8_t GAMMA_CHANNEL_MASTER = 0;
constexpr uint8_t GAMMA_CHANNEL_RED = 1;
constexpr uint8_t GAMMA_CHANNEL_GREEN = 2;
constexpr uint8_t GAMMA_CHANNEL_BLUE = 3;
constexpr int GAMMA_CHANNEL_COUNT = 4;
extern uint8_t gammaChannel;

// The four channel buttons' commands: master, red, green, blue.
constexpr uint16_t CMD_GAMMA_MASTER = 501;
constexpr uint16_t CMD_GAMMA_BLUE = 504;

constexpr int32_t GRAPH_ORIGIN_X = 31;
constexpr int32_t GRAPH_ORIGIN_Y = 135;

struct GraphPoint {
    int32_t x;  // 0..127 to the right
    int32_t y;  // 0..127 upwards
};

struct ClientPoint {
    int32_t x;
    int32_t y;
};

// Graph point to client pixel, and back.
ClientPoint GraphToClient(GraphPoint point);
GraphPoint ClientToGraph(ClientPoint pixel);

// The shadow point (lowIn / 2, lowOut / 2) and the highlight point
// (highIn / 2, highOut / 2), integer halves.
GraphPoint ShadowPoint(const ToneCurve& curve);
GraphPoint HighlightPoint(const ToneCurve& curve);

// The 6 x 6 marker drawn around a point: (x + 28, 132 - y) to (x + 34, 138 - y).
struct MarkerRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};
MarkerRect PointMarker(GraphPoint point);

// The curve of a channel (0 master, 1 red, 2 green, 3 blue; any other value
// reads as the master).
ToneCurve& ChannelCurve(uint8_t channel);

// A channel button's command (501..504) selects channel 0..3 and returns
// true; any other command changes nothing and returns false.
bool SelectGammaChannel(uint16_t command);

// The display curves the window draws (128 entries each): the edited curve,
// and master, red, green, blue.
extern uint16_t editDisplayCurve[DISPLAY_CURVE_SIZE];
extern uint16_t channelDisplayCurves[GAMMA_CHANNEL_COUNT][DISPLAY_CURVE_SIZE];

// editCurve from the selected channel's curve, and its display curve; what
// the window does at each paint, and after a balance slider changed the
// channel it shows.
void LoadEditCurve();
// LoadEditCurve, and the four channels' display curves.
void BuildGammaDisplayCurves();

constexpr char DRAG_NONE = 0;
constexpr char DRAG_SHADOW = 'S';
constexpr char DRAG_HIGHLIGHT = 'H';
constexpr char DRAG_CURVE = 'G';

struct GammaDrag {
    char mode;          // DRAG_NONE, DRAG_SHADOW, DRAG_HIGHLIGHT or DRAG_CURVE
    GraphPoint point;   // the grabbed point of the curve (DRAG_CURVE)
    ClientPoint last;   // the last mouse position, client pixels
};
extern GammaDrag gammaDrag;

// What the mouse at client pixel (mx, my) grabs, tested in this order with
// strict comparisons: the highlight marker, the shadow marker; nothing in a
// 40 x 40 box around either point (a near miss of a point must not bend the
// curve); the curve, within 5 pixels of display[v] for v from lowIn / 2 to
// highIn / 2 (first match; `grabbed` set to the mouse's graph point);
// nothing otherwise. `display` is the curve's display curve.
char GammaHitTest(const ToneCurve& curve, const uint16_t display[DISPLAY_CURVE_SIZE], ClientPoint mouse,
                  GraphPoint* grabbed);

// Left button down: the hit test on editCurve and editDisplayCurve; the
// mode and the mouse position remembered in gammaDrag. Returns the mode
// (the window then draws the curve in white and the point's marker).
char BeginGammaDrag(ClientPoint mouse);

// One mouse movement of (dx, dy) graph pixels (dy positive upwards) applied
// to `curve` in `mode`:
//  - shadow: across only while lowOut is 0, lowIn += 2 dx within
//    0..highIn - 1; then up only while lowIn is 0, lowOut += 2 dy within
//    0..highOut - 1 (so the point slides along the bottom and left edges);
//  - highlight: across only while highOut is 255, highIn += 2 dx within
//    lowIn + 1..255; then up only while highIn is 255, highOut += 2 dy
//    within lowOut + 1..255 (the top and right edges);
//  - curve: `point` moved within lowIn/2 + 1..highIn/2 - 1 across and
//    lowOut/2 + 1..highOut/2 - 1 up, then gammaPercent =
//    trunc((x - lowIn/2) x 100 / (y - lowOut/2) x (highOut - lowOut) /
//    (highIn - lowIn)) within 1..10000. When the end points leave no room
//    for a point between them (either range empty), the point and the
//    exponent stay as they are: the formula would divide by zero or flip.
//  - none: nothing.
void ApplyGammaDrag(ToneCurve& curve, char mode, GraphPoint& point, int32_t dx, int32_t dy);

struct GammaMoveResult {
    uint8_t sliderMoved;     // a colour curve's exponent moved its balance slider
    Slider slider;           // which one (Red, Green or Blue)
    int32_t sliderPosition;  // the scroll bar's new position (the balance position truncated)
};

// Mouse move with the left button the only button or key held (the window
// checks the key state): ApplyGammaDrag to editCurve with the movement since
// the last position, which is then remembered. In curve mode on a colour
// channel the channel's balance position in scanSettings follows the
// exponent (BalancePosition) and the result names the slider to move; the
// window then updates the main window's button states and the curve flags.
GammaMoveResult MoveGammaDrag(ClientPoint mouse);

// What the window must do after a button up or a reset (bits).
enum GammaRedraw : uint8_t {
    GAMMA_REDRAW_NONE = 0,
    GAMMA_REDRAW_WINDOW = 1,        // redraw the gamma curve window
    GAMMA_RETONE_PREVIEW = 2,       // re-tone and redraw the preview under the wait cursor
    GAMMA_BALANCE_SLIDERS = 4,      // red, green and blue scroll bars to 200, button states updated,
                                    // piled-up mouse and keyboard messages discarded
};

// Left button up: with a drag under way, editCurve stored into the selected
// channel's curve (a colour curve's exponent is its gain, so the gain
// follows), the tone and pixel tables rebuilt, and GAMMA_REDRAW_WINDOW, with
// GAMMA_RETONE_PREVIEW when previewed. Without one, nothing. The drag ends.
uint8_t EndGammaDrag(bool previewed);

// The reset button: all four curves to 0, 0, 255, 255, 100, the master
// channel selected, the red, green and blue positions to 200 and gains to
// 100, editCurve the master's and its display curve the straight line, the
// tables rebuilt. The exposure slider keeps its place. Returns
// GAMMA_REDRAW_WINDOW | GAMMA_BALANCE_SLIDERS, with GAMMA_RETONE_PREVIEW
// when previewed. The reset button is then disabled (curvesModified is 0).
uint8_t ResetGammaCurves(bool previewed);

// The values of a freshly loaded library (ResetCoreState).
void ResetGammaCurveModel();
