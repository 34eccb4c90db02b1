#include "host/win32/commands.h"

#include <commdlg.h>
#include <htmlhelp.h>

#include <cstring>
#include <cwchar>

#include "common/win32/profile_settings.h"
#include "host/core/setting_values.h"
#include "host/resources/resource_ids.h"
#include "host/win32/bitmap_files.h"
#include "host/win32/image_view.h"
#include "host/win32/program_state.h"
#include "host/win32/program_text.h"
#include "host/win32/tool_band.h"
#include "host/win32/twain_connection.h"
#include "host/win32/version_dialog.h"

constexpr wchar_t BITMAP_PATTERN[] = L"*.BMP";
constexpr wchar_t BITMAP_EXTENSION[] = L"bmp";
constexpr size_t SETTING_TEXT_SIZE = 256;
constexpr size_t PATTERN_LENGTH = sizeof BITMAP_PATTERN / sizeof BITMAP_PATTERN[0];  // with its zero

// The file dialog's filter: the description and the pattern, each ending
// in a zero, and one more zero at the end. Wide like the dialog, so that
// the Japanese description shows in any locale.
static void MakeBitmapFilter(wchar_t* filter, size_t size) {
    std::wmemset(filter, 0, size);
    wchar_t description[TEXT_SIZE] = {};
    LoadStringW(programInstance, IDS_BITMAP_FILTER + static_cast<uint32_t>(textOffset), description,
                static_cast<int>(TEXT_SIZE));
    description[TEXT_SIZE - 1] = L'\0';
    size_t length = std::wcslen(description);
    if (length + PATTERN_LENGTH + 1 > size) {
        length = size - PATTERN_LENGTH - 1;
    }
    std::wmemcpy(filter, description, length);
    std::wmemcpy(filter + length + 1, BITMAP_PATTERN, PATTERN_LENGTH);
}

// The open or save dialog; path (MAX_PATH characters) gets the chosen
// file. The wide dialog hands over any name, also one the ANSI code page
// cannot spell.
static bool ChooseBitmapFile(HWND window, wchar_t* path, bool saving) {
    wchar_t filter[TEXT_SIZE + PATTERN_LENGTH + 1];
    MakeBitmapFilter(filter, sizeof filter / sizeof filter[0]);
    path[0] = L'\0';
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window;
    dialog.lpstrFilter = filter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrDefExt = BITMAP_EXTENSION;
    if (saving) {
        dialog.Flags = OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
        return GetSaveFileNameW(&dialog) != FALSE;
    }
    // Files are only ever read: a read-only choice would change nothing.
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    return GetOpenFileNameW(&dialog) != FALSE;
}

static void OpenCommand(HWND window) {
    PressToolButton(IDM_OPEN, true);
    wchar_t path[MAX_PATH];
    if (ChooseBitmapFile(window, path, false)) {
        OpenBitmapFile(window, path);
    }
    PressToolButton(IDM_OPEN, false);
    LayOut(window);
}

static void SaveAsCommand(HWND window) {
    if (currentImage == nullptr) {
        return;
    }
    PressToolButton(IDM_SAVE_AS, true);
    wchar_t path[MAX_PATH];
    if (ChooseBitmapFile(window, path, true)) {
        uint8_t saved = SaveBitmap(window, path, currentImage);
        InvalidateRect(window, nullptr, TRUE);
        if (saved) {
            imageSaved = 1;
        }
    }
    PressToolButton(IDM_SAVE_AS, false);
}

static void AcquireCommand(HWND window) {
    if (sourceEnabled) {
        return;
    }
    if (!sourceOpen) {
        // Id 0 and no name: the manager opens its default source.
        selectedSource.Id = 0;
        selectedSource.ProductName[0] = '\0';
        // A new application Id comes with the next MSG_OPENDSM; while the
        // manager is still open it knows the program by the old one.
        if (!dsmOpen) {
            hostIdentity.Id = 0;
        }
    }
    bool enabled = false;
    if (LoadSourceManager(window) && OpenSource() && SetNativeTransfer()) {
        enabled = EnableSource(window) != 0;
    }
    // Whatever got open is closed again, so that the commands work next time.
    if (!enabled && ShutDownTwain(window)) {
        previewRequested = 0;
        RestoreDefaultSource();
        SetSourceMenus(false);
    }
    InvalidateRect(window, nullptr, TRUE);
}

