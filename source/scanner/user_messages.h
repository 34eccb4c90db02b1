// The message boxes of the source: every text comes from the library's
// string table, English at an even id and Japanese at id + 1, chosen by
// useJapanese. Windows only.
#pragma once

#include <windows.h>

constexpr char MESSAGE_CAPTION[] = "QX-52 Information";
constexpr int MESSAGE_MAX_CHARS = 255;  // longer texts are cut there

// Shows text `id` (+ useJapanese) with an exclamation icon and an OK button,
// owned by `owner` (may be null), and returns when the user closes it.
void ShowMessage(HWND owner, UINT id);

// The same with OK and Cancel; answers IDOK (1) or IDCANCEL (2). A box that
// cannot be shown answers IDCANCEL, so that nothing the question guards
// goes ahead unasked.
int AskMessage(HWND owner, UINT id);
