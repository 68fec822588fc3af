#include "tools/runner/fightRunner.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>

#include "ai/randomNumber.h"
#include "config/controlsFile.h"
#include "platform/debugOverlay.h"
#include "platform/keyFeed.h"
#include "platform/manualClock.h"
#include "platform/gameClock.h"
#include "shell/game.h"
#include "fighter/characterRoster.h"
#include "shell/matchSession.h"
#include "shell/onlineMatch.h"
#include "shell/onlineSetup.h"
#include "shell/shell.h"
#include "shell/trainingSession.h"
#include "tools/runner/passTimes.h"
#include "tools/runner/randomPlayer.h"
#include "tools/runner/residentMemory.h"

namespace {

// The clock's reading during start-up; passes start one pass later.
constexpr Uint32 kStartUpMs = 1000;

using steadyClock = std::chrono::steady_clock;

double msSince(steadyClock::time_point start) {
    return std::chrono::duration<double, std::milli>(steadyClock::now() - start).count();
}

// Resident memory is read once a virtual minute.
constexpr long kMinuteMs = 60000;

bool compare(long got, const std::string& op, long want) {
    if (op == "=")
        return got == want;
    if (op == "!=")
        return got != want;
    if (op == "<")
        return got < want;
    return got > want;
}

// Leaves no key held and no event queued from an earlier run in this process.
void clearKeys() {
    for (int k = SDLK_FIRST; k < SDLK_LAST; ++k)
        feedKeyHeld(static_cast<SDLKey>(k), false);
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
    }
}

} // namespace

// A path a script names, taken from the script's own folder unless it is absolute.
std::string FightRunner::besideScript(const FightScript& script, const std::string& path) {
    size_t slash = script.name.rfind('/');
    if (path[0] == '/' || slash == std::string::npos)
        return path;
    return script.name.substr(0, slash + 1) + path;
}

std::string FightRunner::dataRootFor(const FightScript& script) {
    return script.dataDir.empty() ? "data" : besideScript(script, script.dataDir);
}

// The script's controls file, relative to the script as its data folder is; its warnings
// go where the game's own do.
void FightRunner::loadScriptControls(const FightScript& script, Game& game) {
    std::vector<std::string> warnings;
    game.controls = loadControls(besideScript(script, script.controlsFile), warnings);
    for (const std::string& w : warnings)
        fprintf(stderr, "%s\n", w.c_str());
}

