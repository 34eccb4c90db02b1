#include "simulator/virtual_scanner.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr uint8_t IDLE = 0x24;
constexpr uint8_t LEGAL_CONTROL[] = {0x24, 0x20, 0x22, 0x2A, 0x28, 0x21};
constexpr double UNITS_PER_INCH = 1770.0;
constexpr double UNITS_PER_MM = UNITS_PER_INCH / 25.4;
constexpr uint64_t NEVER = ~uint64_t{0};

// Negative film, as levels of 0..255 read at the reference exposure: the
// clear film base (the orange mask of colour negative film passes more red
// than green than blue) and the densest part of the film, which still
// passes a little light. The picture's value moves the level linearly from
// the one to the other. Whole levels, so that a scanner told exactly these
// levels gives the picture back.
constexpr double NEGATIVE_BASE[3] = {204, 128, 77};
constexpr double NEGATIVE_DENSE[3] = {12, 8, 5};
constexpr double BW_NEGATIVE_BASE = 204;
constexpr double BW_NEGATIVE_DENSE = 12;

// Where a colour's two levels sit in the scan parameter block: the level
// that reads as black at byte 5c, the one that reads as white at 5c + 1.
constexpr size_t LEVEL_BYTES_PER_COLOUR = 5;

// Lines the scanner travels past the window: a host that primes its colour
// registration delay with two lines still gets the whole window.
constexpr uint32_t EXTRA_LINES = 2;

struct Lines {
    bool selected, strobe, clockLow, data;
};

Lines Decode(uint8_t control) {
    return {(control & 0x04) == 0, (control & 0x01) != 0, (control & 0x02) != 0, (control & 0x08) == 0};
}

uint64_t Now(const VirtualScanner& s) {
    return s.clock != nullptr ? s.clock(s.clockContext) : 0;
}

void AppendHexByte(std::string& out, uint8_t value) {
    static constexpr char DIGITS[] = "0123456789ABCDEF";
    out += DIGITS[value >> 4];
    out += DIGITS[value & 0x0F];
}

std::string Hex(const uint8_t* bytes, size_t count) {
    std::string out;
    for (size_t i = 0; i < count; ++i) {
        if (i > 0) out += ' ';
        AppendHexByte(out, bytes[i]);
    }
    return out;
}

std::string Hex8(uint8_t value) {
    std::string out = "0x";
    AppendHexByte(out, value);
    return out;
}

void Log(VirtualScanner& s, const std::string& line) {
    if (s.logSink != nullptr) s.logSink(s.logContext, line);
    if (s.log.size() < SIM_MAX_LOG_LINES) {
        s.log.push_back(line);
    } else {
        ++s.logDropped;
    }
}

void Report(VirtualScanner& s, const std::string& what) {
    if (s.logSink != nullptr) s.logSink(s.logContext, "VIOLATION " + what);
    if (s.violations.size() < SIM_MAX_VIOLATIONS) {
        s.violations.push_back(what);
    } else {
        ++s.violationsDropped;
    }
}

bool IsAps(const VirtualScanner& s) {
    return s.config.adapter == AdapterKind::Aps;
}

// ---- Film, transport and pictures ----------------------------------------

void UpdateTransport(VirtualScanner& s, uint64_t now) {
    if (s.transport == Transport::Still || now < s.transportDoneAt) return;
    switch (s.transport) {
    case Transport::Autoloading:
        s.frame = 1;
        s.filmOut = true;
        s.frontSide = true;
        s.frameRegistered = true;
        Log(s, "autoload done: frame 1");
        break;
    case Transport::Rewinding:
        s.frame = 0;
        s.filmOut = false;
        s.frameRegistered = false;
        Log(s, "rewind done: film in the cartridge");
        break;
    case Transport::Moving:
        s.frame = s.transportTarget;
        s.frontSide = true;
        s.frameRegistered = true;
        break;
    case Transport::Still:
        break;
    }
    s.transport = Transport::Still;
}

const FrameConfig* FrameUnderHead(const VirtualScanner& s) {
    if (s.config.adapter == AdapterKind::Strip) {
        int n = s.config.currentFrame;
        return n >= 1 && n <= SIM_MAX_FRAMES ? &s.config.frames[n] : nullptr;
    }
    if (IsAps(s) && s.filmOut && s.frame >= 1 && s.frame <= SIM_MAX_FRAMES) return &s.config.frames[s.frame];
    return nullptr;
}

bool ColourNegative(const ScannerConfig& c) {
    return c.filmKind == 'N' || (c.filmKind == 'B' && c.filmSpeed == 25 && c.filmKindByte == 0);
}

// Average picture value over the sampling cell centred on (u, v); black
// outside the frame (unexposed film).
void PictureAverage(const VirtualScanner& s, const FrameConfig& frame, double u, double v, double cellU, double cellV,
                    double out[3]) {
    FrameGeometry g = VirtualScannerFrameGeometry(s);
    static const Picture GREY = {1, 1, {128, 128, 128}};
    const Picture& pic = frame.picture != nullptr ? *frame.picture : GREY;
    double unitsPerPixelU = g.width / pic.width, unitsPerPixelV = g.height / pic.height;
    int nu = std::clamp(static_cast<int>(std::ceil(cellU / unitsPerPixelU)), 1, 4);
    int nv = std::clamp(static_cast<int>(std::ceil(cellV / unitsPerPixelV)), 1, 4);
    out[0] = out[1] = out[2] = 0;
    for (int a = 0; a < nu; ++a) {
        for (int b = 0; b < nv; ++b) {
            double pu = u - cellU / 2 + (a + 0.5) * cellU / nu;
            double pv = v - cellV / 2 + (b + 0.5) * cellV / nv;
            double x = (pu - g.left) / unitsPerPixelU, y = (pv - g.top) / unitsPerPixelV;
            if (x < 0 || y < 0 || x >= pic.width || y >= pic.height) continue;
            size_t at = (static_cast<size_t>(y) * static_cast<size_t>(pic.width) + static_cast<size_t>(x)) * 3;
            for (int c = 0; c < 3; ++c) out[c] += pic.rgb[at + static_cast<size_t>(c)];
        }
    }
    for (int c = 0; c < 3; ++c) out[c] /= nu * nv;
}

