#pragma once

#include "SDL.h"

#include "control/inputSource.h"

class gamePad;

// One player's keys or pad as an input source: the shell hands it every event it reads,
// it keeps the presses its mapping knows, and at each fight step it yields a frame of
// those presses and of what is held then (the keys in SDL's key state, or the stick).
// Escape, the overlay and the match's keys are the shell's, never a fighter's.
class deviceInput : public inputSource {
public:
    // Reads `pad` (kept, not owned) for keys or, with a joystick index, that joystick,
    // which it opens.
    void attach(const gamePad* pad);
    // Takes one event: a press on this player's keys or pad is kept for the next frame.
    void take(const SDL_Event& event);
    // The frame of one step: the presses kept since the last, and what is held now.
    inputFrame frame() override;
    // Forgets the presses kept, as a pause or the end of a round does.
    void clear();

private:
    void takeKey(int sym);
    void takeJoystick(const SDL_Event& event);
    uint8_t heldNow() const;

    const gamePad* pad_ = nullptr;
    SDL_Joystick* joystick_ = nullptr; // opened for joystick play, else null
    inputFrame pending_;               // presses since the last frame
};
