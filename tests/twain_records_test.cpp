// Sizes and field offsets of the TWAIN records against TWAIN's packed
// layout. Built natively and for Windows; the records that carry pointers
// are checked at their 32-bit Windows layout only there.
#include <gtest/gtest.h>

#include <cstddef>

#include "common/twain_records.h"

TEST(TwainRecords, IdentityLayout) {
    EXPECT_EQ(sizeof(TW_IDENTITY), 156u);
    EXPECT_EQ(offsetof(TW_IDENTITY, Id), 0u);
    EXPECT_EQ(offsetof(TW_IDENTITY, Version), 4u);
    EXPECT_EQ(offsetof(TW_IDENTITY, Version.Info), 12u);
    EXPECT_EQ(offsetof(TW_IDENTITY, ProtocolMajor), 46u);
    EXPECT_EQ(offsetof(TW_IDENTITY, ProtocolMinor), 48u);
    EXPECT_EQ(offsetof(TW_IDENTITY, SupportedGroups), 50u);
    EXPECT_EQ(offsetof(TW_IDENTITY, Manufacturer), 54u);
    EXPECT_EQ(offsetof(TW_IDENTITY, ProductFamily), 88u);
    EXPECT_EQ(offsetof(TW_IDENTITY, ProductName), 122u);
}

TEST(TwainRecords, PointerFreeRecords) {
    EXPECT_EQ(sizeof(TW_FIX32), 4u);
    EXPECT_EQ(offsetof(TW_FIX32, Frac), 2u);
    EXPECT_EQ(sizeof(TW_FRAME), 16u);
    EXPECT_EQ(offsetof(TW_FRAME, Bottom), 12u);
    EXPECT_EQ(sizeof(TW_STATUS), 4u);
    EXPECT_EQ(sizeof(TW_ONEVALUE), 6u);
    EXPECT_EQ(offsetof(TW_ONEVALUE, Item), 2u);
    EXPECT_EQ(offsetof(TW_ENUMERATION, NumItems), 2u);
    EXPECT_EQ(offsetof(TW_ENUMERATION, CurrentIndex), 6u);
    EXPECT_EQ(offsetof(TW_ENUMERATION, DefaultIndex), 10u);
    EXPECT_EQ(offsetof(TW_ENUMERATION, ItemList), 14u);
    EXPECT_EQ(sizeof(TW_IMAGEINFO), 42u);
    EXPECT_EQ(offsetof(TW_IMAGEINFO, ImageWidth), 8u);
    EXPECT_EQ(offsetof(TW_IMAGEINFO, SamplesPerPixel), 16u);
    EXPECT_EQ(offsetof(TW_IMAGEINFO, BitsPerSample), 18u);
    EXPECT_EQ(offsetof(TW_IMAGEINFO, BitsPerPixel), 34u);
    EXPECT_EQ(offsetof(TW_IMAGEINFO, Compression), 40u);
    EXPECT_EQ(sizeof(TW_IMAGELAYOUT), 28u);
    EXPECT_EQ(offsetof(TW_IMAGELAYOUT, DocumentNumber), 16u);
    EXPECT_EQ(sizeof(TW_PENDINGXFERS), 6u);
    EXPECT_EQ(offsetof(TW_PENDINGXFERS, Reserved), 2u);
    EXPECT_EQ(sizeof(TW_SETUPMEMXFER), 12u);
    EXPECT_EQ(sizeof(TW_SETUPFILEXFER), 260u);
    EXPECT_EQ(offsetof(TW_SETUPFILEXFER, Format), 256u);
}

TEST(TwainRecords, RecordsWithPointersAt32Bits) {
    if (sizeof(void*) != 4) {
        GTEST_SKIP() << "pointer-carrying records cross DSM_Entry only in the 32-bit build";
    }
    EXPECT_EQ(sizeof(TW_USERINTERFACE), 8u);
    EXPECT_EQ(offsetof(TW_USERINTERFACE, hParent), 4u);
    EXPECT_EQ(sizeof(TW_EVENT), 6u);
    EXPECT_EQ(offsetof(TW_EVENT, TWMessage), 4u);
    EXPECT_EQ(sizeof(TW_CAPABILITY), 8u);
    EXPECT_EQ(offsetof(TW_CAPABILITY, hContainer), 4u);
    EXPECT_EQ(sizeof(TW_MEMORY), 12u);
    EXPECT_EQ(sizeof(TW_IMAGEMEMXFER), 38u);
    EXPECT_EQ(offsetof(TW_IMAGEMEMXFER, BytesPerRow), 2u);
    EXPECT_EQ(offsetof(TW_IMAGEMEMXFER, YOffset), 18u);
    EXPECT_EQ(offsetof(TW_IMAGEMEMXFER, BytesWritten), 22u);
    EXPECT_EQ(offsetof(TW_IMAGEMEMXFER, Memory), 26u);
}
