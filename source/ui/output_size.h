// The output size and resolution model of the main scan window: the crop
// frame (preview pixels), the output size in pixels, the printed size in
// millimetres, centimetres or inches at the output resolution, and the
// resolution bar's scale. Plain functions on a ScanSettings record; the
// window reads its edit fields, calls them and shows what they prepare
// (texts, the slider's place). Portable: no Windows headers.
//
// The relations every operation re-establishes, in the order it states:
//   output pixels = outputScale x crop frame size (preview pixels);
//   scanScale     = trunc(outputScale x SCAN_SCALE_UNIT);
//   printed size  = output pixels x 25.4 / outputResolution.
//
// Sizes are doubles; conversions to integers truncate toward zero, and whole
// pixels shown to the user are rounded (add 0.5, truncate). A crop side below
// one preview pixel, or an aspect ratio that is not a positive number (an
// output height of 0), never reaches a division: the crop side is taken as
// one and the aspect ratio as the crop frame's.
#pragma once

#include <cstddef>
#include <cstdint>

#include "source/ui/scan_settings.h"

// scanScale of one output pixel per preview pixel, and of the maximum
// resolution (10 output pixels per preview pixel).
constexpr uint16_t SCAN_SCALE_UNIT = 354;
constexpr uint16_t MAX_SCAN_SCALE = 3540;
constexpr double MAX_RESOLUTION_SCALE = 10.0;
// The output is at least this many pixels a side, and at most this many
// times the crop frame in each direction.
constexpr double MIN_OUTPUT_SIDE = 10.0;
constexpr double MAX_OUTPUT_PER_CROP = 20.0;
// The largest resolution a user can type: what every reader of
// outputResolution (the TWAIN image information's 16-bit whole part, the
// DPI key, the bitmap header's pixels per metre) carries unchanged.
constexpr int32_t MAX_OUTPUT_RESOLUTION = 32767;
constexpr double MM_PER_INCH = 25.4;

// unitIndex values.
constexpr int16_t UNIT_PIXEL = 0;
constexpr int16_t UNIT_MM = 1;
constexpr int16_t UNIT_CM = 2;
constexpr int16_t UNIT_INCH = 3;
constexpr size_t UNIT_COUNT = 4;
constexpr size_t UNIT_NAME_BYTES = 6;
// The unit names as drawn: 5 characters padded with blanks, so a shorter
// name covers a longer one.
constexpr char UNIT_NAMES[UNIT_COUNT][UNIT_NAME_BYTES] = {"pixel", "mm   ", "cm   ", "inch "};

// The output resolution list; a row's number is its first three characters.
constexpr size_t RESOLUTION_ROWS = 11;
constexpr size_t RESOLUTION_TEXT_BYTES = 8;
constexpr char RESOLUTION_TEXTS[RESOLUTION_ROWS][RESOLUTION_TEXT_BYTES] = {
    "400 dpi", "360 dpi", "350 dpi", "320 dpi", "300 dpi", "240 dpi",
    "200 dpi", "180 dpi", "160 dpi", "120 dpi", "100 dpi"};

// The image size list: the width in characters 0-3 and the height in
// characters 7-10, right-aligned with blanks. Landscape sizes; a portrait
// frame takes them the other way round.
constexpr size_t IMAGE_SIZE_ROWS = 30;
constexpr size_t IMAGE_SIZE_TEXT_BYTES = 12;
constexpr char IMAGE_SIZE_TEXTS[IMAGE_SIZE_ROWS][IMAGE_SIZE_TEXT_BYTES] = {
    "2400 x 1600", "2250 x 1500", "1800 x 1200", "1600 x 1200", "1910 x 1090", "1536 x 1024",
    "1500 x 1000", "1280 x 1024", "1200 x  900", "1200 x  800", "1024 x  768", " 900 x  600",
    " 800 x  600", " 768 x  512", " 720 x  480", " 640 x  480", " 600 x  400", " 512 x  384",
    " 450 x  300", " 400 x  300", " 384 x  256", " 360 x  240", " 320 x  240", " 300 x  200",
    " 256 x  192", " 240 x  160", " 200 x  150", " 192 x  128", " 150 x  100", " 128 x   96"};

// The number of resolution row `index` (400 for row 0); 0 for a row past
// the table.
int32_t ResolutionOfRow(uint16_t index);
// The width and height of image size row `index` (landscape); false, and
// nothing stored, for a row past the table.
bool ImageSizeOfRow(uint16_t index, int32_t& width, int32_t& height);

