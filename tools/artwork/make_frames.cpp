// Draws the pictures on the virtual scanner's film: a colour chart, a grey
// ramp and a landscape with sky, each for a 35 mm frame (3:2) and an APS
// frame (the H format, about 16:9), and the fifteen snapshots of the
// shipped APS cartridge (a summer holiday: beach, mountains, a dog, a
// portrait, fireworks, a birthday cake ...), all written as 24-bit BMP
// files. The snapshots are simple drawings, but each must read as a
// different photograph on an index sheet's thumbnail.
// Built and run on the build machine.
//
// Usage: make_frames OUTPUT_FOLDER
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
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

// ---- The holiday film: fifteen snapshots for the APS cartridge ----------
//
// Shapes are given by signed distances in picture heights (negative inside)
// and blended over about one pixel, so edges do not stair-step.

double Cover(double distance) {
    return std::clamp(0.5 - distance / 0.003, 0.0, 1.0);
}

void Paint(Rgb& colour, Rgb over, double coverage) {
    colour = Mix(colour, over, coverage);
}

double Circle(double u, double y, double cu, double cy, double r) {
    return std::hypot(u - cu, y - cy) - r;
}

double Ellipse(double u, double y, double cu, double cy, double ru, double ry) {
    return (std::hypot((u - cu) / ru, (y - cy) / ry) - 1) * std::min(ru, ry);
}

double Box(double u, double y, double left, double top, double right, double bottom) {
    return std::max({left - u, u - right, top - y, y - bottom});
}

// A triangle standing on its base, apex at (cu, top).
double Spire(double u, double y, double cu, double top, double halfBase, double bottom) {
    double slope = halfBase / (bottom - top);
    return std::max(std::fabs(u - cu) - (y - top) * slope, y - bottom);
}

Rgb Sky(double y, Rgb top, Rgb horizon, double horizonY) {
    return Mix(top, horizon, y / horizonY);
}

// Scattered stars on a night sky: one in a few dozen grid cells.
double Stars(double u, double y) {
    int cu = static_cast<int>(u * 90), cy = static_cast<int>(y * 90);
    double h = Hash(cu * 7919 + cy * 104729);
    if (h < 0.93) return 0;
    double su = (cu + Hash(cu * 31 + cy)) / 90, sy = (cy + Hash(cu + cy * 37)) / 90;
    return std::clamp(1 - std::hypot(u - su, y - sy) / 0.0035, 0.0, 1.0) * (h - 0.93) / 0.07;
}

// Frame 1: a beach at mid-morning, a striped sunshade and a towel.
Rgb Beach(double x, double y, double aspect) {
    double u = x * aspect;
    Rgb colour = Sky(y, {60, 130, 215}, {185, 220, 245}, 0.42);
    Paint(colour, {255, 252, 230}, Cover(Circle(u, y, 1.45, 0.12, 0.05)));
    double cloud = std::exp(-std::pow((u - 0.5) / 0.25, 2) - std::pow((y - 0.18) / 0.035, 2));
    Paint(colour, {250, 250, 252}, cloud * 1.2);
    if (y > 0.42) {
        double wave = 0.5 + 0.5 * std::sin(u * 60 + y * 300);
        colour = Mix(Mix({30, 110, 170}, {70, 170, 200}, (y - 0.42) / 0.2), {235, 245, 250}, 0.12 * wave);
    }
    double shore = 0.62 + 0.015 * std::sin(u * 9);
    if (y > shore - 0.012 && y <= shore) colour = {240, 245, 245};  // foam
    if (y > shore) colour = Mix({225, 200, 150}, {205, 170, 115}, (y - shore) / 0.38);
    // The sunshade: a striped dome on a pole, its shadow on the sand.
    Paint(colour, {170, 140, 95}, 0.6 * Cover(Ellipse(u, y, 0.62, 0.90, 0.20, 0.035)));
    Paint(colour, {235, 235, 230}, Cover(Box(u, y, 0.495, 0.50, 0.505, 0.88)));
    double dome = std::max(Ellipse(u, y, 0.50, 0.52, 0.24, 0.12), y - 0.52);
    bool stripe = static_cast<int>(std::floor((u - 0.26) / 0.06)) % 2 == 0;
    Paint(colour, stripe ? Rgb{215, 40, 45} : Rgb{250, 248, 240}, Cover(dome));
    Paint(colour, {40, 120, 200}, Cover(Box(u, y, 0.85, 0.80, 1.20, 0.88)));  // towel
    Paint(colour, {250, 210, 40}, Cover(Box(u, y, 0.85, 0.83, 1.20, 0.845)));
    Paint(colour, {240, 90, 40}, Cover(Circle(u, y, 1.40, 0.82, 0.04)));     // ball
    Paint(colour, {250, 250, 250}, Cover(std::max(Circle(u, y, 1.40, 0.82, 0.04), std::fabs(u - 1.40) - 0.01)));
    return colour;
}

