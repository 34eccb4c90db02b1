// The image triplets the source does not support at all (colour-space data,
// response curves, JPEG compression, 8-bit palettes). Portable.
#pragma once

#include <cstdint>

// The condition code with which the source refuses `dataArgType` with
// `message` in `state` (100 x the TWAIN state): TWCC_BADPROTOCOL where TWAIN
// allows the triplet in that state, TWCC_SEQERROR everywhere else.
uint16_t UnsupportedConditionCode(uint16_t dataArgType, int32_t state, uint16_t message);
