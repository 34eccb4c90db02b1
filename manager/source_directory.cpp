#include "manager/source_directory.h"

#include <algorithm>
#include <cstring>

#include "manager/source_library.h"

// Nesting deeper than this is taken for a loop (a junction pointing back up).
constexpr int MAX_FOLDER_DEPTH = 16;
// Bounds the time a scan takes however many files are installed.
constexpr size_t MAX_SOURCES = 256;

constexpr char PROFILE_SECTION[] = "TWAIN";
constexpr char PROFILE_KEY[] = "Default Source";

// Owns a FindFirstFileA search handle.
class ScopedFindHandle {
public:
    explicit ScopedFindHandle(HANDLE handle) : handle_(handle) {}
    ~ScopedFindHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            FindClose(handle_);
        }
    }
    ScopedFindHandle(const ScopedFindHandle&) = delete;
    ScopedFindHandle& operator=(const ScopedFindHandle&) = delete;
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

bool SamePath(const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

size_t ProductNameLength(const char* name) {
    return strnlen(name, sizeof(TW_STR32));
}

bool SameProductName(const char* name, const char* wanted) {
    size_t length = ProductNameLength(name);
    return length == ProductNameLength(wanted) && std::memcmp(name, wanted, length) == 0;
}

static bool HasSourceSuffix(const char* fileName) {
    size_t length = std::strlen(fileName);
    return length > 3 && lstrcmpiA(fileName + length - 3, ".ds") == 0;
}

// Sources write these strings; a source that fills all 34 bytes must not
// make the manager read past them later.
static void TerminateStrings(TW_IDENTITY& identity) {
    identity.Version.Info[sizeof(TW_STR32) - 1] = '\0';
    identity.Manufacturer[sizeof(TW_STR32) - 1] = '\0';
    identity.ProductFamily[sizeof(TW_STR32) - 1] = '\0';
    identity.ProductName[sizeof(TW_STR32) - 1] = '\0';
}

static bool QueryIdentity(const std::string& path, TW_IDENTITY& identity) {
    DSENTRYPROC entry = nullptr;
    ScopedLibrary library(LoadSourceLibrary(path.c_str(), &entry));
    if (library.Get() == nullptr) {
        return false;
    }
    identity = TW_IDENTITY{};
    if (entry(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GET, &identity) != TWRC_SUCCESS) {
        return false;
    }
    identity.Id = 0;
    TerminateStrings(identity);
    return true;
}

static void AddSource(const std::string& path, const std::vector<SourceFile>& openSources,
                      std::vector<SourceFile>& found) {
    for (const SourceFile& open : openSources) {
        if (SamePath(open.path, path)) {
            found.push_back(open);
            return;
        }
    }
    SourceFile file = {path, TW_IDENTITY{}};
    if (QueryIdentity(path, file.identity)) {
        found.push_back(file);
    }
}

static void ScanFolder(const std::string& folder, int depth, const std::vector<SourceFile>& openSources,
                       std::vector<SourceFile>& found) {
    if (depth > MAX_FOLDER_DEPTH) {
        return;
    }
    WIN32_FIND_DATAA data;
    ScopedFindHandle search(FindFirstFileA((folder + "\\*").c_str(), &data));
    if (search.Get() == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        if (found.size() >= MAX_SOURCES) {
            return;
        }
        const char* name = data.cFileName;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) {
            continue;
        }
        std::string path = folder + "\\" + name;
        // The ANSI calls cannot reach longer paths anyway.
        if (path.size() >= MAX_PATH) {
            continue;
        }
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            ScanFolder(path, depth + 1, openSources, found);
        } else if (HasSourceSuffix(name)) {
            AddSource(path, openSources, found);
        }
    } while (FindNextFileA(search.Get(), &data));
}

static std::string SourcesFolder() {
    char windows[MAX_PATH];
    UINT length = GetWindowsDirectoryA(windows, sizeof windows);
    if (length == 0 || length >= sizeof windows) {
        return std::string();
    }
    std::string folder(windows, length);
    if (folder.back() != '\\') {
        folder += '\\';
    }
    return folder + "twain_32";
}

std::vector<SourceFile> FindSources(const std::vector<SourceFile>& openSources) {
    std::vector<SourceFile> found;
    std::string folder = SourcesFolder();
    if (folder.empty()) {
        return found;
    }
    ScanFolder(folder, 0, openSources, found);
    // The order of FindNextFile differs between file systems; sorting makes
    // "the first source" the same on every machine.
    std::sort(found.begin(), found.end(), [](const SourceFile& a, const SourceFile& b) {
        return lstrcmpiA(a.path.c_str(), b.path.c_str()) < 0;
    });
    return found;
}

size_t DefaultSourceIndex(const std::vector<SourceFile>& sources) {
    char path[MAX_PATH] = {};
    GetProfileStringA(PROFILE_SECTION, PROFILE_KEY, "", path, sizeof path);
    for (size_t i = 0; i < sources.size(); ++i) {
        if (path[0] != '\0' && SamePath(sources[i].path, path)) {
            return i;
        }
    }
    return 0;
}

bool WriteDefaultSource(const std::string& path) {
    return WriteProfileStringA(PROFILE_SECTION, PROFILE_KEY, path.c_str()) != FALSE;
}
