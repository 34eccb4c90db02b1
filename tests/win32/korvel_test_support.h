// What KORVEL's Windows tests share: running the program's window in the
// test's own thread, answering its modal boxes and file dialogs from a
// thread of their own, the picture source installed in the prefix, the
// settings, and bitmap files made byte by byte.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/little_endian.h"
#include "common/win32/profile_settings.h"
#include "host/resources/resource_ids.h"
#include "host/win32/main_window.h"
#include "host/win32/program_state.h"
#include "tests/picture_source/picture_source_protocol.h"
#include "tests/win32/message_box_watcher.h"
#include "tests/win32/prefix_paths.h"

namespace korvel_test {

constexpr char CAPTION[] = KORVEL_CAPTION;
constexpr char PICTURE_FOLDER[] = "QxKorvelTest";
constexpr char PICTURE_FILE[] = "korvel_picture.ds";

// Wine maps the Unix file system to drive Z:.
inline std::string WindowsFolder() {
    char folder[MAX_PATH] = {};
    GetWindowsDirectoryA(folder, sizeof folder);
    return folder;
}

// Where the sources live, and the picture source's folder and file there.
inline std::string PictureSourceFolder() {
    return SourcesFolder() + "\\" + PICTURE_FOLDER;
}

inline std::string PictureSourcePath() {
    return PictureSourceFolder() + "\\" + PICTURE_FILE;
}

// A scratch folder for the tests' files, empty at the start of each test.
inline std::string ScratchFolder() {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    return std::string(temp) + "korvel_test";
}

// KORVEL's file calls take UTF-16 names.
inline std::wstring Wide(const std::string& text) {
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, MAX_PATH);
    return wide;
}

inline std::string ReadDefaultSource(const char* absent = "<absent>") {
    char value[MAX_PATH] = {};
    GetProfileStringA("TWAIN", "Default Source", absent, value, sizeof value);
    return value;
}

// nullptr removes the key.
inline void WriteDefaultSource(const char* path) {
    WriteProfileStringA("TWAIN", "Default Source", path);
}

inline void WriteHostKey(const char* key, const char* value) {
    WritePrivateProfileStringA(HOST_SECTION, key, value, SETTINGS_FILE);
}

inline std::string ReadHostKey(const char* key) {
    char value[256] = {};
    GetPrivateProfileStringA(HOST_SECTION, key, "<absent>", value, sizeof value, SETTINGS_FILE);
    return value;
}

inline void SetPictureSource(const char* behaviour) {
    SetEnvironmentVariableA(PICTURE_SOURCE_VARIABLE, behaviour);
    SetEnvironmentVariableA(PICTURE_SOURCE_LOG, "");
}

inline std::string PictureSourceLog() {
    char log[4096] = {};
    GetEnvironmentVariableA(PICTURE_SOURCE_LOG, log, sizeof log);
    return log;
}

// Runs the thread's messages through KORVEL's loop until done() or the time
// is up; a WM_QUIT (the window was destroyed) is swallowed. Returns done().
inline bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds) {
    DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message != WM_QUIT) {
                DispatchLoopMessage(message);
            }
        }
        if (done()) return true;
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(20, milliseconds - elapsed), QS_ALLINPUT);
    }
}

inline void PumpFor(DWORD milliseconds) {
    PumpUntil([] { return false; }, milliseconds);
}

// An action that presses a button of a message box.
inline std::function<void(HWND)> Press(int button) {
    return [button](HWND box) { PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0); };
}

// The file name box of a common file dialog: the combo box of newer
// dialogs (cmb13) or the edit box of older ones (edt1).
inline HWND FileNameBox(HWND dialog) {
    HWND box = GetDlgItem(dialog, 0x47C);
    return box != nullptr ? box : GetDlgItem(dialog, 0x480);
}

// An action that types path into a file dialog and confirms it.
inline std::function<void(HWND)> ChooseFile(const std::wstring& path) {
    return [path](HWND dialog) {
        Sleep(200);  // the dialog fills its controls after it shows
        SetWindowTextW(FileNameBox(dialog), path.c_str());
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    };
}

inline std::function<void(HWND)> ChooseFile(const std::string& path) {
    return ChooseFile(Wide(path));
}

inline std::string StatusText(int part) {
    char text[256] = {};
    SendMessageA(statusBar, SB_GETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text));
    return text;
}

