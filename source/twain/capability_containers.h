// The bytes of TWAIN's one-value and enumeration containers (2-byte packing,
// little-endian), as they lie in a locked global block. Portable: the Win32
// side allocates and locks the blocks and hands their bytes here.
//
// Readers never look past `blockBytes`: a container shorter than what it
// claims to hold is not read at all, and the destination keeps its value.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr size_t ONE_VALUE_BYTES = 6;           // ItemType, Item (32 bits)
constexpr size_t ENUMERATION_HEADER_BYTES = 14;  // ItemType, NumItems, CurrentIndex, DefaultIndex

// The header of an enumeration, as the capability table holds it.
struct EnumerationHeader {
    uint16_t itemType;
    uint32_t numItems;
    uint32_t currentIndex;
    uint32_t defaultIndex;
};

// Bytes of one item: 1 for TWTY_INT8 and TWTY_UINT8; 2 for TWTY_INT16,
// TWTY_UINT16 and TWTY_BOOL; 4 for TWTY_INT32 and TWTY_UINT32; 0 for every
// other type, whose items the source never reads or writes.
uint32_t ItemWidth(uint16_t itemType);

// Writes a one-value container into `block` (ONE_VALUE_BYTES): the item type
// and the 32-bit item.
void WriteOneValue(uint8_t* block, uint16_t itemType, uint32_t item);

// The size of the block for an enumeration: item width x NumItems + 15 (the
// 14-byte header and the one pad byte TWAIN's record carries).
size_t EnumerationBytes(const EnumerationHeader& header);

// Writes the header and header.numItems items of `items` (each cut to the
// item width) into `block`, which holds EnumerationBytes(header) bytes.
void WriteEnumeration(uint8_t* block, const EnumerationHeader& header, const uint32_t* items);

// Reads the item of a one-value container into the low-order bytes of
// `destination`, only as many as its item type is wide; the higher bytes
// keep their value. Answers false and writes nothing when the type has no
// width or the block ends before the item does.
bool ReadItemOfOneValue(const uint8_t* block, size_t blockBytes, uint32_t& destination);

// The same for item number `index` of an enumeration container; also false
// when `index` is not below its NumItems.
bool ReadItemOfEnumeration(const uint8_t* block, size_t blockBytes, uint32_t index, uint32_t& destination);
