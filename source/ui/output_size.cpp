#include "source/ui/output_size.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// A crop side as a divisor: the crop module keeps frames at least two
// preview pixels a side, but a zero here would make every size infinite.
double CropSide(double side) {
    return side >= 1.0 ? side : 1.0;
}

// The aspect ratio as a factor and divisor: an output height of 0 (or any
// ratio that is not a positive finite number) falls back to the crop
// frame's shape, which always exists.
double UsableAspect(const ScanSettings& s) {
    double aspect = s.aspectRatio;
    if (aspect > 0.0 && std::isfinite(aspect)) return aspect;
    return CropSide(s.cropWidth) / CropSide(s.cropHeight);
}

// The resolution as a divisor: the settings file and the lists never give
// one below the lowest a user can type, but a 0 would make the printed size
// infinite.
double UsableResolution(const ScanSettings& s) {
    double dpi = s.outputResolution;
    return dpi >= MIN_OUTPUT_RESOLUTION ? dpi : MIN_OUTPUT_RESOLUTION;
}

uint16_t Held16(double truncated) {
    if (!(truncated > 0.0)) return 0;  // also NaN
    if (truncated >= 65535.0) return 65535;
    return static_cast<uint16_t>(truncated);
}

int32_t DigitsOf(const char* text, size_t count) {
    int32_t value = 0;
    for (size_t i = 0; i < count; ++i) value = value * 10 + (text[i] - '0');
    return value;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// outputScale from the output width and the frame, and the bar after it.
void ScaleFromOutput(ScanSettings& s) {
    s.outputScale = s.outputWidth / CropSide(s.cropWidth);
    s.scanScale = ScanScaleFor(s.outputScale);
    PlaceResolutionSlider(s);
}

// The output from scanScale, where the bar is the input.
void OutputFromScanScale(ScanSettings& s) {
    s.outputWidth = s.scanScale * s.cropWidth / SCAN_SCALE_UNIT;
    s.outputHeight = s.scanScale * s.cropHeight / SCAN_SCALE_UNIT;
    RoundOutputPixels(s);
}

// The common end of a typed size: the limits, maximum resolution off, the
// scale and the bar.
OutputRedraw TakeTypedSize(ScanSettings& s, double width, double height) {
    ClampOutputSize(s, width, height);
    s.outputWidth = width;
    s.outputHeight = height;
    RoundOutputPixels(s);
    s.maxResolutionOn = 0;
    ScaleFromOutput(s);
    return {true, true, false, true};
}

// A physical size typed in the unit: the first five characters count.
double TypedInUnit(const char* text) {
    double value = 0.0;
    ParseFixedWidthReal(text, "%5lf", &value);
    return value;
}

// The output size within its limits; true when they moved it.
bool ClampOutputInPlace(ScanSettings& s) {
    double width = s.outputWidth;
    double height = s.outputHeight;
    ClampOutputSize(s, width, height);
    bool clamped = width != s.outputWidth || height != s.outputHeight;
    s.outputWidth = width;
    s.outputHeight = height;
    return clamped;
}

// After the resolution changed with the printed size kept: the pixels
// follow, and the limits keep them within what a scan can make (a jump from
// 10 to 400 dpi multiplies them by 40, past 16 bits). Redraws the size
// fields only when the limits changed the printed size.
OutputRedraw FollowResolution(ScanSettings& s) {
    MmToPixels(s);
    bool clamped = ClampOutputInPlace(s);
    RoundOutputPixels(s);
    ScaleFromOutput(s);
    // The estimate is redrawn too: it counts pixels, which changed.
    return {clamped, true, true, true};
}

// The end of a crop drag: the limits; the scale follows only when they
// moved the size, so that a drag never nudges the slider by a rounding.
OutputRedraw TakeDraggedSize(ScanSettings& s) {
    bool clamped = ClampOutputInPlace(s);
    RoundOutputPixels(s);
    if (clamped) ScaleFromOutput(s);
    return {true, true, false, clamped};
}

}  // namespace

int32_t ResolutionOfRow(uint16_t index) {
    if (index >= RESOLUTION_ROWS) return 0;
    return DigitsOf(RESOLUTION_TEXTS[index], 3);
}

bool ImageSizeOfRow(uint16_t index, int32_t& width, int32_t& height) {
    if (index >= IMAGE_SIZE_ROWS) return false;
    const char* row = IMAGE_SIZE_TEXTS[index];
    // Right-aligned with blanks, which the integer reading skips.
    char field[5] = {};
    std::memcpy(field, row, 4);
    width = ParseFieldInteger(field);
    std::memcpy(field, row + 7, 4);
    height = ParseFieldInteger(field);
    return true;
}

