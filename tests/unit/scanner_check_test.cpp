#include <gtest/gtest.h>

#include <deque>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "source/library_state.h"
#include "source/scanner/scanner_check.h"
#include "source/ui/scan_settings.h"

namespace {

// The scanner as the check sees it: a queue of status reads (an empty queue
// answers like a vanished scanner), one cartridge, and a film parameter
// file given as the first record of each code.
struct StatusRead {
    uint8_t ok;
    ScannerStatus status;
};

std::deque<StatusRead> statusReads;
uint8_t cartridgeOk;
CartridgeInfo cartridge;
std::map<int32_t, int32_t> firstRecordOf;
std::string calls;  // 'S' status, 'C' cartridge, 'R' reset, in order
std::vector<uint32_t> shown;
std::vector<void*> owners;

void* const OWNER = reinterpret_cast<void*>(0x1000);
void* const APPLICATION = reinterpret_cast<void*>(0x2000);

uint8_t FakeReadStatus(ScannerStatus& status) {
    calls += 'S';
    if (statusReads.empty()) {
        return 0;
    }
    StatusRead next = statusReads.front();
    statusReads.pop_front();
    if (next.ok) {
        status = next.status;
    }
    return next.ok;
}

uint8_t FakeReadCartridge(CartridgeInfo& info) {
    calls += 'C';
    if (cartridgeOk) {
        info = cartridge;
    }
    return cartridgeOk;
}

uint8_t FakeReset() {
    calls += 'R';
    return 1;
}

void FakeShow(void* owner, uint32_t id) {
    owners.push_back(owner);
    shown.push_back(id);
}

int32_t FakeFind(int32_t code) {
    auto found = firstRecordOf.find(code);
    return found == firstRecordOf.end() ? code : found->second;
}

constexpr uint8_t STRIP = STATUS_STRIP_ADAPTER;
constexpr uint8_t APS = STATUS_APS_ADAPTER;
constexpr uint8_t SILENT = STATUS_APS_ADAPTER | STATUS_APS_SILENT;
constexpr StatusRead FAILED = {0, {}};

class ScannerCheck : public ::testing::Test {
protected:
    ScannerCheckDeps deps = {FakeReadStatus, FakeReadCartridge, FakeReset, FakeShow, FakeFind, APPLICATION, 0};

    void SetUp() override {
        statusReads.clear();
        cartridgeOk = 1;
        cartridge = {'N', 25, 200};
        // Codes 10 and 7 first held by records 1 and 5, code 8 by record 10.
        firstRecordOf = {{10, 1}, {7, 5}, {8, 10}};
        calls.clear();
        shown.clear();
        owners.clear();
        ResetCoreState();
        filmPosition = 9;
    }
    void TearDown() override { ResetCoreState(); }

