// The setting pop-ups share one shape: a list that fills the pop-up and
// closes it as soon as the user picks a row. One dialog procedure moves the
// rows and the pick between a PopupList record and the list; what a pick
// does to the settings and the main window runs after the pop-up has
// closed, in the function that ran it.
#include "source/ui/win32/setting_popups.h"

#include <cstring>
#include <initializer_list>

#include "common/win32/profile_settings.h"
#include "common/win32/win32_guards.h"
#include "source/imaging/film_parameters.h"
#include "source/imaging/tone_curves.h"
#include "source/resources/resource_ids.h"
#include "source/scanner/link.h"
#include "source/scanner/scanner_check.h"
#include "source/scanner/win32/port_access_win32.h"
#include "source/scanner/win32/user_messages.h"
#include "source/twain/win32/session_state.h"
#include "source/ui/crop_frame.h"
#include "source/ui/film_change.h"
#include "source/ui/gamma_curve_model.h"
#include "source/ui/output_size.h"
#include "source/ui/preview_geometry.h"
#include "source/ui/scan_settings.h"
#include "source/ui/win32/main_window_state.h"

namespace {

// The gamma curve window's own reset button command.
constexpr WPARAM GAMMA_RESET_COMMAND = 102;

constexpr double NEW_FILM_OUTPUT_WIDTH = 600.0;
constexpr double NEW_FILM_OUTPUT_HEIGHT = 400.0;

constexpr int LIST_FONT_HEIGHT = 15;

// Japanese texts, in UTF-16 so that they survive any code page.
constexpr const wchar_t* JAPANESE_UNIT_NAMES[UNIT_COUNT] = {L"\x30D4\x30AF\x30BB\x30EB", L"mm", L"cm",
                                                            L"\x30A4\x30F3\x30C1"};

// The caller deletes the font.
HFONT CreateListFont(bool japanese) {
    return japanese ? CreateJapaneseGothicFont(LIST_FONT_HEIGHT) : CreatePanelFont();
}

// The film parameters of record `filmNumber`, or its built-in stand-in when
// the file cannot be read, as the window does when it opens.
// --- Filling the lists --------------------------------------------------------

void AddRow(HWND list, const char* text) {
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

void AddFilmName(HWND list, const FilmParameterRecord& record) {
    char name[FILM_NAME_BYTES + 1] = {};
    std::memcpy(name, record.name, FILM_NAME_BYTES);
    size_t length = std::strlen(name);
    while (length > 0 && name[length - 1] == ' ') name[--length] = 0;
    AddRow(list, name);
}

// One row per record of the film parameter file; without a readable file,
// one per built-in film type, the ones the window then uses.
void FillFilmTypes(HWND list) {
    FilmParameterHeader header = {};
    if (ReadFilmHeader(filmParameterPath, header) == 0) {
        for (int32_t number = 1; number <= BUILT_IN_FILM_TYPE_COUNT; ++number) {
            AddFilmName(list, BuiltInFilmRecord(number));
        }
        return;
    }
    for (int32_t number = 1; number <= header.count; ++number) {
        FilmParameterRecord record = {};
        if (ReadFilmRecord(filmParameterPath, record, number) == 0) break;  // a file shorter than its count
        AddFilmName(list, record);
    }
}

void FillImageSizes(HWND list) {
    for (const char* text : IMAGE_SIZE_TEXTS) AddRow(list, text);
}

void FillUnits(HWND list) {
    for (size_t unit = 0; unit < UNIT_COUNT; ++unit) {
        if (UseJapaneseGothic()) {
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(JAPANESE_UNIT_NAMES[unit]));
        } else {
            AddRow(list, UNIT_NAMES[unit]);
        }
    }
}

void FillResolutions(HWND list) {
    for (const char* text : RESOLUTION_TEXTS) AddRow(list, text);
}

// --- The dialog ---------------------------------------------------------------

struct PopupKind {
    const char* templateName;
    int listId;
    const wchar_t* japaneseCaption;
    void (*fill)(HWND list);
};

constexpr PopupKind FILM_TYPE_POPUP = {"FILMTYPE_DLG", IDC_FILM_TYPE_LIST,
                                       L"\x30D5\x30A3\x30EB\x30E0\x30BF\x30A4\x30D7", FillFilmTypes};
constexpr PopupKind IMAGE_SIZE_POPUP = {"IMAGE_SIZE_DLG", IDC_IMAGE_SIZE_LIST, L"\x753B\x50CF\x30B5\x30A4\x30BA",
                                        FillImageSizes};
constexpr PopupKind UNIT_POPUP = {"UNIT_DLG", IDC_UNIT_LIST, L"\x5358\x4F4D", FillUnits};
constexpr PopupKind RESOLUTION_POPUP = {"OUTPUT_DLG", IDC_RESOLUTION_LIST, L"\x51FA\x529B\x89E3\x50CF\x5EA6",
                                        FillResolutions};

struct PopupList {
    const PopupKind* kind;
    HFONT font;          // the list's; owned by RunListPopup
    int32_t selected;    // the row shown selected at the start
    int32_t chosenRow;   // the row picked, -1 when closed without a choice
};

BOOL OnPopupInit(HWND dialog, PopupList& data) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&data));
    if (useJapanese == 1) SetWindowTextW(dialog, data.kind->japaneseCaption);
    HWND list = GetDlgItem(dialog, data.kind->listId);
    SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(data.font), FALSE);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    data.kind->fill(list);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(data.selected), 0);
    return TRUE;
}

