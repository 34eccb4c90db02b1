// A frame's IX data between the cartridge and its record: read (with the
// raw-track fallback) and formatted for the index sheet, cleared for strip
// film, and the positioning that brings the film to the frame the user
// picked before a preview or a thumbnail scan. Portable: the caller holds
// the port; messages and the IX window are reached through hooks.
#pragma once

#include <cstdint>

#include "source/aps/ix_record.h"
#include "source/aps/ix_texts.h"

// The texts' view of a record.
IxTextSource IxTextSourceOf(const IxFrameRecord& record);

// Reads frame `frame`'s block from the adapter (falling back on the raw
// track when the block lacks its minute), decodes it into the frame's
// record and writes its info line from the cartridge. Leaves FrameState to
// the caller. Answers the block read's result (0 also for a frame outside
// 1..40, which has no record). The info line's film kind is worded for the
// interface's language.
uint8_t ReadFrameIx(uint32_t frame, uint8_t useJapanese);

// Strip film: the frame's record emptied, its info line from the film
// parameter record.
void ClearFrameIx(uint32_t frame, uint8_t useJapanese);

// A frame's data has been read: 0 or 'R' stays 'R', anything else (a
// scanned thumbnail) becomes 'a'.
void MarkFrameIxRead(uint32_t frame);

// What the positioning reaches outside the core.
struct FramePositionHooks {
    void (*showMessage)(void* context, uint32_t stringId);
    // The IX window follows the selected frame (its frame and a refresh).
    void (*frameChanged)(void* context);
    void* context;
    uint8_t useJapanese;  // the wording of the info lines read on the way
};

// Before a preview of APS film with the index window's sheet: brings the
// film to selectedFrame, reading that frame's IX data into the edit record.
// Answers 1 when the film stands there, 0 when the frame was not valid
// ("Selected frame number is not valid !" shown, the selection following
// the film).
uint8_t PositionToSelectedFrame(const FramePositionHooks& hooks);

// The APS part of a thumbnail scan of selectedFrame: an auto scan's first
// frame starts where the film stands; the film is positioned (again, when
// the adapter lost the frame) and the frame's IX data read. Answers 1 when
// the film stands at the frame and the thumbnail may be scanned, 0 when it
// may not (a message shown where due; autoScanState is then the caller's to
// clear).
uint8_t PrepareApsThumbnail(const FramePositionHooks& hooks);