// Light the film passes at (u, v), 0..1 per colour.
void Transmittance(const VirtualScanner& s, double u, double v, double cellU, double cellV, double t[3]) {
    const FrameConfig* frame = FrameUnderHead(s);
    if (frame == nullptr) {
        t[0] = t[1] = t[2] = 1.0;  // nothing in the light path
        return;
    }
    double p[3];
    PictureAverage(s, *frame, u, v, cellU, cellV, p);
    const ScannerConfig& c = s.config;
    if (c.filmKind == 'R') {
        for (int i = 0; i < 3; ++i) t[i] = p[i] / 255.0;
    } else if (ColourNegative(c)) {
        for (int i = 0; i < 3; ++i) t[i] = (NEGATIVE_BASE[i] - (NEGATIVE_BASE[i] - NEGATIVE_DENSE[i]) * p[i] / 255.0) / 255.0;
    } else {
        double grey = (0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2]) / 255.0;
        double value = (BW_NEGATIVE_BASE - (BW_NEGATIVE_BASE - BW_NEGATIVE_DENSE) * grey) / 255.0;
        t[0] = t[1] = t[2] = value;
    }
}

// The sample of one colour: the light gathered for the exposure, then
// stretched so that the parameter block's black level reads 0 and its
// white level 255 (a white level below the black one inverts, which is how
// a negative comes out positive). Equal levels, as in a block of zeros or
// before any block was sent, leave the light as gathered.
uint8_t Expose(double transmittance, double exposure, double reference, const ScanSetup& w, size_t colour) {
    double value = transmittance * 255.0 * exposure / reference;
    if (w.parametersSet) {
        double black = w.parameters[LEVEL_BYTES_PER_COLOUR * colour];
        double white = w.parameters[LEVEL_BYTES_PER_COLOUR * colour + 1];
        if (black != white) value = (value - black) * 255.0 / (white - black);
    }
    return static_cast<uint8_t>(std::clamp(std::round(value), 0.0, 255.0));
}

uint32_t WindowLines(const ScanSetup& w) {
    return static_cast<uint32_t>(uint64_t{w.windowWidth} * w.xResolution / 1770u);
}
uint32_t WindowPixels(const ScanSetup& w) {
    return static_cast<uint32_t>(uint64_t{w.windowHeight} * w.yResolution / 1770u);
}

// One pixel of a scan line. Red and blue are read by sensor rows that lead
// the green row by one line from 801 dpi and by two lines from 1401 dpi, as
// the host's registration delay expects.
void ScanPixel(const VirtualScanner& s, uint32_t line, uint32_t pixel, uint8_t out[3]) {
    const ScanSetup& w = s.setup;
    double pitchU = UNITS_PER_INCH / std::max<uint16_t>(w.xResolution, 1);
    double pitchV = UNITS_PER_INCH / std::max<uint16_t>(w.yResolution, 1);
    uint32_t lead = w.xResolution >= 1401 ? 2 : w.xResolution >= 801 ? 1 : 0;
    bool backward = w.mode[0] == 'B';
    auto lineU = [&](uint32_t k) {
        double along = (k + 0.5) * pitchU;
        return backward ? w.windowLeft + w.windowWidth - along : w.windowLeft + along;
    };
    double v = w.windowTop + (pixel + 0.5) * pitchV;
    uint8_t green[3], leading[3];
    VirtualScannerSample(s, lineU(line), v, pitchU, pitchV, green);
    VirtualScannerSample(s, lineU(line + lead), v, pitchU, pitchV, leading);
    out[0] = leading[0];
    out[1] = green[1];
    out[2] = leading[2];
}

// Sharpness at the focus position: how much the green light changes along
// 128 points across the frame, lowered the farther the lens is off focus.
void FocusSample(const VirtualScanner& s, uint8_t out[3]) {
    FrameGeometry g = VirtualScannerFrameGeometry(s);
    constexpr int POINTS = 128;
    double step = g.height / POINTS;
    double total = 0, previous = 0;
    for (int i = 0; i < POINTS; ++i) {
        double t[3];
        Transmittance(s, s.focusPosition, g.top + (i + 0.5) * step, step, step, t);
        double value = t[1] * 255.0;
        if (i > 0) total += std::fabs(value - previous);
        previous = value;
    }
    double blur = 10.0 / (10.0 + std::abs(s.config.focusOffset));
    uint32_t level = static_cast<uint32_t>(std::min(total * 4.0 * blur, double{0xFFFFFF}));
    out[0] = static_cast<uint8_t>(level >> 16);
    out[1] = static_cast<uint8_t>(level >> 8);
    out[2] = static_cast<uint8_t>(level);
}

// ---- Handshake ------------------------------------------------------------

