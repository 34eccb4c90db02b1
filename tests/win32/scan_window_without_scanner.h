// The main scan window opened inside a test's process with no scanner to
// find, as the window tests start it, and closed again.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "common/win32/profile_settings.h"
#include "source/twain/win32/session_state.h"
#include "source/ui/win32/main_window.h"
#include "tests/win32/message_box_watcher.h"
#include "tests/win32/prefix_paths.h"

// Resets the library, points it at a port driver that does not exist (so
// the scanner cannot be found) and at the installed film parameter files,
// and opens the window, answering the one message box that says so; the
// box's texts go to `startTexts` when given. The window, painted once, is
// the library's main window. Answers 0 when it could not be made.
inline HWND OpenScanWindowWithoutScanner(std::vector<std::string>* startTexts = nullptr) {
    ResetSession(GetModuleHandleA(nullptr));
    WriteSettingString(SOURCE_SECTION, "PORT_ACCESS", "DRIVER");
    WriteSettingString(SOURCE_SECTION, "PORT_DRIVER", "no_such_port_driver.dll");
    WriteSettingString(SOURCE_SECTION, "PATH", INSTALL_FOLDER);
    MessageBoxWatcher watcher(1);
    HWND window = CreateMainWindow();
    std::vector<std::string> texts = watcher.Finish();
    if (startTexts != nullptr) *startTexts = texts;
    if (window != nullptr) {
        mainWindow = window;
        UpdateWindow(window);
    }
    return window;
}

// Destroys the window (and the windows it owns), resets the library and
// points it back at the virtual scanner for the tests that follow.
inline void CloseScanWindow(HWND window) {
    DestroyWindow(window);
    ResetSession(GetModuleHandleA(nullptr));
    WriteSettingString(SOURCE_SECTION, "PORT_DRIVER", Installed("qx52sim.dll").c_str());
}
