#include "simulator/scanner_config.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

#include "common/bitmap_file.h"

namespace {

constexpr size_t MAX_CONFIG_BYTES = 1u << 20;
constexpr size_t MAX_BMP_BYTES = 256u << 20;
constexpr int32_t MAX_PICTURE_SIDE = 16384;

bool ReadWholeFile(const std::string& path, size_t limit, std::vector<uint8_t>& bytes, std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        error = "cannot open '" + path + "'";
        return false;
    }
    bytes.clear();
    uint8_t chunk[65536];
    bool ok = true;
    for (;;) {
        size_t got = std::fread(chunk, 1, sizeof chunk, file);
        if (bytes.size() + got > limit) {
            error = "'" + path + "' is too large";
            ok = false;
            break;
        }
        bytes.insert(bytes.end(), chunk, chunk + got);
        if (got < sizeof chunk) {
            if (std::ferror(file)) {
                error = "cannot read '" + path + "'";
                ok = false;
            }
            break;
        }
    }
    std::fclose(file);
    return ok;
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string Resolve(const std::string& base, const std::string& name) {
    bool absolute = (!name.empty() && (name[0] == '/' || name[0] == '\\')) || (name.size() > 1 && name[1] == ':');
    return absolute || base.empty() ? name : base + name;
}

// One word of a configuration line and where it stands in the text.
struct PlacedWord {
    std::string word;
    size_t at;
};

// A logical line: its words (comments and continuation marks left out) and
// the physical lines it spans.
struct PlacedLine {
    std::vector<PlacedWord> words;
    std::vector<size_t> starts;  // where each of its physical lines starts
    size_t end = 0;              // past its last physical line and that line's break
    int number = 0;              // its first physical line, counted from 1
    bool continuesPastEnd = false;  // its last line asks for a continuation the text does not have
};

// The one reading of the line structure, shared by the parser and the
// rewriter so that both see the same entries: '#' starts a comment, and a
// line ending in '\' goes on on the next one (long byte lists).
std::vector<PlacedLine> PlaceLines(const std::string& text) {
    std::vector<PlacedLine> lines;
    PlacedLine current;
    bool open = false;
    size_t pos = 0;
    int physical = 0;
    while (pos <= text.size()) {
        size_t start = pos;
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        pos = end + 1;
        ++physical;
        size_t stop = end;
        if (stop > start && text[stop - 1] == '\r') --stop;
        // Within this line only: a file with few comments is not searched to its end per line.
        const void* hash = std::memchr(text.data() + start, '#', stop - start);
        if (hash != nullptr) stop = static_cast<size_t>(static_cast<const char*>(hash) - text.data());
        while (stop > start && (text[stop - 1] == ' ' || text[stop - 1] == '\t')) --stop;
        bool continues = stop > start && text[stop - 1] == '\\';
        if (continues) --stop;
        if (!open) {
            current = PlacedLine{};
            current.number = physical;
            open = true;
        }
        current.starts.push_back(start);
        current.end = std::min(pos, text.size());
        size_t i = start;
        while (i < stop) {
            while (i < stop && (text[i] == ' ' || text[i] == '\t')) ++i;
            size_t from = i;
            while (i < stop && text[i] != ' ' && text[i] != '\t') ++i;
            if (i > from) current.words.push_back({text.substr(from, i - from), from});
        }
        if (continues && pos <= text.size()) continue;
        current.continuesPastEnd = continues;
        lines.push_back(std::move(current));
        open = false;
    }
    return lines;
}

std::vector<std::string> WordsOf(const PlacedLine& line) {
    std::vector<std::string> words;
    for (const PlacedWord& w : line.words) words.push_back(w.word);
    return words;
}

// Decimal or 0x-prefixed hexadecimal, whole word, within [low, high].
bool ParseNumber(const std::string& word, int64_t low, int64_t high, int64_t& value) {
    if (word.empty() || word.size() > 20) return false;
    const char* text = word.c_str();
    char* end = nullptr;
    long long parsed = (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X'))
                           ? std::strtoll(text + 2, &end, 16)
                           : std::strtoll(text, &end, 10);
    if (end == nullptr || *end != '\0' || end == text || parsed < low || parsed > high) return false;
    value = parsed;
    return true;
}

bool ParseHexByte(const std::string& word, uint8_t& value) {
    if (word.size() != 2) return false;
    int64_t v = 0;
    if (!ParseNumber("0x" + word, 0, 255, v)) return false;
    value = static_cast<uint8_t>(v);
    return true;
}

struct Parser {
    std::string name;
    std::string base;
    ScannerConfig& config;
    std::map<std::string, std::shared_ptr<const Picture>> pictures;  // one load per file
    int lineNumber = 0;
    std::string error;

    bool Fail(const std::string& what) {
        error = name + ":" + std::to_string(lineNumber) + ": " + what;
        return false;
    }

    bool Number(const std::vector<std::string>& w, size_t at, int64_t low, int64_t high, int64_t& value) {
        if (at >= w.size()) return Fail("'" + w[0] + "' needs a value");
        if (!ParseNumber(w[at], low, high, value)) {
            return Fail("'" + w[at] + "' is not a number from " + std::to_string(low) + " to " +
                        std::to_string(high));
        }
        return true;
    }

    template <typename T>
    bool Set(const std::vector<std::string>& w, int64_t low, int64_t high, T& field) {
        int64_t v = 0;
        if (w.size() != 2) return Fail("'" + w[0] + "' takes one value");
        if (!Number(w, 1, low, high, v)) return false;
        field = static_cast<T>(v);
        return true;
    }

    bool Flag(const std::vector<std::string>& w, bool& field) {
        if (w.size() != 2 || (w[1] != "yes" && w[1] != "no")) return Fail("'" + w[0] + "' takes yes or no");
        field = w[1] == "yes";
        return true;
    }

    bool Letter(const std::vector<std::string>& w, const char* allowed, char& field) {
        if (w.size() != 2 || w[1].size() != 1 || std::strchr(allowed, w[1][0]) == nullptr) {
            return Fail("'" + w[0] + "' takes one of the letters " + allowed);
        }
        field = w[1][0];
        return true;
    }

    bool Bytes(const std::vector<std::string>& w, size_t from, uint8_t* out, size_t count) {
        if (w.size() - from != count) {
            return Fail("'" + w[0] + "' needs " + std::to_string(count) + " hex bytes, got " +
                        std::to_string(w.size() - from));
        }
        for (size_t i = 0; i < count; ++i) {
            if (!ParseHexByte(w[from + i], out[i])) return Fail("'" + w[from + i] + "' is not a hex byte");
        }
        return true;
    }

    bool LoadPicture(const std::string& file, std::shared_ptr<const Picture>& out) {
        std::string path = Resolve(base, file);
        auto found = pictures.find(path);
        if (found != pictures.end()) {
            out = found->second;
            return true;
        }
        auto picture = std::make_shared<Picture>();
        std::string why;
        if (!ReadBmpFile(path, *picture, why)) return Fail("picture: " + why);
        pictures[path] = picture;
        out = picture;
        return true;
    }

    bool Frame(const std::vector<std::string>& w) {
        int64_t n = 0;
        if (w.size() < 3) return Fail("'frame' needs a frame number, an item and its value");
        if (!Number(w, 1, 1, SIM_MAX_FRAMES, n)) return false;
        FrameConfig& frame = config.frames[n];
        const std::string& item = w[2];
        if (item == "picture") {
            if (w.size() == 7 && w[3] == "solid") {
                int64_t rgb[3] = {};
                for (size_t i = 0; i < 3; ++i) {
                    if (!Number(w, 4 + i, 0, 255, rgb[i])) return false;
                }
                auto picture = std::make_shared<Picture>();
                picture->width = 1;
                picture->height = 1;
                picture->rgb = {static_cast<uint8_t>(rgb[0]), static_cast<uint8_t>(rgb[1]),
                                static_cast<uint8_t>(rgb[2])};
                frame.picture = picture;
                return true;
            }
            if (w.size() != 4) return Fail("'picture' takes a file name or 'solid R G B'");
            return LoadPicture(w[3], frame.picture);
        }
        if (item == "ix") {
            if (!Bytes(w, 3, frame.ixBlock, SIM_IX_BLOCK_BYTES)) return false;
            if (!frame.trackGiven) BuildMagneticTrack(frame.ixBlock, frame.track);
            return true;
        }
        if (item == "track_block") {
            uint8_t block[SIM_IX_BLOCK_BYTES];
            if (!Bytes(w, 3, block, sizeof block)) return false;
            BuildMagneticTrack(block, frame.track);
            frame.trackGiven = true;
            return true;
        }
        if (item == "track") {
            if (!Bytes(w, 3, frame.track, SIM_TRACK_BYTES)) return false;
            frame.trackGiven = true;
            return true;
        }
        if (item == "print_format") {
            int64_t v = 0;
            if (w.size() != 4 || !Number(w, 3, 0, 255, v)) {
                return error.empty() ? Fail("'print_format' takes one value") : false;
            }
            frame.printFormat = static_cast<uint8_t>(v);
            return true;
        }
        return Fail("unknown frame item '" + item + "'");
    }

    bool Fault(const std::vector<std::string>& w) {
        FaultConfig& f = config.faults;
        if (w.size() < 2) return Fail("'fault' needs a name");
        const std::string& what = w[1];
        if (what == "gone_after_bytes" || what == "gone_after_lines") {
            int64_t n = 0;
            if (w.size() != 3) return Fail("'" + what + "' takes a count");
            if (!Number(w, 2, 0, 0x7FFFFFFF, n)) return false;
            (what == "gone_after_bytes" ? f.goneAfterBytes : f.goneAfterLines) = n;
            return true;
        }
        if (w.size() != 2) return Fail("fault '" + what + "' takes no value");
        if (what == "none") f = FaultConfig{};
        else if (what == "no_port") f.noPort = true;
        else if (what == "no_scanner") f.noScanner = true;
        else if (what == "handshake_stuck_high") f.handshakeStuckHigh = true;
        else if (what == "handshake_stuck_low") f.handshakeStuckLow = true;
        else if (what == "answer_after_reset") f.answerAfterReset = true;
        else if (what == "aps_silent") f.apsSilent = true;
        else return Fail("unknown fault '" + what + "'");
        return true;
    }

    bool Line(const std::vector<std::string>& w) {
        const std::string& key = w[0];
        ScannerTiming& t = config.timing;
        if (key == "port_base") return Set(w, 0, 0xFFF8, config.portBase);
        if (key == "data_register") return Set(w, 0, 255, config.dataRegister);
        if (key == "adapter") {
            if (w.size() == 2 && (w[1] == "none")) config.adapter = AdapterKind::None;
            else if (w.size() == 2 && (w[1] == "strip" || w[1] == "N")) config.adapter = AdapterKind::Strip;
            else if (w.size() == 2 && (w[1] == "aps" || w[1] == "A")) config.adapter = AdapterKind::Aps;
            else return Fail("'adapter' takes none, strip (N) or aps (A)");
            return true;
        }
        if (key == "film_kind") return Letter(w, "RNB", config.filmKind);
        if (key == "film_speed") return Set(w, 0, 65535, config.filmSpeed);
        if (key == "exposures") return Set(w, 0, SIM_MAX_FRAMES, config.exposures);
        if (key == "film_kind_byte") return Set(w, 0, 255, config.filmKindByte);
        if (key == "unprocessed") return Flag(w, config.unprocessed);
        if (key == "film_side") return Letter(w, "FB", config.filmSide);
        if (key == "current_frame") return Set(w, 0, SIM_MAX_FRAMES, config.currentFrame);
        if (key == "cartridge") {
            if (w.size() == 2 && w[1] == "loaded") config.cartridge = CartridgeStart::Loaded;
            else if (w.size() == 2 && w[1] == "autoload") config.cartridge = CartridgeStart::Autoload;
            else if (w.size() == 2 && w[1] == "empty") config.cartridge = CartridgeStart::Empty;
            else return Fail("'cartridge' takes loaded, autoload or empty");
            return true;
        }
        if (key == "calibration_positive") return Bytes(w, 1, config.calibrationPositive, SIM_CALIBRATION_BYTES);
        if (key == "calibration_negative") return Bytes(w, 1, config.calibrationNegative, SIM_CALIBRATION_BYTES);
        if (key == "exposure_reference") return Set(w, 1, 255, config.exposureReference);
        if (key == "focus_offset") return Set(w, -1000, 1000, config.focusOffset);
        if (key == "autoload_ms") return Set(w, 0, 60000, t.autoloadMs);
        if (key == "rewind_ms") return Set(w, 0, 60000, t.rewindMs);
        if (key == "frame_settle_ms") return Set(w, 0, 60000, t.frameSettleMs);
        if (key == "frame_step_ms") return Set(w, 0, 60000, t.frameStepMs);
        if (key == "to_front_ms") return Set(w, 0, 60000, t.toFrontMs);
        if (key == "focus_move_ms") return Set(w, 0, 60000, t.focusMoveMs);
        if (key == "reset_ms") return Set(w, 0, 60000, t.resetMs);
        if (key == "line_us") return Set(w, 1, 1000000, t.lineUs);
        if (key == "focus_sample_us") return Set(w, 1, 1000000, t.focusSampleUs);
        if (key == "min_clock_pulse_us") return Set(w, 0, 100000, t.minClockPulseUs);
        if (key == "fault") return Fault(w);
        if (key == "frame") return Frame(w);
        if (key == "write_back") return Flag(w, config.writeBack);
        if (key == "log_file") {
            if (w.size() != 2) return Fail("'log_file' takes one file name");
            config.logFile = Resolve(base, w[1]);
            return true;
        }
        return Fail("unknown key '" + key + "'");
    }
};

}  // namespace

bool ParseScannerConfig(const std::string& text, const std::string& name, const std::string& baseDirectory,
                        ScannerConfig& config, std::string& error) {
    // Built aside and swapped in only when every line was good.
    auto fresh = std::make_unique<ScannerConfig>();
    Parser parser{name, baseDirectory, *fresh, {}, 0, {}};
    for (const PlacedLine& line : PlaceLines(text)) {
        if (line.words.empty()) continue;
        parser.lineNumber = line.number;
        if (!parser.Line(WordsOf(line))) {
            error = parser.error;
            return false;
        }
    }
    if (fresh->currentFrame > fresh->exposures && fresh->adapter == AdapterKind::Aps &&
        fresh->cartridge == CartridgeStart::Loaded) {
        error = name + ": current_frame " + std::to_string(fresh->currentFrame) + " is beyond the " +
                std::to_string(fresh->exposures) + " exposures";
        return false;
    }
    config = std::move(*fresh);
    return true;
}

bool LoadScannerConfig(const std::string& path, ScannerConfig& config, std::string& error) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, MAX_CONFIG_BYTES, bytes, error)) return false;
    std::string text(bytes.begin(), bytes.end());
    return ParseScannerConfig(text, path, FolderOf(path), config, error);
}

