// What a scan costs the host, measured against the virtual scanner.
//
//  1. The line pipeline of a final scan (read from the link, correct,
//     register, place): host CPU time and instructions per pixel. The scan
//     runs once against the virtual scanner while every value the host reads
//     is recorded, then again against a replay of those values, so the
//     second run costs our own code only (the model's work is not in it).
//     Run under callgrind with --replay-only, the replay is the only thing
//     collected (tools/run-benchmarks.sh does that).
//  2. Re-toning the 240 x 160 preview from the scanned pixels.
//  3. A final scan of the whole 35 mm frame at the maximum resolution
//     (2400 x 1600 pixels): the busy delays the link protocol prescribes,
//     the port operations, our own CPU time, and the peak of the memory the
//     scan holds (picture, line buffers and anything else it allocates)
//     against the size of its picture.
#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "simulator/virtual_port_access.h"
#include "source/imaging/dib_header.h"
#include "source/imaging/film_parameters.h"
#include "source/imaging/scan_line.h"
#include "source/imaging/tone_curves.h"
#include "source/scanner/command_set.h"
#include "source/scanner/final_scan.h"
#include "source/scanner/link.h"
#include "source/scanner/preview_scan.h"
#include "source/scanner/scan_setup.h"

// Every allocation of the program is counted, so that the replayed scan's
// peak shows what the scan itself holds at most. (The benchmark is single
// threaded.)
namespace {
size_t liveBytes = 0;
size_t peakBytes = 0;
}  // namespace

void* operator new(size_t bytes) {
    void* block = std::malloc(bytes == 0 ? 1 : bytes);
    if (block == nullptr) throw std::bad_alloc();
    liveBytes += malloc_usable_size(block);
    if (liveBytes > peakBytes) peakBytes = liveBytes;
    return block;
}
void operator delete(void* block) noexcept {
    if (block == nullptr) return;
    liveBytes -= malloc_usable_size(block);
    std::free(block);
}
void operator delete(void* block, size_t) noexcept {
    operator delete(block);
}

namespace {

// A port that records what the virtual scanner answers, and can then play
// it back to the host without the model.
struct RecordingPort {
    VirtualHarness harness;
    PortAccess inner = {};
    std::vector<uint8_t> reads;
    std::vector<uint32_t> ticks;
    uint64_t loopIterations = 0;
    uint64_t tickReads = 0;
    uint64_t portOps = 0;
    size_t readAt = 0, tickAt = 0;

    PortAccess Recording() {
        inner = MakeVirtualPortAccess(harness);
        return {[](void* c, uint16_t a) {
                    auto* p = static_cast<RecordingPort*>(c);
                    ++p->portOps;
                    uint8_t v = p->inner.readPort(p->inner.context, a);
                    p->reads.push_back(v);
                    return v;
                },
                [](void* c, uint16_t a, uint8_t v) {
                    auto* p = static_cast<RecordingPort*>(c);
                    ++p->portOps;
                    p->inner.writePort(p->inner.context, a, v);
                },
                [](void* c) {
                    auto* p = static_cast<RecordingPort*>(c);
                    ++p->tickReads;
                    uint32_t t = p->inner.tickCount(p->inner.context);
                    p->ticks.push_back(t);
                    return t;
                },
                [](void* c, uint32_t n) {
                    auto* p = static_cast<RecordingPort*>(c);
                    p->loopIterations += n;
                    p->inner.busyLoop(p->inner.context, n);
                },
                [](void*) { return int32_t{0}; }, this};
    }
    PortAccess Replay() {
        readAt = tickAt = 0;
        return {[](void* c, uint16_t) {
                    auto* p = static_cast<RecordingPort*>(c);
                    return p->readAt < p->reads.size() ? p->reads[p->readAt++] : uint8_t{0xFF};
                },
                [](void*, uint16_t, uint8_t) {},
                [](void* c) {
                    auto* p = static_cast<RecordingPort*>(c);
                    return p->tickAt < p->ticks.size() ? p->ticks[p->tickAt++] : uint32_t{0};
                },
                [](void*, uint32_t) {},  // the delays are counted, not spent
                [](void*) { return int32_t{0}; }, this};
    }
};

std::shared_ptr<Picture> ScenePicture() {
    auto picture = std::make_shared<Picture>();
    picture->width = 240;
    picture->height = 160;
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 240; ++x)
            picture->rgb.insert(picture->rgb.end(), {static_cast<uint8_t>(x), static_cast<uint8_t>(y + 40),
                                                     static_cast<uint8_t>((x * y) & 0xFF)});
    return picture;
}

