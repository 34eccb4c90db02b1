// Capability negotiation. The source offers no capability table yet: every
// question is answered as one about an unknown capability, and settings are
// accepted and ignored, as they are for unknown capabilities.
#include "source/twain/session_state.h"
#include "source/twain/triplet.h"

TW_UINT16 CapabilityHandler(TripletRecord* triplet) {
    if (triplet->data == nullptr) {
        return Refuse(TWCC_BADVALUE);
    }
    switch (triplet->message) {
    case MSG_GET:
    case MSG_GETCURRENT:
    case MSG_GETDEFAULT:
        return Refuse(TWCC_BADCAP);
    case MSG_SET:
    case MSG_RESET:
        return TWRC_SUCCESS;
    default:
        return Refuse(TWCC_BADPROTOCOL);
    }
}