bool Handshake(const VirtualScanner& s, uint64_t now) {
    bool free = now >= s.busyUntil;
    switch (s.phase) {
    case LinkPhase::Idle:
        return free;
    case LinkPhase::Ignored:
        return true;
    case LinkPhase::Command:
        if (s.listening) return now >= s.byteReadyAt;
        if (s.commandDone) return now >= s.commandDoneAt;
        return free && now < s.ackAt;
    case LinkPhase::Reply:
    case LinkPhase::Line:
    case LinkPhase::Focus:
        switch (s.tripleState) {
        case VirtualScanner::TripleState::Preparing: return now < s.tripleReadyAt;
        case VirtualScanner::TripleState::Reading: return false;
        case VirtualScanner::TripleState::Taken: return true;
        }
        return true;
    case LinkPhase::EndingScan:
        if (s.endStage == 0) {
            if (now < s.endSignalAt + SIM_END_ACK_US) return s.endLevelBefore;
            return now < s.endSignalAt + SIM_END_STOP_US;
        }
        return now >= s.endReleasedAt + SIM_END_ACK_US;
    case LinkPhase::Reset:
        return now >= s.resetDoneAt;
    }
    return true;
}

// ---- Triples --------------------------------------------------------------

void PrepareTriple(VirtualScanner& s, uint64_t readyAt) {
    s.tripleState = VirtualScanner::TripleState::Preparing;
    s.tripleReadyAt = readyAt;
    s.nibbleCount = 0;
    s.earlyStrobeReported = false;
    switch (s.phase) {
    case LinkPhase::Reply: {
        size_t at = s.replyTriple * 3;
        for (size_t i = 0; i < 3; ++i) s.triple[i] = at + i < s.reply.size() ? s.reply[at + i] : 0;
        break;
    }
    case LinkPhase::Line:
        ScanPixel(s, s.lineIndex, s.pixelIndex, s.triple);
        break;
    case LinkPhase::Focus:
        FocusSample(s, s.triple);
        break;
    default:
        std::memset(s.triple, 0, sizeof s.triple);
        break;
    }
}

void TripleTaken(VirtualScanner& s) {
    s.tripleState = VirtualScanner::TripleState::Taken;
    s.counters.bytesSent += 3;
    if (s.phase == LinkPhase::Reply) ++s.replyTriple;
    if (s.phase == LinkPhase::Line) ++s.pixelIndex;
    if (s.phase == LinkPhase::Focus) ++s.counters.focusSamples;
}

// ---- Commands -------------------------------------------------------------

size_t BlockLength(uint8_t opcode) {
    if (opcode == 0x24) return 6;  // SET WINDOW travels as a 6-byte block here
    if (opcode >= 0x20 && opcode <= 0x5F) return 10;
    return 6;
}

size_t DataLength(const std::vector<uint8_t>& block) {
    switch (block[0]) {
    case 0x2A: return block[8];
    case 0x24: return block[4];
    case 0xD2: return block[4];
    case 0xD1: return 20;
    default: return 0;
    }
}

void SetReply(VirtualScanner& s, std::vector<uint8_t> bytes, uint32_t firstUs = SIM_REPLY_FIRST_US) {
    bytes.resize((bytes.size() + 2) / 3 * 3, 0);
    Log(s, "reply " + Hex(bytes.data(), bytes.size()));
    s.reply = std::move(bytes);
    s.replyTriple = 0;
    s.replyFirstUs = firstUs;
}

uint8_t StatusFlags(const VirtualScanner& s) {
    const ScannerConfig& c = s.config;
    uint8_t flags = s.frontSide ? 0x01 : 0x00;
    if (c.adapter == AdapterKind::Strip) flags |= 0x04;
    if (c.adapter == AdapterKind::Aps) {
        flags |= 0x08;
        if (c.faults.apsSilent) flags |= 0x10;
        if (c.unprocessed) flags |= 0x80;
    }
    return flags;
}

uint8_t PositionByte(const VirtualScanner& s) {
    if (!IsAps(s) || s.config.faults.apsSilent) return 0;
    if (s.transport == Transport::Autoloading) return 64;
    if (s.transport == Transport::Rewinding) return 65;
    if (!s.filmOut) return 0;
    // At the film's last exposure the adapter sets bit 6 beside the frame:
    // the host's auto scan ends there. A one-exposure film goes without the
    // mark, which would read as rewinding (65).
    uint8_t frame = static_cast<uint8_t>(s.frame & 63);
    bool last = s.transport == Transport::Still && frame == s.config.exposures && frame >= 2;
    return last ? static_cast<uint8_t>(frame | 64) : frame;
}

