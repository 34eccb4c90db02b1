#include "host/win32/bitmap_files.h"

#include <cstdio>
#include <cstring>

#include "host/resources/resource_ids.h"
#include "host/win32/image_view.h"
#include "host/win32/program_state.h"
#include "host/win32/program_text.h"
#include "host/win32/tool_band.h"
#include "host/win32/win32_guards.h"

// Reads and writes go in pieces of this size: one call for a whole large
// picture is refused by some systems.
constexpr DWORD FILE_CHUNK = 1u << 20;

static HANDLE OpenForReading(const char* path) {
    return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
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

static bool WriteExactly(HANDLE file, const BYTE* buffer, uint64_t size) {
    while (size > 0) {
        DWORD piece = size > FILE_CHUNK ? FILE_CHUNK : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(file, buffer, piece, &written, nullptr) || written != piece) {
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

uint8_t CheckBitmap(const char* path, BitmapFileLayout& layout) {
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

// The picture block (header and rows) of an accepted file, or 0.
static HGLOBAL ReadPicture(const char* path, const BitmapFileLayout& layout) {
    GlobalBlock block(GlobalAlloc(GHND, static_cast<SIZE_T>(layout.pixelBytes) + INFO_HEADER_SIZE));
    ScopedGlobalLock lock(block.Get());
    if (lock.Get() == nullptr) {
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
    return block.Detach();
}

bool OpenBitmapFile(HWND window, const char* path) {
    BitmapFileLayout layout = {};
    HGLOBAL picture = CheckBitmap(path, layout) ? ReadPicture(path, layout) : nullptr;
    if (picture == nullptr) {
        ShowWarning(window, IDS_CANNOT_OPEN_FILE);
        return false;
    }
    FreeCurrentImage();
    currentImage = picture;
    EnsureWindowHeight(window);
    char text[96];
    std::snprintf(text, sizeof text, "X:%ld Y:%ld %ldKB", static_cast<long>(layout.header.biWidth),
                  static_cast<long>(layout.header.biHeight), static_cast<long>(layout.header.biSizeImage / 1000));
    SetStatusText(1, text);
    EnableSaving(true);
    return true;
}

// A name for the new file in the folder of path (GetTempFileName makes the
// file, empty). False when the folder takes no new file.
static bool MakeTemporaryName(const char* path, char* temporary) {
    char folder[MAX_PATH] = {};
    const char* slash = std::strrchr(path, '\\');
    const char* other = std::strrchr(path, '/');
    if (other != nullptr && (slash == nullptr || other > slash)) {
        slash = other;
    }
    if (slash == nullptr) {
        std::strcpy(folder, ".");
    } else {
        size_t length = static_cast<size_t>(slash - path) + 1;
        if (length >= sizeof folder) {
            return false;
        }
        std::memcpy(folder, path, length);
        folder[length] = '\0';
    }
    return GetTempFileNameA(folder, "kvl", 0, temporary) != 0;
}

// A read-only file is not replaced (the rename that replaces it would
// succeed on some systems).
static bool IsReadOnlyFile(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

static bool MoveOverTarget(const char* temporary, const char* path) {
    if (MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING)) {
        return true;
    }
    // Systems without MoveFileEx replace in two steps.
    if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) {
        return false;
    }
    DeleteFileA(path);
    return MoveFileA(temporary, path) != FALSE;
}

static bool WritePicture(const char* temporary, const BYTE* picture, const BitmapInfoHeader& header) {
    ScopedFileHandle file(
        CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) {
        return false;
    }
    BitmapFileHeader fileHeader = MakeFileHeader(header.biSizeImage);
    bool written = WriteExactly(file.Get(), reinterpret_cast<const BYTE*>(&fileHeader), sizeof fileHeader) &&
                   WriteExactly(file.Get(), reinterpret_cast<const BYTE*>(&header), sizeof header) &&
                   WriteExactly(file.Get(), picture + INFO_HEADER_SIZE, header.biSizeImage);
    return file.Close() && written;
}

uint8_t SaveBitmap(HWND owner, const char* path, HGLOBAL image) {
    SIZE_T size = GlobalSize(image);
    ScopedGlobalLock lock(image);
    bool saved = false;
    char temporary[MAX_PATH] = {};
    if (lock.Get() != nullptr && size >= INFO_HEADER_SIZE) {
        BitmapInfoHeader header;
        std::memcpy(&header, lock.Get(), sizeof header);
        // Never write more rows than the block holds.
        if (PrepareHeaderForSave(header) && size - INFO_HEADER_SIZE >= header.biSizeImage) {
            std::memcpy(lock.Get(), &header, sizeof header);
            if (!IsReadOnlyFile(path) && MakeTemporaryName(path, temporary)) {
                saved = WritePicture(temporary, lock.Get(), header) && MoveOverTarget(temporary, path);
            }
        }
    }
    if (!saved) {
        if (temporary[0] != '\0') {
            DeleteFileA(temporary);
        }
        ShowWarningText(owner, IDS_SAVING_STOPPED);
        return 0;
    }
    return 1;
}
