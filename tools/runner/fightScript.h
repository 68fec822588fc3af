#pragma once

#include <string>
#include <vector>

#include "SDL.h"

// One timed line of a fight script, or an untimed one that acts before the first pass.
struct ScriptStep {
    enum Kind {
        Press,          // a key goes down and stays held
        Release,        // a held key comes up
        Tap,            // down now, up at the next pass
        Expect,         // a check of the state after the pass
        Shot,           // the screen after the pass, saved to a file
        OpponentIdle,   // the opponent stands still from this pass on
        OpponentActive, // the opponent fights again
        Place,          // moves a fighter to an x
        SetHp,          // sets a fighter's hit points
        Dummy           // training: the dummy's mode (and the computer's level)
    };
    Kind kind = Press;
    int line = 0;              // line in the script, from 1
    long timeMs = 0;           // virtual ms from the first pass; 0 for untimed lines
    SDLKey key = SDLK_UNKNOWN; // Press, Release, Tap
    std::string keyName;       // as written, for messages
    std::string who;           // Expect, Place, SetHp: "player", "opponent", "particles",
                               // "memory" or "match"
    std::string field;         // Expect: action, hp, x, y, facing, onGround, jumps, count,
                               // growth, resident, or a match field (round, state, ...)
    std::string op;            // Expect: "=", "!=", "<" or ">"
    std::string value;         // Expect: as written ("right", "true", a number, an action name)
    long number = 0;           // Expect: the value as a number (facing right and true are 1);
                               // Place: the x; SetHp: the hit points; Dummy: the level, 0
                               // for the one it has
    std::string file;          // Shot: path, relative to the working directory
    // Whether the step runs before the pass (input, placing, the opponent's mode)
    // rather than after it (checks and shots).
    bool beforePass() const { return kind != Expect && kind != Shot; }
};

// Key lines between `repeat PERIOD` and `end`: each acts at its time and again every
// PERIOD ms after it, to the run's last pass, so a pattern a player keeps up for a whole
// match is written once.
struct ScriptRepeat {
    int line = 0;                  // the line of `repeat`
    long periodMs = 0;             // virtual ms between two turns of the pattern
    std::vector<ScriptStep> steps; // press, release and tap lines, in file order
    // Whether a line first due at `firstMs` falls due in the pass at `passMs`: a turn at
    // or before it and after the pass before (`msPerPass` earlier).
    bool dueAt(long firstMs, long passMs, int msPerPass) const;
};

// A fight script read and checked whole before anything runs: one statement per line,
// '#' starts a comment, blank lines are ignored. A line that cannot be read is an error
// "name:line: what is wrong"; nothing is run then.
class FightScript {
public:
    std::string name = "script"; // the script's path, for messages
    unsigned seed = 1;           // the random source; a replay must repeat, so never the clock
    int dataLine = 0;            // the line of `data`, 0 without one
    std::string dataDir;         // as written in `data`, empty for the game's own "data"
    // Virtual ms per pass. The movement step runs once more than 10 ms have been summed,
    // so 11 gives one step a pass, about as often as on the real clock.
    int msPerPass = 11;
    long endMs = -1; // `end T`, or -1: the last timed line plus one pass
    // `end match`: the run ends after the pass in which the match is over (by `end T` or
    // an hour of virtual time at the latest).
    bool endAtMatchOver = false;
    static constexpr long kLongestRunMs = 3600000;
    bool randomInput = false; // `random-input`: a random player presses the keys
    bool match = false;       // `mode match`: a match of rounds; `mode classic` (default)
    bool training = false;    // `mode training`: the player against a dummy, no rounds
    int rounds = 3;           // `rounds N`: best of N in a match
    int roundSeconds = 99;    // `time N|none`: a round's timer, 30, 60 or 99 s; 0 for none
    int cpu = 4;              // `cpu N`: the computer's level in a match, 1 to 8
    int rules = 2;            // `rules N`: 1 plays a match by its first rules, as old replays
    bool versus = false;      // `opponent human`: the second player's keys drive it
    std::string playerCharacter = "Brawler";   // `character player NAME`: its folder
    std::string opponentCharacter = "Brawler"; // `character opponent NAME`
    std::string
        controlsFile;       // `controls FILE`, relative to the script's folder; empty: the defaults
    std::string replayFile; // `replay FILE`, relative to the script's folder; empty: none
    std::vector<ScriptStep> steps;     // in file order
    std::vector<ScriptRepeat> repeats; // `repeat` blocks, in file order

    // Reads the text; false with `error` set at the first bad line.
    bool parse(const std::string& text, std::string* error);
    // Whether a line changes the fight between steps (place, set, opponent idle or
    // active): a replay, which holds only the keys, would not hold it.
    bool hasChangesBetweenSteps() const;
    // The virtual time of the last pass: `end`, or the last timed line plus one pass.
    long lastPassMs() const;
    // The key behind a name of the controls (Left, Right, Up, Down, z, x, c, j, p, Return,
    // Escape);
    // SDLK_UNKNOWN for any other word.
    static SDLKey keyNamed(const std::string& name);

private:
    bool parseLine(const std::vector<std::string>& words, int line, std::string* what);
    bool parseStep(const std::vector<std::string>& words, size_t at, ScriptStep& step,
                   std::string* what);
    bool versusIsAMatch(std::string* what) const;
    bool parseExpect(const std::vector<std::string>& words, size_t at, ScriptStep& step,
                     std::string* what);
    bool parseRepeatLine(const std::vector<std::string>& words, int line, std::string* what);
    bool sawEnd = false;   // an `end` line was read
    bool inRepeat = false; // between `repeat` and its `end`
    long lastTimedMs = -1;
    int classicLine = 0;  // the line of `mode classic` while it holds, else 0
    int humanLine = 0;    // the line of `opponent human`, else 0
    int trainingLine = 0; // the line of `mode training`, else 0
    int dummyLine = 0;    // the first line naming the dummy, else 0
};
