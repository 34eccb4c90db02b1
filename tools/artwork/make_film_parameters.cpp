// Writes the two film parameter files, English and Japanese names, from the
// readable table tools/artwork/film_types.txt (its header tells the fields).
// Built and run on the build machine; the Japanese names are converted from
// UTF-8 to Shift-JIS (code page 932) with the C library's iconv.
//
// A table with any fault writes neither file: every fault is reported as
// TABLE:LINE: message and the program ends with status 1. Each file is
// written under a temporary name and renamed when complete, so a failed run
// never leaves a half-written file behind.
//
// Usage: make_film_parameters TABLE OUT_EN.spm OUT_JP.spm
#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/little_endian.h"
#include "source/imaging/film_parameters.h"
#include "whole_file.h"

namespace {

// The file layout is the source's own; the count is one byte.
constexpr size_t HEADER_BYTES = FILM_HEADER_BYTES;
constexpr size_t RECORD_BYTES = FILM_RECORD_BYTES;
constexpr size_t NAME_BYTES = FILM_NAME_BYTES;
constexpr size_t OFFSETS = FILM_SCAN_OFFSETS;
constexpr size_t MAX_RECORDS = 255;

// The film type panel's three lines: the first two are padded with blanks
// (a zero inside the name would end it in the film type list), the last is
// followed by zeros.
constexpr size_t LINE1_BYTES = FILM_NAME_LINE1_BYTES;
constexpr size_t LINE2_BYTES = FILM_NAME_LINE2_BYTES;
constexpr size_t LINE2_JAPANESE_SHOWN = FILM_NAME_LINE2_JAPANESE_BYTES;
constexpr size_t LINE3_BYTES = FILM_NAME_LINE3_BYTES;

// Codes the scanner reports; each has to be present.
constexpr int DETECTED_CODES[] = {FILM_CODE_REVERSAL_STRIP, FILM_CODE_REVERSAL, FILM_CODE_NEGATIVE_ENGLISH,
                                  FILM_CODE_NEGATIVE_JAPANESE, FILM_CODE_BLACK_AND_WHITE};

constexpr size_t FIELDS = 12;

struct Row {
    int code;
    char kind;
    int speed;
    int frames;
    char letter;
    std::string english[3];
    std::string japanese[3];  // Shift-JIS
    int offsets[OFFSETS];
};

struct Table {
    const char* path;
    int line;
    int faults;
};

void Fault(Table& table, const char* message, const std::string& detail = "") {
    std::fprintf(stderr, "%s:%d: %s%s%s\n", table.path, table.line, message, detail.empty() ? "" : ": ",
                 detail.c_str());
    ++table.faults;
}

std::string Trim(const std::string& text) {
    size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return "";
    }
    size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

std::vector<std::string> Split(const std::string& line, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t end = line.find(separator, start);
        parts.push_back(Trim(line.substr(start, end == std::string::npos ? std::string::npos : end - start)));
        if (end == std::string::npos) {
            return parts;
        }
        start = end + 1;
    }
}

// A whole decimal number within [low, high].
bool ParseNumber(const std::string& text, long low, long high, int& out) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < low || value > high) {
        return false;
    }
    out = static_cast<int>(value);
    return true;
}

