#include "source/twain/unsupported_triplets.h"

#include "common/twain_constants.h"

namespace {

bool InStates400To600(int32_t state) {
    return state == 400 || state == 500 || state == 600;
}

bool IsGetOrGetDefault(uint16_t message) {
    return message == MSG_GET || message == MSG_GETDEFAULT;
}

bool IsSetOrReset(uint16_t message) {
    return message == MSG_SET || message == MSG_RESET;
}

// Response curves may only be set before the interface is up.
bool ResponseCurveAllowed(int32_t state, uint16_t message) {
    return state == 400 && IsSetOrReset(message);
}

// JPEG compression and palettes may be read while open and set before the
// interface is up.
bool ReadOrSetAllowed(int32_t state, uint16_t message) {
    return (IsGetOrGetDefault(message) && InStates400To600(state)) ||
           (IsSetOrReset(message) && state == 400);
}

}  // namespace

uint16_t UnsupportedConditionCode(uint16_t dataArgType, int32_t state, uint16_t message) {
    bool allowed = false;
    switch (dataArgType) {
    case DAT_CIECOLOR:
        allowed = InStates400To600(state) && message == MSG_GET;
        break;
    case DAT_GRAYRESPONSE:
    case DAT_RGBRESPONSE:
        allowed = ResponseCurveAllowed(state, message);
        break;
    case DAT_JPEGCOMPRESSION:
    case DAT_PALETTE8:
        allowed = ReadOrSetAllowed(state, message);
        break;
    default:
        break;
    }
    return allowed ? TWCC_BADPROTOCOL : TWCC_SEQERROR;
}
