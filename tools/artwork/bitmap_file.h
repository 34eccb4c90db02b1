// Bitmaps for the artwork generators: a picture of palette indices in the
// sixteen colours of the standard Windows palette, or of 24-bit colours,
// and writers of uncompressed BMP files (4, 8 or 24 bits per pixel; an
// 8-bit file can take its palette from the picture), and a reader of what
// they write. Runs on the build machine only.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "whole_file.h"

namespace artwork {

// The sixteen colours of the standard palette, in its usual order.
enum Colour : uint8_t {
    BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER,
    GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE,
};

struct Rgb {
    uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};

constexpr Rgb STANDARD_PALETTE[16] = {
    {0, 0, 0},       {128, 0, 0},     {0, 128, 0},   {128, 128, 0}, {0, 0, 128},   {128, 0, 128},
    {0, 128, 128},   {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},     {255, 0, 255},   {0, 255, 255}, {255, 255, 255},
};

// Palette indices, top-down rows.
struct IndexedBitmap {
    int width, height;
    std::vector<uint8_t> index;
    IndexedBitmap(int w, int h, uint8_t fill) : width(w), height(h), index(static_cast<size_t>(w * h), fill) {}
    void Set(int x, int y, uint8_t c) {
        if (x >= 0 && y >= 0 && x < width && y < height) index[static_cast<size_t>(y * width + x)] = c;
    }
    uint8_t At(int x, int y) const { return index[static_cast<size_t>(y * width + x)]; }
};

// 24-bit colours, top-down rows.
struct RgbBitmap {
    int width, height;
    std::vector<Rgb> pixels;
    RgbBitmap(int w, int h, Rgb fill) : width(w), height(h), pixels(static_cast<size_t>(w * h), fill) {}
    void Set(int x, int y, Rgb c) {
        if (x >= 0 && y >= 0 && x < width && y < height) pixels[static_cast<size_t>(y * width + x)] = c;
    }
    Rgb At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

namespace detail {

inline void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

inline void PutHeaders(std::vector<uint8_t>& out, int width, int height, int bits, uint32_t colours, uint32_t rowBytes) {
    uint32_t offset = 14 + 40 + colours * 4;
    uint32_t imageBytes = rowBytes * static_cast<uint32_t>(height);
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + imageBytes);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(bits));
    Put32(out, 0);
    Put32(out, imageBytes);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, colours);
    Put32(out, colours);
}

}  // namespace detail

