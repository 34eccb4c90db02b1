// The virtual scanner: a model of the film scanner and its adapters as seen
// through the registers of a PC/AT printer port, so that the host's link
// cannot tell it from the hardware. Portable: no Windows headers.
//
// The port: data register at the base (reads config.dataRegister), status at
// base + 1, control at base + 2; every other address floats at 0xFF. The
// host clocks bytes in on the control lines (nInit low selects, nAutoFd is
// the clock, nSelectIn the data bit, sampled when the clock is released),
// and the scanner answers on the status register: bit 3 is its handshake,
// bits 4-7 a nibble (high nibble while the clock is held low, low nibble
// once it is released), bits 0-2 read 1.
//
// Time comes from `clock` (microseconds, never going back), read on every
// register access. What the scanner does with the host's requests, and the
// choices made where the hardware's inner working is open, are described in
// simulator/README.md.
//
// Calling order: set `clock` (and optionally `logSink`, `ixWritten`), VirtualScannerInit,
// then any number of reads and writes. Init may be called again to start over
// with another configuration; counters, log and reports are cleared then.
// Not thread-safe: one caller at a time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "simulator/scanner_config.h"

// Latencies of the scanner's link controller, in microseconds.
constexpr uint32_t SIM_SELECT_US = 200;       // selection to handshake low
constexpr uint32_t SIM_BYTE_READY_US = 30;    // clock low (byte announced) to handshake high
constexpr uint32_t SIM_COMMAND_US = 2000;     // last byte to command taken (handshake high)
constexpr uint32_t SIM_REPLY_FIRST_US = 100;  // selection to the first reply triple
constexpr uint32_t SIM_CARTRIDGE_FIRST_US = 500;  // the same for the cartridge data
constexpr uint32_t SIM_TRIPLE_US = 20;        // triple taken to the next one ready
constexpr uint32_t SIM_END_ACK_US = 30;       // end-of-scan signal to handshake high
constexpr uint32_t SIM_END_STOP_US = 2000;    // ... to the scan stopped (handshake low)
constexpr uint32_t SIM_RESET_ACK_US = 5000;   // reset pulse released to handshake low
constexpr uint32_t SIM_MIN_RESET_PULSE_US = 1000;

constexpr size_t SIM_MAX_LOG_LINES = 20000;
constexpr size_t SIM_MAX_VIOLATIONS = 1000;

struct ScannerCounters {
    uint64_t portReads = 0;
    uint64_t portWrites = 0;
    uint32_t commands[256] = {};  // completed commands by operation code
    uint64_t bytesReceived = 0;   // from the host: command blocks and their data
    uint64_t bytesSent = 0;       // to the host: every triple read, three bytes each
    uint32_t linesRead = 0;       // scan lines the host read to their end
    uint32_t focusSamples = 0;
    uint32_t resets = 0;
};

// Where the link controller stands in a transaction.
enum class LinkPhase : uint8_t {
    Idle,        // nInit high
    Ignored,     // selected, but the scanner does not answer (fault)
    Command,     // selected, taking a command block and its data
    Reply,       // selected, handing out the reply of the last command
    Line,        // selected during a scan: one scan line
    Focus,       // selected during focusing: one sample
    EndingScan,  // the end-of-scan handshake
    Reset,       // reset pulse and the recovery after it
};

enum class Transport : uint8_t { Still, Autoloading, Rewinding, Moving };

struct ScanSetup {
    uint16_t xResolution = 0;
    uint16_t yResolution = 0;
    uint16_t windowLeft = 0, windowTop = 0, windowWidth = 0, windowHeight = 0;
    uint8_t composition = 0;
    uint8_t reverseFlag = 0;
    bool windowSet = false;
    uint8_t mode[7] = {'F', 'R', 2, 0, 0, 0, 'P'};
    bool modeSet = false;
    uint8_t parameters[20] = {};
    bool parametersSet = false;
};

struct VirtualScanner {
    ScannerConfig config;

    // Inputs, set by the owner before Init.
    uint64_t (*clock)(void* context) = nullptr;  // microseconds
    void* clockContext = nullptr;
    // Optional: called with every log line and every report as it is made.
    void (*logSink)(void* context, const std::string& line) = nullptr;
    void* logContext = nullptr;
    // Optional: with config.writeBack set, called once for every IX block
    // write the scanner accepted, with the frame and its new 32 bytes, so
    // that its owner can keep them in the configuration file. It is called
    // when the host ends the transaction (not while it waits on the
    // command's handshake, which a slow disk would outlast). Answers false
    // when the bytes could not be kept; the model logs that and goes on
    // with the block written.
    bool (*ixWritten)(void* context, int frame, const uint8_t block[SIM_IX_BLOCK_BYTES]) = nullptr;
    void* ixWrittenContext = nullptr;

