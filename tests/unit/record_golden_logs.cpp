// Writes the golden port logs: runs each golden session once against the
// virtual scanner through a recording port and stores what crossed the
// seam. Run by hand when the protocol changes on purpose:
//   record_golden_logs tests/unit/golden
// Answers 0 when every session succeeded, the scanner saw no protocol
// violation and every log was written.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "simulator/virtual_port_access.h"
#include "tests/unit/golden_sessions.h"
#include "tests/unit/port_log.h"

namespace {

// An APS cartridge of colour negative ISO 200, six exposures, at frame 2.
ScannerConfig CartridgeConfig() {
    ScannerConfig config;
    config.adapter = AdapterKind::Aps;
    config.filmKind = 'N';
    config.filmSpeed = 200;
    config.exposures = 6;
    config.currentFrame = 2;
    return config;
}

// A strip of reversal film whose frame 1 shows the four quarters, read with
// a unit's positive calibration (black 0, white 255, the reference
// exposures), so that a sample is the picture's value.
ScannerConfig PreviewConfig() {
    ScannerConfig config;
    config.adapter = AdapterKind::Strip;
    config.filmKind = 'R';
    auto picture = std::make_shared<Picture>();
    picture->width = 2;
    picture->height = 2;
    for (const auto& row : GOLDEN_QUARTERS)
        for (const auto& colour : row) picture->rgb.insert(picture->rgb.end(), colour, colour + 3);
    config.frames[1].picture = picture;
    const uint8_t positive[] = {0x00, 0xFF, 0x80, 0x80, 0x80, 0x00, 0xFF, 0x80, 0x80, 0x80,
                                0x00, 0xFF, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x64, 0x64};
    for (size_t i = 0; i < sizeof positive; ++i) config.calibrationPositive[i] = positive[i];
    return config;
}

template <typename Session>
bool Record(const std::string& folder, const char* file, const ScannerConfig& config,
            const std::vector<std::string>& comment, Session session) {
    auto harness = std::make_unique<VirtualHarness>();
    PortRecorder recorder;
    recorder.inner = MakeVirtualPortAccess(*harness);
    VirtualScannerInit(harness->scanner, config);
    PortAccess access = recorder.Access();
    SetPortAccess(&access);
    bool ok = session();
    SetPortAccess(nullptr);
    for (const std::string& v : harness->scanner.violations) std::fprintf(stderr, "%s: violation: %s\n", file, v.c_str());
    ok = ok && harness->scanner.violations.empty();
    std::string path = folder + "/" + file;
    std::string text = EncodePortLog(recorder.ops, comment);
    if (!ok || !WriteTextFile(path, text)) {
        std::fprintf(stderr, "%s: not recorded\n", file);
        return false;
    }
    std::printf("%s: %zu operations, %zu bytes\n", path.c_str(), recorder.ops.size(), text.size());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: record_golden_logs FOLDER\n");
        return 2;
    }
    std::string folder = argv[1];
    bool ok = Record(folder, GOLDEN_STATUS_LOG, CartridgeConfig(),
                     {"Port log of the link's initialisation and a status read (format: README.md).",
                      "Scanner: APS adapter, cartridge at frame 2."},
                     [] {
                         ScannerStatus status = {};
                         return GoldenStatusSession(status) == 1;
                     });
    ok = Record(folder, GOLDEN_CARTRIDGE_LOG, CartridgeConfig(),
                {"Port log of the link's initialisation and a cartridge read (format: README.md).",
                 "Scanner: APS cartridge of colour negative ISO 200, six exposures."},
                [] {
                    CartridgeInfo info = {};
                    return GoldenCartridgeSession(info) == 1;
                }) && ok;
    ok = Record(folder, GOLDEN_PREVIEW_LOG, PreviewConfig(),
                {"Port log of the link's initialisation and a 35 mm preview (format: README.md).",
                 "Scanner: reversal strip, frame 1 four solid quarters, positive calibration 0..255."},
                [] {
                    std::vector<uint8_t> pixels, bitmap;
                    return GoldenPreviewSession(pixels, bitmap) == ScanOutcome::Completed;
                }) && ok;
    return ok ? 0 : 1;
}
