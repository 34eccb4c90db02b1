// The capabilities the source answers, their values, and what a set does
// with the container an application supplies. Portable.
//
// None of it reaches the scan: the user sets the scan up in the source's own
// window and the picture is always 24-bit RGB. The transfer count and the
// compression are only kept to be reported back.
#pragma once

#include <cstdint>

#include "source/twain/capability_containers.h"

// The two values an application may set; every other answer is constant.
struct CapabilitySettings {
    uint32_t transferCount;  // CAP_XFERCOUNT, initially 1
    uint32_t compression;    // ICAP_COMPRESSION, initially TWCP_NONE
};

extern CapabilitySettings capabilitySettings;

// The values of a freshly loaded library.
void ResetCapabilitySettings();

// Where a one-value capability's value lives.
enum class CapabilitySetting : uint8_t { None, TransferCount, Compression };

// What a set or reset reads from the application's container.
enum class SetAction : uint8_t { Ignore, ReadOneValue, ReadFirstEnumerationItem };

// One answered capability: what a get answers and what a set does. Each
// capability has exactly one entry, so the two can never disagree on its id.
struct CapabilityEntry {
    uint16_t cap;
    uint16_t conType;               // the reply: TWON_ONEVALUE or TWON_ENUMERATION
    CapabilitySetting setting;      // one-value: the variable reported, as TWTY_UINT16;
                                    // any entry: where a set writes (None: read, discarded)
    EnumerationHeader header;       // enumeration: constant
    uint32_t items[4];              // enumeration: header.numItems of them
    SetAction onOneValue;           // a set with a TWON_ONEVALUE container
    SetAction onEnumeration;        // a set with a TWON_ENUMERATION container
};

// The entry of `cap`, or null for a capability the source does not answer.
const CapabilityEntry* FindCapability(uint16_t cap);

// The value a one-value setting holds now.
uint32_t CapabilitySettingValue(CapabilitySetting setting);

struct SetDecision {
    SetAction action;
    CapabilitySetting destination;  // None: the value is read and discarded
};

// By capability and by the container type the application names; a
// capability the source does not answer, or any other container type, is
// ignored.
SetDecision SetDecisionFor(uint16_t cap, uint16_t conType);

// The variable a set writes to, or null for CapabilitySetting::None.
uint32_t* CapabilitySettingVariable(CapabilitySetting setting);
