#include <gtest/gtest.h>

#include "common/twain_constants.h"
#include "source/twain/unsupported_triplets.h"

TEST(UnsupportedTriplets, ResponseCurvesOnlySetBeforeEnable) {
    for (uint16_t dat : {DAT_GRAYRESPONSE, DAT_RGBRESPONSE}) {
        EXPECT_EQ(UnsupportedConditionCode(dat, 400, MSG_SET), TWCC_BADPROTOCOL);
        EXPECT_EQ(UnsupportedConditionCode(dat, 400, MSG_RESET), TWCC_BADPROTOCOL);
        EXPECT_EQ(UnsupportedConditionCode(dat, 500, MSG_SET), TWCC_SEQERROR);
        EXPECT_EQ(UnsupportedConditionCode(dat, 400, MSG_GET), TWCC_SEQERROR);
    }
}

TEST(UnsupportedTriplets, ColourInformationReadWhileOpen) {
    EXPECT_EQ(UnsupportedConditionCode(DAT_CIECOLOR, 300, MSG_GET), TWCC_SEQERROR);
    for (int32_t state : {400, 500, 600}) {
        EXPECT_EQ(UnsupportedConditionCode(DAT_CIECOLOR, state, MSG_GET), TWCC_BADPROTOCOL);
        EXPECT_EQ(UnsupportedConditionCode(DAT_CIECOLOR, state, MSG_SET), TWCC_SEQERROR);
    }
    EXPECT_EQ(UnsupportedConditionCode(DAT_CIECOLOR, 700, MSG_GET), TWCC_SEQERROR);
}

TEST(UnsupportedTriplets, CompressionAndPaletteReadOrSet) {
    for (uint16_t dat : {DAT_JPEGCOMPRESSION, DAT_PALETTE8}) {
        for (int32_t state : {300, 400, 500, 600, 700}) {
            EXPECT_EQ(UnsupportedConditionCode(dat, state, MSG_GETCURRENT), TWCC_SEQERROR) << state;
        }
        EXPECT_EQ(UnsupportedConditionCode(dat, 600, MSG_GETDEFAULT), TWCC_BADPROTOCOL);
        EXPECT_EQ(UnsupportedConditionCode(dat, 700, MSG_GET), TWCC_SEQERROR);
        EXPECT_EQ(UnsupportedConditionCode(dat, 400, MSG_RESET), TWCC_BADPROTOCOL);
        EXPECT_EQ(UnsupportedConditionCode(dat, 500, MSG_SET), TWCC_SEQERROR);
    }
}
