#include "source/imaging/film_parameters.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "common/little_endian.h"

char filmParameterPath[FILM_PATH_BYTES] = {};
FilmParameterRecord currentFilm = {};

namespace {

// Closes the file on every way out of a reader.
struct ScopedFile {
    std::FILE* file;
    explicit ScopedFile(const char* path) : file(path != nullptr ? std::fopen(path, "rb") : nullptr) {}
    ~ScopedFile() {
        if (file != nullptr) {
            std::fclose(file);
        }
    }
    ScopedFile(const ScopedFile&) = delete;
    ScopedFile& operator=(const ScopedFile&) = delete;
};

// Reads exactly `size` bytes at `offset` into `bytes`; false on a seek that
// long cannot express, a failed seek or a short read.
bool ReadAt(std::FILE* file, int64_t offset, uint8_t* bytes, size_t size) {
    // long is 32 bits on Windows: a large record number must not wrap into
    // the offset of another record.
    if (offset < 0 || offset > LONG_MAX) {
        return false;
    }
    if (std::fseek(file, static_cast<long>(offset), SEEK_SET) != 0) {
        return false;
    }
    return std::fread(bytes, 1, size, file) == size;
}

bool ReadHeaderFrom(std::FILE* file, FilmParameterHeader& header) {
    uint8_t bytes[FILM_HEADER_BYTES];
    if (!ReadAt(file, 0, bytes, sizeof bytes)) {
        return false;
    }
    if (std::memcmp(bytes, FILM_PARAMETER_MAGIC, FILM_MAGIC_BYTES) != 0) {
        return false;
    }
    std::memcpy(&header, bytes, sizeof header);
    return true;
}

bool ReadRecordFrom(std::FILE* file, FilmParameterRecord& record, int32_t recordNumber) {
    if (recordNumber < 1) {
        return false;
    }
    int64_t offset = static_cast<int64_t>(FILM_HEADER_BYTES) +
                     static_cast<int64_t>(FILM_RECORD_BYTES) * (static_cast<int64_t>(recordNumber) - 1);
    uint8_t bytes[FILM_RECORD_BYTES];
    if (!ReadAt(file, offset, bytes, sizeof bytes)) {
        return false;
    }
    std::memcpy(&record, bytes, sizeof record);
    // The file is little-endian whatever the machine reading it.
    record.filmSpeed = ReadLe16(bytes + 36);
    return true;
}

}  // namespace

uint8_t ReadFilmHeader(const char* path, FilmParameterHeader& header) {
    ScopedFile in(path);
    if (in.file == nullptr) {
        return 0;
    }
    return ReadHeaderFrom(in.file, header) ? 1 : 0;
}

uint8_t ReadFilmRecord(const char* path, FilmParameterRecord& record, int32_t recordNumber) {
    ScopedFile in(path);
    if (in.file == nullptr) {
        return 0;
    }
    return ReadRecordFrom(in.file, record, recordNumber) ? 1 : 0;
}

int32_t FindFilmRecord(int32_t filmCode) {
    ScopedFile in(filmParameterPath);
    if (in.file == nullptr) {
        return filmCode;
    }
    FilmParameterHeader header;
    if (!ReadHeaderFrom(in.file, header)) {
        return filmCode;
    }
    for (int32_t n = 1; n <= header.count; ++n) {
        FilmParameterRecord record;
        // A count that promises more records than the file holds: nothing
        // after the first missing record can be read either.
        if (!ReadRecordFrom(in.file, record, n)) {
            break;
        }
        if (record.filmCode == filmCode) {
            return n;
        }
    }
    return filmCode;
}

uint8_t LoadCurrentFilm(int32_t filmNumber) {
    return ReadFilmRecord(filmParameterPath, currentFilm, filmNumber);
}

uint8_t LoadCurrentFilmOrBuiltIn(int32_t filmNumber) {
    if (LoadCurrentFilm(filmNumber) != 0) {
        return 1;
    }
    currentFilm = BuiltInFilmRecord(filmNumber);
    return 0;
}

uint8_t ApplyScanOffset(uint8_t calibration, int8_t offset) {
    int32_t value = static_cast<int32_t>(calibration) + offset;
    if (value > 255) {
        return 255;
    }
    if (value < 0) {
        return 0;
    }
    return static_cast<uint8_t>(value);
}

void ApplyScanOffsets(const uint8_t calibration[FILM_SCAN_OFFSETS], const FilmParameterRecord& film,
                      uint8_t out[FILM_SCAN_OFFSETS]) {
    for (size_t i = 0; i < FILM_SCAN_OFFSETS; ++i) {
        out[i] = ApplyScanOffset(calibration[i], film.scanOffsets[i]);
    }
}

FilmParameterRecord BuiltInFilmRecord(int32_t filmNumber) {
    if (filmNumber < 1 || filmNumber > BUILT_IN_FILM_TYPE_COUNT) {
        filmNumber = 1;
    }
    const BuiltInFilmType& type = BUILT_IN_FILM_TYPES[filmNumber - 1];
    FilmParameterRecord record = {};
    // The first two lines are blank-padded so that the name runs on to the
    // third in the film type list, as in the installed files.
    std::memset(record.name, ' ', FILM_NAME_LINE1_BYTES + FILM_NAME_LINE2_BYTES);
    const size_t starts[3] = {0, FILM_NAME_LINE1_BYTES, FILM_NAME_LINE1_BYTES + FILM_NAME_LINE2_BYTES};
    const size_t limits[3] = {FILM_NAME_LINE1_BYTES, FILM_NAME_LINE2_BYTES, FILM_NAME_LINE3_BYTES};
    for (size_t line = 0; line < 3; ++line) {
        size_t length = std::strlen(type.nameLines[line]);
        std::memcpy(record.name + starts[line], type.nameLines[line], length < limits[line] ? length : limits[line]);
    }
    record.filmCode = type.filmCode;
    record.negative = type.kind != 'R' ? 1 : 0;
    record.blackAndWhite = type.kind == 'B' ? 1 : 0;
    record.filmSpeed = type.filmSpeed;
    record.exposureCount = type.exposureCount;
    record.scanLetter = type.scanLetter;
    return record;
}

void BuildFilmParameterPath(const FilmPathKeys& keys, uint8_t useJapanese, char* out, size_t capacity) {
    if (out == nullptr || capacity == 0) {
        return;
    }
    bool englishFont = keys.font != nullptr && (keys.font[0] == 'E' || keys.font[0] == 'e');
    const char* fileName = (useJapanese == 0 || englishFont) ? keys.fileNameEn : keys.fileNameJp;
    size_t length = 0;
    for (const char* part : {keys.path, fileName}) {
        for (const char* c = part; c != nullptr && *c != '\0' && length + 1 < capacity; ++c) {
            out[length++] = *c;
        }
    }
    out[length] = '\0';
}
