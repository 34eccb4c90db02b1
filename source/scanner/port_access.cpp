#include "source/scanner/port_access.h"

namespace {

uint8_t FloatingBus(void*, uint16_t) {
    return 0xFF;
}
void IgnoreWrite(void*, uint16_t, uint8_t) {}
// Without a clock of its own the default still moves on, so that every
// deadline passes.
uint32_t CountingTicks(void*) {
    static uint32_t ticks = 0;
    return ++ticks;
}
void NoLoop(void*, uint32_t) {}
int32_t PcAtKeyboard(void*) {
    return 0;
}

constexpr PortAccess NO_PORT = {FloatingBus, IgnoreWrite, CountingTicks, NoLoop, PcAtKeyboard, nullptr};
const PortAccess* currentAccess = &NO_PORT;

}  // namespace

void SetPortAccess(const PortAccess* access) {
    currentAccess = access != nullptr ? access : &NO_PORT;
}

const PortAccess& CurrentPortAccess() {
    return *currentAccess;
}