struct BitmapFields {
    int32_t width = 5;
    int32_t height = 3;
    uint32_t infoSize = 40;
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    int64_t sizeImage = -1;   // -1: the real size
    int64_t offBits = -1;     // -1: right after the headers
    size_t pixelBytes = SIZE_MAX;  // SIZE_MAX: the real size
};

// A bitmap file of the given fields; its pixels are a known pattern.
inline std::vector<uint8_t> MakeBitmapFile(const BitmapFields& f) {
    uint32_t rowBytes = (static_cast<uint32_t>(std::max(f.width, 0)) * 3 + 3) / 4 * 4;
    uint32_t realSize = rowBytes * static_cast<uint32_t>(std::max(f.height, 0));
    uint32_t offset = f.offBits >= 0 ? static_cast<uint32_t>(f.offBits) : 14 + f.infoSize;
    size_t pixels = f.pixelBytes != SIZE_MAX ? f.pixelBytes : realSize;
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    AppendLe32(out, offset + static_cast<uint32_t>(pixels));
    AppendLe32(out, 0);
    AppendLe32(out, offset);
    AppendLe32(out, f.infoSize);
    AppendLe32(out, static_cast<uint32_t>(f.width));
    AppendLe32(out, static_cast<uint32_t>(f.height));
    AppendLe16(out, 1);
    AppendLe16(out, f.bitCount);
    AppendLe32(out, f.compression);
    AppendLe32(out, f.sizeImage >= 0 ? static_cast<uint32_t>(f.sizeImage) : realSize);
    for (int i = 0; i < 4; ++i) AppendLe32(out, 0);
    out.resize(std::max<size_t>(out.size(), offset), 0xEE);  // the rest of a larger header
    for (size_t i = 0; i < pixels; ++i) out.push_back(static_cast<uint8_t>(i * 37 + 11));
    return out;
}

inline bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = bytes.empty() || WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::vector<uint8_t> bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    DWORD size = GetFileSize(file, nullptr);
    bytes.resize(size);
    DWORD read = 0;
    if (size > 0 && (!ReadFile(file, bytes.data(), size, &read, nullptr) || read != size)) bytes.clear();
    CloseHandle(file);
    return bytes;
}

// A picture block as a source hands it over (header and rows) of the given
// fields; the caller owns it.
inline HGLOBAL MakePictureBlock(const BitmapFields& fields) {
    std::vector<uint8_t> file = MakeBitmapFile(fields);
    HGLOBAL block = GlobalAlloc(GHND, file.size() - 14);
    std::copy(file.begin() + 14, file.end(), static_cast<uint8_t*>(GlobalLock(block)));
    GlobalUnlock(block);
    return block;
}

// The header and rows of currentImage.
inline std::vector<uint8_t> CurrentImageBytes() {
    std::vector<uint8_t> bytes;
    if (currentImage == nullptr) return bytes;
    SIZE_T size = GlobalSize(currentImage);
    auto* data = static_cast<const uint8_t*>(GlobalLock(currentImage));
    if (data != nullptr) {
        bytes.assign(data, data + size);
        GlobalUnlock(currentImage);
    }
    return bytes;
}

// Runs KORVEL's window in this thread for one test, with fresh settings of
// its own; closes it again (without the question about an unsaved picture).
class KorvelTest : public ::testing::Test {
protected:
    void SetUp() override {
        WritePrivateProfileStringA(HOST_SECTION, nullptr, nullptr, SETTINGS_FILE);
        WritePrivateProfileStringA(SOURCE_SECTION, "FILES0", nullptr, SETTINGS_FILE);
        WriteDefaultSource(PictureSourcePath().c_str());
        SetPictureSource("auto,close");
        CreateDirectoryA(ScratchFolder().c_str(), nullptr);
    }

    void TearDown() override {
        Close();
        WritePrivateProfileStringA(SOURCE_SECTION, "FILES0", nullptr, SETTINGS_FILE);
    }

    HWND Start() {
        HWND window = StartKorvel(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
        PumpFor(100);
        return window;
    }

    void Close() {
        if (mainWindow == nullptr) return;
        imageSaved = 1;
        PostMessageA(mainWindow, WM_CLOSE, 0, 0);
        PumpUntil([] { return mainWindow == nullptr; }, 10000);
    }

    // The scratch file name for this test.
    static std::string Scratch(const char* name) { return ScratchFolder() + "\\" + name; }

    // A menu item's state flags (MF_GRAYED, MF_CHECKED, ...).
    static UINT MenuState(UINT command) { return GetMenuState(GetMenu(mainWindow), command, MF_BYCOMMAND); }
};

}  // namespace korvel_test