// Whole pixels as shown: trunc(value + 0.5), held within 16 bits (below 0
// and NaN give 0, beyond 65535 gives 65535).
uint16_t RoundedPixels(double value);
// trunc(scale x SCAN_SCALE_UNIT), held within 16 bits like RoundedPixels.
uint16_t ScanScaleFor(double outputScale);
// outputWidthPixels, outputHeightPixels from outputWidth, outputHeight.
void RoundOutputPixels(ScanSettings& settings);

// outputWidthMm, outputHeightMm from the output pixels at outputResolution
// (a resolution below MIN_OUTPUT_RESOLUTION, which no input gives, counts as
// that lowest one in both directions).
void PixelsToMm(ScanSettings& settings);
// outputWidth, outputHeight from the printed size at outputResolution, each
// at least 1.0; then their whole pixels and outputScale = outputWidth /
// cropWidth.
void MmToPixels(ScanSettings& settings);
// widthInUnit, heightInUnit from the printed size in millimetres, and back:
// mm x 1, cm x 0.1, inch / 25.4. A unit outside 1..3 leaves millimetres.
void MmToUnit(ScanSettings& settings, int16_t unit);
void UnitToMm(ScanSettings& settings, int16_t unit);

// Pulls a wanted size into the limits: below MIN_OUTPUT_SIDE on either side,
// the shorter side of the crop frame's orientation becomes 10 and the other
// follows aspectRatio (a frame no wider than high: W = 10, H = 10 / aspect;
// otherwise H = 10, W = 10 x aspect). Then beyond MAX_OUTPUT_PER_CROP times
// the crop frame on either side, both sides become 20 x the crop frame (the
// frame's own aspect).
void ClampOutputSize(const ScanSettings& settings, double& width, double& height);

// A number typed into a field read as the format says. The format must be
// "%" followed by a decimal width n and "lf" ("%5lf"); otherwise returns 0
// and stores nothing. The number is the longest prefix of `text`, at most n
// characters, of digits, '.', 'e', 'E', 'd' and 'D', converted as atof does:
// 'd' and 'D' end it, and a sign (not in the set) makes it 0, as does text
// that is no number. Returns 1.
int32_t ParseFixedWidthReal(const char* text, const char* format, double* result);

// A whole number typed into a field: blanks around an optional sign and
// decimal digits. Anything else (empty text, letters, a second number)
// reads as 0; a number beyond 32 bits is held at the nearest 32-bit value.
int32_t ParseFieldInteger(const char* text);

// Up to 5 significant digits in general notation, the way the Windows
// runtime's _gcvt writes them: "76.2", "600." (a point after a whole
// number), "2.54e-005" (three exponent digits). `buffer` holds at least
// UNIT_TEXT_BYTES.
constexpr size_t UNIT_TEXT_BYTES = 24;
void FormatSignificant5(double value, char* buffer);

// The texts of the width and height fields.
struct OutputSizeTexts {
    char width[UNIT_TEXT_BYTES];
    char height[UNIT_TEXT_BYTES];
};

// The model half of showing the size in `unit`: rounds the whole pixels. In
// pixels (or a unit outside 1..3) the texts are those pixels as signed
// integers. In a physical unit: PixelsToMm, MmToUnit, each value written
// with FormatSignificant5, its first 5 characters read back with "%5lf" into
// widthInUnit / heightInUnit and written again: what the field shows is what
// five characters hold. The window writes both texts into its fields.
void PrepareOutputSizeTexts(ScanSettings& settings, int16_t unit, OutputSizeTexts& texts);

// The size estimate: outputWidthPixels x outputHeightPixels x 3 / 1000
// (decimal kilobytes, truncated; rounds the whole pixels first) written with
// "%6lu KB ". `buffer` holds at least SIZE_ESTIMATE_BYTES; the window blanks
// the place with SIZE_ESTIMATE_BLANKS first.
constexpr size_t SIZE_ESTIMATE_BYTES = 24;
constexpr char SIZE_ESTIMATE_BLANKS[] = "                     ";  // 21
uint32_t SizeEstimateKilobytes(ScanSettings& settings);
void FormatSizeEstimate(ScanSettings& settings, char* buffer);

// The model half of ShowResolution: when customResolution is 0,
// outputResolution becomes the number of row `index`; returns what the
// resolution field shows, trunc(outputResolution).
int32_t ShownResolution(ScanSettings& settings, uint16_t index);

