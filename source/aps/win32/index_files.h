// The index window's Open and Save: the file dialogs, the index file or
// bitmap written whole to a temporary file and only then put in the
// chosen file's place, and an index file read whole and checked before it
// replaces the sheet. Windows only; the file formats are aps/index_file.
#pragma once

#include <windows.h>

#include <cstdint>

// Name buffers of the file dialogs.
constexpr DWORD INDEX_FILE_NAME_CHARS = 256;

// The common dialogs with their filters: true with the chosen name in
// `name` (INDEX_FILE_NAME_CHARS), false when the user cancelled.
bool ChooseIndexFileToSave(HWND owner, char* name);
bool ChooseIndexFileToOpen(HWND owner, char* name);

// Writes the sheet to `name` as an index file or a bitmap, by its extension.
// Answers 1 when written; 0 with the user told why (a name of neither kind,
// or a write that failed, which leaves any file that was there as it was).
int32_t WriteIndexFile(HWND owner, const char* name);

// Reads the index file `name` into the sheet and the frame tables. A file
// that cannot be read, or is not a sound index file, is told and changes
// nothing. Answers 1 when the sheet was replaced.
int32_t ReadIndexFile(HWND owner, const char* name);
