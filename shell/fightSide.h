#pragma once

#include "ai/computerInput.h"
#include "control/deviceInput.h"
#include "control/inputFrame.h"

class AI;
class fightBrain;
class Fighter;
class inputChecker;
class particleList;
class playerControl;

// One fighter's share of a fight: its fighter, the controller that drives it (a
// player's, or the computer's), the player's command checker and the keys or pad the
// player's frames come from. The objects are the Game's; a side only ties them together
// so that one step serves the player, a second player and the computer alike.
class fightSide {
public:
    Fighter* fighter = nullptr;       // the side's fighter, not owned
    playerControl* control = nullptr; // drives it, from a player's frames or the computer's
    AI* computer = nullptr;           // decides for the side when the first computer plays it
    fightBrain* brain = nullptr;      // decides for the side when today's computer plays it
    inputChecker* checker = nullptr;  // a player's command checker, else null
    deviceInput device;               // a player's keys or pad
    computerInput chooser;            // the computer's choices as frames, when it plays
    bool remote = false;              // a player on another machine: frames come by network

    bool human() const { return computer == nullptr && brain == nullptr; }
    // The computer plays the side: `mind` decides and `body` carries its choices out.
    void playedBy(AI* mind, playerControl* body);
    void playedBy(fightBrain* mind, playerControl* body);
    // A player's share at the start of a step: the frame bookkeeping, as the computer's
    // comes later, where it always has.
    void beginStep();
    // A player's presses of the step, while the round is on.
    void takePresses(const inputFrame& in);
    // The side's movement step: particle hits, input or the computer's choice, contact
    // and gravity while the round is on (`on`); else only falling and landing, facing
    // the opponent when `face`. `idle` holds the computer standing.
    void act(bool on, bool face, particleList& particles, const inputFrame& in, bool idle);
    // Everything of the side as at the start of a round: at (x, y) dropping in, with
    // `hp` of `fullHp`, no move, no buffered press, no countdown, nothing blocked.
    void resetForRound(int x, int y, int hp, int fullHp);
};