// The slider's x on the bar for scanScale: RES_BAR_LEFT + trunc(scanScale /
// SCAN_SCALE_PER_PIXEL), at most RES_BAR_RIGHT.
uint16_t ResolutionSliderX(uint16_t scanScale);
// The model half of DrawResolutionBar: resSliderX for scanScale.
void PlaceResolutionSlider(ScanSettings& settings);

// What the window redraws after an operation. The maximum-resolution
// button always follows maxResolutionOn.
struct OutputRedraw {
    bool sizeFields;       // PrepareOutputSizeTexts with unitIndex, into the fields
    bool sizeEstimate;     // FormatSizeEstimate
    bool resolutionField;  // ShownResolution (already applied) into EDIT_RESOLUTION
    bool resolutionBar;    // the bar with the slider at resSliderX
};

// A step of the slider drag (zone 'i') by `deltaX` client pixels since the
// last step. The slider stays between RES_BAR_LEFT + 1 and RES_BAR_RIGHT
// (scanScale 59 .. 4720 in steps of 59); scanScale follows it; maximum
// resolution goes off; the output follows the new scale. Redraws all but the
// resolution field.
OutputRedraw DragResolutionSlider(ScanSettings& settings, int32_t deltaX);

// The maximum-resolution button: on saves outputScale and scanScale and
// takes 10 output pixels per preview pixel (scanScale 3540); off restores
// the saved ones. The output follows scanScale. Redraws all but the
// resolution field.
OutputRedraw ToggleMaxResolution(ScanSettings& settings);

// The texts of the edit fields the user changed; null for a field whose
// modified flag is clear. Only the first five characters of a size in a
// physical unit count.
struct TypedFields {
    const char* width;
    const char* height;
    const char* resolution;
};

// The typed values, in this order, in the unit unitIndex:
//  - a width (pixels: an integer, at least 10; physical: "%5lf") sets the
//    height by aspectRatio; only without a typed width does a typed height
//    count, setting the width by aspectRatio (the width wins, as the
//    rewritten fields would drop the height). The size goes through
//    ClampOutputSize, maximum resolution off, scale and slider follow.
//  - a resolution (any unit): customResolution 1; the printed size is kept
//    and the pixels follow the new resolution (an integer held within
//    MIN_OUTPUT_RESOLUTION .. MAX_OUTPUT_RESOLUTION); the result goes through
//    ClampOutputSize; maximum resolution off; scale and slider follow.
// Nothing typed: nothing changes, nothing to redraw.
OutputRedraw ApplyTypedValues(ScanSettings& settings, const TypedFields& fields);

// The image size list's row `index` (offered in pixels only), in two halves
// around the crop frame's fit to the new aspect:
//  1. ApplyImageSizePreset: imageSizeIndex, the output size from the row
//     (turned for a portrait frame), aspectRatio, the printed size, whole
//     pixels. False, and nothing changed, for a row past the table.
//  2. the caller fits the crop frame to aspectRatio and clamps it, which sets
//     cropWidth and cropHeight;
//  3. FinishImageSizePreset: outputScale from the new frame, scanScale, the
//     slider, maximum resolution off. Redraws the sizes, estimate and bar.
bool ApplyImageSizePreset(ScanSettings& settings, uint16_t index);
OutputRedraw FinishImageSizePreset(ScanSettings& settings);

// The output resolution list's row `index` (offered in a physical unit
// only): customResolution 0, resolutionIndex, the table's resolution; the
// printed size is kept and the pixels follow, through ClampOutputSize; the
// scale and slider follow; maximum resolution is left as it is. False, and
// nothing changed, for a row past the table.
bool ApplyResolutionPreset(ScanSettings& settings, uint16_t index, OutputRedraw& redraw);

// What the crop frame's drags do to the output (cropWidth and cropHeight
// already set from the new frame):
//  - an edge ('l', 'r', 'u', 'd'): the output follows the frame at the same
//    outputScale, and aspectRatio becomes the frame's;
//  - a corner ('1'..'4'): the width follows the frame at the same scale and
//    the height follows aspectRatio, which is unchanged.
// Either goes through ClampOutputSize; only when that moved the size do the
// scale, scanScale and slider follow (and the bar is redrawn). Redraws the
// sizes and the estimate. A move ('a') changes nothing and needs no call.
OutputRedraw ApplyCropEdgeDrag(ScanSettings& settings);
OutputRedraw ApplyCropCornerDrag(ScanSettings& settings);