bool ReadScannerConfigText(const std::string& path, std::string& text, std::string& error) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, MAX_CONFIG_BYTES, bytes, error)) return false;
    text.assign(bytes.begin(), bytes.end());
    return true;
}

namespace {

// The frame's own entry named `item` ("ix", "track", ...), or not its own.
bool IsFrameEntry(const PlacedLine& line, int frame, const char* item) {
    int64_t n = 0;
    return line.words.size() >= 3 && line.words[0].word == "frame" &&
           ParseNumber(line.words[1].word, 1, SIM_MAX_FRAMES, n) && n == frame && line.words[2].word == item;
}

bool IsFrameLine(const PlacedLine& line, int frame) {
    int64_t n = 0;
    return line.words.size() >= 2 && line.words[0].word == "frame" &&
           ParseNumber(line.words[1].word, 1, SIM_MAX_FRAMES, n) && n == frame;
}

bool IsTrackEntry(const PlacedLine& line, int frame) {
    return IsFrameEntry(line, frame, "track") || IsFrameEntry(line, frame, "track_block");
}

// A new `ix` entry in the layout of the shipped files: twenty bytes, then
// the other twelve on a continuation line lined up under the first.
std::string IxEntry(int frame, const uint8_t block[SIM_IX_BLOCK_BYTES], const std::string& lineBreak) {
    static constexpr char HEX[] = "0123456789ABCDEF";
    std::string head = "frame " + std::to_string(frame) + " ix ";
    std::string entry = head;
    for (size_t i = 0; i < SIM_IX_BLOCK_BYTES; ++i) {
        if (i == 20) entry += "\\" + lineBreak + std::string(head.size(), ' ');
        entry += HEX[block[i] >> 4];
        entry += HEX[block[i] & 15];
        if (i + 1 < SIM_IX_BLOCK_BYTES) entry += ' ';
    }
    return entry + lineBreak;
}

// What the rewritten text must still say: every entry but the frame's IX
// data and tracks, word for word, in order.
std::vector<std::vector<std::string>> OtherEntries(const std::vector<PlacedLine>& lines, int frame) {
    std::vector<std::vector<std::string>> entries;
    for (const PlacedLine& line : lines) {
        if (line.words.empty() || IsFrameEntry(line, frame, "ix") || IsTrackEntry(line, frame)) continue;
        entries.push_back(WordsOf(line));
    }
    return entries;
}

// The rewritten text reads as intended: the other entries unchanged, the
// frame's IX entries all holding the block, no track of the frame left.
bool ReadsAsIntended(const std::vector<PlacedLine>& before, const std::string& after, int frame,
                     const uint8_t block[SIM_IX_BLOCK_BYTES]) {
    std::vector<PlacedLine> lines = PlaceLines(after);
    if (OtherEntries(before, frame) != OtherEntries(lines, frame)) return false;
    bool found = false;
    for (const PlacedLine& line : lines) {
        if (IsTrackEntry(line, frame)) return false;
        if (!IsFrameEntry(line, frame, "ix")) continue;
        if (line.words.size() != 3 + SIM_IX_BLOCK_BYTES) return false;
        for (size_t i = 0; i < SIM_IX_BLOCK_BYTES; ++i) {
            uint8_t value = 0;
            if (!ParseHexByte(line.words[3 + i].word, value) || value != block[i]) return false;
        }
        found = true;
    }
    return found;
}

}  // namespace