BOOL OnPopupCommand(HWND dialog, PopupList& data, WORD id, WORD code, HWND control) {
    if (id == data.kind->listId && code == LBN_SELCHANGE) {
        LRESULT row = SendMessageA(control, LB_GETCURSEL, 0, 0);
        data.chosenRow = row == LB_ERR ? -1 : static_cast<int32_t>(row);
        EndDialog(dialog, 1);
        return TRUE;
    }
    if (id == IDCANCEL) {  // Esc or the close box
        EndDialog(dialog, 1);
        return TRUE;
    }
    return FALSE;
}

// Nothing may unwind into the system's frames; the handlers do not throw,
// and a message that somehow did counts as not handled.
INT_PTR CALLBACK ListPopupProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_INITDIALOG) return OnPopupInit(dialog, *reinterpret_cast<PopupList*>(lParam));
        auto* data = reinterpret_cast<PopupList*>(GetWindowLongPtrA(dialog, DWLP_USER));
        if (data == nullptr) return FALSE;
        if (message == WM_COMMAND) {
            return OnPopupCommand(dialog, *data, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        }
        return FALSE;
    } catch (...) {
        return FALSE;
    }
}

// Runs the pop-up and answers its result; `chosenRow` is the row picked,
// -1 for none.
INT_PTR RunListPopup(HWND owner, const PopupKind& kind, bool japaneseFont, int32_t selected, int32_t& chosenRow) {
    ScopedGdiObject<HFONT> font(CreateListFont(japaneseFont));
    PopupList data = {&kind, font.Get(), selected, -1};
    INT_PTR result = DialogBoxParamA(moduleInstance, kind.templateName, owner, ListPopupProc,
                                     reinterpret_cast<LPARAM>(&data));
    chosenRow = result == 1 ? data.chosenRow : -1;
    return result;
}

// --- What a pick does -------------------------------------------------------

void DrawFilmName(HWND window) {
    ScopedWindowDC dc(window);
    DrawFilmTypeName(dc.Get(), scanSettings.filmNumber);
}

void ChooseFilmTypeRow(HWND owner, int32_t row) {
    bool accepted = false;
    {
        // The check talks to the scanner: the port is held, and the link
        // set up, as for every other check.
        ScopedScannerPort port;
        InitialiseLink();
        accepted = ChooseFilmType(scanSettings, row, CheckScanner, owner);
    }
    if (!accepted) {
        ShowMessage(owner, MSG_FILM_TYPE_NOT_VALID);
        return;
    }
    LoadCurrentFilmOrBuiltIn(scanSettings.filmNumber);
    DrawFilmName(owner);
    ResetPixelTables();
    ResetForNewFilm();
}

void ChooseImageSizeRow(HWND owner, int32_t row) {
    if (!ApplyImageSizePreset(scanSettings, static_cast<uint16_t>(row))) return;
    {
        ScopedWindowDC dc(owner);
        DrawCropFrame(dc.Get());  // drawn inverted: this erases the old frame
        FitCropToAspect(scanSettings);
        ClampCropRect(scanSettings);
        CropRectToOffsets(scanSettings);
        OffsetsToCropRect(scanSettings);
        DrawCropFrame(dc.Get());
    }
    ApplyOutputRedraw(owner, FinishImageSizePreset(scanSettings));
}

void ChooseUnitRow(HWND owner, int32_t row) {
    if (row < 0 || row >= static_cast<int32_t>(UNIT_COUNT)) return;
    scanSettings.unitIndex = static_cast<int16_t>(row);
    ShowUnitPanel(owner, scanSettings.unitIndex);
    if (scanSettings.maxResolutionOn != 0) {
        scanSettings.maxResolutionOn = 0;
        PressButton(CMD_MAX_RESOLUTION, false);
    }
}

