// The settings file VANTERA.INI, read and written with the profile-string
// functions. The file is named without a path, so Windows keeps it in the
// Windows directory; tests get a scratch one by running in a scratch Wine
// prefix. Results of writes are not looked at: a settings file that cannot
// be written loses the setting, never the session.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr char SETTINGS_FILE[] = "VANTERA.INI";
constexpr char SOURCE_SECTION[] = "QX-52V2P";  // the data source's keys
constexpr char HOST_SECTION[] = "KORVEL";      // the host program's keys

// The key's value as a decimal integer (leading digits, as GetPrivateProfileInt
// reads them), or `defaultValue` when the key is absent.
int32_t ReadSettingInt(const char* section, const char* key, int32_t defaultValue);

// Copies the key's text (or `defaultValue`) into `buffer`, which is cleared
// first and always ends in a zero byte; at most `size` - 1 characters.
void ReadSettingString(const char* section, const char* key, const char* defaultValue,
                       char* buffer, size_t size);

void WriteSettingInt(const char* section, const char* key, int32_t value);
void WriteSettingString(const char* section, const char* key, const char* value);
