#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ai/fightBrain.h"
#include "control/inputFrame.h"
#include "fighter/animationSet.h"
#include "match/damageTrail.h"
#include "match/hud.h"
#include "match/matchRules.h"
#include "match/trainingRules.h"
#include "moves/moveSet.h"
#include "shell/fightSide.h"
#include "sprite/CSpriteBase.h"

class Fighter;
class Game;
class colourSwap;
class fightState;
class pauseMenu;
class trainingSession;

// The match played on top of the game's fight: rounds with an announcement, a timer and
// knockouts, a HUD, pause and rematch, the opponent in its other colours and fighters
// that cannot walk through each other. The classic game never makes one; with one, the
// Game's pass and scene are the match's. The game's objects stay the Game's; the match
// owns what only it needs.
//
// The fight advances in fixed steps of 11 ms of game time, driven by the real clock:
// each step takes one input frame per side and is a pure function of the fight's state
// and those frames. Nothing in a step draws, presents, plays a sound or prints: its
// trace lines and sounds are held and go out after it, or are dropped when it is run
// again. The picture is drawn after the steps.
class matchSession {
public:
    static constexpr Uint32 kStepMs = 11; // game time of one step
    // Most steps one pass catches up after a stall; the rest of the stall is skipped
    // rather than played at speed.
    static constexpr int kMostStepsAPass = 10;
    // The game clock's reading the fight starts from, wherever the real clock stands:
    // a match played in the window and its replay played anywhere run on the same times.
    static constexpr Uint32 kFightStartMs = 1000;

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
    bool backToMenu = false;           // the match was left for the game's menus
    bool windowClosed = false;         // the match ended by the window's close, not a key
    int startHp = kFullHp;             // hit points each round starts with (a test may lower it)
    animationSet recolouredAnimations; // the opponent's sheets in its other colours, when
    moveSet recolouredMoves;           // both sides play the same character
    CSpriteBase koSheet[2];            // falling and lying, per side (the opponent's recoloured)
    CSpriteBase winSheet[2];           // the victory pose, per side
    fightSide sides[2];                // the player's side and the opponent's
    fightBrain brain;                  // the computer under today's rules, when it plays
    uint64_t seed = 1;                 // the fight's random generator starts here
    // The rules: 1, the match as first made, which old replays were played by (the
    // corner contact test, no attack heights, no chip damage, the first computer); 2,
    // today's. Chosen before startUp.
    int ruleSet = 2;
    int cpuLevel = 4;              // the computer opponent's level under rules 2, 1 to 8
    bool computerIdle = false;     // the computer stands still (a test holds it so)
    long stepNumber = 0;           // steps run since the match began
    Uint32 stepTime = 0;           // game clock (ms) of the last step
    std::vector<stepInput> inputs; // every step's frames since the match began
    // A replay's frames played instead of hands (not owned); null in play.
    const std::vector<stepInput>* playback = nullptr;
    bool playbackOver = false; // the replay's frames have all been played
    int playbackSpeed = 1;     // steps a replay plays per step of time: 1, 2 or 4
    bool playbackLive = false; // the replay is still coming (a watched match): wait at its end
    std::string notice;        // said where the prompt goes (online play's state), if any
    bool pausable = true;      // the pause key pauses (not online: the peer plays on)
    // The menu shown while paused, made at the first pause; null before.
    std::unique_ptr<pauseMenu> menu;
    // Training instead of rounds: no timer, no knockout, a dummy on the second side.
    // Chosen before startUp, with the dummy's first mode.
    bool training = false;
    dummyMode firstDummyMode = dummyMode::stand;
    trainingRules drill;                      // the dummy, combos, refills, frame data
    std::unique_ptr<trainingSession> trainer; // training's keys, recording and panel

    matchSession();
    ~matchSession();
    matchSession(const matchSession&) = delete;
    matchSession& operator=(const matchSession&) = delete;

    // After the game's start-up: the opponent's colours, ko and win, the HUD and its
    // sounds, then round 1.
    void startUp(Game& g, int rounds);
    // One pass of the match: the events, the steps due, and the picture when `draw`;
    // false after the pass in which quit arrived.
    bool runPass(Game& g, bool draw = true);
    // One step from both sides' frames, its trace and sounds going out after it.
    void step(Game& g, const stepInput& in);
    // The same step without a word or a sound: a step run again.
    void stepSilently(Game& g, const stepInput& in);
    // The events of a pass: the match's own keys, and a local player's for their frames.
    void readEvents(Game& g);
    // A local side's frame for the next step: its presses and what it holds, with a
    // rematch asked for since the last.
    inputFrame frameOf(int side);
    // The real clock's reading the steps have caught up with.
    Uint32 clockReading() const { return clockAt_; }
    // Draws the picture of the fight as the last step left it, and presents it.
    void drawScene(Game& g);
    // The state as the fight runner names it: a matchState's name, or "paused".
    std::string stateName() const;
    // Training: both fighters go back to their start at the next step, which carries the
    // asking in the player's frame.
    void askReset() { rematchAsked_ = true; }

private:
    // Whether the opponent wears the colours of `swap`, read from the character's palette2.
    bool loadOpponentColours(Game& g, const std::string& character, colourSwap& swap);
    // ko and win of a side's character, recoloured with `swap` when there is one.
    void loadEndSheets(int side, const std::string& character, const colourSwap* swap);
    void setUpSecondPlayer(Game& g);
    void setUpSides(Game& g);
    void useTodaysContact(Game& g);
    // Today's computer takes the opponent's side from the first one.
    void useTodaysComputer(Game& g);
    // Whether a pad's button is a human player's B, which leaves a finished match.
    bool padBack(const Game& g, int pad, int button) const;
    void onMatchKey(Game& g, SDLKey key);
    // Whether pausing shows the menu: a match played here, not a replay watched.
    bool menuPauses() const { return pausable && !playback; }
    void openMenu(Game& g);
    void onMenuEvent(Game& g, const SDL_Event& e);
    void resume(Game& g);
    bool onReplayKey(Game& g, SDLKey key);
    void runDueSteps(Game& g);
    stepInput nextInput(Game& g);
    // Whether a frame carries the pause menu's restart.
    static bool restartAsked(const inputFrame& f);
    // A step with its trace and sounds held, then let out when `heard`, else dropped.
    void runStep(Game& g, const stepInput& in, bool heard);
    // The step's work, inside the holding of its trace and sounds.
    void stepBody(Game& g, const stepInput& in);
    void stepFighters(Game& g, const stepInput& in);
    void act(Game& g, matchEvent e);
    void holdRoundEnd(Game& g);
    // Training's rules after the fighters moved: combos, refills, frame data.
    void followTraining(Game& g);
    void resetRound(Game& g);
    hudView view(Game& g);
    Fighter& fighterOf(Game& g, int side);

    friend class fightState;
    Uint32 fightStart_ = 0; // game clock (ms) the steps count from
    Uint32 clockAt_ = 0;    // the real clock's reading the steps have caught up with

    bool rematchAsked_ = false;       // Enter after the match: a rematch at the next step
    bool restartAsked_ = false;       // RESTART on the pause menu: round 1 at the next step
    bool resetPending_ = false;       // put the fighters back at the end of this step
    bool down_[2] = {false, false};   // knocked out this round
    bool posing_[2] = {false, false}; // won this round and strikes the pose
};