    // A fresh check of a scanner that answers `reads` in turn.
    int32_t Check(std::initializer_list<StatusRead> reads, int32_t filmNumber = 1, uint8_t chosen = 0) {
        SetUp();
        statusReads.assign(reads);
        scanSettings.filmNumber = filmNumber;
        filmChosenByUser = chosen;
        return CheckScannerWith(deps, OWNER);
    }
};

TEST_F(ScannerCheck, OneRetryInAllSharedByStatusAndSilentAdapter) {
    // Answering only after a reset: no message.
    EXPECT_EQ(Check({FAILED, {1, {STRIP, 0}}}), 1);
    EXPECT_EQ(calls, "SRS");
    EXPECT_TRUE(shown.empty());

    // Unreadable twice: one reset, no third look, shown over the application.
    EXPECT_EQ(Check({FAILED, FAILED, {1, {STRIP, 0}}}), 0);
    EXPECT_EQ(calls, "SRS");
    EXPECT_EQ(shown, std::vector<uint32_t>{30100});
    EXPECT_EQ(owners[0], APPLICATION);
    EXPECT_EQ(scanSettings.adapterType, 'N');

    // The retry spent on the status read leaves none for the adapter.
    EXPECT_EQ(Check({FAILED, {1, {SILENT, 3}}, {1, {APS, 3}}}), 0);
    EXPECT_EQ(calls, "SRS");
    EXPECT_EQ(shown, std::vector<uint32_t>{30110});
    EXPECT_EQ(owners[0], OWNER);

    // Without a failed read the adapter gets a second look, without a reset.
    EXPECT_EQ(Check({{1, {SILENT, 3}}, {1, {SILENT, 3}}}), 0);
    EXPECT_EQ(calls, "SS");
    EXPECT_EQ(shown, std::vector<uint32_t>{30110});
    EXPECT_EQ(Check({{1, {SILENT, 3}}, {1, {APS, 3}}}), 1);
    EXPECT_EQ(calls, "SSC");

    // ... and a failed read after a silent adapter is final.
    EXPECT_EQ(Check({{1, {SILENT, 3}}, FAILED, {1, {APS, 3}}}), 0);
    EXPECT_EQ(calls, "SS");
    EXPECT_EQ(shown, std::vector<uint32_t>{30100});
}

TEST_F(ScannerCheck, AdaptersAndStripFilm) {
    EXPECT_EQ(Check({{1, {STATUS_FRONT_SIDE | STATUS_NOT_PROCESSED, 5}}}), 0);
    EXPECT_EQ(shown, std::vector<uint32_t>{30120});
    EXPECT_EQ(filmPosition, 9);  // not touched on this way out

    // A strip below the first code-8 record keeps its film type.
    scanSettings.adapterType = 'A';
    EXPECT_EQ(Check({{1, {STRIP, 5}}}, 9, 1), 1);
    EXPECT_EQ(scanSettings.adapterType, 'N');
    EXPECT_EQ(filmPosition, 0);
    EXPECT_EQ(filmChosenByUser, 1);
    for (int32_t selected : {10, 11}) {
        EXPECT_EQ(Check({{1, {STRIP, 0}}}, selected, 1), 101);
        EXPECT_EQ(filmChosenByUser, 0);
        EXPECT_TRUE(shown.empty());
    }
}

TEST_F(ScannerCheck, ApsFilmNotInPlace) {
    EXPECT_EQ(Check({{1, {APS, POSITION_AUTOLOADING}}}), 0);
    EXPECT_EQ(shown, std::vector<uint32_t>{30000});
    EXPECT_EQ(filmPosition, 0);
    EXPECT_EQ(scanSettings.adapterType, 'A');
    EXPECT_EQ(calls, "S");  // the cartridge is not asked
    EXPECT_EQ(Check({{1, {APS, POSITION_REWINDING}}}), 0);
    EXPECT_EQ(shown, std::vector<uint32_t>{30010});
    EXPECT_EQ(filmPosition, 0);

    // Undeveloped film at frame 0 (0xC0 has no frame bits).
    EXPECT_EQ(Check({{1, {0x88, 0xC0}}}), 0);
    EXPECT_EQ(shown, (std::vector<uint32_t>{30150, 30160}));
    EXPECT_EQ(filmPosition, 0);
    EXPECT_EQ(cartridgeInfo.filmKind, 0);  // a check ending in a message keeps the old data
    EXPECT_EQ(Check({{1, {APS | STATUS_FRONT_SIDE, 0}}}), 0);
    EXPECT_EQ(shown, std::vector<uint32_t>{30150});

    // A cartridge that cannot be read is not guessed at.
    SetUp();
    cartridgeOk = 0;
    statusReads.assign({{1, {APS, 4}}});
    EXPECT_EQ(CheckScannerWith(deps, OWNER), 0);
    EXPECT_EQ(shown, std::vector<uint32_t>{30100});
    EXPECT_EQ(filmPosition, 4);
    EXPECT_EQ(cartridgeInfo.filmKind, 0);
}

TEST_F(ScannerCheck, CartridgeAgainstTheSelectedRecord) {
    // English colour negative, code 10, whose record is the selected one.
    EXPECT_EQ(Check({{1, {APS, 0x80 | 5}}}, 1), 1);
    EXPECT_EQ(filmPosition, 5);  // bits 6 and 7 are not part of the frame
    EXPECT_EQ(cartridgeInfo.filmKind, 'N');
    EXPECT_EQ(cartridgeInfo.filmSpeed, 200);
    EXPECT_TRUE(shown.empty());

    struct Row {
        char kind;
        uint8_t japanese;
        int32_t result;
    };
    for (Row row : {Row{'N', 0, 110}, Row{'N', 1, 111}, Row{'X', 0, 110}, Row{'R', 0, 108}, Row{'B', 1, 114}}) {
        deps.useJapanese = row.japanese;
        statusReads.assign({{1, {APS, 2}}});
        cartridge.filmKind = row.kind;
        scanSettings.filmNumber = 3;
        EXPECT_EQ(CheckScannerWith(deps, OWNER), row.result) << row.kind;
    }
}

TEST_F(ScannerCheck, UsersChoiceAgainstTheCartridge) {
    // Past the first code-7 record (5) the user's choice stands.
    EXPECT_EQ(Check({{1, {APS, 2}}}, 6, 1), 1);
    EXPECT_EQ(filmChosenByUser, 1);
    // At or before it the cartridge decides.
    for (int32_t selected : {5, 2}) {
        EXPECT_EQ(Check({{1, {APS, 2}}}, selected, 1), 110);
        EXPECT_EQ(filmChosenByUser, 0);
    }
}

}  // namespace
