// What the scan window's controls cost between the user's step and the
// redrawn picture, in the portable parts (the Windows drawing is measured
// under Wine by scan_window_bench.exe):
//
//  1. A scroll-bar arrow step: HandleSlider (the value, the exposure table,
//     the gains, the tone and pixel tables) and the 240 x 160 preview
//     re-toned and placed, turned a quarter as the window may show it.
//  2. A crop drag step of each kind (move, edge, corner): DragCropFrame with
//     the output size rule and the texts the window then shows (sizes in the
//     unit, size estimate).
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "source/imaging/dib_header.h"
#include "source/imaging/film_parameters.h"
#include "source/imaging/scan_line.h"
#include "source/imaging/tone_curves.h"
#include "source/scanner/preview_scan.h"
#include "source/ui/colour_controls.h"
#include "source/ui/crop_frame.h"
#include "source/ui/output_size.h"
#include "source/ui/preview_geometry.h"
#include "source/ui/scan_settings.h"

namespace {

using Clock = std::chrono::steady_clock;

int32_t DefaultInt(const char*, const char*, int32_t value) {
    return value;
}
void DefaultString(const char*, const char*, const char* value, char* buffer, size_t size) {
    std::snprintf(buffer, size, "%s", value);
}

// The main window's state after its first paint: the whole 35 mm picture at
// 600 x 400, a positive film.
void OpenWindowState() {
    ResetScanSettings();
    InitialiseScanSettings({DefaultInt, DefaultString}, 0);
    std::memset(&currentFilm, 0, sizeof currentFilm);
    currentFilm.scanLetter = 'R';
    ScanSettings& s = scanSettings;
    SetPreviewGeometry(s);
    SetCropToImage(s);
    CropRectToOffsets(s);
    OffsetsToCropRect(s);
    s.aspectRatio = s.outputWidth / s.outputHeight;
    s.outputScale = s.outputWidth / s.cropWidth;
    ResetPixelTables();
}

double MicrosecondsSince(Clock::time_point start, int steps) {
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / steps;
}

void BenchScrollStep() {
    std::printf("Scroll-bar arrow step to the re-toned preview (240 x 160, turned a quarter)\n");
    OpenWindowState();
    std::vector<uint8_t> pixels(PREVIEW_PIXELS_BYTES);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>(i * 7);
    std::vector<uint8_t> bitmap(PREVIEW_BITMAP_BYTES);
    const int steps = 400;
    for (Slider slider : {Slider::Exposure, Slider::Red}) {
        double valuesOnly = 0, withPreview = 0;
        int32_t position = SLIDER_NEUTRAL;
        for (int step = 0; step < steps; ++step) {
            SliderInput input = {};
            input.slider = slider;
            input.code = step % 2 == 0 ? SCROLL_LINE_RIGHT : SCROLL_LINE_LEFT;
            input.barPosition = position;
            input.previewed = 1;
            auto start = Clock::now();
            SliderResult result = HandleSlider(input);
            auto valuesDone = Clock::now();
            if ((result.redraw & REDRAW_PREVIEW) != 0) {
                RetonePreviewRows(pixels.data(), 240, 160, 1, false, bitmap.data() + DIB_HEADER_BYTES,
                                  PREVIEW_PIXELS_BYTES);
            }
            auto end = Clock::now();
            position = result.position;
            valuesOnly += std::chrono::duration<double, std::micro>(valuesDone - start).count();
            withPreview += std::chrono::duration<double, std::micro>(end - start).count();
        }
        std::printf("  %-8s values and tables %8.1f us, with the re-toned preview %8.1f us per step\n",
                    slider == Slider::Exposure ? "exposure" : "red", valuesOnly / steps, withPreview / steps);
    }
}

// The output rules as the window's hooks run them, with the texts it shows.
struct ShownTexts {
    OutputSizeTexts sizes;
    char estimate[SIZE_ESTIMATE_BYTES];
};
void ShowTexts(void* context) {
    auto* shown = static_cast<ShownTexts*>(context);
    PrepareOutputSizeTexts(scanSettings, scanSettings.unitIndex, shown->sizes);
    FormatSizeEstimate(scanSettings, shown->estimate);
}
void EdgeRule(void* context) {
    ApplyCropEdgeDrag(scanSettings);
    ShowTexts(context);
}
void CornerRule(void* context) {
    ApplyCropCornerDrag(scanSettings);
    ShowTexts(context);
}

void BenchDragStep() {
    std::printf("Crop drag step to the frame redrawn (model, output rule, size texts)\n");
    struct Kind {
        const char* name;
        int32_t x, y;  // where the drag starts on the whole frame (17, 52) - (256, 211)
    };
    const Kind kinds[] = {{"move", 130, 130}, {"edge", 256, 130}, {"corner", 256, 211}};
    const int steps = 2000;
    for (const Kind& kind : kinds) {
        OpenWindowState();
        if (kind.x == 130) {
            // The whole picture cannot move: a frame 40 pixels narrower can.
            DragCropEdge(scanSettings, ZONE_RIGHT, -40, 0);
            CropRectToOffsets(scanSettings);
        }
        ShownTexts texts = {};
        CropFrameHooks hooks = {&texts, nullptr, EdgeRule, CornerRule, nullptr};
        CropDrag drag = {};
        drag.mouseX = drag.lastMouseX = kind.x;
        drag.mouseY = drag.lastMouseY = kind.y;
        drag.hitZone = HitTest(scanSettings, kind.x, kind.y);
        auto start = Clock::now();
        for (int step = 0; step < steps; ++step) {
            // Back and forth by 3 pixels, as a hand moves.
            drag.mouseX = kind.x - (step % 2 == 0 ? 3 : 0);
            drag.mouseY = kind.y - (step % 2 == 0 ? 3 : 0);
            DragCropFrame(scanSettings, drag, hooks);
        }
        double us = MicrosecondsSince(start, steps);
        std::printf("  %-8s %8.3f us per step (zone '%c')\n", kind.name, us, drag.hitZone);
    }
}

}  // namespace

int main() {
    BenchScrollStep();
    BenchDragStep();
    return 0;
}
