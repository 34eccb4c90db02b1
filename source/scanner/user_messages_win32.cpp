#include "source/scanner/user_messages.h"

#include "source/twain/session_state.h"

namespace {

int ShowTextBox(HWND owner, UINT id, UINT buttons) {
    char text[MESSAGE_MAX_CHARS + 1] = {};
    LoadStringA(moduleInstance, id + useJapanese, text, sizeof text);
    return MessageBoxA(owner, text, MESSAGE_CAPTION, buttons | MB_ICONEXCLAMATION);
}

}  // namespace

void ShowMessage(HWND owner, UINT id) {
    ShowTextBox(owner, id, MB_OK);
}

int AskMessage(HWND owner, UINT id) {
    int pressed = ShowTextBox(owner, id, MB_OKCANCEL);
    return pressed == IDOK ? IDOK : IDCANCEL;
}
