// A fake scanner at the wire level for the command set's tests: it answers
// every handshake wait within two polls (the handshake toggles with each
// plain status read), serves queued reply bytes to the host's nibble reads,
// and decodes the bytes the host clocks out from the control writes.
#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "source/scanner/link.h"
#include "tests/unit/scripted_port.h"

struct WireFake {
    ScriptedPort port;
    PortAccess access = {};
    std::deque<uint8_t> replyBytes;  // served to nibble reads, high nibble first
    uint8_t lastControl = CONTROL_IDLE;
    bool highNibbleNext = true;
    bool handshake = true;

    void Install() {
        port.data378 = 0x00;
        access = port.Access();
        access.context = this;
        access.readPort = [](void* c, uint16_t address) -> uint8_t {
            auto* fake = static_cast<WireFake*>(c);
            fake->port.microseconds += 1;
            if (address == 0x378) return 0x00;
            if (address != 0x379) return 0xFF;
            return fake->Status();
        };
        access.writePort = [](void* c, uint16_t address, uint8_t value) {
            auto* fake = static_cast<WireFake*>(c);
            fake->port.microseconds += 1;
            fake->port.writes.push_back({address, value});
            if (address == 0x37A) fake->lastControl = value;
        };
        access.tickCount = [](void* c) -> uint32_t {
            auto* fake = static_cast<WireFake*>(c);
            fake->port.microseconds += 1;
            return static_cast<uint32_t>(fake->port.microseconds / 1000);
        };
        access.busyLoop = [](void* c, uint32_t n) { static_cast<WireFake*>(c)->port.microseconds += n; };
        access.keyboardSubtype = [](void*) { return int32_t{0}; };
        SetPortAccess(&access);
        InitialiseLink();
        port.writes.clear();
    }

    uint8_t Status() {
        bool nibbleRead = lastControl == CONTROL_CLOCK_ZERO || lastControl == CONTROL_ZERO;
        if (nibbleRead && !replyBytes.empty()) {
            uint8_t byte = replyBytes.front();
            if (highNibbleNext) {
                highNibbleNext = false;
                return static_cast<uint8_t>(byte & 0xF0);
            }
            highNibbleNext = true;
            replyBytes.pop_front();
            return static_cast<uint8_t>(byte << 4);
        }
        handshake = !handshake;
        return handshake ? HANDSHAKE : 0;
    }

    // The bytes clocked out since the last call, decoded from the control
    // writes: each value but idle comes in pairs; a byte opens with
    // CLOCK_ONE, carries eight (clock-low, release) pairs, data bit = the
    // clock-low value, and closes with SELECT.
    std::vector<uint8_t> TakeSentBytes() {
        std::vector<uint8_t> tokens;
        const auto& w = port.writes;
        for (size_t i = 0; i < w.size();) {
            if (w[i].address != 0x37A) { ++i; continue; }
            if (w[i].value == CONTROL_IDLE) { tokens.push_back(CONTROL_IDLE); ++i; continue; }
            tokens.push_back(w[i].value);
            i += 2;
        }
        port.writes.clear();
        std::vector<uint8_t> bytes;
        for (size_t i = 0; i < tokens.size(); ++i) {
            if (tokens[i] != CONTROL_CLOCK_ONE || i + 17 > tokens.size()) continue;
            uint8_t value = 0;
            for (size_t bit = 0; bit < 8; ++bit) {
                value = static_cast<uint8_t>((value << 1) | (tokens[i + 1 + 2 * bit] == CONTROL_CLOCK_ONE ? 1 : 0));
            }
            bytes.push_back(value);
            i += 17;
        }
        return bytes;
    }
};
