#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "match/replayFile.h"
#include "shell/fightState.h"
#include "config/replayPlace.h"
#include "control/deviceInput.h"
#include "control/gamepad.h"
#include "fighter/fighter.h"
#include "platform/keyFeed.h"
#include "shell/game.h"
#include "shell/shell.h"
#include "sprite/CSpriteBase.h"
#include "sprite/frameInfo.h"
#include "tests/testSupport.h"
#include "tools/runner/fightRunner.h"
#include "tools/runner/fightScript.h"

using namespace testsupport;

namespace {

const std::string kData = std::string(BRAWLER_SOURCE_DIR) + "/data";

FightSummary runMatch(const std::string& text, FightRunner& runner) {
    screen = videoScreen();
    FightScript script;
    script.name = "core.fight";
    std::string error;
    EXPECT_TRUE(script.parse("data " + kData + "\nmode match\n" + text, &error)) << error;
    FightSummary summary;
    captureStdout([&] { summary = runner.run(script); });
    return summary;
}

// A fireball thrown through the command buffer while the computer fights on its own
// draws: both the buffer and the generator carry over from step to step.
const char* const kFireballFight = "seed 3\nat 2000 tap Down\nat 2020 tap Right\n"
                                   "at 2040 tap z\nat 2100 tap Down\nat 2110 tap Right\n"
                                   "end 4000\n";

} // namespace

// The sync test passes a whole fight run again from every step, and fails, naming the
// field, once a part of the fight is left out of what is saved and restored.
TEST(FightCore, SyncTestPassesAndCatchesAStateThatMissesAField) {
    for (const char* leftOut : {"", "presses", "random"}) {
        SCOPED_TRACE(std::string("left out: ") + leftOut);
        fightState::leaveOut = leftOut;
        FightRunner runner;
        runner.syncSteps = 8;
        FightSummary s = runMatch(kFireballFight, runner);
        fightState::leaveOut.clear();
        EXPECT_GT(s.syncSteps, 300);
        if (*leftOut == '\0') {
            EXPECT_EQ(0, s.syncMismatches);
            EXPECT_TRUE(runner.failures.empty());
            continue;
        }
        EXPECT_GT(s.syncMismatches, 0);
        ASSERT_FALSE(runner.failures.empty());
        std::string field = std::string(leftOut) == "presses" ? "checker.buffer" : "random";
        EXPECT_NE(std::string::npos, runner.failures[0].find(field)) << runner.failures[0];
        EXPECT_NE(std::string::npos, runner.failures[0].find("sync test: step"))
            << runner.failures[0];
    }
}

// The steps alone, without a picture, make the same fight as with one.
TEST(FightCore, AFightIsTheSameWithOrWithoutItsPicture) {
    FightRunner drawn, blind;
    blind.noPicture = true;
    std::string script = std::string(kFireballFight) + "random-input\n";
    FightSummary a = runMatch(script, drawn);
    FightSummary b = runMatch(script, blind);
    EXPECT_EQ(a.format(false), b.format(false));
}