void ReadData(VirtualScanner& s, const std::vector<uint8_t>& b) {
    uint8_t type = b[2];
    uint16_t qualifier = static_cast<uint16_t>(b[4] << 8 | b[5]);
    size_t length = b[8];
    std::vector<uint8_t> payload(length, 0);
    auto fill = [&](const uint8_t* from, size_t count) {
        std::memcpy(payload.data(), from, std::min(count, length));
    };
    bool aps = IsAps(s) && !s.config.faults.apsSilent;
    const FrameConfig* frame = FrameUnderHead(s);
    switch (type) {
    case 'D': {
        if (aps) {
            const ScannerConfig& c = s.config;
            uint8_t data[4] = {static_cast<uint8_t>(c.filmKind), c.exposures, static_cast<uint8_t>(c.filmSpeed >> 8),
                               static_cast<uint8_t>(c.filmSpeed)};
            fill(data, sizeof data);
        }
        SetReply(s, payload, SIM_CARTRIDGE_FIRST_US);
        return;
    }
    case 'M':
        if (aps && frame != nullptr) fill(frame->ixBlock, SIM_IX_BLOCK_BYTES);
        SetReply(s, payload);
        return;
    case 'E':
        if (b[5] == 46) fill(s.config.calibrationPositive, SIM_CALIBRATION_BYTES);
        else if (b[5] == 56) fill(s.config.calibrationNegative, SIM_CALIBRATION_BYTES);
        else Report(s, "calibration block " + std::to_string(b[5]) + " does not exist");
        SetReply(s, payload);
        return;
    case 'R':
    case 'r': {
        if (aps) {
            if (type == 'R' && qualifier == 344) {
                uint8_t check[2] = {static_cast<uint8_t>(s.frameRegistered ? 1 : 0),
                                    static_cast<uint8_t>(s.frameRegistered ? s.frame : 0)};
                fill(check, sizeof check);
            } else if (type == 'R' && qualifier == 400) {
                fill(&s.config.filmKindByte, 1);
            } else if (type == 'R' && qualifier == 510) {
                if (frame != nullptr) fill(&frame->printFormat, 1);
            } else if (type == 'r' && qualifier == 512) {
                if (frame != nullptr) fill(frame->track, SIM_TRACK_BYTES);
            } else if (type == 'r' && qualifier == 198) {
                fill(&s.adapterClear, 1);
            } else {
                Report(s, std::string("adapter data '") + static_cast<char>(type) + "' " + std::to_string(qualifier) +
                              " does not exist");
            }
        }
        // Adapter data come after three bytes of their own: the type and
        // the qualifier, most significant byte first.
        payload.insert(payload.begin(), {type, b[4], b[5]});
        SetReply(s, payload);
        return;
    }
    default:
        Report(s, "READ of unknown data type " + Hex8(type));
        SetReply(s, payload);
        return;
    }
}

// The adapter records a written block on the frame's magnetic stripe, so
// the raw track follows it even where the configuration gave a track of its
// own: a track left as it was would hand the old record back to a host that
// falls back on it.
void WriteFrameBlock(VirtualScanner& s, uint16_t frameNumber, const uint8_t* data, size_t length) {
    if (length != SIM_IX_BLOCK_BYTES) {
        Report(s, "IX block of " + std::to_string(length) + " bytes (32 expected)");
        return;
    }
    if (!IsAps(s) || s.config.faults.apsSilent) {
        Report(s, "IX block written without an APS adapter answering");
        return;
    }
    if (frameNumber < 1 || frameNumber > s.config.exposures) {
        Report(s, "IX block written to frame " + std::to_string(frameNumber) + "; the film has frames 1 to " +
                      std::to_string(s.config.exposures));
        return;
    }
    FrameConfig& frame = s.config.frames[frameNumber];
    std::memcpy(frame.ixBlock, data, SIM_IX_BLOCK_BYTES);
    BuildMagneticTrack(frame.ixBlock, frame.track);
    frame.trackGiven = false;
    if (s.config.writeBack) s.writtenFrame = static_cast<uint8_t>(frameNumber);
    Log(s, "frame " + std::to_string(frameNumber) + " IX block written");
}

// Hands a block written in the transaction just ended to its keeper.
void KeepWrittenBlock(VirtualScanner& s) {
    int frame = s.writtenFrame;
    s.writtenFrame = 0;
    if (frame == 0 || s.ixWritten == nullptr) return;
    bool kept = s.ixWritten(s.ixWrittenContext, frame, s.config.frames[frame].ixBlock);
    Log(s, "frame " + std::to_string(frame) + (kept ? " IX block kept in the configuration file"
                                                     : " IX block could not be kept in the configuration file"));
}

void SendData(VirtualScanner& s, const std::vector<uint8_t>& b) {
    uint8_t type = b[2];
    uint16_t qualifier = static_cast<uint16_t>(b[4] << 8 | b[5]);
    const uint8_t* data = b.data() + 10;
    size_t length = b.size() - 10;
    if (type == 'M') {
        WriteFrameBlock(s, qualifier, data, length);
        return;
    }
    if (type == 'r' && qualifier == 198) {
        if (length >= 1) s.adapterClear = data[0];
        return;
    }
    Report(s, "SEND of data type " + Hex8(type) + " qualifier " + std::to_string(qualifier) + " with " +
                  std::to_string(length) + " bytes is not understood");
}

void Position(VirtualScanner& s, const std::vector<uint8_t>& b) {
    uint8_t type = b[1] & 7;
    uint16_t count = static_cast<uint16_t>(b[3] << 8 | b[4]);
    uint64_t start = s.commandDoneAt;
    const ScannerTiming& t = s.config.timing;
    auto busyFor = [&](uint32_t ms) { s.busyUntil = std::max(s.busyUntil, start + uint64_t{ms} * 1000); };
    bool filmMovable = s.config.adapter != AdapterKind::None && s.transport == Transport::Still &&
                       (s.config.adapter == AdapterKind::Strip || s.filmOut);
    switch (type) {
    case 0:
        if (IsAps(s) && filmMovable) {
            s.transport = Transport::Rewinding;
            s.transportDoneAt = start + uint64_t{t.rewindMs} * 1000;
            s.frameRegistered = false;
            Log(s, "rewinding");
        }
        return;
    case 2: {
        if (!IsAps(s) || !filmMovable || count == 0) {
            Log(s, "positioning to frame " + std::to_string(count) + " not possible now");
            return;
        }
        // A frame beyond the film's last is not reached: the film stops there.
        uint8_t target = static_cast<uint8_t>(std::min<uint16_t>(count, std::max<uint8_t>(s.config.exposures, 1)));
        uint32_t distance = static_cast<uint32_t>(std::abs(target - s.frame));
        uint32_t ms = t.frameSettleMs + t.frameStepMs * distance;
        s.transport = Transport::Moving;
        s.transportTarget = target;
        s.transportDoneAt = start + uint64_t{ms} * 1000;
        s.frameRegistered = false;
        busyFor(ms);
        Log(s, "moving to frame " + std::to_string(target));
        return;
    }
    case 6:
        s.focusPosition = count;
        s.frameRegistered = false;
        busyFor(t.focusMoveMs);
        return;
    case 7:
        if (s.config.adapter != AdapterKind::None) {
            s.frontSide = true;
            s.frameRegistered = false;
            busyFor(t.toFrontMs);
        }
        return;
    default:
        Report(s, "positioning type " + std::to_string(type) + " is not understood");
        return;
    }
}

