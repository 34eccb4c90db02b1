// Film transport: a film left at its back end (a forward scan ends there)
// is brought back to the front before the next preview, final scan or
// focus; an APS film is taken to a frame, rewound into its cartridge, and
// checked for having slipped off the frame the host believes it at.
// Portable; the cursor is the caller's, and the caller holds the port.
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

// The frame the position byte's low six bits can name; the records hold
// frames 1..40 only, so callers bound it before using it as an index.
constexpr uint8_t POSITION_FRAME_BITS = 63;

// Set by CheckFramePosition when the adapter has lost the frame.
extern uint8_t repositionNeeded;

// PositionFilm(2, frame), then a status read: filmPosition is where the
// film stopped (0 when the status could not be read). The caller compares
// it with the frame it asked for.
void GoToFrame(uint8_t frame);

// Rewinds the film into its cartridge and reads where it stands.
void RewindFilm();

// After a 100 ms pause asks the adapter about the frame under the head:
// two zero bytes mean it must be positioned again (repositionNeeded = 1).
// A read that fails leaves repositionNeeded 0.
void CheckFramePosition();