static void SelectSourceCommand(HWND window) {
    if (sourceEnabled) {
        return;
    }
    if (LoadSourceManager(window)) {
        SelectSource();
        UnloadSourceManager(window);
    }
}

static void ExitCommand(HWND window) {
    PostMessageA(window, WM_CLOSE, 0, 0);
}

static void VersionCommand(HWND window) {
    ShowVersionDialog(window);
}

// HtmlHelpA of the help viewer's library, looked up when help is asked for:
// without the library KORVEL still starts and works, and only its help
// warns.
using HtmlHelpFunction = HWND(WINAPI*)(HWND caller, LPCSTR file, UINT command, DWORD_PTR data);

// Opens the help file path (an HTML Help file) at its contents. Returns
// false when the file is not there, or the viewer cannot be loaded or
// refuses it. The check for the file comes first: a missing file would
// otherwise open an empty viewer with an error page rather than our warning.
// The viewer's library stays loaded: its window outlives this call.
static bool OpenHelpFile(HWND window, const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return false;
    }
    HMODULE viewer = LoadLibraryA("hhctrl.ocx");
    if (viewer == nullptr) {
        return false;
    }
    auto htmlHelp = reinterpret_cast<HtmlHelpFunction>(
        reinterpret_cast<void*>(GetProcAddress(viewer, "HtmlHelpA")));
    if (htmlHelp == nullptr) {
        FreeLibrary(viewer);
        return false;
    }
    return htmlHelp(window, path, HH_DISPLAY_TOC, 0) != nullptr;
}

static void ShowHelp(HWND window, const char* fileKey) {
    char folder[SETTING_TEXT_SIZE];
    char name[SETTING_TEXT_SIZE];
    char path[2 * SETTING_TEXT_SIZE];
    ReadSettingString(HOST_SECTION, "PATH", UNSET_VALUE, folder, sizeof folder);
    ReadSettingString(HOST_SECTION, fileKey, UNSET_VALUE, name, sizeof name);
    if (!JoinHelpPath(folder, name, path, sizeof path) || !OpenHelpFile(window, path)) {
        ShowWarning(window, IDS_CANNOT_OPEN_HELP);
    }
}

static void IconHelpCommand(HWND window) {
    ShowHelp(window, "ICONS");
}

static void TroubleHelpCommand(HWND window) {
    ShowHelp(window, "TROUBLE");
}

static void PreviewCommand(HWND window) {
    if (sourceEnabled) {
        return;
    }
    previewRequested = 1;
    SaveDefaultSource();
    char scanner[SETTING_TEXT_SIZE];
    ReadSettingString(SOURCE_SECTION, "FILES0", UNSET_VALUE, scanner, sizeof scanner);
    if (IsUnsetSetting(scanner)) {
        MessageBoxA(window, savedDefaultSource, UNSET_VALUE, MB_OK);
        // Nothing was started and nothing changed.
        previewRequested = 0;
        RestoreDefaultSource();
        return;
    }
    WriteDefaultSource(scanner);
    AcquireCommand(window);
}

static void FitToWindowCommand(HWND window) {
    fitToWindow = fitToWindow ? 0 : 1;
    ShowFitToWindow(fitToWindow != 0);
    LayOut(window);
}

struct CommandEntry {
    uint16_t command;
    void (*run)(HWND window);
};

constexpr CommandEntry COMMANDS[] = {
    {IDM_OPEN, OpenCommand},
    {IDM_SAVE_AS, SaveAsCommand},
    {IDM_ACQUIRE, AcquireCommand},
    {IDM_SELECT_SOURCE, SelectSourceCommand},
    {IDM_EXIT, ExitCommand},
    {IDM_VERSION, VersionCommand},
    {IDM_ICON_HELP, IconHelpCommand},
    {IDM_TROUBLE_HELP, TroubleHelpCommand},
    {IDM_PREVIEW, PreviewCommand},
    {IDM_FIT_TO_WINDOW, FitToWindowCommand},
};

bool RunCommand(HWND window, uint16_t command) {
    for (const CommandEntry& entry : COMMANDS) {
        if (entry.command == command) {
            entry.run(window);
            return true;
        }
    }
    return false;
}
