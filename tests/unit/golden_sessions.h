// The sessions the golden port logs hold, run through the host's own code
// from a reset library: the recorder runs them against the virtual scanner,
// the replay test against the logs. Each opens with the link's
// initialisation, so that the delay calibration and the port probe are in
// the log too. Portable; no scanner model here.
#pragma once

#include <cstdint>
#include <vector>

#include "source/scanner/command_set.h"
#include "source/scanner/scan_setup.h"

// The log files, in tests/unit/golden/.
constexpr const char* GOLDEN_STATUS_LOG = "status_read.log";
constexpr const char* GOLDEN_CARTRIDGE_LOG = "cartridge_read.log";
constexpr const char* GOLDEN_PREVIEW_LOG = "preview_scan.log";

// The preview's frame: four solid quarters (picture rows top and bottom,
// columns left and right), red, green, blue each.
constexpr uint8_t GOLDEN_QUARTERS[2][2][3] = {{{200, 40, 10}, {20, 180, 60}}, {{90, 90, 230}, {250, 250, 250}}};

uint8_t GoldenStatusSession(ScannerStatus& status);
uint8_t GoldenCartridgeSession(CartridgeInfo& info);
// The scanner's calibration blocks read as the source does before its first
// scan, then a 35 mm preview, no rotation, in colour, of reversal film with
// a film record that corrects nothing and straight tone tables, so that the
// stored pixels are the scanner's samples. `pixels` and `bitmap` are
// resized. LineFailed also when the calibration could not be read.
ScanOutcome GoldenPreviewSession(std::vector<uint8_t>& pixels, std::vector<uint8_t>& bitmap);
