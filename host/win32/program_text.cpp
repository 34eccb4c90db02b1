#include "host/win32/program_text.h"

#include "host/resources/resource_ids.h"
#include "host/win32/program_state.h"

void LoadText(uint32_t id, char* buffer, size_t size) {
    if (buffer == nullptr || size == 0) {
        return;
    }
    buffer[0] = '\0';
    LoadStringA(programInstance, id, buffer, static_cast<int>(size));
    buffer[size - 1] = '\0';
}

void LoadLocalText(uint32_t id, char* buffer, size_t size) {
    LoadText(id + static_cast<uint32_t>(textOffset), buffer, size);
}

void ShowWarningText(HWND owner, uint32_t id) {
    char caption[TEXT_SIZE];
    char text[TEXT_SIZE];
    LoadText(IDS_CAPTION, caption, sizeof caption);
    LoadText(id, text, sizeof text);
    MessageBoxA(owner, text, caption, MB_OK | MB_ICONWARNING);
}

void ShowWarning(HWND owner, uint32_t id) {
    ShowWarningText(owner, id + static_cast<uint32_t>(textOffset));
}
