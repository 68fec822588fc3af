#pragma once

#include <string>

#include "SDL.h"

// Where a match stands. Paused is not a state of its own: a pause stops the game clock
// and the rules with it, whatever the state.
enum class matchState {
    intro,    // "ROUND n", then "FIGHT": nobody acts
    fight,    // the round is on and its timer runs
    ko,       // a knockout ended the round; the loser lies, the winner poses
    timeover, // the timer ran out; hit points decide
    over      // the match is decided; Enter starts another
};

// Who took a round or the match.
enum class matchSide {
    none,     // not decided yet
    player,   // the first fighter
    opponent, // the second fighter
    draw      // nobody: a double knockout, equal hit points, or equal rounds won
};

// What the rules ask of the game after an update: at most one thing a call.
enum class matchEvent {
    nothing,    // keep playing
    fightStart, // the announcement is over: hands on, the bell rings
    knockout,   // a fighter reached 0: hits stop, the loser falls
    timeUp,     // the timer ran out: hits stop
    winPose,    // the round's winner strikes a pose
    nextRound,  // put both fighters back as at start-up for the next round
    matchOver   // the match is decided
};

// The rules of a match of rounds, on the game's millisecond clock: the announcement, the
// round timer, knockouts and time-overs, round wins and the match's winner. It knows
// nothing of drawing or input; the game feeds it the time and the hit points and acts on
// the events it returns. Every change is one trace line on standard output.
class matchRules {
public:
    static constexpr int kRoundSeconds = 99;       // the round timer's usual start
    static constexpr int kNoTimer = 0;             // roundSeconds for rounds without a timer
    static constexpr Uint32 kIntroMs = 1500;       // "ROUND n" then "FIGHT", nobody acting
    static constexpr Uint32 kRoundBannerMs = 1000; // of the intro, "ROUND n"; then "FIGHT"
    static constexpr Uint32 kWinPoseMs = 1000;     // from the round's end to the winner's pose
    static constexpr Uint32 kRoundEndMs = 3000;    // from the round's end to what follows

    int roundsToPlay = 3;                    // odd, 1 to 9: best of this many
    int roundSeconds = kRoundSeconds;        // the round timer's start: 30, 60 or 99;
                                             // kNoTimer: a round ends only by knockout
    bool versus = false;                     // two people: the end names 1P and 2P
    int round = 0;                           // the round on, from 1; 0 before start
    matchState state = matchState::intro;    // where the match stands
    int playerWins = 0;                      // rounds the player took
    int opponentWins = 0;                    // rounds the opponent took
    matchSide roundWinner = matchSide::none; // of the round that ended last
    matchSide winner = matchSide::none;      // of the match, none until it is over
    bool doubleKnockout = false;             // the round ended with both at 0

    // Starts a match from round 1 at `now`.
    void start(Uint32 now);
    // Training: round 1 fighting from `now`, for a caller that never calls update.
    void startWithoutRounds(Uint32 now);
    // Moves the match on to `now` given both fighters' hit points; at most one event.
    matchEvent update(Uint32 now, int playerHp, int opponentHp);

    // Rounds a side must take to win the match.
    int winsNeeded() const { return (roundsToPlay + 1) / 2; }
    // Whole seconds left on the round timer (rounded up), as shown; -1 without a timer.
    int secondsLeft(Uint32 now) const;
    // Whether the fighters may act: keys move them and hits land.
    bool fighting() const { return state == matchState::fight; }
    // Milliseconds since the state began.
    Uint32 inState(Uint32 now) const { return now - stateSince_; }
    // The banner in the middle of the screen, capitals; empty for none.
    std::string banner(Uint32 now) const;
    // The line under the banner; empty for none.
    std::string prompt() const;
    // Every value, private ones included, as one line of numbers: for a fight's checksum.
    std::string valuesText() const;
    // Names used in traces and by the fight runner.
    static const char* stateName(matchState s);
    static const char* sideName(matchSide s);
    // Whether `seconds` is a round time a match may be played with (30, 60, 99 or
    // kNoTimer); the same four the settings, the options and the replays accept.
    static bool roundTimeAllowed(int seconds);

private:
    void beginRound(Uint32 now);
    void enter(matchState s, Uint32 now);
    matchEvent endRound(Uint32 now, int playerHp, int opponentHp, bool byTime);
    matchEvent afterRound(Uint32 now);
    bool decided() const;

    Uint32 stateSince_ = 0; // game clock (ms) when the state began
    Uint32 fightSince_ = 0; // game clock (ms) when the round's fight began
    Uint32 fightEnded_ = 0; // game clock (ms) when it ended, for the timer shown after
    bool posed_ = false;    // the winner's pose has been asked for this round
};
