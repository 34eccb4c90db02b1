#include "source/ui/gamma_curve_model.h"

#include <cstring>

uint8_t gammaChannel = GAMMA_CHANNEL_MASTER;
uint16_t editDisplayCurve[DISPLAY_CURVE_SIZE];
uint16_t channelDisplayCurves[GAMMA_CHANNEL_COUNT][DISPLAY_CURVE_SIZE];
GammaDrag gammaDrag = {DRAG_NONE, {0, 0}, {0, 0}};

namespace {

constexpr ToneCurve DEFAULT_CURVE = {0, 0, 255, 255, 100};
constexpr int32_t MIN_GAMMA_PERCENT = 1;
constexpr int32_t MAX_GAMMA_PERCENT = 10000;

// Within lo..hi; the lower bound wins when they cross.
int32_t Clamp(int64_t value, int32_t lo, int32_t hi) {
    if (value > hi) value = hi;
    if (value < lo) value = lo;
    return static_cast<int32_t>(value);
}

// The window's boxes are open: a mouse on their edge is outside.
bool Inside(int32_t value, int32_t low, int32_t high) {
    return low < value && value < high;
}

// The box in which a click grabs the point at graph p (around its marker),
// and the wider one in which a click near it grabs nothing.
bool OnPoint(GraphPoint p, ClientPoint m) {
    return Inside(m.x, p.x + 26, p.x + 36) && Inside(m.y, 130 - p.y, 140 - p.y);
}
bool NearPoint(GraphPoint p, ClientPoint m) {
    return Inside(m.x, p.x + 11, p.x + 51) && Inside(m.y, 115 - p.y, 155 - p.y);
}

Slider SliderOf(uint8_t channel) {
    return channel == GAMMA_CHANNEL_RED ? Slider::Red : channel == GAMMA_CHANNEL_GREEN ? Slider::Green : Slider::Blue;
}

double& BalancePositionField(uint8_t channel) {
    ScanSettings& s = scanSettings;
    return channel == GAMMA_CHANNEL_RED     ? s.redPosition
           : channel == GAMMA_CHANNEL_GREEN ? s.greenPosition
                                            : s.bluePosition;
}

uint32_t& GainField(uint8_t channel) {
    ScanSettings& s = scanSettings;
    return channel == GAMMA_CHANNEL_RED ? s.redGain : channel == GAMMA_CHANNEL_GREEN ? s.greenGain : s.blueGain;
}

bool ColourChannel(uint8_t channel) {
    return channel == GAMMA_CHANNEL_RED || channel == GAMMA_CHANNEL_GREEN || channel == GAMMA_CHANNEL_BLUE;
}

}  // namespace

ClientPoint GraphToClient(GraphPoint point) {
    return {GRAPH_ORIGIN_X + point.x, GRAPH_ORIGIN_Y - point.y};
}

GraphPoint ClientToGraph(ClientPoint pixel) {
    return {pixel.x - GRAPH_ORIGIN_X, GRAPH_ORIGIN_Y - pixel.y};
}

GraphPoint ShadowPoint(const ToneCurve& curve) {
    return {curve.lowIn / 2, curve.lowOut / 2};
}

GraphPoint HighlightPoint(const ToneCurve& curve) {
    return {curve.highIn / 2, curve.highOut / 2};
}

MarkerRect PointMarker(GraphPoint point) {
    return {point.x + 28, 132 - point.y, point.x + 34, 138 - point.y};
}

ToneCurve& ChannelCurve(uint8_t channel) {
    ScanSettings& s = scanSettings;
    switch (channel) {
    case GAMMA_CHANNEL_RED: return s.redCurve;
    case GAMMA_CHANNEL_GREEN: return s.greenCurve;
    case GAMMA_CHANNEL_BLUE: return s.blueCurve;
    default: return s.masterCurve;
    }
}

bool SelectGammaChannel(uint16_t command) {
    if (command < CMD_GAMMA_MASTER || command > CMD_GAMMA_BLUE) return false;
    gammaChannel = static_cast<uint8_t>(command - CMD_GAMMA_MASTER);
    return true;
}

void LoadEditCurve() {
    scanSettings.editCurve = ChannelCurve(gammaChannel);
    BuildDisplayCurve(scanSettings.editCurve, editDisplayCurve);
}

void BuildGammaDisplayCurves() {
    LoadEditCurve();
    for (uint8_t channel = 0; channel < GAMMA_CHANNEL_COUNT; ++channel) {
        BuildDisplayCurve(ChannelCurve(channel), channelDisplayCurves[channel]);
    }
}

char GammaHitTest(const ToneCurve& curve, const uint16_t display[DISPLAY_CURVE_SIZE], ClientPoint mouse,
                  GraphPoint* grabbed) {
    GraphPoint high = HighlightPoint(curve);
    GraphPoint low = ShadowPoint(curve);
    if (OnPoint(high, mouse)) return DRAG_HIGHLIGHT;
    if (OnPoint(low, mouse)) return DRAG_SHADOW;
    if (NearPoint(high, mouse) || NearPoint(low, mouse)) return DRAG_NONE;
    // Only the display curve's 128 entries can be read, whatever the curve's
    // end points say.
    int32_t first = low.x < 0 ? 0 : low.x;
    int32_t last = high.x > DISPLAY_CURVE_SIZE - 1 ? DISPLAY_CURVE_SIZE - 1 : high.x;
    for (int32_t v = first; v <= last; ++v) {
        if (OnPoint({v, display[v]}, mouse)) {
            if (grabbed != nullptr) *grabbed = ClientToGraph(mouse);
            return DRAG_CURVE;
        }
    }
    return DRAG_NONE;
}

