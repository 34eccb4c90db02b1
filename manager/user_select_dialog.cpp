#include "manager/user_select_dialog.h"

#include <cstring>

#include "manager/resource_ids.h"
#include "manager/source_directory.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

struct UserSelectDialog {
    const std::vector<SourceFile>* sources;
    size_t preselected;
    int chosen;
};

static void OnInitDialog(HWND dialog, UserSelectDialog* state) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    HWND list = GetDlgItem(dialog, IDC_SOURCE_LIST);
    for (size_t i = 0; i < state->sources->size(); ++i) {
        // A name that fills its field has no terminator; copied into a
        // buffer one longer, without allocating: nothing may throw in here.
        const char* name = (*state->sources)[i].identity.ProductName;
        char text[sizeof(TW_STR32) + 1] = {};
        std::memcpy(text, name, ProductNameLength(name));
        LRESULT item = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        if (item >= 0) {
            SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(item), static_cast<LPARAM>(i));
        }
    }
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(state->preselected), 0);
    SetFocus(list);
}

static void ConfirmSelection(HWND dialog, UserSelectDialog* state) {
    HWND list = GetDlgItem(dialog, IDC_SOURCE_LIST);
    LRESULT item = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (item == LB_ERR) {
        // Nothing highlighted: OK means nothing yet, the dialog stays.
        MessageBeep(MB_OK);
        return;
    }
    LRESULT index = SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(item), 0);
    if (index < 0 || static_cast<size_t>(index) >= state->sources->size()) {
        return;
    }
    state->chosen = static_cast<int>(index);
    EndDialog(dialog, IDOK);
}

static void OnCommand(HWND dialog, WORD id, WORD code) {
    auto* state = reinterpret_cast<UserSelectDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (state == nullptr) {
        return;
    }
    if (id == IDOK || (id == IDC_SOURCE_LIST && code == LBN_DBLCLK)) {
        ConfirmSelection(dialog, state);
    } else if (id == IDCANCEL) {
        state->chosen = USER_SELECT_CANCELLED;
        EndDialog(dialog, IDCANCEL);
    }
}

static INT_PTR CALLBACK UserSelectProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog, reinterpret_cast<UserSelectDialog*>(lParam));
        return FALSE;  // focus already set on the list
    case WM_COMMAND:
        OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    default:
        return FALSE;
    }
}

int RunUserSelectDialog(HWND parent, const std::vector<SourceFile>& sources, size_t preselected) {
    UserSelectDialog state = {&sources, preselected < sources.size() ? preselected : 0,
                              USER_SELECT_CANCELLED};
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(&__ImageBase);
    if (parent != nullptr && !IsWindow(parent)) {
        parent = nullptr;
    }
    INT_PTR result = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_USER_SELECT), parent, UserSelectProc,
                                     reinterpret_cast<LPARAM>(&state));
    if (result == -1 || result == 0) {
        return USER_SELECT_FAILED;
    }
    return result == IDOK ? state.chosen : USER_SELECT_CANCELLED;
}
