#include "source/scanner/link.h"

#include "source/scanner/port_access.h"

LinkState linkState = {0x3BC, 0x3BD, 0x3BE, 0, 0, 1, 0};

namespace {

uint8_t ReadStatusRegister() {
    const PortAccess& port = CurrentPortAccess();
    return port.readPort(port.context, linkState.statusPort);
}

// Every control value but idle is written twice: the second write holds the
// line levels long enough for the scanner's sampling.
void WriteControl(uint8_t value) {
    const PortAccess& port = CurrentPortAccess();
    port.writePort(port.context, linkState.controlPort, value);
    if (value != CONTROL_IDLE) {
        port.writePort(port.context, linkState.controlPort, value);
    }
}

uint32_t Ticks() {
    const PortAccess& port = CurrentPortAccess();
    return port.tickCount(port.context);
}

// True once the tick count is past the deadline; correct across the
// 49.7-day wrap of the tick count.
bool PastDeadline(uint32_t deadline) {
    return static_cast<int32_t>(Ticks() - deadline) > 0;
}

bool HandshakeIs(bool high) {
    return ((ReadStatusRegister() & HANDSHAKE) != 0) == high;
}

bool WaitPolls(bool high) {
    uint64_t limit = PollLimit();
    for (uint64_t i = 0; i < limit; ++i) {
        if (HandshakeIs(high)) {
            return true;
        }
    }
    return false;
}

bool WaitUntil(bool high, uint32_t deadline) {
    for (;;) {
        if (HandshakeIs(high)) {
            return true;
        }
        if (PastDeadline(deadline)) {
            return false;
        }
    }
}

// The waits that only a scanner gone mid-transaction can exhaust. They get
// the same bound as the other handshake waits and are remembered, so that the
// command reports the failure instead of carrying on.
bool WaitHighWithinTransaction() {
    if (WaitPolls(true)) {
        return true;
    }
    linkState.scannerLost = 1;
    return false;
}

uint8_t FailIdle() {
    WriteControl(CONTROL_IDLE);
    return 0;
}

// Six status reads, clocked by alternating the two nibble-read values; the
// first read of each pair carries the high nibble. Bit 7 is taken as the
// register shows it (the port inverts Busy; the scanner accounts for that).
void ReadNibbles(uint8_t* b0, uint8_t* b1, uint8_t* b2) {
    uint8_t s[6];
    for (int i = 0; i < 6; ++i) {
        WriteControl(i % 2 == 0 ? CONTROL_CLOCK_ZERO : CONTROL_ZERO);
        s[i] = ReadStatusRegister();
    }
    *b0 = static_cast<uint8_t>((s[0] & 0xF0) + (s[1] >> 4));
    *b1 = static_cast<uint8_t>((s[2] & 0xF0) + (s[3] >> 4));
    *b2 = static_cast<uint8_t>((s[4] & 0xF0) + (s[5] >> 4));
}

}  // namespace

uint64_t PollLimit() {
    return 1000000ull * linkState.loopsPerUnit;
}

void Delay(uint32_t units) {
    const PortAccess& port = CurrentPortAccess();
    uint64_t iterations = static_cast<uint64_t>(units) * linkState.loopsPerUnit;
    while (iterations > 0) {
        uint32_t chunk = iterations > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(iterations);
        port.busyLoop(port.context, chunk);
        iterations -= chunk;
    }
}

void WaitMilliseconds(uint32_t milliseconds) {
    uint32_t deadline = Ticks() + milliseconds;
    while (!PastDeadline(deadline)) {
    }
}

uint8_t InitialiseLink() {
    const PortAccess& port = CurrentPortAccess();
    // Calibration: how often the tick count can be read in 200 ms sets the
    // length of a loop iteration relative to that read.
    uint32_t deadline = Ticks() + 200;
    uint64_t reads = 0;
    while (!PastDeadline(deadline)) {
        ++reads;
    }
    uint64_t quotient = reads / 100000;
    linkState.loopsPerUnit = quotient == 0 ? 1 : static_cast<uint32_t>(quotient > 0xFFFFFFFFu ? 0xFFFFFFFFu : quotient);
    linkState.scannerLost = 0;

    int32_t subtype = port.keyboardSubtype(port.context);
    if (subtype >= 0x0D01 && subtype <= 0x0D07) {
        linkState.pc98 = 1;
        linkState.dataPort = 0x140;
        linkState.statusPort = 0x141;
        linkState.controlPort = 0x142;
        linkState.modePort = 0x149;
        port.writePort(port.context, 0x149, 0x10);
        port.writePort(port.context, 0x142, CONTROL_IDLE);
        return 0;
    }
    linkState.pc98 = 0;
    linkState.modePort = 0;
    // Probed in this order whatever port "LPT1" names: a floating bus reads
    // 0xFF, anything else means a port is there.
    uint16_t base = 0x3BC;
    if (port.readPort(port.context, 0x278) != 0xFF) {
        base = 0x278;
    } else if (port.readPort(port.context, 0x378) != 0xFF) {
        base = 0x378;
    }
    linkState.dataPort = base;
    linkState.statusPort = static_cast<uint16_t>(base + 1);
    linkState.controlPort = static_cast<uint16_t>(base + 2);
    WriteControl(CONTROL_IDLE);
    return 1;
}

