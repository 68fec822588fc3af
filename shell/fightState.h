#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "SDL.h"

#include "ai/AI.h"
#include "ai/fightBrain.h"
#include "match/damageTrail.h"
#include "match/matchRules.h"
#include "match/trainingRules.h"

class CSpriteBase;
class Game;
class particleInfo;
struct moveInfo;

// The whole state of a match's fight as plain values, taken between two steps: both
// sides (fighter, animation frame and its timer, move, buffered presses, controller
// counters, the computer's state and countdowns), the particles, the match's rules, the
// HUD's damage trails, the random generator and the step number. Restoring it puts the
// fight back exactly; the steps after it then run as they ran before. Sheets, moves and
// particle kinds are shared, never changed, and only pointed at. What is only drawn
// (saved backgrounds, the HUD's pictures) is not part of it: the next scene follows.
class fightState {
public:
    struct fighterValues {
        int x = 0, y = 0;     // anchor, screen pixels
        int frame = 0;        // frame on show
        int lastTick = 0;     // game clock (ms) of the last frame change
        int animating = 1;    // 1 while frames advance
        float speed = 0.0f;   // delay multiplier
        int hitPoints = 0;    // hit points now
        int maxHitPoints = 0; // of a full bar
        bool facingRight = false;
        bool onGround = false;
        int verticalSpeed = 0;           // upward pixels per step
        int jumpsLeft = 0;               // jumps and air moves left
        std::string actionName;          // animation or move on show
        CSpriteBase* base = nullptr;     // its sheet, shared
        moveInfo* currentMove = nullptr; // the move playing, shared; null for none
    };
    struct controlValues {
        int lastTick = 0, thisTick = 0; // game clock (ms) of the last two updates
        float delta = 0.0f;             // between them, in 10 ms
        float stepAccum = 0.0f;         // since the last movement step, in 10 ms
        int curFrame = 0, prevFrame = 0;
        std::string curAction, prevAction, curSound, prevSound, curParticle, prevParticle;
        bool blocking = false;
        int hitsTaken = 0, hitsBlocked = 0;
    };
    struct computerValues {
        int blockChance = 0;
        aiState state = stateThink;
        float timer = 0.0f;
        int phase = 0;
        int jumpDir = 1;
        fightBrain::memory brain; // today's computer's, when it plays the side
    };
    struct pressValues {
        int time = 0;       // game clock (ms) of the press
        char key = 0;       // the command letter
        std::string action; // the fighter's action at the press
    };
    struct sideValues {
        fighterValues fighter;
        controlValues control;
        computerValues computer;          // the computer's side only
        std::vector<pressValues> presses; // a player's buffered presses, oldest first
    };
    struct particleValues {
        int spawnX = 0, spawnY = 0;
        bool facingRight = true;
        bool dead = false;
        int spawnTime = 0;                  // game clock (ms)
        const particleInfo* info = nullptr; // its kind, shared
        int owner = -1;                     // side that spawned it, -1 for none
        std::string event;                  // pending event
        bool bornOfParticle = false;
        int frame = 0, x = 0, y = 0, animating = 1, lastTick = 0; // its sprite
        float speed = 0.0f;
    };

    sideValues sides[2];
    std::vector<particleValues> particles; // newest first
    int particlesSpawned = 0;
    matchRules rules;
    damageTrail trails[2];
    bool down[2] = {false, false};
    bool posing[2] = {false, false};
    bool resetPending = false;
    bool computerIdle = false;
    long stepNumber = 0;
    Uint32 stepTime = 0;
    uint64_t random = 0;              // the generator's state
    bool training = false;            // the fight is training's
    trainingRules::values trainingAt; // training's combos, refills and measurements then

    // A part restore() leaves as it is, to show that the sync test catches a state that
    // misses something: "presses" (the command checkers' buffers) or "random". Empty in
    // play.
    static std::string leaveOut;

    // Takes the fight of a game that plays a match.
    void save(Game& g);
    // Puts the fight back as saved; the frames recorded after its step are forgotten.
    void restore(Game& g) const;

private:
    void restoreValues(Game& g) const;

public:
    // Every value as "name value" lines, pointers by the names of what they point at.
    std::vector<std::string> describe(const Game& g) const;
    // A hash of describe(): the same for the same fight on any machine and run.
    uint32_t checksum(const Game& g) const;
};