uint16_t RoundedPixels(double value) {
    return Held16(std::trunc(value + 0.5));
}

uint16_t ScanScaleFor(double outputScale) {
    return Held16(std::trunc(outputScale * SCAN_SCALE_UNIT));
}

void RoundOutputPixels(ScanSettings& s) {
    s.outputWidthPixels = RoundedPixels(s.outputWidth);
    s.outputHeightPixels = RoundedPixels(s.outputHeight);
}

void PixelsToMm(ScanSettings& s) {
    double dpi = UsableResolution(s);
    s.outputWidthMm = s.outputWidth * MM_PER_INCH / dpi;
    s.outputHeightMm = s.outputHeight * MM_PER_INCH / dpi;
}

void MmToPixels(ScanSettings& s) {
    double dpi = UsableResolution(s);
    s.outputWidth = dpi * s.outputWidthMm / MM_PER_INCH;
    s.outputHeight = dpi * s.outputHeightMm / MM_PER_INCH;
    // Not below one pixel: `!(x >= 1)` also catches a NaN.
    if (!(s.outputWidth >= 1.0)) s.outputWidth = 1.0;
    if (!(s.outputHeight >= 1.0)) s.outputHeight = 1.0;
    RoundOutputPixels(s);
    s.outputScale = s.outputWidth / CropSide(s.cropWidth);
}

void MmToUnit(ScanSettings& s, int16_t unit) {
    double factor = unit == UNIT_CM ? 0.1 : unit == UNIT_INCH ? 1.0 / MM_PER_INCH : 1.0;
    s.widthInUnit = s.outputWidthMm * factor;
    s.heightInUnit = s.outputHeightMm * factor;
}

void UnitToMm(ScanSettings& s, int16_t unit) {
    double factor = unit == UNIT_CM ? 10.0 : unit == UNIT_INCH ? MM_PER_INCH : 1.0;
    s.outputWidthMm = s.widthInUnit * factor;
    s.outputHeightMm = s.heightInUnit * factor;
}

void ClampOutputSize(const ScanSettings& s, double& width, double& height) {
    double aspect = UsableAspect(s);
    // `!(x >= 10)` also takes a NaN as too small.
    if (!(width >= MIN_OUTPUT_SIDE) || !(height >= MIN_OUTPUT_SIDE)) {
        if (s.cropWidth <= s.cropHeight) {
            width = MIN_OUTPUT_SIDE;
            height = MIN_OUTPUT_SIDE / aspect;
        } else {
            height = MIN_OUTPUT_SIDE;
            width = aspect * MIN_OUTPUT_SIDE;
        }
    }
    double maxWidth = MAX_OUTPUT_PER_CROP * CropSide(s.cropWidth);
    double maxHeight = MAX_OUTPUT_PER_CROP * CropSide(s.cropHeight);
    if (width > maxWidth || height > maxHeight) {
        width = maxWidth;
        height = maxHeight;
    }
}

int32_t ParseFixedWidthReal(const char* text, const char* format, double* result) {
    if (format == nullptr || format[0] != '%') return 0;
    size_t pos = 1;
    size_t limit = 0;
    while (format[pos] >= '0' && format[pos] <= '9') {
        limit = limit * 10 + static_cast<size_t>(format[pos] - '0');
        if (limit > 64) return 0;  // wider than any field
        ++pos;
    }
    if (pos == 1 || std::strcmp(format + pos, "lf") != 0) return 0;

    // The prefix may hold 'd' and 'D', but the number ends at them: some
    // runtimes' atof would read them as an exponent, so they are not
    // handed on. strtod gives 0 for no number, and infinity for an exponent
    // too large, which the size limits then pull in.
    char number[65] = {};
    size_t length = 0;
    while (text != nullptr && length < limit && text[length] != '\0' &&
           std::strchr("0123456789.eE", text[length]) != nullptr) {
        number[length] = text[length];
        ++length;
    }
    *result = std::strtod(number, nullptr);
    return 1;
}

int32_t ParseFieldInteger(const char* text) {
    if (text == nullptr) return 0;
    const char* p = text;
    while (IsBlank(*p)) ++p;
    bool negative = false;
    if (*p == '-' || *p == '+') {
        negative = *p == '-';
        ++p;
    }
    if (*p < '0' || *p > '9') return 0;
    int64_t value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        // Held at the 32-bit limits rather than wrapped: a huge width is
        // still a huge width, which the size limits then pull in.
        if (value <= INT32_MAX) value = value * 10 + (*p - '0');
    }
    while (IsBlank(*p)) ++p;
    if (*p != '\0') return 0;
    if (negative) value = -value;
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(value);
}

