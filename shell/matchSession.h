#pragma once

#include <string>

#include "fighter/animationSet.h"
#include "match/damageTrail.h"
#include "match/hud.h"
#include "match/matchRules.h"
#include "moves/moveSet.h"
#include "sprite/CSpriteBase.h"

class Fighter;
class Game;
class colourSwap;

// The match played on top of the game's fight: rounds with an announcement, a timer and
// knockouts, a HUD, pause and rematch, the opponent in its other colours and fighters
// that cannot walk through each other. The classic game never makes one; with one, the
// Game's pass and scene are the match's. The game's objects stay the Game's; the match
// owns what only it needs.
class matchSession {
public:
    // The fighters' places at the start of every round, as at start-up.
    static constexpr int kStartX[2] = {50, 550};
    static constexpr int kStartY = 300;
    static constexpr int kFullHp = 1000;

    matchRules rules;                  // rounds, timer, knockouts, the winner
    hud display;                       // bars, timer, markers, banners
    damageTrail trails[2];             // the damage just taken, per side
    bool paused = false;               // the game clock is stopped
    bool hudShown = true;              // false leaves the HUD undrawn, to measure its cost
    bool backToSelect = false;         // the match ended on Backspace: pick characters again
    int startHp = kFullHp;             // hit points each round starts with (a test may lower it)
    animationSet recolouredAnimations; // the opponent's sheets in its other colours, when
    moveSet recolouredMoves;           // both sides play the same character
    CSpriteBase koSheet[2];            // falling and lying, per side (the opponent's recoloured)
    CSpriteBase winSheet[2];           // the victory pose, per side

    matchSession() = default;
    matchSession(const matchSession&) = delete;
    matchSession& operator=(const matchSession&) = delete;

    // After the game's start-up: the opponent's colours, ko and win, the HUD and its
    // sounds, then round 1.
    void startUp(Game& g, int rounds);
    // One pass of the match; false after the pass in which quit arrived.
    bool runPass(Game& g);
    // The state as the fight runner names it: a matchState's name, or "paused".
    std::string stateName() const;

private:
    // Whether the opponent wears the colours of `swap`, read from the character's palette2.
    bool loadOpponentColours(Game& g, const std::string& character, colourSwap& swap);
    // ko and win of a side's character, recoloured with `swap` when there is one.
    void loadEndSheets(int side, const std::string& character, const colourSwap* swap);
    void setUpSecondPlayer(Game& g);
    void readEvents(Game& g);
    void onMatchKey(SDLKey key);
    void stepFighters(Game& g);
    // The computer's pass for fighter2: acting while the round is on, else idle.
    void stepComputer(Game& g, bool on, bool facing);
    void act(Game& g, matchEvent e);
    void holdRoundEnd(Game& g);
    void resetRound(Game& g);
    void drawScene(Game& g);
    hudView view(Game& g);
    Fighter& fighterOf(Game& g, int side);

    bool resetPending_ = false;       // put the fighters back at the next scene
    bool down_[2] = {false, false};   // knocked out this round
    bool posing_[2] = {false, false}; // won this round and strikes the pose
};