bool ToShiftJis(const std::string& utf8, std::string& out) {
    iconv_t converter = iconv_open("CP932", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return false;
    }
    std::vector<char> input(utf8.begin(), utf8.end());
    std::vector<char> output(utf8.size() * 2 + 4);
    char* in = input.data();
    size_t inLeft = input.size();
    char* outPtr = output.data();
    size_t outLeft = output.size();
    size_t result = iconv(converter, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(converter);
    if (result == static_cast<size_t>(-1) || inLeft != 0) {
        return false;
    }
    out.assign(output.data(), output.size() - outLeft);
    return true;
}

bool IsAscii(const std::string& text) {
    for (char c : text) {
        if (c < 0x20 || c > 0x7E) {
            return false;
        }
    }
    return true;
}

// `lines` as stored, `shown` as written in the table (for the messages).
void CheckLines(Table& table, const std::string lines[3], const std::string shown[3], size_t line2Shown,
                const char* language) {
    const size_t limits[3] = {LINE1_BYTES, line2Shown, LINE3_BYTES};
    if (lines[0].empty()) {
        Fault(table, "empty first name line", language);
    }
    for (int i = 0; i < 3; ++i) {
        if (lines[i].size() > limits[i]) {
            Fault(table, "name line longer than the panel shows",
                  std::string(language) + " line " + std::to_string(i + 1) + " \"" + shown[i] + "\"");
        }
    }
}

bool ParseRow(Table& table, const std::string& text, int recordNumber, Row& row) {
    int faultsBefore = table.faults;
    std::vector<std::string> fields = Split(text, '|');
    if (fields.size() != FIELDS) {
        Fault(table, "expected 12 fields separated by '|'");
        return false;
    }
    if (!ParseNumber(fields[0], 0, 255, row.code)) {
        Fault(table, "type code is not a number from 0 to 255", fields[0]);
    } else if (row.code != 0 && row.code != recordNumber) {
        Fault(table, "a record with a type code must be the record of that number",
              "code " + fields[0] + " on record " + std::to_string(recordNumber));
    }
    if (fields[1].size() != 1 || std::strchr("NRB", fields[1][0]) == nullptr) {
        Fault(table, "kind is not N, R or B", fields[1]);
    } else {
        row.kind = fields[1][0];
    }
    if (!ParseNumber(fields[2], 1, 65535, row.speed)) {
        Fault(table, "film speed is not a number from 1 to 65535", fields[2]);
    }
    if (!ParseNumber(fields[3], 1, 255, row.frames)) {
        Fault(table, "exposures is not a number from 1 to 255", fields[3]);
    }
    if (fields[4].size() != 1 || !IsAscii(fields[4])) {
        Fault(table, "scan letter is not one printable character", fields[4]);
    } else {
        row.letter = fields[4][0];
    }
    std::string japaneseText[3];
    for (int i = 0; i < 3; ++i) {
        row.english[i] = fields[5 + static_cast<size_t>(i)];
        japaneseText[i] = fields[8 + static_cast<size_t>(i)];
        if (!IsAscii(row.english[i])) {
            Fault(table, "English name is not plain ASCII", row.english[i]);
        }
        if (!ToShiftJis(fields[8 + static_cast<size_t>(i)], row.japanese[i])) {
            Fault(table, "Japanese name has no Shift-JIS form", fields[8 + static_cast<size_t>(i)]);
        }
    }
    CheckLines(table, row.english, row.english, LINE2_BYTES, "English");
    CheckLines(table, row.japanese, japaneseText, LINE2_JAPANESE_SHOWN, "Japanese");
    std::string offsetText = fields[11];
    for (char& c : offsetText) {
        c = c == '\t' ? ' ' : c;
    }
    std::vector<std::string> offsets = Split(offsetText, ' ');
    std::vector<std::string> numbers;
    for (const std::string& o : offsets) {
        if (!o.empty()) {
            numbers.push_back(o);
        }
    }
    if (numbers.size() != OFFSETS) {
        Fault(table, "expected 20 scan offsets", std::to_string(numbers.size()) + " given");
    } else {
        for (size_t i = 0; i < OFFSETS; ++i) {
            if (!ParseNumber(numbers[i], -128, 127, row.offsets[i])) {
                Fault(table, "scan offset is not a number from -128 to 127", numbers[i]);
            }
        }
    }
    return table.faults == faultsBefore;
}

void PutName(uint8_t* name, const std::string lines[3]) {
    std::memset(name, 0, NAME_BYTES);
    std::memset(name, ' ', LINE1_BYTES + LINE2_BYTES);
    std::memcpy(name, lines[0].data(), lines[0].size());
    std::memcpy(name + LINE1_BYTES, lines[1].data(), lines[1].size());
    std::memcpy(name + LINE1_BYTES + LINE2_BYTES, lines[2].data(), lines[2].size());
}

std::vector<uint8_t> FileBytes(const std::vector<Row>& rows, bool japanese) {
    std::vector<uint8_t> bytes(HEADER_BYTES + RECORD_BYTES * rows.size(), 0);
    std::memcpy(bytes.data(), FILM_PARAMETER_MAGIC, sizeof FILM_PARAMETER_MAGIC);
    bytes[31] = static_cast<uint8_t>(rows.size());
    for (size_t n = 0; n < rows.size(); ++n) {
        const Row& row = rows[n];
        uint8_t* r = bytes.data() + HEADER_BYTES + RECORD_BYTES * n;
        PutName(r, japanese ? row.japanese : row.english);
        r[32] = static_cast<uint8_t>(row.code);
        r[34] = row.kind != 'R' ? 1 : 0;  // negative
        r[35] = row.kind == 'B' ? 1 : 0;  // black and white
        WriteLe16(r + 36, static_cast<uint16_t>(row.speed));
        r[38] = static_cast<uint8_t>(row.frames);
        for (size_t i = 0; i < OFFSETS; ++i) {
            r[39 + i] = static_cast<uint8_t>(row.offsets[i] & 0xFF);
        }
        r[59] = static_cast<uint8_t>(row.letter);
    }
    return bytes;
}

// Writes `path` whole or not at all; says so when it cannot.
bool WriteWhole(const std::string& path, const std::vector<uint8_t>& bytes) {
    if (!artwork::WriteWholeFile(path, bytes)) {
        std::fprintf(stderr, "%s: cannot be written\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_film_parameters TABLE OUT_EN.spm OUT_JP.spm\n");
        return 2;
    }
    Table table = {argv[1], 0, 0};
    std::FILE* in = std::fopen(table.path, "rb");
    if (in == nullptr) {
        std::fprintf(stderr, "%s: cannot be read: %s\n", table.path, std::strerror(errno));
        return 1;
    }
    std::vector<Row> rows;
    std::string line;
    for (int c = std::fgetc(in);; c = std::fgetc(in)) {
        if (c != EOF && c != '\n') {
            line.push_back(static_cast<char>(c));
            continue;
        }
        if (c == EOF && line.empty()) {
            break;
        }
        ++table.line;
        std::string text = Trim(line);
        line.clear();
        if (!text.empty() && text[0] != '#') {
            if (rows.size() == MAX_RECORDS) {
                Fault(table, "more than 255 records");
            } else {
                Row row = {};
                if (ParseRow(table, text, static_cast<int>(rows.size()) + 1, row)) {
                    rows.push_back(row);
                } else {
                    rows.push_back({});  // keeps the following record numbers right
                }
            }
        }
        if (c == EOF) {
            break;
        }
    }
    bool readFault = std::ferror(in) != 0;
    std::fclose(in);
    if (readFault) {
        std::fprintf(stderr, "%s: read failed\n", table.path);
        return 1;
    }
    if (rows.empty()) {
        Fault(table, "no film types");
    }
    for (int code : DETECTED_CODES) {
        bool found = false;
        for (const Row& row : rows) {
            found = found || row.code == code;
        }
        if (!found && table.faults == 0) {
            Fault(table, "no record for the scanner's type code", std::to_string(code));
        }
    }
    // Without its file the source scans with built-in film types: a film
    // number must name the same film either way.
    if (table.faults == 0 && rows.size() != static_cast<size_t>(BUILT_IN_FILM_TYPE_COUNT)) {
        Fault(table, "the source's built-in film types are another number of records",
              std::to_string(BUILT_IN_FILM_TYPE_COUNT) + " built in, " + std::to_string(rows.size()) + " here");
    }
    for (size_t n = 0; table.faults == 0 && n < rows.size(); ++n) {
        const Row& row = rows[n];
        const BuiltInFilmType& type = BUILT_IN_FILM_TYPES[n];
        bool same = row.code == type.filmCode && row.kind == type.kind && row.speed == type.filmSpeed &&
                    row.frames == type.exposureCount && row.letter == type.scanLetter;
        for (int i = 0; i < 3; ++i) {
            same = same && row.english[i] == type.nameLines[i];
        }
        if (!same) {
            Fault(table, "record differs from the source's built-in film type", "record " + std::to_string(n + 1));
        }
    }
    if (table.faults != 0) {
        return 1;
    }
    if (!WriteWhole(argv[2], FileBytes(rows, false)) || !WriteWhole(argv[3], FileBytes(rows, true))) {
        std::remove(argv[2]);
        return 1;
    }
    return 0;
}
