#include "source/aps/ix_edit.h"

#include <cstdio>

namespace {

constexpr uint32_t DIGITS_LIMIT = 1000000;  // more digits than any field can take

bool LeapYear(uint32_t twoDigitYear) {
    uint32_t year = twoDigitYear + (twoDigitYear <= 80 ? 2000 : 1900);
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

uint32_t DaysInMonth(uint32_t month, uint32_t year) {
    constexpr uint8_t DAYS[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && LeapYear(year)) return 29;
    return DAYS[month - 1];
}

uint8_t PrintOfRow(int32_t row) {
    return row == 1 ? 'F' : row == 2 ? 'B' : 'N';
}

// Front and back are one mark for date and time together.
void FollowPrint(uint8_t chosen, uint8_t& other) {
    if (chosen == 'F' && other == 'B') other = 'F';
    if (chosen == 'B' && other == 'F') other = 'B';
}

void Dashes(char text[8]) {
    std::snprintf(text, 8, "- - -");
}

}  // namespace

uint32_t ParseTypedNumber(const char* text) {
    uint32_t value = 0;
    if (text == nullptr) return 0;
    while (*text == ' ') ++text;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + static_cast<uint32_t>(*text - '0');
        if (value >= DIGITS_LIMIT) value = DIGITS_LIMIT;  // stays out of every range
    }
    return value;
}

void CommitDate(IxFrameRecord& r, const uint32_t parts[3]) {
    uint32_t year, month, day;
    if (r.dateOrder == 'M') {
        month = parts[0], day = parts[1], year = parts[2];
    } else if (r.dateOrder == 'D') {
        day = parts[0], month = parts[1], year = parts[2];
    } else {
        r.dateOrder = 'Y';
        year = parts[0], month = parts[1], day = parts[2];
    }
    year %= 100;
    if (month < 1 || month > 12) month = 1;
    if (day < 1 || day > DaysInMonth(month, year)) day = 1;
    r.year = static_cast<uint8_t>(year);
    r.month = static_cast<uint8_t>(month);
    r.day = static_cast<uint8_t>(day);
}

void CommitTime(IxFrameRecord& r, uint32_t hour, uint32_t minute) {
    if (r.timeFormat == 'A' || r.timeFormat == 'P') {
        hour %= 12;  // the same as taking 12 away until below 12
    } else if (hour >= 24) {
        hour = 0;
    }
    if (minute >= 60) minute = 0;
    r.hour = static_cast<uint8_t>(hour);
    r.minute = static_cast<uint8_t>(minute);
}

void ApplyIxDefaults(IxFrameRecord& r) {
    if (r.dateOrder == 0) r.dateOrder = 'Y';
    if (r.month == 0) r.month = 1;
    if (r.day == 0) r.day = 1;
    if (r.timeFormat == 0) r.timeFormat = '2';
    if (r.datePrint == 0) r.datePrint = 'N';
    if (r.timePrint == 0) r.timePrint = 'N';
    if (r.printAspect == 0) r.printAspect = ASPECT_H;
}

void ChooseDatePrint(IxFrameRecord& r, int32_t row) {
    r.datePrint = PrintOfRow(row);
    FollowPrint(r.datePrint, r.timePrint);
}

void ChooseTimePrint(IxFrameRecord& r, int32_t row) {
    r.timePrint = PrintOfRow(row);
    FollowPrint(r.timePrint, r.datePrint);
}

void ChooseDateOrder(IxFrameRecord& r, int32_t row) {
    r.dateOrder = row == 1 ? 'D' : row == 2 ? 'M' : 'Y';
}

void ChooseTimeFormat(IxFrameRecord& r, int32_t row) {
    r.timeFormat = row == 0 ? 'A' : row == 1 ? 'P' : '2';
}

int32_t DateOrderRow(const IxFrameRecord& r) {
    return r.dateOrder == 'Y' ? 0 : r.dateOrder == 'D' ? 1 : r.dateOrder == 'M' ? 2 : -1;
}

int32_t PrintRow(uint8_t print) {
    return print == 'N' ? 0 : print == 'F' ? 1 : print == 'B' ? 2 : -1;
}

int32_t TimeFormatRow(const IxFrameRecord& r) {
    return r.timeFormat == 'A' ? 0 : r.timeFormat == 'P' ? 1 : r.timeFormat == '2' ? 2 : -1;
}

void FormatDateParts(const IxFrameRecord& r, char parts[3][8]) {
    if (r.month == 0) {
        for (int i = 0; i < 3; ++i) Dashes(parts[i]);
        return;
    }
    char year[8], month[8], day[8];
    std::snprintf(year, sizeof year, r.year < 10 ? "0%-u" : "%-2u", static_cast<unsigned>(r.year));
    std::snprintf(month, sizeof month, "%u", static_cast<unsigned>(r.month));
    std::snprintf(day, sizeof day, "%u", static_cast<unsigned>(r.day));
    const char* order[3] = {year, month, day};
    if (r.dateOrder == 'M') order[0] = month, order[1] = day, order[2] = year;
    if (r.dateOrder == 'D') order[0] = day, order[1] = month, order[2] = year;
    for (int i = 0; i < 3; ++i) std::snprintf(parts[i], 8, "%s", order[i]);
}

void FormatTimeParts(const IxFrameRecord& r, char hour[8], char minute[8]) {
    if (r.timeFormat == 0) {
        Dashes(hour);
        Dashes(minute);
        return;
    }
    std::snprintf(hour, 8, "%u", static_cast<unsigned>(r.hour));
    std::snprintf(minute, 8, "%02u", static_cast<unsigned>(r.minute % 100));
}

uint8_t TypedFrame(const char* text) {
    uint32_t frame = ParseTypedNumber(text);
    if (frame < 1) return 1;
    return static_cast<uint8_t>(frame > MAX_FRAMES ? MAX_FRAMES : frame);
}
