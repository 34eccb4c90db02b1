// The byte-level link to the scanner over the parallel port: the host clocks
// bits out on two control lines (nAutoFd clock, nSelectIn data, with nInit as
// the select line) and reads the scanner's answer four bits at a time on the
// upper status lines; status bit 3 (nFault) is the scanner's handshake.
// Portable: the port is reached only through port_access.h.
//
// Every operation returns 1 on success and 0 on a time-out, and every failure
// leaves the port idle (CONTROL_IDLE). Every wait is a deadline on the tick
// count (the bounds below), never a number of status reads. The caller holds
// the port (opens "LPT1") and runs InitialiseLink first.
//
// Calling order: a command is SelectScanner (the status command:
// SelectScannerWhenIdle), SendByte per byte, FinishCommand, Delay(10000); a
// reply continues with BeginDataPhase, ReadTriple per triple, ReleasePort,
// Delay(10000). A scan line is BeginDataPhase, ReadPixelTriple per pixel,
// EndLine; a scan ends with EndScan.
#pragma once

#include <cstdint>

// Control register values. Bit 5 keeps the data lines as inputs; bits 0, 1
// and 3 drive inverted lines, so a 1 pulls nStrobe, nAutoFd or nSelectIn low.
constexpr uint8_t CONTROL_IDLE = 0x24;        // nInit high: between transactions
constexpr uint8_t CONTROL_SELECT = 0x20;      // selected, clock released, data 1
constexpr uint8_t CONTROL_CLOCK_ONE = 0x22;   // clock low, data 1
constexpr uint8_t CONTROL_CLOCK_ZERO = 0x2A;  // clock low, data 0; first half of a nibble read
constexpr uint8_t CONTROL_ZERO = 0x28;        // clock released, data 0; second half of a nibble read
constexpr uint8_t CONTROL_RESET = 0x21;       // nStrobe low: reset pulse

constexpr uint8_t HANDSHAKE = 0x08;  // status bit 3

// Bounds of the handshake waits, in milliseconds on the tick count.
constexpr uint32_t SELECT_TIMEOUT_MS = 1000;   // a selection answered
constexpr uint32_t RESET_ACK_TIMEOUT_MS = 500;
constexpr uint32_t RESET_READY_TIMEOUT_MS = 6000;
// The longest a film movement keeps the scanner busy: the wait for an idle
// scanner before the status is read, and the wait for the scanner to take a
// byte (the first byte of a command sent while the film still moves waits
// for the move to end). A scanner that has gone reads high at once here.
constexpr uint32_t FILM_MOVE_TIMEOUT_MS = 7000;
// Every other wait inside a transaction: the command taken, a reply triple
// or pixel ready, the end of a line or of a scan. No live scanner keeps the
// host waiting nearly this long; running out means it stopped answering.
constexpr uint32_t HANDSHAKE_TIMEOUT_MS = 2000;
// Some answers are a level the scanner holds only for a while, not until the
// host acts: low while it takes a command, high between the end-of-scan
// signal and the scan's stop. A host thread that is not scheduled for that
// while (a busy machine) finds the level that follows. It looks for the
// brief level this long; then it goes on, and the next wait tells whether
// the scanner is still there.
constexpr uint32_t BRIEF_LEVEL_GRACE_MS = 50;

struct LinkState {
    uint16_t dataPort;
    uint16_t statusPort;
    uint16_t controlPort;
    uint16_t modePort;  // PC-98 only
    uint8_t pc98;
    uint32_t loopsPerUnit;  // empty-loop iterations per delay unit, at least 1
    // Set when the scanner stopped answering: a selection, a reset or a wait
    // inside a transaction ran out. While it is set, every operation that
    // continues a transaction (SendByte, FinishCommand, BeginDataPhase, the
    // triple reads, EndLine, EndScan) answers 0 at once with the port idle,
    // so a scan whose scanner went ends after one time-out, not one per
    // pixel. Cleared by InitialiseLink and at the start of each selection
    // and reset; commands answer 0 for a transaction that set it.
    uint8_t scannerLost;
};

extern LinkState linkState;

// Calibrates the delay, finds the port (PC-98 extended port, else the first
// of 0x278, 0x378, 0x3BC whose data register does not float at 0xFF) and
// leaves it idle. Answers 1 on a PC/AT, 0 on a PC-98.
uint8_t InitialiseLink();

// Busy delay of n units (n x loopsPerUnit empty iterations).
void Delay(uint32_t units);

uint8_t SelectScanner();          // handshake low within 1000 ms
uint8_t SelectScannerWhenIdle();  // scanner idle within 7000 ms, then as SelectScanner
// The operations below answer 0 only when the scanner stopped answering
// (scannerLost is then set); the triple reads then leave their outputs as
// they were.
uint8_t SendByte(uint8_t value);
uint8_t FinishCommand();
uint8_t BeginDataPhase(uint32_t settleUnits = 100);  // 0 only while scannerLost is set
uint8_t ReadTriple(uint8_t* b0, uint8_t* b1, uint8_t* b2);
uint8_t ReadPixelTriple(uint8_t* b0, uint8_t* b1, uint8_t* b2);
uint8_t EndLine();
uint8_t ReadStandaloneTriple(uint8_t* b0, uint8_t* b1, uint8_t* b2);
uint8_t EndScan();
uint8_t ResetScanner();  // down within 500 ms, back within 6000 ms
void ReleasePort();

// Busy wait of the given milliseconds on the tick count.
void WaitMilliseconds(uint32_t milliseconds);
