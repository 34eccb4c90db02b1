// The gamma curve window: a small modeless dialog (GAMMA_DLG) owned by the
// main scan window, in which the tone curves are edited with the mouse. The
// curve arithmetic is the model's (source/ui/gamma_curve_model.h); this
// window reads the mouse, draws, and moves the main window's balance
// sliders when the model says so. Windows only; main window thread only.
#pragma once

#include <windows.h>

// The main window's gamma button: when the window is not open, marks it
// open, presses the button and creates it owned by `owner` (gammaWindow
// holds it, null when it could not be made); when it is open, brings it to
// the top where it is.
void OpenGammaWindow(HWND owner);

// After a balance slider moved: when the window exists, invalidates it if
// asked (it shows that slider's channel) and paints what is invalid now.
void RefreshGammaWindow(bool invalidate);

// Its reset button: the toolbar control's id and its command.
constexpr int GAMMA_RESET_CONTROL = 103;
constexpr WORD CMD_GAMMA_RESET = 102;
