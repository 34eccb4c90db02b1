// How tests steer the picture source and what it reports, shared by the
// source and the tests (which load it into their own process, or start a
// program that does).
//
// Behaviour: the environment variable QX_PICTURE_SOURCE (read at
// MSG_OPENDS) holds comma-separated words:
//   auto           send MSG_XFERREADY at once when enabled
//   close          send MSG_CLOSEDSREQ after the last MSG_ENDXFER
//   cancel         the native transfer answers TWRC_CANCEL
//   failure        the native transfer answers TWRC_FAILURE
//   oversize       the picture's header claims more rows than its block holds
//   endless        every transfer fails and MSG_ENDXFER always reports one
//                  more picture pending
//   refuse_cap     MSG_SET of a capability is refused
//   refuse_enable  MSG_ENABLEDS is refused
//   size=WxH       the picture's size (default 37 x 23)
// The registered window messages READY_MESSAGE and CLOSE_MESSAGE, passed to
// the source through MSG_PROCESSEVENT (post them to the application's
// window), make it send MSG_XFERREADY or MSG_CLOSEDSREQ.
//
// Report: every triplet the source answers is appended to the environment
// variable QX_PICTURE_SOURCE_LOG as one word and a space: open, cap:native
// (cap:other), enable:<ShowUI>, info, xfer, endxfer, reset, disable:<ShowUI>,
// close.
#pragma once

#include <cstdint>

constexpr char PICTURE_SOURCE_VARIABLE[] = "QX_PICTURE_SOURCE";
constexpr char PICTURE_SOURCE_LOG[] = "QX_PICTURE_SOURCE_LOG";
constexpr char READY_MESSAGE[] = "QX picture source: transfer ready";
constexpr char CLOSE_MESSAGE[] = "QX picture source: close request";

constexpr int32_t PICTURE_WIDTH = 37;   // rows padded: 111 bytes -> 112
constexpr int32_t PICTURE_HEIGHT = 23;

struct PictureColour {
    uint8_t blue, green, red;
};

// The colour of pixel (x, y), counted from the bottom row, as the rows
// are stored.
constexpr PictureColour PicturePixel(int32_t x, int32_t y) {
    return {static_cast<uint8_t>((x * 7 + y * 3) & 0xFF), static_cast<uint8_t>((y * 11) & 0xFF),
            static_cast<uint8_t>((x * 5 + 40) & 0xFF)};
}