bool RewriteFrameIx(const std::string& text, const std::string& name, int frame,
                    const uint8_t block[SIM_IX_BLOCK_BYTES], std::string& rewritten, std::string& error) {
    static constexpr char HEX[] = "0123456789ABCDEF";
    if (frame < 1 || frame > SIM_MAX_FRAMES) {
        error = name + ": frame " + std::to_string(frame) + " is not one of 1 to " + std::to_string(SIM_MAX_FRAMES);
        return false;
    }
    std::vector<PlacedLine> lines = PlaceLines(text);
    std::string out = text;
    // Insertions shift what follows them, so they are made last, from the back.
    std::vector<std::pair<size_t, std::string>> inserts;
    bool hasIx = false;
    size_t afterFrame = std::string::npos;
    for (const PlacedLine& line : lines) {
        if (!IsFrameLine(line, frame)) continue;
        afterFrame = line.end;
        if (IsTrackEntry(line, frame)) {
            // Every physical line, or its continuation would become an entry of its own.
            for (size_t start : line.starts) inserts.emplace_back(start, "# ");
            continue;
        }
        if (!IsFrameEntry(line, frame, "ix")) continue;
        bool good = line.words.size() == 3 + SIM_IX_BLOCK_BYTES;
        for (size_t i = 0; good && i < SIM_IX_BLOCK_BYTES; ++i) {
            uint8_t old = 0;
            good = ParseHexByte(line.words[3 + i].word, old);
        }
        if (!good) {
            error = name + ":" + std::to_string(line.number) + ": 'frame " + line.words[1].word +
                    " ix' does not hold 32 hex bytes; the file is left as it is";
            return false;
        }
        // Same width as before: two hex digits over two hex digits.
        for (size_t i = 0; i < SIM_IX_BLOCK_BYTES; ++i) {
            size_t at = line.words[3 + i].at;
            out[at] = HEX[block[i] >> 4];
            out[at + 1] = HEX[block[i] & 15];
        }
        hasIx = true;
    }
    if (!hasIx) {
        std::string lineBreak = text.find("\r\n") != std::string::npos ? "\r\n" : "\n";
        size_t at = afterFrame != std::string::npos ? afterFrame : text.size();
        std::string prefix;
        if (at > 0 && text[at - 1] != '\n') prefix = lineBreak;
        // A last line still waiting for its continuation would swallow the
        // new entry; an empty line ends it.
        const PlacedLine* last = lines.empty() ? nullptr : &lines.back();
        bool lastOpen = last != nullptr && (last->continuesPastEnd ||
                                            (last->starts.size() > 1 && last->starts.back() == text.size()));
        if (at == text.size() && lastOpen) prefix += lineBreak;
        inserts.emplace_back(at, prefix + IxEntry(frame, block, lineBreak));
    }
    std::stable_sort(inserts.begin(), inserts.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    for (const auto& [at, what] : inserts) out.insert(at, what);
    if (!ReadsAsIntended(lines, out, frame, block)) {
        error = name + ": the rewritten text of frame " + std::to_string(frame) +
                " would not read back as written; the file is left as it is";
        return false;
    }
    rewritten = std::move(out);
    return true;
}

bool DecodeBmp(const uint8_t* data, size_t size, Picture& picture, std::string& error) {
    if (size < PIXELS_OFFSET || data[0] != 'B' || data[1] != 'M') {
        error = "not a BMP file";
        return false;
    }
    uint32_t offset = ReadFileHeader(data).bfOffBits;
    BitmapInfoHeader header = ReadInfoHeader(data + FILE_HEADER_SIZE);
    uint32_t headerSize = header.biSize;
    if (headerSize < INFO_HEADER_SIZE || headerSize > size - FILE_HEADER_SIZE) {
        error = "unsupported BMP header";
        return false;
    }
    int32_t width = header.biWidth;
    int32_t rawHeight = header.biHeight;
    uint16_t bits = header.biBitCount;
    uint32_t compression = header.biCompression;
    bool topDown = rawHeight < 0;
    int64_t height = topDown ? -static_cast<int64_t>(rawHeight) : rawHeight;
    if (width <= 0 || height <= 0 || width > MAX_PICTURE_SIDE || height > MAX_PICTURE_SIDE) {
        error = "BMP size out of range";
        return false;
    }
    if ((bits != 24 && bits != 32) || compression != 0) {
        error = "only uncompressed 24- and 32-bit BMP files are read";
        return false;
    }
    uint64_t bytesPerPixel = bits / 8u;
    uint64_t stride = BitmapRowBytes(static_cast<uint32_t>(width), bits);
    if (!BitmapRowsFit(offset, stride, static_cast<uint64_t>(height), size)) {
        error = "BMP pixel data runs past the end of the file";
        return false;
    }
    picture.width = width;
    picture.height = static_cast<int32_t>(height);
    picture.rgb.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * 3, 0);
    for (int64_t y = 0; y < height; ++y) {
        int64_t sourceRow = topDown ? y : height - 1 - y;
        const uint8_t* row = data + offset + static_cast<size_t>(sourceRow) * stride;
        uint8_t* out = picture.rgb.data() + static_cast<size_t>(y) * static_cast<size_t>(width) * 3;
        for (int32_t x = 0; x < width; ++x) {
            const uint8_t* p = row + static_cast<size_t>(x) * bytesPerPixel;
            out[3 * x + 0] = p[2];
            out[3 * x + 1] = p[1];
            out[3 * x + 2] = p[0];
        }
    }
    return true;
}

