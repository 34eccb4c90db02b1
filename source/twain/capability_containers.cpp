#include "source/twain/capability_containers.h"

#include "common/little_endian.h"
#include "common/twain_constants.h"

namespace {

// Replaces the low `width` bytes of `destination` with the item's.
void StoreLowBytes(const uint8_t* item, uint32_t width, uint32_t& destination) {
    uint32_t mask = width >= 4 ? 0xFFFFFFFFu : (1u << (8 * width)) - 1;
    destination = (destination & ~mask) | (ReadLittleEndian(item, width) & mask);
}

}  // namespace

uint32_t ItemWidth(uint16_t itemType) {
    switch (itemType) {
    case TWTY_INT8:
    case TWTY_UINT8:
        return 1;
    case TWTY_INT16:
    case TWTY_UINT16:
    case TWTY_BOOL:
        return 2;
    case TWTY_INT32:
    case TWTY_UINT32:
        return 4;
    default:
        return 0;
    }
}

void WriteOneValue(uint8_t* block, uint16_t itemType, uint32_t item) {
    WriteLittleEndian(block, itemType, 2);
    WriteLittleEndian(block + 2, item, 4);
}

size_t EnumerationBytes(const EnumerationHeader& header) {
    return static_cast<size_t>(ItemWidth(header.itemType)) * header.numItems + ENUMERATION_HEADER_BYTES + 1;
}

void WriteEnumeration(uint8_t* block, const EnumerationHeader& header, const uint32_t* items) {
    uint32_t width = ItemWidth(header.itemType);
    WriteLittleEndian(block, header.itemType, 2);
    WriteLittleEndian(block + 2, header.numItems, 4);
    WriteLittleEndian(block + 6, header.currentIndex, 4);
    WriteLittleEndian(block + 10, header.defaultIndex, 4);
    uint8_t* item = block + ENUMERATION_HEADER_BYTES;
    for (uint32_t i = 0; i < header.numItems; ++i, item += width) {
        WriteLittleEndian(item, items[i], width);
    }
    *item = 0;
}

bool ReadItemOfOneValue(const uint8_t* block, size_t blockBytes, uint32_t& destination) {
    if (blockBytes < 2) {
        return false;
    }
    uint32_t width = ItemWidth(static_cast<uint16_t>(ReadLittleEndian(block, 2)));
    if (width == 0 || blockBytes < 2 + width) {
        return false;
    }
    StoreLowBytes(block + 2, width, destination);
    return true;
}

bool ReadItemOfEnumeration(const uint8_t* block, size_t blockBytes, uint32_t index, uint32_t& destination) {
    if (blockBytes < ENUMERATION_HEADER_BYTES) {
        return false;
    }
    uint32_t width = ItemWidth(static_cast<uint16_t>(ReadLittleEndian(block, 2)));
    uint32_t numItems = ReadLittleEndian(block + 2, 4);
    // In 64 bits: an index near 2^32 must not wrap round to an early offset.
    uint64_t end = ENUMERATION_HEADER_BYTES + (static_cast<uint64_t>(index) + 1) * width;
    if (width == 0 || index >= numItems || end > blockBytes) {
        return false;
    }
    StoreLowBytes(block + ENUMERATION_HEADER_BYTES + static_cast<size_t>(index) * width, width, destination);
    return true;
}
