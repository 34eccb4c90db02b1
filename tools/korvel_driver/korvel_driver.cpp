// Drives KORVEL through one whole scan, unattended, as a user would with
// the mouse: Acquire, Preview and Scan in the source's window, closing the
// source's window, Save As. Takes pictures of the scan window and of KORVEL
// with its picture along the way. Used by tools/main-job.sh.
//
// Usage: korvel_driver KORVEL.EXE OUTPUT.BMP SHOT_PREFIX
//   writes OUTPUT.BMP (saved by KORVEL), SHOT_PREFIXscan-window.bmp and
//   SHOT_PREFIXkorvel.bmp.
// Usage: korvel_driver --tour KORVEL.EXE SHOT_PREFIX
//   Acquire and Preview, then a tour of the scan window's controls with a
//   picture of each: the four setting pop-ups (SHOT_PREFIXpopup-*.bmp), the
//   gamma curve window after a drag of the red curve
//   (SHOT_PREFIXgamma-window.bmp), the preview turned and cropped
//   (SHOT_PREFIXscan-window-cropped.bmp); then the source's window is closed
//   without a scan.
// Usage: korvel_driver --aps KORVEL.EXE OUTPUT.BMP SHOT_PREFIX
//   with an APS cartridge in the virtual scanner: Acquire and Preview, the
//   index window auto-scans the cartridge (SHOT_PREFIXindex-window.bmp, all
//   annotations shown), shows frame 6 in the IX window
//   (SHOT_PREFIXix-window.bmp), saves the sheet as SHOT_PREFIXindex.IXF and
//   SHOT_PREFIXindex-export.bmp, and copies it to KORVEL, which saves it as
//   OUTPUT.BMP (SHOT_PREFIXkorvel-aps.bmp).
// Usage: korvel_driver --setup PROGRAM SHOT_PREFIX [ARGUMENTS]
//   runs the setup program or the uninstaller as a user clicking Next
//   through its pages, answering No to a question, and takes a picture of
//   each page (SHOT_PREFIXsetup-01.bmp, -02, ...).
// Usage: korvel_driver --version KORVEL.EXE SHOT
//   opens KORVEL's Version box and takes its picture as SHOT.
// Exit code 0 when every step happened; otherwise the step that did not is
// named on the error output.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/bitmap_file.h"
#include "common/win32/win32_guards.h"
#include "host/resources/resource_ids.h"
#include "source/resources/resource_ids.h"
#include "source/ui/gamma_curve_model.h"
#include "source/scanner/win32/user_messages.h"
#include "source/ui/win32/main_window_state.h"