// A 4-bit BMP in the standard palette.
inline bool Write4BitBmp(const std::string& path, const IndexedBitmap& b) {
    uint32_t rowBytes = (static_cast<uint32_t>(b.width + 1) / 2 + 3) / 4 * 4;
    std::vector<uint8_t> out;
    detail::PutHeaders(out, b.width, b.height, 4, 16, rowBytes);
    for (const Rgb& c : STANDARD_PALETTE) out.insert(out.end(), {c.b, c.g, c.r, 0});
    for (int y = b.height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(rowBytes, 0);
        for (int x = 0; x < b.width; ++x) {
            auto c = static_cast<uint8_t>(b.At(x, y) & 0x0F);
            row[static_cast<size_t>(x / 2)] |= static_cast<uint8_t>(x % 2 == 0 ? c << 4 : c);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return WriteWholeFile(path, out);
}

// An 8-bit BMP with the given palette (at most 256 colours) and indices.
inline bool Write8BitBmp(const std::string& path, const std::vector<Rgb>& palette, int width, int height,
                         const std::vector<uint8_t>& topDownIndices) {
    uint32_t rowBytes = (static_cast<uint32_t>(width) + 3) / 4 * 4;
    std::vector<uint8_t> out;
    detail::PutHeaders(out, width, height, 8, static_cast<uint32_t>(palette.size()), rowBytes);
    for (const Rgb& c : palette) out.insert(out.end(), {c.b, c.g, c.r, 0});
    for (int y = height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(rowBytes, 0);
        for (int x = 0; x < width; ++x) row[static_cast<size_t>(x)] = topDownIndices[static_cast<size_t>(y * width + x)];
        out.insert(out.end(), row.begin(), row.end());
    }
    return WriteWholeFile(path, out);
}

// The colours of a 24-bit picture in the order they first appear, and each
// pixel's index into them; false when there are more than 256.
inline bool BuildPalette(const RgbBitmap& b, std::vector<Rgb>& palette, std::vector<uint8_t>& indices) {
    palette.clear();
    indices.assign(b.pixels.size(), 0);
    for (size_t i = 0; i < b.pixels.size(); ++i) {
        size_t k = 0;
        while (k < palette.size() && !(palette[k] == b.pixels[i])) ++k;
        if (k == palette.size()) {
            if (palette.size() == 256) return false;
            palette.push_back(b.pixels[i]);
        }
        indices[i] = static_cast<uint8_t>(k);
    }
    return true;
}

// An 8-bit BMP of a 24-bit picture of at most 256 colours, with those
// colours as its palette; false (nothing written) when there are more.
inline bool Write8BitBmp(const std::string& path, const RgbBitmap& b) {
    std::vector<Rgb> palette;
    std::vector<uint8_t> indices;
    return BuildPalette(b, palette, indices) && Write8BitBmp(path, palette, b.width, b.height, indices);
}

// A 24-bit BMP.
inline bool Write24BitBmp(const std::string& path, const RgbBitmap& b) {
    uint32_t rowBytes = (static_cast<uint32_t>(b.width) * 3 + 3) / 4 * 4;
    std::vector<uint8_t> out;
    detail::PutHeaders(out, b.width, b.height, 24, 0, rowBytes);
    for (int y = b.height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(rowBytes, 0);
        for (int x = 0; x < b.width; ++x) {
            Rgb c = b.At(x, y);
            row[static_cast<size_t>(x * 3)] = c.b;
            row[static_cast<size_t>(x * 3 + 1)] = c.g;
            row[static_cast<size_t>(x * 3 + 2)] = c.r;
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return WriteWholeFile(path, out);
}

// A BMP file read back: its header's size and depth, and its pixels as
// 24-bit colours, top-down. Reads the uncompressed 4-, 8- and 24-bit files
// written above; false for anything else or a file cut short.
struct ReadBitmap {
    int bits = 0;
    RgbBitmap picture{0, 0, {0, 0, 0}};
};

inline bool ReadBmp(const std::string& path, ReadBitmap& out) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return false;
    std::vector<uint8_t> bytes;
    uint8_t buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(f);
    auto get = [&](size_t at, int size) {
        uint32_t v = 0;
        for (int i = size - 1; i >= 0; --i) v = v << 8 | bytes[at + static_cast<size_t>(i)];
        return v;
    };
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M' || get(14, 4) != 40 || get(30, 4) != 0) return false;
    auto width = static_cast<int32_t>(get(18, 4)), height = static_cast<int32_t>(get(22, 4));
    auto bits = static_cast<int>(get(28, 2));
    uint32_t offset = get(10, 4), colours = get(46, 4);
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096 || (bits != 4 && bits != 8 && bits != 24)) return false;
    if (bits != 24 && colours == 0) colours = 1u << bits;
    if (bits != 24 && (colours > (1u << bits) || 54 + colours * 4 > bytes.size())) return false;
    uint32_t rowBytes = (static_cast<uint32_t>(width) * static_cast<uint32_t>(bits) + 31) / 32 * 4;
    if (offset > bytes.size() || (bytes.size() - offset) / rowBytes < static_cast<uint32_t>(height)) return false;
    out.bits = bits;
    out.picture = RgbBitmap(width, height, {0, 0, 0});
    for (int y = 0; y < height; ++y) {
        size_t row = offset + static_cast<size_t>(height - 1 - y) * rowBytes;
        for (int x = 0; x < width; ++x) {
            if (bits == 24) {
                size_t at = row + static_cast<size_t>(x) * 3;
                out.picture.Set(x, y, {bytes[at + 2], bytes[at + 1], bytes[at]});
                continue;
            }
            uint32_t index = bits == 8 ? bytes[row + static_cast<size_t>(x)]
                                       : (bytes[row + static_cast<size_t>(x / 2)] >> (x % 2 == 0 ? 4 : 0)) & 0x0F;
            if (index >= colours) return false;
            size_t entry = 54 + index * 4;
            out.picture.Set(x, y, {bytes[entry + 2], bytes[entry + 1], bytes[entry]});
        }
    }
    return true;
}

}  // namespace artwork