// Frame 2: snowy peaks above a meadow with pines.
Rgb Mountains(double x, double y, double aspect) {
    double u = x * aspect;
    Rgb colour = Sky(y, {35, 85, 180}, {170, 205, 235}, 0.5);
    struct Peak { double u, top, half; };
    static constexpr Peak PEAKS[] = {{0.35, 0.18, 0.45}, {0.95, 0.10, 0.55}, {1.55, 0.22, 0.45}};
    for (const Peak& p : PEAKS) {
        double d = Spire(u, y, p.u, p.top, p.half, 0.75);
        double shade = u < p.u ? 0.0 : 0.35;  // the sun from the left
        Rgb rock = Mix({120, 115, 125}, {70, 70, 85}, shade);
        Rgb snow = Mix({250, 250, 255}, {190, 200, 225}, shade);
        double snowLine = p.top + 0.12 + 0.03 * Noise(u * 25);
        Paint(colour, y < snowLine ? snow : rock, Cover(d));
    }
    double meadow = 0.62 + 0.04 * Noise(u * 3 + 5);
    if (y > meadow) colour = Mix({110, 160, 60}, {60, 120, 40}, (y - meadow) / 0.35);
    for (int i = 0; i < 9; ++i) {
        double cu = 0.1 + i * 0.2 + 0.05 * Hash(i), base = 0.70 + 0.2 * Hash(i + 50), height = 0.12 + 0.1 * Hash(i + 9);
        Paint(colour, {25, 70, 35}, Cover(Spire(u, y, cu, base - height, height * 0.3, base)));
        Paint(colour, {80, 55, 30}, Cover(Box(u, y, cu - 0.006, base, cu + 0.006, base + 0.02)));
    }
    return colour;
}

// Frame 3: a brown dog on the lawn with its red ball.
Rgb Dog(double x, double y, double aspect) {
    double u = x * aspect;
    Rgb colour = Sky(y, {90, 150, 220}, {200, 225, 240}, 0.4);
    double hedge = 0.40 + 0.03 * Noise(u * 8);
    if (y > hedge) colour = Mix({40, 90, 40}, {30, 70, 30}, Noise(u * 40 + y * 30));
    if (y > 0.55) colour = Mix({120, 175, 70}, {80, 140, 50}, (y - 0.55) / 0.45 + 0.1 * Noise(u * 90));
    Rgb fur = {150, 95, 50}, dark = {95, 60, 30};
    Paint(colour, {70, 110, 40}, 0.7 * Cover(Ellipse(u, y, 0.85, 0.90, 0.38, 0.04)));  // shadow
    for (double leg : {0.70, 1.08, 0.62, 1.00}) {  // the far legs first, in shade
        Paint(colour, leg == 0.70 || leg == 1.08 ? dark : fur, Cover(Box(u, y, leg - 0.025, 0.62, leg + 0.025, 0.89)));
    }
    Paint(colour, fur, Cover(Ellipse(u, y, 0.85, 0.60, 0.30, 0.11)));                      // body
    Paint(colour, fur, Cover(Ellipse(u, y, 0.50, 0.48, 0.03, 0.09)));                      // tail
    Paint(colour, fur, Cover(Ellipse(u, y, 1.10, 0.50, 0.07, 0.12)));                      // neck
    Paint(colour, fur, Cover(Circle(u, y, 1.18, 0.38, 0.09)));                             // head
    Paint(colour, {170, 115, 70}, Cover(Ellipse(u, y, 1.28, 0.42, 0.08, 0.05)));           // muzzle
    Paint(colour, {20, 15, 15}, Cover(Circle(u, y, 1.35, 0.40, 0.018)));                   // nose
    Paint(colour, {20, 15, 15}, Cover(Circle(u, y, 1.20, 0.35, 0.012)));                   // eye
    Paint(colour, dark, Cover(Ellipse(u, y, 1.11, 0.40, 0.035, 0.09)));                    // ear
    Paint(colour, {210, 35, 35}, Cover(Circle(u, y, 1.45, 0.84, 0.05)));
    return colour;
}

