#pragma once

#include <string>
#include <vector>

// The figures of one scripted fight. The wall-clock ones differ from run to run; the
// rest repeat exactly for the same script and seed.
struct FightSummary {
    std::string script;         // the script's path
    unsigned seed = 0;          // the random source's seed
    int msPerPass = 0;          // virtual ms per pass
    long passes = 0;            // passes of the main loop run
    long virtualMs = 0;         // game time the passes covered: passes x msPerPass
    bool endedByEscape = false; // the game ended itself (Escape) before the script's end
    int playerHp = 0;           // hit points at the end
    int playerMaxHp = 0;
    int opponentHp = 0;
    int opponentMaxHp = 0;
    int particlesSpawned = 0;  // particles the list took in, events' spawns included
    int hitsOnOpponent = 0;    // unblocked contacts on the opponent (one per movement step)
    int hitsOnPlayer = 0;      // the same on the player
    int blockedByOpponent = 0; // contacts the opponent blocked
    int blockedByPlayer = 0;   // contacts the player blocked
    std::string matchResult;   // in a match, its state at the end; empty in the classic game
    bool noPicture = false;    // the passes ran their steps without drawing
    long syncSteps = -1;       // steps the sync test ran again; -1 without the test
    long syncMismatches = 0;   // of those, steps whose state came out otherwise
    // Online: how the match went over the network (wall-clock figures), and the checksum
    // of the last step both sides ran, which both print alike; empty offline.
    std::vector<std::string> onlineLines;
    std::string onlineChecksum;
    int expectationsHeld = 0;
    int expectationsFailed = 0;

    // Wall-clock figures.
    double wallMs = 0.0;          // start-up and passes
    double startUpMs = 0.0;       // loading the game (Game::startUp)
    double passMedianUs = 0.0;    // one pass, median
    double passP99Us = 0.0;       // one pass, 99th percentile
    double passesPerSecond = 0.0; // passes over the time spent in them
    // Resident memory in KB at the end of each virtual minute (the first: minute 1).
    std::vector<long> residentKbByMinute;

    // The most resident memory grew over its reading at minute 1, including `nowKb`
    // when it is not negative; 0 before minute 1.
    long memoryGrowthKb(long nowKb = -1) const;

    // The summary as printed; without the wall-clock lines when `wallClock` is false,
    // which is what two runs of one script must agree on.
    std::string format(bool wallClock = true) const;
};
