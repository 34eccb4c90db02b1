// Draws the pictures on the virtual scanner's film: a colour chart, a grey
// ramp and a landscape with sky, each for a 35 mm frame (3:2) and an APS
// frame (the H format, about 16:9), written as 24-bit BMP files.
// Built and run on the build machine.
//
// Usage: make_frames OUTPUT_FOLDER
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "bitmap_file.h"

namespace {

struct Rgb {
    double r, g, b;  // 0..255
};

Rgb Mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// A picture function takes coordinates 0..1 across and down and the aspect
// ratio (width over height).
using Painter = Rgb (*)(double x, double y, double aspect);

// Six by four patches of familiar colours: skin, sky, foliage, the
// primaries and secondaries, and a row of greys from white to black.
Rgb Chart(double x, double y, double) {
    static constexpr Rgb PATCHES[4][6] = {
        {{115, 82, 68}, {194, 150, 130}, {98, 122, 157}, {87, 108, 67}, {133, 128, 177}, {103, 189, 170}},
        {{214, 126, 44}, {80, 91, 166}, {193, 90, 99}, {94, 60, 108}, {157, 188, 64}, {224, 163, 46}},
        {{56, 61, 150}, {70, 148, 73}, {175, 54, 60}, {231, 199, 31}, {187, 86, 149}, {8, 133, 161}},
        {{243, 243, 242}, {200, 200, 200}, {160, 160, 160}, {122, 122, 121}, {85, 85, 85}, {52, 52, 52}},
    };
    constexpr double MARGIN = 0.04, GAP = 0.02;
    Rgb background = {20, 20, 20};
    double cx = (x - MARGIN) / (1 - 2 * MARGIN) * 6, cy = (y - MARGIN) / (1 - 2 * MARGIN) * 4;
    if (cx < 0 || cy < 0 || cx >= 6 || cy >= 4) return background;
    int col = static_cast<int>(cx), row = static_cast<int>(cy);
    double fx = cx - col, fy = cy - row;
    if (fx < GAP * 3 || fx > 1 - GAP * 3 || fy < GAP * 4 || fy > 1 - GAP * 4) return background;
    return PATCHES[row][col];
}

// Top half a smooth ramp from black to white, bottom half sixteen steps.
Rgb Ramp(double x, double y, double) {
    double level = y < 0.5 ? x * 255 : std::min(std::floor(x * 16), 15.0) * 17;
    if (std::fabs(y - 0.5) < 0.01) level = 128;
    return {level, level, level};
}

double Hash(int n) {
    uint32_t v = static_cast<uint32_t>(n) * 2654435761u;
    v ^= v >> 15;
    v *= 2246822519u;
    v ^= v >> 13;
    return (v & 0xFFFF) / 65535.0;
}

// Smooth value noise in one dimension, for ridges and shores.
double Noise(double t) {
    int i = static_cast<int>(std::floor(t));
    double f = t - i, s = f * f * (3 - 2 * f);
    return Hash(i) * (1 - s) + Hash(i + 1) * s;
}

// A lake below mountains, hills and a sky with a low sun and a cloud.
Rgb Scene(double x, double y, double aspect) {
    double u = x * aspect;  // square units across
    Rgb zenith = {40, 90, 190}, horizon = {190, 215, 240};
    Rgb colour = Mix(zenith, horizon, y / 0.55);
    double sunX = 0.72 * aspect, sunY = 0.22;
    double sun = std::hypot(u - sunX, y - sunY);
    colour = Mix(colour, {255, 240, 200}, 0.6 * std::exp(-sun * 9));
    if (sun < 0.045) colour = {255, 250, 225};
    double cloud = std::exp(-std::pow((u - 0.35 * aspect) / 0.22, 2) - std::pow((y - 0.15) / 0.04, 2));
    colour = Mix(colour, {250, 250, 252}, cloud * 1.4);
    double ridge = 0.40 + 0.10 * Noise(u * 3.1) + 0.05 * Noise(u * 9.7 + 4);
    if (y > ridge) {
        double snow = y < ridge + 0.03 + 0.02 * Noise(u * 17) ? 1 : 0;
        colour = Mix({95, 100, 120}, {245, 245, 250}, snow);
    }
    double hill = 0.52 + 0.05 * Noise(u * 2.3 + 11) + 0.015 * Noise(u * 23);
    if (y > hill) colour = Mix({70, 130, 50}, {30, 80, 30}, (y - hill) / 0.15);
    double shore = 0.66 + 0.02 * Noise(u * 5 + 2);
    if (y > shore) {
        // The lake mirrors the sky, darker, with ripples.
        Rgb sky = Mix(horizon, zenith, (y - shore) / 0.4);
        double ripple = 0.5 + 0.5 * std::sin(y * 240 + Noise(u * 12) * 6);
        colour = Mix(Mix(sky, {20, 50, 90}, 0.45), {220, 230, 240}, 0.12 * ripple);
    }
    // A tree on the left shore.
    double trunkX = 0.16 * aspect;
    if (std::fabs(u - trunkX) < 0.008 && y > 0.50 && y < shore + 0.01) colour = {70, 45, 25};
    if (std::hypot((u - trunkX) / 0.06, (y - 0.47) / 0.09) < 1) {
        colour = Mix({35, 95, 35}, {20, 60, 20}, Noise(u * 80 + y * 50));
    }
    return colour;
}

uint8_t Channel(double value) {
    return static_cast<uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

// Paints each pixel at its centre and writes the picture whole or not at
// all, so that an interrupted build never leaves a frame cut short.
bool WriteBmp(const std::string& path, int width, int height, Painter paint) {
    artwork::RgbBitmap picture(width, height, {0, 0, 0});
    double aspect = static_cast<double>(width) / height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Rgb c = paint((x + 0.5) / width, (y + 0.5) / height, aspect);
            picture.Set(x, y, {Channel(c.r), Channel(c.g), Channel(c.b)});
        }
    }
    return artwork::Write24BitBmp(path, picture);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_frames OUTPUT_FOLDER\n");
        return 2;
    }
    std::string folder = argv[1];
    struct Job {
        const char* name;
        int width, height;
        Painter paint;
    };
    // 30 pixels per millimetre of film: 36 x 24 mm and 30.2 x 16.7 mm.
    const Job jobs[] = {
        {"chart-35.bmp", 1080, 720, Chart}, {"ramp-35.bmp", 1080, 720, Ramp}, {"scene-35.bmp", 1080, 720, Scene},
        {"chart-aps.bmp", 906, 501, Chart}, {"ramp-aps.bmp", 906, 501, Ramp}, {"scene-aps.bmp", 906, 501, Scene},
    };
    for (const Job& job : jobs) {
        std::string path = folder + "/" + job.name;
        if (!WriteBmp(path, job.width, job.height, job.paint)) {
            std::fprintf(stderr, "make_frames: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