// Frame 4: a head-and-shoulders portrait against a studio backdrop.
Rgb Portrait(double x, double y, double aspect) {
    double u = x * aspect, c = aspect / 2;
    Rgb colour = Mix({120, 140, 165}, {40, 50, 70}, std::hypot(u - c, y - 0.4) / 1.0);
    Rgb skin = {225, 180, 150}, hair = {70, 45, 30};
    Paint(colour, {50, 60, 110}, Cover(Ellipse(u, y, c, 1.05, 0.42, 0.30)));               // shoulders
    Paint(colour, {210, 165, 135}, Cover(Box(u, y, c - 0.06, 0.55, c + 0.06, 0.78)));      // neck
    Paint(colour, {210, 165, 135}, Cover(std::max(std::fabs(u - c) - (0.90 - y) * 0.5, 0.70 - y)));  // open collar
    Paint(colour, hair, Cover(Ellipse(u, y, c, 0.36, 0.19, 0.25)));
    Paint(colour, skin, Cover(Ellipse(u, y, c, 0.43, 0.15, 0.20)));
    Paint(colour, hair, Cover(std::max(Ellipse(u, y, c, 0.30, 0.17, 0.12), y - 0.30)));    // fringe
    for (double side : {-1.0, 1.0}) {
        Paint(colour, {250, 250, 250}, Cover(Ellipse(u, y, c + side * 0.06, 0.42, 0.03, 0.015)));
        Paint(colour, {60, 90, 60}, Cover(Circle(u, y, c + side * 0.06, 0.42, 0.012)));
        Paint(colour, {150, 100, 80}, Cover(Ellipse(u, y, c + side * 0.06, 0.39, 0.035, 0.006)));  // brows
    }
    Paint(colour, {200, 150, 125}, Cover(Ellipse(u, y, c, 0.47, 0.015, 0.035)));           // nose
    double smile = std::max(Ellipse(u, y, c, 0.52, 0.06, 0.035), 0.525 - y);
    Paint(colour, {180, 70, 80}, Cover(smile));
    return colour;
}

// Frame 5: fireworks over a river and the town's skyline.
Rgb Fireworks(double x, double y, double aspect) {
    double u = x * aspect;
    Rgb colour = Sky(y, {5, 5, 25}, {30, 30, 70}, 0.65);
    struct Burst { double u, y, r; Rgb tint; };
    static constexpr Burst BURSTS[] = {{0.45, 0.22, 0.16, {255, 80, 80}}, {1.05, 0.15, 0.20, {120, 220, 255}},
                                       {1.45, 0.32, 0.13, {255, 220, 90}}};
    double mirror = std::min(y, 1.3 - y);  // the river mirrors the sky below 0.65
    for (const Burst& b : BURSTS) {
        double du = u - b.u, dy = mirror - b.y, r = std::hypot(du, dy);
        double angle = std::atan2(dy, du) * 24 / (2 * std::numbers::pi);
        double ray = std::fabs(angle - std::round(angle));
        double spark = r < b.r ? std::clamp(1 - ray * 6, 0.0, 1.0) * (0.3 + 0.7 * r / b.r) : 0;
        spark += 0.35 * std::exp(-r / (b.r * 0.25));
        Paint(colour, b.tint, std::min(1.0, spark) * (y > 0.65 ? 0.45 : 1));
    }
    for (int i = 0; i < 22; ++i) {  // the skyline, with a few lit windows
        double left = i * 0.085, top = 0.50 + 0.12 * Hash(i + 3);
        double d = Box(u, y, left, top, left + 0.08, 0.65);
        Paint(colour, {15, 15, 25}, Cover(d));
        int wx = static_cast<int>((u - left) / 0.016), wy = static_cast<int>((y - top) / 0.025);
        if (d < -0.006 && Hash(i * 977 + wx * 31 + wy) > 0.7) colour = {230, 190, 100};
    }
    if (y > 0.65) colour = Mix(colour, {10, 15, 35}, 0.25 + 0.1 * std::sin(y * 500));
    return colour;
}

