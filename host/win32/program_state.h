// KORVEL's process-wide state: the language, the TWAIN connection, the
// picture shown and how it is shown, and the main window's children. One
// thread (the program's) reads and writes all of it.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/twain_records.h"
#include "host/core/tool_buttons.h"

// Sent to the main window when a transfer has ended: wParam is the
// picture's global memory handle (the window takes it over), or 0 when no
// picture arrived.
constexpr UINT IMAGE_ARRIVED = WM_USER;

// Posted to the main window when a picture that arrived cannot be shown:
// wParam is the string id of the warning to show. It comes after the
// transfer has ended, so that no box waits while the source is mid-transfer.
constexpr UINT PICTURE_REFUSED = WM_USER + 1;

constexpr size_t DEFAULT_SOURCE_SIZE = 256;

extern HINSTANCE programInstance;  // the module holding KORVEL's resources
extern HWND mainWindow;
extern int32_t textOffset;         // 0 English, 10 Japanese

extern uint8_t dsmOpen;
extern uint8_t sourceOpen;
extern uint8_t sourceEnabled;
extern DSMENTRYPROC dsmEntry;
extern HMODULE dsmModule;
extern TW_IDENTITY hostIdentity;
extern TW_IDENTITY selectedSource;

extern HGLOBAL currentImage;       // owned; 0 when none
extern uint8_t imageSaved;
extern uint8_t fitToWindow;
extern uint8_t previewRequested;
// WIN.INI's Default Source before Preview changed it; empty when nothing
// is to be restored.
extern char savedDefaultSource[DEFAULT_SOURCE_SIZE];
extern int32_t scrollX;
extern int32_t scrollY;
extern uint8_t hasHorzBar;
extern uint8_t hasVertBar;

// Children of the main window, made at WM_CREATE.
extern HWND toolBand;
extern HWND toolButtons[TOOL_BUTTON_COUNT];
extern HWND statusBar;
extern HWND horzBar;
extern HWND vertBar;
extern HWND cornerBox;

// Everything back to its value at start-up (imageSaved 1, the rest 0). The
// picture must have been freed and the window destroyed before.
void ResetProgramState();

// Frees currentImage and sets it to 0.
void FreeCurrentImage();
