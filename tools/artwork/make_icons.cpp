// Draws the program icons (film scanner body with a strip of film in its
// slot) and writes them as .ico files with 16, 32 and 48 pixel images.
// Built and run on the build machine; the resource compiler takes the result.
//
// Usage: make_icons OUTPUT.ico source|host
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "common/bitmap_file.h"
#include "whole_file.h"

namespace {

struct Rgba {
    double r, g, b, a;
};

// A picture drawn at four times its size in each direction and averaged
// down, which smooths every edge.
constexpr int SUPERSAMPLE = 4;

struct Canvas {
    int size;  // final size in pixels
    std::vector<Rgba> pixels;  // supersampled, premultiplied by nothing: plain over
    explicit Canvas(int s) : size(s), pixels(static_cast<size_t>(s * s * SUPERSAMPLE * SUPERSAMPLE), Rgba{0, 0, 0, 0}) {}
    int Span() const { return size * SUPERSAMPLE; }
    void Blend(int x, int y, Rgba c) {
        Rgba& d = pixels[static_cast<size_t>(y * Span() + x)];
        double a = c.a + d.a * (1 - c.a);
        if (a <= 0) return;
        d.r = (c.r * c.a + d.r * d.a * (1 - c.a)) / a;
        d.g = (c.g * c.a + d.g * d.a * (1 - c.a)) / a;
        d.b = (c.b * c.a + d.b * d.a * (1 - c.a)) / a;
        d.a = a;
    }
};

// Shapes are given in units of a 48 x 48 design grid.
template <typename Inside, typename Colour>
void Fill(Canvas& canvas, Inside inside, Colour colour) {
    double scale = 48.0 / canvas.Span();
    for (int y = 0; y < canvas.Span(); ++y) {
        for (int x = 0; x < canvas.Span(); ++x) {
            double u = (x + 0.5) * scale, v = (y + 0.5) * scale;
            if (inside(u, v)) canvas.Blend(x, y, colour(u, v));
        }
    }
}

bool InRoundRect(double u, double v, double x0, double y0, double x1, double y1, double r) {
    if (u < x0 || u > x1 || v < y0 || v > y1) return false;
    double cx = u < x0 + r ? x0 + r : (u > x1 - r ? x1 - r : u);
    double cy = v < y0 + r ? y0 + r : (v > y1 - r ? y1 - r : v);
    return (u - cx) * (u - cx) + (v - cy) * (v - cy) <= r * r;
}

Rgba Mix(Rgba a, Rgba b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

// Film strip, rotated by `angle` around (cx, cy): amber base, dark frames,
// sprocket holes along both edges.
void DrawFilm(Canvas& c, double cx, double cy, double angle, double length, double width) {
    double ca = std::cos(angle), sa = std::sin(angle);
    auto local = [=](double u, double v, double& s, double& t) {
        double du = u - cx, dv = v - cy;
        s = du * ca + dv * sa;
        t = -du * sa + dv * ca;
    };
    Fill(c, [&](double u, double v) { double s, t; local(u, v, s, t);
             return std::fabs(s) <= length / 2 && std::fabs(t) <= width / 2; },
         [&](double u, double v) { double s, t; local(u, v, s, t);
             return Mix(Rgba{0.93, 0.60, 0.20, 1}, Rgba{0.72, 0.38, 0.10, 1}, (t + width / 2) / width); });
    double frame = width * 0.56;
    Fill(c, [&](double u, double v) { double s, t; local(u, v, s, t);
             double cell = std::fmod(s + length, frame * 1.25);
             return std::fabs(t) <= frame / 2 && cell > frame * 0.12 && cell < frame * 1.13 && std::fabs(s) < length / 2 - 1; },
         [&](double u, double v) { double s, t; local(u, v, s, t);
             return Mix(Rgba{0.35, 0.55, 0.80, 1}, Rgba{0.20, 0.30, 0.45, 1}, (t + frame / 2) / frame); });
    double hole = width * 0.10;
    Fill(c, [&](double u, double v) { double s, t; local(u, v, s, t);
             double cell = std::fmod(s + length, hole * 3.2);
             return std::fabs(std::fabs(t) - width * 0.39) <= hole * 0.6 && cell < hole * 1.6 && std::fabs(s) < length / 2 - 1; },
         [](double, double) { return Rgba{0.98, 0.93, 0.82, 1}; });
}

void DrawScanner(Canvas& c, bool host) {
    // Shadow, body, top face and the slot the film goes into.
    Fill(c, [](double u, double v) { return InRoundRect(u, v, 4, 22, 46, 45, 5); },
         [](double, double) { return Rgba{0, 0, 0, 0.25}; });
    Fill(c, [](double u, double v) { return InRoundRect(u, v, 2, 19, 44, 42, 5); },
         [](double, double v) { return Mix(Rgba{0.42, 0.44, 0.48, 1}, Rgba{0.16, 0.17, 0.19, 1}, (v - 19) / 23); });
    Fill(c, [](double u, double v) { return InRoundRect(u, v, 4, 21, 42, 27, 2.5); },
         [](double, double) { return Rgba{0.62, 0.64, 0.68, 1}; });
    DrawFilm(c, 23, 13, -0.30, 34, 13);
    Fill(c, [](double u, double v) { return InRoundRect(u, v, 7, 23, 39, 25.5, 1.2); },
         [](double, double) { return Rgba{0.05, 0.05, 0.06, 1}; });
    // Power lamp and, for the host program, a small picture frame badge.
    Fill(c, [](double u, double v) { return (u - 38) * (u - 38) + (v - 35) * (v - 35) <= 5.0; },
         [](double, double) { return Rgba{0.30, 0.95, 0.45, 1}; });
    if (host) {
        Fill(c, [](double u, double v) { return InRoundRect(u, v, 6, 30, 24, 41, 1.5); },
             [](double, double) { return Rgba{0.97, 0.97, 0.97, 1}; });
        Fill(c, [](double u, double v) { return InRoundRect(u, v, 7.5, 31.5, 22.5, 39.5, 0.5); },
             [](double u, double v) { return v - 31.5 < 4 - (u - 7.5) * 0.1 ? Rgba{0.45, 0.70, 0.95, 1} : Rgba{0.30, 0.62, 0.30, 1}; });
    }
}

std::vector<uint8_t> IconImage(int size, bool host) {
    Canvas canvas(size);
    DrawScanner(canvas, host);
    // BITMAPINFOHEADER with doubled height (colour rows, then the AND mask).
    BitmapInfoHeader header = InfoHeaderFor(size, size * 2, 32);
    header.biSizeImage = 0;
    std::vector<uint8_t> out(INFO_HEADER_SIZE);
    WriteInfoHeader(header, out.data());
    std::vector<uint8_t> mask;
    int maskStride = ((size + 31) / 32) * 4;
    mask.assign(static_cast<size_t>(maskStride * size), 0);
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            double r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < SUPERSAMPLE; ++sy)
                for (int sx = 0; sx < SUPERSAMPLE; ++sx) {
                    const Rgba& p = canvas.pixels[static_cast<size_t>((y * SUPERSAMPLE + sy) * canvas.Span() + x * SUPERSAMPLE + sx)];
                    r += p.r * p.a; g += p.g * p.a; b += p.b * p.a; a += p.a;
                }
            double n = SUPERSAMPLE * SUPERSAMPLE;
            double alpha = a / n;
            auto channel = [&](double v) { return static_cast<uint8_t>(a > 0 ? std::lround(255.0 * v / a) : 0); };
            out.push_back(channel(b)); out.push_back(channel(g)); out.push_back(channel(r));
            out.push_back(static_cast<uint8_t>(std::lround(alpha * 255.0)));
            if (alpha < 0.5) {
                mask[static_cast<size_t>((size - 1 - y) * maskStride + x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
            }
        }
    }
    out.insert(out.end(), mask.begin(), mask.end());
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 || (std::strcmp(argv[2], "source") != 0 && std::strcmp(argv[2], "host") != 0)) {
        std::fprintf(stderr, "usage: %s OUTPUT.ico source|host\n", argv[0]);
        return 2;
    }
    bool host = std::strcmp(argv[2], "host") == 0;
    const int sizes[] = {16, 32, 48};
    std::vector<std::vector<uint8_t>> images;
    for (int s : sizes) images.push_back(IconImage(s, host));
    std::vector<uint8_t> file = {0, 0, 1, 0, static_cast<uint8_t>(images.size()), 0};
    uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        uint8_t s = static_cast<uint8_t>(sizes[i]);
        uint32_t n = static_cast<uint32_t>(images[i].size());
        uint8_t entry[16] = {s, s, 0, 0, 1, 0, 32, 0};
        WriteLe32(entry + 8, n);
        WriteLe32(entry + 12, offset);
        file.insert(file.end(), entry, entry + 16);
        offset += n;
    }
    for (auto& image : images) file.insert(file.end(), image.begin(), image.end());
    if (!artwork::WriteWholeFile(argv[1], file)) {
        std::fprintf(stderr, "make_icons: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
