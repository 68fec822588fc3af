#pragma once

#include <string>
#include <vector>

#include "control/inputFrame.h"

class Fighter;
class playerControl;
struct moveInfo;

// What the training dummy does when nobody records or plays back for it.
enum class dummyMode {
    stand,         // stands still
    crouch,        // holds down
    jump,          // jumps again each time it lands
    block,         // guards everything, crouching against lows, standing otherwise
    blockAfterHit, // lets the first hit of a combo through, then guards until it ends
    cpu            // the computer plays it at its level
};

// Training's rules on top of the fight, for the game and the fight runner alike: the
// dummy's frames, the combo counter, the hit points that come back a second after a
// combo, and the frame data of the last move that hit or was blocked. Everything it
// keeps is plain values, saved and restored with the fight; nothing here draws or reads
// a clock, and its trace lines go out with the step's.
class trainingRules {
public:
    // A second of steps after a combo ends, the defender's hit points are full again.
    static constexpr int kRefillSteps = 91;

    // A combo against one side: it starts with a hit and ends when that side is free to
    // act again.
    struct combo {
        bool on = false;       // the side has been hit or has blocked and is not free yet
        int hits = 0;          // hits counted, one per attacking move (or projectile) landed
        int damage = 0;        // hit points taken since it began
        int hpBefore = 0;      // hit points when it began
        bool guarding = false; // block-after-hit: the first hit came, the guard is up
        long refillAt = -1;    // step the hit points come back, -1 for none due
    };
    // The frame data of one move measured in the fight.
    struct advantage {
        const moveInfo* move = nullptr; // shared, never owned
        bool onHitKnown = false;
        int onHit = 0; // steps the attacker is free before the defender (negative: after)
        bool onBlockKnown = false;
        int onBlock = 0;
    };
    // A contact being measured: from it to both sides being free.
    struct measure {
        const moveInfo* move = nullptr; // the attacker's move; null for none measured
        bool blocked = false;           // the contact was blocked
        long attackerFree = -1;         // step the attacker's move ended, -1 not yet
        long defenderFree = -1;         // step the defender left its reaction, -1 not yet
    };
    // Per side (0 the player, 1 the dummy): what the side took, and what its attacks did.
    struct sideValues {
        int hitsTaken = 0; // its controller's counters at the last step
        int hitsBlocked = 0;
        int hp = 0;                            // its hit points at the last step
        bool touched = false;                  // it took or blocked a contact last step
        const moveInfo* move = nullptr;        // its fighter's move at the last step
        long moveStart = 0;                    // step that move began
        const moveInfo* countedMove = nullptr; // the attacker's move last counted as a hit
        long countedStart = -1;                // and the step it began
        combo against;                         // the combo it is taking
        measure measuring;                     // its attack being measured on the other
    };
    struct values {
        sideValues sides[2];
        combo shown;                        // the dummy's last combo, as shown
        const moveInfo* lastMove = nullptr; // the last move that hit or was blocked
        std::vector<advantage> measured;    // moves measured so far, in order of first use
        long steps = 0;                     // steps followed
    };

    values v;
    dummyMode mode = dummyMode::stand; // not fight state: the player's choice

    // The name used in traces, scripts and on screen ("block-after-hit").
    static const char* modeName(dummyMode m);
    // The mode called `name`; false for none.
    static bool modeNamed(const std::string& name, dummyMode& out);
    // The dummy's frame for the next step in the modes that are not the computer's:
    // `dummy` is the dummy's fighter, `player` the one attacking it.
    inputFrame dummyFrame(const Fighter& dummy, const Fighter& player) const;
    // Before the first step, and after a reset: both sides' counters and hit points as
    // they stand, no combo on. What was measured and the combo shown are kept.
    void begin(Fighter* const fighters[2], const playerControl* const controls[2]);
    // After each step: hits, blocks, combos, refills and measurements. Hit points come
    // back to `fullHp` here, inside the step, so a step run again does the same.
    void afterStep(Fighter* const fighters[2], const playerControl* const controls[2], int fullHp);
    // The measured frame data of `move`; null when it was never measured.
    const advantage* advantageOf(const moveInfo* move) const;
    // The values on one line, for the fight's checksum.
    std::string valuesText() const;

private:
    void followSide(int side, Fighter* const fighters[2], const playerControl* const controls[2],
                    int fullHp);
    void finishMeasure(int attacker);
    advantage& advantageFor(const moveInfo* move);
};