    // Outputs for tests and tools.
    ScannerCounters counters;
    std::vector<std::string> log;         // transaction log: blocks, data, replies in hex
    std::vector<std::string> violations;  // protocol violations by the host
    uint64_t logDropped = 0;              // lines beyond SIM_MAX_LOG_LINES
    uint64_t violationsDropped = 0;

    // Film and transport.
    uint8_t frame = 0;  // frame at the scanning position, 0 none
    bool filmOut = false;  // film drawn out of the cartridge (or a strip in the holder)
    bool frontSide = true;
    bool frameRegistered = false;  // stands where a frame positioning left it
    Transport transport = Transport::Still;
    uint64_t transportDoneAt = 0;
    uint8_t transportTarget = 0;
    uint64_t busyUntil = 0;  // the link controller is busy with the transport
    uint8_t adapterClear = 0;  // last 'r' 198 byte
    uint8_t writtenFrame = 0;  // a block written in this transaction, for ixWritten; 0 none
    uint16_t focusPosition = 0;

    // Scan.
    ScanSetup setup;
    bool scanning = false;
    bool focusing = false;
    uint8_t focusParameter = 0;
    uint32_t lineIndex = 0;
    uint32_t pixelIndex = 0;
    bool lineLengthReported = false;
    bool lineCountReported = false;

    // Link.
    LinkPhase phase = LinkPhase::Idle;
    uint8_t control = 0x24;
    bool controlPairOpen = false;  // a non-idle value written once so far
    uint8_t nibble = 0;            // bits 4-7 of the status register
    uint64_t lastLineChange = 0;   // last change of the clock or data line
    uint64_t lastClockRise = 0;
    bool gone = false;             // the scanner vanished (fault)
    bool hadReset = false;
    // Command phase.
    uint64_t ackAt = 0;
    bool listening = false;  // a byte announced, its bits coming
    uint64_t byteReadyAt = 0;
    int bitCount = 0;
    uint8_t shift = 0;
    std::vector<uint8_t> received;  // block and data of the command
    size_t expected = 0;            // block + data length, once the block is known
    bool commandDone = false;
    uint64_t commandDoneAt = 0;
    // Triple phases (reply, line, focus).
    std::vector<uint8_t> reply;  // pending reply, whole triples
    size_t replyTriple = 0;
    uint32_t replyFirstUs = SIM_REPLY_FIRST_US;
    enum class TripleState : uint8_t { Preparing, Reading, Taken } tripleState = TripleState::Preparing;
    uint64_t tripleReadyAt = 0;
    uint8_t triple[3] = {};
    int nibbleCount = 0;
    bool earlyStrobeReported = false;
    // End of scan and reset.
    int endStage = 0;
    bool endLevelBefore = true;
    uint64_t endSignalAt = 0;
    uint64_t endReleasedAt = 0;
    bool endWasScan = false;
    uint64_t resetPulseAt = 0;
    uint64_t resetDoneAt = 0;
};

// Starts the scanner afresh with `config` (copied), at the clock's present
// time: transport as the configuration says, link idle, counters, log and
// reports empty.
void VirtualScannerInit(VirtualScanner& scanner, const ScannerConfig& config);

// A register read or write at `address` (any address: those that are not the
// scanner's port float).
uint8_t VirtualScannerRead(VirtualScanner& scanner, uint16_t address);
void VirtualScannerWrite(VirtualScanner& scanner, uint16_t address, uint8_t value);

// The 32-byte IX block stored for a frame (1..40), as the host reads it back.
// A block the host writes to a frame of the film (1..exposures) replaces it,
// and the frame's raw track is built from it anew.
const uint8_t* VirtualScannerFrameBlock(const VirtualScanner& scanner, int frame);

// The pixel the scanner would deliver for film position (u, v) in scanner
// units with the current set-up: red, green, blue. Exposed so that tests can
// compute expected scan lines independently of the link.
void VirtualScannerSample(const VirtualScanner& scanner, double u, double v, double cellU, double cellV,
                          uint8_t out[3]);

// Where a frame lies in scanner units (1/1770 inch) for the configured
// adapter: left and top edge, width and height.
struct FrameGeometry {
    double left, top, width, height;
};
FrameGeometry VirtualScannerFrameGeometry(const VirtualScanner& scanner);
