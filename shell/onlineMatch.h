#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "SDL.h"

#include "control/inputFrame.h"
#include "net/inputExchange.h"
#include "shell/fightState.h"

class Game;
class netLink;
class onlineSetup;
class replayFile;

// A match against a player on another machine, with rollback. Own frames are used a
// few steps late (the input delay) and sent at once; the peer's are predicted until
// they come. When one comes that differs from what was predicted, the fight goes back
// to the first wrong step and runs again, silently, up to now; then it is drawn. The
// fight runs at most kMostPredicted steps past the peer's last frame, then waits. Every
// kChecksumEvery steps each side sends the checksum of its last confirmed step: fights
// that differ end the match on both sides ("desync at step N"). When either side
// leaves, both run to the same last step, so both keep the same replay.
class onlineMatch {
public:
    static constexpr long kChecksumEvery = 30;
    static constexpr Uint32 kUnstableMs = 1000; // silence before "connection unstable"
    static constexpr Uint32 kGoneMs = 5000;     // silence that ends the match
    static constexpr Uint32 kSayWaitingMs = 1000;
    static constexpr Uint32 kMostFinishMs = 2000; // to agree on the last step when leaving
    static constexpr int kKeptStates = 64;        // saved steps a rollback can go back to

    // How the match ended, for the shell to act on.
    enum class ending { playing, left, opponentLeft, opponentGone, desync, backToSelect };

    netLink* link = nullptr;     // the connection, not owned
    onlineSetup* host = nullptr; // at the host: its watchers, who else calls; not owned
    startMessage agreed;         // this match, for a watcher who comes in during it
    int peer = -1;               // the other player's slot on it
    int localSide = 0;           // 0 for the host, 1 for the side that joined
    uint16_t matchNumber = 0; // of this connection: a late message of an earlier match is dropped
    int inputDelay = 2;       // steps own frames are used late, 0 to 8
    long perturbAt = -1;      // a test puts this side's fight out of step here once
    std::string dumpFolder;   // where a desync's dump is written

    // Figures of the match, for the closing summary.
    long rollbacks = 0;             // times the fight went back
    long stepsRunAgain = 0;         // steps run again in them
    long largestRollback = 0;       // most steps one went back
    std::vector<double> rollbackUs; // each rollback's time, microseconds
    long dropped = 0;               // messages that were not ones we send, dropped
    long waits = 0;                 // passes the fight waited for the peer
    ending how = ending::playing;
    long desyncStep = -1; // the checkpoint whose checksums differed
    std::string dumpPath; // the desync's dump, once written
    long finalStep = 0;   // the step both sides ended on
    uint32_t finalChecksum = 0;
    bool finalConfirmed = false; // both sides' frames up to finalStep were in

    // How a match ended, in words: "you left", "your opponent is gone", ...
    static const char* endingName(ending e);
    // After the game's start-up: the other side's frames come by network from now on.
    void begin(Game& g);
    // Watching instead of playing: `live` (the game's replay being watched, not owned)
    // grows with the steps the host sends, and the match plays them a little behind.
    void watch(Game& g, replayFile* live);
    // One pass: events, the network, any rollback, the steps due, the picture when
    // `draw`. False once the match has ended.
    bool runPass(Game& g, bool draw);
    Uint32 clockReading() const { return clockAt_; }
    // The last step whose frames from both sides are in.
    long confirmed(const Game& g) const;
    // A line for the end: how it ended, and the checksum on the last step.
    std::string summary() const;
    // Says a rollback's figures in a line: count, steps run again, p50 and p99 time.
    std::string rollbackFigures() const;

private:
    void receive(Game& g);
    void takeMessage(Game& g, const std::string& bytes, long& firstNew);
    void rollBackFrom(Game& g, long firstNew);
    void runDueSteps(Game& g);
    bool slowDown(const Game& g);
    void runOneStep(Game& g);
    stepInput inputOf(long step) const;
    void saveState(Game& g, long step);
    void checkpoints(Game& g);
    void compareChecksums(Game& g);
    void sendInputs(const Game& g);
    void startEnding(Game& g, long step, ending why);
    void finish(Game& g);
    void endNow(Game& g);
    void foundDesync(Game& g, long step);
    void writeDump(const std::string& theirs);
    void perturbOnce(Game& g);
    void sayNotice(Game& g);
    void feedWatchers(const Game& g, bool all = false);
    void tellWatchersTheEnd();
    bool watchPass(Game& g, bool draw);

    inputExchange exchange_;
    fightState states_[kKeptStates];         // state before each recent step, by step % kKeptStates
    long saved_[kKeptStates];                // the step each holds, -1 for none
    std::map<long, uint32_t> mine_, theirs_; // checksums by step
    std::map<long, std::string> myValues_;   // fight values of recent checkpoints
    long nextCheck_ = kChecksumEvery;
    Uint32 clockAt_ = 0;
    Uint32 lastHeard_ = 0;
    Uint32 waitingSince_ = 0;
    Uint32 endingSince_ = 0;
    bool ending_ = false;
    bool done_ = false;
    bool perturbed_ = false;
    long endStep_ = 0;
    long peerEnd_ = -1;      // the other side's newest proposal for the last step
    double advantage_ = 0.0; // steps this side runs ahead of the peer, smoothed
    long slowCount_ = 0;
    std::string theirValues_;         // the peer's fight values at the desync
    std::map<int, long> watcherSent_; // steps each watcher has been sent, by slot
    replayFile* live_ = nullptr;      // watching: the steps come in here
    long liveEnd_ = -1;               // watching: the match's last step, once known
};