void ChooseResolutionRow(HWND owner, int32_t row) {
    OutputRedraw redraw = {};
    if (ApplyResolutionPreset(scanSettings, static_cast<uint16_t>(row), redraw)) ApplyOutputRedraw(owner, redraw);
}

// Runs a pop-up whose only follow-up is applying the chosen row.
INT_PTR RunChoicePopup(HWND owner, const PopupKind& kind, bool japaneseFont, int32_t selected,
                       void (*choose)(HWND owner, int32_t row)) {
    int32_t row = -1;
    INT_PTR result = RunListPopup(owner, kind, japaneseFont, selected, row);
    if (row >= 0) choose(owner, row);
    return result;
}

}  // namespace

int32_t CheckAdapterAndFilm(HWND owner, int32_t filmCode) {
    uint32_t message = DecideAdapterAndFilmChange(scanSettings, filmCode, FindFilmRecord);
    if (message == 0) return FILM_UNCHANGED;
    ShowMessage(owner, message);
    LoadCurrentFilmOrBuiltIn(scanSettings.filmNumber);
    ResetPixelTables();
    if (mainWindow != nullptr) {
        DrawFilmName(mainWindow);
        ResetForNewFilm();
    }
    return FILM_CHANGED;
}

void ResetForNewFilm() {
    HWND window = mainWindow;
    if (window == nullptr) return;
    mainState.previewed = 0;
    scanSettings.rotation = 0;
    scanSettings.landscape = 1;
    scanSettings.outputWidth = NEW_FILM_OUTPUT_WIDTH;
    scanSettings.outputHeight = NEW_FILM_OUTPUT_HEIGHT;

    SendMessageA(window, WM_COMMAND, CMD_RESET_EXPOSURE, 0);
    if (gammaWindow == nullptr) {
        ResetGammaCurves(false);  // also rebuilds the tone tables
        const int bars[] = {SCROLL_RED, SCROLL_GREEN, SCROLL_BLUE};
        const double positions[] = {scanSettings.redPosition, scanSettings.greenPosition, scanSettings.bluePosition};
        for (size_t i = 0; i < 3; ++i) {
            SetScrollPos(GetDlgItem(window, bars[i]), SB_CTL, static_cast<int>(positions[i]), TRUE);
        }
    } else {
        SendMessageA(gammaWindow, WM_COMMAND, GAMMA_RESET_COMMAND, 0);
    }
    UpdateButtonStates();

    // The frame is fitted to the new output's 3:2, so the aspect is set
    // before the fit rather than taken from the film before.
    scanSettings.aspectRatio = scanSettings.outputWidth / scanSettings.outputHeight;
    SetPreviewGeometry(scanSettings);
    FitCropToAspect(scanSettings);
    CropRectToOffsets(scanSettings);
    OffsetsToCropRect(scanSettings);
    scanSettings.outputScale = scanSettings.outputWidth / scanSettings.cropWidth;
    scanSettings.scanScale = ScanScaleFor(scanSettings.outputScale);
    RoundOutputPixels(scanSettings);

    ShowOutputSize(window);
    ScopedWindowDC dc(window);
    DrawFrameMask(dc.Get(), true);
    ShowSizeEstimate(dc.Get());
    DrawResolutionBar(dc.Get());
    DrawCropFrame(dc.Get());
}

INT_PTR RunFilmTypePopup(HWND owner) {
    int32_t row = -1;
    INT_PTR result = RunListPopup(owner, FILM_TYPE_POPUP, UseJapaneseGothic(), scanSettings.filmNumber - 1, row);
    if (row >= 0) {
        ChooseFilmTypeRow(owner, row);
    } else {
        LoadCurrentFilmOrBuiltIn(scanSettings.filmNumber);
    }
    return result;
}

INT_PTR RunImageSizePopup(HWND owner) {
    return RunChoicePopup(owner, IMAGE_SIZE_POPUP, false, scanSettings.imageSizeIndex, ChooseImageSizeRow);
}

INT_PTR RunUnitPopup(HWND owner) {
    return RunChoicePopup(owner, UNIT_POPUP, UseJapaneseGothic(), scanSettings.unitIndex, ChooseUnitRow);
}

INT_PTR RunResolutionPopup(HWND owner) {
    return RunChoicePopup(owner, RESOLUTION_POPUP, false, scanSettings.resolutionIndex, ChooseResolutionRow);
}
