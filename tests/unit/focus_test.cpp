#include <gtest/gtest.h>

#include <vector>

#include "source/library_state.h"
#include "source/scanner/focus.h"
#include "tests/unit/wire_fake.h"

namespace {

// The gauge as a strip of memory covering the main window's gauge area.
struct MemoryGauge {
    static constexpr int32_t WIDTH = 500, HEIGHT = 260;
    std::vector<uint32_t> pixels = std::vector<uint32_t>(WIDTH * HEIGHT, 0x808080);
    FocusGauge Gauge() {
        ScanLineCanvas canvas = {[](void* c, int16_t x, int16_t y, uint8_t r, uint8_t g, uint8_t b) {
                                     static_cast<MemoryGauge*>(c)->pixels[static_cast<size_t>(y * WIDTH + x)] =
                                         static_cast<uint32_t>(r << 16 | g << 8 | b);
                                 },
                                 this};
        return {canvas, [](void* c, int32_t l, int32_t t, int32_t r, int32_t b, bool black) {
                    auto* m = static_cast<MemoryGauge*>(c);
                    for (int32_t y = t; y < b; ++y)
                        for (int32_t x = l; x < r; ++x) m->pixels[static_cast<size_t>(y * WIDTH + x)] = black ? 0 : 0xFFFFFF;
                }};
    }
    uint32_t At(int32_t x, int32_t y) const { return pixels[static_cast<size_t>(y * WIDTH + x)]; }
};

class Focus : public ::testing::Test {
protected:
    WireFake fake;
    MemoryGauge memory;
    void SetUp() override {
        ResetCoreState();
        fake.Install();
    }
    void TearDown() override {
        SetPortAccess(nullptr);
        ResetCoreState();
    }
    uint16_t Sample(uint8_t b0, uint8_t b1, uint8_t b2, bool draw = false) {
        fake.replyBytes.insert(fake.replyBytes.end(), {b0, b1, b2});
        FocusGauge gauge = memory.Gauge();
        EXPECT_EQ(ReadFocusSample(draw ? &gauge : nullptr), 1);
        return focusLevel;
    }
};

TEST_F(Focus, SampleLevelsAreSmoothedHalfWay) {
    EXPECT_EQ(Sample(0x00, 0x12, 0x34), 58 / 2);  // raw 0x1234 / 80 = 58
    focusLevel = 0;
    EXPECT_EQ(Sample(0x01, 0x00, 0x00), 1);        // raw 256 / 80 = 3
    focusLevel = 0;
    EXPECT_EQ(Sample(0xFF, 0xFF, 0x77), 96);       // raw capped at 192
    EXPECT_EQ(Sample(0xFF, 0xFF, 0x00), 144);      // (96 + 192) / 2
}

TEST_F(Focus, GaugeShowsTheLevelAndMarksThePeak) {
    FocusGauge gauge = memory.Gauge();
    ClearFocusGauge(gauge);
    EXPECT_EQ(memory.At(GAUGE_LEFT, GAUGE_TOP), 0u);
    EXPECT_EQ(memory.At(GAUGE_RIGHT - 1, GAUGE_BOTTOM - 1), 0u);
    EXPECT_EQ(memory.At(GAUGE_RIGHT, GAUGE_TOP), 0x808080u);

    // Rising: the bar grows in black, no peak is marked yet.
    Sample(0xFF, 0xFF, 0, true);  // 96
    EXPECT_EQ(memory.At(GAUGE_LEFT + 95, 240), 0u);
    EXPECT_EQ(focusPeak, 0);
    // Falling: white beyond the level, the peak moves up and is red.
    Sample(0x00, 0x0F, 0xA0, true);  // raw 4000 / 80 = 50, level (96 + 50) / 2 = 73
    EXPECT_EQ(focusLevel, 73);
    EXPECT_EQ(focusPeak, 73);
    EXPECT_EQ(memory.At(GAUGE_LEFT + 80, 240), 0xFFFFFFu);
    EXPECT_EQ(memory.At(GAUGE_LEFT + 73, PEAK_TOP), 0xFF0000u);
    EXPECT_EQ(memory.At(GAUGE_LEFT + 73, PEAK_BOTTOM), 0xFF0000u);
    EXPECT_EQ(memory.At(GAUGE_LEFT + 73, GAUGE_TOP), 0xFFFFFFu);  // the mark is 16 pixels high
    EXPECT_EQ(memory.At(GAUGE_LEFT + 72, 240), 0u);
    // Lower still: the old mark stays the peak.
    Sample(0, 0, 0, true);  // 36
    EXPECT_EQ(focusPeak, 73);
    EXPECT_EQ(memory.At(GAUGE_LEFT + 73, 240), 0xFF0000u);
    EXPECT_EQ(memory.At(GAUGE_LEFT + 50, 240), 0xFFFFFFu);
}

TEST_F(Focus, SamplingRunsUntilTheUserStopsOrASampleFails) {
    for (int i = 0; i < 6; ++i) fake.replyBytes.insert(fake.replyBytes.end(), {0x00, 0x10, 0x00});
    int looks = 0;
    EXPECT_EQ(RunFocusSampling(memory.Gauge(), [](void* c) { return ++*static_cast<int*>(c) == 2; }, &looks), 1);
    EXPECT_EQ(looks, 2);  // four silent samples, two drawn
    EXPECT_TRUE(fake.replyBytes.empty());

    SetPortAccess(nullptr);  // the bus floats: no sample comes
    EXPECT_EQ(RunFocusSampling(memory.Gauge(), [](void*) { return false; }, nullptr), 0);
}

TEST(FocusLine, DistanceFromTheLeadingEdgeForEachRotation) {
    ScanSettings s = {};
    s.imageRect = {20, 30, 260, 190};
    s.focusLine = 100;
    s.rotation = 0;
    EXPECT_EQ(FocusDistance(s), 80);
    s.rotation = 1;
    EXPECT_EQ(FocusDistance(s), 70);
    s.rotation = 2;
    EXPECT_EQ(FocusDistance(s), 160);
    s.rotation = 3;
    EXPECT_EQ(FocusDistance(s), 90);
    EXPECT_EQ(FocusPosition(80, false), 876);
    EXPECT_EQ(FocusPosition(80, true), 1120);
}

}  // namespace