// Frame 6: a birthday cake with candles on the table.
Rgb Cake(double x, double y, double aspect) {
    double u = x * aspect, c = aspect / 2;
    Rgb colour = Mix({70, 40, 30}, {25, 15, 12}, std::hypot(u - c, y - 0.3));
    if (y > 0.68) colour = Mix({140, 90, 50}, {90, 55, 30}, 0.5 + 0.5 * std::sin(u * 40 + 3 * Noise(y * 30)));
    Paint(colour, {235, 235, 240}, Cover(Ellipse(u, y, c, 0.78, 0.48, 0.10)));                   // plate
    Paint(colour, {240, 190, 200}, Cover(Box(u, y, c - 0.36, 0.50, c + 0.36, 0.76)));
    Paint(colour, {240, 190, 200}, Cover(Ellipse(u, y, c, 0.76, 0.36, 0.07)));                   // side
    Paint(colour, {250, 225, 230}, Cover(Ellipse(u, y, c, 0.50, 0.36, 0.07)));                   // top
    double band = 0.63 + 0.015 * std::sin(u * 80);
    Paint(colour, {200, 60, 90}, Cover(std::max(std::fabs(y - band) - 0.012, std::fabs(u - c) - 0.355)));
    for (int i = 0; i < 5; ++i) {
        double cu = c - 0.22 + i * 0.11, cy = 0.49 + 0.025 * std::sin(i * 2.1);
        Rgb wax = i % 2 ? Rgb{90, 150, 230} : Rgb{250, 230, 90};
        Paint(colour, wax, Cover(Box(u, y, cu - 0.012, cy - 0.16, cu + 0.012, cy)));
        double glow = std::exp(-std::hypot(u - cu, y - (cy - 0.2)) / 0.05);
        Paint(colour, {255, 200, 100}, 0.6 * glow);
        Paint(colour, {255, 235, 150}, Cover(Ellipse(u, y, cu, cy - 0.20, 0.014, 0.035)));
    }
    return colour;
}

// Frame 7: a family of four in a park.
Rgb Family(double x, double y, double aspect) {
    double u = x * aspect;
    Rgb colour = Sky(y, {100, 160, 225}, {210, 230, 245}, 0.45);
    double trees = 0.45 + 0.06 * Noise(u * 6) + 0.02 * Noise(u * 30);
    if (y > trees) colour = Mix({50, 100, 45}, {30, 75, 30}, Noise(u * 50 + y * 20));
    if (y > 0.66) colour = Mix({130, 180, 80}, {90, 150, 60}, (y - 0.66) / 0.34);
    struct Person { double u, height; Rgb shirt; };
    static constexpr Person PEOPLE[] = {{0.50, 0.58, {200, 60, 50}}, {0.78, 0.36, {240, 200, 60}},
                                        {1.03, 0.30, {80, 160, 210}}, {1.30, 0.54, {60, 90, 150}}};
    for (const Person& p : PEOPLE) {
        double feet = 0.92, top = feet - p.height, w = p.height * 0.22;
        Paint(colour, {50, 50, 70}, Cover(Box(u, y, p.u - w * 0.7, top + p.height * 0.55, p.u + w * 0.7, feet)));
        Paint(colour, p.shirt, Cover(Ellipse(u, y, p.u, top + p.height * 0.40, w, p.height * 0.22)));
        Paint(colour, {225, 180, 150}, Cover(Circle(u, y, p.u, top + p.height * 0.10, p.height * 0.10)));
        Paint(colour, {80, 50, 30}, Cover(std::max(Circle(u, y, p.u, top + p.height * 0.09, p.height * 0.105),
                                                   y - top - p.height * 0.06)));
    }
    return colour;
}

