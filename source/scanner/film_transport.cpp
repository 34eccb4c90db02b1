#include "source/scanner/film_transport.h"

#include "source/scanner/command_set.h"
#include "source/scanner/link.h"
#include "source/scanner/scanner_check.h"

namespace {

constexpr uint16_t FRAME_CHECK_QUALIFIER = 344;
constexpr uint8_t FRAME_CHECK_LENGTH = 2;
constexpr uint32_t FRAME_CHECK_PAUSE_MS = 100;

// Where the film stands after a move; a status that cannot be read leaves
// the film nowhere the host can name.
void ReadFilmPosition() {
    ScannerStatus status = {};
    filmPosition = ReadStatus(status) ? static_cast<uint8_t>(status.positionByte & POSITION_FRAME_BITS) : 0;
}

}  // namespace

uint8_t repositionNeeded = 0;

void BringFilmToFront(const WaitCursor* cursor) {
    if ((lastStatus.statusFlags & STATUS_FRONT_SIDE) != 0) {
        return;
    }
    if (cursor != nullptr && cursor->show != nullptr) cursor->show(cursor->context);
    PositionFilm(POSITION_TO_FRONT, TO_FRONT_COUNT);
    if (cursor != nullptr && cursor->restore != nullptr) cursor->restore(cursor->context);
}

void GoToFrame(uint8_t frame) {
    PositionFilm(POSITION_FRAME, frame);
    ReadFilmPosition();
}

void RewindFilm() {
    PositionFilm(POSITION_REWIND, 0);
    ReadFilmPosition();
}

void CheckFramePosition() {
    repositionNeeded = 0;
    WaitMilliseconds(FRAME_CHECK_PAUSE_MS);
    // Three header bytes, then the two the adapter answers with.
    uint8_t answer[6] = {};
    if (ReadAdapterData(DATA_ADAPTER, answer, sizeof answer, FRAME_CHECK_QUALIFIER, FRAME_CHECK_LENGTH) &&
        answer[3] == 0 && answer[4] == 0) {
        repositionNeeded = 1;
    }
}
