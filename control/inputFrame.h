#pragma once

#include <array>
#include <cstdint>

// What one side's hands did during one fight step, as plain values: the directions and
// buttons held at the step, and the presses since the last step in the order they came.
// Directions are the screen's (left, right), not the fighter's (back, forward): the
// fighter's facing turns them into commands inside the step, so a frame means the same
// however the fight has gone. Keyboard, pad, replay and network all yield these.
struct inputFrame {
    // Bits of `held`, and the values of `presses`.
    enum : uint8_t {
        left = 1,
        right = 2,
        up = 4,
        down = 8,
        buttonA = 16,
        buttonB = 32,
        buttonC = 64,
    };
    // Most presses one step keeps; more in 11 ms are more than hands make, and dropped.
    static constexpr int kMaxPresses = 8;

    // Not a fighter's: on the first side's frame, the match's rematch asked for just
    // before the step, so a replay holds its rematches too.
    static constexpr uint8_t rematch = 128;
    // Not a fighter's either: as a press on the first side's frame, the match started
    // again from round 1 (the pause menu's RESTART), so a replay holds it where it came.
    static constexpr uint8_t restart = 128;

    // The computer's choices, which no hands make: it decides after its movement step,
    // as it always has, and the side's controller carries them out in this order. A
    // replay does not store them; it runs the computer again from the fight's seed.
    // A training dummy's frame, a player's frame otherwise, may carry blockOn: it guards
    // standing or crouching as it is, without holding back.
    enum : uint8_t {
        blockOn = 1,     // block from now on
        blockOff = 2,    // stop blocking
        walkForward = 4, // one walking step the way the fighter faces
        walkBack = 8,    // one away from it
        jump = 16,       // jump, when a jump is left
    };
    // The animation the computer shows, unless the fighter already shows it.
    enum pose : uint8_t { keepPose = 0, showStanding, showWalk, showDuck };

    uint8_t held = 0;                  // bits of what is held at the step
    uint8_t pressCount = 0;            // presses used in `presses`
    uint8_t presses[kMaxPresses] = {}; // one bit each, oldest first
    uint8_t choices = 0;               // the computer's: bits as above
    uint8_t shows = keepPose;          // the computer's: a pose
    int16_t move = -1;                 // the computer's: index of the move it starts, or -1

    // Adds a press; false (and nothing added) once the frame is full or for no bit (a
    // direction, a button or the restart).
    bool press(uint8_t bit);
    bool holds(uint8_t bit) const { return (held & bit) != 0; }
    bool operator==(const inputFrame& o) const;
    bool operator!=(const inputFrame& o) const { return !(*this == o); }
};

// Both sides' input of one step: the player's side, then the opponent's.
using stepInput = std::array<inputFrame, 2>;