uint16_t Be16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] << 8 | p[1]);
}

void SetWindow(VirtualScanner& s, const std::vector<uint8_t>& b) {
    if (b.size() < 6 + 40) {
        Report(s, "SET WINDOW with " + std::to_string(b.size() - 6) + " bytes of window (40 expected)");
        return;
    }
    const uint8_t* d = b.data() + 6;
    ScanSetup& w = s.setup;
    w.xResolution = Be16(d + 2);
    w.yResolution = Be16(d + 4);
    w.windowLeft = Be16(d + 8);
    w.windowTop = Be16(d + 12);
    w.windowWidth = Be16(d + 16);
    w.windowHeight = Be16(d + 20);
    w.composition = d[25];
    w.reverseFlag = d[29];
    w.windowSet = true;
    if (w.composition != 5) Report(s, "window composition " + std::to_string(w.composition) + " (only 5 is scanned)");
    if (w.xResolution == 0 || w.yResolution == 0) Report(s, "window with a resolution of 0");
    Log(s, "window left " + std::to_string(w.windowLeft) + " top " + std::to_string(w.windowTop) + " width " +
               std::to_string(w.windowWidth) + " height " + std::to_string(w.windowHeight) + ", " +
               std::to_string(w.xResolution) + " x " + std::to_string(w.yResolution) + " dpi, " +
               (w.reverseFlag == 0x80 ? "positive" : "negative"));
}

void Execute(VirtualScanner& s) {
    const std::vector<uint8_t>& b = s.received;
    uint8_t opcode = b[0];
    ++s.counters.commands[opcode];
    size_t blockLength = BlockLength(opcode);
    std::string line = "command " + Hex(b.data(), blockLength);
    if (b.size() > blockLength) line += " data " + Hex(b.data() + blockLength, b.size() - blockLength);
    Log(s, line);
    switch (opcode) {
    case 0xD0:
        SetReply(s, {StatusFlags(s), PositionByte(s), 0});
        return;
    case 0x28:
        ReadData(s, b);
        return;
    case 0x2A:
        SendData(s, b);
        return;
    case 0x31:
        Position(s, b);
        return;
    case 0x24:
        SetWindow(s, b);
        return;
    case 0xD2:
        if (b.size() != 13) {
            Report(s, "scan mode of " + std::to_string(b.size() - 6) + " bytes (7 expected)");
            return;
        }
        std::memcpy(s.setup.mode, b.data() + 6, 7);
        s.setup.modeSet = true;
        if (s.setup.mode[2] != 2) Report(s, "scan mode byte 2 is " + std::to_string(s.setup.mode[2]) + ", not 2");
        return;
    case 0xD1:
        std::memcpy(s.setup.parameters, b.data() + 6, 20);
        s.setup.parametersSet = true;
        if (s.setup.modeSet && (s.setup.parameters[18] != s.setup.mode[4] || s.setup.parameters[19] != s.setup.mode[3])) {
            Report(s, "scan parameters 18 and 19 differ from the scan mode's exposure values");
        }
        return;
    case 0x1B:
        if (!s.setup.windowSet) Report(s, "scan started without a window");
        s.scanning = true;
        s.focusing = false;
        s.lineIndex = 0;
        s.pixelIndex = 0;
        s.lineLengthReported = false;
        s.lineCountReported = false;
        Log(s, "scan started: " + std::to_string(WindowLines(s.setup)) + " lines of " +
                   std::to_string(WindowPixels(s.setup)) + " pixels");
        return;
    case 0xD5:
        s.focusing = true;
        s.scanning = false;
        s.focusParameter = b[4];
        Log(s, "focusing at " + std::to_string(s.focusPosition));
        return;
    default:
        Report(s, "unknown command " + Hex8(opcode));
        return;
    }
}

void TakeByte(VirtualScanner& s, uint8_t value, uint64_t now) {
    ++s.counters.bytesReceived;
    if (s.commandDone) {
        Report(s, "byte " + Hex8(value) + " after the complete command " + Hex8(s.received[0]));
    } else {
        s.received.push_back(value);
        size_t blockLength = BlockLength(s.received[0]);
        if (s.received.size() == blockLength) s.expected = blockLength + DataLength(s.received);
        if (s.received.size() == s.expected) {
            s.commandDone = true;
            s.commandDoneAt = std::max(now, s.busyUntil) + SIM_COMMAND_US;
            Execute(s);
        }
    }
    if (s.config.faults.goneAfterBytes >= 0 &&
        s.counters.bytesReceived >= static_cast<uint64_t>(s.config.faults.goneAfterBytes)) {
        s.gone = true;
        Log(s, "scanner gone after " + std::to_string(s.counters.bytesReceived) + " bytes");
    }
}

// ---- Transactions ---------------------------------------------------------

void EnterCommand(VirtualScanner& s, uint64_t ackAt) {
    s.phase = LinkPhase::Command;
    s.ackAt = ackAt;
    s.listening = false;
    s.bitCount = 0;
    s.received.clear();
    s.expected = 0;
    s.commandDone = false;
}