FightSummary FightRunner::run(const FightScript& script) {
    failures.clear();
    tapped_.clear();
    syncStates_.clear();
    changedOutside_ = false;
    trainingChanges_ = 0;
    idle_ = false;
    debugging = false;
    clearKeys();

    FightSummary summary;
    summary.script = script.name;
    summary.seed = script.seed;
    summary.msPerPass = script.msPerPass;
    summary.noPicture = noPicture;
    if (syncSteps > 0)
        summary.syncSteps = 0;

    ManualClock clock(kStartUpMs);
    Game game;
    game.dataRoot = dataRootFor(script);
    game.presenter.presentAll = presentAll;
    game.matchMode = script.match;
    game.trainingMode = script.training;
    game.matchRounds = script.rounds;
    game.roundSeconds = script.roundSeconds;
    game.versusMode = script.versus;
    game.playerCharacter = script.playerCharacter;
    if (!script.controlsFile.empty())
        loadScriptControls(script, game);
    game.opponentCharacter = script.opponentCharacter;
    game.fightSeed = script.seed;
    game.fightRules = script.rules;
    game.cpuLevel = script.cpu;
    replayFile ownReplay;
    const replayFile* input = playback;
    if (!input && !script.replayFile.empty()) {
        std::string error;
        if (ownReplay.load(besideScript(script, script.replayFile), error))
            input = &ownReplay;
        else
            failures.push_back(script.name + ": " + error);
    }
    if (input)
        game.watch(*input);
    auto wallStart = steadyClock::now();
    std::unique_ptr<onlineSetup> net;
    if (online) {
        game.matchMode = true;
        game.versusMode = true;
        net = std::make_unique<onlineSetup>();
        if (!connect(*net, script, game, clock)) {
            clearKeys();
            return summary;
        }
    }
    game.startUp();
    if (online) {
        game.online = std::make_unique<onlineMatch>();
        onlineMatch& o = *game.online;
        o.link = &net->link;
        o.peer = net->peer;
        o.localSide = online->hosting ? 0 : 1;
        o.inputDelay = online->inputDelay;
        o.perturbAt = online->desyncAt;
        o.dumpFolder = online->dumpFolder;
        if (online->hosting) {
            // A game may watch the runner's match.
            o.host = net.get();
            o.agreed = net->start;
        }
        o.begin(game);
    }
    game.presenter.keepShadow(keepShadow);
    summary.startUpMs = msSince(wallStart);
    g_randomNumber.seed(script.seed);

    // Same times run in file order: a stable sort keeps it.
    std::vector<ScriptStep> steps = script.steps;
    std::stable_sort(steps.begin(), steps.end(),
                     [](const ScriptStep& a, const ScriptStep& b) { return a.timeMs < b.timeMs; });
    size_t nextBefore = 0;
    size_t nextAfter = 0;
    auto nextOfKind = [&](size_t i, bool beforePass) {
        while (i < steps.size() && steps[i].beforePass() != beforePass)
            ++i;
        return i;
    };
    nextBefore = nextOfKind(0, true);
    nextAfter = nextOfKind(0, false);

    PassTimes passTimes;
    RandomPlayer randomPlayer(script.seed);
    long last = script.lastPassMs();
    // A replay is played to its last step, whatever the script's lines reach.
    if (input)
        last = std::max(last, (static_cast<long>(input->steps.size()) - 1) * script.msPerPass);
    long passMs = 0;
    long nextMinuteMs = kMinuteMs;
    auto realStart = steadyClock::now();
    for (long k = 0;; ++k) {
        passMs = k * script.msPerPass;
        if (online) {
            // Online the other side runs on the real clock: so does this one.
            std::this_thread::sleep_until(realStart + std::chrono::milliseconds(passMs));
            clock.set(kStartUpMs + static_cast<Uint32>(msSince(wallStart)));
            // At the script's end this side leaves, and both run to the same last step.
            if (passMs >= last)
                game.player1.quit = 1;
        } else {
            clock.set(kStartUpMs + static_cast<Uint32>(script.msPerPass + passMs));
        }
        for (SDLKey key : tapped_)
            feedKeyUp(key);
        tapped_.clear();
        if (script.randomInput)
            randomPlayer.step();
        for (; nextBefore < steps.size() && steps[nextBefore].timeMs <= passMs;
             nextBefore = nextOfKind(nextBefore + 1, true))
            before(steps[nextBefore], game);
        for (const ScriptRepeat& r : script.repeats)
            for (const ScriptStep& s : r.steps)
                if (r.dueAt(s.timeMs, passMs, script.msPerPass))
                    before(s, game);
        // A match holds the computer still inside its steps, where a step run again
        // holds it too.
        if (game.match)
            game.match->computerIdle = idle_;
        else if (idle_)
            game.basicAI.standIdle();

        auto passStart = steadyClock::now();
        bool more = noPicture && game.match ? game.match->runPass(game, false) : game.runPass();
        passTimes.add(msSince(passStart) * 1000.0);
        summary.passes = k + 1;
        if (passMs >= nextMinuteMs) {
            summary.residentKbByMinute.push_back(residentMemoryKb());
            nextMinuteMs += kMinuteMs;
        }
        if (syncSteps > 0 && game.match)
            syncTest(game, summary);
        if (afterPass)
            afterPass(passMs, game);

        for (; nextAfter < steps.size() && steps[nextAfter].timeMs <= passMs;
             nextAfter = nextOfKind(nextAfter + 1, false))
            after(steps[nextAfter], game, passMs, summary);
        if (!more) {
            summary.endedByEscape = passMs < last;
            break;
        }
        if (script.endAtMatchOver && game.match && game.match->rules.state == matchState::over)
            break;
        if (passMs >= last && !online)
            break;
        if (online && passMs >= last + online->mostWaitMs)
            break;
    }
    // Checks the run never reached, the game having ended first, did not hold.
    for (; nextAfter < steps.size(); nextAfter = nextOfKind(nextAfter + 1, false))
        if (steps[nextAfter].kind == ScriptStep::Expect) {
            const ScriptStep& s = steps[nextAfter];
            failures.push_back(script.name + ":" + std::to_string(s.line) + ": expected " + s.who +
                               " " + s.field + " " + s.op + " " + s.value + " at " +
                               std::to_string(s.timeMs) + " ms, got no pass: the game ended at " +
                               std::to_string(passMs) + " ms");
            ++summary.expectationsFailed;
        }
    summary.wallMs = msSince(wallStart);
    summary.virtualMs = summary.passes * script.msPerPass;

    summary.passMedianUs = passTimes.quantile(0.5);
    summary.passP99Us = passTimes.quantile(0.99);
    summary.passesPerSecond =
        passTimes.totalUs() > 0.0 ? summary.passes * 1e6 / passTimes.totalUs() : 0.0;

    summary.playerHp = game.vikings1.hitPoints;
    summary.playerMaxHp = game.vikings1.maxHitPoints;
    summary.opponentHp = game.fighter2.hitPoints;
    summary.opponentMaxHp = game.fighter2.maxHitPoints;
    summary.particlesSpawned = game.pList.spawnCount;
    // In a match the second side's controller took the hits, whoever played it.
    const playerControl& opponent = game.match ? game.player2 : game.basicAI;
    summary.hitsOnOpponent = opponent.hitsTaken;
    summary.hitsOnPlayer = game.player1.hitsTaken;
    summary.blockedByOpponent = opponent.hitsBlocked;
    summary.blockedByPlayer = game.player1.hitsBlocked;
    if (game.match) {
        const matchRules& rules = game.match->rules;
        summary.matchResult = std::string(matchRules::stateName(rules.state)) + " in round " +
                              std::to_string(rules.round) + ", rounds won: player " +
                              std::to_string(rules.playerWins) + ", opponent " +
                              std::to_string(rules.opponentWins) +
                              ", winner: " + matchRules::sideName(rules.winner);
    }
    if (online)
        onlineFigures(game, *net, summary);
    if (record)
        recorded = game.replayOfMatch();
    // Nothing of this run may stay held into the next one in this process.
    randomPlayer.releaseAll();
    clearKeys();
    return summary;
}

