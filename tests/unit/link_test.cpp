#include <gtest/gtest.h>

#include "source/scanner/link.h"
#include "tests/unit/scripted_port.h"

namespace {

class Link : public ::testing::Test {
protected:
    ScriptedPort port;
    PortAccess access = {};
    void SetUp() override {
        port.data378 = 0x00;
        access = port.Access();
        SetPortAccess(&access);
    }
    void TearDown() override { SetPortAccess(nullptr); }
    // Control writes since the last call.
    std::vector<uint8_t> TakeControl() {
        std::vector<uint8_t> values = port.ControlWrites(linkState.controlPort);
        port.writes.clear();
        return values;
    }
};

TEST_F(Link, CalibrationHasAFloorOfOne) {
    // Every tick read costs 1 us: 200 000 reads in 200 ms, quotient 2.
    InitialiseLink();
    EXPECT_EQ(linkState.loopsPerUnit, 2u);
    // A machine that reads the tick count slowly counts fewer than 100 000.
    access.tickCount = [](void* c) -> uint32_t {
        auto* p = static_cast<ScriptedPort*>(c);
        p->microseconds += 5;
        return static_cast<uint32_t>(p->microseconds / 1000);
    };
    InitialiseLink();
    EXPECT_EQ(linkState.loopsPerUnit, 1u);
}

TEST_F(Link, PortProbeOrder) {
    EXPECT_EQ(InitialiseLink(), 1);
    EXPECT_EQ(linkState.dataPort, 0x378);  // 0x278 floats
    EXPECT_EQ(linkState.statusPort, 0x379);
    EXPECT_EQ(linkState.controlPort, 0x37A);
    EXPECT_EQ(TakeControl(), std::vector<uint8_t>{CONTROL_IDLE});
    port.data278 = 0x12;  // anything answering at 0x278 wins, scanner or not
    InitialiseLink();
    EXPECT_EQ(linkState.dataPort, 0x278);
    port.data278 = port.data378 = 0xFF;
    InitialiseLink();
    EXPECT_EQ(linkState.dataPort, 0x3BC);
}

TEST_F(Link, Pc98KeyboardSubtypes) {
    for (int32_t subtype : {0x0D01, 0x0D07}) {
        port.keyboardSubtype = subtype;
        port.writes.clear();
        EXPECT_EQ(InitialiseLink(), 0) << subtype;
        EXPECT_EQ(linkState.pc98, 1);
        EXPECT_EQ(linkState.statusPort, 0x141);
        EXPECT_EQ(linkState.modePort, 0x149);
        ASSERT_EQ(port.writes.size(), 2u);
        EXPECT_EQ(port.writes[0].address, 0x149);
        EXPECT_EQ(port.writes[0].value, 0x10);
        EXPECT_EQ(port.writes[1].address, 0x142);
        EXPECT_EQ(port.writes[1].value, 0x24);
    }
    for (int32_t subtype : {0x0D00, 0x0D08}) {
        port.keyboardSubtype = subtype;
        EXPECT_EQ(InitialiseLink(), 1) << subtype;
        EXPECT_EQ(linkState.pc98, 0);
    }
}

TEST_F(Link, SendByteClocksBitsMostSignificantFirst) {
    InitialiseLink();
    TakeControl();
    port.status = [](ScriptedPort&) { return uint8_t{0x08}; };  // handshake high
    ASSERT_EQ(SendByte(0xA5), 1);
    std::vector<uint8_t> c = TakeControl();
    // Each value but idle is written twice: 0x22 opens, 8 bits of two values
    // each, 0x20 closes.
    std::vector<uint8_t> expected = {0x22, 0x22};
    for (int bit = 7; bit >= 0; --bit) {
        bool one = (0xA5 >> bit) & 1;
        uint8_t low = one ? 0x22 : 0x2A, release = one ? 0x20 : 0x28;
        expected.insert(expected.end(), {low, low, release, release});
    }
    expected.insert(expected.end(), {0x20, 0x20});
    EXPECT_EQ(c, expected);
    // The clock-low values alone: 0x22 0x2A 0x22 0x2A 0x2A 0x22 0x2A 0x22.
    std::vector<uint8_t> lows;
    for (size_t i = 2; i + 2 < c.size(); i += 4) lows.push_back(c[i]);
    EXPECT_EQ(lows, (std::vector<uint8_t>{0x22, 0x2A, 0x22, 0x2A, 0x2A, 0x22, 0x2A, 0x22}));
}

TEST_F(Link, NibblesKeepBitSeven) {
    InitialiseLink();
    // Handshake low for the wait, then 0x5_ / 0xA_ / 0xF_ / 0x0_ / 0x8_ / 0x7_.
    static const uint8_t script[] = {0x00, 0x50, 0xA0, 0xF0, 0x00, 0x80, 0x70, 0x08};
    port.status = [](ScriptedPort& p) { return script[p.statusReads - 1 < 8 ? p.statusReads - 1 : 7]; };
    uint8_t b0 = 0, b1 = 0, b2 = 0;
    ASSERT_EQ(ReadTriple(&b0, &b1, &b2), 1);
    EXPECT_EQ(b0, 0x5A);
    EXPECT_EQ(b1, 0xF0);
    EXPECT_EQ(b2, 0x87);
}

TEST_F(Link, SelectionTimesOutAfterOneSecondLeavingThePortIdle) {
    InitialiseLink();
    TakeControl();
    port.status = [](ScriptedPort&) { return uint8_t{0x08}; };  // never low
    uint64_t start = port.microseconds;
    EXPECT_EQ(SelectScanner(), 0);
    uint64_t waitedMs = (port.microseconds - start) / 1000;
    EXPECT_GE(waitedMs, 1000u);
    EXPECT_LE(waitedMs, 1000u + 25u);  // the closing Delay(10000) is 20 ms here
    std::vector<uint8_t> c = TakeControl();
    EXPECT_EQ(c.back(), CONTROL_IDLE);
}

// Every wait inside a transaction runs out on the clock, leaves the port idle
// and loses the scanner: what continues the transaction then fails without
// waiting again, until the next selection.
TEST_F(Link, AWaitThatRunsOutLosesTheScannerUntilTheNextSelection) {
    InitialiseLink();
    port.status = [](ScriptedPort&) { return uint8_t{0x08}; };  // gone: the lines float high
    ASSERT_EQ(BeginDataPhase(), 1);
    uint64_t start = port.microseconds;
    uint8_t b0 = 7, b1 = 7, b2 = 7;
    EXPECT_EQ(ReadTriple(&b0, &b1, &b2), 0);
    uint64_t waitedMs = (port.microseconds - start) / 1000;
    EXPECT_GE(waitedMs, 2000u);
    EXPECT_LE(waitedMs, 2000u + 5u);
    EXPECT_EQ(b0, 7);  // outputs untouched
    EXPECT_EQ(linkState.scannerLost, 1);
    EXPECT_EQ(TakeControl().back(), CONTROL_IDLE);

    uint64_t reads = port.statusReads;
    EXPECT_EQ(BeginDataPhase(), 0);
    EXPECT_EQ(ReadPixelTriple(&b0, &b1, &b2), 0);
    EXPECT_EQ(EndLine(), 0);
    EXPECT_EQ(EndScan(), 0);
    EXPECT_EQ(SendByte(0x12), 0);
    EXPECT_EQ(port.statusReads, reads);
    for (uint8_t value : TakeControl()) EXPECT_EQ(value, CONTROL_IDLE);

    // Handshake stuck low: the wait for the scanner to take a byte, which
    // may have to outlast a film movement, ends after 7 s.
    port.status = [](ScriptedPort&) { return uint8_t{0x00}; };
    ASSERT_EQ(SelectScanner(), 1);
    EXPECT_EQ(linkState.scannerLost, 0);
    start = port.microseconds;
    EXPECT_EQ(SendByte(0x12), 0);
    waitedMs = (port.microseconds - start) / 1000;
    EXPECT_GE(waitedMs, 7000u);
    EXPECT_LE(waitedMs, 7000u + 5u);
    EXPECT_EQ(linkState.scannerLost, 1);
    EXPECT_EQ(TakeControl().back(), CONTROL_IDLE);
}

TEST_F(Link, ResetWaitsForTheScannerToComeBack) {
    InitialiseLink();
    TakeControl();
    // Low at once, high after 100 reads.
    port.status = [](ScriptedPort& p) { return static_cast<uint8_t>(p.statusReads > 100 ? 0x08 : 0x00); };
    EXPECT_EQ(ResetScanner(), 1);
    std::vector<uint8_t> c = TakeControl();
    EXPECT_EQ(c.front(), CONTROL_RESET);
    EXPECT_EQ(c.back(), CONTROL_IDLE);
    port.status = [](ScriptedPort&) { return uint8_t{0x08}; };  // never drops
    EXPECT_EQ(ResetScanner(), 0);
}

}  // namespace