ScanSettings WholeFrame(double width, double height) {
    ScanSettings s = {};
    s.cropX1 = 239;
    s.cropY1 = 159;
    s.outputWidth = width;
    s.outputHeight = height;
    s.outputResolution = 2400;
    return s;
}

void NoPixel(void*, int16_t, int16_t, uint8_t, uint8_t, uint8_t) {}

double CpuSeconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

struct ScanRun {
    FinalScanGeometry geometry;
    std::vector<uint8_t> image;
    size_t peakBytes = 0;  // the most the replayed scan held at once
};

ScanOutcome RunScan(ScanRun& run) {
    run.image.assign(run.geometry.imageBytes, 0);
    WriteTransferHeader(run.image.data(), run.geometry, 2400);
    FinalScanTarget target = {};
    target.image = run.image.data();
    target.imageBytes = run.image.size();
    target.progress = {NoPixel, nullptr};
    return RunFinalScan(target, run.geometry, 0, false);
}

}  // namespace

// The replayed scan, by a plain name that callgrind's --toggle-collect finds.
extern "C" __attribute__((noinline)) ScanOutcome bench_replay_scan(ScanRun* run) {
    return RunScan(*run);
}

namespace {

// Records a final scan of width x height against the virtual scanner, then
// replays it. Answers the replay's CPU seconds.
double RecordAndReplay(RecordingPort& port, ScanRun& run, double width, double height, bool timeRecording) {
    ScannerConfig config;
    config.adapter = AdapterKind::Strip;
    config.filmKind = 'R';
    config.frames[1].picture = ScenePicture();
    PortAccess recording = port.Recording();
    VirtualScannerInit(port.harness.scanner, config);
    SetPortAccess(&recording);
    InitialiseLink();
    FinalScanGeometryFor(WholeFrame(width, height), run.geometry);
    port.reads.clear();
    port.ticks.clear();
    port.loopIterations = port.tickReads = port.portOps = 0;
    // The replay must start where the recording did: the same calibration.
    uint32_t loopsPerUnit = linkState.loopsPerUnit;
    double start = CpuSeconds();
    ScanOutcome recorded = RunScan(run);
    double recordSeconds = CpuSeconds() - start;
    if (timeRecording) {
        std::printf("  host + model CPU              %8.3f us per pixel\n",
                    recordSeconds * 1e6 / (static_cast<double>(run.geometry.width) * run.geometry.height));
    }
    std::vector<uint8_t> reference = run.image;

    PortAccess replay = port.Replay();
    SetPortAccess(&replay);
    linkState.loopsPerUnit = loopsPerUnit;
    std::vector<uint8_t>().swap(run.image);  // the replay allocates its own picture
    size_t liveBefore = liveBytes;
    peakBytes = liveBytes;
    start = CpuSeconds();
    ScanOutcome replayed = bench_replay_scan(&run);
    double replaySeconds = CpuSeconds() - start;
    run.peakBytes = peakBytes - liveBefore;
    SetPortAccess(nullptr);
    if (recorded != ScanOutcome::Completed || replayed != ScanOutcome::Completed || run.image != reference) {
        std::printf("  (the replay did not reproduce the scan: figures are not valid)\n");
    }
    return replaySeconds;
}

void BenchPipeline() {
    std::printf("Line pipeline: final scan of the whole 35 mm frame, 600 x 400 (443 dpi)\n");
    RecordingPort port;
    ScanRun run;
    double seconds = RecordAndReplay(port, run, 600, 400, true);
    double pixels = 600.0 * 400.0;
    std::printf("  our own code CPU              %8.3f us per pixel (replayed, no model)\n", seconds * 1e6 / pixels);
    std::printf("  port operations               %8.2f per pixel\n", static_cast<double>(port.portOps) / pixels);
}

void BenchRetone() {
    std::printf("Re-toning the 240 x 160 preview (exposure table, correction, placement)\n");
    std::vector<uint8_t> pixels(PREVIEW_PIXELS_BYTES);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>(i * 7);
    std::vector<uint8_t> bitmap(PREVIEW_BITMAP_BYTES);
    const int rounds = 200;
    auto start = std::chrono::steady_clock::now();
    for (int round = 0; round < rounds; ++round) {
        RetonePreviewRows(pixels.data(), 240, 160, 0, false, bitmap.data() + DIB_HEADER_BYTES, PREVIEW_PIXELS_BYTES);
    }
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() / rounds;
    std::printf("  %.3f ms per re-tone (%.1f ns per pixel)\n", ms, ms * 1e6 / (240.0 * 160.0));
}

void BenchMaximumResolution() {
    std::printf("Final scan at the maximum resolution: whole 35 mm frame, 2400 x 1600 (1770 dpi)\n");
    RecordingPort port;
    ScanRun run;
    double ownSeconds = RecordAndReplay(port, run, 2400, 1600, false);
    double pixels = 2400.0 * 1600.0;
    // On the virtual clock one empty loop iteration and one tick-count read
    // take 1 us, as a status read does on the printer port: the calibration
    // makes a delay unit about one port read long on any machine.
    double delaySeconds = static_cast<double>(port.loopIterations) * 1e-6;
    double tickWaitSeconds = static_cast<double>(port.tickReads) * 1e-6;
    double portSeconds = static_cast<double>(port.portOps) * 1e-6;
    double linkTime = delaySeconds + tickWaitSeconds;
    std::printf("  loops per delay unit          %8u\n", linkState.loopsPerUnit);
    std::printf("  busy delays                   %8.2f s  (%.2f us per pixel)\n", delaySeconds, delaySeconds * 1e6 / pixels);
    std::printf("  tick-count waits              %8.2f s\n", tickWaitSeconds);
    std::printf("  port operations               %8.2f s at 1 us each (%.1f per pixel)\n", portSeconds,
                static_cast<double>(port.portOps) / pixels);
    std::printf("  our own code CPU              %8.2f s  (%.3f us per pixel)\n", ownSeconds, ownSeconds * 1e6 / pixels);
    double pictureBytes = static_cast<double>(run.geometry.imageBytes);
    std::printf("  peak memory of the scan       %8.2f MB = %.4f x its picture of %.2f MB (aim: at most 1.05)\n",
                static_cast<double>(run.peakBytes) / 1e6, static_cast<double>(run.peakBytes) / pictureBytes,
                pictureBytes / 1e6);
    std::printf("  delays : own code             %5.1f%% : %.1f%%\n", 100 * linkTime / (linkTime + ownSeconds),
                100 * ownSeconds / (linkTime + ownSeconds));
}

}  // namespace

int main(int argc, char** argv) {
    ResetPixelTables();
    std::memset(&currentFilm, 0, sizeof currentFilm);
    currentFilm.scanLetter = 'R';
    if (argc > 1 && std::string(argv[1]) == "--replay-only") {
        // For callgrind: only bench_replay_scan is collected.
        RecordingPort port;
        ScanRun run;
        RecordAndReplay(port, run, 600, 400, false);
        return 0;
    }
    BenchPipeline();
    BenchRetone();
    BenchMaximumResolution();
    return 0;
}
