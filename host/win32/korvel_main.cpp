// KORVEL.EXE: the host scanning program.
#include <windows.h>

#include "host/win32/main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    if (StartKorvel(instance, showCommand) == nullptr) {
        return 1;
    }
    return RunMessageLoop();
}
