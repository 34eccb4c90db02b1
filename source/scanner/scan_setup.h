// What the scanner is told before every scan: the calibration blocks read
// once per library load, and the parameter block, exposure values and
// window fields computed from them, the film record and the exposure bias.
// Portable.
#pragma once

#include <cstdint>

#include "source/scanner/command_set.h"

extern uint8_t calibrationPositive[SCAN_PARAMETER_BYTES];
extern uint8_t calibrationNegative[SCAN_PARAMETER_BYTES];
extern uint8_t calibrationRead;  // 1 once both blocks were read

// The records of the next scan; the scans fill the rest.
extern ScanWindow scanWindow;
extern ScanMode scanMode;
extern ScanParameterBlock scanParameters;

// Reads both calibration blocks (positive, a 100 ms pause, negative) until
// both were read once after the library loads; later calls do nothing. A
// block that could not be read stays as it was (zero until first read), and
// calibrationRead stays 0, so the next call reads again.
void ReadScannerParameters();

// Fills scanParameters, bytes 2-6 of scanMode and the composition and
// reverse flag of scanWindow, for currentFilm and scanSettings.exposureBias.
// scanWindow.yResolution must be set first.
void PrepareScanParameters();

// How a preview or final scan ended. NoMemory: its line buffers could not
// be had, and nothing was sent to the scanner.
enum class ScanOutcome : uint8_t { Completed, Stopped, LineFailed, NoMemory };

// The set-up every preview and final scan sends, then the scan's start: the
// window (scanner units) at one resolution on both axes, the mode for a
// forward 'R' scan, the parameter block. The set-up stops at the first
// command the scanner does not take; the scan notices it at its first line
// (the link has marked the scanner lost).
void StartWindowScan(int32_t left, int32_t top, int32_t width, int32_t height, uint16_t resolution);
