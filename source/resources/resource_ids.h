// Resource numbers of the data source library, shared by the resource script
// and the code.
#pragma once

// The private window class that every dialog template names, and the
// captions of the main scan window (PREVIEW_DLG) and of the final scan's
// progress window (SCANDIALOG), for the script and the code alike.
#define SOURCE_CLASS_NAME "QX-52"
#define PREVIEW_CAPTION "  VANTERA QX-52"
#define SCANNING_CAPTION "  QX-52 Scanning"
// The gamma curve window's caption in its template (English); the window
// sets it from IDS_GAMMA_CAPTION + useJapanese.
#define GAMMA_CAPTION "  Gamma Curve"
// The index window's caption in its template (English); the window sets it
// from IDS_INDEX_CAPTION + useJapanese.
#define INDEX_CAPTION "  Index"
// The IX window's caption in its template (English); the window sets it
// from IDS_IX_CAPTION + useJapanese.
#define IX_CAPTION "  IX (Information Exchange)"

// String table: identity strings.
#define IDS_MANUFACTURER 0
#define IDS_PRODUCT_FAMILY 1
#define IDS_PRODUCT_NAME 2
#define IDS_VERSION_INFO 3

// The icon of every source window.
#define IDI_SOURCE 153

// The gamma curve window: its reset button's tool tip and its caption,
// English at the id, Japanese at id + 1.
#define IDS_GAMMA_RESET_TIP 10180
#define IDS_GAMMA_CAPTION 10190

// The output resolution's label in the unit panel, English at the id,
// Japanese at id + 1.
#define IDS_RESOLUTION_LABEL 10200

// The index window's caption, English at the id, Japanese at id + 1.
#define IDS_INDEX_CAPTION 20100
// The IX window's caption and its Read, REC and Cancel buttons (each
// English at the id, Japanese at id + 1).
#define IDS_IX_CAPTION 20110
#define IDS_IX_READ 20120
#define IDS_IX_REC 20130
#define IDS_IX_CANCEL 20140

// The index window's display options: check boxes over its legend.
#define IDC_SHOW_NUMBERS 1000
#define IDC_SHOW_ASPECT 1001
#define IDC_SHOW_DATE 1002
#define IDC_SHOW_TITLE 1003

// Message of the main scan window's start: the film parameter file could
// not be read (its text names the file through "%s").
#define IDS_FILM_FILE_UNREADABLE 30230

// The main scan window's setting pop-ups: the one list box of each.
#define IDC_FILM_TYPE_LIST 321
#define IDC_IMAGE_SIZE_LIST 322
#define IDC_UNIT_LIST 323
#define IDC_RESOLUTION_LIST 324
