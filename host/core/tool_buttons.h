// The band of tool buttons: where each one sits, what it commands, its
// bitmap and its tool tip. Portable: no Windows headers.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/resources/resource_ids.h"

constexpr int32_t TOOL_BUTTON_TOP = 2;
constexpr int32_t TOOL_BUTTON_SIZE = 32;
constexpr int32_t TOOL_BITMAP_SIZE = 24;
// The icon-description button keeps this distance from the right edge.
constexpr int32_t RIGHT_BUTTON_INSET = 34;

struct ToolButton {
    int32_t left;       // client x; ignored for the button at the right edge
    bool atRightEdge;   // placed at client width - 34
    uint16_t command;
    uint16_t bitmap;
    uint16_t tipText;   // English string number; + textOffset for Japanese
};

constexpr ToolButton TOOL_BUTTONS[] = {
    {2, false, IDM_OPEN, IDB_OPEN, IDS_TIP_OPEN},
    {34, false, IDM_SAVE_AS, IDB_SAVE, IDS_TIP_SAVE},
    {74, false, IDM_PREVIEW, IDB_PREVIEW, IDS_TIP_PREVIEW},
    {114, false, IDM_FIT_TO_WINDOW, IDB_FIT, IDS_TIP_FIT},
    {0, true, IDM_ICON_HELP, IDB_ICONS, IDS_TIP_ICONS},
};
constexpr size_t TOOL_BUTTON_COUNT = sizeof TOOL_BUTTONS / sizeof TOOL_BUTTONS[0];

// The index in TOOL_BUTTONS of the button for command, or TOOL_BUTTON_COUNT
// when no button sends it.
size_t FindToolButton(uint32_t command);

// The string number of the tool tip for command in the language of
// textOffset, or 0 when no button sends it.
uint32_t ToolTipText(uint32_t command, int32_t textOffset);
