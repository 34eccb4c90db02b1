// The IX window's editing of the edit record (slot 0): typed dates and
// times taken over and made valid, the defaults a half-empty record gets,
// the print positions that cannot differ in front and back, the date parts
// in the record's order, and the frame number typed. Portable; the window
// reads and writes its controls and calls these.
#pragma once

#include <cstddef>
#include <cstdint>

#include "source/aps/ix_record.h"

// Messages of the IX window (English at the id, Japanese at id + 1).
constexpr uint32_t MSG_IX_DATA_NOT_SET = 30240;   // "Data are not set !"
constexpr uint32_t MSG_IX_DATA_NOT_READ = 30250;  // "Data are not read.  Click [Read] and check the data !"

// The three date edits hold the parts in the record's date order:
// 'M' month, day, year; 'D' day, month, year; otherwise year, month, day.
// Typed text: its leading digits (none reads as 0).
uint32_t ParseTypedNumber(const char* text);

// Takes the typed parts over in the record's order (any order other than
// 'M' and 'D' becomes 'Y'): the year modulo 100, a month outside 1..12 and
// a day outside the month (1..28, 29, 30 or 31; years 0..80 are 20xx) become
// 1.
void CommitDate(IxFrameRecord& record, const uint32_t parts[3]);
// Takes a typed time over: a 24-hour hour of 24 or more becomes 0, an AM or
// PM hour loses 12 until it is below 12; a minute of 60 or more becomes 0.
void CommitTime(IxFrameRecord& record, uint32_t hour, uint32_t minute);

// The fields a record without a date gets before it is edited or written:
// date order year first, 1 January, 24-hour time, neither printed, aspect H.
// Fields already set stay.
void ApplyIxDefaults(IxFrameRecord& record);

// Print positions: row 0 not printed, 1 front, 2 back. Date and time share
// one front/back mark on the film, so choosing front (back) for one moves
// the other from back (front) with it.
void ChooseDatePrint(IxFrameRecord& record, int32_t row);
void ChooseTimePrint(IxFrameRecord& record, int32_t row);
// Row 0 'Y', 1 'D', 2 'M'.
void ChooseDateOrder(IxFrameRecord& record, int32_t row);
// Row 0 'A', 1 'P', 2 '2' (24-hour).
void ChooseTimeFormat(IxFrameRecord& record, int32_t row);

// The list rows that show a record's choices (-1: none).
int32_t DateOrderRow(const IxFrameRecord& record);
int32_t PrintRow(uint8_t print);
int32_t TimeFormatRow(const IxFrameRecord& record);

// The texts of the date edits in the record's order: the year always two
// digits ("05"), month and day as numbers; "- - -" in each without a date.
void FormatDateParts(const IxFrameRecord& record, char parts[3][8]);
// Hour and two-digit minute; "- - -" in both without a time.
void FormatTimeParts(const IxFrameRecord& record, char hour[8], char minute[8]);

// A typed frame number held to 1..40.
uint8_t TypedFrame(const char* text);
