#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "control/inputFrame.h"

// A recorded match: what it was played on and with, and every step's input. A match is
// a pure function of these, so playing the input again gives the same fight.
//
// The file: a text header of "name value" lines (format, game, data, player, opponent,
// rounds, time, versus, hp, seed, rules, cpu, result, steps; time only when not 99, "none"
// for rounds without a timer), a line "input", then the steps as runs of
// equal steps: a run's length as a little-endian base-128 number, then for each side its held bits,
// its press count and its presses, one byte each. A player who holds a key sends no new bytes, so a
// 99-second round takes a few KB.
class replayFile {
public:
    static constexpr int kFormat = 2;
    // The rules a replay without a "rules" line was played by: the match as first made
    // (the corner contact test, no attack heights, the first computer opponent).
    static constexpr int kFirstRules = 1;
    static constexpr int kRules = 2; // the match played today
    // The most steps a replay may hold: three hours of game, so that no file makes the
    // reader allocate more than a few tens of MB.
    static constexpr long kMostSteps = 1000000;

    int format = kFormat;
    std::string game;      // the game's version line that recorded it
    std::string data;      // fingerprint of the data folder played on
    std::string player;    // the player's character
    std::string opponent;  // the opponent's
    int rounds = 3;        // best of
    int roundSeconds = 99; // a round's timer in s (30, 60, 99), 0 for none; the line
                           // "time" is written only when it is not 99
    bool versus = false;   // a second player, not the computer, played the opponent
    int startHp = 1000;    // hit points a round starts with
    uint64_t seed = 1;     // the fight's random generator at the start
    int rules = kRules;    // the match's rules: kFirstRules or kRules
    int cpu = 4;           // the computer's level, 1 to 8 (kRules only)
    // How the match ended when it was saved, for the replays menu: the winner ("player",
    // "opponent", "draw") or "unfinished", and the rounds won ("player 2-1"); empty when
    // not known. Playing the replay never reads it.
    std::string result;
    std::vector<stepInput> steps; // every step's input, in order

    // The whole file as bytes.
    std::string encode() const;
    // Reads bytes; false with `error` saying what is wrong (never a crash, whatever
    // the bytes).
    bool decode(const std::string& bytes, std::string& error);
    // Writes to a file, making nothing else; false with `error` on failure.
    bool save(const std::string& path, std::string& error) const;
    // Reads a file; false with `error` (naming the file) when it cannot be used.
    bool load(const std::string& path, std::string& error);
};
