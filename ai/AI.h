#pragma once

#include <string>

#include "ai/aiAttackList.h"
#include "control/inputFrame.h"
#include "control/playerControl.h"

struct moveInfo;

// What the opponent is doing; one step of it runs per movement step.
enum aiState {
    stateThink = 0,     // look at the player and draw the next state
    stateGetCloser = 1, // walk towards the player
    stateAttack = 2,    // draw an attack from the table and start it
    stateRetreat = 3,   // walk away, blocking
    stateJumpUpAt = 4,  // jump, drifting towards the player
    stateJumpInDir = 5, // jump away, straight up or towards the player
    stateDuck = 6,      // duck for a while
    stateSpecial = 7,   // reserved; nothing enters it
    stateBusy = 8,      // a move is playing; think again once it ends
    stateNothing = 9    // stand for a while
};

// The computer opponent: a player controller that never reads input and instead runs
// a small random state machine each movement step, drawing its attacks from the
// character's attack table.
class AI : public playerControl {
public:
    int blockChance = 0;        // percent chance that takeDamage(int, int) blocks; 0 in play
    aiState state = stateThink; // current state
    float timer = 0.0f;         // countdown of the timed states: units of 10 ms, or steps
    int phase = 0;              // step counter inside the attack and jump states
    int jumpDir = 1;            // 0 away from the player, 1 straight up, 2 towards it
    aiAttackList attackList;    // the attack table, owned

    void init(SDL_Surface* screen);
    // Binds the opponent and reads its attack table from folder/attack.
    void setup(Fighter* fighter, partInfoList* infoList, particleList* particles,
               soundSet* soundBank, animationSet* animSet, moveSet* moveBank, Target* target,
               const std::string& folder);
    // Once per pass after update and the particle check: the movement step when due,
    // then one step of the state machine.
    void updateAI();
    void stateCheck();
    void think();
    void getCloser();
    void attack();
    void retreat();
    void jumpUpAt();
    void jumpInDir();
    void duck();
    void nothing();
    void busy();
    void special();
    // Enters a state with its entry action; think, special, busy and unknown values
    // change nothing.
    void setState(aiState s);
    // Stands still: no state is drawn until something else sets one. A move already
    // playing finishes, and the opponent thinks again after one, so a test or a replay
    // that wants it standing calls this before every pass.
    void standIdle();
    // Forgets what it was doing, as at start-up: it thinks again at its next step.
    void resetCountdowns();
    int getDistance() const;
    int getVerticalDistance() const;
    void takeDamage(int damage, int hitType);

    // In a match the computer is an input source: it decides as the classic game's
    // opponent does, on the fight as its movement step left it, but only yields its
    // choices as a frame; the side's controller carries them out. `stepDelta` is that
    // controller's time since its last update, in 10 ms.
    inputFrame choose(float stepDelta);

private:
    // What each state does to the fighter: done at once in the classic game, or written
    // into the frame being chosen.
    void block(bool on);
    void walkOn(bool forward);
    void show(inputFrame::pose pose, const char* name);
    void jump();
    void startMove(moveInfo* move);
    inputFrame* choosing_ = nullptr; // the frame `choose` fills, else null
    bool moveChosen_ = false;        // `choose` started a move that the fighter will take
    // The entry action of a state just drawn or set.
    void enter(aiState s);
    // The jump states' shared countdown: a new jump is due when it runs out.
    void countDownJump();
};
