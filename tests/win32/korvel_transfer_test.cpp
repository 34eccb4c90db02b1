// KORVEL acquiring through our source manager from the picture source: the
// native transfer, cancelled and failing transfers, refusals, Preview and
// its default source, and KORVEL.EXE driven from outside as a script would.
#include <windows.h>

#include <commctrl.h>

#include "host/resources/resource_ids.h"
#include "host/win32/bitmap_files.h"
#include "tests/win32/korvel_test_support.h"

namespace korvel_test {
namespace {

constexpr char ELSEWHERE[] = "C:\\elsewhere\\other.ds";
constexpr UINT SOURCE_COMMANDS[] = {IDM_ACQUIRE, IDM_SELECT_SOURCE, IDM_PREVIEW};

bool Idle() {
    return !dsmOpen && !sourceOpen;
}

// Acquire (or Preview) and wait until the source is enabled or the session
// is over.
void RunCommandAndWait(UINT command) {
    PostMessageA(mainWindow, WM_COMMAND, command, 0);
    PumpFor(300);
    PumpUntil([] { return Idle() || sourceEnabled; }, 10000);
}

void PostToSource(const char* name) {
    PostMessageA(mainWindow, RegisterWindowMessageA(name), 0, 0);
}

// The picture the source hands out: header and rows.
std::vector<uint8_t> ExpectedPicture(int32_t width, int32_t height) {
    uint32_t rowBytes = (static_cast<uint32_t>(width) * 3 + 3) / 4 * 4;
    std::vector<uint8_t> bytes;
    AppendLe32(bytes, 40);
    AppendLe32(bytes, static_cast<uint32_t>(width));
    AppendLe32(bytes, static_cast<uint32_t>(height));
    AppendLe16(bytes, 1);
    AppendLe16(bytes, 24);
    AppendLe32(bytes, 0);
    AppendLe32(bytes, rowBytes * static_cast<uint32_t>(height));
    AppendLe32(bytes, 2835);
    AppendLe32(bytes, 2835);
    AppendLe32(bytes, 0);
    AppendLe32(bytes, 0);
    for (int32_t y = 0; y < height; ++y) {
        std::vector<uint8_t> row(rowBytes, 0);
        for (int32_t x = 0; x < width; ++x) {
            PictureColour c = PicturePixel(x, y);
            row[static_cast<size_t>(x) * 3] = c.blue;
            row[static_cast<size_t>(x) * 3 + 1] = c.green;
            row[static_cast<size_t>(x) * 3 + 2] = c.red;
        }
        bytes.insert(bytes.end(), row.begin(), row.end());
    }
    return bytes;
}

bool SourceCommandsAvailable() {
    for (UINT command : SOURCE_COMMANDS) {
        if (GetMenuState(GetMenu(mainWindow), command, MF_BYCOMMAND) & MF_GRAYED) return false;
    }
    return SendMessageA(toolButtons[2], TB_ISBUTTONENABLED, IDM_PREVIEW, 0) &&
           !SendMessageA(toolButtons[2], TB_ISBUTTONPRESSED, IDM_PREVIEW, 0);
}

TEST_F(KorvelTest, AcquireTakesThePictureByNativeTransfer) {
    Start();
    RunCommandAndWait(IDM_ACQUIRE);
    ASSERT_TRUE(PumpUntil([] { return currentImage != nullptr && Idle(); }, 10000)) << PictureSourceLog();
    EXPECT_EQ(PictureSourceLog(), "open cap:native enable:1 xfer endxfer disable:255 close ");
    std::vector<uint8_t> picture = CurrentImageBytes();
    std::vector<uint8_t> expected = ExpectedPicture(PICTURE_WIDTH, PICTURE_HEIGHT);
    ASSERT_GE(picture.size(), expected.size());
    picture.resize(expected.size());
    EXPECT_EQ(picture, expected);
    EXPECT_EQ(imageSaved, 0);
    EXPECT_EQ(MenuState(IDM_SAVE_AS) & MF_GRAYED, 0u);
    EXPECT_TRUE(SendMessageA(toolButtons[1], TB_ISBUTTONENABLED, IDM_SAVE_AS, 0));
    RECT client;
    GetClientRect(mainWindow, &client);
    EXPECT_GT(client.bottom, 56) << "the window made room for the picture";
    EXPECT_TRUE(SourceCommandsAvailable());
    EXPECT_EQ(selectedSource.Id, 0u);
}

TEST_F(KorvelTest, FitModeShowsTheSizeOfEachNewPicture) {
    Start();
    SendMessageA(mainWindow, WM_COMMAND, IDM_FIT_TO_WINDOW, 0);
    SetPictureSource("auto,close,size=37x23");
    RunCommandAndWait(IDM_ACQUIRE);
    ASSERT_TRUE(PumpUntil([] { return currentImage != nullptr && Idle(); }, 10000));
    EXPECT_EQ(StatusText(1), "X : 37  Y : 23  Size : 2KB");  // 112-byte rows
    SetPictureSource("auto,close,size=300x200");
    RunCommandAndWait(IDM_ACQUIRE);
    ASSERT_TRUE(PumpUntil([] { return Idle() && StatusText(1) != "X : 37  Y : 23  Size : 2KB"; }, 10000));
    EXPECT_EQ(StatusText(1), "X : 300  Y : 200  Size : 180KB");
}

TEST_F(KorvelTest, CancelledTransferIsEndedAndKeepsWhatWasShown) {
    Start();
    SetPictureSource("auto,close,cancel");
    RunCommandAndWait(IDM_ACQUIRE);
    ASSERT_TRUE(PumpUntil(Idle, 10000));
    EXPECT_EQ(PictureSourceLog(), "open cap:native enable:1 xfer endxfer disable:255 close ");
    EXPECT_EQ(currentImage, nullptr);
    EXPECT_EQ(imageSaved, 1) << "nothing arrived, so closing asks nothing";

    // An unsaved picture is not lost to a cancelled scan.
    SetPictureSource("auto,close");
    RunCommandAndWait(IDM_ACQUIRE);
    ASSERT_TRUE(PumpUntil([] { return currentImage != nullptr && Idle(); }, 10000));
    std::vector<uint8_t> shown = CurrentImageBytes();
    SetPictureSource("auto,close,cancel");
    RunCommandAndWait(IDM_ACQUIRE);
    ASSERT_TRUE(PumpUntil(Idle, 10000));
    EXPECT_EQ(CurrentImageBytes(), shown);
    EXPECT_EQ(imageSaved, 0);
}

TEST_F(KorvelTest, MisbehavingSourcesNeitherCrashNorHang) {
    Start();
    // A header claiming twice the rows its block holds is not shown, and
    // the user is told why once the transfer has ended.
    {
        DialogWatcher box(CAPTION, Press(IDOK), 1);
        SetPictureSource("auto,close,oversize");
        RunCommandAndWait(IDM_ACQUIRE);
        ASSERT_TRUE(PumpUntil(Idle, 10000)) << PictureSourceLog();
        PumpFor(300);
        EXPECT_EQ(box.Finish(), (std::vector<std::string>{
                                    "The picture from the source cannot be shown: it is damaged or too large."}));
    }
    EXPECT_EQ(currentImage, nullptr);
    EXPECT_EQ(imageSaved, 1);
    // A picture of another form than 24-bit colour (here 8-bit) likewise.
    {
        BitmapFields eight;
        eight.bitCount = 8;
        DialogWatcher box(CAPTION, Press(IDOK), 1);
        SendMessageA(mainWindow, IMAGE_ARRIVED, reinterpret_cast<WPARAM>(MakePictureBlock(eight)), 0);
        PumpFor(300);
        EXPECT_EQ(box.Finish(), (std::vector<std::string>{"The picture from the source cannot be shown: only "
                                                          "uncompressed 24-bit colour pictures can."}));
        EXPECT_EQ(currentImage, nullptr);
    }
    // Failing transfers with ever more pending: the rest is given up.
    SetPictureSource("auto,close,endless");
    RunCommandAndWait(IDM_ACQUIRE);
    ASSERT_TRUE(PumpUntil(Idle, 10000)) << PictureSourceLog();
    EXPECT_EQ(PictureSourceLog(), "open cap:native enable:1 xfer endxfer reset disable:255 close ");
    EXPECT_EQ(currentImage, nullptr);
    // A failing transfer with nothing pending.
    SetPictureSource("auto,close,failure");
    RunCommandAndWait(IDM_ACQUIRE);
    ASSERT_TRUE(PumpUntil(Idle, 10000)) << PictureSourceLog();
    EXPECT_EQ(PictureSourceLog(), "open cap:native enable:1 xfer endxfer disable:255 close ");
}

TEST_F(KorvelTest, ARefusedStepClosesWhatWasOpened) {
    Start();
    SetPictureSource("refuse_cap");
    RunCommandAndWait(IDM_ACQUIRE);
    EXPECT_TRUE(Idle());
    EXPECT_EQ(PictureSourceLog(), "open cap:native close ");
    EXPECT_TRUE(SourceCommandsAvailable());

    SetPictureSource("refuse_enable");
    RunCommandAndWait(IDM_ACQUIRE);
    EXPECT_TRUE(Idle());
    EXPECT_EQ(PictureSourceLog(), "open cap:native enable:1 close ");
    EXPECT_TRUE(SourceCommandsAvailable()) << "the commands come back after a refused enable";

    // And it all works again afterwards.
    SetPictureSource("auto,close");
    RunCommandAndWait(IDM_ACQUIRE);
    EXPECT_TRUE(PumpUntil([] { return currentImage != nullptr && Idle(); }, 10000));
}

TEST_F(KorvelTest, SourceCommandsWaitWhileASourceIsEnabled) {
    Start();
    SetPictureSource("");
    RunCommandAndWait(IDM_ACQUIRE);
    ASSERT_TRUE(sourceEnabled);
    for (UINT command : SOURCE_COMMANDS) {
        EXPECT_NE(MenuState(command) & MF_GRAYED, 0u) << command;
    }
    EXPECT_FALSE(SendMessageA(toolButtons[2], TB_ISBUTTONENABLED, IDM_PREVIEW, 0));
    for (UINT command : SOURCE_COMMANDS) {
        SendMessageA(mainWindow, WM_COMMAND, command, 0);
    }
    PumpFor(200);
    EXPECT_EQ(PictureSourceLog(), "open cap:native enable:1 ");
    // The source's close request ends the session.
    PostToSource(CLOSE_MESSAGE);
    ASSERT_TRUE(PumpUntil(Idle, 10000));
    EXPECT_EQ(PictureSourceLog(), "open cap:native enable:1 disable:255 close ");
    EXPECT_TRUE(SourceCommandsAvailable());
    // A transfer announced later in a session arrives too.
    RunCommandAndWait(IDM_ACQUIRE);
    PostToSource(READY_MESSAGE);
    EXPECT_TRUE(PumpUntil([] { return currentImage != nullptr; }, 10000));
}

TEST_F(KorvelTest, PreviewOpensTheScannerSourceAndRestoresTheDefault) {
    WritePrivateProfileStringA(SOURCE_SECTION, "FILES0", PictureSourcePath().c_str(), SETTINGS_FILE);
    for (const char* before : {ELSEWHERE, static_cast<const char*>(nullptr)}) {
        WriteDefaultSource(before);
        std::string wanted = before != nullptr ? before : "<absent>";
        Start();
        SetPictureSource("");
        RunCommandAndWait(IDM_PREVIEW);
        ASSERT_TRUE(sourceEnabled) << PictureSourceLog();
        EXPECT_EQ(ReadDefaultSource(), PictureSourcePath());
        EXPECT_TRUE(SendMessageA(toolButtons[2], TB_ISBUTTONPRESSED, IDM_PREVIEW, 0));
        EXPECT_TRUE(SendMessageA(toolButtons[2], TB_ISBUTTONENABLED, IDM_PREVIEW, 0));
        PostToSource(CLOSE_MESSAGE);
        ASSERT_TRUE(PumpUntil(Idle, 10000));
        EXPECT_EQ(ReadDefaultSource(), wanted);
        EXPECT_EQ(previewRequested, 0);
        EXPECT_TRUE(SourceCommandsAvailable());
        // Nothing is written back again at exit: a default chosen since stays.
        WriteDefaultSource("C:\\chosen\\since.ds");
        Close();
        EXPECT_EQ(ReadDefaultSource(), "C:\\chosen\\since.ds");
    }
}

TEST_F(KorvelTest, ClosingMidSessionClosesTheSourceAndRestoresTheDefault) {
    WritePrivateProfileStringA(SOURCE_SECTION, "FILES0", PictureSourcePath().c_str(), SETTINGS_FILE);
    WriteDefaultSource(ELSEWHERE);
    Start();
    SetPictureSource("");
    RunCommandAndWait(IDM_PREVIEW);
    ASSERT_TRUE(sourceEnabled);
    Close();
    EXPECT_EQ(mainWindow, nullptr);
    EXPECT_EQ(PictureSourceLog(), "open cap:native enable:1 disable:255 close ");
    EXPECT_EQ(ReadDefaultSource(), ELSEWHERE);
}

TEST_F(KorvelTest, PreviewWithoutTheScannerSourceShowsThePreviousDefault) {
    WriteDefaultSource(ELSEWHERE);
    Start();
    DialogWatcher box("NG", Press(IDOK), 1);
    SendMessageA(mainWindow, WM_COMMAND, IDM_PREVIEW, 0);
    EXPECT_EQ(box.Finish(), (std::vector<std::string>{ELSEWHERE}));
    EXPECT_TRUE(Idle());
    EXPECT_EQ(PictureSourceLog(), "");
    EXPECT_EQ(ReadDefaultSource(), ELSEWHERE);
    EXPECT_TRUE(SourceCommandsAvailable());
}

// KORVEL.EXE as a script drives it: Acquire by its command number, wait for
// the window to make room for the picture, Save As by its command number,
// type the name into the dialog, close.
TEST_F(KorvelTest, ProgramAcquiresAndSavesWhenDrivenByMessages) {
    std::string saved = Scratch("driven.bmp");
    DeleteFileA(saved.c_str());
    WriteHostKey("TOP", "60");
    WriteHostKey("LEFT", "70");
    std::string program = WindowsPath(KORVEL_EXE_UNIX_PATH);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(program.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &process));
    WaitForInputIdle(process.hProcess, 10000);
    HWND window = nullptr;
    for (int i = 0; i < 500 && window == nullptr; ++i, Sleep(20)) {
        window = FindWindowA(KORVEL_CLASS_NAME, CAPTION);
    }
    ASSERT_NE(window, nullptr);
    RECT frame;
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.left, 70);
    EXPECT_EQ(frame.top, 60);