namespace {

constexpr WPARAM KORVEL_SAVE_AS = IDM_SAVE_AS;
constexpr WPARAM KORVEL_ACQUIRE = IDM_ACQUIRE;
constexpr WPARAM SOURCE_PREVIEW = CMD_PREVIEW;
constexpr WPARAM SOURCE_SCAN = CMD_SCAN;
constexpr WPARAM SOURCE_FOCUS = CMD_FOCUS;  // enabled once a preview is in
constexpr int SOURCE_FOCUS_TOOLBAR = CMD_FOCUS + 1;  // a button's toolbar has the id one above
constexpr int FILE_NAME_EDIT = 1152;   // the file dialogs' name field
constexpr int FILE_NAME_COMBO = 1148;  // ... in the newer dialog
constexpr int KORVEL_EMPTY_HEIGHT = 56;  // band and status bar, no picture
constexpr WPARAM INDEX_AUTO_SCAN = 9723;
constexpr WPARAM INDEX_COPY = 9735;
constexpr WPARAM INDEX_IX_WINDOW = 9729;
constexpr WPARAM INDEX_SAVE_FILE = 9733;
constexpr WPARAM INDEX_SHOW_ASPECT = IDC_SHOW_ASPECT;
constexpr WPARAM INDEX_SHOW_DATE = IDC_SHOW_DATE;
constexpr WPARAM INDEX_SHOW_TITLE = IDC_SHOW_TITLE;

// Waits up to `milliseconds` for `ready` to answer true.
template <typename Ready>
bool WaitFor(DWORD milliseconds, Ready ready) {
    for (DWORD waited = 0; waited < milliseconds; waited += 50) {
        if (ready()) return true;
        Sleep(50);
    }
    return ready();
}

bool Fail(const char* step) {
    std::fprintf(stderr, "korvel_driver: %s\n", step);
    return false;
}

// The window's picture as on the screen, into a 24-bit BMP file; with
// `also`, the smallest rectangle holding both windows.
bool Photograph(HWND window, const std::string& path, HWND also = nullptr) {
    RECT rect;
    GetWindowRect(window, &rect);
    RECT other;
    if (also != nullptr && GetWindowRect(also, &other)) UnionRect(&rect, &rect, &other);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return false;
    ScopedWindowDC screen(nullptr);
    ScopedMemoryDC memory(CreateCompatibleDC(screen.Get()));
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    ScopedGdiObject<HBITMAP> bitmap(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (memory.Get() == nullptr || bitmap.Get() == nullptr) {
        return false;
    }
    bool ok = false;
    {
        ScopedSelectObject selected(memory.Get(), bitmap.Get());
        BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), rect.left, rect.top, SRCCOPY);
        GdiFlush();
    }
    BitmapInfoHeader header = InfoHeaderFor(width, height, 24);
    uint8_t headers[PIXELS_OFFSET];
    WriteFileHeader(FileHeaderFor(header.biSizeImage), headers);
    WriteInfoHeader(header, headers + FILE_HEADER_SIZE);
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out != nullptr) {
        ok = std::fwrite(headers, sizeof headers, 1, out) == 1 && std::fwrite(bits, header.biSizeImage, 1, out) == 1;
        ok = std::fclose(out) == 0 && ok;
        // A picture cut short must not be taken for a screenshot.
        if (!ok) std::remove(path.c_str());
    }
    return ok;
}

struct DialogSearch {
    DWORD process;  // 0: any process
    HWND found;
};

