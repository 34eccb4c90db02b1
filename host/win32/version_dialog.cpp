#include "host/win32/version_dialog.h"

#include "common/win32/profile_settings.h"
#include "host/resources/resource_ids.h"
#include "host/win32/program_state.h"
#include "host/win32/procedure_boundary.h"
#include "host/win32/program_text.h"

constexpr size_t VERSION_TEXT_SIZE = 129;

// The template holds the English texts; Japanese ones replace them.
static void ShowJapaneseTexts(HWND dialog) {
    char text[TEXT_SIZE];
    LoadLocalText(IDS_VERSION_CAPTION, text, sizeof text);
    SetWindowTextA(dialog, text);
    LoadLocalText(IDS_VERSION_PRODUCT, text, sizeof text);
    SetDlgItemTextA(dialog, IDC_VERSION_PRODUCT, text);
    LoadLocalText(IDS_VERSION_LABEL, text, sizeof text);
    SetDlgItemTextA(dialog, IDC_VERSION_LABEL, text);
}

// Over the middle of the window that opened it.
static void CentreOnOwner(HWND dialog) {
    HWND owner = GetWindow(dialog, GW_OWNER);
    RECT ownerFrame;
    RECT frame;
    if (owner == nullptr || !GetWindowRect(owner, &ownerFrame) || !GetWindowRect(dialog, &frame)) {
        return;
    }
    LONG left = (ownerFrame.left + ownerFrame.right - (frame.right - frame.left)) / 2;
    LONG top = (ownerFrame.top + ownerFrame.bottom - (frame.bottom - frame.top)) / 2;
    SetWindowPos(dialog, nullptr, left > 0 ? left : 0, top > 0 ? top : 0, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

static INT_PTR InitVersionDialog(HWND dialog) {
    CentreOnOwner(dialog);
    if (textOffset != 0) {
        ShowJapaneseTexts(dialog);
    }
    char version[VERSION_TEXT_SIZE];
    ReadSettingString(HOST_SECTION, "VERSION", "0.00", version, sizeof version);
    SetDlgItemTextA(dialog, IDC_VERSION_VALUE, version);
    return TRUE;
}

static INT_PTR HandleVersionMessage(HWND dialog, UINT message, WPARAM wParam) {
    switch (message) {
    case WM_INITDIALOG:
        return InitVersionDialog(dialog);
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_VERSION_OK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

static INT_PTR CALLBACK VersionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    return AnswerWithoutThrowing(dialog, INT_PTR{FALSE}, [&] { return HandleVersionMessage(dialog, message, wParam); });
}

void ShowVersionDialog(HWND owner) {
    DialogBoxParamA(programInstance, "IDD_VERSION", owner, VersionDialogProc, 0);
}
