#include "simulator/virtual_port_access.h"

namespace {

VirtualHarness& HarnessOf(void* context) {
    return *static_cast<VirtualHarness*>(context);
}

uint64_t HarnessClock(void* context) {
    return HarnessOf(context).microseconds;
}

uint8_t HarnessRead(void* context, uint16_t address) {
    VirtualHarness& h = HarnessOf(context);
    h.microseconds += 1;
    return VirtualScannerRead(h.scanner, address);
}

void HarnessWrite(void* context, uint16_t address, uint8_t value) {
    VirtualHarness& h = HarnessOf(context);
    h.microseconds += 1;
    VirtualScannerWrite(h.scanner, address, value);
}

uint32_t HarnessTicks(void* context) {
    VirtualHarness& h = HarnessOf(context);
    h.microseconds += 1;
    return static_cast<uint32_t>(h.microseconds / 1000);
}

void HarnessLoop(void* context, uint32_t iterations) {
    HarnessOf(context).microseconds += iterations;
}

int32_t HarnessKeyboard(void* context) {
    return HarnessOf(context).keyboardSubtype;
}

}  // namespace

PortAccess MakeVirtualPortAccess(VirtualHarness& harness) {
    harness.scanner.clock = HarnessClock;
    harness.scanner.clockContext = &harness;
    return {HarnessRead, HarnessWrite, HarnessTicks, HarnessLoop, HarnessKeyboard, &harness};
}
