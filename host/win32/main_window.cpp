#include "host/win32/main_window.h"

#include <commctrl.h>

#include "common/win32/profile_settings.h"
#include "host/core/language_choice.h"
#include "host/core/setting_values.h"
#include "host/core/window_layout.h"
#include "host/resources/resource_ids.h"
#include "host/win32/commands.h"
#include "host/win32/image_view.h"
#include "host/win32/program_state.h"
#include "host/win32/procedure_boundary.h"
#include "host/win32/program_text.h"
#include "host/win32/tool_band.h"
#include "host/win32/twain_connection.h"
#include "common/win32/win32_guards.h"
#include "qx_version.h"

constexpr char SMALL_ICON[] = "SMALL";

static LRESULT OnCreate(HWND window) {
    mainWindow = window;
    if (!CreateToolBand(window) || !CreateImageScrollBars(window)) {
        return -1;
    }
    return 0;
}

static LRESULT OnSize(HWND window, WPARAM kind) {
    // A minimised window keeps the layout it had.
    if (kind != SIZE_MINIMIZED) {
        LayOut(window);
    }
    return 0;
}

static LRESULT OnEraseBackground(HWND window, HDC dc) {
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    PaintBandBackground(dc, client.left, client.right);
    return TRUE;
}

static LRESULT OnPaint(HWND window) {
    ScopedPaint paint(window);
    PaintPicture(window, paint.Get());
    return 0;
}

