// The scanner's command set: command blocks of 6 or 10 bytes (SCSI-2 scanner
// layout: READ 0x28, SEND 0x2A, SET WINDOW 0x24, SCAN 0x1B, OBJECT POSITION
// 0x31, vendor codes 0xD0-0xD5), their parameter data and replies, carried
// by the link. Portable.
//
// Every operation answers 1 when the scanner took the command and gave its
// whole reply, and 0 when the selection timed out or the scanner stopped
// answering in the middle of the transaction (link.h, scannerLost: a wait
// ran out, within a few seconds); the port is idle then, and reply bytes not
// read stay zero.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint32_t SCANNER_UNITS_PER_INCH = 1770;

// READ/SEND data types.
constexpr uint8_t DATA_CARTRIDGE = 0x44;     // 'D'
constexpr uint8_t DATA_CALIBRATION = 0x45;   // 'E'
constexpr uint8_t DATA_FRAME_BLOCK = 0x4D;   // 'M'
constexpr uint8_t DATA_ADAPTER = 0x52;       // 'R'
constexpr uint8_t DATA_ADAPTER_RAW = 0x72;   // 'r'

// Qualifiers in use.
constexpr uint8_t CALIBRATION_POSITIVE = 46;
constexpr uint8_t CALIBRATION_NEGATIVE = 56;
constexpr uint16_t ADAPTER_FRAME_POSITION = 344;
constexpr uint16_t ADAPTER_FILM_KIND = 400;
constexpr uint16_t ADAPTER_PRINT_FORMAT = 510;
constexpr uint16_t ADAPTER_MAGNETIC_TRACK = 512;
constexpr uint16_t ADAPTER_CLEAR = 198;

// Position types of PositionFilm.
constexpr uint8_t POSITION_REWIND = 0;
constexpr uint8_t POSITION_FRAME = 2;
constexpr uint8_t POSITION_SCANNER = 6;
constexpr uint8_t POSITION_TO_FRONT = 7;

// Status flag bits and position bytes.
constexpr uint8_t STATUS_FRONT_SIDE = 0x01;
constexpr uint8_t STATUS_STRIP_ADAPTER = 0x04;
constexpr uint8_t STATUS_APS_ADAPTER = 0x08;
constexpr uint8_t STATUS_APS_SILENT = 0x10;
constexpr uint8_t STATUS_NOT_PROCESSED = 0x80;
constexpr uint8_t POSITION_AUTOLOADING = 64;
constexpr uint8_t POSITION_REWINDING = 65;

struct ScannerStatus {
    uint8_t statusFlags;
    uint8_t positionByte;
};

struct CartridgeInfo {
    char filmKind;  // 'R' colour reversal, 'N' colour negative, 'B' black and white
    uint8_t exposureCount;
    uint16_t filmSpeed;
};

struct ScanWindow {
    uint16_t xResolution;  // dots per inch
    uint16_t yResolution;
    int32_t windowLeft;  // scanner units (1/1770 inch) on the film; low 16 bits travel
    int32_t windowTop;
    int32_t windowWidth;
    int32_t windowHeight;
    uint8_t composition;  // 5: 24-bit colour
    uint8_t reverseFlag;  // 0x80 positive film, 0 negative
};

constexpr size_t SCAN_WINDOW_BYTES = 40;
constexpr size_t SCAN_MODE_BYTES = 7;
constexpr size_t SCAN_PARAMETER_BYTES = 20;
constexpr size_t FRAME_BLOCK_BYTES = 32;

struct ScanMode {
    char filmSide;  // 'F' or 'B': the direction of the scan
    char modeLetter;  // 'R' preview, final scan and focus; 'G' index scan
    uint8_t two;  // always 2
    uint8_t exposureA;
    uint8_t exposureB;
    char scanLetter;  // of the current film parameter record
    char detailLetter;  // 'I' below 77 dpi, else 'P'
};
static_assert(sizeof(ScanMode) == SCAN_MODE_BYTES);

struct ScanParameterBlock {
    uint8_t bytes[SCAN_PARAMETER_BYTES];  // bytes 18 and 19: exposure values B and A
};
static_assert(sizeof(ScanParameterBlock) == SCAN_PARAMETER_BYTES);

// The 40 bytes that follow the SET WINDOW block, most significant byte first.
void EncodeScanWindow(const ScanWindow& window, uint8_t out[SCAN_WINDOW_BYTES]);

// A status that was read is also kept in lastStatus for the film transport.
uint8_t ReadStatus(ScannerStatus& status);
extern ScannerStatus lastStatus;
// Also turns a black-and-white ISO 25 report into the colour negative ISO 400
// it stands for when the adapter's film kind byte says so; answers 0 when
// the scanner does not answer that second read.
uint8_t ReadCartridgeData(CartridgeInfo& info);
uint8_t ReadFrameBlock(uint8_t block[FRAME_BLOCK_BYTES]);
uint8_t WriteFrameBlock(const uint8_t block[FRAME_BLOCK_BYTES], uint8_t frame);
// `buffer` holds `capacity` bytes; 3 x ceil(length / 3) are stored, never
// more than capacity.
uint8_t ReadScannerBlock(uint8_t* buffer, size_t capacity, uint8_t qualifier, uint8_t length);
// 3 x ceil((length + 3) / 3) bytes are stored (the payload starts at byte 3),
// never more than capacity. Lengths above 252 are refused (0).
uint8_t ReadAdapterData(uint8_t type, uint8_t* buffer, size_t capacity, uint16_t qualifier, uint8_t length);
uint8_t SendAdapterByte(uint8_t type, uint16_t qualifier, uint8_t length, uint8_t value);
// Type 2 to frame 1 first clears the adapter ('r' 198) and pauses 100 ms.
// Returns once the block is taken; the film motion is not awaited.
uint8_t PositionFilm(uint8_t type, uint16_t count);
uint8_t SetScanWindow(const ScanWindow& window);
uint8_t SetScanMode(const ScanMode& mode);
uint8_t SetScanParameters(const ScanParameterBlock& block);
uint8_t StartScan();
uint8_t StartFocus(uint8_t parameter);
