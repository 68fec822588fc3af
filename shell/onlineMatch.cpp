#include "shell/onlineMatch.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sstream>

#include "match/replayFile.h"
#include "net/netLink.h"
#include "net/netMessage.h"
#include "platform/gameClock.h"
#include "platform/traceLog.h"
#include "shell/game.h"
#include "shell/matchSession.h"
#include "shell/onlineSetup.h"

namespace {

constexpr int kMostStepsAPass = 10; // after a stall, the rest is skipped

double quantile(std::vector<double> v, double q) {
    if (v.empty())
        return 0.0;
    std::sort(v.begin(), v.end());
    size_t i = static_cast<size_t>(q * static_cast<double>(v.size() - 1) + 0.5);
    return v[std::min(i, v.size() - 1)];
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

std::string fieldName(const std::string& line) {
    return line.substr(0, line.find(' '));
}

} // namespace

const char* onlineMatch::endingName(ending e) {
    switch (e) {
    case ending::left:
        return "you left";
    case ending::opponentLeft:
        return "your opponent left";
    case ending::opponentGone:
        return "your opponent is gone";
    case ending::desync:
        return "desync";
    case ending::backToSelect:
        return "back to the select screen";
    default:
        return "playing";
    }
}

void onlineMatch::begin(Game& g) {
    matchSession& m = *g.match;
    int remoteSide = 1 - localSide;
    m.sides[remoteSide].remote = true;
    // Each player plays on their own first player's keys, whichever side they are.
    m.sides[localSide].device.attach(&g.GPad);
    m.sides[remoteSide].device.attach(nullptr);
    m.pausable = false;
    exchange_.reset(inputDelay);
    std::fill(std::begin(saved_), std::end(saved_), -1);
    clockAt_ = m.clockReading();
    lastHeard_ = unpinnedTicks();
}

long onlineMatch::confirmed(const Game& g) const {
    return std::min(exchange_.remoteEnd(), g.match->stepNumber);
}

bool onlineMatch::runPass(Game& g, bool draw) {
    if (live_)
        return watchPass(g, draw);
    matchSession& m = *g.match;
    if (!ending_) {
        m.readEvents(g);
        // Backspace after the match takes both players back to the select screen.
        if (g.player1.quit)
            startEnding(g, m.stepNumber, m.backToSelect ? ending::backToSelect : ending::left);
    }
    receive(g);
    if (ending_)
        finish(g);
    else
        runDueSteps(g);
    sendInputs(g);
    feedWatchers(g);
    checkpoints(g);
    compareChecksums(g);
    sayNotice(g);
    if (draw)
        m.drawScene(g);
    // What online play says goes out as it happens, also into a log file: a player or a
    // test waiting on "your opponent left" need not wait for the buffer to fill.
    fflush(stdout);
    return !done_;
}

void onlineMatch::receive(Game& g) {
    netLink::event e;
    long firstNew = -1;
    for (int n = 0; n < 256 && link->poll(e, 0); ++n) {
        if (e.peer != peer) {
            // A watcher may come in during a match; nobody else may.
            if (host)
                host->otherPeer(e);
            else if (e.what == netLink::event::connected)
                link->drop(e.peer);
            continue;
        }
        if (e.what == netLink::event::disconnected) {
            if (!ending_)
                printf("online: your opponent is gone\n");
            how = how == ending::playing ? ending::opponentGone : how;
            endNow(g);
            return;
        }
        if (e.what == netLink::event::message) {
            lastHeard_ = unpinnedTicks();
            takeMessage(g, e.bytes, firstNew);
        }
    }
    if (firstNew >= 0)
        rollBackFrom(g, firstNew);
    if (!done_ && unpinnedTicks() - lastHeard_ >= kGoneMs) {
        printf("online: your opponent is gone\n");
        how = how == ending::playing ? ending::opponentGone : how;
        endNow(g);
    }
}

void onlineMatch::takeMessage(Game& g, const std::string& bytes, long& firstNew) {
    const uint8_t* data = reinterpret_cast<const uint8_t*>(bytes.data());
    size_t size = bytes.size();
    switch (messageType(data, size)) {
    case netType::inputs: {
        inputsMessage m;
        long first = -1;
        if (decode(data, size, m) && m.match != matchNumber)
            return; // late, from the match before
        if (!decode(data, size, m) || !exchange_.take(m, first)) {
            ++dropped;
            return;
        }
        if (first >= 0 && (firstNew < 0 || first < firstNew))
            firstNew = first;
        return;
    }
    case netType::checksum: {
        checksumMessage m;
        if (!decode(data, size, m) || m.step % kChecksumEvery != 0) {
            ++dropped;
            return;
        }
        if (m.match != matchNumber)
            return;
        theirs_[m.step] = m.value;
        return;
    }
    case netType::quit: {
        quitMessage m;
        if (!decode(data, size, m)) {
            ++dropped;
            return;
        }
        if (m.match != matchNumber)
            return;
        if (!ending_)
            printf(m.back ? "online: back to the select screen\n" : "online: your opponent left\n");
        peerEnd_ = m.step;
        startEnding(g, m.step, m.back ? ending::backToSelect : ending::opponentLeft);
        return;
    }
    case netType::desync: {
        desyncMessage m;
        if (!decode(data, size, m)) {
            ++dropped;
            return;
        }
        if (desyncStep < 0)
            foundDesync(g, m.step);
        theirValues_ = m.state;
        writeDump(theirValues_);
        endNow(g);
        return;
    }
    default:
        ++dropped;
        return;
    }
}

// The first step whose peer's frame, now known, differs from the one the fight ran on;
// the fight goes back to it and runs again to where it was.
void onlineMatch::rollBackFrom(Game& g, long firstNew) {
    matchSession& m = *g.match;
    int remoteSide = 1 - localSide;
    long upTo = std::min(exchange_.remoteEnd(), m.stepNumber);
    long wrong = -1;
    for (long step = firstNew; step < upTo; ++step)
        if (m.inputs[static_cast<size_t>(step)][remoteSide] != exchange_.remote(step)) {
            wrong = step;
            break;
        }
    if (wrong < 0)
        return;
    const fightState& back = states_[wrong % kKeptStates];
    if (saved_[wrong % kKeptStates] != wrong)
        return; // further back than is kept: cannot happen within the prediction bound
    auto start = std::chrono::steady_clock::now();
    long now = m.stepNumber;
    back.restore(g);
    for (long step = wrong; step < now; ++step) {
        if (step != wrong)
            saveState(g, step);
        m.stepSilently(g, inputOf(step));
    }
    double us =
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
    ++rollbacks;
    stepsRunAgain += now - wrong;
    largestRollback = std::max(largestRollback, now - wrong);
    if (rollbackUs.size() < 1000000)
        rollbackUs.push_back(us);
}

stepInput onlineMatch::inputOf(long step) const {
    stepInput in;
    in[localSide] = exchange_.local(step);
    in[1 - localSide] = exchange_.remote(step);
    return in;
}

void onlineMatch::saveState(Game& g, long step) {
    int slot = static_cast<int>(step % kKeptStates);
    states_[slot].save(g);
    saved_[slot] = step;
}

void onlineMatch::runDueSteps(Game& g) {
    matchSession& m = *g.match;
    Uint32 now = unpinnedTicks();
    for (int ran = 0; now - clockAt_ >= matchSession::kStepMs; ++ran) {
        if (ran == kMostStepsAPass) {
            clockAt_ = now;
            break;
        }
        if (m.stepNumber - exchange_.remoteEnd() >= inputExchange::kMostPredicted) {
            // Too far ahead of what the peer has sent: wait, without owing the time.
            if (waitingSince_ == 0)
                waitingSince_ = now;
            ++waits;
            clockAt_ = now;
            return;
        }
        waitingSince_ = 0;
        clockAt_ += matchSession::kStepMs;
        if (slowDown(g))
            continue;
        runOneStep(g);
    }
}

// The side that runs ahead of the other lets a step go by now and then, so the two
// keep their step counts together without a pause anyone sees.
bool onlineMatch::slowDown(const Game& g) {
    double rttSteps = link->roundTrip(peer) / 2.0 / matchSession::kStepMs;
    double ahead = static_cast<double>(g.match->stepNumber) -
                   (static_cast<double>(exchange_.peerAt()) + rttSteps);
    advantage_ = 0.9 * advantage_ + 0.1 * ahead;
    return advantage_ > 1.5 && ++slowCount_ % 6 == 0;
}

void onlineMatch::runOneStep(Game& g) {
    matchSession& m = *g.match;
    long step = m.stepNumber;
    exchange_.addLocal(m.frameOf(localSide));
    saveState(g, step);
    m.step(g, inputOf(step));
    perturbOnce(g);
}

// For the desync test only: once every frame up to now is confirmed, so no rollback
// can undo it, this side's fight is put out of step by a hit point.
void onlineMatch::perturbOnce(Game& g) {
    matchSession& m = *g.match;
    if (perturbAt < 0 || perturbed_ || m.stepNumber < perturbAt ||
        exchange_.remoteEnd() < m.stepNumber)
        return;
    perturbed_ = true;
    g.fighter2.hitPoints -= 1;
    printf("test: this side's fight put out of step after step %ld\n", m.stepNumber);
}

void onlineMatch::sendInputs(const Game& g) {
    if (done_)
        return;
    inputsMessage m = exchange_.outgoing(g.match->stepNumber);
    m.match = matchNumber;
    link->send(peer, encode(m), false);
}

void onlineMatch::checkpoints(Game& g) {
    long upTo = confirmed(g);
    while (nextCheck_ <= upTo) {
        long step = nextCheck_;
        nextCheck_ += kChecksumEvery;
        fightState now;
        const fightState* state = nullptr;
        if (g.match->stepNumber == step) {
            now.save(g);
            state = &now;
        } else if (saved_[step % kKeptStates] == step) {
            state = &states_[step % kKeptStates];
        }
        if (!state)
            continue;
        uint32_t value = state->checksum(g);
        mine_[step] = value;
        std::string values;
        for (const std::string& line : state->describe(g))
            values += line + "\n";
        myValues_[step] = values;
        while (myValues_.size() > 8)
            myValues_.erase(myValues_.begin());
        checksumMessage sum;
        sum.match = matchNumber;
        sum.step = static_cast<uint32_t>(step);
        sum.value = value;
        link->send(peer, encode(sum), true);
    }
}

void onlineMatch::compareChecksums(Game& g) {
    for (auto it = theirs_.begin(); it != theirs_.end();) {
        auto mine = mine_.find(it->first);
        if (mine == mine_.end()) {
            ++it;
            continue;
        }
        if (mine->second != it->second && desyncStep < 0) {
            foundDesync(g, it->first);
            return;
        }
        it = theirs_.erase(it);
    }
    // Checks both sides agreed on are no longer needed.
    while (mine_.size() > 64)
        mine_.erase(mine_.begin());
}

void onlineMatch::foundDesync(Game& g, long step) {
    desyncStep = step;
    how = ending::desync;
    printf("desync at step %ld\n", step);
    desyncMessage m;
    m.step = static_cast<uint32_t>(step);
    auto values = myValues_.find(step);
    if (values != myValues_.end())
        m.state = values->second;
    link->send(peer, encode(m), true);
    link->flush();
    if (!theirValues_.empty())
        writeDump(theirValues_);
    // The peer's values come soon; until then, or a moment, the match waits for them.
    ending_ = true;
    endStep_ = g.match->stepNumber;
    endingSince_ = unpinnedTicks();
}

// Both sides' values at the desync, and the first field that differs.
void onlineMatch::writeDump(const std::string& theirs) {
    if (!dumpPath.empty() || desyncStep < 0)
        return;
    auto values = myValues_.find(desyncStep);
    std::vector<std::string> mine = lines(values != myValues_.end() ? values->second : "");
    std::vector<std::string> other = lines(theirs);
    std::string first = "(none found: the values agree)";
    for (size_t i = 0; i < std::max(mine.size(), other.size()); ++i) {
        std::string a = i < mine.size() ? mine[i] : "";
        std::string b = i < other.size() ? other[i] : "";
        if (a != b) {
            first = fieldName(a.empty() ? b : a) + ": here \"" + a + "\", there \"" + b + "\"";
            break;
        }
    }
    std::string path = (dumpFolder.empty() ? std::string(".") : dumpFolder) + "/desync-step-" +
                       std::to_string(desyncStep) + "-side-" + std::to_string(localSide + 1) +
                       ".txt";
    FILE* f = fopen(path.c_str(), "w");
    if (!f) {
        fprintf(stderr, "brawler: could not write the desync dump %s\n", path.c_str());
        return;
    }
    fprintf(f, "desync at step %ld\nfirst field that differs: %s\n\n# here\n", desyncStep,
            first.c_str());
    for (const std::string& line : mine)
        fprintf(f, "%s\n", line.c_str());
    fprintf(f, "\n# there\n");
    for (const std::string& line : other)
        fprintf(f, "%s\n", line.c_str());
    fclose(f);
    dumpPath = path;
    printf("desync: first field that differs: %s\ndesync: dump written to %s\n", first.c_str(),
           path.c_str());
}

// Each side proposes the last step (the step it had reached, or the other's proposal if
// lower) and says so again whenever its proposal falls; both end on the lowest. A side
// stops only once the other's newest proposal is its own, so neither leaves the other
// waiting on a word lost with the side that left.
void onlineMatch::startEnding(Game& g, long step, ending why) {
    (void)g;
    if (!ending_) {
        ending_ = true;
        endStep_ = step;
        endingSince_ = unpinnedTicks();
        if (how == ending::playing)
            how = why;
    } else if (step >= endStep_) {
        return;
    }
    endStep_ = std::min(endStep_, step);
    quitMessage q;
    q.match = matchNumber;
    q.step = static_cast<uint32_t>(endStep_);
    q.back = how == ending::backToSelect;
    link->send(peer, encode(q), true);
}

// Leaving: both sides run to the same last step on confirmed frames, then stop.
void onlineMatch::finish(Game& g) {
    matchSession& m = *g.match;
    bool late = unpinnedTicks() - endingSince_ >= kMostFinishMs;
    if (how == ending::desync) {
        if (late || !dumpPath.empty())
            endNow(g);
        return;
    }
    if (m.stepNumber > endStep_ && saved_[endStep_ % kKeptStates] == endStep_)
        states_[endStep_ % kKeptStates].restore(g);
    while (m.stepNumber < endStep_ && exchange_.remoteEnd() > m.stepNumber) {
        saveState(g, m.stepNumber);
        m.stepSilently(g, inputOf(m.stepNumber));
    }
    // This side's fight is final once both agree on the step and it ran on both sides'
    // frames; it stays while the other may still lack some of its frames or its word, up
    // to a limit (a side that vanished cannot hold it for ever).
    bool final =
        m.stepNumber == endStep_ && peerEnd_ == endStep_ && exchange_.remoteEnd() >= endStep_;
    // The other side has this side's frames and its last word (ENet has it acknowledged):
    // this side may go without leaving the other waiting.
    bool theyHaveOurs =
        exchange_.peerAck() >= std::min(endStep_, exchange_.localEnd()) && link->allDelivered(peer);
    if ((final && theyHaveOurs) || late) {
        finalConfirmed = final;
        endNow(g);
    }
}

void onlineMatch::endNow(Game& g) {
    if (done_)
        return;
    done_ = true;
    ending_ = true;
    matchSession& m = *g.match;
    finalStep = m.stepNumber;
    fightState now;
    now.save(g);
    finalChecksum = now.checksum(g);
    // Watchers get every step up to the end, then the end.
    feedWatchers(g, true);
    tellWatchersTheEnd();
    link->flush();
}

std::string onlineMatch::summary() const {
    char line[160];
    snprintf(line, sizeof line, "checksum %08x at step %ld%s", finalChecksum, finalStep,
             finalConfirmed ? "" : " (not confirmed by the other side)");
    return line;
}

std::string onlineMatch::rollbackFigures() const {
    char line[200];
    snprintf(line, sizeof line,
             "rollbacks: %ld, %ld steps run again, largest %ld; time p50 %.0f us, p99 %.0f us; "
             "waited %ld passes; dropped %ld messages",
             rollbacks, stepsRunAgain, largestRollback, quantile(rollbackUs, 0.5),
             quantile(rollbackUs, 0.99), waits, dropped);
    return line;
}

void onlineMatch::sayNotice(Game& g) {
    matchSession& m = *g.match;
    Uint32 now = unpinnedTicks();
    std::string notice;
    if (now - lastHeard_ >= kUnstableMs)
        notice = "CONNECTION UNSTABLE";
    else if (waitingSince_ != 0 && now - waitingSince_ >= kSayWaitingMs)
        notice = "WAITING FOR YOUR OPPONENT";
    if (notice != m.notice && !notice.empty())
        printf("online: %s\n", notice == "CONNECTION UNSTABLE" ? "connection unstable"
                                                               : "waiting for your opponent");
    m.notice = notice;
}

// Each watcher gets the match's start once, then every confirmed step, in runs of at most
// a message's worth and a few runs a pass, so one who comes in late catches up without a
// burst that would crowd the players' own traffic.
void onlineMatch::feedWatchers(const Game& g, bool all) {
    if (!host)
        return;
    const matchSession& m = *g.match;
    long upTo = std::min(confirmed(g), static_cast<long>(m.inputs.size()));
    for (int w : host->watchers) {
        auto sent = watcherSent_.find(w);
        if (sent == watcherSent_.end()) {
            link->send(w, encode(agreed), true);
            sent = watcherSent_.emplace(w, 0).first;
        }
        for (int run = 0; (all || run < 8) && sent->second < upTo; ++run) {
            stepsMessage steps;
            steps.match = agreed.match;
            steps.first = static_cast<uint32_t>(sent->second);
            long end = std::min(upTo, sent->second + kMostFrames);
            steps.steps.assign(m.inputs.begin() + sent->second, m.inputs.begin() + end);
            link->send(w, encode(steps), true);
            sent->second = end;
        }
    }
}

void onlineMatch::tellWatchersTheEnd() {
    if (!host)
        return;
    quitMessage q;
    q.match = agreed.match;
    q.step = static_cast<uint32_t>(finalStep);
    for (int w : host->watchers)
        link->send(w, encode(q), true);
}

void onlineMatch::watch(Game& g, replayFile* live) {
    live_ = live;
    matchSession& m = *g.match;
    m.playbackLive = true;
    lastHeard_ = unpinnedTicks();
}

// Watching: the host's steps come in and the match plays them; far behind (a watcher who
// came in late) it plays at four times the speed until it has caught up.
bool onlineMatch::watchPass(Game& g, bool draw) {
    matchSession& m = *g.match;
    netLink::event e;
    for (int n = 0; n < 256 && link->poll(e, 0); ++n) {
        if (e.what == netLink::event::disconnected) {
            printf("online: the host is gone\n");
            how = ending::opponentGone;
            return false;
        }
        if (e.what != netLink::event::message)
            continue;
        lastHeard_ = unpinnedTicks();
        const uint8_t* data = reinterpret_cast<const uint8_t*>(e.bytes.data());
        stepsMessage steps;
        quitMessage q;
        if (decode(data, e.bytes.size(), steps) && steps.match == agreed.match) {
            long have = static_cast<long>(live_->steps.size());
            long first = steps.first;
            for (long i = std::max(have, first) - first; i < static_cast<long>(steps.steps.size());
                 ++i)
                live_->steps.push_back(steps.steps[static_cast<size_t>(i)]);
        } else if (decode(data, e.bytes.size(), q) && q.match == agreed.match) {
            liveEnd_ = q.step;
        } else {
            ++dropped;
        }
    }
    long behind = static_cast<long>(live_->steps.size()) - m.stepNumber;
    m.playbackSpeed = behind > 90 ? 4 : m.playbackSpeed == 4 && behind > 10 ? 4 : 1;
    bool more = m.runPass(g, draw);
    fflush(stdout);
    if (liveEnd_ >= 0 && m.stepNumber >= liveEnd_) {
        // The players' own last step: the watcher's fight must be theirs.
        finalConfirmed = true;
        endNow(g);
        printf("online: the match is over: %s\n", summary().c_str());
        how = ending::opponentLeft;
        return false;
    }
    return more;
}
