#include "source/scanner/win32/user_messages.h"

#include "source/twain/win32/session_state.h"

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

void ShowMessageAbout(HWND owner, UINT id, const char* subject) {
    char format[MESSAGE_MAX_CHARS + 1] = {};
    LoadStringA(moduleInstance, id + useJapanese, format, sizeof format);
    // Put together by hand rather than by a printf: the subject is a path
    // from the settings and may hold a '%' of its own.
    char text[MESSAGE_MAX_CHARS + MESSAGE_SUBJECT_MAX_CHARS + 1] = {};
    size_t length = 0;
    bool placed = false;
    auto append = [&](char c) {
        if (length + 1 < sizeof text) text[length++] = c;
    };
    for (const char* c = format; *c != '\0'; ++c) {
        if (!placed && c[0] == '%' && c[1] == 's') {
            for (const char* s = subject != nullptr ? subject : ""; *s != '\0'; ++s) append(*s);
            placed = true;
            ++c;
            continue;
        }
        append(*c);
    }
    MessageBoxA(owner, text, MESSAGE_CAPTION, MB_OK | MB_ICONEXCLAMATION);
}

int AskMessage(HWND owner, UINT id) {
    int pressed = ShowTextBox(owner, id, MB_OKCANCEL);
    return pressed == IDOK ? IDOK : IDCANCEL;
}
