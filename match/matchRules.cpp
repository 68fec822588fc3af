#include "match/matchRules.h"

#include <cstdio>

#include "platform/traceLog.h"

const char* matchRules::stateName(matchState s) {
    switch (s) {
    case matchState::intro:
        return "intro";
    case matchState::fight:
        return "fight";
    case matchState::ko:
        return "ko";
    case matchState::timeover:
        return "timeover";
    case matchState::over:
        return "over";
    }
    return "intro";
}

const char* matchRules::sideName(matchSide s) {
    switch (s) {
    case matchSide::player:
        return "player";
    case matchSide::opponent:
        return "opponent";
    case matchSide::draw:
        return "draw";
    case matchSide::none:
        break;
    }
    return "none";
}

void matchRules::start(Uint32 now) {
    round = 1;
    playerWins = 0;
    opponentWins = 0;
    winner = matchSide::none;
    beginRound(now);
}

void matchRules::startWithoutRounds(Uint32 now) {
    start(now);
    // Straight to the fight, with no announcement: nothing ends it but the player.
    enter(matchState::fight, now);
}

void matchRules::beginRound(Uint32 now) {
    roundWinner = matchSide::none;
    doubleKnockout = false;
    posed_ = false;
    fightSince_ = now;
    fightEnded_ = now;
    enter(matchState::intro, now);
}

void matchRules::enter(matchState s, Uint32 now) {
    state = s;
    stateSince_ = now;
}

bool matchRules::roundTimeAllowed(int seconds) {
    return seconds == kNoTimer || seconds == 30 || seconds == 60 || seconds == kRoundSeconds;
}

int matchRules::secondsLeft(Uint32 now) const {
    if (roundSeconds == kNoTimer)
        return -1;
    Uint32 roundMs = roundSeconds * 1000u;
    Uint32 used = 0;
    if (state == matchState::fight)
        used = now - fightSince_;
    else if (state != matchState::intro)
        used = fightEnded_ - fightSince_;
    if (used >= roundMs)
        return 0;
    return static_cast<int>((roundMs - used + 999) / 1000);
}

matchEvent matchRules::update(Uint32 now, int playerHp, int opponentHp) {
    switch (state) {
    case matchState::intro:
        if (inState(now) < kIntroMs)
            return matchEvent::nothing;
        fightSince_ = now;
        enter(matchState::fight, now);
        tracef("round %d: fight\n", round);
        return matchEvent::fightStart;
    case matchState::fight:
        if (playerHp <= 0 || opponentHp <= 0)
            return endRound(now, playerHp, opponentHp, false);
        if (roundSeconds != kNoTimer && now - fightSince_ >= roundSeconds * 1000u)
            return endRound(now, playerHp, opponentHp, true);
        return matchEvent::nothing;
    case matchState::ko:
    case matchState::timeover:
        return afterRound(now);
    case matchState::over:
        return matchEvent::nothing;
    }
    return matchEvent::nothing;
}

matchEvent matchRules::endRound(Uint32 now, int playerHp, int opponentHp, bool byTime) {
    fightEnded_ = now;
    if (playerHp == opponentHp)
        roundWinner = matchSide::draw;
    else
        roundWinner = playerHp > opponentHp ? matchSide::player : matchSide::opponent;
    if (roundWinner == matchSide::player)
        ++playerWins;
    if (roundWinner == matchSide::opponent)
        ++opponentWins;
    if (byTime) {
        enter(matchState::timeover, now);
        if (roundWinner == matchSide::draw)
            tracef("round %d: time over, drawn\n", round);
        else
            tracef("round %d: time over, %s wins on hit points\n", round, sideName(roundWinner));
        return matchEvent::timeUp;
    }
    enter(matchState::ko, now);
    doubleKnockout = roundWinner == matchSide::draw;
    if (doubleKnockout)
        tracef("round %d: double knockout, drawn\n", round);
    else
        tracef("round %d: %s wins by knockout\n", round, sideName(roundWinner));
    return matchEvent::knockout;
}

bool matchRules::decided() const {
    return playerWins >= winsNeeded() || opponentWins >= winsNeeded() || round >= roundsToPlay;
}

matchEvent matchRules::afterRound(Uint32 now) {
    if (!posed_ && inState(now) >= kWinPoseMs) {
        posed_ = true;
        if (roundWinner == matchSide::player || roundWinner == matchSide::opponent)
            return matchEvent::winPose;
    }
    if (inState(now) < kRoundEndMs)
        return matchEvent::nothing;
    if (!decided()) {
        ++round;
        beginRound(now);
        return matchEvent::nextRound;
    }
    // After the last round allowed, more rounds won still wins; equal is a draw.
    if (playerWins == opponentWins)
        winner = matchSide::draw;
    else
        winner = playerWins > opponentWins ? matchSide::player : matchSide::opponent;
    enter(matchState::over, now);
    if (winner == matchSide::draw)
        tracef("match: draw %d-%d\n", playerWins, opponentWins);
    else if (winner == matchSide::player)
        tracef("match: player wins %d-%d\n", playerWins, opponentWins);
    else
        tracef("match: opponent wins %d-%d\n", opponentWins, playerWins);
    return matchEvent::matchOver;
}

std::string matchRules::banner(Uint32 now) const {
    switch (state) {
    case matchState::intro:
        if (inState(now) < kRoundBannerMs)
            return "ROUND " + std::to_string(round);
        return "FIGHT";
    case matchState::fight:
        return "";
    case matchState::ko:
        return doubleKnockout ? "DOUBLE K.O." : "K.O.";
    case matchState::timeover:
        return "TIME";
    case matchState::over:
        if (winner == matchSide::player)
            return versus ? "1P WINS" : "YOU WIN";
        if (winner == matchSide::opponent)
            return versus ? "2P WINS" : "YOU LOSE";
        return "DRAW";
    }
    return "";
}

std::string matchRules::prompt() const {
    return state == matchState::over ? "ENTER: REMATCH  ESCAPE: QUIT" : "";
}

std::string matchRules::valuesText() const {
    char text[200];
    snprintf(text, sizeof text, "%d %d %d %d %d %d %d %d %d %u %u %u %d", roundsToPlay,
             versus ? 1 : 0, round, static_cast<int>(state), playerWins, opponentWins,
             static_cast<int>(roundWinner), static_cast<int>(winner), doubleKnockout ? 1 : 0,
             stateSince_, fightSince_, fightEnded_, posed_ ? 1 : 0);
    return text;
}