// A replay keeps every step's input exactly, and a file that is not one it can play is
// refused with a reason, never read past its end.
TEST(FightCore, ReplayFilesKeepTheInputAndRefuseWhatTheyCannotPlay) {
    replayFile r;
    r.data = "0123456789abcdef";
    r.player = "Basalt";
    r.opponent = "Brawler";
    r.seed = 18446744073709551615ull;
    r.cpu = 7;
    r.steps.resize(9000);
    r.steps[10][0].press(inputFrame::down);
    r.steps[11][0].held = inputFrame::down | inputFrame::right;
    r.steps[11][0].press(inputFrame::buttonA);
    r.steps[12][1].held = inputFrame::left;
    for (int i = 0; i < inputFrame::kMaxPresses; ++i) // a frame full of presses keeps them all
        r.steps[13][1].press(i % 2 ? inputFrame::buttonB : inputFrame::up);
    r.steps[40][0].held = inputFrame::rematch;
    std::string bytes = r.encode();
    EXPECT_LT(bytes.size(), 400u) << "a held key costs nothing";
    replayFile back;
    std::string error;
    ASSERT_TRUE(back.decode(bytes, error)) << error;
    EXPECT_EQ(r.encode(), back.encode());
    EXPECT_EQ(r.seed, back.seed);
    EXPECT_EQ(7, back.cpu);
    EXPECT_EQ(replayFile::kRules, back.rules);
    // A replay from before the rules line was played by the match's first rules.
    std::string older = bytes;
    older.erase(older.find("rules "), older.find("cpu ") - older.find("rules "));
    ASSERT_TRUE(back.decode(older, error)) << error;
    EXPECT_EQ(replayFile::kFirstRules, back.rules);
    EXPECT_TRUE(back.steps[11][0] == r.steps[11][0]);
    EXPECT_EQ(inputFrame::kMaxPresses, back.steps[13][1].pressCount);
    // The round time is written only when it is not the usual 99 s, so older replays and
    // their bytes stand; 30, 60 and none read back.
    EXPECT_EQ(std::string::npos, bytes.find("\ntime "));
    EXPECT_EQ(99, back.roundSeconds);
    for (int seconds : {30, 60, 0}) {
        replayFile timed = r;
        timed.roundSeconds = seconds;
        std::string text = timed.encode();
        EXPECT_NE(std::string::npos, text.find(seconds ? "\ntime " + std::to_string(seconds) + "\n"
                                                       : "\ntime none\n"));
        ASSERT_TRUE(back.decode(text, error)) << error;
        EXPECT_EQ(seconds, back.roundSeconds);
    }
    std::string oddTime = bytes;
    oddTime.insert(oddTime.find("versus "), "time 45\n");

    size_t input = bytes.find("input\n") + 6;
    std::string newer = bytes;
    newer.replace(newer.find("format 2"), 8, "format 3");
    std::string noLevel = bytes;
    noLevel.replace(noLevel.find("cpu 7"), 5, "cpu 9");
    std::string tooMany = bytes;
    tooMany.replace(tooMany.find("steps 9000"), 10, "steps 9000000");
    std::string badPress = bytes;
    badPress[input + 2] = 1;               // the first step's player presses once...
    badPress.insert(input + 3, 1, '\x03'); // ...two bits at once
    struct row {
        std::string bytes, says;
    } rows[] = {
        {"", "not a replay"},
        {"GIF89a\n", "not a replay"},
        {bytes.substr(0, input - 3), "before the line \"input\""},
        {bytes.substr(0, bytes.size() - 1), "ends"},
        {bytes + "x", "bytes follow the last step"},
        {newer, "newer game"},
        {tooMany, "\"steps\" is not usable"},
        {noLevel, "\"cpu\" is not usable"},
        {oddTime, "\"time\" is not usable: \"45\""},
        {badPress, "not one the game makes"},
    };
    for (const row& bad : rows) {
        replayFile out;
        std::string why;
        EXPECT_FALSE(out.decode(bad.bytes, why)) << bad.says;
        EXPECT_NE(std::string::npos, why.find(bad.says)) << why;
    }
}

// brawler-run plays a recorded match to the same end, and refuses a replay made on
// other data, naming the file.
TEST(FightCore, ARecordedMatchPlaysBackToTheSameEnd) {
    TempDir dir;
    std::string script = dir / "f.fight";
    writeFile(script, "data " + kData + "\nmode match\ncharacter player Basalt\nseed 9\n" +
                          "random-input\nend 9000\n");
    std::string record = dir / "f.replay";
    ChildResult played =
        runCommand(std::string(RUNNER_BINARY) + " --record '" + record + "' '" + script + "'");
    ASSERT_EQ(0, played.exitCode) << played.output;
    std::string run = "cd '" + std::string(BRAWLER_SOURCE_DIR) + "' && " + RUNNER_BINARY;
    ChildResult again = runCommand(run + " --sync-test 8 --replay '" + record + "'");
    ASSERT_EQ(0, again.exitCode) << again.output;
    for (const char* line : {"hit points: ", "match: ", "hits landed: ", "particles spawned: "}) {
        size_t a = played.output.find(line), b = again.output.find(line);
        ASSERT_NE(std::string::npos, a);
        ASSERT_NE(std::string::npos, b);
        EXPECT_EQ(played.output.substr(a, played.output.find('\n', a) - a),
                  again.output.substr(b, again.output.find('\n', b) - b));
    }
    EXPECT_NE(std::string::npos, again.output.find(" steps, 0 mismatches")) << again.output;
    replayFile other;
    std::string error;
    ASSERT_TRUE(other.load(record, error)) << error;
    other.data = "ffffffffffffffff";
    ASSERT_TRUE(other.save(record, error));
    ChildResult refused = runCommand(run + " --replay '" + record + "'");
    EXPECT_EQ(1, refused.exitCode);
    EXPECT_NE(std::string::npos, refused.output.find(record + ": recorded with other data"))
        << refused.output;
}

