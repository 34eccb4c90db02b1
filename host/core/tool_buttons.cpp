#include "host/core/tool_buttons.h"

size_t FindToolButton(uint32_t command) {
    for (size_t i = 0; i < TOOL_BUTTON_COUNT; ++i) {
        if (TOOL_BUTTONS[i].command == command) {
            return i;
        }
    }
    return TOOL_BUTTON_COUNT;
}

uint32_t ToolTipText(uint32_t command, int32_t textOffset) {
    size_t index = FindToolButton(command);
    if (index == TOOL_BUTTON_COUNT) {
        return 0;
    }
    return static_cast<uint32_t>(TOOL_BUTTONS[index].tipText + textOffset);
}
