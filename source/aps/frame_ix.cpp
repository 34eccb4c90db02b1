#include "source/aps/frame_ix.h"

#include "source/aps/index_sheet.h"
#include "source/imaging/film_parameters.h"
#include "source/scanner/command_set.h"
#include "source/scanner/film_transport.h"
#include "source/scanner/scanner_check.h"

namespace {

bool IsRecordFrame(uint32_t frame) {
    return frame >= 1 && frame <= MAX_FRAMES;
}

void WriteInfoLine(uint32_t frame, const CartridgeInfo& info, uint8_t useJapanese, bool stripFilm) {
    char* line = FrameInfoLineOf(frame);
    if (line == nullptr) return;
    IxTexts texts = {};
    FormatCartridgeInfo(info, useJapanese, texts);
    FormatFrameInfoLine(texts, stripFilm, line, FRAME_INFO_LINE_BYTES);
}

// The selection follows the film, but only to a frame the sheet has: a
// position the scanner reports past frame 40 (it can name 63) or none at
// all leaves the selection where it was.
void SelectionFollowsFilm(const FramePositionHooks& hooks) {
    if (IsRecordFrame(filmPosition)) selectedFrame = filmPosition;
    ixWindowFrame = selectedFrame;
    if (hooks.frameChanged != nullptr) hooks.frameChanged(hooks.context);
}

void Tell(const FramePositionHooks& hooks, uint32_t id) {
    if (hooks.showMessage != nullptr) hooks.showMessage(hooks.context, id);
}

// The film taken to selectedFrame and the data of the frame it reached
// read into its record and the edit record.
void GoToSelectedFrameAndRead(const FramePositionHooks& hooks) {
    GoToFrame(selectedFrame);
    if (!IsRecordFrame(filmPosition)) return;
    ReadFrameIx(filmPosition, hooks.useJapanese);
    LoadEditRecord(filmPosition);
    MarkFrameIxRead(filmPosition);
}

}  // namespace

IxTextSource IxTextSourceOf(const IxFrameRecord& r) {
    IxTextSource s = {};
    s.year = r.year;
    s.month = r.month;
    s.day = r.day;
    s.hour = r.hour;
    s.minute = r.minute;
    s.timeFormat = r.timeFormat;
    s.dateOrder = r.dateOrder;
    s.datePrint = r.datePrint;
    s.timePrint = r.timePrint;
    s.printAspect = r.printAspect;
    s.leftRight = r.leftRight;
    s.flash = r.flash;
    s.brightness = r.brightness;
    s.onOff = r.onOff;
    s.magnification = r.magnification;
    s.flashRange = r.flashRange;
    s.orientation = r.orientation;
    s.lighting = r.lighting;
    s.exposureRange = r.exposureRange;
    s.windMode = r.windMode;
    s.lightSource = r.lightSource;
    s.subjectDistance = r.subjectDistance;
    s.printCondition = r.printCondition;
    s.titleLanguage = r.titleLanguage;
    s.titleCode = r.titleCode;
    s.apertureCode = r.apertureCode;
    s.shutterCode = r.shutterCode;
    s.auxExposureCode = r.auxExposureCode;
    s.exposureCompensationCode = r.exposureCompensationCode;
    s.meteringMode = r.meteringMode;
    s.auxApertureCode = r.auxApertureCode;
    return s;
}

uint8_t ReadFrameIx(uint32_t frame, uint8_t useJapanese) {
    IxFrameRecord* record = FrameIxRecord(frame);
    if (record == nullptr || frame == 0) return 0;
    // A failed read leaves what the buffer held before, as the adapter's
    // last answer; the result tells the caller.
    static IxBlock block = {};
    uint8_t result = ReadFrameBlock(block);
    ReadIxTrack(block);
    DecodeIxBlock(block, *record);
    WriteInfoLine(frame, cartridgeInfo, useJapanese, false);
    return result;
}

void ClearFrameIx(uint32_t frame, uint8_t useJapanese) {
    IxFrameRecord* record = FrameIxRecord(frame);
    if (record == nullptr || frame == 0) return;
    const IxBlock empty = {};
    DecodeIxBlock(empty, *record);
    CartridgeInfo strip = {};
    strip.filmKind = currentFilm.negative == 0 ? 'R' : currentFilm.blackAndWhite != 0 ? 'B' : 'N';
    strip.filmSpeed = currentFilm.filmSpeed;
    strip.exposureCount = currentFilm.exposureCount;
    WriteInfoLine(frame, strip, useJapanese, true);
}

void MarkFrameIxRead(uint32_t frame) {
    uint8_t state = FrameStateOf(frame);
    SetFrameState(frame, state == FRAME_NOTHING_KNOWN || state == FRAME_IX_READ ? FRAME_IX_READ
                                                                                : FRAME_READ_AND_SCANNED);
}

uint8_t PositionToSelectedFrame(const FramePositionHooks& hooks) {
    if (filmPosition == selectedFrame) {
        CheckFramePosition();
        if (repositionNeeded == 0) return 1;
        repositionNeeded = 0;
    }
    if (cartridgeInfo.exposureCount < selectedFrame) {
        Tell(hooks, MSG_FRAME_NOT_VALID);
        SelectionFollowsFilm(hooks);
        return 0;
    }
    GoToSelectedFrameAndRead(hooks);
    if (filmPosition != selectedFrame) {
        Tell(hooks, MSG_FRAME_NOT_VALID);
        if (filmPosition != 0) GoToFrame(filmPosition);
        SelectionFollowsFilm(hooks);
        return 0;
    }
    SelectionFollowsFilm(hooks);
    return 1;
}

uint8_t PrepareApsThumbnail(const FramePositionHooks& hooks) {
    if (autoScanState == AUTO_SCAN_FIRST_FRAME) {
        autoScanState = AUTO_SCAN_RUNNING;
        if (!IsRecordFrame(filmPosition)) {
            Tell(hooks, MSG_FRAME_NOT_VALID);
            return 0;
        }
        selectedFrame = filmPosition;
    }
    repositionNeeded = 0;
    if (filmPosition == selectedFrame) {
        CheckFramePosition();
        if (repositionNeeded == 0) {
            uint8_t state = FrameStateOf(selectedFrame);
            if (filmPosition == 1 || state == FRAME_NOTHING_KNOWN || state == FRAME_INDEX_SCANNED ||
                state == FRAME_FROM_INDEX_FILE) {
                ReadFrameIx(selectedFrame, hooks.useJapanese);
                MarkFrameIxRead(selectedFrame);
            }
            return 1;
        }
        repositionNeeded = 0;
    }
    if (cartridgeInfo.exposureCount < selectedFrame) {
        Tell(hooks, MSG_FRAME_NOT_VALID);
        return 0;
    }
    GoToSelectedFrameAndRead(hooks);
    if (autoScanState == AUTO_SCAN_STOP_REQUESTED) {
        if (IsRecordFrame(filmPosition)) selectedFrame = filmPosition;
        return 0;
    }
    if (filmPosition != selectedFrame) {
        Tell(hooks, MSG_FRAME_NOT_VALID);
        if (filmPosition != 0) GoToFrame(filmPosition);
        SelectionFollowsFilm(hooks);
        return 0;
    }
    ixWindowFrame = selectedFrame;
    return 1;
}
