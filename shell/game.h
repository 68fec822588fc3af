#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "SDL.h"

#include "ai/AI.h"
#include "config/controlsConfig.h"
#include "control/gamepad.h"
#include "control/playerControl.h"
#include "fighter/animationSet.h"
#include "fighter/fighter.h"
#include "match/trainingRules.h"
#include "moves/inputChecker.h"
#include "moves/moveSet.h"
#include "moves/target.h"
#include "particles/partInfoList.h"
#include "particles/particleList.h"
#include "platform/screenPresenter.h"
#include "sound/soundSet.h"
#include "sprite/CSprite.h"
#include "sprite/CSpriteBase.h"

// Every long-lived object of one run of the game, created at start-up and kept until
// the run ends; everything else only points at these. Paths are relative to
// `dataRoot` so a test or a tool can run any copy of the data.
class matchSession;
class musicPlayer;
class onlineMatch;
class replayFile;

class Game {
public:
    std::string dataRoot = "data"; // the data folder
    // A match of rounds with a HUD instead of the endless fight; chosen before startUp.
    bool matchMode = false;
    int matchRounds = 3;     // best of this many, odd, 1 to 9
    int roundSeconds = 99;   // a round's timer: 30, 60 or 99 s; 0 for no timer
    int matchStartHp = 1000; // hit points a round starts with; tests lower it
    bool versusMode = false; // a second person plays fighter2 (a match only)
    bool uncapped = false;   // run passes as fast as they go, each presenting (measuring)
    uint64_t fightSeed = 1;  // a match's random generator starts here
    int fightRules = 2;      // the match's rules: 1 as first made (old replays), 2 today's
    int cpuLevel = 4;        // the computer opponent's level in a match, 1 to 8
    // Training: one player against a dummy, no rounds, no replay. Set before startUp (with
    // the characters); run() then plays it. Its dummy starts in `trainingDummy` mode.
    bool trainingMode = false;
    dummyMode trainingDummy = dummyMode::stand;
    // The debug overlay draws boxes as outlines (training) rather than filled.
    bool outlineBoxes = false;
    const replayFile* watching = nullptr; // a replay played instead of hands, not owned
    musicPlayer* music = nullptr;         // the program's music, not owned; null plays none (tools)
    controlsConfig controls;              // the keys both players and the game's own keys are on
    bool selectable = false; // a select screen chose the characters: Backspace goes back
    // Started from the main menu: leaving a match goes back to it. Escape then pauses
    // instead of quitting, and the pause menu's last entry is QUIT TO MENU (the match's
    // backToMenu says it was chosen).
    bool fromMenu = false;
    // Shows the options page over a paused match; false when the window was closed there.
    // Empty: the pause menu has no OPTIONS.
    std::function<bool()> openOptions;
    CSpriteBase vikingbase;                  // sheet from dataRoot/run, loaded and not drawn
    CSpriteBase sunbase;                     // sheet from dataRoot/particle/fireball1
    animationSet animations;                 // the player's character's animations, shared by both
                                             // fighters when both play the same character
    moveSet moves;                           // the player's character's moves
    std::string playerCharacter = "Brawler"; // the folder under dataRoot each side plays
    std::string opponentCharacter = "Brawler";
    animationSet opponentAnimations; // the opponent's, when it plays another character
    moveSet opponentMoves;
    Fighter vikings1; // the player's fighter
    Fighter fighter2; // the opponent's fighter
    CSprite vikings2; // sprites on the shell's sheets, set up and not drawn
    CSprite sun;
    CSprite sun2;
    CSprite sun3;
    std::unique_ptr<inputChecker> checker;  // the player's command input checker
    std::unique_ptr<soundSet> sounds;       // sound effects, made at its start-up step
    gamePad GPad;                           // the player's keys or joystick
    gamePad GPad2;                          // the second player's, in versus
    std::unique_ptr<inputChecker> checker2; // the second player's, in versus
    partInfoList particleDefs;              // every particle definition, read once
    particleList pList;                     // every live particle of both sides
    Target targ;                            // aimed at fighter2, for the player
    Target targ2;                           // aimed at vikings1, for the opponent
    playerControl player1;                  // drives vikings1 from keys or a joystick
    AI basicAI;                // drives fighter2; in a match it only decides, for player2
    playerControl player2;     // drives fighter2 in a match: the second player's or the computer's
    SDL_Event event;           // the one event buffer, filled while polling
    screenPresenter presenter; // shows what each pass changed on the window
    std::unique_ptr<matchSession> match; // the match, in match mode only
    std::unique_ptr<onlineMatch> online; // the other side plays from another machine

    Game();
    // Frees the stage the start-up loaded: the game is over, and a leak check at exit
    // must find nothing of ours.
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // Loads and sets up everything after the video mode is up (sdlInit). A character
    // that cannot be played, or no data folder, stops the game with a message and exit
    // code 1; names the character lacks are only warned about.
    void startUp();
    // One pass of the main loop; returns false after the pass in which quit arrived.
    bool runPass();
    // Draws one frame of the scene and presents what it changed.
    void DrawScene();
    // DrawScene's steps: every moving object restores what it covered, saves the
    // background at its new place, and draws (with the debug overlay).
    void restoreScene();
    void saveScene();
    void drawSceneObjects();
    // The main loop until Escape, the window's close or a stop signal; it rests between
    // passes unless uncapped.
    void run();
    // A match's loop: it sleeps until a step or a picture is due, runs the steps the
    // clock has made due, and draws at most every 16 ms.
    void runMatch();

    // Plays `r` (not owned; it may still be growing, as a watched online match does)
    // instead of hands: its characters, rounds, hit points and seed. Before startUp.
    void watch(const replayFile& r);
    // The match played so far as a replay: what it was played on and every step's input.
    replayFile replayOfMatch() const;

    // The opponent's animations and moves: its own, or the player's when both play the
    // same character.
    animationSet* opponentAnimationSet();
    moveSet* opponentMoveSet();

private:
    void loadCharacter(const std::string& folder, animationSet& anims, moveSet& moves);
    void loadCharacterExtras(const std::string& name);
    void placeFighter(Fighter& f, animationSet* anims, int x, int y);
    void listJoysticks();
};