// Frame 8: the city at night, windows lit, a full moon.
Rgb CityNight(double x, double y, double aspect) {
    double u = x * aspect;
    Rgb colour = Sky(y, {8, 10, 35}, {60, 45, 80}, 0.8);
    Paint(colour, {255, 255, 255}, Stars(u, y));
    Paint(colour, {240, 235, 210}, Cover(Circle(u, y, 1.50, 0.15, 0.06)));
    Paint(colour, {200, 200, 220}, 0.3 * std::exp(-Circle(u, y, 1.50, 0.15, 0.06) / 0.04));
    for (int layer = 0; layer < 2; ++layer) {
        for (int i = 0; i < 16; ++i) {
            double width = layer ? 0.13 : 0.10, left = i * width * 0.95 - 0.05 * layer;
            double top = (layer ? 0.45 : 0.30) + (layer ? 0.3 : 0.35) * Hash(i * 13 + layer * 101);
            double d = Box(u, y, left, top, left + width * 0.9, 1.0);
            Paint(colour, layer ? Rgb{20, 20, 30} : Rgb{35, 35, 55}, Cover(d));
            int wx = static_cast<int>((u - left) / 0.02), wy = static_cast<int>((y - top) / 0.03);
            double fu = (u - left) / 0.02 - wx, fy = (y - top) / 0.03 - wy;
            if (d < -0.008 && fu > 0.3 && fy > 0.35 && Hash(i * 131 + wx * 17 + wy * 7 + layer) > 0.55) {
                colour = layer ? Rgb{250, 210, 120} : Rgb{200, 190, 150};
            }
        }
    }
    double road = 0.93;
    if (y > road) colour = {25, 25, 30};
    for (int i = 0; i < 5; ++i) Paint(colour, {255, 220, 150}, 0.7 * std::exp(-Circle(u, y, 0.2 + i * 0.35, 0.90, 0) / 0.02));
    return colour;
}

// Frame 9: a sailing boat against the setting sun.
Rgb Sunset(double x, double y, double aspect) {
    double u = x * aspect;
    Rgb colour = y < 0.3 ? Mix({70, 50, 120}, {220, 90, 70}, y / 0.3) : Mix({220, 90, 70}, {250, 180, 80}, (y - 0.3) / 0.3);
    Paint(colour, {255, 230, 150}, Cover(std::max(Circle(u, y, 1.2, 0.56, 0.10), y - 0.6)));
    if (y > 0.6) {
        double column = std::exp(-std::pow((u - 1.2) / (0.05 + (y - 0.6) * 0.3), 2));
        double ripple = 0.5 + 0.5 * std::sin(y * 400 + 4 * Noise(u * 20));
        colour = Mix(Mix({90, 40, 70}, {40, 20, 50}, (y - 0.6) / 0.4), {255, 200, 110}, column * ripple);
    }
    Rgb dark = {30, 15, 30};
    double hull = std::max({0.62 - y, y - 0.67, 0.42 + (y - 0.62) * 1.2 - u, u - 0.82 + (y - 0.62) * 0.8});
    Paint(colour, dark, Cover(hull));
    Paint(colour, dark, Cover(Box(u, y, 0.617, 0.25, 0.623, 0.63)));  // mast
    double mainsail = std::max({0.625 - u, y - 0.60, u - 0.625 - (y - 0.26) * 0.515});
    Paint(colour, {245, 235, 225}, Cover(mainsail));
    double jib = std::max({u - 0.612, y - 0.60, 0.612 - (y - 0.30) * 0.5 - u});
    Paint(colour, {235, 215, 205}, Cover(jib));
    for (int i = 0; i < 3; ++i) {  // gulls: two shallow arcs each
        double gu = 0.25 + 0.09 * i, gy = 0.18 + 0.04 * (i % 2);
        for (double side : {-0.018, 0.018}) {
            Paint(colour, dark, Cover(std::max(std::fabs(Circle(u, y, gu + side, gy, 0.018)) - 0.0015, y - gy)));
        }
    }
    return colour;
}

