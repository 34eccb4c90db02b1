#include "source/aps/win32/index_files.h"

#include <commdlg.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/win32/win32_guards.h"
#include "source/aps/index_file.h"
#include "source/aps/index_sheet.h"
#include "source/aps/ix_record.h"
#include "source/aps/win32/index_scan_win32.h"
#include "source/aps/win32/index_window.h"
#include "source/scanner/index_scan.h"
#include "source/scanner/win32/user_messages.h"
#include "source/twain/win32/session_state.h"

namespace {

constexpr char SAVE_FILTER[] = "VANTERA Index (IXF)\0*.IXF\0Bitmap (BMP)\0*.BMP\0";
constexpr char OPEN_FILTER[] = "VANTERA Index (IXF)\0*.IXF\0";
constexpr UINT MSG_SAVE_NAME_KIND = 30330;  // neither .IXF nor .BMP
constexpr UINT MSG_OPEN_FAILED = 30340;     // the file cannot be read
constexpr UINT MSG_SAVE_READ_ONLY = 30350;  // the chosen file is read-only
// The largest index file: 40 frames. Anything longer is read no further.
constexpr size_t LARGEST_INDEX_FILE = IndexFileBytes(MAX_FRAMES);

bool ChooseFile(HWND owner, char* name, const char* filter, bool save) {
    name[0] = '\0';
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.lpstrFile = name;
    dialog.nMaxFile = INDEX_FILE_NAME_CHARS;
    dialog.lpstrDefExt = "IXF";
    dialog.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | (save ? 0 : OFN_FILEMUSTEXIST);
    return (save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog)) != 0;
}

// The bytes written whole to a temporary file beside `name`, then moved
// over it: a failure leaves what was there, and only the temporary file
// is removed.
bool WriteWholeFile(const char* name, const std::vector<uint8_t>& bytes) {
    std::string temporary = std::string(name) + ".tmp";
    bool written = false;
    {
        ScopedFileHandle file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.Get() == INVALID_HANDLE_VALUE) return false;
        DWORD done = 0;
        written = WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) &&
                  done == bytes.size();
        written = file.Close() && written;
    }
    if (written && MoveFileExA(temporary.c_str(), name, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    DeleteFileA(temporary.c_str());
    return false;
}

bool ReadWholeFile(const char* name, std::vector<uint8_t>& bytes) {
    ScopedFileHandle file(CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (file.Get() == INVALID_HANDLE_VALUE) return false;
    DWORD high = 0;
    DWORD size = GetFileSize(file.Get(), &high);
    if (size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return false;
    // A longer file is a foreign one; what the count needs is in its head.
    size_t wanted = high != 0 || size > LARGEST_INDEX_FILE ? LARGEST_INDEX_FILE : size;
    bytes.assign(wanted, 0);
    DWORD done = 0;
    return wanted == 0 || (ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(wanted), &done, nullptr) && done == wanted);
}

// A thumbnail of the file into its cell of the sheet, drawn as a scan
// draws its cell, so that a sheet read back is the sheet saved.
void DrawThumbnail(HDC sheet, uint32_t frame, const uint8_t* rgb, bool aps) {
    int32_t x = 0, y = 0;
    if (!IndexCellOrigin(frame, x, y)) return;
    DrawEmptyIndexCell(sheet, x, y, aps);
    for (uint32_t row = 0; row < IXF_THUMBNAIL_HEIGHT; ++row) {
        for (uint32_t column = 0; column < IXF_THUMBNAIL_WIDTH; ++column) {
            const uint8_t* p = rgb + (row * IXF_THUMBNAIL_WIDTH + column) * 3;
            SetPixel(sheet, x + 3 + static_cast<int>(column), y + 3 + static_cast<int>(row), RGB(p[0], p[1], p[2]));
        }
    }
}

}  // namespace

bool ChooseIndexFileToSave(HWND owner, char* name) {
    return ChooseFile(owner, name, SAVE_FILTER, true);
}

bool ChooseIndexFileToOpen(HWND owner, char* name) {
    return ChooseFile(owner, name, OPEN_FILTER, false);
}

int32_t WriteIndexFile(HWND owner, const char* name) {
    IndexFileKind kind = ClassifyIndexFileName(name);
    if (kind == IndexFileKind::NONE) {
        ShowMessage(owner, MSG_SAVE_NAME_KIND);
        return 0;
    }
    // A file marked read-only is not replaced, whatever the file system
    // would allow.
    DWORD attributes = GetFileAttributesA(name);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        ShowMessage(owner, MSG_SAVE_READ_ONLY);
        return 0;
    }
    ScopedWaitCursor wait;
    std::vector<uint8_t> sheet, bytes;
    bool built = ReadSheetPixels(kind == IndexFileKind::BMP, sheet) &&
                 (kind == IndexFileKind::BMP ? BuildSheetBitmapFile(sheet.data(), sheet.size(), bytes)
                                             : BuildIndexFile(sheet.data(), sheet.size(), useJapanese, bytes));
    if (!built || !WriteWholeFile(name, bytes)) {
        ShowMessage(owner, MSG_SAVE_FAILED);
        return 0;
    }
    return 1;
}

int32_t ReadIndexFile(HWND owner, const char* name) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(name, bytes)) {
        ShowMessage(owner, MSG_OPEN_FAILED);
        return 0;
    }
    IndexFileContents contents;
    IndexFileError why = IndexFileError::NONE;
    if (!ParseIndexFile(bytes.data(), bytes.size(), contents, why)) {
        ShowMessage(owner, IndexFileErrorMessage(why));
        return 0;
    }
    ScopedWaitCursor wait;
    indexUnsaved = 0;
    ClearIndexSheet();
    ApplyIndexFile(contents);
    HDC sheet = IndexSheetDC();
    for (uint32_t frame = 1; frame <= contents.count && sheet != nullptr; ++frame) {
        const IndexFileFrame& f = contents.frames[frame - 1];
        const uint8_t* rgb = IndexFileThumbnail(contents, frame);
        if (!f.hasThumbnail || rgb == nullptr) continue;
        DrawThumbnail(sheet, frame, rgb, f.letter != '1');
    }
    RefreshIxWindow();
    RedrawIndexWindow();
    return 1;
}