uint8_t SelectScanner() {
    linkState.scannerLost = 0;
    WriteControl(CONTROL_SELECT);
    bool selected = WaitUntil(false, Ticks() + 1000);
    if (!selected) {
        WriteControl(CONTROL_IDLE);
    }
    Delay(10000);
    return selected ? 1 : 0;
}

uint8_t SelectScannerWhenIdle() {
    linkState.scannerLost = 0;
    WriteControl(CONTROL_SELECT);
    bool selected = WaitUntil(true, Ticks() + 7000) && WaitUntil(false, Ticks() + 1000);
    if (!selected) {
        WriteControl(CONTROL_IDLE);
    }
    Delay(10000);
    return selected ? 1 : 0;
}

uint8_t SendByte(uint8_t value) {
    WriteControl(CONTROL_CLOCK_ONE);
    if (!WaitHighWithinTransaction()) {
        return FailIdle();
    }
    for (int bit = 7; bit >= 0; --bit) {
        if ((value >> bit) & 1) {
            WriteControl(CONTROL_CLOCK_ONE);
            Delay(10);
            WriteControl(CONTROL_SELECT);
        } else {
            WriteControl(CONTROL_CLOCK_ZERO);
            Delay(10);
            WriteControl(CONTROL_ZERO);
        }
        Delay(10);
    }
    WriteControl(CONTROL_SELECT);
    Delay(100);
    return 1;
}

uint8_t FinishCommand() {
    if (!WaitPolls(false)) {
        return FailIdle();
    }
    if (!WaitHighWithinTransaction()) {
        return FailIdle();
    }
    WriteControl(CONTROL_IDLE);
    Delay(5000);
    return 1;
}

uint8_t BeginDataPhase(uint32_t settleUnits) {
    WriteControl(CONTROL_SELECT);
    Delay(settleUnits);
    return 1;
}

// The data-phase read of one triple; with `waitReady` it also waits for
// the scanner to prepare the next one before handing the bytes over.
static uint8_t ReadDataTriple(uint8_t* b0, uint8_t* b1, uint8_t* b2, bool waitReady) {
    if (!WaitPolls(false)) {
        return FailIdle();
    }
    uint8_t r0, r1, r2;
    ReadNibbles(&r0, &r1, &r2);
    WriteControl(CONTROL_SELECT);
    if (waitReady && !WaitHighWithinTransaction()) {
        return FailIdle();
    }
    *b0 = r0;
    *b1 = r1;
    *b2 = r2;
    return 1;
}

uint8_t ReadPixelTriple(uint8_t* b0, uint8_t* b1, uint8_t* b2) {
    return ReadDataTriple(b0, b1, b2, false);
}

uint8_t ReadTriple(uint8_t* b0, uint8_t* b1, uint8_t* b2) {
    return ReadDataTriple(b0, b1, b2, true);
}

uint8_t EndLine() {
    if (!WaitPolls(false)) {
        return FailIdle();
    }
    uint8_t dropped[3];
    ReadNibbles(&dropped[0], &dropped[1], &dropped[2]);
    WriteControl(CONTROL_IDLE);
    Delay(5000);
    return 1;
}

uint8_t ReadStandaloneTriple(uint8_t* b0, uint8_t* b1, uint8_t* b2) {
    WriteControl(CONTROL_SELECT);
    Delay(100);
    if (!WaitPolls(false)) {
        return FailIdle();
    }
    uint8_t r0, r1, r2;
    ReadNibbles(&r0, &r1, &r2);
    WriteControl(CONTROL_IDLE);
    *b0 = r0;
    *b1 = r1;
    *b2 = r2;
    return 1;
}

uint8_t EndScan() {
    WriteControl(CONTROL_SELECT);
    if (!WaitPolls(false)) {
        return FailIdle();
    }
    // nSelectIn rises while the clock is held low, which no byte transfer
    // does: the scanner's signal that the scan ends here.
    WriteControl(CONTROL_CLOCK_ZERO);
    Delay(20);
    WriteControl(CONTROL_CLOCK_ONE);
    if (!WaitHighWithinTransaction() || !WaitPolls(false)) {
        return FailIdle();
    }
    WriteControl(CONTROL_SELECT);
    if (!WaitHighWithinTransaction()) {
        return FailIdle();
    }
    WriteControl(CONTROL_IDLE);
    return 1;
}

uint8_t ResetScanner() {
    WriteControl(CONTROL_RESET);
    Delay(5000);
    WriteControl(CONTROL_SELECT);
    bool back = WaitUntil(false, Ticks() + 500) && WaitUntil(true, Ticks() + 6000);
    WriteControl(CONTROL_IDLE);
    Delay(10000);
    return back ? 1 : 0;
}

void ReleasePort() {
    WriteControl(CONTROL_IDLE);
}