    PostMessageA(window, WM_COMMAND, IDM_ACQUIRE, 0);
    RECT client = {};
    for (int i = 0; i < 500 && client.bottom <= 56; ++i, Sleep(20)) {
        GetClientRect(window, &client);
    }
    EXPECT_GT(client.bottom, 56) << "no picture arrived";
    {
        DialogWatcher dialog("Save As", ChooseFile(saved), 1);
        PostMessageA(window, WM_COMMAND, IDM_SAVE_AS, 0);
        for (int i = 0; i < 500 && GetFileAttributesA(saved.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(20);
    }
    Sleep(200);
    PostMessageA(window, WM_CLOSE, 0, 0);  // saved: no question
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 20000), WAIT_OBJECT_0);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    std::vector<uint8_t> file = ReadBytes(saved);
    std::vector<uint8_t> picture = ExpectedPicture(PICTURE_WIDTH, PICTURE_HEIGHT);
    std::vector<uint8_t> expected = {'B', 'M'};
    AppendLe32(expected, static_cast<uint32_t>(picture.size()) + 14);
    AppendLe32(expected, 0);
    AppendLe32(expected, 54);
    expected.insert(expected.end(), picture.begin(), picture.end());
    EXPECT_EQ(file, expected);
    EXPECT_EQ(ReadHostKey("TOP"), "60");
}

}  // namespace
}  // namespace korvel_test
