// The scanner check run before every film operation: which adapter is
// mounted, where the film stands, what the APS cartridge holds, and whether
// the loaded film calls for another film type. Portable: the scanner
// commands and the message boxes are reached through ScannerCheckDeps.
#pragma once

#include <cstdint>

#include "source/scanner/command_set.h"

// Texts of the string table shown by the check (English at the id, Japanese
// at id + 1).
constexpr uint32_t MSG_AUTOLOADING = 30000;      // film still advancing to frame 1
constexpr uint32_t MSG_REWINDING = 30010;        // film still rewinding into the cartridge
constexpr uint32_t MSG_NO_SCANNER = 30100;       // status not readable twice
constexpr uint32_t MSG_APS_SILENT = 30110;       // APS adapter not answering twice
constexpr uint32_t MSG_NO_ADAPTER = 30120;       // neither adapter mounted
constexpr uint32_t MSG_FILM_NOT_LOADED = 30150;  // APS film position 0
constexpr uint32_t MSG_FILM_NOT_PROCESSED = 30160;  // after 30150 for undeveloped film
// Not the check's own: a scan that ended early.
constexpr uint32_t MSG_SCANNING_STOPPED = 30170;

// Results of CheckScanner besides 100 + a film type code.
constexpr int32_t CHECK_NOT_READY = 0;  // a message has been shown
constexpr int32_t CHECK_READY = 1;      // ready, film type unchanged
constexpr int32_t CHECK_FILM_CHANGE = 100;  // plus the film type code to switch to

// The frame the film stands at, 0 when none.
extern uint8_t filmPosition;
// Set when the user picked the film type; cleared by the check when the
// loaded film overrides that choice.
extern uint8_t filmChosenByUser;
// The loaded APS cartridge, as last read by a check that found film.
extern CartridgeInfo cartridgeInfo;

// What the check reaches outside itself. Owners are window handles, opaque
// here.
struct ScannerCheckDeps {
    uint8_t (*readStatus)(ScannerStatus& status);       // 1 read, 0 not
    uint8_t (*readCartridgeData)(CartridgeInfo& info);  // 1 read, 0 not
    uint8_t (*resetScanner)();                          // result not looked at
    void (*showMessage)(void* owner, uint32_t stringId);
    // The first record of the film parameter file with a type code, or the
    // code itself when none has it.
    int32_t (*findFilmRecord)(int32_t filmCode);
    void* applicationWindow;  // owner of "Cannot identify scanner !"
    uint8_t useJapanese;      // chooses the colour negative code (11 or 10)
};

// Call with the port held and the link initialised. Sets
// scanSettings.adapterType ('A' when an APS adapter answers, else 'N') and
// filmPosition; with APS film in place also cartridgeInfo. Answers:
//   0          not ready; a message has been shown (owned by `owner`, or by
//              applicationWindow when the scanner does not answer); nothing
//              else but adapterType and filmPosition has changed;
//   1          ready, keep the film type;
//   100 + c    ready, switch to film type code c; filmChosenByUser may be
//              cleared. Strip film answers 101 when the selected record is
//              at or past the first record of code 8.
// One retry in all is shared by a failed status read (after a scanner
// reset) and a silent APS adapter (without one). A cartridge that cannot be
// read counts as a scanner that does not answer.
int32_t CheckScannerWith(const ScannerCheckDeps& deps, void* owner);

// CheckScannerWith the real scanner commands, message boxes, film parameter
// file and session (scanner_check_wiring.cpp, Windows build only).
int32_t CheckScanner(void* owner);
