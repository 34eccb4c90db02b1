// Rules on values of the settings file. Portable: no Windows headers.
#pragma once

#include <cstddef>

// The value a missing key reads as.
constexpr char UNSET_VALUE[] = "NG";

// True when text starts with "NG" (the key is missing or was never set) or
// is a null pointer.
bool IsUnsetSetting(const char* text);

// Joins the help folder and a help file name directly (the folder carries
// its own separator) into out, which always ends in a zero byte. Returns
// false, with out empty, when either value is unset or the joined name
// does not fit size - 1 characters.
bool JoinHelpPath(const char* folder, const char* fileName, char* out, size_t size);
