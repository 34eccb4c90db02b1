// What happens to the selected film type when the mounted adapter or the
// loaded film turns out to be another one than the window last knew, and
// when the user picks a film type from the list. Portable decisions on the
// ScanSettings record; the Windows side (ui/win32/setting_popups.cpp) shows
// the messages, reloads the film parameters and redraws the window.
#pragma once

#include <cstdint>

#include "source/ui/scan_settings.h"

// Texts of the string table (English at the id, Japanese at id + 1).
constexpr uint32_t MSG_ADAPTER_EXCHANGED = 30260;    // "Adapter had been exchanged !"
constexpr uint32_t MSG_FILM_EXCHANGED = 30270;       // "Film had been exchanged !"
constexpr uint32_t MSG_FILM_TYPE_NOT_VALID = 30280;  // "Selected film type is not valid !"

// Results of CheckAdapterAndFilm.
constexpr int32_t FILM_CHANGED = 0;  // the user has been told, the film parameters reloaded
constexpr int32_t FILM_UNCHANGED = 1;

// The decision of CheckAdapterAndFilm. `filmCode` is the film type code the
// scanner check asked for, 0 when it asked for none; `findFilmRecord` maps a
// code to its record number (FindFilmRecord, or a test's own).
//  - lastAdapterType 0 (none remembered yet) takes adapterType first;
//  - adapterType differs from lastAdapterType: apsAdapter follows
//    adapterType and, with a code, filmNumber becomes the code's record;
//    answers MSG_ADAPTER_EXCHANGED;
//  - otherwise a code whose record is not filmNumber: filmNumber becomes
//    that record; answers MSG_FILM_EXCHANGED;
//  - otherwise nothing changes and the answer is 0.
// On a change lastAdapterType takes adapterType, so the same exchange is
// reported once: the next call answers 0.
uint32_t DecideAdapterAndFilmChange(ScanSettings& settings, int32_t filmCode,
                                    int32_t (*findFilmRecord)(int32_t filmCode));

// The film type list's row `row` (from 0) chosen by the user. `checkScanner`
// runs the scanner check (the caller holds the port) and answers as
// CheckScanner does; it may clear filmChosenByUser (scanner_check.h).
// filmNumber is row + 1 while the check runs; the user's choice is marked
// again afterwards and apsAdapter follows adapterType. A check that asks for
// another film type (100 or more) refuses the choice: filmNumber goes back
// to what it was and the answer is false (the caller shows
// MSG_FILM_TYPE_NOT_VALID). A check that cannot reach the scanner (0) lets
// the choice stand: the film type can be chosen before any film is loaded.
bool ChooseFilmType(ScanSettings& settings, int32_t row, int32_t (*checkScanner)(void* owner), void* owner);
