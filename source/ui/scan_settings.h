// The process-wide scan settings of the source, shared by all its parts:
// one record for the whole library, living as long as it is loaded, read and
// written only on the thread of the main scan window (no locks). It lives
// here, with the scan window that owns it: the main window and its pop-ups
// write it, and the TWAIN image layout triplet (source/twain) may write the
// output size and crop frame before the window opens. The scans
// (source/scanner), the tone curves and line processing (source/imaging) and
// the image information (source/twain) read it. No copy is made for a scan.
// Portable: no Windows headers.
#pragma once

#include <cstddef>
#include <cstdint>

// A rectangle in client pixels of the main scan window, edges inclusive.
struct PreviewRect {
    uint16_t left;
    uint16_t top;
    uint16_t right;
    uint16_t bottom;
};

// A frame set by the application, in pixels of the unrotated 240 x 160
// preview, edges inclusive.
struct LayoutFrame {
    int16_t left;
    int16_t top;
    int16_t right;
    int16_t bottom;
};

// One tone curve: flat below lowIn and from highIn on, bent by gammaPercent
// (the exponent x 100) between. Levels 0-255.
struct ToneCurve {
    int32_t lowIn;
    int32_t lowOut;
    int32_t highIn;
    int32_t highOut;
    int32_t gammaPercent;
};

// The resolution bar (client pixels): the slider runs from RES_BAR_LEFT to
// RES_BAR_RIGHT, one pixel per SCAN_SCALE_PER_PIXEL units of scanScale.
constexpr uint16_t RES_BAR_LEFT = 260;
constexpr uint16_t RES_BAR_RIGHT = 340;
constexpr uint16_t RES_BAR_TOP = 286;  // top of the bar's bitmap
constexpr uint16_t RES_SLIDER_Y = 296;
constexpr uint16_t SCAN_SCALE_PER_PIXEL = 59;

// The lowest resolution a user can type; a saved DPI below it can only come
// from a damaged settings file.
constexpr int32_t MIN_OUTPUT_RESOLUTION = 10;
constexpr int32_t DEFAULT_OUTPUT_RESOLUTION = 200;

struct ScanSettings {
    // Film and adapter.
    int32_t filmNumber;       // selected film parameter record, 1-based
    char adapterType;         // 'A' APS adapter answering, 'N' otherwise; 0 until the first check
    int32_t apsAdapter;       // 1 when the last check reported the APS adapter
    char lastAdapterType;     // adapterType at the first paint, to detect an exchange

    // Crop frame and orientation, in preview pixels.
    uint16_t rotation;        // quarter turns of the displayed picture, 0..3
    int32_t landscape;        // 1 for rotations 0 and 2
    int16_t cropX0;           // the frame in the unrotated picture, inclusive:
    int16_t cropX1;           // what the rest of the system reads
    int16_t cropY0;
    int16_t cropY1;
    PreviewRect cropRect;     // the frame on screen for the current rotation (derived)
    double cropWidth;
    double cropHeight;
    PreviewRect imageRect;    // where the picture is drawn (derived)
    uint16_t imageWidth;      // the unrotated picture: 240 x 160, or 191 x 109 for APS
    uint16_t imageHeight;
    uint16_t focusLine;       // window coordinate of the focus line; 0 = none

    // Output size and resolution.
    double outputWidth;       // output pixels
    double outputHeight;
    uint16_t outputWidthPixels;   // the same rounded
    uint16_t outputHeightPixels;
    double aspectRatio;       // outputWidth / outputHeight
    double outputScale;       // output pixels per preview pixel
    uint16_t scanScale;       // the resolution bar's value: trunc(outputScale x 354)
    double outputResolution;  // dots per inch of the finished picture
    uint16_t resolutionIndex; // row of the resolution table
    int32_t customResolution; // 1: outputResolution typed or read, not from the table
    int16_t unitIndex;        // 0 pixel, 1 mm, 2 cm, 3 inch
    uint16_t imageSizeIndex;  // row of the image size table
    int32_t maxResolutionOn;  // the maximum-resolution button is down
    double savedOutputScale;  // values before maximum resolution was switched on
    uint16_t savedScanScale;
    double outputWidthMm;     // printed size (derived)
    double outputHeightMm;
    double widthInUnit;
    double heightInUnit;

    // Exposure and colour; the scroll positions run 0..400, 200 neutral.
    double exposurePosition;
    double redPosition;
    double greenPosition;
    double bluePosition;
    double exposureBias;      // -2.0 .. +2.0
    uint32_t redGain;         // percent; also the colour curves' gammaPercent
    uint32_t greenGain;
    uint32_t blueGain;
    double previewExposurePosition;  // exposurePosition when the last preview or scan started
    int32_t monochrome;       // black-and-white conversion on

    // Tone curves, and the gamma curve window's working copy.
    ToneCurve masterCurve;
    ToneCurve redCurve;
    ToneCurve greenCurve;
    ToneCurve blueCurve;
    ToneCurve editCurve;

    // Resolution bar geometry, client pixels.
    uint16_t resSliderX;
    uint16_t resSliderY;
    uint16_t resBarLeft;
    uint16_t resBarRight;
    uint16_t resBarTop;

    // Application layout (DAT_IMAGELAYOUT / MSG_SET).
    uint8_t layoutSet;        // 1 once the application has set a layout
    LayoutFrame layoutFrame;
};

extern ScanSettings scanSettings;

// The values of a freshly loaded library.
void ResetScanSettings();

// How InitialiseScanSettings reads the settings file; the same contract as
// ReadSettingInt and ReadSettingString of common/win32/profile_settings.h, which
// the Windows build passes. Tests pass their own.
struct SettingsReader {
    int32_t (*readInt)(const char* section, const char* key, int32_t defaultValue);
    void (*readString)(const char* section, const char* key, const char* defaultValue,
                       char* buffer, size_t size);
};

// Run once by the main scan window when it is created, on the window's
// thread:
//  - unless the application has set a layout (layoutSet 1), the 600 x 400
//    output of the whole 240 x 160 preview;
//  - always: scroll positions 200, rotation 0, scanScale 885, every tone
//    curve 0..255 with gain 100, the resolution bar;
//  - filmParameterPath from PATH and FILENAME_EN or FILENAME_JP (by
//    `useJapanese` and FONT; see BuildFilmParameterPath);
//  - outputResolution from DPI (default 200; a value below 10 is taken as
//    the default).
// Leaves alone filmNumber (the window reads it), the unit, image size and
// resolution choices, monochrome, exposureBias and the adapter fields.
void InitialiseScanSettings(const SettingsReader& settings, uint8_t useJapanese);
