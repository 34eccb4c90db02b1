// The IX window's editing rules on the edit record: typed dates and times
// made valid, the defaults, the shared front/back print mark, the date parts
// in the record's order and the typed frame number.
#include <gtest/gtest.h>

#include <string>

#include "source/aps/ix_edit.h"

namespace {

IxFrameRecord Dated(uint8_t order) {
    IxFrameRecord r = {};
    r.dateOrder = order;
    r.year = 99, r.month = 7, r.day = 4;
    return r;
}

TEST(IxEdit, TypedDatesAreMadeValid) {
    IxFrameRecord r = Dated('M');
    const uint32_t thirteenth[3] = {13, 5, 2005};  // month first: month 13 is no month
    CommitDate(r, thirteenth);
    EXPECT_EQ(r.month, 1);
    EXPECT_EQ(r.day, 5);
    EXPECT_EQ(r.year, 5);
    char parts[3][8];
    FormatDateParts(r, parts);
    EXPECT_EQ(std::string(parts[2]), "05");

    // Day first: 30 February 2000 has no such day; 29 February 2000 does
    // (a leap year), 29 February 1999 does not.
    r = Dated('D');
    const uint32_t feb30[3] = {30, 2, 0};
    CommitDate(r, feb30);
    EXPECT_EQ(r.day, 1);
    const uint32_t feb29[3] = {29, 2, 0};
    CommitDate(r, feb29);
    EXPECT_EQ(r.day, 29);
    const uint32_t feb29of99[3] = {29, 2, 99};
    CommitDate(r, feb29of99);
    EXPECT_EQ(r.day, 1);
    FormatDateParts(r, parts);
    EXPECT_EQ(std::string(parts[0]) + "/" + parts[1] + "/" + parts[2], "1/2/99");

    // No order yet: taken as year first.
    r = Dated(0);
    const uint32_t yearFirst[3] = {1998, 12, 31};
    CommitDate(r, yearFirst);
    EXPECT_EQ(r.dateOrder, 'Y');
    EXPECT_EQ(r.year, 98);
    EXPECT_EQ(r.day, 31);
    EXPECT_EQ(ParseTypedNumber(" 12x"), 12u);
    EXPECT_EQ(ParseTypedNumber("- - -"), 0u);
    EXPECT_EQ(ParseTypedNumber("99999999999999"), 1000000u);
}

TEST(IxEdit, TypedTimesAreMadeValid) {
    IxFrameRecord r = {};
    r.timeFormat = '2';
    CommitTime(r, 25, 75);
    EXPECT_EQ(r.hour, 0);
    EXPECT_EQ(r.minute, 0);
    CommitTime(r, 23, 5);
    char hour[8], minute[8];
    FormatTimeParts(r, hour, minute);
    EXPECT_EQ(std::string(hour) + ":" + minute, "23:05");
    r.timeFormat = 'P';
    CommitTime(r, 27, 59);  // 27 - 12 - 12 = 3
    EXPECT_EQ(r.hour, 3);
    r.timeFormat = 0;
    FormatTimeParts(r, hour, minute);
    EXPECT_EQ(std::string(hour), "- - -");
}

// Date and time share one front/back mark on the film.
TEST(IxEdit, FrontAndBackMoveTogether) {
    IxFrameRecord r = {};
    r.datePrint = 'N', r.timePrint = 'B';
    ChooseDatePrint(r, 1);  // Front
    EXPECT_EQ(r.datePrint, 'F');
    EXPECT_EQ(r.timePrint, 'F');
    ChooseTimePrint(r, 2);  // Back
    EXPECT_EQ(r.datePrint, 'B');
    ChooseTimePrint(r, 0);  // not printed leaves the date alone
    EXPECT_EQ(r.timePrint, 'N');
    EXPECT_EQ(r.datePrint, 'B');

    IxFrameRecord empty = {};
    empty.printAspect = ASPECT_P;
    ApplyIxDefaults(empty);
    EXPECT_EQ(empty.dateOrder, 'Y');
    EXPECT_EQ(empty.month, 1);
    EXPECT_EQ(empty.day, 1);
    EXPECT_EQ(empty.timeFormat, '2');
    EXPECT_EQ(empty.datePrint, 'N');
    EXPECT_EQ(empty.printAspect, ASPECT_P);  // kept
}

TEST(IxEdit, TypedFramesStayOnTheFilm) {
    EXPECT_EQ(TypedFrame("45"), 40);
    EXPECT_EQ(TypedFrame("0"), 1);
    EXPECT_EQ(TypedFrame(""), 1);
    EXPECT_EQ(TypedFrame("7"), 7);
}

}  // namespace
