// A small TWAIN host for trying sources by hand and in tests:
//   test_host.exe --list
//   test_host.exe --open "NAME" [--seconds N] [--show-ui 0|1]
// Prints every step with its return and condition codes. Exit code 0 when
// every step succeeded, 1 when one failed, 2 for a bad command line.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/host/twain_app.h"

constexpr uint32_t DEFAULT_SECONDS = 60;
constexpr uint32_t MAX_SECONDS = 3600;
constexpr uint32_t PUMP_SLICE_MS = 250;

struct Options {
    bool list;
    std::string openName;
    uint32_t seconds;
    bool showUI;
};

static void PrintUsage() {
    std::printf("usage: test_host --list\n"
                "       test_host --open NAME [--seconds N] [--show-ui 0|1]\n");
}

static bool ParseUnsigned(const char* text, uint32_t maximum, uint32_t& value) {
    char* end = nullptr;
    unsigned long parsed = std::strtoul(text, &end, 10);
    if (end == text || *end != '\0' || parsed > maximum) {
        return false;
    }
    value = static_cast<uint32_t>(parsed);
    return true;
}

static bool ParseOptions(int argc, char** argv, Options& options) {
    options = Options{false, std::string(), DEFAULT_SECONDS, true};
    bool open = false;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        bool hasValue = i + 1 < argc;
        uint32_t value = 0;
        if (argument == "--list") {
            options.list = true;
        } else if (argument == "--open" && hasValue) {
            open = true;
            options.openName = argv[++i];
        } else if (argument == "--seconds" && hasValue && ParseUnsigned(argv[++i], MAX_SECONDS, value)) {
            options.seconds = value;
        } else if (argument == "--show-ui" && hasValue && ParseUnsigned(argv[++i], 1, value)) {
            options.showUI = value == 1;
        } else {
            return false;
        }
    }
    return options.list != open;
}

// Prints the step; for a failure also the condition code of whoever failed.
static bool Report(TwainApp& app, const char* step, TW_UINT16 rc, bool fromSource) {
    if (rc == TWRC_SUCCESS) {
        std::printf("%s: rc=%u\n", step, rc);
        return true;
    }
    TW_UINT16 cc = fromSource ? SourceStatus(app) : ManagerStatus(app);
    std::printf("%s: rc=%u cc=%u\n", step, rc, cc);
    return false;
}

static int ListAll(TwainApp& app) {
    std::vector<TW_IDENTITY> sources;
    if (!Report(app, "list sources", ListSources(app, sources), false)) {
        return 1;
    }
    for (const TW_IDENTITY& source : sources) {
        std::printf("  %.32s (%.32s, %.32s) protocol %u.%u\n", source.ProductName, source.Manufacturer,
                    source.ProductFamily, source.ProtocolMajor, source.ProtocolMinor);
    }
    std::printf("%u source(s)\n", static_cast<unsigned>(sources.size()));
    return 0;
}

// Waits for the source to ask to be closed, at most seconds. A transfer the
// source offers is declined, so that it returns to the enabled state.
static void WaitForCloseRequest(TwainApp& app, uint32_t seconds) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < seconds * 1000u) {
        TW_UINT16 message = PumpMessages(app, PUMP_SLICE_MS);
        if (message == MSG_CLOSEDSREQ) {
            std::printf("source asked to close (MSG_CLOSEDSREQ)\n");
            return;
        }
        if (message == MSG_XFERREADY) {
            std::printf("source offers a transfer (MSG_XFERREADY): declined\n");
            TW_PENDINGXFERS pending = {};
            Report(app, "reset pending transfers",
                   CallManager(app, &app.sourceIdentity, DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, &pending), true);
        } else if (message != MSG_NULL) {
            std::printf("source notification 0x%04X\n", message);
        }
    }
    std::printf("%u second(s) passed\n", seconds);
}

static int OpenAndRun(TwainApp& app, const Options& options) {
    if (!Report(app, "open source", OpenSource(app, options.openName.c_str()), false)) {
        return 1;
    }
    std::printf("  opened \"%.32s\" as Id %lu\n", app.sourceIdentity.ProductName,
                static_cast<unsigned long>(app.sourceIdentity.Id));
    bool ok = true;
    TW_UINT16 rc = EnableSource(app, options.showUI);
    if (rc == TWRC_CHECKSTATUS) {
        std::printf("enable source: rc=%u (user interface shown anyway)\n", rc);
    } else {
        ok = Report(app, "enable source", rc, true);
    }
    if (app.sourceEnabled) {
        WaitForCloseRequest(app, options.seconds);
        ok = Report(app, "disable source", DisableSource(app), true) && ok;
    }
    ok = Report(app, "close source", CloseSource(app), false) && ok;
    return ok ? 0 : 1;
}

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        PrintUsage();
        return 2;
    }
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    TwainApp app;
    if (!LoadManager(app, "QX test host")) {
        std::printf("load TWAIN_32.DLL: failed (error %lu)\n", GetLastError());
        return 1;
    }
    int result = 1;
    if (Report(app, "open manager", OpenManager(app), false)) {
        std::printf("  application Id %lu\n", static_cast<unsigned long>(app.appIdentity.Id));
        result = options.list ? ListAll(app) : OpenAndRun(app, options);
        if (!Report(app, "close manager", CloseManager(app), false)) {
            result = 1;
        }
    }
    UnloadManager(app);
    return result;
}
