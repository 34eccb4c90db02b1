#include "tests/unit/port_log.h"

#include <cinttypes>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <unordered_map>

namespace {

// The shortest copy worth a line of its own, and the ops a match key spans.
constexpr size_t MIN_COPY = 4;
constexpr size_t KEY_OPS = 8;
// Periods tried at every position besides the last place with the same key:
// the polling loops repeat with short periods the key table may miss.
constexpr size_t MAX_PERIOD = 64;
// A bound on a decoded log, so that a damaged count cannot exhaust memory.
constexpr uint64_t MAX_OPS = uint64_t{1} << 26;

std::string Hex(uint64_t value, int digits) {
    char text[24];
    std::snprintf(text, sizeof text, "%0*" PRIx64, digits, value);
    return text;
}

// Ticks become differences so that a polling loop's lines repeat although
// the clock moves.
std::vector<PortOp> TicksAsDifferences(const std::vector<PortOp>& ops) {
    std::vector<PortOp> out = ops;
    uint32_t previous = 0;
    for (PortOp& op : out) {
        if (op.kind != 'T') continue;
        uint32_t absolute = op.value;
        op.value = absolute - previous;
        previous = absolute;
    }
    return out;
}

std::string OpLine(const PortOp& op) {
    switch (op.kind) {
    case 'R':
    case 'W': return std::string(1, op.kind) + " " + Hex(op.address, 4) + " " + Hex(op.value, 2);
    case 'T': return "T +" + Hex(op.value, 1);
    default: return "K " + Hex(op.value, 1);
    }
}

uint64_t OpKey(const PortOp& op) {
    return (static_cast<uint64_t>(static_cast<uint8_t>(op.kind)) << 48) | (static_cast<uint64_t>(op.address) << 32) |
           op.value;
}

uint64_t WindowKey(const std::vector<PortOp>& d, size_t at) {
    uint64_t key = 1469598103934665603ull;
    for (size_t k = 0; k < KEY_OPS; ++k) key = (key ^ OpKey(d[at + k])) * 1099511628211ull;
    return key;
}

size_t MatchLength(const std::vector<PortOp>& d, size_t at, size_t distance) {
    size_t length = 0;
    while (at + length < d.size() && d[at + length] == d[at + length - distance]) ++length;
    return length;
}

bool ParseHex(const std::string& word, uint64_t limit, uint64_t& value) {
    if (word.empty() || word.size() > 16) return false;
    value = 0;
    for (char c : word) {
        int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (digit < 0) return false;
        value = value * 16 + static_cast<uint64_t>(digit);
    }
    return value <= limit;
}

}  // namespace

bool operator==(const PortOp& a, const PortOp& b) {
    return a.kind == b.kind && a.address == b.address && a.value == b.value;
}

std::string FormatPortOp(const PortOp& op) {
    switch (op.kind) {
    case 'R':
    case 'W': return std::string(1, op.kind) + " " + Hex(op.address, 4) + " " + Hex(op.value, 2);
    case 'T': return "T " + Hex(op.value, 8);
    case 'K': return "K " + Hex(op.value, 8);
    default: return "? " + Hex(static_cast<uint8_t>(op.kind), 2);
    }
}

std::string EncodePortLog(const std::vector<PortOp>& ops, const std::vector<std::string>& comment) {
    std::string text;
    for (const std::string& line : comment) text += "# " + line + "\n";
    const std::vector<PortOp> d = TicksAsDifferences(ops);
    std::unordered_map<uint64_t, size_t> lastAt;  // window key -> latest start
    size_t keyed = 0;                            // positions [0, keyed) are in lastAt
    size_t i = 0;
    while (i < d.size()) {
        size_t run = 1;
        while (i + run < d.size() && d[i + run] == d[i]) ++run;
        size_t bestLength = 0, bestDistance = 0;
        for (size_t p = 2; p <= MAX_PERIOD && p <= i; ++p) {
            size_t length = MatchLength(d, i, p);
            if (length > bestLength) bestLength = length, bestDistance = p;
        }
        if (i + KEY_OPS <= d.size()) {
            auto found = lastAt.find(WindowKey(d, i));
            if (found != lastAt.end()) {
                size_t length = MatchLength(d, i, i - found->second);
                if (length > bestLength) bestLength = length, bestDistance = i - found->second;
            }
        }
        size_t step = 1;
        if (bestLength >= MIN_COPY && bestLength > run) {
            text += "@ " + Hex(bestDistance, 1) + " " + Hex(bestLength, 1) + "\n";
            step = bestLength;
        } else if (run >= 2) {
            text += OpLine(d[i]) + " *" + Hex(run, 1) + "\n";
            step = run;
        } else {
            text += OpLine(d[i]) + "\n";
        }
        i += step;
        for (; keyed < i && keyed + KEY_OPS <= d.size(); ++keyed) lastAt[WindowKey(d, keyed)] = keyed;
    }
    return text;
}

