#include "host/win32/bitmap_files.h"

#include <cstdio>
#include <cstring>
#include <cwchar>

#include "host/resources/resource_ids.h"
#include "host/win32/image_view.h"
#include "host/win32/program_state.h"
#include "host/win32/program_text.h"
#include "host/win32/tool_band.h"
#include "common/win32/win32_guards.h"

// Reads and writes go in pieces of this size: one call for a whole large
// picture is refused by some systems.
constexpr DWORD FILE_CHUNK = 1u << 20;

// File names are taken in UTF-16 throughout, so that any name works in any
// locale: the ANSI calls turn what the code page lacks into '?'.
static HANDLE OpenForReading(const wchar_t* path) {
    return CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// False also when the file ends before size bytes were read.
static bool ReadExactly(HANDLE file, BYTE* buffer, uint64_t size) {
    while (size > 0) {
        DWORD piece = size > FILE_CHUNK ? FILE_CHUNK : static_cast<DWORD>(size);
        DWORD read = 0;
        if (!ReadFile(file, buffer, piece, &read, nullptr) || read != piece) {
            return false;
        }
        buffer += piece;
        size -= piece;
    }
    return true;
}

// A short write that reports no error means the disk is full.
static bool WriteExactly(HANDLE file, const BYTE* buffer, uint64_t size) {
    while (size > 0) {
        DWORD piece = size > FILE_CHUNK ? FILE_CHUNK : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(file, buffer, piece, &written, nullptr)) {
            return false;
        }
        if (written != piece) {
            SetLastError(ERROR_DISK_FULL);
            return false;
        }
        buffer += piece;
        size -= piece;
    }
    return true;
}

static bool FileLength(HANDLE file, uint64_t& length) {
    DWORD high = 0;
    DWORD low = GetFileSize(file, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
        return false;
    }
    length = (static_cast<uint64_t>(high) << 32) | low;
    return true;
}

static bool SeekTo(HANDLE file, uint64_t offset) {
    LONG high = static_cast<LONG>(offset >> 32);
    DWORD low = SetFilePointer(file, static_cast<LONG>(offset & 0xFFFFFFFFu), &high, FILE_BEGIN);
    return !(low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR);
}

uint8_t CheckBitmap(const wchar_t* path, BitmapFileLayout& layout) {
    ScopedFileHandle file(OpenForReading(path));
    if (!file.IsOpen()) {
        return 0;
    }
    uint64_t length = 0;
    BYTE start[PIXELS_OFFSET] = {};
    if (!FileLength(file.Get(), length) || !ReadExactly(file.Get(), start, sizeof start)) {
        return 0;
    }
    return CheckBitmapFile(start, sizeof start, length, layout) == BitmapCheck::ACCEPTED ? 1 : 0;
}

// The picture block (header and rows, bottom-up) of an accepted file, or
// 0 with the warning to show in refusal.
static HGLOBAL ReadPicture(const wchar_t* path, const BitmapFileLayout& layout, uint32_t& refusal) {
    // pixelBytes + 40 stays below 2^32: no wrap in a 32-bit SIZE_T.
    GlobalBlock block(GlobalAlloc(GHND, static_cast<SIZE_T>(layout.pixelBytes) + INFO_HEADER_SIZE));
    ScopedGlobalLock lock(block.Get());
    if (lock.Get() == nullptr) {
        refusal = IDS_OUT_OF_MEMORY;
        return nullptr;
    }
    std::memcpy(lock.Get(), &layout.header, sizeof layout.header);
    ScopedFileHandle file(OpenForReading(path));
    // The file may have changed since it was checked: ReadExactly refuses a
    // file that now ends before the last row.
    if (!file.IsOpen() || !SeekTo(file.Get(), layout.pixelOffset) ||
        !ReadExactly(file.Get(), lock.Get() + INFO_HEADER_SIZE, layout.pixelBytes)) {
        return nullptr;
    }
    if (layout.topDown) {
        FlipRows(lock.Get() + INFO_HEADER_SIZE, static_cast<uint32_t>(PictureRowBytes(layout.header.biWidth)),
                 static_cast<uint32_t>(layout.header.biHeight));
    }
    return block.Detach();
}

bool OpenBitmapFile(HWND window, const wchar_t* path) {
    BitmapFileLayout layout = {};
    uint32_t refusal = IDS_CANNOT_OPEN_FILE;
    HGLOBAL picture = CheckBitmap(path, layout) ? ReadPicture(path, layout, refusal) : nullptr;
    if (picture == nullptr) {
        ShowWarning(window, refusal);
        return false;
    }
    ShowNewPicture(window, picture);
    char text[96];
    std::snprintf(text, sizeof text, "X:%ld Y:%ld %ldKB", static_cast<long>(layout.header.biWidth),
                  static_cast<long>(layout.header.biHeight), static_cast<long>(layout.header.biSizeImage / 1000));
    SetStatusText(1, text);
    return true;
}

