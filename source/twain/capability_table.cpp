#include "source/twain/capability_table.h"

#include <iterator>

#include "common/twain_constants.h"

namespace {

constexpr CapabilitySettings LOADED_SETTINGS = {1, TWCP_NONE};

constexpr EnumerationHeader NO_ENUMERATION = {0, 0, 0, 0};

// Every capability answered, its reply and its set rule in one entry.
// A set reads one-value containers for all of them; only the transfer
// mechanism also takes the first item of an enumeration.
constexpr CapabilityEntry CAPABILITY_TABLE[] = {
    {CAP_XFERCOUNT, TWON_ONEVALUE, CapabilitySetting::TransferCount, NO_ENUMERATION, {},
     SetAction::ReadOneValue, SetAction::Ignore},
    {ICAP_COMPRESSION, TWON_ONEVALUE, CapabilitySetting::Compression, NO_ENUMERATION, {},
     SetAction::ReadOneValue, SetAction::Ignore},
    // RGB first: it is the current and default pixel type, and the only one
    // ever delivered.
    {ICAP_PIXELTYPE, TWON_ENUMERATION, CapabilitySetting::None, {TWTY_UINT16, 4, 0, 0},
     {TWPT_RGB, TWPT_BW, TWPT_GRAY, TWPT_PALETTE}, SetAction::ReadOneValue, SetAction::Ignore},
    {ICAP_UNITS, TWON_ENUMERATION, CapabilitySetting::None, {TWTY_UINT16, 4, 0, 0},
     {TWUN_INCHES, TWUN_CENTIMETERS, TWUN_PICAS, TWUN_POINTS}, SetAction::ReadOneValue, SetAction::Ignore},
    {ICAP_XFERMECH, TWON_ENUMERATION, CapabilitySetting::None, {TWTY_UINT16, 1, 0, 0}, {TWSX_NATIVE},
     SetAction::ReadOneValue, SetAction::ReadFirstEnumerationItem},
};

// A copied entry whose id was not changed would hide the later capability.
constexpr bool EveryIdOnce() {
    for (size_t i = 0; i < std::size(CAPABILITY_TABLE); ++i) {
        for (size_t j = i + 1; j < std::size(CAPABILITY_TABLE); ++j) {
            if (CAPABILITY_TABLE[i].cap == CAPABILITY_TABLE[j].cap) return false;
        }
    }
    return true;
}
static_assert(EveryIdOnce());

}  // namespace

CapabilitySettings capabilitySettings = LOADED_SETTINGS;

void ResetCapabilitySettings() {
    capabilitySettings = LOADED_SETTINGS;
}

const CapabilityEntry* FindCapability(uint16_t cap) {
    for (const CapabilityEntry& entry : CAPABILITY_TABLE) {
        if (entry.cap == cap) {
            return &entry;
        }
    }
    return nullptr;
}

uint32_t* CapabilitySettingVariable(CapabilitySetting setting) {
    switch (setting) {
    case CapabilitySetting::TransferCount:
        return &capabilitySettings.transferCount;
    case CapabilitySetting::Compression:
        return &capabilitySettings.compression;
    case CapabilitySetting::None:
        break;
    }
    return nullptr;
}

uint32_t CapabilitySettingValue(CapabilitySetting setting) {
    const uint32_t* variable = CapabilitySettingVariable(setting);
    return variable != nullptr ? *variable : 0;
}

SetDecision SetDecisionFor(uint16_t cap, uint16_t conType) {
    const CapabilityEntry* entry = FindCapability(cap);
    if (entry == nullptr) {
        return {SetAction::Ignore, CapabilitySetting::None};
    }
    SetAction action = conType == TWON_ONEVALUE      ? entry->onOneValue
                       : conType == TWON_ENUMERATION ? entry->onEnumeration
                                                     : SetAction::Ignore;
    return {action, entry->setting};
}
