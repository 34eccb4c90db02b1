// CheckScanner as the windows of the source call it: the real scanner
// commands and message boxes, the film parameter file in use, and the
// session's application window and language, taken at each call.
#include <windows.h>

#include "source/imaging/film_parameters.h"
#include "source/scanner/command_set.h"
#include "source/scanner/link.h"
#include "source/scanner/scanner_check.h"
#include "source/scanner/win32/user_messages.h"
#include "source/twain/win32/session_state.h"

namespace {

void ShowCheckMessage(void* owner, uint32_t stringId) {
    ShowMessage(static_cast<HWND>(owner), stringId);
}

}  // namespace

int32_t CheckScanner(void* owner) {
    const ScannerCheckDeps deps = {
        ReadStatus, ReadCartridgeData, ResetScanner, ShowCheckMessage, FindFilmRecord, parentWindow, useJapanese,
    };
    return CheckScannerWith(deps, owner);
}
