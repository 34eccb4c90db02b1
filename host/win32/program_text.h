// KORVEL's texts from its string table, and its message boxes.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

constexpr size_t TEXT_SIZE = 256;

// Copies string id of the program's string table into buffer (size bytes,
// always terminated; empty when the string is missing). Texts come in the
// Windows code page (Shift-JIS for the Japanese ones on Japanese Windows).
void LoadText(uint32_t id, char* buffer, size_t size);

// The string id + textOffset: the text in the program's language.
void LoadLocalText(uint32_t id, char* buffer, size_t size);

// A warning box with the program's caption and the text id + textOffset.
void ShowWarning(HWND owner, uint32_t id);

// The same for a text that exists in one language only.
void ShowWarningText(HWND owner, uint32_t id);