bool ReadBmpFile(const std::string& path, Picture& picture, std::string& error) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, MAX_BMP_BYTES, bytes, error)) return false;
    if (!DecodeBmp(bytes.data(), bytes.size(), picture, error)) {
        error = "'" + path + "': " + error;
        return false;
    }
    return true;
}

void BuildMagneticTrack(const uint8_t block[SIM_IX_BLOCK_BYTES], uint8_t track[SIM_TRACK_BYTES]) {
    // The recorded bytes of a block, in the order the camera writes them:
    // the fixed head, then the items its kind and presence flags call for.
    uint8_t span[SIM_IX_BLOCK_BYTES];
    size_t n = 0;
    auto put = [&](size_t from, size_t to) {
        for (size_t i = from; i <= to && n < sizeof span; ++i) span[n++] = block[i];
    };
    uint8_t kind = block[1] & 0x7F, flags = block[2] & 0x7F;
    bool dated = kind == 12 || kind == 11 || kind == 13 || kind == 6;
    bool withOptionals = dated || kind == 23;
    put(0, 3);
    if (dated) put(4, 9);
    if (kind == 11 || kind == 13) put(10, 10);
    if (withOptionals) {
        if (flags & 1) put(11, 11);
        if (flags & 2) put(12, 12);
    }
    if (kind == 13 || kind == 6 || kind == 23) {
        if (flags & 4) put(13, 13);
        if (flags & 8) put(14, 14);
    }
    if (kind == 12 || kind == 11) {
        if (flags & 4) put(14, 14);
        if (flags & 8) put(15, 15);
    }
    if (kind == 23 && (flags & 16)) put(15, 15);
    if (dated && (flags & 16)) put(16, 19);
    if (withOptionals && (flags & 32)) put(20, 21);
    if (kind == 10) {
        if (flags & 1) put(22, 23);
        if (flags & 2) put(24, 24);
        if (flags & 4) put(25, 25);
        if (flags & 8) put(26, 26);
        if (flags & 16) put(27, 27);
        if (flags & 32) put(28, 29);
    }
    if (kind == 7) {
        if (flags & 1) put(4, 8);
        if (flags & 2) put(30, 30);
    }
    put(31, 31);
    std::memset(track, 0, SIM_TRACK_BYTES);
    size_t at = 0;
    for (int copy = 0; copy < 3 && at + n + 4 <= SIM_TRACK_BYTES; ++copy) {
        track[at++] = 0x02;
        track[at++] = 0x03;
        std::memcpy(track + at, span, n);
        at += n;
        track[at++] = 0x04;
        track[at++] = 0x05;
    }
}