// Hosts or joins; false, with the reason in `failures`, when no match was agreed.
bool FightRunner::connect(onlineSetup& net, const FightScript& script, Game& game,
                          ManualClock& clock) {
    helloMessage mine =
        onlineSetup::hello(game.dataRoot, listCharacters(game.dataRoot), script.playerCharacter);
    // The clock runs from here on the real one, and never back.
    auto start = steadyClock::now();
    auto tick = [&](const std::string&) {
        clock.set(kStartUpMs + static_cast<Uint32>(msSince(start)));
        return msSince(start) < online->mostWaitMs;
    };
    std::string error;
    startMessage proposed;
    proposed.seed = script.seed;
    proposed.rounds = static_cast<uint8_t>(script.rounds);
    proposed.roundSeconds = static_cast<uint8_t>(script.roundSeconds);
    bool agreed = online->hosting ? net.hostMatch(online->port, mine, proposed, tick, error)
                                  : net.joinMatch(online->host, online->port, mine, tick, error);
    if (!agreed) {
        failures.push_back(script.name + ": online: " +
                           (error.empty() ? "no player came within the time" : error));
        return false;
    }
    game.playerCharacter = net.start.characters[0];
    game.opponentCharacter = net.start.characters[1];
    game.matchRounds = net.start.rounds;
    game.roundSeconds = net.start.roundSeconds;
    game.matchStartHp = net.start.startHp;
    game.fightSeed = net.start.seed;
    return true;
}

void FightRunner::onlineFigures(const Game& game, const onlineSetup& net, FightSummary& summary) {
    const onlineMatch& o = *game.online;
    double seconds = std::max(0.001, summary.wallMs / 1000.0);
    summary.onlineLines.push_back(std::string(online->hosting ? "host" : "joined") +
                                  ", ended: " + onlineMatch::endingName(o.how));
    summary.onlineLines.push_back(o.rollbackFigures());
    char line[160];
    snprintf(line, sizeof line, "bandwidth: %.0f bytes/s sent, %.0f received; round trip %u ms",
             net.link.bytesSent() / seconds, net.link.bytesReceived() / seconds,
             net.link.roundTrip(net.peer));
    summary.onlineLines.push_back(line);
    summary.onlineChecksum = o.summary();
    if (o.how == onlineMatch::ending::desync)
        failures.push_back(summary.script + ": desync at step " + std::to_string(o.desyncStep));
}

