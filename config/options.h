#pragma once

#include <string>

// What the command line asks of the game.
struct gameOptions {
    bool classic = false;          // the endless fight without rounds or HUD
    int rounds = 3;                // a match is best of this many rounds: odd, 1 to 9
    int roundSeconds = 99;         // --time: a round's timer, 30, 60 or 99 s; 0 for none
    bool versus = false;           // a second person plays the opponent's fighter
    std::string controlsFile;      // --controls: the keys file; empty for the usual place
    bool writeControls = false;    // --write-controls: write the default keys and stop
    std::string writeControlsFile; // where to; empty for the usual place
    bool fullscreen = false;       // start fullscreen
    int scale = 1;                 // the window is this many times 800x600: 1 to 4
    bool quiet = false;            // no trace on standard output
    std::string dataDir = "data";  // the data folder
    bool dataNamed = false;        // --data was given: a missing folder is the player's typo
    bool uncapped = false;         // passes as fast as they go, presenting every one
    std::string player;            // --player: the character the player plays
    std::string opponent;          // --opponent: the opponent's
    bool playerNamed = false;      // --player was given, even as "" (which names nobody)
    bool opponentNamed = false;    // --opponent was given
    std::string recordFile;        // --record: the match's replay goes here
    std::string replayFile;        // --replay: watch this replay instead of playing
    bool hosting = false;          // --host: wait for a player on another machine
    std::string joinHost;          // --join (or --watch): the host to call, a name or an address
    bool watching = false;         // --watch: watch the host's match instead of playing
    int port = 7650;               // UDP port of --host or --join
    int inputDelay = 2;            // --input-delay: online, own keys act this many steps late
    int cpu = 4;                   // --cpu: the computer opponent's level, 1 to 8
    bool cpuNamed = false;         // --cpu was given
    bool training = false;         // --training: the player against a dummy, no rounds
    bool roundsNamed = false;      // --rounds was given: it wins over the settings file
    bool timeNamed = false;        // --time was given
    bool scaleNamed = false;       // --scale was given
};

// What reading the command line came to.
enum class optionsResult {
    play,    // start the game with the options read
    help,    // the usage was asked for: print it, exit 0
    version, // the version was asked for: print it, exit 0
    wrong    // a bad option or value: print the message and the usage, exit 2
};

// Reads the options with getopt_long; on `wrong`, `message` holds the line to print.
optionsResult readOptions(int argc, char** argv, gameOptions& options, std::string& message);
// HOST or HOST:PORT as --join takes it: a name or an IPv4 address, and a port from 1 to
// 65535 (`port` unchanged without one); false when it is neither.
bool readHostAndPort(const std::string& text, std::string& host, int& port);
// The usage text, every option on a line.
std::string usageText();
// "brawler " and the version.
std::string versionText();
