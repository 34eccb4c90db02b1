// Resource numbers of the data source library, shared by the resource script
// and the code.
#pragma once

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
