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
        opened = OpenBitmapFile(mainWindow, path.c_str());
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
    {
        DialogWatcher dialog("Open", ChooseFile(source), 1);
        SendMessageA(mainWindow, WM_COMMAND, IDM_OPEN, 0);
        ASSERT_EQ(dialog.Finish().size(), 1u);
    }
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
        {"negative height", with([](BitmapFields& f) { f.height = -3; f.pixelBytes = 48; })},
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
}

TEST_F(KorvelFiles, FailedSavesKeepTheOldFileAndLeaveNoPartOfTheNewOne) {
    std::string source = File("picture.bmp");
    ASSERT_TRUE(WriteBytes(source, MakeBitmapFile(BitmapFields{})));
    ASSERT_TRUE(OpenBitmapFile(mainWindow, source.c_str()));
    imageSaved = 0;
    {
        DialogWatcher box(CAPTION, Press(IDOK), 1);
        EXPECT_EQ(SaveBitmap(mainWindow, File("no such folder\\x.bmp").c_str(), currentImage), 0);
        EXPECT_EQ(box.Finish(), (std::vector<std::string>{"Saving stopped !  Insufficient disk space."}));
    }
    // A file that cannot be replaced stays as it was.
    std::string locked = File("locked.bmp");
    std::vector<uint8_t> old = {'o', 'l', 'd'};
    ASSERT_TRUE(WriteBytes(locked, old));
    SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY);
    {
        DialogWatcher box(CAPTION, Press(IDOK), 1);
        EXPECT_EQ(SaveBitmap(mainWindow, locked.c_str(), currentImage), 0);
        EXPECT_EQ(box.Finish().size(), 1u);
    }
    SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadBytes(locked), old);
    // Written in full, then it cannot take the place of what is there: the
    // new file goes again.
    std::string taken = File("taken.bmp");
    ASSERT_TRUE(CreateDirectoryA(taken.c_str(), nullptr));
    {
        DialogWatcher box(CAPTION, Press(IDOK), 1);
        EXPECT_EQ(SaveBitmap(mainWindow, taken.c_str(), currentImage), 0);
        EXPECT_EQ(box.Finish().size(), 1u);
    }
    RemoveDirectoryA(taken.c_str());
    EXPECT_EQ(FilesIn(folder), (std::vector<std::string>{"locked.bmp", "picture.bmp"}));
    EXPECT_EQ(imageSaved, 0);
}

}  // namespace
}  // namespace korvel_test
