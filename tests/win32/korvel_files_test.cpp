// KORVEL's bitmap files: open and save through the dialogs, hostile
// headers, the variants that must still open, and saves that fail.
#include <windows.h>

#include <commctrl.h>

#include "host/resources/resource_ids.h"
#include "host/win32/bitmap_files.h"
#include "tests/win32/korvel_test_support.h"

namespace korvel_test {
namespace {

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

class KorvelFiles : public KorvelTest {
protected:
    void SetUp() override {
        KorvelTest::SetUp();
        folder = Scratch("files");
        for (const std::string& name : FilesIn(folder)) {
            std::string path = folder + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
        CreateDirectoryA(folder.c_str(), nullptr);
        Start();
    }
    std::string File(const char* name) const { return folder + "\\" + name; }

    // Opens path without the dialog; the message shown, if any.
    std::string OpenShowing(const std::string& path, bool& opened) {
        DialogWatcher box(CAPTION, Press(IDOK), 1);
        opened = OpenBitmapFile(mainWindow, Wide(path).c_str());
        PumpFor(50);
        std::vector<std::string> texts = box.Finish();
        return texts.empty() ? "" : texts[0];
    }
    std::string folder;
};

TEST_F(KorvelFiles, OpenAndSaveThroughTheDialogsKeepEveryByte) {
    BitmapFields fields;  // 5 x 3: each row padded by one byte
    std::vector<uint8_t> original = MakeBitmapFile(fields);
    std::string source = File("original.bmp");
    std::string copy = File("copy.bmp");
    ASSERT_TRUE(WriteBytes(source, original));
    bool readOnlyBoxShown = true;
    {
        auto choose = ChooseFile(source);
        DialogWatcher dialog("Open", [&](HWND box) {
            HWND readOnly = GetDlgItem(box, 0x410);  // chx1, "Open as read-only"
            readOnlyBoxShown = readOnly != nullptr && IsWindowVisible(readOnly);
            choose(box);
        }, 1);
        SendMessageA(mainWindow, WM_COMMAND, IDM_OPEN, 0);
        ASSERT_EQ(dialog.Finish().size(), 1u);
    }
    EXPECT_FALSE(readOnlyBoxShown) << "files are only read: the box would do nothing";
    ASSERT_NE(currentImage, nullptr);
    EXPECT_FALSE(SendMessageA(toolButtons[0], TB_ISBUTTONPRESSED, IDM_OPEN, 0)) << "released after the dialog";
    EXPECT_EQ(MenuState(IDM_SAVE_AS) & MF_GRAYED, 0u);
    EXPECT_EQ(imageSaved, 1) << "opening leaves the saved flag alone";
    std::vector<uint8_t> held = CurrentImageBytes();
    ASSERT_GE(held.size(), original.size() - 14);
    EXPECT_TRUE(std::equal(original.begin() + 14, original.end(), held.begin()));

    imageSaved = 0;
    {
        DialogWatcher dialog("Save As", ChooseFile(copy), 1);
        SendMessageA(mainWindow, WM_COMMAND, IDM_SAVE_AS, 0);
        ASSERT_EQ(dialog.Finish().size(), 1u);
    }
    EXPECT_EQ(ReadBytes(copy), original);
    EXPECT_EQ(imageSaved, 1);
    EXPECT_EQ(FilesIn(folder).size(), 2u) << "no temporary file left behind";
}

TEST_F(KorvelFiles, HostileHeadersGetTheMessageAndKeepThePicture) {
    std::string good = File("good.bmp");
    ASSERT_TRUE(WriteBytes(good, MakeBitmapFile(BitmapFields{})));
    bool opened = false;
    ASSERT_EQ(OpenShowing(good, opened), "");
    ASSERT_TRUE(opened);
    std::vector<uint8_t> shown = CurrentImageBytes();

    auto with = [](auto change) {
        BitmapFields fields;
        change(fields);
        return MakeBitmapFile(fields);
    };
    std::vector<uint8_t> truncated = MakeBitmapFile(BitmapFields{});
    truncated.resize(40);
    const std::pair<const char*, std::vector<uint8_t>> cases[] = {
        {"empty", {}},
        {"shorter than its headers", truncated},
        {"8-bit", with([](BitmapFields& f) { f.bitCount = 8; })},
        {"compressed", with([](BitmapFields& f) { f.compression = 1; })},
        {"zero width", with([](BitmapFields& f) { f.width = 0; })},
        {"negative width", with([](BitmapFields& f) { f.width = -5; f.pixelBytes = 48; })},
        {"height INT32_MIN", with([](BitmapFields& f) { f.height = INT32_MIN; f.pixelBytes = 48; })},
        {"top-down, rows missing", with([](BitmapFields& f) { f.height = -4; f.pixelBytes = 48; })},
        {"rows missing", with([](BitmapFields& f) { f.pixelBytes = 47; })},
        {"size overflowing 32 bits", with([](BitmapFields& f) { f.width = 0x40000000; f.height = 0x40000000;
                                                                  f.sizeImage = 48; f.pixelBytes = 48; })},
        {"row overflowing 32 bits", with([](BitmapFields& f) { f.width = 0x7FFFFFFF; f.height = 1;
                                                                 f.sizeImage = 16; f.pixelBytes = 16; })},
        {"small biSizeImage, large picture", with([](BitmapFields& f) { f.width = 1000; f.height = 1000;
                                                                          f.sizeImage = 48; f.pixelBytes = 48; })},
        {"pixels after the end", with([](BitmapFields& f) { f.offBits = 1000000; f.pixelBytes = 0; })},
        {"core header", with([](BitmapFields& f) { f.infoSize = 12; })},
    };
    for (const auto& [name, bytes] : cases) {
        std::string path = File("hostile.bmp");
        ASSERT_TRUE(WriteBytes(path, bytes));
        EXPECT_EQ(OpenShowing(path, opened), "Cannot open the selected file!") << name;
        EXPECT_FALSE(opened) << name;
        EXPECT_EQ(CurrentImageBytes(), shown) << name;
    }
    EXPECT_EQ(OpenShowing(File("missing.bmp"), opened), "Cannot open the selected file!");
}

TEST_F(KorvelFiles, JapaneseMessageForAFileThatCannotBeOpened) {
    Close();
    WriteHostKey("LANGUAGE", "J");
    Start();
    std::string path = File("eight.bmp");
    BitmapFields fields;
    fields.bitCount = 8;
    ASSERT_TRUE(WriteBytes(path, MakeBitmapFile(fields)));
    bool opened = true;
    std::string text = OpenShowing(path, opened);
    EXPECT_FALSE(opened);
    // The text in the Windows code page: Shift-JIS where that is Japanese.
    wchar_t wide[64] = {};
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, 64);
    if (GetACP() == 932) {
        EXPECT_STREQ(wide, L"このﾌｧｲﾙは開けません！");
    } else {
        EXPECT_NE(text, "Cannot open the selected file!");
    }
}

TEST_F(KorvelFiles, VariantsOfTheFormatStillOpen) {
    BitmapFields fields;
    fields.sizeImage = 0;  // allowed for uncompressed pictures
    std::string path = File("variant.bmp");
    ASSERT_TRUE(WriteBytes(path, MakeBitmapFile(fields)));
    bool opened = false;
    EXPECT_EQ(OpenShowing(path, opened), "");
    ASSERT_TRUE(opened);
    std::vector<uint8_t> held = CurrentImageBytes();
    EXPECT_EQ(held[20] | held[21] << 8, 48) << "biSizeImage is the real size";

    // A larger header: the rows start at bfOffBits; the copy has the usual
    // 40-byte header.
    fields = BitmapFields{};
    fields.infoSize = 124;
    std::vector<uint8_t> large = MakeBitmapFile(fields);
    ASSERT_TRUE(WriteBytes(path, large));
    EXPECT_EQ(OpenShowing(path, opened), "");
    ASSERT_TRUE(opened);
    held = CurrentImageBytes();
    EXPECT_EQ(held[0], 40);
    ASSERT_GE(held.size(), 40u + 48u);
    EXPECT_TRUE(std::equal(large.begin() + 138, large.end(), held.begin() + 40));

    // Top-down (negative height): held bottom-up, its first row last.
    fields = BitmapFields{};
    fields.height = -3;
    fields.pixelBytes = 48;
    std::vector<uint8_t> topDown = MakeBitmapFile(fields);
    ASSERT_TRUE(WriteBytes(path, topDown));
    EXPECT_EQ(OpenShowing(path, opened), "");
    ASSERT_TRUE(opened);
    held = CurrentImageBytes();
    ASSERT_EQ(held.size(), 40u + 48u);
    EXPECT_EQ(held[8], 3);
    for (int row = 0; row < 3; ++row) {
        EXPECT_TRUE(std::equal(topDown.begin() + 54 + 16 * row, topDown.begin() + 70 + 16 * row,
                               held.begin() + 40 + 16 * (2 - row))) << "row " << row;
    }
}

TEST_F(KorvelFiles, APictureTooLargeForMemoryGetsTheOutOfMemoryMessage) {
    // 65535 x 21845: just under the largest size a file can describe, far
    // more than a 32-bit process can allocate. The file is sparse.
    BitmapFields fields;
    fields.width = 65535;
    fields.height = 21845;
    fields.pixelBytes = 0;
    std::vector<uint8_t> headers = MakeBitmapFile(fields);
    std::string path = File("huge.bmp");
    ASSERT_TRUE(WriteBytes(path, headers));
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LONG high = 0;  // rows of 196608 bytes after the 54 header bytes
    SetFilePointer(file, static_cast<LONG>(54u + 196608u * 21845u), &high, FILE_BEGIN);
    ASSERT_TRUE(SetEndOfFile(file));
    CloseHandle(file);
    bool opened = true;
    EXPECT_EQ(OpenShowing(path, opened), "Not enough memory for this picture!");
    EXPECT_FALSE(opened);
    EXPECT_EQ(currentImage, nullptr);
    DeleteFileA(path.c_str());
}

TEST_F(KorvelFiles, FailedSavesKeepTheOldFileAndLeaveNoPartOfTheNewOne) {
    std::string source = File("picture.bmp");
    ASSERT_TRUE(WriteBytes(source, MakeBitmapFile(BitmapFields{})));
    ASSERT_TRUE(OpenBitmapFile(mainWindow, Wide(source).c_str()));
    imageSaved = 0;
    // None of these is a full disk, and none is reported as one.
    auto saveShowing = [](const std::string& path) {
        DialogWatcher box(CAPTION, Press(IDOK), 1);
        EXPECT_EQ(SaveBitmap(mainWindow, Wide(path).c_str(), currentImage), 0) << path;
        return box.Finish();
    };
    const std::vector<std::string> cannotWrite = {"Saving stopped !  The file could not be written there."};
    EXPECT_EQ(saveShowing(File("no such folder\\x.bmp")), cannotWrite);
    // A file that cannot be replaced stays as it was.
    std::string locked = File("locked.bmp");
    std::vector<uint8_t> old = {'o', 'l', 'd'};
    ASSERT_TRUE(WriteBytes(locked, old));
    SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(saveShowing(locked), cannotWrite);
    SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadBytes(locked), old);
    // Written in full, then it cannot take the place of what is there: the
    // new file goes again.
    std::string taken = File("taken.bmp");
    ASSERT_TRUE(CreateDirectoryA(taken.c_str(), nullptr));
    EXPECT_EQ(saveShowing(taken), cannotWrite);
    RemoveDirectoryA(taken.c_str());
    EXPECT_EQ(FilesIn(folder), (std::vector<std::string>{"locked.bmp", "picture.bmp"}));
    EXPECT_EQ(imageSaved, 0);
}

// Names the ANSI code page cannot spell (Japanese ones in a Western locale)
// open and save through the dialogs like any other.
TEST_F(KorvelFiles, NamesOutsideTheCodePageOpenAndSave) {
    std::vector<uint8_t> original = MakeBitmapFile(BitmapFields{});
    ASSERT_TRUE(WriteBytes(File("a.bmp"), original));
    std::wstring source = Wide(folder) + L"\\\u5199\u771f.bmp";  // 写真
    std::wstring copy = Wide(folder) + L"\\\u4fdd\u5b58.bmp";    // 保存
    ASSERT_TRUE(MoveFileW(Wide(File("a.bmp")).c_str(), source.c_str()));
    DialogWatcher box(CAPTION, Press(IDOK));
    {
        DialogWatcher dialog("Open", ChooseFile(source), 1);
        SendMessageA(mainWindow, WM_COMMAND, IDM_OPEN, 0);
        ASSERT_EQ(dialog.Finish().size(), 1u);
    }
    {
        DialogWatcher dialog("Save As", ChooseFile(copy), 1);
        SendMessageA(mainWindow, WM_COMMAND, IDM_SAVE_AS, 0);
        ASSERT_EQ(dialog.Finish().size(), 1u);
    }
    EXPECT_TRUE(box.Finish().empty());
    ASSERT_TRUE(MoveFileW(copy.c_str(), Wide(File("b.bmp")).c_str()));
    EXPECT_EQ(ReadBytes(File("b.bmp")), original);
    DeleteFileW(source.c_str());
}

}  // namespace
}  // namespace korvel_test
