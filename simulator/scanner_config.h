// What the virtual scanner is: its adapter, the film or cartridge in it, its
// calibration bytes, its timing and the faults it is told to show. A plain
// record with working defaults (an APS adapter holding a four-exposure
// colour negative cartridge of grey frames), plus the reader of the text
// file a user writes to describe it (format: simulator/README.md).
// Portable: no Windows headers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

constexpr int SIM_MAX_FRAMES = 40;
constexpr size_t SIM_IX_BLOCK_BYTES = 32;
constexpr size_t SIM_TRACK_BYTES = 80;
constexpr size_t SIM_CALIBRATION_BYTES = 20;

// A frame's picture: top-down rows of red, green, blue bytes.
struct Picture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> rgb;  // width x height x 3
};

struct FrameConfig {
    std::shared_ptr<const Picture> picture;  // null: a plain mid grey frame
    uint8_t ixBlock[SIM_IX_BLOCK_BYTES] = {};
    // The raw magnetic track. Unless given, it is built from ixBlock (and
    // rebuilt when the host writes the block), so the two always agree.
    uint8_t track[SIM_TRACK_BYTES] = {};
    bool trackGiven = false;
    uint8_t printFormat = 0;  // the adapter's print format status byte
};

enum class AdapterKind : uint8_t { None, Strip, Aps };

// How the cartridge stands when the scanner starts.
enum class CartridgeStart : uint8_t {
    Loaded,     // at current_frame
    Autoload,   // just inserted: advancing to frame 1 (position 64)
    Empty,      // no film out of the cartridge (position 0)
};

struct FaultConfig {
    bool noPort = false;            // nothing at the port address: every register reads 0xFF
    bool noScanner = false;         // a port, but no scanner on it: status lines float
    bool handshakeStuckHigh = false;
    bool handshakeStuckLow = false;
    bool answerAfterReset = false;  // selection ignored until the first reset
    bool apsSilent = false;         // APS adapter mounted but not answering (status bit 4)
    int64_t goneAfterBytes = -1;    // the scanner vanishes after this many bytes received; -1 never
    int64_t goneAfterLines = -1;    // ... after this many completed scan lines
};

// Durations of the scanner's own work. The link-level latencies are fixed
// (virtual_scanner.h).
struct ScannerTiming {
    uint32_t autoloadMs = 3000;      // position 64 after insertion
    uint32_t rewindMs = 4000;        // position 65
    uint32_t frameSettleMs = 300;    // any frame positioning ...
    uint32_t frameStepMs = 150;      // ... plus this per frame travelled
    uint32_t toFrontMs = 800;        // positioning type 7
    uint32_t focusMoveMs = 300;      // positioning type 6
    uint32_t resetMs = 1500;         // from the end of the reset pulse until ready
    uint32_t lineUs = 300;           // preparing one scan line
    uint32_t focusSampleUs = 20000;  // preparing one focus sample
    uint32_t minClockPulseUs = 10;   // shorter clock phases are reported; 0 turns the check off
};

struct ScannerConfig {
    uint16_t portBase = 0x378;
    uint8_t dataRegister = 0x00;  // what the data register reads (never 0xFF on a real port)
    AdapterKind adapter = AdapterKind::Aps;
    char filmKind = 'N';  // 'R' reversal, 'N' colour negative, 'B' black and white
    uint16_t filmSpeed = 200;
    uint8_t exposures = 4;
    uint8_t filmKindByte = 1;  // the adapter's film kind byte: 0 makes 'B'/25 a colour negative
    bool unprocessed = false;
    char filmSide = 'F';
    uint8_t currentFrame = 1;
    CartridgeStart cartridge = CartridgeStart::Loaded;
    uint8_t calibrationPositive[SIM_CALIBRATION_BYTES] = {};
    uint8_t calibrationNegative[SIM_CALIBRATION_BYTES] = {};
    uint16_t exposureReference = 100;  // the exposure value that reads the film as it is
    int32_t focusOffset = 0;           // 0 is sharp; the farther off, the lower the samples
    ScannerTiming timing;
    FaultConfig faults;
    FrameConfig frames[SIM_MAX_FRAMES + 1];  // 1..40; slot 0 unused
    std::string logFile;  // the port driver DLL appends its transaction log here; empty: none
    // Blocks the host writes are kept in the file the configuration came
    // from (by whoever owns the file: the model only calls its hook).
    bool writeBack = false;
};

// Reads the configuration file `path`; names in it (pictures, the log file)
// are relative to the file's folder. On success answers true and replaces
// `config`; on failure answers false, leaves `config` untouched and puts
// "file:line: what" into `error`.
bool LoadScannerConfig(const std::string& path, ScannerConfig& config, std::string& error);

// The same for text already in memory; `name` is used in messages only,
// `baseDirectory` (may be empty) resolves relative names.
bool ParseScannerConfig(const std::string& text, const std::string& name, const std::string& baseDirectory,
                        ScannerConfig& config, std::string& error);

// Reads a configuration file's text as it stands (at most 1 MB), for
// rewriting it. False with a reason in `error`.
bool ReadScannerConfigText(const std::string& path, std::string& text, std::string& error);

// The configuration text `text` with frame `frame` (1..40) holding `block`
// as its IX block, for keeping a written block across a restart:
// - every `frame N ix` entry of the frame gets the new bytes in place of its
//   old ones, so its layout, continuation lines and comments stay;
// - a frame without one gets a new entry after its last line (or at the end
//   of the text when it has none);
// - its `track` and `track_block` entries are commented out line by line,
//   so that the track follows the block again, as it does in the model;
// - every other byte of the text stays as it was.
// False, with "name:line: what" in `error` and `rewritten` untouched, when
// the frame number is out of range or an `ix` entry of the frame is not 32
// two-digit hex bytes (the file was changed by hand since it was loaded);
// the caller then leaves the file alone.
bool RewriteFrameIx(const std::string& text, const std::string& name, int frame,
                    const uint8_t block[SIM_IX_BLOCK_BYTES], std::string& rewritten, std::string& error);

// A 24- or 32-bit uncompressed BMP file, bottom-up or top-down, at most
// 16384 pixels each way. Never reads past `size`. False with a reason in
// `error` for anything else.
bool DecodeBmp(const uint8_t* data, size_t size, Picture& picture, std::string& error);
bool ReadBmpFile(const std::string& path, Picture& picture, std::string& error);

// The raw track an APS adapter reads for a frame block: three copies of the
// block's recorded bytes, each between the markers 02 03 and 04 05, the rest
// zero.
void BuildMagneticTrack(const uint8_t block[SIM_IX_BLOCK_BYTES], uint8_t track[SIM_TRACK_BYTES]);
