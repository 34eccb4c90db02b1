// libFuzzer target for what reads bytes from the magnetic stripe: the block
// decoder and the raw-track parser, each followed by an encode, as a frame
// read and written back would run. The input is the track as received (any
// length, the parser must stay within it); its first 32 bytes are also a
// block, and its last byte the adapter's print-format status.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "source/aps/ix_record.h"

namespace {

void DecodeAndEncode(const uint8_t* block) {
    IxFrameRecord record = {};
    DecodeIxBlock(block, record);
    // Exactly 32 bytes on the heap, so that a write past them is caught.
    std::vector<uint8_t> written(FRAME_BLOCK_BYTES);
    EncodeIxBlock(record, written.data());
    // A block this system wrote reads back as the record it came from.
    IxFrameRecord again = {};
    DecodeIxBlock(written.data(), again);
    std::vector<uint8_t> rewritten(FRAME_BLOCK_BYTES);
    EncodeIxBlock(again, rewritten.data());
    if (rewritten != written) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> block(FRAME_BLOCK_BYTES, 0);
    std::memcpy(block.data(), data, size < FRAME_BLOCK_BYTES ? size : FRAME_BLOCK_BYTES);
    DecodeAndEncode(block.data());

    uint8_t status = size > 0 ? data[size - 1] : 0;
    if (ParseIxTrack(data, size, status, block.data())) DecodeAndEncode(block.data());
    return 0;
}
