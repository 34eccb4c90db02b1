#include "source/scanner/win32/port_access_win32.h"

#include <cstring>

#include "common/win32/profile_settings.h"
#include "common/win32/win32_guards.h"
#include "source/scanner/port_access.h"

namespace {

typedef short(__stdcall* Inp32Proc)(short port);
typedef void(__stdcall* Out32Proc)(short port, short value);

HMODULE driverModule = nullptr;
Inp32Proc driverIn = nullptr;
Out32Proc driverOut = nullptr;
char driverName[MAX_PATH] = "";

// Set by the exception handler when a direct port instruction faulted.
volatile LONG directPortFaulted = 0;

uint8_t DirectIn(uint16_t address) {
    uint8_t value = 0xFF;
    __asm__ __volatile__("inb %w1, %b0" : "+a"(value) : "Nd"(address));
    return value;
}

void DirectOut(uint16_t address, uint8_t value) {
    __asm__ __volatile__("outb %b0, %w1" : : "a"(value), "Nd"(address));
}

// Without I/O privilege the in/out instructions raise a privileged
// instruction fault. Stepping over the one-byte instruction (in al,dx 0xEC;
// out dx,al 0xEE) turns the fault into a floating bus read.
LONG CALLBACK SkipFaultingPortInstruction(EXCEPTION_POINTERS* info) {
    DWORD code = info->ExceptionRecord->ExceptionCode;
    if (code != EXCEPTION_PRIV_INSTRUCTION && code != EXCEPTION_ACCESS_VIOLATION) {
        return EXCEPTION_CONTINUE_SEARCH;
    }
    auto* instruction = reinterpret_cast<const uint8_t*>(info->ContextRecord->Eip);
    if (instruction == nullptr || (*instruction != 0xEC && *instruction != 0xEE)) {
        return EXCEPTION_CONTINUE_SEARCH;
    }
    InterlockedExchange(&directPortFaulted, 1);
    if (*instruction == 0xEC) {
        info->ContextRecord->Eax |= 0xFF;
    }
    info->ContextRecord->Eip += 1;
    return EXCEPTION_CONTINUE_EXECUTION;
}

// Tries one direct read of a printer port register with the fault caught.
bool DirectPortUsable() {
    PVOID handler = AddVectoredExceptionHandler(1, SkipFaultingPortInstruction);
    if (handler == nullptr) {
        return false;
    }
    InterlockedExchange(&directPortFaulted, 0);
    DirectIn(0x379);
    RemoveVectoredExceptionHandler(handler);
    return directPortFaulted == 0;
}

uint8_t DriverRead(void*, uint16_t address) {
    return static_cast<uint8_t>(driverIn(static_cast<short>(address)));
}
void DriverWrite(void*, uint16_t address, uint8_t value) {
    driverOut(static_cast<short>(address), static_cast<short>(value));
}
uint8_t DirectRead(void*, uint16_t address) {
    return DirectIn(address);
}
void DirectWrite(void*, uint16_t address, uint8_t value) {
    DirectOut(address, value);
}
uint32_t WindowsTicks(void*) {
    return GetTickCount();
}
void CountingLoop(void*, uint32_t iterations) {
    // The counter is volatile so that the compiler keeps the empty loop.
    volatile uint32_t counter = 0;
    for (uint32_t i = 0; i < iterations; ++i) {
        counter = i;
    }
    (void)counter;
}
int32_t WindowsKeyboardSubtype(void*) {
    return GetKeyboardType(1);
}

constexpr PortAccess DRIVER_ACCESS = {DriverRead, DriverWrite, WindowsTicks, CountingLoop, WindowsKeyboardSubtype, nullptr};
constexpr PortAccess DIRECT_ACCESS = {DirectRead, DirectWrite, WindowsTicks, CountingLoop, WindowsKeyboardSubtype, nullptr};

bool LoadDriver(const char* name) {
    if (driverModule != nullptr && std::strcmp(driverName, name) == 0) {
        return true;
    }
    ReleasePortDriver();
    ScopedLibrary module(LoadLibraryA(name));
    if (module.Get() == nullptr) {
        return false;
    }
    auto in = reinterpret_cast<Inp32Proc>(reinterpret_cast<void*>(GetProcAddress(module.Get(), "Inp32")));
    auto out = reinterpret_cast<Out32Proc>(reinterpret_cast<void*>(GetProcAddress(module.Get(), "Out32")));
    if (in == nullptr || out == nullptr) {
        return false;
    }
    driverModule = module.Detach();  // held until ReleasePortDriver
    driverIn = in;
    driverOut = out;
    lstrcpynA(driverName, name, sizeof driverName);
    return true;
}

bool NtFamily() {
    return (GetVersion() & 0x80000000u) == 0;
}

// Points the link at the means the settings choose; false when it is not
// available (the link then sees a floating bus).
bool ChoosePortAccess() {
    char means[16];
    ReadSettingString(SOURCE_SECTION, "PORT_ACCESS", "", means, sizeof means);
    bool direct = lstrcmpiA(means, "DIRECT") == 0 ? true
                : lstrcmpiA(means, "DRIVER") == 0 ? false
                : !NtFamily();
    if (direct) {
        bool usable = DirectPortUsable();
        SetPortAccess(usable ? &DIRECT_ACCESS : nullptr);
        return usable;
    }
    char name[MAX_PATH];
    ReadSettingString(SOURCE_SECTION, "PORT_DRIVER", "inpout32.dll", name, sizeof name);
    bool loaded = LoadDriver(name);
    SetPortAccess(loaded ? &DRIVER_ACCESS : nullptr);
    return loaded;
}

}  // namespace

ScopedScannerPort::ScopedScannerPort()
    : portFile(CreateFileA("LPT1", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                           nullptr)),
      available(ChoosePortAccess()) {}

ScopedScannerPort::~ScopedScannerPort() {
    if (portFile != INVALID_HANDLE_VALUE) {
        CloseHandle(portFile);
    }
}

void ReleasePortDriver() {
    SetPortAccess(nullptr);
    if (driverModule != nullptr) {
        FreeLibrary(driverModule);
    }
    driverModule = nullptr;
    driverIn = nullptr;
    driverOut = nullptr;
    driverName[0] = '\0';
}
