// Resource numbers of KORVEL, shared by the resource script and the code
// (plain #defines, which the resource compiler reads too).
#pragma once

// The main window's class name (also the settings section, the English
// menu and the icon) and its caption: the string table's IDS_APP_NAME and
// IDS_CAPTION, spelled once here for the script and for programs that look
// for the window.
#define KORVEL_CLASS_NAME "KORVEL"
#define KORVEL_CAPTION "VANTERA SCANNER CONTROLLER"

// String table. Texts with a Japanese variant have it at id + 10
// (JAPANESE_TEXT_OFFSET), so that id + textOffset picks the language.
#define IDS_APP_NAME 1           // class, settings section, English menu, icon
#define IDS_CAPTION 2            // window and message-box caption
#define IDS_SETTINGS_FILE 3
#define IDS_TIP_OPEN 4
#define IDS_TIP_SAVE 5
#define IDS_TIP_PREVIEW 6
#define IDS_TIP_ICONS 7
#define IDS_TIP_FIT 8
#define IDS_MANAGER_FILE 9
#define IDS_MENU_JAPANESE 11
#define IDS_CANNOT_OPEN_FILE 201
#define IDS_CANNOT_OPEN_HELP 202
#define IDS_NOT_SAVED 203
#define IDS_BITMAP_FILTER 204
#define IDS_VERSION_CAPTION 205
#define IDS_VERSION_PRODUCT 206
#define IDS_VERSION_LABEL 207
// Messages for what the texts above do not cover (Japanese at id + 10).
#define IDS_CANNOT_WRITE_FILE 221   // a save that failed for another reason than a full disk
#define IDS_OUT_OF_MEMORY 222       // a picture too large for the memory there is
#define IDS_PICTURE_NOT_SHOWN 223   // a source's picture that is not uncompressed 24-bit
#define IDS_PICTURE_DAMAGED 224     // a source's picture whose rows are not all there
#define IDS_SAVING_STOPPED 301   // English in both languages

// Menu commands (the same numbers in both menus).
#define IDM_OPEN 40001
#define IDM_SAVE_AS 40002
#define IDM_ACQUIRE 40003
#define IDM_SELECT_SOURCE 40004
#define IDM_EXIT 40005
#define IDM_VERSION 40006
#define IDM_ICON_HELP 40007
#define IDM_TROUBLE_HELP 40008
#define IDM_PREVIEW 40009
#define IDM_FIT_TO_WINDOW 40011

// Tool button bitmaps (24 x 24, 16 colours).
#define IDB_OPEN 132
#define IDB_SAVE 133
#define IDB_PREVIEW 134
#define IDB_FIT 135
#define IDB_ICONS 136

// The version dialog IDD_VERSION.
#define IDC_VERSION_VALUE 1000
#define IDC_VERSION_OK 1001
#define IDC_VERSION_PRODUCT 1002
#define IDC_VERSION_LABEL 1003

// Child windows of the main window.
#define IDC_BAND 2001
#define IDC_STATUS 2002
#define IDC_HORZ_BAR 2003
#define IDC_VERT_BAR 2004
#define IDC_CORNER 2005
