#include "shell/trainingSession.h"

#include <cctype>
#include <cstdio>
#include <memory>

#include "fighter/fighter.h"
#include "match/frameData.h"
#include "moves/inputChecker.h"
#include "moves/moveSet.h"
#include "platform/traceLog.h"
#include "shell/game.h"
#include "shell/matchSession.h"
#include "shell/shell.h"

namespace {

std::string capitals(std::string s) {
    for (char& c : s)
        c = c == '-' ? ' ' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// A number of steps with its sign, as advantage is written.
std::string signedSteps(int n) {
    return (n > 0 ? "+" : "") + std::to_string(n);
}

bool inSet(const moveSet* set, const moveInfo* move) {
    if (!set || set->moves.empty())
        return false;
    return move >= &set->moves.front() && move <= &set->moves.back();
}

} // namespace

void trainingSession::startUp(Game& g, matchSession& m, dummyMode mode) {
    // The dummy takes frames as a player would, so it gets a player's command checker
    // on the opponent's (perhaps recoloured) moves.
    g.checker2 = std::make_unique<inputChecker>(g.basicAI.moveBank, &g.fighter2);
    g.player2.checker = g.checker2.get();
    m.sides[1].checker = g.checker2.get();
    panelReady_ = panel_.load(g.dataRoot + "/hud");
    panel_.attach(screen, back);
    tracef("screen: training\n");
    setMode(g, m, mode);
    outsideChanges = 0;
    Fighter* fighters[2] = {&g.vikings1, &g.fighter2};
    const playerControl* controls[2] = {&g.player1, &g.player2};
    m.drill.begin(fighters, controls);
}

void trainingSession::setMode(Game& g, matchSession& m, dummyMode mode, int level) {
    m.drill.mode = mode;
    if (level > 0)
        m.brain.level = level;
    playing_ = false;
    ++outsideChanges;
    chooseDummysHands(g, m);
    if (mode == dummyMode::cpu)
        tracef("training: dummy cpu %d\n", m.brain.level);
    else
        tracef("training: dummy %s\n", trainingRules::modeName(mode));
}

void trainingSession::chooseDummysHands(Game& g, matchSession& m) {
    bool computer = m.drill.mode == dummyMode::cpu && !recording_ && !playing_;
    fightSide& side = m.sides[1];
    if (computer && !side.brain) {
        side.playedBy(&m.brain, &g.player2);
        m.brain.resetForRound();
    } else if (!computer && side.brain) {
        side.brain = nullptr;
        g.player2.blocking = false;
    }
}

bool trainingSession::onKey(Game& g, matchSession& m, SDLKey key) {
    switch (key) {
    case SDLK_F1:
        saved_.save(g);
        hasSaved_ = true;
        tracef("training: position saved\n");
        return true;
    case SDLK_F2:
        if (!hasSaved_) {
            tracef("training: no position saved yet (F1 saves one)\n");
            return true;
        }
        saved_.restore(g);
        ++outsideChanges;
        tracef("training: position restored\n");
        return true;
    case SDLK_F3:
        toggleRecording(g, m);
        return true;
    case SDLK_F4:
        togglePlayback(g, m);
        return true;
    case SDLK_F5:
        // Made in the next step, where a step run again makes it too.
        m.askReset();
        return true;
    case SDLK_F6: {
        int next = (static_cast<int>(m.drill.mode) + 1) % (static_cast<int>(dummyMode::cpu) + 1);
        setMode(g, m, static_cast<dummyMode>(next));
        return true;
    }
    case SDLK_F7:
        m.brain.level = m.brain.level % 8 + 1;
        tracef("training: computer level %d\n", m.brain.level);
        return true;
    default:
        return false;
    }
}

void trainingSession::toggleRecording(Game& g, matchSession& m) {
    if (recording_) {
        recording_ = false;
        tracef("training: recorded %zu steps\n", recorded_.size());
        setMode(g, m, m.drill.mode);
        return;
    }
    recorded_.clear();
    playing_ = false;
    recording_ = true;
    // The player's keys drive the dummy, the computer's included.
    chooseDummysHands(g, m);
    ++outsideChanges;
    tracef("training: recording (the dummy takes your keys; F3 stops)\n");
}

void trainingSession::togglePlayback(Game& g, matchSession& m) {
    if (recording_)
        return;
    if (recorded_.empty()) {
        tracef("training: nothing recorded (F3 records)\n");
        return;
    }
    playing_ = !playing_;
    playAt_ = 0;
    chooseDummysHands(g, m);
    ++outsideChanges;
    tracef(playing_ ? "training: playback on\n" : "training: playback off\n");
}

inputFrame trainingSession::turned(const inputFrame& f, bool facingRight) {
    if (facingRight)
        return f;
    auto swap = [](uint8_t bits) {
        uint8_t sides = bits & (inputFrame::left | inputFrame::right);
        bits &= static_cast<uint8_t>(~(inputFrame::left | inputFrame::right));
        if (sides & inputFrame::left)
            bits |= inputFrame::right;
        if (sides & inputFrame::right)
            bits |= inputFrame::left;
        return bits;
    };
    inputFrame t = f;
    t.held = swap(f.held);
    for (int i = 0; i < t.pressCount; ++i)
        t.presses[i] = swap(f.presses[i]);
    return t;
}

void trainingSession::noteInput(const inputFrame& f) {
    uint8_t state = f.held & static_cast<uint8_t>(~inputFrame::rematch);
    // A tap shorter than a step shows for the step it came in.
    for (int i = 0; i < f.pressCount; ++i)
        state |= f.presses[i];
    if (!inputs_.empty() && inputs_.front().held == state) {
        ++inputs_.front().steps;
        return;
    }
    inputs_.push_front(inputShown{state, 1});
    while (inputs_.size() > trainingPanel::kInputLines)
        inputs_.pop_back();
}

stepInput trainingSession::nextInput(Game& g, matchSession& m) {
    stepInput in;
    inputFrame mine = m.frameOf(0);
    uint8_t reset = mine.held & inputFrame::rematch;
    mine.held &= static_cast<uint8_t>(~inputFrame::rematch);
    noteInput(mine);
    const Fighter& dummy = g.fighter2;
    in[0] = mine;
    in[0].held |= reset;
    if (recording_) {
        in[1] = mine;
        in[0] = inputFrame{};
        in[0].held = reset;
        recorded_.push_back(turned(mine, dummy.facingRight));
        if (recorded_.size() >= kMostRecordedSteps)
            toggleRecording(g, m);
    } else if (playing_ && !recorded_.empty()) {
        in[1] = turned(recorded_[playAt_], dummy.facingRight);
        playAt_ = (playAt_ + 1) % recorded_.size();
    } else if (m.drill.mode != dummyMode::cpu) {
        in[1] = m.drill.dummyFrame(dummy, g.vikings1);
    }
    return in;
}

trainingView trainingSession::view(Game& g, matchSession& m) const {
    trainingView v;
    v.inputs.assign(inputs_.begin(), inputs_.end());
    const trainingRules::values& d = m.drill.v;
    if (d.lastMove) {
        const moveInfo& move = *d.lastMove;
        bool opponents = inSet(g.basicAI.moveBank, &move);
        frameData f = frameDataOf(move, opponents ? g.fighter2.speed : g.vikings1.speed);
        const trainingRules::advantage* a = m.drill.advantageOf(&move);
        v.frameLines = {capitals(f.name),
                        "DAMAGE " + std::to_string(f.damage),
                        "STARTUP " + std::to_string(f.startup),
                        "ACTIVE " + std::to_string(f.active),
                        "RECOVERY " + std::to_string(f.recovery),
                        "ON HIT " + (a && a->onHitKnown ? signedSteps(a->onHit) : "-"),
                        "ON BLOCK " + (a && a->onBlockKnown ? signedSteps(a->onBlock) : "-")};
    } else {
        v.frameLines = {"FRAME DATA", "HIT THE DUMMY"};
    }
    if (d.shown.hits > 0)
        v.combo = std::to_string(d.shown.hits) + (d.shown.hits == 1 ? " HIT " : " HITS ") +
                  std::to_string(d.shown.damage);
    std::string mode = m.drill.mode == dummyMode::cpu
                           ? "CPU LEVEL " + std::to_string(m.brain.level)
                           : capitals(trainingRules::modeName(m.drill.mode));
    v.status = "DUMMY: " + mode;
    if (recording_)
        v.status = "RECORDING " + std::to_string(recorded_.size());
    else if (playing_)
        v.status += "  PLAYBACK";
    v.keys = "F1 SAVE F2 LOAD F3 REC F4 PLAY F5 RESET F6 DUMMY F7 LEVEL";
    return v;
}

void trainingSession::drawChanges(Game& g, matchSession& m) {
    panel_.drawChanges(view(g, m));
}

void trainingSession::drawOver(Game& g, size_t mark) {
    panel_.drawOver(g.presenter, mark);
}
