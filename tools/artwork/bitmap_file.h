// Bitmaps for the artwork generators: a picture of palette indices in the
// sixteen colours of the standard Windows palette, or of 24-bit colours,
// and writers of uncompressed BMP files (4, 8 or 24 bits per pixel; an
// 8-bit file can take its palette from the picture), and a reader of what
// they write; the headers are common/bitmap_file.h's. Runs on the build
// machine only.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "common/bitmap_file.h"
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

// 72 dots per inch.
constexpr int32_t PELS_PER_METER = 2835;

// The headers of a bottom-up file with `colours` palette entries; returns
// the bytes of one row.
inline uint32_t PutHeaders(std::vector<uint8_t>& out, int width, int height, int bits, uint32_t colours) {
    BitmapInfoHeader info = InfoHeaderFor(width, height, static_cast<uint16_t>(bits), PELS_PER_METER, colours);
    AppendBitmapHeaders(out, FileHeaderFor(info.biSizeImage, colours), info);
    return static_cast<uint32_t>(BitmapRowBytes(static_cast<uint32_t>(width), static_cast<uint32_t>(bits)));
}

}  // namespace detail

// A 4-bit BMP in the standard palette.
inline bool Write4BitBmp(const std::string& path, const IndexedBitmap& b) {
    std::vector<uint8_t> out;
    uint32_t rowBytes = detail::PutHeaders(out, b.width, b.height, 4, 16);
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
    std::vector<uint8_t> out;
    uint32_t rowBytes = detail::PutHeaders(out, width, height, 8, static_cast<uint32_t>(palette.size()));
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
    std::vector<uint8_t> out;
    uint32_t rowBytes = detail::PutHeaders(out, b.width, b.height, 24, 0);
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
    if (bytes.size() < PIXELS_OFFSET) return false;
    BitmapFileHeader file = ReadFileHeader(bytes.data());
    BitmapInfoHeader info = ReadInfoHeader(bytes.data() + FILE_HEADER_SIZE);
    if (file.bfType != BITMAP_FILE_TYPE || info.biSize != INFO_HEADER_SIZE || info.biCompression != RGB_COMPRESSION) {
        return false;
    }
    int32_t width = info.biWidth, height = info.biHeight;
    int bits = info.biBitCount;
    uint32_t offset = file.bfOffBits, colours = info.biClrUsed;
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096 || (bits != 4 && bits != 8 && bits != 24)) return false;
    if (bits != 24 && colours == 0) colours = 1u << bits;
    if (bits != 24 && (colours > (1u << bits) || PIXELS_OFFSET + colours * 4 > bytes.size())) return false;
    uint64_t rowBytes = BitmapRowBytes(static_cast<uint32_t>(width), static_cast<uint32_t>(bits));
    if (!BitmapRowsFit(offset, rowBytes, static_cast<uint32_t>(height), bytes.size())) return false;
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
            size_t entry = PIXELS_OFFSET + index * 4;
            out.picture.Set(x, y, {bytes[entry + 2], bytes[entry + 1], bytes[entry]});
        }
    }
    return true;
}

}  // namespace artwork
