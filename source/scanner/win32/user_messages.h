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

// ShowMessage for a text that names something: the first "%s" of text `id`
// (+ useJapanese) is replaced by `subject` (null counts as empty); the
// whole text is cut at MESSAGE_MAX_CHARS + MESSAGE_SUBJECT_MAX_CHARS.
constexpr int MESSAGE_SUBJECT_MAX_CHARS = 271;
void ShowMessageAbout(HWND owner, UINT id, const char* subject);

// The same with OK and Cancel; answers IDOK (1) or IDCANCEL (2). A box that
// cannot be shown answers IDCANCEL, so that nothing the question guards
// goes ahead unasked.
int AskMessage(HWND owner, UINT id);
