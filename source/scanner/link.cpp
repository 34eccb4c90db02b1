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

// Polls until the handshake reads `high`; false once the tick count is past
// now + milliseconds.
bool WaitFor(bool high, uint32_t milliseconds) {
    uint32_t deadline = Ticks() + milliseconds;
    for (;;) {
        if (HandshakeIs(high)) {
            return true;
        }
        if (PastDeadline(deadline)) {
            return false;
        }
    }
}

uint8_t FailIdle() {
    WriteControl(CONTROL_IDLE);
    return 0;
}

// A wait whose running out means the scanner stopped answering.
bool WaitOrLose(bool high, uint32_t milliseconds) {
    if (WaitFor(high, milliseconds)) {
        return true;
    }
    linkState.scannerLost = 1;
    return false;
}

// Six status reads, clocked by alternating the two nibble-read values; the
// first read of each pair carries the high nibble. Bit 7 is taken as the
// register shows it (the port inverts Busy; the scanner accounts for that).
// Answers the last status read, taken with the clock released after the
// third byte.
uint8_t ReadNibbles(uint8_t* b0, uint8_t* b1, uint8_t* b2) {
    uint8_t s[6];
    for (int i = 0; i < 6; ++i) {
        WriteControl(i % 2 == 0 ? CONTROL_CLOCK_ZERO : CONTROL_ZERO);
        s[i] = ReadStatusRegister();
    }
    *b0 = static_cast<uint8_t>((s[0] & 0xF0) + (s[1] >> 4));
    *b1 = static_cast<uint8_t>((s[2] & 0xF0) + (s[3] >> 4));
    *b2 = static_cast<uint8_t>((s[4] & 0xF0) + (s[5] >> 4));
    return s[5];
}

}  // namespace

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
    bool selected = WaitFor(false, SELECT_TIMEOUT_MS);
    if (!selected) {
        WriteControl(CONTROL_IDLE);
        linkState.scannerLost = 1;
    }
    Delay(10000);
    return selected ? 1 : 0;
}

uint8_t SelectScannerWhenIdle() {
    linkState.scannerLost = 0;
    // An idle scanner shows its handshake high, and once selected drops it
    // soon after; a busy one (a film still moving) shows it low. The rise is
    // awaited before selecting, while it holds: selected, a scanner that
    // comes free shows it high only for that short while, and a host not
    // scheduled then would find only the drop and wait for a rise that
    // never comes.
    bool idle = HandshakeIs(true) || WaitFor(true, FILM_MOVE_TIMEOUT_MS);
    WriteControl(CONTROL_SELECT);
    bool selected = idle && WaitFor(false, SELECT_TIMEOUT_MS);
    if (!selected) {
        WriteControl(CONTROL_IDLE);
        linkState.scannerLost = 1;
    }
    Delay(10000);
    return selected ? 1 : 0;
}

uint8_t SendByte(uint8_t value) {
    if (linkState.scannerLost) {
        return FailIdle();
    }
    WriteControl(CONTROL_CLOCK_ONE);
    if (!WaitOrLose(true, FILM_MOVE_TIMEOUT_MS)) {
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
    if (linkState.scannerLost) {
        return FailIdle();
    }
    // The handshake drops as the scanner takes the last byte and rises once
    // the command is taken. Still high after the grace, it rose while the
    // host was not looking, or the scanner has gone and its lines float
    // high; the reply's first triple or the next selection tells which.
    if (WaitFor(false, BRIEF_LEVEL_GRACE_MS) && !WaitOrLose(true, HANDSHAKE_TIMEOUT_MS)) {
        return FailIdle();
    }
    WriteControl(CONTROL_IDLE);
    Delay(5000);
    return 1;
}

uint8_t BeginDataPhase(uint32_t settleUnits) {
    if (linkState.scannerLost) {
        return 0;
    }
    WriteControl(CONTROL_SELECT);
    Delay(settleUnits);
    return 1;
}

// The data-phase read of one triple; with `waitReady` it also waits for
// the scanner to take it before handing the bytes over.
static uint8_t ReadDataTriple(uint8_t* b0, uint8_t* b1, uint8_t* b2, bool waitReady) {
    if (linkState.scannerLost || !WaitOrLose(false, HANDSHAKE_TIMEOUT_MS)) {
        return FailIdle();
    }
    uint8_t r0, r1, r2;
    // The scanner raises the handshake as the host takes the last nibble,
    // and drops it again for the next triple soon after the data line
    // rises; a host not scheduled in between would miss that rise. The last
    // nibble's read already shows it.
    bool taken = (ReadNibbles(&r0, &r1, &r2) & HANDSHAKE) != 0;
    WriteControl(CONTROL_SELECT);
    if (waitReady && !taken && !WaitOrLose(true, HANDSHAKE_TIMEOUT_MS)) {
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
    if (linkState.scannerLost || !WaitOrLose(false, HANDSHAKE_TIMEOUT_MS)) {
        return FailIdle();
    }
    uint8_t dropped[3];
    ReadNibbles(&dropped[0], &dropped[1], &dropped[2]);
    WriteControl(CONTROL_IDLE);
    Delay(5000);
    return 1;
}

uint8_t ReadStandaloneTriple(uint8_t* b0, uint8_t* b1, uint8_t* b2) {
    if (linkState.scannerLost) {
        return FailIdle();
    }
    WriteControl(CONTROL_SELECT);
    Delay(100);
    if (!WaitOrLose(false, HANDSHAKE_TIMEOUT_MS)) {
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
    if (linkState.scannerLost) {
        return FailIdle();
    }
    WriteControl(CONTROL_SELECT);
    if (!WaitOrLose(false, HANDSHAKE_TIMEOUT_MS)) {
        return FailIdle();
    }
    // nSelectIn rises while the clock is held low, which no byte transfer
    // does: the scanner's signal that the scan ends here. It answers high,
    // then low once the scan has stopped, and holds that low until the
    // clock is released. A host that missed the high finds the low; the
    // rise after the release shows that the scanner is still there.
    WriteControl(CONTROL_CLOCK_ZERO);
    Delay(20);
    WriteControl(CONTROL_CLOCK_ONE);
    WaitFor(true, BRIEF_LEVEL_GRACE_MS);
    if (!WaitOrLose(false, HANDSHAKE_TIMEOUT_MS)) {
        return FailIdle();
    }
    WriteControl(CONTROL_SELECT);
    if (!WaitOrLose(true, HANDSHAKE_TIMEOUT_MS)) {
        return FailIdle();
    }
    WriteControl(CONTROL_IDLE);
    return 1;
}

uint8_t ResetScanner() {
    linkState.scannerLost = 0;
    WriteControl(CONTROL_RESET);
    Delay(5000);
    WriteControl(CONTROL_SELECT);
    bool back = WaitFor(false, RESET_ACK_TIMEOUT_MS) && WaitFor(true, RESET_READY_TIMEOUT_MS);
    WriteControl(CONTROL_IDLE);
    Delay(10000);
    if (!back) {
        linkState.scannerLost = 1;
    }
    return back ? 1 : 0;
}

void ReleasePort() {
    WriteControl(CONTROL_IDLE);
}