// In a match a frame lasts as long as its delay says, to the millisecond, as in a loop
// that passes every millisecond: an 11 ms step neither stretches a 15 ms frame to 22 ms
// nor skips one.
TEST(FightCore, FramesLastTheirOwnDelayNotAWholeNumberOfSteps) {
    FightRunner runner;
    std::vector<std::pair<int, int>> shown; // frame and the ms it came on
    std::vector<int> delays;
    runner.afterPass = [&](long, Game& game) {
        const Fighter& f = game.vikings1;
        if (f.actionName != "jab")
            return;
        if (delays.empty())
            for (const frameInfo& info : f.base->frames)
                delays.push_back(static_cast<int>(info.delay * f.speed));
        if (shown.empty() || shown.back().first != f.frame)
            shown.push_back({f.frame, f.lastTick});
    };
    // Thrown from a crouch held still for a while: the jab's first frame still shows for
    // its whole delay, counted from the change, not from the crouch's last frame.
    runMatch("opponent idle\nat 1600 press Down\nat 2000 tap z\nat 2300 release Down\nend 2600\n",
             runner);
    ASSERT_GE(shown.size(), 4u);
    EXPECT_EQ(0, shown[0].first) << "the first frame was skipped";
    for (size_t i = 1; i < shown.size(); ++i) {
        int was = shown[i - 1].first;
        EXPECT_EQ(was + 1, shown[i].first) << "a frame was skipped";
        // The first whole millisecond past the due time.
        EXPECT_EQ(delays[was] + 1, shown[i].second - shown[i - 1].second) << "frame " << was;
    }
}

// The keys and the pad become frames: the presses of this player's mapping in the
// order they came, what is held at the step, nothing of the other player's keys or pad,
// and a press counts in one frame only.
TEST(FightCore, KeysAndPadBecomeFramesOfPressesAndHeldDirections) {
    gamePad keys;
    fillDefaultPad(keys);
    deviceInput player;
    player.attach(&keys);
    auto keyDown = [](int sym) {
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.keysym.sym = static_cast<SDLKey>(sym);
        return e;
    };
    for (int sym : {int(SDLK_DOWN), int(SDLK_RIGHT), int('a'), int('z')})
        player.take(keyDown(sym));
    feedKeyHeld(SDLK_DOWN, true);
    feedKeyHeld(SDLK_RIGHT, true);
    inputFrame f = player.frame();
    ASSERT_EQ(3, f.pressCount) << "a is the second player's";
    EXPECT_EQ(inputFrame::down, f.presses[0]);
    EXPECT_EQ(inputFrame::right, f.presses[1]);
    EXPECT_EQ(inputFrame::buttonA, f.presses[2]);
    EXPECT_EQ(inputFrame::down | inputFrame::right, f.held);
    feedKeyHeld(SDLK_DOWN, false);
    feedKeyHeld(SDLK_RIGHT, false);
    EXPECT_TRUE(player.frame() == inputFrame{});

    gamePad pad;
    fillDefaultPad(pad);
    pad.joystickIndex = 1;
    deviceInput onPad;
    onPad.attach(&pad);
    SDL_Event e{};
    e.type = SDL_JOYBUTTONDOWN;
    e.jbutton.which = 0; // another player's pad
    e.jbutton.button = 2;
    onPad.take(e);
    e.jbutton.which = 1;
    onPad.take(e);
    e = SDL_Event{};
    e.type = SDL_JOYAXISMOTION;
    e.jaxis.which = 1;
    e.jaxis.axis = 1;
    e.jaxis.value = -20000;
    onPad.take(e);
    e.jaxis.value = 1000; // inside the dead zone
    onPad.take(e);
    onPad.take(keyDown('z'));
    f = onPad.frame();
    ASSERT_EQ(2, f.pressCount);
    EXPECT_EQ(inputFrame::buttonC, f.presses[0]);
    EXPECT_EQ(inputFrame::up, f.presses[1]);
}

