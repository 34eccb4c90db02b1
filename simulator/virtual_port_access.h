// The virtual scanner behind the link's PortAccess seam, on a virtual clock,
// for native tests: every port read or write and every tick-count read
// advances the clock by 1 us, a busy loop of n iterations by n us (an empty
// iteration costs as much as a tick read). Time-outs therefore pass in
// virtual time and take no real time. Portable.
//
// Usage:
//   VirtualHarness harness;
//   ScannerConfig config;            // adjust as wanted
//   PortAccess access = MakeVirtualPortAccess(harness);
//   VirtualScannerInit(harness.scanner, config);
//   SetPortAccess(&access);          // ... run the link ...
//   SetPortAccess(nullptr);
// The harness must outlive the access record and must not move once made.
#pragma once

#include <cstdint>

#include "simulator/virtual_scanner.h"
#include "source/scanner/port_access.h"

struct VirtualHarness {
    VirtualScanner scanner;
    uint64_t microseconds = 0;
    int32_t keyboardSubtype = 0;  // GetKeyboardType(1): 0 a PC/AT, 0x0D01..0x0D07 an NEC PC-98
};

// Points the scanner's clock at the harness and answers the access record.
PortAccess MakeVirtualPortAccess(VirtualHarness& harness);
