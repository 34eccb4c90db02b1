// Transaction logs of the port: what the host did at the PortAccess seam and
// what it was answered, so that a recorded session can be replayed against
// the host's code without a scanner model behind it.
//
// A log is the sequence of port operations: register reads with the value
// the scanner gave, register writes with their value, tick-count reads with
// the count answered, keyboard-subtype reads with the subtype. Busy loops
// are pacing, not traffic: they are passed on while recording and neither
// logged nor checked.
//
// Text form (tests/unit/golden/README.md), one operation a line, hex:
//   R 0379 78        read of register 0379, answered 78
//   W 037a 04        write of 04 to register 037a
//   T +c8            tick read: the count is the previous tick read's + c8
//                    (modulo 2^32; the first is counted from 0)
//   K 0              keyboard subtype read, answered 0
//   R 0379 78 *12    that operation 12 times in a row
//   @ 1f4 36         36 operations copied one by one from 1f4 back (the
//                    copy may overlap what it writes: @ 6 60 repeats the
//                    last six operations ten times)
// Lines starting with '#' and empty lines are comments.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "source/scanner/port_access.h"

struct PortOp {
    char kind;         // 'R', 'W', 'T', 'K'
    uint16_t address;  // R and W
    uint32_t value;    // the byte read or written, the tick count, the subtype
};

bool operator==(const PortOp& a, const PortOp& b);

// One operation as the report shows it: "W 037a 04", "T 000000c8".
std::string FormatPortOp(const PortOp& op);

// The text form of `ops`, after `comment` lines (each given line is
// prefixed with "# ").
std::string EncodePortLog(const std::vector<PortOp>& ops, const std::vector<std::string>& comment);
// Answers false with `error` naming the line when the text is malformed
// (an unknown line, a copy reaching before the start, a count of zero);
// `ops` then holds what was decoded before it.
bool DecodePortLog(const std::string& text, std::vector<PortOp>& ops, std::string& error);

// Records every operation passed to `inner`; the record must not move while
// its access record is in use.
struct PortRecorder {
    PortAccess inner = {};
    std::vector<PortOp> ops;

    PortAccess Access();
};

// Answers the host from a log and checks it against it. A read answers the
// logged value once its kind and address match; a write must match kind,
// address and value; tick and subtype reads must come where the log has
// them. The first difference is kept in `failure` (operation index, expected
// and got in hex, the log around it); from then on, and past the log's end,
// reads answer FF and the tick count jumps a second at each read, so that
// the host's waits run out instead of hanging.
struct PortReplay {
    std::vector<PortOp> ops;
    size_t next = 0;
    std::string failure;
    uint32_t lastTick = 0;

    PortAccess Access();
    // The failure, or if none, what remains unreplayed as one; empty when
    // the host did exactly what the log holds.
    std::string Verdict() const;

    // Internal: takes one operation, answering the value to give.
    uint32_t Take(const PortOp& got);
};

bool ReadTextFile(const std::string& path, std::string& text);
bool WriteTextFile(const std::string& path, const std::string& text);