// Replays go to the data home the player's environment names, each match under its
// date and characters, and only the newest 50 stay.
TEST(FightCore, ReplaysAreKeptInTheDataHomeNewestFifty) {
    TempDir dir;
    std::string home = getenv("HOME") ? getenv("HOME") : "";
    const char* xdg = getenv("XDG_DATA_HOME");
    std::string savedXdg = xdg ? xdg : "";
    setenv("XDG_DATA_HOME", "", 1);
    setenv("HOME", dir.path().c_str(), 1);
    EXPECT_EQ(dir / ".local/share/brawler/replays", replayFolder());
    setenv("XDG_DATA_HOME", (dir / "xdg").c_str(), 1);
    std::string folder = replayFolder();
    EXPECT_EQ(dir / "xdg/brawler/replays", folder);
    std::string first = newReplayPath(folder, "Basalt", "Brawler");
    EXPECT_NE(std::string::npos, first.find("_Basalt-vs-Brawler.replay")) << first;
    EXPECT_EQ(folder + "/20", first.substr(0, folder.size() + 3)) << "named by the date";
    writeFile(first, "x");
    EXPECT_NE(first, newReplayPath(folder, "Basalt", "Brawler")) << "never over another";
    for (int i = 0; i < 52; ++i)
        writeFile(folder + "/2026-01-" + (i < 10 ? "0" : "") + std::to_string(i) + ".replay", "x");
    writeFile(folder + "/notes.txt", "kept");
    keepNewestReplays(folder, 50);
    int replays = 0;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        replays += e.path().extension() == ".replay";
    EXPECT_EQ(50, replays);
    EXPECT_FALSE(std::filesystem::exists(folder + "/2026-01-00.replay"));
    EXPECT_TRUE(std::filesystem::exists(first)) << "the newest stays";
    EXPECT_TRUE(std::filesystem::exists(folder + "/notes.txt"));
    setenv("HOME", home.c_str(), 1);
    if (xdg)
        setenv("XDG_DATA_HOME", savedXdg.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}

// A step run again says nothing: with the sync test running every step again eight
// steps on, the trace is line for line the trace of the fight run once.
TEST(FightCore, AStepRunAgainIsSilent) {
    std::string script = std::string(kFireballFight) + "random-input\n";
    std::string once, again;
    FightRunner plain, sync;
    sync.syncSteps = 8;
    screen = videoScreen();
    FightScript parsed;
    std::string error;
    ASSERT_TRUE(parsed.parse("data " + kData + "\nmode match\n" + script, &error)) << error;
    once = captureStdout([&] { plain.run(parsed); });
    again = captureStdout([&] { sync.run(parsed); });
    EXPECT_GT(once.size(), 10000u);
    size_t differ = 0;
    while (differ < once.size() && differ < again.size() && once[differ] == again[differ])
        ++differ;
    EXPECT_EQ(once.size(), again.size());
    EXPECT_EQ(once.size(), differ)
        << "first difference: \"" << once.substr(differ > 200 ? differ - 200 : 0, 400)
        << "\" against \"" << again.substr(differ > 200 ? differ - 200 : 0, 400) << "\"";
}

// A hook widened to reach across the whole of the opponent's body, but no taller than it,
// crosses it like a plus sign at about 100 px: no corner of either box lies inside the
// other. In a match any overlap lands; the classic game keeps its corner test and misses.
TEST(FightCore, APlusSignCrossingHitsInAMatchButNotInTheClassicGame) {
    TempDir dir;
    copyTree(kData, dir / "data");
    replaceFirst(dir / "data/Basalt/hook/info", "158 59 192 84", "158 59 230 84");
    screen = videoScreen();
    for (bool match : {true, false})
        for (int apart : {70, 100, 130}) {
            SCOPED_TRACE((match ? "match, " : "classic, ") + std::to_string(apart) + " px");
            FightScript script;
            std::string error;
            ASSERT_TRUE(script.parse("data " + dir / "data" + "\n" + (match ? "mode match\n" : "") +
                                         "character player Basalt\nopponent idle\n"
                                         "at 1600 place player 300\nat 1600 place opponent " +
                                         std::to_string(300 + apart) +
                                         "\nat 1650 tap z\nend 2200\n",
                                     &error))
                << error;
            FightRunner runner;
            FightSummary s;
            captureStdout([&] { s = runner.run(script); });
            bool crossed = apart == 100;
            EXPECT_EQ(match || !crossed, s.opponentHp < 1000) << s.opponentHp;
        }
}
