// Label text for the artwork generators: ImageMagick's convert renders one
// line of text in a TrueType face, and the generator reads it back as a
// grey coverage map to blend into its own pictures. The generators of the
// main scan window and of the index window both draw their labels this way;
// each keeps its own placing and drawing of a label. Runs on the build
// machine only.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace artwork {

// A coverage map, 0 (no ink) to 255 (full ink), top-down rows. Outside the
// map there is no ink.
struct Coverage {
    int width = 0, height = 0;
    std::vector<uint8_t> level;
    uint8_t At(int x, int y) const {
        if (x < 0 || y < 0 || x >= width || y >= height) return 0;
        return level[static_cast<size_t>(y * width + x)];
    }
};

// The columns and rows that hold ink, inclusive; left > right when there is
// none. The faint fringe the antialiasing leaves (below 48) does not count,
// so that labels line up by their strokes.
struct InkBox {
    int left, top, right, bottom;
};

inline InkBox InkBoxOf(const Coverage& c) {
    InkBox ink = {c.width, c.height, -1, -1};
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            if (c.At(x, y) < 48) continue;
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
        }
    }
    return ink;
}

// One face at one size. Every label rendered from it has the same height
// and baseline, so a reference glyph's ink tells where capitals (or, for
// Japanese, the full-width square) sit in each rendering.
struct Face {
    std::string file;
    int pixels;
    double emboldening;  // 0, or how strongly strokes are widened by a pixel: the Japanese face has no bold
    const char* reference;
};

// Reads a binary grey map as convert writes it: "P5", width, height,
// maximum 255, one whitespace, then one byte a pixel. False, with `out`
// unchanged, for anything else, for a map wider or taller than 4096 or for
// fewer pixel bytes than the header promises; never reads past `bytes`.
inline bool ParsePgm(const std::vector<uint8_t>& bytes, Coverage& out) {
    size_t at = 0;
    auto skipSpace = [&] {
        while (at < bytes.size() && (bytes[at] == ' ' || bytes[at] == '\n' || bytes[at] == '\r' || bytes[at] == '\t'))
            ++at;
    };
    // Stops taking digits at 100000, which no accepted size reaches, so the
    // value cannot overflow.
    auto number = [&](int& value) {
        skipSpace();
        value = 0;
        size_t start = at;
        while (at < bytes.size() && bytes[at] >= '0' && bytes[at] <= '9' && value < 100000)
            value = value * 10 + (bytes[at++] - '0');
        return at > start;
    };
    if (bytes.size() < 2 || bytes[0] != 'P' || bytes[1] != '5') return false;
    at = 2;
    int width, height, maximum;
    if (!number(width) || !number(height) || !number(maximum) || maximum != 255 || at >= bytes.size()) return false;
    ++at;
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096) return false;
    size_t size = static_cast<size_t>(width) * static_cast<size_t>(height);
    if (bytes.size() - at < size) return false;
    out.width = width;
    out.height = height;
    out.level.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                     bytes.begin() + static_cast<std::ptrdiff_t>(at + size));
    return true;
}

// Widens each stroke by a pixel to the right, as a bold face would: every
// pixel takes the larger of its own level and `strength` times its left
// neighbour's. The map grows by one column.
inline void Embolden(Coverage& c, double strength) {
    Coverage wider;
    wider.width = c.width + 1;
    wider.height = c.height;
    wider.level.assign(static_cast<size_t>(wider.width * wider.height), 0);
    for (int y = 0; y < wider.height; ++y)
        for (int x = 0; x < wider.width; ++x)
            wider.level[static_cast<size_t>(y * wider.width + x)] =
                std::max(c.At(x, y), static_cast<uint8_t>(std::lround(c.At(x - 1, y) * strength)));
    c = std::move(wider);
}

// Runs convert through the shell, one label at a time.
struct TextRenderer {
    std::string convert;  // the path of ImageMagick's convert
    std::string program;  // the generator's name, which starts its messages

    // Renders `text` in `face` into `out`, emboldened as the face asks.
    // False, with a message on stderr, when the text has a character that
    // convert or the shell would interpret, when a path has a quote the
    // command could not hold, or when convert cannot render the text.
    bool Render(const Face& face, const std::string& text, Coverage& out) const {
        if (text.find_first_of("'%@\\\n") != std::string::npos) {
            std::fprintf(stderr, "%s: label text \"%s\" has a character convert would interpret\n", program.c_str(),
                         text.c_str());
            return false;
        }
        if (convert.find('\'') != std::string::npos || face.file.find('\'') != std::string::npos) {
            std::fprintf(stderr, "%s: the path of convert or of a font has a quote\n", program.c_str());
            return false;
        }
        std::string command = "'" + convert + "' -background black -fill white -font '" + face.file +
                              "' -pointsize " + std::to_string(face.pixels) + " -density 72 label:'" + text +
                              "' -colorspace Gray -depth 8 pgm:-";
        auto fail = [&] {
            std::fprintf(stderr, "%s: %s could not render \"%s\"\n", program.c_str(), convert.c_str(), text.c_str());
            return false;
        };
        FILE* pipe = popen(command.c_str(), "r");
        if (pipe == nullptr) return fail();
        std::vector<uint8_t> bytes;
        uint8_t buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
        if (pclose(pipe) != 0 || !ParsePgm(bytes, out)) return fail();
        if (face.emboldening > 0) Embolden(out, face.emboldening);
        return true;
    }
};

}  // namespace artwork
