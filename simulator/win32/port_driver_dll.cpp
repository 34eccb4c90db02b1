// qx52sim.dll: the virtual scanner as a port driver DLL with the inpout32
// interface, so that the data source, set to load a port driver, talks to
// the model instead of a printer port.
//
// Exports (stdcall, undecorated): Inp32(port) -> register value,
// Out32(port, value), IsInpOutDriverOpen() -> 1.
//
// The configuration is read on the first call, not in DllMain: from the file
// named by the environment variable QX52SIM_CONFIG, else qx52sim.cfg beside
// this DLL. Until it reads, and if it cannot be read, the port floats (every
// register 0xFF), which the host reports as no scanner; the reason goes to
// the debugger output. Time is real (QueryPerformanceCounter).
//
// With `write_back yes` in the configuration, every IX block the host writes
// is also kept in that file: the model hands the block over once the host
// ends the transaction; the file is read again as it stands now (edits made
// since it was loaded survive), rewritten by RewriteFrameIx, written to a
// temporary file beside it and moved over it, so a failure at any step
// leaves the old file whole. Failures go to the debugger output and the log.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <string>

#include "simulator/scanner_config.h"
#include "simulator/virtual_scanner.h"

namespace {

HINSTANCE dllInstance = nullptr;
std::mutex scannerLock;
VirtualScanner* scanner = nullptr;  // made on the first call, kept until unload
bool loadTried = false;
LARGE_INTEGER clockStart = {};
LARGE_INTEGER clockFrequency = {};
std::FILE* logFile = nullptr;
std::string configPath;  // where the configuration came from, for write-back

uint64_t RealMicroseconds(void*) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    uint64_t ticks = static_cast<uint64_t>(now.QuadPart - clockStart.QuadPart);
    uint64_t frequency = static_cast<uint64_t>(clockFrequency.QuadPart);
    // Split to keep the product inside 64 bits for long sessions.
    return ticks / frequency * 1000000u + ticks % frequency * 1000000u / frequency;
}

void WriteLogLine(void*, const std::string& line) {
    if (logFile != nullptr) {
        std::fputs(line.c_str(), logFile);
        std::fputc('\n', logFile);
        std::fflush(logFile);
    }
}

std::string ConfigPath() {
    char value[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("QX52SIM_CONFIG", value, sizeof value);
    if (length > 0 && length < sizeof value) return value;
    char module[MAX_PATH];
    DWORD moduleLength = GetModuleFileNameA(dllInstance, module, sizeof module);
    if (moduleLength == 0 || moduleLength >= sizeof module) return "qx52sim.cfg";
    std::string path(module, moduleLength);
    size_t slash = path.find_last_of("\\/");
    return (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + "qx52sim.cfg";
}

// Writes `text` to a fresh temporary file in the folder of `path` and moves
// it over `path`. On failure the temporary file is removed and `path` is as
// it was.
bool ReplaceFileText(const std::string& path, const std::string& text, std::string& error) {
    size_t slash = path.find_last_of("\\/");
    std::string folder = slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
    char temporary[MAX_PATH];
    if (GetTempFileNameA(folder.c_str(), "qxs", 0, temporary) == 0) {
        error = "cannot make a temporary file in '" + folder + "' (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool ok = file != INVALID_HANDLE_VALUE;
    size_t done = 0;
    while (ok && done < text.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(text.size() - done, 1u << 20));
        DWORD written = 0;
        ok = WriteFile(file, text.data() + done, chunk, &written, nullptr) != 0 && written == chunk;
        done += written;
    }
    if (ok) ok = FlushFileBuffers(file) != 0;
    DWORD why = ok ? 0 : GetLastError();
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    if (ok && !MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ok = false;
        why = GetLastError();
    }
    if (!ok) {
        DeleteFileA(temporary);
        error = "cannot write '" + path + "' (error " + std::to_string(why) + "); it is left as it was";
    }
    return ok;
}

// The model's ixWritten hook. Called with the lock held.
bool KeepFrameBlock(void*, int frame, const uint8_t block[SIM_IX_BLOCK_BYTES]) {
    std::string text, rewritten, error;
    if (ReadScannerConfigText(configPath, text, error) &&
        RewriteFrameIx(text, configPath, frame, block, rewritten, error) &&
        ReplaceFileText(configPath, rewritten, error)) {
        return true;
    }
    OutputDebugStringA(("qx52sim: " + error + "\n").c_str());
    WriteLogLine(nullptr, "qx52sim: " + error);
    return false;
}

// Called with the lock held. Null while no configuration could be read.
VirtualScanner* Scanner() {
    if (loadTried) return scanner;
    loadTried = true;
    ScannerConfig config;
    std::string error;
    std::string path = ConfigPath();
    if (!LoadScannerConfig(path, config, error)) {
        OutputDebugStringA(("qx52sim: " + error + "\n").c_str());
        return nullptr;
    }
    QueryPerformanceFrequency(&clockFrequency);
    QueryPerformanceCounter(&clockStart);
    if (clockFrequency.QuadPart <= 0) {
        OutputDebugStringA("qx52sim: no performance counter\n");
        return nullptr;
    }
    auto* made = new (std::nothrow) VirtualScanner;
    if (made == nullptr) return nullptr;
    made->clock = RealMicroseconds;
    if (!config.logFile.empty()) {
        logFile = std::fopen(config.logFile.c_str(), "a");
        if (logFile != nullptr) made->logSink = WriteLogLine;
    }
    configPath = path;
    made->ixWritten = KeepFrameBlock;
    VirtualScannerInit(*made, config);
    WriteLogLine(nullptr, "qx52sim: configuration " + path);
    scanner = made;
    return scanner;
}

}  // namespace

// Exported by qx52sim.def under their plain names, as inpout32 has them.
extern "C" {

short __stdcall Inp32(short port) {
    try {
        std::lock_guard<std::mutex> hold(scannerLock);
        VirtualScanner* s = Scanner();
        if (s == nullptr) return 0xFF;
        return static_cast<short>(VirtualScannerRead(*s, static_cast<uint16_t>(port)));
    } catch (...) {
        return 0xFF;
    }
}

void __stdcall Out32(short port, short value) {
    try {
        std::lock_guard<std::mutex> hold(scannerLock);
        VirtualScanner* s = Scanner();
        if (s != nullptr) VirtualScannerWrite(*s, static_cast<uint16_t>(port), static_cast<uint8_t>(value));
    } catch (...) {
        // Nothing can be reported through Out32; the model stays as it was.
    }
}

BOOL __stdcall IsInpOutDriverOpen() {
    return 1;
}

// Remembers the module, to find the configuration beside it later. When the
// DLL is unloaded by FreeLibrary (not at process exit, where the system
// reclaims everything), the model's memory and the log file are given back,
// so a source that loads and frees the driver per session does not leak.
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        dllInstance = instance;
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        delete scanner;
        scanner = nullptr;
        if (logFile != nullptr) std::fclose(logFile);
        logFile = nullptr;
    }
    return TRUE;
}

}  // extern "C"
