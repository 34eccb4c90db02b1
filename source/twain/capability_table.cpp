#include "source/twain/capability_table.h"

#include "common/twain_constants.h"

namespace {

constexpr CapabilitySettings LOADED_SETTINGS = {1, TWCP_NONE};

constexpr EnumerationHeader NO_ENUMERATION = {0, 0, 0, 0};

constexpr CapabilityEntry CAPABILITY_TABLE[] = {
    {CAP_XFERCOUNT, TWON_ONEVALUE, CapabilitySetting::TransferCount, NO_ENUMERATION, {}},
    {ICAP_COMPRESSION, TWON_ONEVALUE, CapabilitySetting::Compression, NO_ENUMERATION, {}},
    // RGB first: it is the current and default pixel type, and the only one
    // ever delivered.
    {ICAP_PIXELTYPE, TWON_ENUMERATION, CapabilitySetting::None, {TWTY_UINT16, 4, 0, 0},
     {TWPT_RGB, TWPT_BW, TWPT_GRAY, TWPT_PALETTE}},
    {ICAP_UNITS, TWON_ENUMERATION, CapabilitySetting::None, {TWTY_UINT16, 4, 0, 0},
     {TWUN_INCHES, TWUN_CENTIMETERS, TWUN_PICAS, TWUN_POINTS}},
    {ICAP_XFERMECH, TWON_ENUMERATION, CapabilitySetting::None, {TWTY_UINT16, 1, 0, 0}, {TWSX_NATIVE}},
};

struct SetRule {
    uint16_t cap;
    SetAction onOneValue;
    SetAction onEnumeration;
    CapabilitySetting destination;
};

constexpr SetRule SET_RULES[] = {
    {CAP_XFERCOUNT, SetAction::ReadOneValue, SetAction::Ignore, CapabilitySetting::TransferCount},
    {ICAP_COMPRESSION, SetAction::ReadOneValue, SetAction::Ignore, CapabilitySetting::Compression},
    {ICAP_PIXELTYPE, SetAction::ReadOneValue, SetAction::Ignore, CapabilitySetting::None},
    {ICAP_UNITS, SetAction::ReadOneValue, SetAction::Ignore, CapabilitySetting::None},
    {ICAP_XFERMECH, SetAction::ReadOneValue, SetAction::ReadFirstEnumerationItem, CapabilitySetting::None},
};

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
    for (const SetRule& rule : SET_RULES) {
        if (rule.cap != cap) {
            continue;
        }
        SetAction action = conType == TWON_ONEVALUE      ? rule.onOneValue
                           : conType == TWON_ENUMERATION ? rule.onEnumeration
                                                         : SetAction::Ignore;
        return {action, rule.destination};
    }
    return {SetAction::Ignore, CapabilitySetting::None};
}
