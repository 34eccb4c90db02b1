// The one seam between the scanner link and the machine: reading and writing
// port registers, the millisecond tick count, the busy loop that paces the
// signals, and the keyboard subtype that tells an NEC PC-98 from a PC/AT.
// Portable: no Windows headers.
//
// Three implementations plug in here: direct port I/O and a port driver DLL
// with the inpout32 interface (the Windows shell, port_access_win32.cpp), and
// the virtual scanner with a virtual clock (simulator/, for native tests).
#pragma once

#include <cstdint>

struct PortAccess {
    uint8_t (*readPort)(void* context, uint16_t address);
    void (*writePort)(void* context, uint16_t address, uint8_t value);
    uint32_t (*tickCount)(void* context);                   // milliseconds, wrapping
    void (*busyLoop)(void* context, uint32_t iterations);  // empty counting loop
    int32_t (*keyboardSubtype)(void* context);             // GetKeyboardType(1)
    void* context;
};

// The means the link uses from now on; the record must outlive its use.
// Null restores the default, which reads 0xFF from every port (no scanner).
void SetPortAccess(const PortAccess* access);
const PortAccess& CurrentPortAccess();
