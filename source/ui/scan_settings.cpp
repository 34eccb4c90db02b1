#include "source/ui/scan_settings.h"

#include "common/win32/profile_settings.h"
#include "source/imaging/film_parameters.h"

namespace {

constexpr ToneCurve NEUTRAL_CURVE = {0, 0, 255, 255, 100};
constexpr uint16_t DEFAULT_SCAN_SCALE = 885;  // 2.5 output pixels per preview pixel

// The values of a freshly loaded library, and the ones the main scan window
// starts from each time it opens. The 600 x 400 output of the whole 35 mm
// picture: 240 x 160 preview pixels at 2.5 output pixels each.
constexpr ScanSettings LOADED_SETTINGS = {
    .filmNumber = 1,
    .adapterType = 0,
    .apsAdapter = 0,
    .lastAdapterType = 0,
    .rotation = 0,
    .landscape = 1,
    .cropX0 = 0,
    .cropX1 = 239,
    .cropY0 = 0,
    .cropY1 = 159,
    .cropRect = {0, 0, 0, 0},
    .cropWidth = 240.0,
    .cropHeight = 160.0,
    .imageRect = {0, 0, 0, 0},
    .imageWidth = 0,
    .imageHeight = 0,
    .focusLine = 0,
    .outputWidth = 600.0,
    .outputHeight = 400.0,
    .outputWidthPixels = 600,
    .outputHeightPixels = 400,
    .aspectRatio = 1.5,
    .outputScale = 2.5,
    .scanScale = DEFAULT_SCAN_SCALE,
    .outputResolution = DEFAULT_OUTPUT_RESOLUTION,
    .resolutionIndex = 0,
    .customResolution = 1,
    .unitIndex = 0,
    .imageSizeIndex = 16,
    .maxResolutionOn = 0,
    .savedOutputScale = 0.0,
    .savedScanScale = 0,
    .outputWidthMm = 0.0,
    .outputHeightMm = 0.0,
    .widthInUnit = 0.0,
    .heightInUnit = 0.0,
    .exposurePosition = 200.0,
    .redPosition = 200.0,
    .greenPosition = 200.0,
    .bluePosition = 200.0,
    .exposureBias = 0.0,
    .redGain = 100,
    .greenGain = 100,
    .blueGain = 100,
    .previewExposurePosition = 200.0,
    .monochrome = 0,
    .masterCurve = NEUTRAL_CURVE,
    .redCurve = NEUTRAL_CURVE,
    .greenCurve = NEUTRAL_CURVE,
    .blueCurve = NEUTRAL_CURVE,
    .editCurve = NEUTRAL_CURVE,
    .resSliderX = RES_BAR_LEFT + DEFAULT_SCAN_SCALE / SCAN_SCALE_PER_PIXEL,
    .resSliderY = RES_SLIDER_Y,
    .resBarLeft = RES_BAR_LEFT,
    .resBarRight = RES_BAR_RIGHT,
    .resBarTop = RES_BAR_TOP,
    .layoutSet = 0,
    .layoutFrame = {0, 0, 0, 0},
};
static_assert(LOADED_SETTINGS.resSliderX == 275);

// Copies the named fields of the loaded values into `s`, so that the window's
// start values are stated once, in LOADED_SETTINGS.
template <auto... fields>
void RestoreLoaded(ScanSettings& s) {
    ((s.*fields = LOADED_SETTINGS.*fields), ...);
}

}  // namespace

ScanSettings scanSettings = LOADED_SETTINGS;

void ResetScanSettings() {
    scanSettings = LOADED_SETTINGS;
}

void InitialiseScanSettings(const SettingsReader& settings, uint8_t useJapanese) {
    ScanSettings& s = scanSettings;
    using S = ScanSettings;
    // A layout set by the application decides the output size and frame.
    if (s.layoutSet == 0) {
        RestoreLoaded<&S::outputWidth, &S::outputHeight, &S::outputWidthPixels, &S::outputHeightPixels,
                      &S::outputScale, &S::aspectRatio, &S::cropWidth, &S::cropHeight, &S::cropX0, &S::cropX1,
                      &S::cropY0, &S::cropY1>(s);
    }
    RestoreLoaded<&S::exposurePosition, &S::redPosition, &S::greenPosition, &S::bluePosition,
                  &S::previewExposurePosition, &S::rotation, &S::scanScale, &S::masterCurve, &S::redCurve,
                  &S::greenCurve, &S::blueCurve, &S::editCurve, &S::redGain, &S::greenGain, &S::blueGain,
                  &S::resSliderX, &S::resSliderY, &S::resBarLeft, &S::resBarRight, &S::resBarTop>(s);

    char path[FILM_PATH_KEY_BYTES];
    char fileNameEn[FILM_FILE_NAME_KEY_BYTES];
    char fileNameJp[FILM_FILE_NAME_KEY_BYTES];
    char font[FILM_FILE_NAME_KEY_BYTES];  // only its first character is looked at
    settings.readString(SOURCE_SECTION, "PATH", "<NO>", path, sizeof path);
    settings.readString(SOURCE_SECTION, "FILENAME_EN", "fpara_en.spm", fileNameEn, sizeof fileNameEn);
    settings.readString(SOURCE_SECTION, "FILENAME_JP", "fpara_jp.spm", fileNameJp, sizeof fileNameJp);
    settings.readString(SOURCE_SECTION, "FONT", "<NO>", font, sizeof font);
    BuildFilmParameterPath({path, fileNameEn, fileNameJp, font}, useJapanese, filmParameterPath,
                           sizeof filmParameterPath);

    // Sizes in printed units are divided by the resolution: a damaged DPI of
    // 0 or below must not reach them.
    int32_t dpi = settings.readInt(SOURCE_SECTION, "DPI", DEFAULT_OUTPUT_RESOLUTION);
    s.outputResolution = dpi < MIN_OUTPUT_RESOLUTION ? DEFAULT_OUTPUT_RESOLUTION : dpi;
}
