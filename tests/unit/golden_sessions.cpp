#include "tests/unit/golden_sessions.h"

#include "source/imaging/film_parameters.h"
#include "source/imaging/tone_curves.h"
#include "source/library_state.h"
#include "source/scanner/link.h"
#include "source/scanner/preview_scan.h"

uint8_t GoldenStatusSession(ScannerStatus& status) {
    ResetCoreState();
    if (!InitialiseLink()) return 0;
    return ReadStatus(status);
}

uint8_t GoldenCartridgeSession(CartridgeInfo& info) {
    ResetCoreState();
    if (!InitialiseLink()) return 0;
    return ReadCartridgeData(info);
}

ScanOutcome GoldenPreviewSession(std::vector<uint8_t>& pixels, std::vector<uint8_t>& bitmap) {
    ResetCoreState();
    for (int i = 0; i < CURVE_TABLE_SIZE; ++i) redTable8[i] = greenTable8[i] = blueTable8[i] = static_cast<uint8_t>(i);
    currentFilm.scanLetter = 'R';
    pixels.assign(PREVIEW_PIXELS_BYTES, 0);
    bitmap.assign(PREVIEW_BITMAP_BYTES, 0);
    if (!InitialiseLink()) return ScanOutcome::LineFailed;
    ReadScannerParameters();
    if (!calibrationRead) return ScanOutcome::LineFailed;
    ScanLineCanvas canvas = {[](void*, int16_t, int16_t, uint8_t, uint8_t, uint8_t) {}, nullptr};
    PreviewTarget target = {pixels.data(), bitmap.data(), bitmap.size(), canvas, 0, 0};
    return RunPreviewScan(target, false, 0, false);
}
