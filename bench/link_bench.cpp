// How much port traffic and host CPU the link spends, measured against the
// virtual scanner on its virtual clock. Prints, per command and per scanned
// pixel, the port operations the host made (as the scanner counted them)
// beside the least the link protocol needs, and the host CPU time per pixel.
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>

#include "simulator/virtual_port_access.h"
#include "source/scanner/command_set.h"
#include "source/scanner/link.h"

namespace {

// The least port traffic of the protocol, every handshake answered at the
// first poll: a control write counts twice except idle.
constexpr uint64_t SELECT_OPS = 2 + 1;            // select pair, one poll
constexpr uint64_t SELECT_IDLE_OPS = 2 + 2;       // select pair, high poll, low poll
constexpr uint64_t BYTE_OPS = 2 + 1 + 8 * 4 + 2;  // open pair, poll, 8 bits of two pairs, close pair
constexpr uint64_t FINISH_OPS = 2 + 1;            // two polls, idle
constexpr uint64_t DATA_PHASE_OPS = 2;
constexpr uint64_t NIBBLES_OPS = 6 * 3;           // six pairs, six reads
constexpr uint64_t TRIPLE_OPS = 1 + NIBBLES_OPS + 2 + 1;  // poll, nibbles, select pair, ready poll
constexpr uint64_t PIXEL_OPS = 1 + NIBBLES_OPS + 2;       // no ready poll
constexpr uint64_t END_LINE_OPS = 1 + NIBBLES_OPS + 1;

uint64_t CommandMinimum(uint64_t bytes, uint64_t triples, bool whenIdle) {
    uint64_t ops = (whenIdle ? SELECT_IDLE_OPS : SELECT_OPS) + bytes * BYTE_OPS + FINISH_OPS;
    if (triples > 0) ops += DATA_PHASE_OPS + triples * TRIPLE_OPS + 1;
    return ops;
}

struct Bench {
    VirtualHarness harness;
    PortAccess access = {};
    ScannerConfig config;
    Bench() {
        config.adapter = AdapterKind::Aps;
        config.filmKind = 'R';
        config.filmSpeed = 100;
        config.exposures = 25;
        config.currentFrame = 1;
        access = MakeVirtualPortAccess(harness);
        VirtualScannerInit(harness.scanner, config);
        SetPortAccess(&access);
        InitialiseLink();
    }
    ~Bench() { SetPortAccess(nullptr); }
    uint64_t Ops() const { return harness.scanner.counters.portReads + harness.scanner.counters.portWrites; }
};

void MeasureCommand(Bench& bench, const char* name, uint64_t minimum, const std::function<void()>& run) {
    uint64_t before = bench.Ops();
    run();
    uint64_t used = bench.Ops() - before;
    std::printf("  %-28s %8llu port ops, protocol minimum %6llu (x%.2f)\n", name,
                static_cast<unsigned long long>(used), static_cast<unsigned long long>(minimum),
                static_cast<double>(used) / static_cast<double>(minimum));
    bench.harness.microseconds += 5'000'000;  // let any film motion finish
}

}  // namespace

int main() {
    Bench bench;
    std::printf("Port operations per command (virtual scanner, virtual clock)\n");
    ScannerStatus status = {};
    MeasureCommand(bench, "ReadStatus", CommandMinimum(6, 1, true), [&] { ReadStatus(status); });
    CartridgeInfo info = {};
    MeasureCommand(bench, "ReadCartridgeData", CommandMinimum(10, 2, false), [&] { ReadCartridgeData(info); });
    uint8_t block[FRAME_BLOCK_BYTES] = {};
    MeasureCommand(bench, "ReadFrameBlock", CommandMinimum(10, 11, false), [&] { ReadFrameBlock(block); });
    MeasureCommand(bench, "WriteFrameBlock", CommandMinimum(42, 0, false), [&] { WriteFrameBlock(block, 1); });
    uint8_t track[84] = {};
    MeasureCommand(bench, "ReadAdapterData 'r' 512 80", CommandMinimum(10, 28, false),
                   [&] { ReadAdapterData(DATA_ADAPTER_RAW, track, sizeof track, ADAPTER_MAGNETIC_TRACK, 80); });
    ScanWindow window = {600, 600, 76, 90, 2400, 1600, 5, 0x80};
    MeasureCommand(bench, "SetScanWindow", CommandMinimum(46, 0, false), [&] { SetScanWindow(window); });

    // One scan: lines of 600 dpi across the frame's height.
    ScanMode mode = {'F', 'R', 2, 100, 100, 'N', 'P'};
    ScanParameterBlock parameters = {};
    parameters.bytes[18] = parameters.bytes[19] = 100;
    SetScanMode(mode);
    SetScanParameters(parameters);
    StartScan();
    const uint32_t lines = 200;
    const uint32_t pixels = 1600 * 600 / 1770;
    uint64_t before = bench.Ops();
    std::clock_t cpuStart = std::clock();
    for (uint32_t line = 0; line < lines; ++line) {
        BeginDataPhase();
        for (uint32_t i = 0; i < pixels; ++i) {
            uint8_t r, g, b;
            ReadPixelTriple(&r, &g, &b);
        }
        EndLine();
    }
    std::clock_t cpuEnd = std::clock();
    EndScan();
    uint64_t scanned = static_cast<uint64_t>(lines) * pixels;
    uint64_t used = bench.Ops() - before;
    uint64_t minimum = lines * (DATA_PHASE_OPS + END_LINE_OPS) + scanned * PIXEL_OPS;
    double cpuSeconds = static_cast<double>(cpuEnd - cpuStart) / CLOCKS_PER_SEC;
    std::printf("Scan lines: %u lines of %u pixels\n", lines, pixels);
    std::printf("  port ops per pixel           %8.2f, protocol minimum %.2f\n",
                static_cast<double>(used) / static_cast<double>(scanned),
                static_cast<double>(minimum) / static_cast<double>(scanned));
    std::printf("  host + model CPU per pixel   %8.3f us (the virtual scanner answers at once)\n",
                cpuSeconds * 1e6 / static_cast<double>(scanned));
    std::printf("  protocol violations          %zu\n", bench.harness.scanner.violations.size());
    std::printf("Polls beyond the minimum are the model's own latencies (selection, command\n"
                "processing, triple preparation) waited out at 1 us per status read.\n");
    return 0;
}