void FightRunner::before(const ScriptStep& step, Game& game) {
    switch (step.kind) {
    case ScriptStep::Press:
        feedKeyDown(step.key);
        break;
    case ScriptStep::Release:
        feedKeyUp(step.key);
        break;
    case ScriptStep::Tap:
        feedKeyDown(step.key);
        tapped_.push_back(step.key);
        break;
    case ScriptStep::OpponentIdle:
        changedOutside_ = true;
        idle_ = true;
        break;
    case ScriptStep::OpponentActive:
        changedOutside_ = true;
        // Out of the idle stand, the opponent looks at the player at its next step.
        if (idle_) {
            game.basicAI.state = stateThink;
            game.basicAI.timer = 0.0f;
        }
        idle_ = false;
        break;
    case ScriptStep::SetHp: {
        changedOutside_ = true;
        Fighter& f = step.who == "player" ? game.vikings1 : game.fighter2;
        f.hitPoints = static_cast<int>(std::min<long>(step.number, f.maxHitPoints));
        break;
    }
    case ScriptStep::Dummy: {
        if (!game.match || !game.match->trainer)
            break;
        dummyMode mode = dummyMode::stand;
        trainingRules::modeNamed(step.value, mode);
        game.match->trainer->setMode(game, *game.match, mode, static_cast<int>(step.number));
        break;
    }
    case ScriptStep::Place: {
        changedOutside_ = true;
        Fighter& moved = step.who == "player" ? game.vikings1 : game.fighter2;
        moved.x = static_cast<int>(step.number);
        game.vikings1.setDir(game.fighter2.x > game.vikings1.x);
        game.fighter2.setDir(game.vikings1.x > game.fighter2.x);
        break;
    }
    default:
        break;
    }
}

// The state after this pass is put aside; the state of `syncSteps` steps ago is put
// back and those steps run again, silently, from the frames they took; both must agree.
// A change the script made between steps (a place, a hit point setting) is
// not in the frames, so the test starts afresh after one.
void FightRunner::syncTest(Game& game, FightSummary& summary) {
    matchSession& m = *game.match;
    // Training's keys may put a position back or change the dummy between steps.
    if (m.trainer && m.trainer->outsideChanges != trainingChanges_) {
        trainingChanges_ = m.trainer->outsideChanges;
        changedOutside_ = true;
    }
    if (changedOutside_) {
        syncStates_.clear();
        changedOutside_ = false;
    }
    fightState now;
    now.save(game);
    size_t n = static_cast<size_t>(syncSteps);
    if (!syncStates_.empty() && now.stepNumber - syncStates_.front().stepNumber >= syncSteps) {
        const fightState& from = syncStates_.front();
        std::vector<stepInput> frames(m.inputs.begin() + from.stepNumber, m.inputs.end());
        from.restore(game);
        for (const stepInput& in : frames)
            m.stepSilently(game, in);
        fightState again;
        again.save(game);
        summary.syncSteps += 1;
        if (again.checksum(game) != now.checksum(game)) {
            ++summary.syncMismatches;
            if (summary.syncMismatches <= 3) {
                std::vector<std::string> want = now.describe(game);
                std::vector<std::string> got = again.describe(game);
                std::string fields;
                for (size_t i = 0; i < std::min(want.size(), got.size()); ++i)
                    if (want[i] != got[i])
                        fields += "\n  " + want[i] + "  ->  run again: " + got[i];
                failures.push_back(summary.script + ": sync test: step " +
                                   std::to_string(from.stepNumber + 1) + " run again from step " +
                                   std::to_string(from.stepNumber) + " differs after " +
                                   std::to_string(frames.size()) + " steps:" + fields);
            }
            // Go on from the state as it first came out.
            now.restore(game);
        }
        syncStates_.erase(syncStates_.begin());
    }
    syncStates_.push_back(std::move(now));
    if (syncStates_.size() > n + 1)
        syncStates_.erase(syncStates_.begin());
}