BOOL CALLBACK FindProcessDialog(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<DialogSearch*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if ((search->process == 0 || process == search->process) && std::string(name) == "#32770" &&
        IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND ProcessDialog(DWORD process) {
    DialogSearch search = {process, nullptr};
    EnumWindows(FindProcessDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct FieldSearch {
    HWND found;
};

BOOL CALLBACK FindFileNameField(HWND child, LPARAM context) {
    auto* search = reinterpret_cast<FieldSearch*>(context);
    int id = GetDlgCtrlID(child);
    if (id == FILE_NAME_EDIT || id == FILE_NAME_COMBO) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

// The file name field of a file dialog, wherever the dialog keeps it (some
// dialogs nest their controls in a child dialog). A combo box takes the
// text into its edit part.
HWND FileNameField(HWND dialog) {
    FieldSearch search = {nullptr};
    EnumChildWindows(dialog, FindFileNameField, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK ListChild(HWND child, LPARAM) {
    char name[64] = {};
    GetClassNameA(child, name, sizeof name);
    std::fprintf(stderr, "  child %s id %d\n", name, GetDlgCtrlID(child));
    return TRUE;
}

// Another visible top-level window of the source's class in `process`
// than `except` and `alsoExcept` (a pop-up, the gamma curve window, the
// index or the IX window).
struct SourceWindowSearch {
    DWORD process;
    HWND except;
    HWND alsoExcept;
    HWND found;
};

BOOL CALLBACK FindSourceWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<SourceWindowSearch*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (process == search->process && window != search->except && window != search->alsoExcept &&
        std::string(name) == SOURCE_CLASS_NAME && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND OtherSourceWindow(DWORD process, HWND except, HWND alsoExcept = nullptr) {
    SourceWindowSearch search = {process, except, alsoExcept, nullptr};
    EnumWindows(FindSourceWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool FileComplete(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) != 0 && data.nFileSizeLow > 54;
}

// Starts `commandLine`; false, with `failure` on the error output, when it
// cannot be started. The caller closes process.hProcess.
bool StartProgram(const std::string& commandLine, PROCESS_INFORMATION& process, const char* failure) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::vector<char> command(commandLine.begin(), commandLine.end());
    command.push_back('\0');
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return Fail(failure);
    }
    CloseHandle(process.hThread);
    return true;
}

// KORVEL started and its window up.
bool StartKorvel(const std::string& korvelPath, PROCESS_INFORMATION& process, HWND& korvel) {
    if (!StartProgram(korvelPath, process, "KORVEL could not be started")) return false;
    if (!WaitFor(20000, [&] { return (korvel = FindWindowA(KORVEL_CLASS_NAME, nullptr)) != nullptr; })) {
        return Fail("KORVEL's window did not appear");
    }
    Sleep(500);
    return true;
}

// Asks KORVEL to close and waits for its end; ends it when it does not.
bool EndKorvel(HWND korvel, HANDLE process) {
    PostMessageA(korvel, WM_CLOSE, 0, 0);
    bool ended = WaitForSingleObject(process, 20000) == WAIT_OBJECT_0;
    if (!ended) TerminateProcess(process, 1);
    CloseHandle(process);
    return ended || Fail("KORVEL did not end");
}

// KORVEL started, Acquire chosen and a preview made in the source's window.
struct Session {
    PROCESS_INFORMATION process;
    HWND korvel;
    HWND scan;
};

bool StartAndPreview(const std::string& korvelPath, Session& session) {
    if (!StartKorvel(korvelPath, session.process, session.korvel)) return false;
    PostMessageA(session.korvel, WM_COMMAND, KORVEL_ACQUIRE, 0);
    HWND& scan = session.scan;
    if (!WaitFor(30000, [&] { return (scan = FindWindowA(SOURCE_CLASS_NAME, PREVIEW_CAPTION)) != nullptr && IsWindowVisible(scan); })) {
        return Fail("the source's scan window did not open after Acquire");
    }
    Sleep(1000);
    PostMessageA(scan, WM_COMMAND, SOURCE_PREVIEW, 0);
    HWND focus = GetDlgItem(scan, SOURCE_FOCUS_TOOLBAR);
    if (!WaitFor(60000, [&] { return SendMessageA(focus, TB_ISBUTTONENABLED, SOURCE_FOCUS, 0) != 0; })) {
        return Fail("the preview did not finish");
    }
    return true;
}

// KORVEL grows its window from the bare band and status bar when the first
// picture arrives.
bool WaitForPicture(HWND korvel) {
    if (!WaitFor(60000, [&] {
            RECT client;
            return GetClientRect(korvel, &client) && client.bottom - client.top > KORVEL_EMPTY_HEIGHT;
        })) {
        return Fail("no picture arrived in KORVEL");
    }
    Sleep(500);
    return true;
}

// The picture is in KORVEL: the source's window closed, a picture of
// KORVEL taken, the picture saved as `output` and KORVEL ended.
bool CloseSourceAndSave(Session& session, const std::string& output, const std::string& korvelShot) {
    PROCESS_INFORMATION& process = session.process;
    HWND korvel = session.korvel, scan = session.scan;
    PostMessageA(scan, WM_CLOSE, 0, 0);
    if (!WaitFor(20000, [&] { return !IsWindow(scan); })) {
        return Fail("the source's window did not close");
    }
    Sleep(1000);
    if (!Photograph(korvel, korvelShot)) Fail("no picture of KORVEL");

    PostMessageA(korvel, WM_COMMAND, KORVEL_SAVE_AS, 0);
    HWND dialog = nullptr;
    if (!WaitFor(20000, [&] { return (dialog = ProcessDialog(process.dwProcessId)) != nullptr; })) {
        return Fail("the Save As dialog did not open");
    }
    Sleep(500);
    HWND field = FileNameField(dialog);
    if (field == nullptr) {
        char caption[128] = {};
        GetWindowTextA(dialog, caption, sizeof caption);
        std::fprintf(stderr, "korvel_driver: dialog \"%s\"\n", caption);
        EnumChildWindows(dialog, ListChild, 0);
        return Fail("the Save As dialog has no file name field");
    }
    SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(output.c_str()));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    if (!WaitFor(20000, [&] { return FileComplete(output); })) {
        return Fail("KORVEL did not save the picture");
    }
    Sleep(500);
    return EndKorvel(korvel, process.hProcess);
}

bool Drive(const std::string& korvelPath, const std::string& output, const std::string& shots) {
    DeleteFileA(output.c_str());
    Session session = {};
    if (!StartAndPreview(korvelPath, session)) return false;
    Sleep(500);
    if (!Photograph(session.scan, shots + "scan-window.bmp")) Fail("no picture of the scan window");

    PostMessageA(session.scan, WM_COMMAND, SOURCE_SCAN, 0);
    HWND progress = nullptr;
    if (!WaitFor(30000, [&] { return (progress = FindWindowA(SOURCE_CLASS_NAME, SCANNING_CAPTION)) != nullptr; })) {
        return Fail("the final scan did not start");
    }
    if (!WaitFor(300000, [&] { return !IsWindow(progress); })) {
        return Fail("the final scan did not end");
    }
    return WaitForPicture(session.korvel) && CloseSourceAndSave(session, output, shots + "korvel.bmp");
}

// The APS road: the index window opened from the scan window, the
// cartridge auto-scanned to its end with every annotation shown, the sheet
// copied to KORVEL and saved there.
bool DriveAps(const std::string& korvelPath, const std::string& output, const std::string& shots) {
    DeleteFileA(output.c_str());
    Session session = {};
    if (!StartAndPreview(korvelPath, session)) return false;
    PostMessageA(session.scan, WM_COMMAND, CMD_INDEX_WINDOW, 0);
    HWND index = nullptr;
    if (!WaitFor(20000, [&] { return (index = OtherSourceWindow(session.process.dwProcessId, session.scan)) != nullptr; })) {
        return Fail("the index window did not open");
    }
    Sleep(500);
    PostMessageA(index, WM_COMMAND, INDEX_AUTO_SCAN, 0);
    HWND done = nullptr;
    if (!WaitFor(180000, [&] { return (done = FindWindowA("#32770", MESSAGE_CAPTION)) != nullptr; })) {
        return Fail("the auto scan did not end");
    }
    char text[256] = {};
    GetDlgItemTextA(done, 0xFFFF, text, sizeof text);
    std::fprintf(stderr, "korvel_driver: the auto scan ended: %s\n", text);
    PostMessageA(done, WM_COMMAND, IDOK, 0);
    Sleep(500);
    for (WPARAM option : {INDEX_SHOW_ASPECT, INDEX_SHOW_DATE, INDEX_SHOW_TITLE}) {
        PostMessageA(index, WM_COMMAND, option, 0);
    }
    Sleep(1000);
    if (!Photograph(index, shots + "index-window.bmp")) Fail("no picture of the index window");

    // Frame 6 picked on the sheet and shown in the IX window.
    PostMessageA(index, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(48 + 5 * 96 + 5, 5));
    PostMessageA(index, WM_LBUTTONUP, 0, MAKELPARAM(48 + 5 * 96 + 5, 5));
    PostMessageA(index, WM_COMMAND, INDEX_IX_WINDOW, 0);
    HWND ix = nullptr;
    if (!WaitFor(20000, [&] { return (ix = OtherSourceWindow(session.process.dwProcessId, session.scan, index)) != nullptr; })) {
        return Fail("the IX window did not open");
    }
    Sleep(1000);
    if (!Photograph(ix, shots + "ix-window.bmp")) Fail("no picture of the IX window");
    PostMessageA(ix, WM_CLOSE, 0, 0);
    Sleep(500);

    // The sheet saved as an index file and as a bitmap, through the dialog.
    for (const char* kind : {"index.IXF", "index-export.bmp"}) {
        std::string file = shots + kind;
        DeleteFileA(file.c_str());
        PostMessageA(index, WM_COMMAND, INDEX_SAVE_FILE, 0);
        HWND dialog = nullptr;
        if (!WaitFor(20000, [&] { return (dialog = ProcessDialog(session.process.dwProcessId)) != nullptr; })) {
            return Fail("the index window's save dialog did not open");
        }
        Sleep(500);
        HWND field = FileNameField(dialog);
        if (field == nullptr) return Fail("the save dialog has no file name field");
        SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()));
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        if (!WaitFor(20000, [&] { return FileComplete(file); })) return Fail("the index window did not save");
        Sleep(500);
    }

    PostMessageA(index, WM_COMMAND, INDEX_COPY, 0);
    return WaitForPicture(session.korvel) && CloseSourceAndSave(session, output, shots + "korvel-aps.bmp");
}

// Opens a setting pop-up with its button, takes its picture over the scan
// window, then picks `row` in its list as a click does, or closes it (-1).
bool Popup(const Session& session, WPARAM command, const std::string& shot, int listId, int row) {
    PostMessageA(session.scan, WM_COMMAND, command, 0);
    HWND popup = nullptr;
    if (!WaitFor(10000, [&] { return (popup = OtherSourceWindow(session.process.dwProcessId, session.scan)) != nullptr; })) {
        return Fail("a setting pop-up did not open");
    }
    Sleep(500);
    if (!Photograph(session.scan, shot, popup)) Fail("no picture of a setting pop-up");
    if (row < 0) {
        PostMessageA(popup, WM_COMMAND, IDCANCEL, 0);
    } else {
        HWND list = GetDlgItem(popup, listId);
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
        PostMessageA(popup, WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    }
    if (!WaitFor(10000, [&] { return !IsWindow(popup); })) return Fail("a setting pop-up did not close");
    Sleep(300);
    return true;
}

// A drag in a window's client pixels with the left button, in small steps
// at first as a hand starts one.
void Drag(HWND window, POINT from, POINT to) {
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(from.x + (to.x > from.x) - (to.x < from.x),
                                                                from.y + (to.y > from.y) - (to.y < from.y)));
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(to.x, to.y));
}

bool Tour(const std::string& korvelPath, const std::string& shots) {
    Session session = {};
    if (!StartAndPreview(korvelPath, session)) return false;
    Sleep(500);
    HWND scan = session.scan;
    bool ok = Popup(session, CMD_FILM_TYPE, shots + "popup-film-type.bmp", IDC_FILM_TYPE_LIST, -1) &&
              Popup(session, CMD_IMAGE_SIZE, shots + "popup-image-size.bmp", IDC_IMAGE_SIZE_LIST, -1) &&
              Popup(session, CMD_UNIT, shots + "popup-unit.bmp", IDC_UNIT_LIST, 1) &&  // mm
              Popup(session, CMD_OUTPUT_RESOLUTION, shots + "popup-resolution.bmp", IDC_RESOLUTION_LIST, -1);
    if (!ok) return false;

    // The gamma curve window with the red curve pulled down from its middle:
    // the red balance follows, the preview turns cyan.
    PostMessageA(scan, WM_COMMAND, CMD_GAMMA_WINDOW, 0);
    HWND gamma = nullptr;
    if (!WaitFor(10000, [&] { return (gamma = OtherSourceWindow(session.process.dwProcessId, scan)) != nullptr; })) {
        return Fail("the gamma curve window did not open");
    }
    Sleep(500);
    SendMessageA(gamma, WM_COMMAND, CMD_GAMMA_MASTER + GAMMA_CHANNEL_RED, 0);
    Drag(gamma, {95, 71}, {95, 85});
    Sleep(500);
    if (!Photograph(gamma, shots + "gamma-window.bmp")) Fail("no picture of the gamma curve window");
    PostMessageA(gamma, WM_CLOSE, 0, 0);
    if (!WaitFor(10000, [&] { return !IsWindow(gamma); })) return Fail("the gamma curve window did not close");

    // Turned a quarter, the frame's left and bottom edges dragged in.
    SendMessageA(scan, WM_COMMAND, CMD_ROTATE, 0);
    Drag(scan, {59, 135}, {89, 135});
    Drag(scan, {150, 254}, {150, 214});
    Sleep(500);
    if (!Photograph(scan, shots + "scan-window-cropped.bmp")) Fail("no picture of the cropped preview");

    PostMessageA(scan, WM_CLOSE, 0, 0);
    if (!WaitFor(20000, [&] { return !IsWindow(scan); })) return Fail("the source's window did not close");
    Sleep(500);
    return EndKorvel(session.korvel, session.process.hProcess);
}

BOOL CALLBACK AppendChildText(HWND child, LPARAM context) {
    if (IsWindowVisible(child)) {
        char text[256] = {};
        GetWindowTextA(child, text, sizeof text);
        *reinterpret_cast<std::string*>(context) += std::string(text) + "|";
    }
    return TRUE;
}

// What a page shows: its caption and every visible control's text. A new
// text is a new page.
std::string PageText(HWND dialog) {
    char caption[256] = {};
    GetWindowTextA(dialog, caption, sizeof caption);
    std::string text = caption;
    EnumChildWindows(dialog, AppendChildText, reinterpret_cast<LPARAM>(&text));
    return text;
}

bool WalkSetup(const std::string& program, const std::string& arguments, const std::string& shots) {
    PROCESS_INFORMATION process = {};
    if (!StartProgram("\"" + program + "\" " + arguments, process, "the setup program could not be started")) {
        return false;
    }
    std::string last;
    int page = 0;
    // Ends when no dialog has been seen for a while after the program ended
    // (the uninstaller's copy starts a moment after its first process ends).
    for (DWORD idle = 0; idle < 60000;) {
        // Any process's: the uninstaller runs again from a copy.
        HWND dialog = ProcessDialog(0);
        if (dialog == nullptr) {
            if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0 && idle >= 5000) break;
            Sleep(100);
            idle += 100;
            continue;
        }
        idle = 0;
        // Next, Install, Finish or Close are button 1; a question is
        // answered No.
        HWND no = GetDlgItem(dialog, IDNO);
        HWND button = no != nullptr ? no : GetDlgItem(dialog, IDOK);
        if (button == nullptr || !IsWindowEnabled(button) || !IsWindowVisible(button)) {
            Sleep(100);
            continue;
        }
        Sleep(800);
        std::string text = PageText(dialog);
        if (text != last) {
            char name[32];
            std::snprintf(name, sizeof name, "setup-%02d.bmp", ++page);
            if (!Photograph(dialog, shots + name)) return Fail("a page could not be photographed");
            last = text;
        }
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
        Sleep(700);
    }
    CloseHandle(process.hProcess);
    return page > 0 || Fail("the setup program showed no page");
}

bool PhotographVersionBox(const std::string& korvelPath, const std::string& shot) {
    PROCESS_INFORMATION process = {};
    HWND korvel = nullptr;
    if (!StartKorvel(korvelPath, process, korvel)) return false;
    PostMessageA(korvel, WM_COMMAND, IDM_VERSION, 0);
    HWND box = nullptr;
    if (!WaitFor(10000, [&] { return (box = ProcessDialog(process.dwProcessId)) != nullptr; })) {
        return Fail("the Version box did not open");
    }
    Sleep(800);
    bool ok = Photograph(box, shot);
    PostMessageA(box, WM_COMMAND, IDC_VERSION_OK, 0);
    Sleep(500);
    bool ended = EndKorvel(korvel, process.hProcess);
    return (ok || Fail("the Version box could not be photographed")) && ended;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--tour") return Tour(argv[2], argv[3]) ? 0 : 1;
    if (argc == 5 && std::string(argv[1]) == "--aps") return DriveAps(argv[2], argv[3], argv[4]) ? 0 : 1;
    if (argc >= 4 && std::string(argv[1]) == "--setup") {
        std::string arguments;
        for (int i = 4; i < argc; ++i) arguments += std::string(i > 4 ? " " : "") + argv[i];
        return WalkSetup(argv[2], arguments, argv[3]) ? 0 : 1;
    }
    if (argc == 4 && std::string(argv[1]) == "--version") return PhotographVersionBox(argv[2], argv[3]) ? 0 : 1;
    if (argc != 4) {
        std::fprintf(stderr, "usage: korvel_driver KORVEL.EXE OUTPUT.BMP SHOT_PREFIX\n"
                             "       korvel_driver --tour KORVEL.EXE SHOT_PREFIX\n"
                             "       korvel_driver --aps KORVEL.EXE OUTPUT.BMP SHOT_PREFIX\n"
                             "       korvel_driver --setup PROGRAM SHOT_PREFIX [ARGUMENTS]\n"
                             "       korvel_driver --version KORVEL.EXE SHOT\n");
        return 2;
    }
    return Drive(argv[1], argv[2], argv[3]) ? 0 : 1;
}