void BeginSelection(VirtualScanner& s, uint64_t now) {
    if (s.config.faults.answerAfterReset && !s.hadReset) {
        s.phase = LinkPhase::Ignored;
        return;
    }
    uint64_t ready = std::max(now, s.busyUntil);
    if (s.scanning) {
        s.phase = LinkPhase::Line;
        s.pixelIndex = 0;
        PrepareTriple(s, ready + s.config.timing.lineUs);
    } else if (s.focusing) {
        s.phase = LinkPhase::Focus;
        PrepareTriple(s, ready + s.config.timing.focusSampleUs);
    } else if (!s.reply.empty()) {
        s.phase = LinkPhase::Reply;
        s.replyTriple = 0;
        PrepareTriple(s, ready + s.replyFirstUs);
    } else {
        EnterCommand(s, ready + SIM_SELECT_US);
    }
}

void LineDone(VirtualScanner& s) {
    if (s.pixelIndex == 0) return;  // selected and left without a pixel: no line
    // The last triple the host reads closes the line.
    uint32_t pixels = s.pixelIndex - 1;
    uint32_t expectedPixels = WindowPixels(s.setup);
    if (pixels != expectedPixels && !s.lineLengthReported) {
        Report(s, "line " + std::to_string(s.lineIndex) + " read with " + std::to_string(pixels) +
                      " pixels; the window gives " + std::to_string(expectedPixels));
        s.lineLengthReported = true;
    }
    if (s.lineIndex >= WindowLines(s.setup) + EXTRA_LINES && !s.lineCountReported) {
        Report(s, "line " + std::to_string(s.lineIndex) + " read past the window's " +
                      std::to_string(WindowLines(s.setup)) + " lines");
        s.lineCountReported = true;
    }
    Log(s, "line " + std::to_string(s.lineIndex) + ": " + std::to_string(pixels) + " pixels");
    ++s.lineIndex;
    ++s.counters.linesRead;
    if (s.config.faults.goneAfterLines >= 0 &&
        s.counters.linesRead >= static_cast<uint64_t>(s.config.faults.goneAfterLines)) {
        s.gone = true;
        Log(s, "scanner gone after " + std::to_string(s.counters.linesRead) + " lines");
    }
}

void FinishScan(VirtualScanner& s) {
    // The film ends up at the end it travelled to.
    if (s.scanning && s.lineIndex > 0) s.frontSide = s.setup.mode[0] == 'B';
    Log(s, s.focusing ? "focus ended after " + std::to_string(s.counters.focusSamples) + " samples"
                      : "scan ended after " + std::to_string(s.lineIndex) + " lines");
    s.scanning = false;
    s.focusing = false;
}

void EndTransaction(VirtualScanner& s, uint64_t now) {
    switch (s.phase) {
    case LinkPhase::Command:
        if (s.listening) {
            Report(s, "byte of " + std::to_string(s.bitCount) + " bits");
        }
        if (!s.commandDone && !s.received.empty()) {
            Report(s, "command " + Hex8(s.received[0]) + " cut off after " + std::to_string(s.received.size()) +
                          " bytes");
        }
        break;
    case LinkPhase::Reply: {
        size_t triples = s.reply.size() / 3;
        if (s.replyTriple < triples) {
            Report(s, "reply left after " + std::to_string(s.replyTriple) + " of " + std::to_string(triples) +
                          " triples");
        }
        s.reply.clear();
        break;
    }
    case LinkPhase::Line:
        LineDone(s);
        break;
    case LinkPhase::EndingScan:
        if (!(s.endStage == 1 && now >= s.endReleasedAt + SIM_END_ACK_US)) {
            Report(s, "end-of-scan handshake cut short");
        }
        if (s.endWasScan) FinishScan(s);
        break;
    case LinkPhase::Idle:
    case LinkPhase::Ignored:
    case LinkPhase::Focus:
    case LinkPhase::Reset:
        break;
    }
    s.phase = LinkPhase::Idle;
}

void StartEndOfScan(VirtualScanner& s, uint64_t now) {
    s.endWasScan = s.scanning || s.focusing;
    if (!s.endWasScan) Report(s, "end of scan outside a scan");
    s.endLevelBefore = Handshake(s, now);
    s.phase = LinkPhase::EndingScan;
    s.endStage = 0;
    s.endSignalAt = now;
}

void BeginReset(VirtualScanner& s, uint64_t now) {
    if (s.scanning || s.focusing) Log(s, "scan aborted by reset");
    s.scanning = false;
    s.focusing = false;
    s.reply.clear();
    s.received.clear();
    s.listening = false;
    if (s.transport == Transport::Moving) s.transportDoneAt = now;  // the move ends where it was going
    UpdateTransport(s, now);
    s.phase = LinkPhase::Reset;
    s.resetPulseAt = now;
    s.resetDoneAt = NEVER;
}

