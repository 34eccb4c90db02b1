// The exposure and colour controls of the main scan window: four scroll bars
// (exposure, red, green, blue balance), their four reset buttons and the
// black-and-white switch. These functions turn scroll messages into
// positions and values in scanSettings, rebuild the tone tables, and say in
// a returned flag set what the window must redraw. The window reads the
// controls, peeks its queue and draws; nothing here touches a window.
// Portable: no Windows headers. Runs on the main window's thread only.
#pragma once

#include <cstdint>

// The scroll bars' common range; every slider is neutral at 200.
constexpr int32_t SLIDER_MIN = 0;
constexpr int32_t SLIDER_MAX = 400;
constexpr int32_t SLIDER_NEUTRAL = 200;
constexpr int32_t SLIDER_ARROW_STEP = 10;
constexpr int32_t SLIDER_PAGE_STEP = 50;

// The four sliders, in the order of their scroll bars.
enum class Slider : uint8_t { Exposure, Red, Green, Blue };

// Scroll codes, numbered as the horizontal scroll message numbers them
// (SB_LINELEFT 0 ... SB_ENDSCROLL 8), so that the window passes the code of
// the message as it comes. Codes without a name here are "any other code".
enum ScrollCode : uint16_t {
    SCROLL_LINE_LEFT = 0,
    SCROLL_LINE_RIGHT = 1,
    SCROLL_PAGE_LEFT = 2,
    SCROLL_PAGE_RIGHT = 3,
    SCROLL_THUMB_POSITION = 4,
    SCROLL_THUMB_TRACK = 5,
};

// What the window must do after a slider, reset or switch changed the
// settings (bits; 0 = nothing).
enum ColourRedraw : uint8_t {
    REDRAW_NONE = 0,
    REDRAW_SCROLL_BAR = 1,     // set the scroll bar to the returned position (redrawn)
    INVALIDATE_GAMMA = 2,      // the gamma curve window shows the changed channel: invalidate it
    REFRESH_GAMMA = 4,         // refresh the gamma curve window's display
    REDRAW_PREVIEW = 8,        // re-tone the preview and draw the crop frame once, under the wait cursor
};

// One horizontal scroll message of one of the four scroll bars.
struct SliderInput {
    Slider slider;
    uint16_t code;               // ScrollCode, or any other scroll code
    int32_t barPosition;         // the scroll bar's position before the message
    int32_t thumbPosition;       // the thumb position given with SCROLL_THUMB_POSITION
    uint8_t mouseMoveFollowed;   // thumb drop only: the one pending message the window
                                 // removed from its queue was a mouse move
    uint8_t gammaWindowOpen;     // the gamma curve window is open
    uint8_t previewed;           // a preview is on screen
};

struct SliderResult {
    int32_t position;  // the slider's position after the message, 0..400
    uint8_t redraw;    // ColourRedraw bits
};

// The position after one scroll code, clamped to 0..400:
//  - arrows move by 10, pages by 50;
//  - a thumb drop goes to the thumb position (clamped: a position outside
//    the bar's range would give gains beyond their 16 bits);
//  - any other code (thumb tracking, end of scrolling) keeps the position.
int32_t StepSliderPosition(uint16_t code, int32_t barPosition, int32_t thumbPosition);

// The whole reaction to one scroll message: the slider's position in
// scanSettings and the values it gives (exposureBias, or the colour's gain,
// which is also its curve's gammaPercent), then the exposure table and the
// tone and pixel tables rebuilt. The values follow every message; the
// redraws (REDRAW_PREVIEW, INVALIDATE_GAMMA, REFRESH_GAMMA) come only for
// arrow and page steps and for a thumb drop followed by a mouse move, and
// then only when the preview or the gamma window is there. REDRAW_SCROLL_BAR
// is set for arrow, page and thumb-drop codes. The window then updates the
// reset buttons (SliderResetEnabled).
SliderResult HandleSlider(const SliderInput& input);

// exposureBias of a position: (position - 200) / 100, sign reversed for
// negative film; -2.0 .. +2.0.
double ExposureBias(double position, bool negativeFilm);

// The colour gain of a balance position: trunc(100 x 2^((200 - position) / 200)),
// 200 at 0, 100 at 200, 50 at 400. The position is clamped to 0..400 first.
uint32_t BalanceGain(double position);

// The balance position that gives a colour curve's exponent:
// 200 - 200 x log2(gammaPercent / 100), clamped to 0..400 (an exponent of 0
// or below counts as the far end, 400).
double BalancePosition(int32_t gammaPercent);

// A reset button is enabled exactly when its slider is off neutral.
bool SliderResetEnabled(Slider slider);

// The slider's position in scanSettings.
double SliderPosition(Slider slider);

// One reset button: the slider back to 200 (exposureBias 0, or the colour's
// gain and curve exponent 100), the tables rebuilt. Returns
// REDRAW_SCROLL_BAR (the bar to 200); REDRAW_PREVIEW when previewed; for
// red, green and blue, when the gamma window exists, REFRESH_GAMMA and, if
// it shows that channel, INVALIDATE_GAMMA. The exposure reset leaves the
// gamma window alone. The window then releases and disables the button.
uint8_t ResetSlider(Slider slider, bool gammaWindowExists, bool previewed);

// The black-and-white switch: monochrome flipped (the button stays pressed
// while it is 1). Returns REDRAW_PREVIEW when previewed, otherwise nothing:
// without a preview only the flag and the button change.
uint8_t ToggleMonochrome(bool previewed);
