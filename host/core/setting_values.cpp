#include "host/core/setting_values.h"

#include <cstring>

bool IsUnsetSetting(const char* text) {
    return text == nullptr || std::strncmp(text, UNSET_VALUE, sizeof UNSET_VALUE - 1) == 0;
}

bool JoinHelpPath(const char* folder, const char* fileName, char* out, size_t size) {
    if (out == nullptr || size == 0) {
        return false;
    }
    out[0] = '\0';
    if (IsUnsetSetting(folder) || IsUnsetSetting(fileName)) {
        return false;
    }
    size_t folderLength = std::strlen(folder);
    size_t nameLength = std::strlen(fileName);
    if (folderLength >= size || nameLength >= size - folderLength) {
        return false;
    }
    std::memcpy(out, folder, folderLength);
    std::memcpy(out + folderLength, fileName, nameLength + 1);
    return true;
}