// Frame 10: a lighthouse on a cliff above the sea.
Rgb Lighthouse(double x, double y, double aspect) {
    double u = x * aspect;
    Rgb colour = Sky(y, {50, 120, 200}, {175, 210, 235}, 0.55);
    double cloud = std::exp(-std::pow((u - 0.45) / 0.3, 2) - std::pow((y - 0.22) / 0.05, 2));
    Paint(colour, {245, 245, 248}, cloud * 1.3);
    if (y > 0.55) {
        double wave = 0.5 + 0.5 * std::sin(u * 45 + y * 200 + 3 * Noise(u * 10));
        colour = Mix(Mix({40, 100, 160}, {20, 60, 110}, (y - 0.55) / 0.45), {230, 240, 245}, 0.15 * wave);
    }
    double cliffEdge = 0.95 + 0.08 * Noise(y * 12) - (y - 0.40) * 0.5;
    double cliffTop = 0.40 + 0.02 * Noise(u * 10);
    if (u > cliffEdge && y > cliffTop) colour = Mix({110, 100, 90}, {70, 65, 60}, Noise(u * 30 + y * 40));
    if (u > cliffEdge + 0.02 && y > cliffTop && y < cliffTop + 0.05) colour = {90, 140, 60};
    double c = 1.35, base = cliffTop + 0.01;
    double tower = std::max({std::fabs(u - c) - (0.045 + (y - 0.12) * 0.06), 0.12 - y, y - base});
    bool red = static_cast<int>(std::floor((y - 0.12) / 0.06)) % 2 == 0;
    Paint(colour, red ? Rgb{200, 40, 40} : Rgb{245, 245, 240}, Cover(tower));
    Paint(colour, {40, 40, 45}, Cover(Box(u, y, c - 0.06, 0.11, c + 0.06, 0.125)));            // gallery
    Paint(colour, {255, 240, 160}, Cover(Box(u, y, c - 0.035, 0.06, c + 0.035, 0.11)));         // lantern
    Paint(colour, {40, 40, 45}, Cover(Spire(u, y, c, 0.02, 0.05, 0.06)));                       // roof
    Paint(colour, {255, 245, 200}, 0.5 * std::exp(-Circle(u, y, c, 0.085, 0) / 0.05));
    return colour;
}

// Frame 11: sunflowers nodding over a summer field.
Rgb Sunflowers(double x, double y, double aspect) {
    double u = x * aspect;
    Rgb colour = Sky(y, {60, 130, 220}, {190, 220, 245}, 0.5);
    if (y > 0.50 + 0.02 * Noise(u * 5)) colour = Mix({80, 130, 40}, {40, 85, 25}, Noise(u * 60 + y * 25));
    struct Flower { double u, y, r; };
    static constexpr Flower FLOWERS[] = {{0.30, 0.45, 0.13}, {0.75, 0.58, 0.17}, {1.25, 0.40, 0.12},
                                         {1.60, 0.62, 0.15}, {1.00, 0.30, 0.07}, {0.05, 0.70, 0.10}};
    for (const Flower& f : FLOWERS) {
        Paint(colour, {50, 110, 30}, Cover(Box(u, y, f.u - 0.012, f.y, f.u + 0.012, 1.0)));    // stem
        Paint(colour, {60, 120, 35}, Cover(Ellipse(u, y, f.u + 0.06, f.y + f.r * 2, f.r * 0.5, f.r * 0.18)));
        double r = std::hypot(u - f.u, y - f.y), angle = std::atan2(y - f.y, u - f.u);
        double petals = f.r * (0.75 + 0.25 * std::fabs(std::cos(angle * 8)));
        Paint(colour, {250, 195, 20}, Cover(r - petals));
        Paint(colour, {235, 160, 10}, 0.4 * Cover(r - petals) * std::fabs(std::sin(angle * 8)));
        Rgb seeds = Mix({90, 50, 20}, {50, 30, 10}, 0.5 + 0.5 * std::sin(r * 900));
        Paint(colour, seeds, Cover(r - f.r * 0.45));
    }
    return colour;
}

// Frame 12: hot-air balloons rising at dawn over the hills.
Rgb Balloons(double x, double y, double aspect) {
    double u = x * aspect;
    Rgb colour = Sky(y, {120, 160, 220}, {250, 210, 170}, 0.7);
    double hills = 0.72 + 0.06 * Noise(u * 2.5) + 0.02 * Noise(u * 11);
    if (y > hills) colour = Mix({90, 130, 70}, {50, 90, 45}, (y - hills) / 0.25);
    struct Balloon { double u, y, r; Rgb a, b; };
    static constexpr Balloon BALLOONS[] = {{0.55, 0.35, 0.16, {220, 50, 50}, {250, 210, 60}},
                                           {1.20, 0.22, 0.11, {40, 110, 200}, {245, 245, 245}},
                                           {1.55, 0.50, 0.07, {60, 170, 90}, {240, 140, 40}}};
    for (const Balloon& b : BALLOONS) {
        double envelope = std::min(Circle(u, y, b.u, b.y, b.r),
                                   Spire(u, y, b.u, b.y + b.r * 0.2, b.r * 0.85, b.y + b.r * 1.25));
        double phase = std::asin(std::clamp((u - b.u) / b.r, -1.0, 1.0));
        bool stripe = static_cast<int>(std::floor(phase * 6 / std::numbers::pi + 6)) % 2 == 0;
        Rgb shade = Mix(stripe ? b.a : b.b, {40, 30, 40}, std::clamp((u - b.u) / b.r, 0.0, 1.0) * 0.35);
        Paint(colour, shade, Cover(envelope));
        Paint(colour, {110, 75, 40}, Cover(Box(u, y, b.u - b.r * 0.15, b.y + b.r * 1.45, b.u + b.r * 0.15, b.y + b.r * 1.65)));
        for (double side : {-1.0, 1.0}) {  // ropes
            double ru = b.u + side * b.r * (0.3 - 0.15 * (y - b.y - b.r * 1.2) / (b.r * 0.25));
            Paint(colour, {60, 50, 40}, Cover(std::max(std::fabs(u - ru) - 0.0015,
                                                       std::fabs(y - b.y - b.r * 1.325) - b.r * 0.125)));
        }
    }
    return colour;
}

