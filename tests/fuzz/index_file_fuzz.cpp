// libFuzzer target for the index file reader: whatever a file holds, the
// reader stays within it and refuses or accepts it whole; a file it accepts
// is applied and saved again, and what was saved must read back.
//
// The first input byte chooses the form. Even: the rest is the file. Odd: a
// sound file of 1 to 3 frames is made here and the rest edits it, four bytes
// an edit (a 24-bit offset and the byte to put there), and two bytes left
// over cut the file at that length; random bytes alone would rarely get
// past the count record and the thumbnail headers.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "source/aps/index_file.h"

namespace {

// Sheet pixel (x, y): red x, green y, blue x + y (each kept to 8 bits).
const std::vector<uint8_t>& PatternedSheet() {
    static const std::vector<uint8_t> sheet = [] {
        std::vector<uint8_t> s(INDEX_SHEET_BYTES);
        for (size_t i = 0; i < s.size() / 3; ++i) {
            const size_t x = i % 640, y = i / 640;
            s[i * 3] = static_cast<uint8_t>(x);
            s[i * 3 + 1] = static_cast<uint8_t>(y);
            s[i * 3 + 2] = static_cast<uint8_t>(x + y);
        }
        return s;
    }();
    return sheet;
}

// Frame 1 APS with a date and an aspect, frame 2 strip film, frame 3 data
// without a thumbnail.
std::vector<uint8_t> SoundFile(uint8_t frames) {
    ClearAllFrameIx();
    IxFrameRecord& aps = *FrameIxRecord(1);
    aps.year = 1, aps.month = 7, aps.day = 14, aps.hour = 14, aps.minute = 5;
    aps.timeFormat = '2', aps.dateOrder = 'Y', aps.datePrint = 'F', aps.timePrint = 'F';
    aps.printAspect = ASPECT_H, aps.titleLanguage = 2, aps.titleCode = 16;
    SetFrameState(1, FRAME_READ_AND_SCANNED);
    std::strcpy(FrameInfoLineOf(1), "Color negative              200   40  ");
    SetFrameState(2, FRAME_STRIP_SCANNED);
    std::strcpy(FrameInfoLineOf(2), "Color negative              100   24 ");
    FrameIxRecord(3)->apertureCode = 90;
    scannedFrameCount = frames;
    std::vector<uint8_t> file;
    BuildIndexFile(PatternedSheet().data(), PatternedSheet().size(), 0, file);
    return file;
}

std::vector<uint8_t> EditedSoundFile(const uint8_t* edits, size_t size, uint8_t frames) {
    static const std::vector<uint8_t> sound[3] = {SoundFile(1), SoundFile(2), SoundFile(3)};
    std::vector<uint8_t> file = sound[frames - 1];
    size_t i = 0;
    for (; i + 4 <= size; i += 4) {
        const size_t offset = (edits[i] | size_t{edits[i + 1]} << 8 | size_t{edits[i + 2]} << 16) % file.size();
        file[offset] = edits[i + 3];
    }
    if (size - i >= 2) file.resize((edits[i] | size_t{edits[i + 1]} << 8) % (file.size() + 1));
    return file;
}

void ReadApplyAndSaveAgain(const uint8_t* bytes, size_t size) {
    // Exactly `size` bytes on the heap, so that a read past them is caught.
    std::unique_ptr<uint8_t[]> exact(new uint8_t[size > 0 ? size : 1]);
    if (size > 0) std::memcpy(exact.get(), bytes, size);
    IndexFileContents contents;
    IndexFileError why = IndexFileError::NONE;
    if (!ParseIndexFile(exact.get(), size, contents, why)) {
        if (why == IndexFileError::NONE || contents.count != 0) __builtin_trap();
        return;
    }
    if (contents.count == 0 || contents.count > MAX_FRAMES) __builtin_trap();
    ApplyIndexFile(contents);

    std::vector<uint8_t> saved;
    if (!BuildIndexFile(PatternedSheet().data(), PatternedSheet().size(), 0, saved)) __builtin_trap();
    if (saved.size() != IndexFileBytes(contents.count)) __builtin_trap();
    IndexFileContents again;
    if (!ParseIndexFile(saved.data(), saved.size(), again, why) || again.count != contents.count) __builtin_trap();
    for (size_t i = 0; i < contents.count; ++i) {
        if (again.frames[i].hasThumbnail != contents.frames[i].hasThumbnail) __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    // The file name rule on the same bytes, as a name.
    const std::string name(reinterpret_cast<const char*>(data), size < 300 ? size : 300);
    ClassifyIndexFileName(name.c_str());

    if ((data[0] & 1) == 0) {
        ReadApplyAndSaveAgain(data + 1, size - 1);
    } else {
        const std::vector<uint8_t> file = EditedSoundFile(data + 1, size - 1, static_cast<uint8_t>(1 + (data[0] >> 1) % 3));
        ReadApplyAndSaveAgain(file.data(), file.size());
    }
    return 0;
}
