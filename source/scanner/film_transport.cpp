#include "source/scanner/film_transport.h"

#include "source/scanner/command_set.h"

void BringFilmToFront(const WaitCursor* cursor) {
    if ((lastStatus.statusFlags & STATUS_FRONT_SIDE) != 0) {
        return;
    }
    if (cursor != nullptr && cursor->show != nullptr) cursor->show(cursor->context);
    PositionFilm(POSITION_TO_FRONT, TO_FRONT_COUNT);
    if (cursor != nullptr && cursor->restore != nullptr) cursor->restore(cursor->context);
}
