#include "common/win32/profile_settings.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

int32_t ReadSettingInt(const char* section, const char* key, int32_t defaultValue) {
    return static_cast<int32_t>(GetPrivateProfileIntA(section, key, defaultValue, SETTINGS_FILE));
}

void ReadSettingString(const char* section, const char* key, const char* defaultValue,
                       char* buffer, size_t size) {
    if (buffer == nullptr || size == 0) {
        return;
    }
    std::memset(buffer, 0, size);
    GetPrivateProfileStringA(section, key, defaultValue, buffer, static_cast<DWORD>(size),
                             SETTINGS_FILE);
    buffer[size - 1] = '\0';
}

void WriteSettingInt(const char* section, const char* key, int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%ld", static_cast<long>(value));
    WritePrivateProfileStringA(section, key, text, SETTINGS_FILE);
}

void WriteSettingString(const char* section, const char* key, const char* value) {
    WritePrivateProfileStringA(section, key, value, SETTINGS_FILE);
}