void FightRunner::after(const ScriptStep& step, Game& game, long passMs, FightSummary& summary) {
    if (step.kind == ScriptStep::Expect)
        check(step, game, passMs, summary);
    else
        shoot(step, summary.script);
}

void FightRunner::check(const ScriptStep& step, Game& game, long passMs, FightSummary& summary) {
    bool held = false;
    std::string got;
    if (step.who == "particles") {
        long count = game.pList.count();
        held = compare(count, step.op, step.number);
        got = std::to_string(count);
    } else if (step.who == "match") {
        checkMatch(step, game, held, got);
    } else if (step.who == "memory" && step.field == "growth" &&
               summary.residentKbByMinute.empty()) {
        // Growth before there is a reading to grow from would hold whatever the game does.
        got = "no reading yet: growth is measured from the end of virtual minute 1";
    } else if (step.who == "memory") {
        long now = residentMemoryKb();
        long value = step.field == "growth" ? summary.memoryGrowthKb(now) : now;
        held = compare(value, step.op, step.number);
        got = std::to_string(value) + " KB";
    } else {
        const Fighter& f = step.who == "player" ? game.vikings1 : game.fighter2;
        if (step.field == "action") {
            held = (f.actionName == step.value) == (step.op == "=");
            got = f.actionName;
        } else {
            long value = 0;
            if (step.field == "hp")
                value = f.hitPoints;
            else if (step.field == "x")
                value = f.x;
            else if (step.field == "y")
                value = f.y;
            else if (step.field == "facing")
                value = f.facingRight ? 1 : 0;
            else if (step.field == "onGround")
                value = f.onGround ? 1 : 0;
            else
                value = f.jumpsLeft;
            held = compare(value, step.op, step.number);
            if (step.field == "facing")
                got = value ? "right" : "left";
            else if (step.field == "onGround")
                got = value ? "true" : "false";
            else
                got = std::to_string(value);
        }
    }
    if (held) {
        ++summary.expectationsHeld;
        return;
    }
    ++summary.expectationsFailed;
    std::string at = std::to_string(step.timeMs);
    if (passMs != step.timeMs)
        at += " (pass at " + std::to_string(passMs) + ")";
    failures.push_back(summary.script + ":" + std::to_string(step.line) + ": expected " + step.who +
                       " " + step.field + " " + step.op + " " + step.value + " at " + at +
                       " ms, got " + got);
}

void FightRunner::checkMatch(const ScriptStep& step, Game& game, bool& held, std::string& got) {
    if (!game.match) {
        got = "no match (the script plays the classic game: add `mode match`)";
        held = false;
        return;
    }
    const matchSession& m = *game.match;
    const matchRules& rules = m.rules;
    if (step.field == "state" || step.field == "winner") {
        got = step.field == "state" ? m.stateName() : matchRules::sideName(rules.winner);
        held = (got == step.value) == (step.op == "=");
        return;
    }
    long value = rules.round;
    if (step.field == "player-wins")
        value = rules.playerWins;
    else if (step.field == "opponent-wins")
        value = rules.opponentWins;
    else if (step.field == "timer")
        value = rules.secondsLeft(gameTicks());
    held = compare(value, step.op, step.number);
    got = std::to_string(value);
}

void FightRunner::shoot(const ScriptStep& step, const std::string& scriptName) {
    const std::string& file = step.file;
    bool png = file.size() > 4 && file.compare(file.size() - 4, 4, ".png") == 0;
    std::string bmp = png ? file.substr(0, file.size() - 4) + ".bmp" : file;
    std::string where = scriptName + ":" + std::to_string(step.line) + ": ";
    if (!screen || SDL_SaveBMP(screen, bmp.c_str()) != 0) {
        failures.push_back(where + "cannot write the shot " + bmp + ": " + SDL_GetError());
        return;
    }
    if (!png)
        return;
    // ImageMagick makes the PNG when it is installed; without it the BMP stays.
    std::string command = "convert '" + bmp + "' '" + file + "' 2>/dev/null";
    if (file.find('\'') == std::string::npos && std::system(command.c_str()) == 0) {
        std::remove(bmp.c_str());
        return;
    }
    fprintf(stderr, "%sno PNG (ImageMagick's convert is missing or failed); kept %s\n",
            where.c_str(), bmp.c_str());
}
