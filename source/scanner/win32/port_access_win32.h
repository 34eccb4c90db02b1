// The Windows means of reaching the printer port, chosen by the settings:
//   PORT_ACCESS  "DIRECT": the processor's in/out instructions (Windows 9x);
//                "DRIVER": a port driver DLL with the inpout32 interface
//                (Inp32/Out32), the usual means on the NT family;
//                absent or anything else: DIRECT on the 9x family, DRIVER on
//                NT, where a user program may not touch ports itself.
//   PORT_DRIVER  the driver DLL's file name (default "inpout32.dll"); the
//                virtual scanner is one such DLL, a real driver another.
// When the chosen means is not available (no driver DLL, or direct port
// instructions that fault) the link sees a floating bus, so the scanner is
// reported as not found; nothing crashes.
#pragma once

#include <windows.h>

// Holds the port for one scanner operation: opens "LPT1" (read and write, no
// sharing, existing only) to keep a printer driver off it, and points the
// link at the chosen means. The file need not exist (the virtual scanner has
// none). The destructor closes the file; the means stays loaded for the next
// operation.
class ScopedScannerPort {
public:
    ScopedScannerPort();
    ~ScopedScannerPort();
    ScopedScannerPort(const ScopedScannerPort&) = delete;
    ScopedScannerPort& operator=(const ScopedScannerPort&) = delete;

    // False when no means of port access could be had.
    bool Available() const { return available; }

private:
    HANDLE portFile;
    bool available;
};

// Unloads the port driver DLL; the source does this when it is closed.
void ReleasePortDriver();
