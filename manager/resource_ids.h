// Resource ids of the source manager's dialog (shared with its resource
// script and with the tests that drive the dialog).
#pragma once

#define IDD_USER_SELECT 100
#define IDC_SOURCE_LIST 101
