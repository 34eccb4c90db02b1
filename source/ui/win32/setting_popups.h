// The main scan window's four setting pop-ups (film type, image size, unit,
// output resolution), the check for an exchanged adapter or film that runs
// before every film operation, and the main window's reset for a new film.
// Windows only; everything runs on the main window's thread.
#pragma once

#include <windows.h>

#include <cstdint>

// Call before a preview, scan or focus, after CheckScanner, with
// `filmCode` the film type code the check asked for (0 for none).
// FILM_UNCHANGED (1): go ahead. FILM_CHANGED (0): the adapter or the film
// was exchanged; the user has been told (message box owned by `owner`), the
// film type and its parameters reloaded and, while the main window exists,
// the window reset for the new film; the operation that asked stops.
int32_t CheckAdapterAndFilm(HWND owner, int32_t filmCode);

// Puts the main window (mainWindow; nothing without one) back to a new
// film: no preview, no rotation, 600 x 400 output of the largest 3:2 frame,
// exposure and colour balance neutral, curves straight, and redraws what
// those show.
void ResetForNewFilm();

// Each runs its pop-up modally, owned by the main window `owner`, applies
// the row the user chose (nothing when the pop-up was closed without a
// choice) and redraws the window's affected parts. Each answers the
// dialog's result: 1, or -1 when the pop-up could not be made.
INT_PTR RunFilmTypePopup(HWND owner);
INT_PTR RunImageSizePopup(HWND owner);
INT_PTR RunUnitPopup(HWND owner);
INT_PTR RunResolutionPopup(HWND owner);