void CommandLines(VirtualScanner& s, Lines before, Lines after, uint64_t now) {
    uint32_t minPulse = s.config.timing.minClockPulseUs;
    bool fell = !before.clockLow && after.clockLow;
    bool rose = before.clockLow && !after.clockLow;
    if (fell) {
        if (!s.listening) {
            // The host announces a byte and waits for the handshake to rise.
            s.listening = true;
            s.bitCount = 0;
            s.shift = 0;
            s.byteReadyAt = std::max({now, s.busyUntil, s.ackAt}) + SIM_BYTE_READY_US;
        } else if (minPulse > 0 && now - s.lastClockRise < minPulse) {
            Report(s, "clock released for " + std::to_string(now - s.lastClockRise) + " us between bits (at least " +
                          std::to_string(minPulse) + ")");
        }
        s.lastLineChange = now;
        return;
    }
    if (!rose) {
        if (before.data != after.data) s.lastLineChange = now;
        return;
    }
    if (!s.listening) {
        Report(s, "clock pulse without a byte announced");
        return;
    }
    if (s.bitCount == 0 && now < s.byteReadyAt) {
        Report(s, "bit clocked before the scanner took the byte (missing handshake wait)");
    }
    uint64_t from = s.bitCount == 0 ? std::max(s.lastLineChange, std::min(s.byteReadyAt, now)) : s.lastLineChange;
    if (minPulse > 0 && now - from < minPulse) {
        Report(s, "clock pulse of " + std::to_string(now - from) + " us (at least " + std::to_string(minPulse) + ")");
    }
    // The data bit is sampled as the clock is released.
    s.shift = static_cast<uint8_t>(s.shift << 1 | (after.data ? 1 : 0));
    s.lastClockRise = now;
    if (++s.bitCount == 8) {
        s.listening = false;
        TakeByte(s, s.shift, now);
    }
}

void TripleLines(VirtualScanner& s, Lines before, Lines after, uint64_t now) {
    bool fell = !before.clockLow && after.clockLow;
    bool rose = before.clockLow && !after.clockLow;
    using TS = VirtualScanner::TripleState;
    if (fell && after.data && s.tripleState != TS::Reading) {
        // Clock low with data 1 announces a command byte: the host has given
        // up on what was selected for.
        if (s.phase == LinkPhase::Reply) {
            Report(s, "reply not read; a command was sent instead");
            s.reply.clear();
        } else {
            Report(s, "command sent during a scan; the scan ends");
            FinishScan(s);
        }
        EnterCommand(s, now);
        CommandLines(s, before, after, now);
        return;
    }
    if (fell) {
        if (s.tripleState == TS::Taken) {
            if (s.phase == LinkPhase::Reply && s.replyTriple * 3 >= s.reply.size()) {
                Report(s, "reply read past its end");
            } else {
                Report(s, "triple read before the scanner had the next one ready (missing handshake wait)");
            }
            s.nibble = 0;
            return;
        }
        if (s.tripleState == TS::Preparing) {
            if (now < s.tripleReadyAt && !s.earlyStrobeReported) {
                Report(s, "nibble read before the scanner was ready (missing handshake wait)");
                s.earlyStrobeReported = true;
            }
            s.tripleState = TS::Reading;
        }
        s.nibble = static_cast<uint8_t>(s.triple[s.nibbleCount / 2] >> 4);
        return;
    }
    if (rose) {
        if (s.tripleState != TS::Reading) return;
        s.nibble = static_cast<uint8_t>(s.triple[s.nibbleCount / 2] & 0x0F);
        s.nibbleCount += 2;
        if (s.nibbleCount == 6) TripleTaken(s);
        return;
    }
    // Data raised with the clock released: the host took the triple and asks
    // for the next.
    if (!after.clockLow && !before.data && after.data && s.tripleState == TS::Taken) {
        if (s.phase == LinkPhase::Line ||
            (s.phase == LinkPhase::Reply && s.replyTriple * 3 < s.reply.size())) {
            PrepareTriple(s, now + SIM_TRIPLE_US);
        }
    }
}

void EndingLines(VirtualScanner& s, Lines before, Lines after, uint64_t now) {
    if (s.endStage == 0 && before.clockLow && !after.clockLow) {
        if (now < s.endSignalAt + SIM_END_STOP_US) {
            Report(s, "end of scan released before the scanner stopped (missing handshake wait)");
        }
        s.endStage = 1;
        s.endReleasedAt = now;
    }
}

void ControlChanged(VirtualScanner& s, uint8_t oldValue, uint8_t newValue, uint64_t now) {
    Lines before = Decode(oldValue), after = Decode(newValue);
    if (!before.strobe && after.strobe) {
        BeginReset(s, now);
        return;
    }
    if (s.phase == LinkPhase::Reset && after.strobe) return;
    if (before.strobe && !after.strobe && s.phase == LinkPhase::Reset) {
        if (now - s.resetPulseAt < SIM_MIN_RESET_PULSE_US) {
            Report(s, "reset pulse of " + std::to_string(now - s.resetPulseAt) + " us (at least " +
                          std::to_string(SIM_MIN_RESET_PULSE_US) + ")");
        }
        s.resetDoneAt = now + SIM_RESET_ACK_US + uint64_t{s.config.timing.resetMs} * 1000;
        s.busyUntil = std::max(s.busyUntil, s.resetDoneAt);
        s.hadReset = true;
        ++s.counters.resets;
        Log(s, "reset");
    }
    if (before.selected && !after.selected) {
        EndTransaction(s, now);
        KeepWrittenBlock(s);
        return;
    }
    if (!before.selected && after.selected) {
        BeginSelection(s, now);
    }
    if (!after.selected) return;
    bool endSignal = before.clockLow && after.clockLow && !before.data && after.data;
    switch (s.phase) {
    case LinkPhase::Command:
    case LinkPhase::Reply:
    case LinkPhase::Line:
    case LinkPhase::Focus:
        if (endSignal) {
            StartEndOfScan(s, now);
            return;
        }
        if (s.phase == LinkPhase::Command) {
            CommandLines(s, before, after, now);
        } else {
            TripleLines(s, before, after, now);
        }
        return;
    case LinkPhase::EndingScan:
        EndingLines(s, before, after, now);
        return;
    case LinkPhase::Idle:
    case LinkPhase::Ignored:
    case LinkPhase::Reset:
        return;
    }
}

}  // namespace