void FormatSignificant5(double value, char* buffer) {
    char plain[UNIT_TEXT_BYTES];
    std::snprintf(plain, sizeof plain, "%.5g", value);
    // %g and _gcvt differ in two ways: _gcvt ends a mantissa without a
    // fraction with a point ("600.") and writes at least three exponent
    // digits ("e-005").
    const char* exponent = std::strpbrk(plain, "eE");
    size_t mantissaLength = exponent != nullptr ? static_cast<size_t>(exponent - plain) : std::strlen(plain);
    bool finite = std::isfinite(value);
    size_t out = 0;
    std::memcpy(buffer, plain, mantissaLength);
    out = mantissaLength;
    if (finite && std::memchr(plain, '.', mantissaLength) == nullptr) buffer[out++] = '.';
    if (exponent != nullptr) {
        buffer[out++] = 'e';
        buffer[out++] = exponent[1];  // the sign, always written by %g
        const char* digits = exponent + 2;
        for (size_t n = std::strlen(digits); n < 3; ++n) buffer[out++] = '0';
        for (; *digits != '\0'; ++digits) buffer[out++] = *digits;
    }
    buffer[out] = '\0';
}

void PrepareOutputSizeTexts(ScanSettings& s, int16_t unit, OutputSizeTexts& texts) {
    RoundOutputPixels(s);
    if (unit < UNIT_MM || unit > UNIT_INCH) {
        std::snprintf(texts.width, sizeof texts.width, "%d", static_cast<int>(s.outputWidthPixels));
        std::snprintf(texts.height, sizeof texts.height, "%d", static_cast<int>(s.outputHeightPixels));
        return;
    }
    PixelsToMm(s);
    MmToUnit(s, unit);
    // The fields keep what five characters show, and the value in the unit
    // is that shown value, so what the user sees is what a swap or a later
    // read of the field gives.
    FormatSignificant5(s.widthInUnit, texts.width);
    ParseFixedWidthReal(texts.width, "%5lf", &s.widthInUnit);
    FormatSignificant5(s.widthInUnit, texts.width);
    FormatSignificant5(s.heightInUnit, texts.height);
    ParseFixedWidthReal(texts.height, "%5lf", &s.heightInUnit);
    FormatSignificant5(s.heightInUnit, texts.height);
}

uint32_t SizeEstimateKilobytes(ScanSettings& s) {
    RoundOutputPixels(s);
    // Two 16-bit sides times 3 can pass 32 bits; the product is taken in 64.
    uint64_t bytes = uint64_t{s.outputWidthPixels} * s.outputHeightPixels * 3u;
    return static_cast<uint32_t>(bytes / 1000u);
}

void FormatSizeEstimate(ScanSettings& s, char* buffer) {
    std::snprintf(buffer, SIZE_ESTIMATE_BYTES, "%6lu KB ", static_cast<unsigned long>(SizeEstimateKilobytes(s)));
}

int32_t ShownResolution(ScanSettings& s, uint16_t index) {
    if (s.customResolution == 0 && index < RESOLUTION_ROWS) s.outputResolution = ResolutionOfRow(index);
    return static_cast<int32_t>(s.outputResolution);
}

uint16_t ResolutionSliderX(uint16_t scanScale) {
    int32_t x = RES_BAR_LEFT + scanScale / SCAN_SCALE_PER_PIXEL;
    return static_cast<uint16_t>(x < RES_BAR_RIGHT ? x : RES_BAR_RIGHT);
}

void PlaceResolutionSlider(ScanSettings& s) {
    s.resSliderX = ResolutionSliderX(s.scanScale);
}

OutputRedraw DragResolutionSlider(ScanSettings& s, int32_t deltaX) {
    // The slider is where the bar drew it; from there it moves by the mouse
    // but stays off the bar's first position (scanScale 0 has no output)
    // and on the bar. Starting from the drawn place, not from scanScale,
    // keeps a scale beyond the bar's end (a typed size) from sending the
    // slider the wrong way.
    int32_t x = ResolutionSliderX(s.scanScale);
    int64_t moved = int64_t{x} + deltaX;
    if (moved < RES_BAR_LEFT + 1) moved = RES_BAR_LEFT + 1;
    if (moved > RES_BAR_RIGHT) moved = RES_BAR_RIGHT;
    s.resSliderX = static_cast<uint16_t>(moved);
    s.scanScale = static_cast<uint16_t>((s.resSliderX - RES_BAR_LEFT) * SCAN_SCALE_PER_PIXEL);
    s.maxResolutionOn = 0;
    OutputFromScanScale(s);
    s.outputScale = s.outputWidth / CropSide(s.cropWidth);
    return {true, true, false, true};
}

