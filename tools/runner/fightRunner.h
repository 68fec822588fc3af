#pragma once

#include <functional>
#include <string>
#include <vector>

#include "match/replayFile.h"
#include "shell/fightState.h"
#include "tools/runner/fightScript.h"
#include "tools/runner/fightSummary.h"

class Game;
class ManualClock;
class onlineSetup;

// One side of an online match played by the runner: the script's keys (or its random
// player) drive the local side, the other side plays from another process.
struct OnlinePlay {
    bool hosting = false; // take calls on `port`; else call host:port
    std::string host = "127.0.0.1";
    uint16_t port = 7650;
    int inputDelay = 2;           // steps own frames are used late
    long desyncAt = -1;           // test: put this side's fight out of step here
    long mostWaitMs = 30000;      // give up on the peer after this long (real ms)
    std::string dumpFolder = "."; // where a desync's dump goes
};

// Runs a fight script on the real game: the shell's start-up, then passes of the main
// loop on a virtual clock that moves the script's ms per pass, with the script's keys
// fed in and its checks made between passes. SDL's video mode must be up (`screen`);
// the game's trace goes wherever standard output goes.
class FightRunner {
public:
    // One line per check that did not hold or shot that could not be written:
    // "script:line: expected ..., got ...".
    std::vector<std::string> failures;
    // Present the whole screen every pass rather than what changed.
    bool presentAll = false;
    // Keep a copy of what each pass presented (the game's presenter's shadow).
    bool keepShadow = false;
    // Run the match's steps without drawing them (the step's own cost).
    bool noPicture = false;
    // The sync test, with a match: after every pass, the fight is put back as it was
    // `syncSteps` steps before and those steps run again from their recorded frames; the
    // state must come out the same. 0 leaves it out.
    int syncSteps = 0;
    // Input played instead of the script's keys, from a replay (not owned); the script's
    // `replay` line loads one of its own when this is null.
    const replayFile* playback = nullptr;
    // Keep the match just run as a replay in `recorded` (for --record): its data
    // fingerprint reads the whole data folder, so only when asked.
    bool record = false;
    replayFile recorded;
    // Play one side of an online match (not owned); null offline. It runs on the real
    // clock: a pass every script's ms per pass of real time.
    const OnlinePlay* online = nullptr;
    // Called after every pass with its virtual ms, before the script's checks; a tool
    // or test looks at the game here (or toggles the debug overlay for the next pass).
    std::function<void(long passMs, Game& game)> afterPass;

    // The data folder the script names, relative to the script's own folder; the
    // game's "data" below the working directory when it names none.
    static std::string dataRootFor(const FightScript& script);
    // A path the script names, from the script's own folder unless absolute.
    static std::string besideScript(const FightScript& script, const std::string& path);
    // Runs the script once, from a fresh start-up, and returns its figures.
    FightSummary run(const FightScript& script);

private:
    static void loadScriptControls(const FightScript& script, Game& game);
    void before(const ScriptStep& step, Game& game);
    void after(const ScriptStep& step, Game& game, long passMs, FightSummary& summary);
    void check(const ScriptStep& step, Game& game, long passMs, FightSummary& summary);
    void checkMatch(const ScriptStep& step, Game& game, bool& held, std::string& got);
    void shoot(const ScriptStep& step, const std::string& scriptName);
    void syncTest(Game& game, FightSummary& summary);
    bool connect(onlineSetup& net, const FightScript& script, Game& game, ManualClock& clock);
    void onlineFigures(const Game& game, const onlineSetup& net, FightSummary& summary);
    std::vector<fightState> syncStates_; // states saved at pass boundaries, oldest first
    bool changedOutside_ = false;        // the script changed the fight between steps
    std::vector<SDLKey> tapped_;         // keys to lift at the next pass
    bool idle_ = false;                  // the opponent is held standing
    int trainingChanges_ = 0;            // training's changes between steps, as last seen
};
