// Film transport before a scan: a film left at its back end (a forward scan
// ends there) is brought back to the front before the next preview, final
// scan or focus. Portable; the cursor is the caller's.
#pragma once

#include <cstdint>

// The wait cursor shown while the film moves; either member may be null.
struct WaitCursor {
    void (*show)(void* context);
    void (*restore)(void* context);
    void* context;
};

constexpr uint16_t TO_FRONT_COUNT = 3000;

// When the last status read had bit 0 clear (film not at its front end):
// PositionFilm(7, 3000) between the cursor's show and restore. Sends nothing
// otherwise. `cursor` may be null (the focus moves the film without one).
void BringFilmToFront(const WaitCursor* cursor);