bool DecodePortLog(const std::string& text, std::vector<PortOp>& ops, std::string& error) {
    ops.clear();
    std::vector<PortOp> d;  // ticks as differences until the end
    std::istringstream in(text);
    std::string line;
    for (size_t number = 1; std::getline(in, line); ++number) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        std::string kind, a, b, c, extra;
        words >> kind >> a >> b >> c >> extra;
        bool ok = extra.empty();
        uint64_t first = 0, second = 0, count = 1;
        PortOp op = {};
        std::string repeat;
        if (ok && kind == "@") {
            ok = ParseHex(a, MAX_OPS, first) && ParseHex(b, MAX_OPS - d.size(), second) && c.empty() &&
                 first > 0 && second > 0 && first <= d.size();
            if (ok) {
                size_t from = d.size() - first;
                for (uint64_t k = 0; k < second; ++k) {
                    PortOp copy = d[from + k];  // the copy may reach what it appends
                    d.push_back(copy);
                }
            }
        } else if (ok && (kind == "R" || kind == "W")) {
            ok = ParseHex(a, 0xFFFF, first) && ParseHex(b, 0xFF, second);
            op = {kind[0], static_cast<uint16_t>(first), static_cast<uint32_t>(second)};
            repeat = c;
        } else if (ok && (kind == "T" || kind == "K")) {
            bool plus = kind == "T" && a.size() > 1 && a[0] == '+';
            ok = (kind == "T") == plus && ParseHex(plus ? a.substr(1) : a, 0xFFFFFFFFu, first) && c.empty();
            op = {kind[0], 0, static_cast<uint32_t>(first)};
            repeat = b;
        } else {
            ok = false;
        }
        if (ok && kind != "@") {
            if (!repeat.empty()) ok = repeat[0] == '*' && ParseHex(repeat.substr(1), MAX_OPS - d.size(), count) && count > 0;
            if (ok) d.insert(d.end(), count, op);
        }
        if (!ok) {
            error = "line " + std::to_string(number) + ": " + line;
            break;
        }
    }
    uint32_t tick = 0;
    for (PortOp& op : d) {
        if (op.kind != 'T') continue;
        tick += op.value;
        op.value = tick;
    }
    ops = std::move(d);
    return error.empty();
}

PortAccess PortRecorder::Access() {
    PortAccess access = {};
    access.context = this;
    access.readPort = [](void* c, uint16_t address) {
        auto* r = static_cast<PortRecorder*>(c);
        uint8_t value = r->inner.readPort(r->inner.context, address);
        r->ops.push_back({'R', address, value});
        return value;
    };
    access.writePort = [](void* c, uint16_t address, uint8_t value) {
        auto* r = static_cast<PortRecorder*>(c);
        r->inner.writePort(r->inner.context, address, value);
        r->ops.push_back({'W', address, value});
    };
    access.tickCount = [](void* c) {
        auto* r = static_cast<PortRecorder*>(c);
        uint32_t ticks = r->inner.tickCount(r->inner.context);
        r->ops.push_back({'T', 0, ticks});
        return ticks;
    };
    access.busyLoop = [](void* c, uint32_t iterations) {
        auto* r = static_cast<PortRecorder*>(c);
        r->inner.busyLoop(r->inner.context, iterations);
    };
    access.keyboardSubtype = [](void* c) {
        auto* r = static_cast<PortRecorder*>(c);
        int32_t subtype = r->inner.keyboardSubtype(r->inner.context);
        r->ops.push_back({'K', 0, static_cast<uint32_t>(subtype)});
        return subtype;
    };
    return access;
}

uint32_t PortReplay::Take(const PortOp& got) {
    if (failure.empty() && next < ops.size()) {
        const PortOp& expected = ops[next];
        bool same = expected.kind == got.kind && expected.address == got.address &&
                    (got.kind != 'W' || expected.value == got.value);
        if (same) {
            ++next;
            if (got.kind == 'T') lastTick = expected.value;
            return expected.value;
        }
        std::string report = "operation " + std::to_string(next) + ": expected " + FormatPortOp(expected) +
                             ", got " + FormatPortOp(got) + (got.kind == 'R' ? " (value not yet given)" : "") +
                             "\nthe log around it:\n";
        size_t from = next >= 4 ? next - 4 : 0;
        for (size_t k = from; k < ops.size() && k <= next + 4; ++k) {
            report += (k == next ? "  > " : "    ") + std::to_string(k) + "  " + FormatPortOp(ops[k]) + "\n";
        }
        failure = report;
    } else if (failure.empty()) {
        failure = "operation " + std::to_string(next) + ": the log has ended, got " + FormatPortOp(got) + "\n";
    }
    if (got.kind == 'T') {
        lastTick += 1000;
        return lastTick;
    }
    return got.kind == 'R' ? 0xFF : 0;
}

PortAccess PortReplay::Access() {
    PortAccess access = {};
    access.context = this;
    access.readPort = [](void* c, uint16_t address) {
        return static_cast<uint8_t>(static_cast<PortReplay*>(c)->Take({'R', address, 0}));
    };
    access.writePort = [](void* c, uint16_t address, uint8_t value) {
        static_cast<PortReplay*>(c)->Take({'W', address, value});
    };
    access.tickCount = [](void* c) { return static_cast<PortReplay*>(c)->Take({'T', 0, 0}); };
    access.busyLoop = [](void*, uint32_t) {};
    access.keyboardSubtype = [](void* c) { return static_cast<int32_t>(static_cast<PortReplay*>(c)->Take({'K', 0, 0})); };
    return access;
}

std::string PortReplay::Verdict() const {
    if (!failure.empty()) return failure;
    if (next < ops.size()) {
        return "operation " + std::to_string(next) + ": the host stopped; the log goes on with " +
               FormatPortOp(ops[next]) + " (" + std::to_string(ops.size() - next) + " operations left)\n";
    }
    return "";
}

bool ReadTextFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream content;
    content << in.rdbuf();
    text = content.str();
    return true;
}

bool WriteTextFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    return static_cast<bool>(out);
}
