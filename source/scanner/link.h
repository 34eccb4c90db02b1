// The byte-level link to the scanner over the parallel port: the host clocks
// bits out on two control lines (nAutoFd clock, nSelectIn data, with nInit as
// the select line) and reads the scanner's answer four bits at a time on the
// upper status lines; status bit 3 (nFault) is the scanner's handshake.
// Portable: the port is reached only through port_access.h.
//
// Every operation returns 1 on success and 0 on a time-out, and every failure
// leaves the port idle (CONTROL_IDLE). The caller holds the port (opens
// "LPT1") and runs InitialiseLink first.
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

struct LinkState {
    uint16_t dataPort;
    uint16_t statusPort;
    uint16_t controlPort;
    uint16_t modePort;  // PC-98 only
    uint8_t pc98;
    uint32_t loopsPerUnit;  // empty-loop iterations per delay unit, at least 1
    // Set when a wait that only a vanished scanner can exhaust ran out (the
    // waits for the handshake to rise inside a transaction); cleared by each
    // selection. Commands report such a transaction as failed.
    uint8_t scannerLost;
};

extern LinkState linkState;

// Calibrates the delay, finds the port (PC-98 extended port, else the first
// of 0x278, 0x378, 0x3BC whose data register does not float at 0xFF) and
// leaves it idle. Answers 1 on a PC/AT, 0 on a PC-98.
uint8_t InitialiseLink();

// Busy delay of n units (n x loopsPerUnit empty iterations).
void Delay(uint32_t units);

// The bound of every handshake wait after a selection: 1 000 000 status
// reads per loop unit, so it scales with the machine like the delays.
uint64_t PollLimit();

uint8_t SelectScanner();          // handshake low within 1000 ms
uint8_t SelectScannerWhenIdle();  // handshake high within 7000 ms, then as SelectScanner
uint8_t SendByte(uint8_t value);  // 0 only when the scanner stopped answering
uint8_t FinishCommand();
uint8_t BeginDataPhase(uint32_t settleUnits = 100);
uint8_t ReadTriple(uint8_t* b0, uint8_t* b1, uint8_t* b2);
uint8_t ReadPixelTriple(uint8_t* b0, uint8_t* b1, uint8_t* b2);
uint8_t EndLine();
uint8_t ReadStandaloneTriple(uint8_t* b0, uint8_t* b1, uint8_t* b2);
uint8_t EndScan();
uint8_t ResetScanner();
void ReleasePort();

// Busy wait of the given milliseconds on the tick count.
void WaitMilliseconds(uint32_t milliseconds);
