// Resource numbers of the data source library, shared by the resource script
// and the code.
#pragma once

// The private window class that every dialog template names, and the
// captions of the main scan window (PREVIEW_DLG) and of the final scan's
// progress window (SCANDIALOG), for the script and the code alike.
#define SOURCE_CLASS_NAME "QX-52"
#define PREVIEW_CAPTION "  VANTERA QX-52"
#define SCANNING_CAPTION "  QX-52 Scanning"

// String table: identity strings.
#define IDS_MANUFACTURER 0
#define IDS_PRODUCT_FAMILY 1
#define IDS_PRODUCT_NAME 2
#define IDS_VERSION_INFO 3

// The icon of every source window.
#define IDI_SOURCE 153

// Message of the main scan window's start: the film parameter file could
// not be read (its text names the file through "%s").
#define IDS_FILM_FILE_UNREADABLE 30230