// A name for the new file in the folder of path (GetTempFileName makes the
// file, empty). False when the folder takes no new file.
static bool MakeTemporaryName(const wchar_t* path, wchar_t* temporary) {
    wchar_t folder[MAX_PATH] = {};
    const wchar_t* slash = std::wcsrchr(path, L'\\');
    const wchar_t* other = std::wcsrchr(path, L'/');
    if (other != nullptr && (slash == nullptr || other > slash)) {
        slash = other;
    }
    if (slash == nullptr) {
        std::wcscpy(folder, L".");
    } else {
        size_t length = static_cast<size_t>(slash - path) + 1;
        if (length >= MAX_PATH) {
            SetLastError(ERROR_FILENAME_EXCED_RANGE);
            return false;
        }
        std::wmemcpy(folder, path, length);
        folder[length] = L'\0';
    }
    return GetTempFileNameW(folder, L"kvl", 0, temporary) != 0;
}

// A read-only file is not replaced (the rename that replaces it would
// succeed on some systems).
static bool IsReadOnlyFile(const wchar_t* path) {
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

static bool MoveOverTarget(const wchar_t* temporary, const wchar_t* path) {
    if (MoveFileExW(temporary, path, MOVEFILE_REPLACE_EXISTING)) {
        return true;
    }
    // Systems without MoveFileEx replace in two steps.
    if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) {
        return false;
    }
    DeleteFileW(path);
    return MoveFileW(temporary, path) != FALSE;
}

static bool WritePicture(const wchar_t* temporary, const BYTE* picture, const BitmapInfoHeader& header) {
    ScopedFileHandle file(
        CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) {
        return false;
    }
    BitmapFileHeader fileHeader = MakeFileHeader(header.biSizeImage);
    bool written = WriteExactly(file.Get(), reinterpret_cast<const BYTE*>(&fileHeader), sizeof fileHeader) &&
                   WriteExactly(file.Get(), reinterpret_cast<const BYTE*>(&header), sizeof header) &&
                   WriteExactly(file.Get(), picture + INFO_HEADER_SIZE, header.biSizeImage);
    // The reason of a failed write, before closing can change it.
    DWORD error = GetLastError();
    bool closed = file.Close();
    if (!written) {
        SetLastError(error);
    }
    return closed && written;
}

// Writes the locked picture (size bytes) to path. Answers NO_ERROR, or the
// system's code of the step that failed.
static DWORD WriteBitmapFile(const wchar_t* path, BYTE* picture, SIZE_T size) {
    BitmapInfoHeader header;
    std::memcpy(&header, picture, sizeof header);
    // Never write more rows than the block holds.
    if (!PrepareHeaderForSave(header) || size - INFO_HEADER_SIZE < header.biSizeImage) {
        return ERROR_INVALID_DATA;
    }
    std::memcpy(picture, &header, sizeof header);
    if (IsReadOnlyFile(path)) {
        return ERROR_ACCESS_DENIED;
    }
    wchar_t temporary[MAX_PATH] = {};
    if (!MakeTemporaryName(path, temporary)) {
        DWORD error = GetLastError();
        return error != NO_ERROR ? error : ERROR_PATH_NOT_FOUND;
    }
    if (WritePicture(temporary, picture, header) && MoveOverTarget(temporary, path)) {
        return NO_ERROR;
    }
    DWORD error = GetLastError();
    DeleteFileW(temporary);
    return error != NO_ERROR ? error : ERROR_WRITE_FAULT;
}

uint8_t SaveBitmap(HWND owner, const wchar_t* path, HGLOBAL image) {
    SIZE_T size = GlobalSize(image);
    ScopedGlobalLock lock(image);
    DWORD error = lock.Get() != nullptr && size >= INFO_HEADER_SIZE ? WriteBitmapFile(path, lock.Get(), size)
                                                                   : ERROR_INVALID_DATA;
    if (error == NO_ERROR) {
        return 1;
    }
    // Only a full disk is reported as one; a name, a folder or a file that
    // cannot be written to gets its own message.
    if (error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL) {
        ShowWarningText(owner, IDS_SAVING_STOPPED);
    } else {
        ShowWarning(owner, IDS_CANNOT_WRITE_FILE);
    }
    return 0;
}
