// A port for the link's unit tests: records every register write, answers
// status reads from a script, and keeps a virtual clock in microseconds (a
// port access or a tick read costs 1 us, a loop iteration 1 us), so that
// time-outs pass without real waiting.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "source/scanner/port_access.h"

struct PortWrite {
    uint16_t address;
    uint8_t value;
};

struct ScriptedPort {
    std::vector<PortWrite> writes;
    std::vector<uint16_t> reads;
    uint64_t microseconds = 0;
    int32_t keyboardSubtype = 0;
    // Data register contents for the probe, by base.
    uint8_t data278 = 0xFF, data378 = 0xFF, data3BC = 0xFF;
    // Status register: called with the number of status reads so far.
    std::function<uint8_t(ScriptedPort&)> status = [](ScriptedPort&) { return uint8_t{0x08}; };
    uint64_t statusReads = 0;

    PortAccess Access();
    // The control values written so far, in order.
    std::vector<uint8_t> ControlWrites(uint16_t controlPort) const;
};

inline PortAccess ScriptedPort::Access() {
    PortAccess access = {};
    access.context = this;
    access.readPort = [](void* c, uint16_t address) -> uint8_t {
        auto* p = static_cast<ScriptedPort*>(c);
        p->microseconds += 1;
        p->reads.push_back(address);
        switch (address) {
        case 0x278: return p->data278;
        case 0x378: return p->data378;
        case 0x3BC: return p->data3BC;
        default:
            ++p->statusReads;
            return p->status(*p);
        }
    };
    access.writePort = [](void* c, uint16_t address, uint8_t value) {
        auto* p = static_cast<ScriptedPort*>(c);
        p->microseconds += 1;
        p->writes.push_back({address, value});
    };
    access.tickCount = [](void* c) -> uint32_t {
        auto* p = static_cast<ScriptedPort*>(c);
        p->microseconds += 1;
        return static_cast<uint32_t>(p->microseconds / 1000);
    };
    access.busyLoop = [](void* c, uint32_t iterations) { static_cast<ScriptedPort*>(c)->microseconds += iterations; };
    access.keyboardSubtype = [](void* c) { return static_cast<ScriptedPort*>(c)->keyboardSubtype; };
    return access;
}

inline std::vector<uint8_t> ScriptedPort::ControlWrites(uint16_t controlPort) const {
    std::vector<uint8_t> values;
    for (const PortWrite& w : writes) {
        if (w.address == controlPort) values.push_back(w.value);
    }
    return values;
}
