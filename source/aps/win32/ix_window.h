// The IX window: one APS frame's IX data in words, with the print aspect,
// date and time with their print positions, and the title to edit, "Read"
// from the cartridge, "REC" written back, "Cancel". It follows the index
// window's selected frame. Windows only; the editing rules are in
// aps/ix_edit, the texts in aps/ix_texts.
#pragma once

#include <windows.h>

// The controls, as the window places them.
constexpr int IDC_IX_PREVIOUS = 1005;
constexpr int IDC_IX_NEXT = 1006;
constexpr int IDC_IX_FRAME = 1007;
constexpr int IDC_IX_ASPECT_C = 1008;
constexpr int IDC_IX_ASPECT_H = 1009;
constexpr int IDC_IX_ASPECT_P = 1010;
constexpr int IDC_IX_DATE_1 = 1011;  // the date parts in the record's order
constexpr int IDC_IX_DATE_2 = 1012;
constexpr int IDC_IX_DATE_3 = 1013;
constexpr int IDC_IX_HOUR = 1014;
constexpr int IDC_IX_MINUTE = 1015;
constexpr int IDC_IX_DATE_ORDER = 1019;
constexpr int IDC_IX_DATE_PRINT = 1020;
constexpr int IDC_IX_AM_PM = 1021;
constexpr int IDC_IX_TIME_PRINT = 1022;
constexpr int IDC_IX_TITLE = 1023;
constexpr int IDC_IX_LANGUAGE = 1024;
constexpr int IDC_IX_READ = 1025;
constexpr int IDC_IX_REC = 1028;
constexpr int IDC_IX_CANCEL = 1029;
constexpr WORD CMD_IX_SINGLE_SCAN = 9821;

// The index window's CMD_INDEX_IX_WINDOW: the selected frame becomes the
// edit record and the window opens (no owner), or is restored and raised.
void OpenIxWindow();