FrameGeometry VirtualScannerFrameGeometry(const VirtualScanner& scanner) {
    // Frames are centred on the preview window of their adapter: 36 x 24 mm
    // on a strip, 30.2 x 16.7 mm (the whole H-format area) on APS film.
    bool aps = scanner.config.adapter == AdapterKind::Aps;
    double width = (aps ? 30.2 : 36.0) * UNITS_PER_MM;
    double height = (aps ? 16.7 : 24.0) * UNITS_PER_MM;
    double centreU = aps ? 320 + 1910 / 2.0 : 76 + 2400 / 2.0;
    double centreV = aps ? 350 + 1090 / 2.0 : 90 + 1600 / 2.0;
    return {centreU - width / 2, centreV - height / 2, width, height};
}

void VirtualScannerSample(const VirtualScanner& scanner, double u, double v, double cellU, double cellV,
                          uint8_t out[3]) {
    double t[3];
    Transmittance(scanner, u, v, cellU, cellV, t);
    const ScanSetup& w = scanner.setup;
    double reference = scanner.config.exposureReference;
    double a = w.modeSet ? w.mode[3] : reference;
    double b = w.modeSet ? w.mode[4] : reference;
    // Exposure value A sets how long the red and green rows gather light,
    // B the blue row.
    out[0] = Expose(t[0], a, reference, w, 0);
    out[1] = Expose(t[1], a, reference, w, 1);
    out[2] = Expose(t[2], b, reference, w, 2);
}

void VirtualScannerInit(VirtualScanner& scanner, const ScannerConfig& config) {
    auto clock = scanner.clock;
    void* clockContext = scanner.clockContext;
    auto sink = scanner.logSink;
    void* logContext = scanner.logContext;
    auto keeper = scanner.ixWritten;
    void* keeperContext = scanner.ixWrittenContext;
    scanner = VirtualScanner{};
    scanner.clock = clock;
    scanner.clockContext = clockContext;
    scanner.logSink = sink;
    scanner.logContext = logContext;
    scanner.ixWritten = keeper;
    scanner.ixWrittenContext = keeperContext;
    scanner.config = config;
    uint64_t now = Now(scanner);
    const ScannerConfig& c = scanner.config;
    scanner.frontSide = c.filmSide != 'B';
    if (c.adapter == AdapterKind::Strip) {
        scanner.filmOut = true;
        scanner.frame = c.currentFrame;
    } else if (c.adapter == AdapterKind::Aps && !c.unprocessed) {
        // The adapter does not draw undeveloped film out of its cartridge.
        if (c.cartridge == CartridgeStart::Loaded && c.currentFrame >= 1) {
            scanner.filmOut = true;
            scanner.frame = c.currentFrame;
            scanner.frameRegistered = true;
        } else if (c.cartridge == CartridgeStart::Autoload) {
            scanner.transport = Transport::Autoloading;
            scanner.transportDoneAt = now + uint64_t{c.timing.autoloadMs} * 1000;
        }
    }
    scanner.gone = c.faults.goneAfterBytes == 0 || c.faults.goneAfterLines == 0;
    scanner.lastLineChange = now;
    scanner.lastClockRise = now;
}

uint8_t VirtualScannerRead(VirtualScanner& scanner, uint16_t address) {
    ++scanner.counters.portReads;
    const ScannerConfig& c = scanner.config;
    if (c.faults.noPort) return 0xFF;
    if (address == c.portBase) return c.dataRegister;
    if (address == c.portBase + 2) return scanner.control;
    if (address != c.portBase + 1) return 0xFF;
    // Nothing drives the status lines: they read high, Busy inverted.
    if (scanner.gone || c.faults.noScanner) return 0x7F;
    uint64_t now = Now(scanner);
    UpdateTransport(scanner, now);
    bool handshake = Handshake(scanner, now);
    if (c.faults.handshakeStuckHigh) handshake = true;
    if (c.faults.handshakeStuckLow) handshake = false;
    return static_cast<uint8_t>(scanner.nibble << 4 | (handshake ? 0x08 : 0x00) | 0x07);
}

void VirtualScannerWrite(VirtualScanner& scanner, uint16_t address, uint8_t value) {
    ++scanner.counters.portWrites;
    const ScannerConfig& c = scanner.config;
    if (c.faults.noPort) return;
    if (address == c.portBase) {
        Report(scanner, "write of " + Hex8(value) + " to the data register");
        return;
    }
    if (address != c.portBase + 2) return;
    uint8_t old = scanner.control;
    if (std::find(std::begin(LEGAL_CONTROL), std::end(LEGAL_CONTROL), value) == std::end(LEGAL_CONTROL)) {
        Report(scanner, "control value " + Hex8(value) + " is none of the six the link uses");
    }
    // The host writes every value but idle twice, so that the lines stay
    // long enough for the scanner to sample them.
    if (value != IDLE && scanner.controlPairOpen && value == old) {
        scanner.controlPairOpen = false;
    } else {
        if (scanner.controlPairOpen) Report(scanner, "control value " + Hex8(old) + " written once");
        scanner.controlPairOpen = value != IDLE;
    }
    scanner.control = value;
    if (value == old || scanner.gone || c.faults.noScanner) return;
    uint64_t now = Now(scanner);
    UpdateTransport(scanner, now);
    ControlChanged(scanner, old, value, now);
}

const uint8_t* VirtualScannerFrameBlock(const VirtualScanner& scanner, int frame) {
    static constexpr uint8_t NONE[SIM_IX_BLOCK_BYTES] = {};
    return frame >= 1 && frame <= SIM_MAX_FRAMES ? scanner.config.frames[frame].ixBlock : NONE;
}