char BeginGammaDrag(ClientPoint mouse) {
    gammaDrag.last = mouse;
    gammaDrag.mode = GammaHitTest(scanSettings.editCurve, editDisplayCurve, mouse, &gammaDrag.point);
    return gammaDrag.mode;
}

void ApplyGammaDrag(ToneCurve& c, char mode, GraphPoint& point, int32_t dx, int32_t dy) {
    // Each step reads the value the step before it left, so a point that
    // leaves its corner along one edge cannot leave that edge in the same
    // movement.
    switch (mode) {
    case DRAG_SHADOW:
        if (c.lowOut == 0) c.lowIn = Clamp(int64_t{c.lowIn} + 2 * int64_t{dx}, 0, c.highIn - 1);
        if (c.lowIn == 0) c.lowOut = Clamp(int64_t{c.lowOut} + 2 * int64_t{dy}, 0, c.highOut - 1);
        break;
    case DRAG_HIGHLIGHT:
        if (c.highOut == 255) c.highIn = Clamp(int64_t{c.highIn} + 2 * int64_t{dx}, c.lowIn + 1, 255);
        if (c.highIn == 255) c.highOut = Clamp(int64_t{c.highOut} + 2 * int64_t{dy}, c.lowOut + 1, 255);
        break;
    case DRAG_CURVE: {
        int32_t x0 = c.lowIn / 2, y0 = c.lowOut / 2;
        int32_t xMin = x0 + 1, xMax = c.highIn / 2 - 1;
        int32_t yMin = y0 + 1, yMax = c.highOut / 2 - 1;
        if (xMin > xMax || yMin > yMax || c.highIn == c.lowIn) break;
        point.x = Clamp(int64_t{point.x} + dx, xMin, xMax);
        point.y = Clamp(int64_t{point.y} + dy, yMin, yMax);
        double percent = static_cast<double>(point.x - x0) * 100.0 / (point.y - y0) * (c.highOut - c.lowOut) /
                         (c.highIn - c.lowIn);
        // Clamped before the conversion, which would be undefined beyond 32 bits.
        c.gammaPercent = percent < MIN_GAMMA_PERCENT   ? MIN_GAMMA_PERCENT
                         : percent > MAX_GAMMA_PERCENT ? MAX_GAMMA_PERCENT
                                                       : static_cast<int32_t>(percent);
        break;
    }
    default: break;
    }
}

GammaMoveResult MoveGammaDrag(ClientPoint mouse) {
    GammaMoveResult result = {0, Slider::Exposure, 0};
    int32_t dx = mouse.x - gammaDrag.last.x;
    int32_t dy = gammaDrag.last.y - mouse.y;
    gammaDrag.last = mouse;
    ApplyGammaDrag(scanSettings.editCurve, gammaDrag.mode, gammaDrag.point, dx, dy);
    if (gammaDrag.mode == DRAG_CURVE && ColourChannel(gammaChannel)) {
        double position = BalancePosition(scanSettings.editCurve.gammaPercent);
        BalancePositionField(gammaChannel) = position;
        result = {1, SliderOf(gammaChannel), static_cast<int32_t>(position)};
    }
    return result;
}

uint8_t EndGammaDrag(bool previewed) {
    if (gammaDrag.mode == DRAG_NONE) return GAMMA_REDRAW_NONE;
    gammaDrag.mode = DRAG_NONE;
    ChannelCurve(gammaChannel) = scanSettings.editCurve;
    if (ColourChannel(gammaChannel)) {
        // gammaPercent is kept within 1..10000 by the drag.
        GainField(gammaChannel) = static_cast<uint32_t>(scanSettings.editCurve.gammaPercent);
    }
    BuildToneTables();
    BuildPixelTables();
    return previewed ? GAMMA_REDRAW_WINDOW | GAMMA_RETONE_PREVIEW : GAMMA_REDRAW_WINDOW;
}

uint8_t ResetGammaCurves(bool previewed) {
    ScanSettings& s = scanSettings;
    s.masterCurve = s.redCurve = s.greenCurve = s.blueCurve = DEFAULT_CURVE;
    s.editCurve = DEFAULT_CURVE;
    gammaChannel = GAMMA_CHANNEL_MASTER;
    gammaDrag.mode = DRAG_NONE;
    s.redPosition = s.greenPosition = s.bluePosition = SLIDER_NEUTRAL;
    s.redGain = s.greenGain = s.blueGain = 100;
    for (int i = 0; i < DISPLAY_CURVE_SIZE; ++i) editDisplayCurve[i] = static_cast<uint16_t>(i);
    for (uint8_t channel = 0; channel < GAMMA_CHANNEL_COUNT; ++channel) {
        BuildDisplayCurve(ChannelCurve(channel), channelDisplayCurves[channel]);
    }
    BuildToneTables();
    BuildPixelTables();
    uint8_t redraw = GAMMA_REDRAW_WINDOW | GAMMA_BALANCE_SLIDERS;
    return previewed ? redraw | GAMMA_RETONE_PREVIEW : redraw;
}

void ResetGammaCurveModel() {
    gammaChannel = GAMMA_CHANNEL_MASTER;
    gammaDrag = {DRAG_NONE, {0, 0}, {0, 0}};
    std::memset(editDisplayCurve, 0, sizeof editDisplayCurve);
    std::memset(channelDisplayCurves, 0, sizeof channelDisplayCurves);
}