static LRESULT OnNotify(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (AnswerToolTip(reinterpret_cast<NMHDR*>(lParam))) {
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static LRESULT OnDrawItem(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (item->CtlID == IDC_BAND) {
        DrawBand(item);
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static LRESULT OnCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (RunCommand(window, LOWORD(wParam))) {
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The TWAIN connection and the default source are put back before the
// window goes.
static void CloseProgram(HWND window) {
    ShutDownTwain(window);
    RestoreDefaultSource();
    DestroyWindow(window);
}

// A picture not saved goes only when the user agrees.
static bool MayDiscardPicture(HWND window) {
    if (imageSaved) return true;
    char caption[TEXT_SIZE];
    char question[TEXT_SIZE];
    LoadText(IDS_CAPTION, caption, sizeof caption);
    LoadLocalText(IDS_NOT_SAVED, question, sizeof question);
    return MessageBoxA(window, question, caption, MB_OKCANCEL | MB_ICONWARNING) == IDOK;
}

static LRESULT OnClose(HWND window) {
    if (MayDiscardPicture(window)) CloseProgram(window);
    return 0;
}

static LRESULT OnEndSession(HWND window, WPARAM ending) {
    if (ending) {
        CloseProgram(window);
    }
    return 0;
}

static LRESULT OnDestroy(HWND window) {
    FreeCurrentImage();
    RECT frame;
    if (GetWindowRect(window, &frame) && frame.bottom - frame.top > MIN_SAVED_WINDOW_HEIGHT) {
        WriteSettingInt(HOST_SECTION, "TOP", frame.top);
        WriteSettingInt(HOST_SECTION, "LEFT", frame.left);
    }
    mainWindow = nullptr;
    PostQuitMessage(0);
    return 0;
}

static LRESULT HandleMainWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate(window);
    case WM_SIZE:
        return OnSize(window, wParam);
    case WM_ERASEBKGND:
        return OnEraseBackground(window, reinterpret_cast<HDC>(wParam));
    case WM_PAINT:
        return OnPaint(window);
    case WM_HSCROLL:
    case WM_VSCROLL:
        ScrollImage(window, reinterpret_cast<HWND>(lParam), wParam);
        return 0;
    case WM_NOTIFY:
        return OnNotify(window, message, wParam, lParam);
    case WM_DRAWITEM:
        return OnDrawItem(window, message, wParam, lParam);
    case WM_COMMAND:
        return OnCommand(window, message, wParam, lParam);
    case IMAGE_ARRIVED:
        TakeArrivedPicture(window, reinterpret_cast<HGLOBAL>(wParam));
        return 0;
    case PICTURE_REFUSED:
        ShowRefusedPicture(window, static_cast<uint32_t>(wParam));
        return 0;
    case WM_CLOSE:
        return OnClose(window);
    case WM_QUERYENDSESSION:
        // Windows ending the session asks as Close does.
        return MayDiscardPicture(window) ? TRUE : FALSE;
    case WM_ENDSESSION:
        return OnEndSession(window, wParam);
    case WM_DESTROY:
        return OnDestroy(window);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

static LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return AnswerWithoutThrowing(window, LRESULT{0},
                                 [&] { return HandleMainWindowMessage(window, message, wParam, lParam); });
}

static bool RegisterMainClass(HINSTANCE instance, const char* className, const char* menuName) {
    UnregisterClassA(className, instance);
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, className);
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszMenuName = menuName;
    windowClass.lpszClassName = className;
    // Windows 95 and later take a small icon with the extended form.
    if (LOBYTE(LOWORD(GetVersion())) >= 4) {
        windowClass.hIconSm = static_cast<HICON>(LoadImageA(instance, SMALL_ICON, IMAGE_ICON,
                                                            GetSystemMetrics(SM_CXSMICON),
                                                            GetSystemMetrics(SM_CYSMICON), 0));
        return RegisterClassExA(&windowClass) != 0;
    }
    WNDCLASSA plain = {windowClass.style, windowClass.lpfnWndProc, 0, 0, instance, windowClass.hIcon,
                       windowClass.hCursor, windowClass.hbrBackground, menuName, className};
    return RegisterClassA(&plain) != 0;
}

static void FillHostIdentity() {
    hostIdentity = TW_IDENTITY{};
    hostIdentity.Id = 0;
    hostIdentity.Version.MajorNum = QX_VERSION_MAJOR;
    hostIdentity.Version.MinorNum = QX_VERSION_MINOR;
    hostIdentity.Version.Language = TWLG_USA;
    hostIdentity.Version.Country = TWCY_USA;
    lstrcpynA(hostIdentity.Version.Info, "QX-52 FilmScanner Ver" QX_VERSION_TEXT, sizeof(TW_STR32));
    hostIdentity.ProtocolMajor = 1;
    hostIdentity.ProtocolMinor = 6;
    hostIdentity.SupportedGroups = DG_CONTROL | DG_IMAGE;
    lstrcpynA(hostIdentity.Manufacturer, "VANTERA", sizeof(TW_STR32));
    lstrcpynA(hostIdentity.ProductFamily, "QX-52 FilmScanner", sizeof(TW_STR32));
    lstrcpynA(hostIdentity.ProductName, "VANTERA", sizeof(TW_STR32));
}

HWND StartKorvel(HINSTANCE instance, int showCommand) {
    ResetProgramState();
    programInstance = instance;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    char className[TEXT_SIZE];
    char caption[TEXT_SIZE];
    char menuName[TEXT_SIZE];
    char language[TEXT_SIZE];
    LoadText(IDS_APP_NAME, className, sizeof className);
    LoadText(IDS_CAPTION, caption, sizeof caption);
    ReadSettingString(HOST_SECTION, "LANGUAGE", UNSET_VALUE, language, sizeof language);
    textOffset = ChooseTextOffset(GetKeyboardType(0), language);
    LoadText(textOffset != 0 ? IDS_MENU_JAPANESE : IDS_APP_NAME, menuName, sizeof menuName);
    if (!RegisterMainClass(instance, className, menuName)) {
        return nullptr;
    }

    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    WindowPoint place = PlaceSavedWindow(ReadSettingInt(HOST_SECTION, "LEFT", 0),
                                         ReadSettingInt(HOST_SECTION, "TOP", 0), desktop.right, desktop.bottom);
    WindowSize size = MainWindowSize(ReadSystemMetrics());
    HWND window = CreateWindowExA(0, className, caption, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, place.left,
                                  place.top, size.width, size.height, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return nullptr;
    }
    FillHostIdentity();
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return window;
}

void DispatchLoopMessage(MSG& message) {
    if (ProcessTwainEvent(&message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

int RunMessageLoop() {
    MSG message = {};
    for (;;) {
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            break;
        }
        DispatchLoopMessage(message);
    }
    return static_cast<int>(message.wParam);
}
