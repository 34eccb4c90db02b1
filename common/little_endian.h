// Little-endian numbers in byte buffers: the byte order of every file and
// record this system reads or writes (bitmap headers, capability
// containers, picture blocks), whatever machine it runs on. Portable and
// header-only, so that the build machine's tools can use it too.
//
// Each reader reads exactly its width of bytes from `in` and nothing past
// it; each writer writes exactly its width to `out`. The caller sees that
// the bytes are there.
#pragma once

#include <cstdint>
#include <vector>

// The low `width` bytes (0 to 4) of a number, least significant first.
constexpr uint32_t ReadLittleEndian(const uint8_t* in, uint32_t width) {
    uint32_t value = 0;
    for (uint32_t i = 0; i < width && i < 4; ++i) value |= static_cast<uint32_t>(in[i]) << (8 * i);
    return value;
}

constexpr void WriteLittleEndian(uint8_t* out, uint32_t value, uint32_t width) {
    for (uint32_t i = 0; i < width && i < 4; ++i) out[i] = static_cast<uint8_t>(value >> (8 * i));
}

constexpr uint16_t ReadLe16(const uint8_t* in) {
    return static_cast<uint16_t>(ReadLittleEndian(in, 2));
}

constexpr uint32_t ReadLe32(const uint8_t* in) {
    return ReadLittleEndian(in, 4);
}

constexpr void WriteLe16(uint8_t* out, uint16_t value) {
    WriteLittleEndian(out, value, 2);
}

constexpr void WriteLe32(uint8_t* out, uint32_t value) {
    WriteLittleEndian(out, value, 4);
}

// Appends the low 16 bits, or all 32, of `value` to `out`.
inline void AppendLe16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

inline void AppendLe32(std::vector<uint8_t>& out, uint32_t value) {
    AppendLe16(out, value & 0xFFFF);
    AppendLe16(out, value >> 16);
}
