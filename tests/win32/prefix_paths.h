// Where the Windows tests find things: the source's installation in the
// test prefix (tools/wine-prefix.sh puts it there), the folder the source
// manager searches, and the build tree as a Windows path.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>

#include "common/win32/profile_settings.h"  // the file and section names only

constexpr char INSTALL_FOLDER[] = "C:\\windows\\twain_32\\VANTERA\\";

// A file of the source's installation.
inline std::string Installed(const char* name) {
    return std::string(INSTALL_FOLDER) + name;
}

// The folder below which the source manager finds sources.
inline std::string SourcesFolder() {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, sizeof windows);
    return std::string(windows) + "\\twain_32";
}

// A path of the build tree (a Unix path) as this Windows process reaches
// it: through drive Z:, Wine's view of the whole file system.
inline std::string WindowsPath(const char* unixPath) {
    std::string path = "Z:";
    path.append(unixPath);
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// The settings of a fresh installation with the virtual scanner as the
// port driver, holding a 35 mm strip (a check keeps the selected film type;
// an APS cartridge would choose its own). Every other key of the source's
// section is removed.
inline void InstallStripScannerSettings() {
    WritePrivateProfileStringA(SOURCE_SECTION, nullptr, nullptr, SETTINGS_FILE);
    WritePrivateProfileStringA(SOURCE_SECTION, "PORT_ACCESS", "DRIVER", SETTINGS_FILE);
    WritePrivateProfileStringA(SOURCE_SECTION, "PORT_DRIVER", Installed("qx52sim.dll").c_str(), SETTINGS_FILE);
    WritePrivateProfileStringA(SOURCE_SECTION, "PATH", INSTALL_FOLDER, SETTINGS_FILE);
    SetEnvironmentVariableA("QX52SIM_CONFIG", Installed("strip.cfg").c_str());
}