OutputRedraw ToggleMaxResolution(ScanSettings& s) {
    if (s.maxResolutionOn == 0) {
        s.savedOutputScale = s.outputScale;
        s.outputScale = MAX_RESOLUTION_SCALE;
        s.savedScanScale = s.scanScale;
        s.scanScale = MAX_SCAN_SCALE;
    } else {
        s.outputScale = s.savedOutputScale;
        s.scanScale = s.savedScanScale;
    }
    s.maxResolutionOn = s.maxResolutionOn == 0 ? 1 : 0;
    PlaceResolutionSlider(s);
    OutputFromScanScale(s);
    return {true, true, false, true};
}

OutputRedraw ApplyTypedValues(ScanSettings& s, const TypedFields& fields) {
    OutputRedraw redraw = {false, false, false, false};
    bool pixels = s.unitIndex < UNIT_MM || s.unitIndex > UNIT_INCH;
    double aspect = UsableAspect(s);
    if (fields.width != nullptr || fields.height != nullptr) {
        double width = 0.0;
        double height = 0.0;
        if (pixels) {
            if (fields.width != nullptr) {
                width = ParseFieldInteger(fields.width);
                if (width < MIN_OUTPUT_SIDE) width = MIN_OUTPUT_SIDE;
                height = width / aspect;
            } else {
                height = ParseFieldInteger(fields.height);
                if (height < MIN_OUTPUT_SIDE) height = MIN_OUTPUT_SIDE;
                width = aspect * height;
            }
        } else {
            if (fields.width != nullptr) {
                s.widthInUnit = TypedInUnit(fields.width);
                s.heightInUnit = s.widthInUnit / aspect;
            } else {
                s.heightInUnit = TypedInUnit(fields.height);
                s.widthInUnit = aspect * s.heightInUnit;
            }
            UnitToMm(s, s.unitIndex);
            MmToPixels(s);
            width = s.outputWidth;
            height = s.outputHeight;
        }
        redraw = TakeTypedSize(s, width, height);
    }
    if (fields.resolution != nullptr) {
        s.customResolution = 1;
        PixelsToMm(s);
        int32_t dpi = ParseFieldInteger(fields.resolution);
        if (dpi < MIN_OUTPUT_RESOLUTION) dpi = MIN_OUTPUT_RESOLUTION;
        if (dpi > MAX_OUTPUT_RESOLUTION) dpi = MAX_OUTPUT_RESOLUTION;
        s.outputResolution = dpi;
        s.maxResolutionOn = 0;
        OutputRedraw after = FollowResolution(s);
        redraw.sizeFields = redraw.sizeFields || after.sizeFields;
        redraw.sizeEstimate = true;
        redraw.resolutionField = true;
        redraw.resolutionBar = true;
    }
    return redraw;
}

bool ApplyImageSizePreset(ScanSettings& s, uint16_t index) {
    int32_t width = 0;
    int32_t height = 0;
    if (!ImageSizeOfRow(index, width, height)) return false;
    s.imageSizeIndex = index;
    if (s.landscape != 0) {
        s.outputWidth = width;
        s.outputHeight = height;
    } else {
        s.outputWidth = height;
        s.outputHeight = width;
    }
    s.aspectRatio = s.outputWidth / s.outputHeight;
    PixelsToMm(s);
    RoundOutputPixels(s);
    return true;
}

OutputRedraw FinishImageSizePreset(ScanSettings& s) {
    ScaleFromOutput(s);
    s.maxResolutionOn = 0;
    return {true, true, false, true};
}

bool ApplyResolutionPreset(ScanSettings& s, uint16_t index, OutputRedraw& redraw) {
    if (index >= RESOLUTION_ROWS) return false;
    s.customResolution = 0;
    s.resolutionIndex = index;
    PixelsToMm(s);
    ShownResolution(s, index);
    redraw = FollowResolution(s);
    return true;
}

OutputRedraw ApplyCropEdgeDrag(ScanSettings& s) {
    s.outputWidth = s.cropWidth * s.outputScale;
    s.outputHeight = s.cropHeight * s.outputScale;
    // A frame's sides are at least 1 preview pixel, but a scale of 0 would
    // leave the height 0: the old ratio stays then.
    if (s.outputWidth > 0.0 && s.outputHeight > 0.0) s.aspectRatio = s.outputWidth / s.outputHeight;
    s.outputScale = s.outputWidth / CropSide(s.cropWidth);
    return TakeDraggedSize(s);
}

OutputRedraw ApplyCropCornerDrag(ScanSettings& s) {
    s.outputWidth = s.cropWidth * s.outputScale;
    s.outputHeight = s.cropWidth * s.outputScale / UsableAspect(s);
    return TakeDraggedSize(s);
}
