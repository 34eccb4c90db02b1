#include "host/win32/program_state.h"

HINSTANCE programInstance = nullptr;
HWND mainWindow = nullptr;
int32_t textOffset = 0;

uint8_t dsmOpen = 0;
uint8_t sourceOpen = 0;
uint8_t sourceEnabled = 0;
DSMENTRYPROC dsmEntry = nullptr;
HMODULE dsmModule = nullptr;
TW_IDENTITY hostIdentity = {};
TW_IDENTITY selectedSource = {};

HGLOBAL currentImage = nullptr;
uint8_t imageSaved = 1;
uint8_t fitToWindow = 0;
uint8_t previewRequested = 0;
char savedDefaultSource[DEFAULT_SOURCE_SIZE] = {};
int32_t scrollX = 0;
int32_t scrollY = 0;
uint8_t hasHorzBar = 0;
uint8_t hasVertBar = 0;

HWND toolBand = nullptr;
HWND toolButtons[TOOL_BUTTON_COUNT] = {};
HWND statusBar = nullptr;
HWND horzBar = nullptr;
HWND vertBar = nullptr;
HWND cornerBox = nullptr;

void ResetProgramState() {
    mainWindow = nullptr;
    textOffset = 0;
    dsmOpen = 0;
    sourceOpen = 0;
    sourceEnabled = 0;
    dsmEntry = nullptr;
    dsmModule = nullptr;
    hostIdentity = TW_IDENTITY{};
    selectedSource = TW_IDENTITY{};
    currentImage = nullptr;
    imageSaved = 1;
    fitToWindow = 0;
    previewRequested = 0;
    savedDefaultSource[0] = '\0';
    scrollX = 0;
    scrollY = 0;
    hasHorzBar = 0;
    hasVertBar = 0;
    toolBand = nullptr;
    for (HWND& button : toolButtons) {
        button = nullptr;
    }
    statusBar = nullptr;
    horzBar = nullptr;
    vertBar = nullptr;
    cornerBox = nullptr;
}

void FreeCurrentImage() {
    if (currentImage != nullptr) {
        GlobalFree(currentImage);
        currentImage = nullptr;
    }
}