// Frame 13: the star festival: a bamboo branch hung with paper wishes
// under the night sky.
Rgb StarFestival(double x, double y, double aspect) {
    double u = x * aspect;
    Rgb colour = Sky(y, {5, 10, 35}, {40, 45, 90}, 1.0);
    double band = std::exp(-std::pow((y - 0.15 - u * 0.35) / 0.12, 2));  // the Milky Way
    Paint(colour, {120, 120, 170}, 0.45 * band * (0.6 + 0.4 * Noise(u * 40 + y * 13)));
    Paint(colour, {255, 255, 240}, std::min(1.0, Stars(u, y) * (1 + 2 * band)));
    Paint(colour, {60, 120, 50}, Cover(Box(u, y, 0.40, 0.0, 0.44, 1.0)));                      // stalk
    for (int node = 1; node < 6; ++node) Paint(colour, {40, 90, 35}, Cover(Box(u, y, 0.395, node * 0.18, 0.445, node * 0.18 + 0.01)));
    for (int i = 0; i < 7; ++i) {  // leaves
        double lu = 0.42 + (i % 2 ? 0.14 : -0.14), ly = 0.12 + i * 0.12;
        Paint(colour, {50, 110, 40}, Cover(Ellipse(u, y, lu, ly, 0.14, 0.02)));
    }
    static constexpr Rgb PAPER[] = {{230, 60, 60}, {250, 210, 50}, {80, 160, 230}, {240, 130, 200}, {120, 200, 90}};
    for (int i = 0; i < 12; ++i) {  // paper strips on twigs to the right
        double pu = 0.55 + i * 0.10, py = 0.10 + 0.35 * Hash(i * 7 + 1) + i * 0.02;
        Paint(colour, {60, 110, 45}, Cover(std::max(std::fabs(y - (0.06 + i * 0.025)) - 0.003, std::max(0.44 - u, u - pu))));
        Paint(colour, {200, 200, 200}, Cover(Box(u, y, pu - 0.001, 0.06 + i * 0.025, pu + 0.001, py)));
        Paint(colour, PAPER[i % 5], Cover(Box(u, y, pu - 0.022, py, pu + 0.022, py + 0.16)));
    }
    return colour;
}

// Frame 14: a red canoe on a still forest lake.
Rgb Canoe(double x, double y, double aspect) {
    double u = x * aspect;
    Rgb colour = Sky(y, {80, 140, 210}, {210, 230, 240}, 0.45);
    double forest = 0.45 - 0.10 * Noise(u * 14) - 0.06 * Noise(u * 37 + 3);
    double mirrored = std::min(y, 1.04 - y);  // the shore at 0.52
    if (mirrored > forest) colour = Mix({30, 75, 40}, {15, 45, 25}, Noise(u * 70 + mirrored * 30));
    if (y > 0.52) {
        colour = Mix(colour, {40, 70, 90}, 0.35);
        colour = Mix(colour, {220, 230, 235}, 0.08 * (0.5 + 0.5 * std::sin(y * 600 + 3 * Noise(u * 15))));
    }
    double boat = std::max(Ellipse(u, y, 0.95, 0.74, 0.36, 0.05), 0.72 - y);
    Paint(colour, {190, 45, 35}, Cover(boat));
    Paint(colour, {120, 30, 25}, 0.5 * Cover(std::max(Ellipse(u, y, 0.95, 0.785, 0.30, 0.015), 0.78 - y)));
    Paint(colour, {240, 200, 60}, Cover(Ellipse(u, y, 0.95, 0.66, 0.045, 0.07)));               // rower
    Paint(colour, {225, 180, 150}, Cover(Circle(u, y, 0.95, 0.565, 0.032)));
    Paint(colour, {230, 230, 220}, Cover(std::max(Ellipse(u, y, 0.95, 0.545, 0.05, 0.025), y - 0.55)));  // hat
    double paddle = std::fabs((u - 0.95) * 0.55 + (y - 0.66)) - 0.005;
    Paint(colour, {120, 80, 40}, Cover(std::max(paddle, std::fabs(u - 1.03) - 0.13)));
    return colour;
}

