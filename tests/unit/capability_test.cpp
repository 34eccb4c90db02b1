#include <gtest/gtest.h>

#include <vector>

#include "common/twain_constants.h"
#include "source/twain/capability_containers.h"
#include "source/twain/capability_table.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes EnumerationOf(const CapabilityEntry& entry) {
    Bytes block(EnumerationBytes(entry.header), 0xEE);
    WriteEnumeration(block.data(), entry.header, entry.items);
    return block;
}

}  // namespace

TEST(CapabilityContainers, RepliesInTwainsPackedLayout) {
    uint8_t oneValue[ONE_VALUE_BYTES] = {};
    WriteOneValue(oneValue, TWTY_UINT16, 0x00010203);
    EXPECT_EQ(Bytes(oneValue, oneValue + 6), (Bytes{4, 0, 3, 2, 1, 0}));

    // Pixel types: RGB, BW, gray, palette; current and default index 0.
    Bytes pixelTypes = EnumerationOf(*FindCapability(ICAP_PIXELTYPE));
    EXPECT_EQ(pixelTypes, (Bytes{4, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 1, 0, 3, 0, 0}));
    Bytes mechanisms = EnumerationOf(*FindCapability(ICAP_XFERMECH));
    EXPECT_EQ(mechanisms, (Bytes{4, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    Bytes units = EnumerationOf(*FindCapability(ICAP_UNITS));
    EXPECT_EQ(Bytes(units.begin() + 14, units.end()), (Bytes{0, 0, 1, 0, 2, 0, 3, 0, 0}));
}

TEST(CapabilityContainers, OneValueReadWritesOnlyTheItemsWidth) {
    uint32_t setting = 1;
    const Bytes minusOne = {TWTY_INT16, 0, 0xFF, 0xFF, 0x12, 0x34};
    EXPECT_TRUE(ReadItemOfOneValue(minusOne.data(), minusOne.size(), setting));
    EXPECT_EQ(setting, 65535u);

    setting = 0xAABBCCDD;
    const Bytes byte = {TWTY_UINT8, 0, 0x07, 0x99, 0x99, 0x99};
    EXPECT_TRUE(ReadItemOfOneValue(byte.data(), byte.size(), setting));
    EXPECT_EQ(setting, 0xAABBCC07u);

    const Bytes word = {TWTY_UINT32, 0, 1, 2, 3, 4};
    EXPECT_TRUE(ReadItemOfOneValue(word.data(), word.size(), setting));
    EXPECT_EQ(setting, 0x04030201u);
}

TEST(CapabilityContainers, ShortOrUntypedContainersAreNotRead) {
    uint32_t setting = 77;
    // Each claims more than it holds, or has a type without a width.
    const Bytes claimsFour = {TWTY_UINT32, 0, 1, 2, 3};
    const Bytes claimsTwo = {TWTY_UINT16, 0, 1};
    const Bytes noItem = {TWTY_UINT8, 0};
    const Bytes halfType = {TWTY_UINT8};
    const Bytes fix32 = {TWTY_FIX32, 0, 1, 2, 3, 4};
    for (const Bytes* block : {&claimsFour, &claimsTwo, &noItem, &halfType, &fix32}) {
        EXPECT_FALSE(ReadItemOfOneValue(block->data(), block->size(), setting));
    }
    EXPECT_EQ(setting, 77u);

    // Enumeration: three UINT16 items in 20 bytes; the third ends at 20.
    Bytes three = {4, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 10, 0, 20, 0, 30, 0};
    EXPECT_TRUE(ReadItemOfEnumeration(three.data(), three.size(), 2, setting));
    EXPECT_EQ(setting, 30u);
    EXPECT_FALSE(ReadItemOfEnumeration(three.data(), three.size() - 1, 2, setting));
    EXPECT_FALSE(ReadItemOfEnumeration(three.data(), three.size(), 3, setting));  // beyond NumItems
    EXPECT_FALSE(ReadItemOfEnumeration(three.data(), three.size(), 0xFFFFFFFFu, setting));
    three[2] = 200;  // NumItems larger than the block
    EXPECT_FALSE(ReadItemOfEnumeration(three.data(), three.size(), 3, setting));
    EXPECT_FALSE(ReadItemOfEnumeration(three.data(), 13, 0, setting));
    EXPECT_EQ(setting, 30u);
}