// Frame 15: a cottage with its garden, a tree and a picket fence.
Rgb Cottage(double x, double y, double aspect) {
    double u = x * aspect;
    Rgb colour = Sky(y, {70, 140, 215}, {200, 225, 245}, 0.6);
    double cloud = std::exp(-std::pow((u - 1.4) / 0.2, 2) - std::pow((y - 0.15) / 0.04, 2));
    Paint(colour, {250, 250, 252}, cloud * 1.3);
    if (y > 0.68) colour = Mix({110, 170, 70}, {70, 130, 50}, (y - 0.68) / 0.32);
    Paint(colour, {235, 220, 185}, Cover(Box(u, y, 0.55, 0.42, 1.15, 0.76)));                  // walls
    Paint(colour, {150, 55, 40}, Cover(Spire(u, y, 0.85, 0.18, 0.38, 0.43)));                   // roof
    Paint(colour, {120, 110, 105}, Cover(Box(u, y, 1.00, 0.20, 1.05, 0.33)));                  // chimney
    Paint(colour, {90, 55, 35}, Cover(Box(u, y, 0.80, 0.58, 0.90, 0.76)));                     // door
    for (double wu : {0.62, 1.00}) {
        Paint(colour, {250, 250, 250}, Cover(Box(u, y, wu - 0.005, 0.50, wu + 0.115, 0.64)));
        Paint(colour, {120, 170, 210}, Cover(Box(u, y, wu + 0.005, 0.51, wu + 0.105, 0.63)));
        Paint(colour, {250, 250, 250}, Cover(std::min(Box(u, y, wu + 0.05, 0.51, wu + 0.06, 0.63),
                                                      Box(u, y, wu + 0.005, 0.565, wu + 0.105, 0.575))));
    }
    Paint(colour, {90, 60, 35}, Cover(Box(u, y, 0.27, 0.45, 0.30, 0.80)));                     // tree
    Paint(colour, Mix({50, 120, 45}, {30, 85, 30}, Noise(u * 60 + y * 40)), Cover(Circle(u, y, 0.285, 0.36, 0.16)));
    for (int i = 0; i < 36; ++i) {  // the fence
        double pu = i * 0.052;
        Paint(colour, {248, 248, 245}, Cover(std::min(Spire(u, y, pu, 0.76, 0.014, 0.90),
                                                      Box(u, y, 0.0, 0.80, aspect, 0.815))));
    }
    for (int i = 0; i < 14; ++i) {  // flowers along the path
        Paint(colour, i % 2 ? Rgb{230, 60, 90} : Rgb{250, 220, 60}, Cover(Circle(u, y, 0.40 + i * 0.08, 0.93 + 0.02 * Hash(i), 0.012)));
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
        // The holiday cartridge, always the whole H area of the film.
        {"beach-aps.bmp", 906, 501, Beach}, {"mountains-aps.bmp", 906, 501, Mountains},
        {"dog-aps.bmp", 906, 501, Dog}, {"portrait-aps.bmp", 906, 501, Portrait},
        {"fireworks-aps.bmp", 906, 501, Fireworks}, {"cake-aps.bmp", 906, 501, Cake},
        {"family-aps.bmp", 906, 501, Family}, {"city-aps.bmp", 906, 501, CityNight},
        {"sunset-aps.bmp", 906, 501, Sunset}, {"lighthouse-aps.bmp", 906, 501, Lighthouse},
        {"sunflowers-aps.bmp", 906, 501, Sunflowers}, {"balloons-aps.bmp", 906, 501, Balloons},
        {"festival-aps.bmp", 906, 501, StarFestival}, {"canoe-aps.bmp", 906, 501, Canoe},
        {"cottage-aps.bmp", 906, 501, Cottage},
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
