#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "control/inputFrame.h"
#include "control/playerControl.h"
#include "fighter/fighter.h"
#include "match/frameData.h"
#include "match/trainingPanel.h"
#include "match/trainingRules.h"
#include "moves/moveSet.h"
#include "shell/game.h"
#include "shell/matchSession.h"
#include "shell/shell.h"
#include "shell/trainingSession.h"
#include "tests/testSupport.h"
#include "tools/runner/fightRunner.h"
#include "tools/runner/fightScript.h"

using namespace testsupport;

namespace {

const std::string kData = std::string(BRAWLER_SOURCE_DIR) + "/data";

// Training's lines of `trace`, in order. The game's older trace leaves some lines open (a
// move's name, then its sound's words), so a line may start after one.
std::vector<std::string> trainingLines(const std::string& trace) {
    std::vector<std::string> out;
    size_t at = 0;
    while (at < trace.size()) {
        size_t end = trace.find('\n', at);
        if (end == std::string::npos)
            end = trace.size();
        std::string line = trace.substr(at, end - at);
        size_t from = std::min(line.find("training: "), line.find("screen: "));
        if (from != std::string::npos)
            out.push_back(line.substr(from));
        at = end + 1;
    }
    return out;
}

bool has(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

Uint32 pixel(SDL_Surface* s, int x, int y) {
    return static_cast<Uint32*>(s->pixels)[y * s->pitch / 4 + x];
}

int brightness(SDL_Surface* s, int x, int y) {
    Uint8 r, g, b;
    SDL_GetRGB(pixel(s, x, y), s->format, &r, &g, &b);
    return r + g + b;
}

// Two fighters and their controllers as the fight leaves them after each step; the
// test moves their moves, counters and hit points by hand.
struct drillFixture {
    Fighter player, dummy;
    playerControl playerHands, dummyHands;
    Fighter* fighters[2] = {&player, &dummy};
    const playerControl* controls[2] = {&playerHands, &dummyHands};
    trainingRules rules;
    moveInfo jab, kick, hit1, blockHi;
    drillFixture() {
        jab.name = "jab";
        kick.name = "kick";
        player.setHP(1000, 1000);
        dummy.setHP(1000, 1000);
        rules.begin(fighters, controls);
    }
    std::string steps(int n = 1) {
        return captureStdout([&] {
            for (int i = 0; i < n; ++i)
                rules.afterStep(fighters, controls, 1000);
        });
    }
    // A contact step on the dummy: a hit taking `damage`, or a block.
    std::string contact(int damage, bool blocked = false) {
        if (blocked) {
            ++dummyHands.hitsBlocked;
            dummy.currentMove = &blockHi;
        } else {
            ++dummyHands.hitsTaken;
            dummy.changeHP(-damage);
            dummy.currentMove = &hit1;
        }
        return steps();
    }
};

} // namespace

// The dummy's own frames: it crouches, jumps only from the ground, guards lows crouching
// and the rest standing, and after a hit guards the attacks that follow, not the one
// that hit.
TEST(Training, DummyFramesFollowItsMode) {
    moveInfo low;
    low.height = attackHeight::low;
    moveInfo overhead;
    overhead.height = attackHeight::overhead;
    Fighter dummy;
    Fighter player;
    dummy.onGround = true;
    trainingRules rules;

    rules.mode = dummyMode::crouch;
    EXPECT_EQ(inputFrame::down, rules.dummyFrame(dummy, player).held);
    rules.mode = dummyMode::jump;
    inputFrame jump = rules.dummyFrame(dummy, player);
    ASSERT_EQ(1, jump.pressCount);
    EXPECT_EQ(inputFrame::up, jump.presses[0]);
    dummy.onGround = false;
    EXPECT_EQ(0, rules.dummyFrame(dummy, player).pressCount);
    dummy.onGround = true;

    rules.mode = dummyMode::block;
    player.currentMove = &low;
    inputFrame guard = rules.dummyFrame(dummy, player);
    EXPECT_EQ(inputFrame::blockOn, guard.choices);
    EXPECT_EQ(inputFrame::down, guard.held);
    player.currentMove = &overhead;
    guard = rules.dummyFrame(dummy, player);
    EXPECT_EQ(inputFrame::blockOn, guard.choices);
    EXPECT_EQ(0, guard.held);

    rules.mode = dummyMode::blockAfterHit;
    EXPECT_EQ(0, rules.dummyFrame(dummy, player).choices); // not hit yet
    rules.v.sides[1].against.guarding = true;
    rules.v.sides[1].countedMove = &overhead;
    rules.v.sides[1].countedStart = 40;
    rules.v.sides[0].move = &overhead;
    rules.v.sides[0].moveStart = 40;
    EXPECT_EQ(0, rules.dummyFrame(dummy, player).choices); // the hit that landed goes on
    rules.v.sides[0].moveStart = 60;
    EXPECT_EQ(inputFrame::blockOn, rules.dummyFrame(dummy, player).choices);

    rules.mode = dummyMode::stand;
    EXPECT_EQ(inputFrame{}, rules.dummyFrame(dummy, player));
}

// Training's keys on the real loop: F1 saves and F2 puts the position back (the jab
// between them undone), F3 records the player's keys as the dummy's (the dummy jabs
// the player, the player's fighter stands), F4 plays the recording in a loop (even with
// the computer's mode chosen), F6 cycles the dummy's mode and ends the playback; the jab's frame
// data and the refill are in the trace, the input display keeps the presses and the panel darkens
// its plates.
TEST(Training, KeysSaveRestoreRecordAndPlayBack) {
    screen = videoScreen();
    FightScript script;
    script.name = "training.fight";
    std::string error;
    ASSERT_TRUE(script.parse("data " + kData +
                                 "\n"
                                 "mode training\n"
                                 "at 900 place player 500\n"
                                 "at 900 place opponent 560\n"
                                 "at 900 tap F1\n"
                                 "at 950 tap z\n"
                                 "at 1150 expect opponent hp = 952\n"
                                 "at 1200 tap F2\n"
                                 "at 1220 expect opponent hp = 1000\n"
                                 "at 1220 expect player x = 500\n"
                                 "at 1500 tap F3\n"
                                 "at 1550 tap z\n"
                                 "at 1620 expect opponent action = jab\n"
                                 "at 1620 expect player action != jab\n"
                                 "at 1800 expect player hp = 952\n"
                                 "at 2000 tap F3\n"
                                 "at 2900 expect player hp = 1000\n"
                                 "at 2900 place player 500\n"
                                 "at 2900 place opponent 560\n"
                                 "at 2900 dummy cpu 8\n"
                                 "at 2900 tap F4\n"
                                 "at 3200 expect player hp = 952\n"
                                 "at 4600 tap F6\n"
                                 "end 4700\n",
                             &error))
        << error;
    FightRunner runner;
    bool plated = false;
    bool jabShown = false;
    runner.afterPass = [&](long passMs, Game& g) {
        // The last pass or two: the jab is among the last 16 inputs.
        if (passMs < 4680)
            return;
        for (const inputShown& in : g.match->trainer->inputsShown())
            jabShown |= (in.held & inputFrame::buttonA) != 0;
        // The input display's plate: the stage darkened under it.
        Uint32 under = static_cast<Uint32*>(back->pixels)[90 * back->pitch / 4 + 12];
        Uint32 shown = static_cast<Uint32*>(screen->pixels)[90 * screen->pitch / 4 + 12];
        Uint8 r0, g0, b0, r1, g1, b1;
        SDL_GetRGB(under, back->format, &r0, &g0, &b0);
        SDL_GetRGB(shown, screen->format, &r1, &g1, &b1);
        plated = r1 + g1 + b1 < r0 + g0 + b0;
    };
    FightSummary summary;
    std::string trace = captureStdout([&] { summary = runner.run(script); });
    for (const std::string& f : runner.failures)
        ADD_FAILURE() << f;
    std::vector<std::string> lines = trainingLines(trace);
    std::string all;
    for (const std::string& l : lines)
        all += l + "\n";
    EXPECT_EQ("screen: training", lines.at(0));
    EXPECT_EQ("training: dummy stand", lines.at(1));
    for (const char* want :
         {"training: position saved", "training: position restored", "training: jab on hit +5",
          "training: recording (the dummy takes your keys; F3 stops)",
          "training: combo on the player: 1 hit, 48 damage",
          "training: hit points refilled on the player", "training: dummy cpu 8",
          "training: playback on"})
        EXPECT_TRUE(has(lines, want)) << want << " not in:\n" << all;
    // F6 from the computer goes round to standing (said at the start, when the recording
    // stopped, and now).
    EXPECT_EQ(3, std::count(lines.begin(), lines.end(), "training: dummy stand")) << all;
    // The recording is played in a loop, the computer's mode notwithstanding: the jab
    // lands once in every turn, and no fireball of the computer's.
    EXPECT_FALSE(has(lines, "training: combo on the player: 1 hit, 100 damage")) << all;
    EXPECT_GE(
        std::count(lines.begin(), lines.end(), "training: combo on the player: 1 hit, 48 damage"),
        3)
        << all;
    EXPECT_TRUE(jabShown);
    EXPECT_TRUE(plated);
}

// Combos on the rules alone: a box on the body for several steps is one hit, a second
// move landing before the dummy is free makes two; the combo ends when the dummy is
// free, its hit points come back 91 steps (a second) later and not before, and advantage
// is the step the dummy is free minus the step the attacker is, on hit and on block.
TEST(Training, CombosRefillsAndAdvantage) {
    drillFixture d;
    d.player.currentMove = &d.jab;
    d.steps();
    for (int i = 0; i < 3; ++i)
        d.contact(12);
    EXPECT_EQ(1, d.rules.v.sides[1].against.hits);
    EXPECT_TRUE(d.rules.v.sides[1].against.guarding);
    d.player.currentMove = nullptr;
    d.steps();
    d.player.currentMove = &d.kick;
    d.steps();
    d.contact(20);
    d.player.currentMove = nullptr; // the kick's attacker is free here ...
    d.steps(2);
    d.dummy.currentMove = nullptr; // ... and the dummy two steps later
    std::string end = d.steps();
    EXPECT_NE(std::string::npos, end.find("training: combo on the dummy: 2 hits, 56 damage\n"))
        << end;
    EXPECT_NE(std::string::npos, end.find("training: kick on hit +2\n")) << end;
    EXPECT_EQ(nullptr, d.rules.advantageOf(&d.jab)); // cut short by the kick: not measured
    EXPECT_EQ(2, d.rules.v.shown.hits);
    EXPECT_EQ(56, d.rules.v.shown.damage);
    EXPECT_FALSE(d.rules.v.sides[1].against.guarding);
    EXPECT_EQ("", d.steps(90));
    EXPECT_EQ(944, d.dummy.hitPoints);
    EXPECT_EQ("training: hit points refilled on the dummy\n", d.steps());
    EXPECT_EQ(1000, d.dummy.hitPoints);

    // Blocked: no hit counted, the guard's advantage measured; the shown combo stays.
    d.player.currentMove = &d.jab;
    d.steps();
    d.contact(0, true);
    d.steps();
    d.player.currentMove = nullptr;
    d.steps(3);
    d.dummy.currentMove = nullptr;
    std::string blocked = d.steps();
    EXPECT_EQ("training: jab on block +3\n", blocked);
    const trainingRules::advantage* jab = d.rules.advantageOf(&d.jab);
    ASSERT_NE(nullptr, jab);
    EXPECT_TRUE(jab->onBlockKnown);
    EXPECT_FALSE(jab->onHitKnown);
    EXPECT_EQ(2, d.rules.v.shown.hits);
    EXPECT_EQ(d.rules.v.sides[1].against.hits, 0);
}

// The panel on a stage: plates darken what is under them, a plus the font lacks is drawn,
// an arrow points the way held, and a part that goes away leaves the stage exactly as it
// was.
TEST(Training, PanelDrawsAndRestoresTheStage) {
    SDL_Surface* shown = videoScreen();
    SDL_Surface* stage = SDL_ConvertSurface(shown, shown->format, SDL_SWSURFACE);
    ASSERT_NE(nullptr, stage);
    for (int y = 0; y < stage->h; ++y)
        for (int x = 0; x < stage->w; ++x)
            static_cast<Uint32*>(stage->pixels)[y * stage->pitch / 4 + x] =
                SDL_MapRGB(stage->format, static_cast<Uint8>(x), static_cast<Uint8>(y), 200);
    SDL_BlitSurface(stage, nullptr, shown, nullptr);
    trainingPanel panel;
    ASSERT_TRUE(panel.load(kData + "/hud"));
    panel.attach(shown, stage);
    trainingView v;
    v.inputs = {{inputFrame::right | inputFrame::buttonA, 3}, {0, 40}};
    v.frameLines = {"ON HIT +2"};
    v.combo = "2 HITS 56";
    panel.drawChanges(v);

    SDL_Rect combo = panel.partRect(trainingPanel::combo);
    ASSERT_GT(combo.w, 0);
    EXPECT_LT(brightness(shown, combo.x + 1, combo.y + 1),
              brightness(stage, combo.x + 1, combo.y + 1));
    // "ON HIT +2" on 12-pixel glyphs: the plus is the eighth, lit at its middle.
    SDL_Rect frames = panel.partRect(trainingPanel::frames);
    EXPECT_GT(brightness(shown, frames.x + 4 + 7 * 12 + 6, frames.y + 4 + 8), 450);
    // The first line's arrow points right: its head is on the right of the cell.
    SDL_Rect inputs = panel.partRect(trainingPanel::inputs);
    int cx = inputs.x + 4 + 8, cy = inputs.y + 4 + 8;
    EXPECT_GT(brightness(shown, cx + 4, cy - 3), 300);
    EXPECT_LT(brightness(shown, cx - 4, cy - 3), 300);

    v.combo.clear();
    panel.drawChanges(v);
    EXPECT_EQ(0, panel.partRect(trainingPanel::combo).w);
    for (int y = combo.y; y < combo.y + combo.h; ++y)
        for (int x = combo.x; x < combo.x + combo.w; ++x)
            ASSERT_EQ(pixel(stage, x, y), pixel(shown, x, y)) << x << "," << y;
    SDL_FreeSurface(stage);
}

// The box overlay (j) draws outlines in training, so the fighter shows through, and
// filled boxes in a match as it always has.
TEST(Training, BoxOverlayIsOutlinedOnlyInTraining) {
    screen = videoScreen();
    for (const char* mode : {"training", "match"}) {
        FightScript script;
        script.name = std::string(mode) + ".fight";
        std::string error;
        ASSERT_TRUE(script.parse("data " + kData + "\nmode " + mode +
                                     "\nopponent idle\n"
                                     "at 1600 place player 300\n"
                                     "at 1700 tap j\n"
                                     "end 1800\n",
                                 &error))
            << error;
        FightRunner runner;
        Uint32 edge = 0, middle = 0;
        runner.afterPass = [&](long passMs, Game& g) {
            if (passMs < 1780)
                return;
            colBox b = g.vikings1.getCBox();
            int midY = (b.top + b.bottom) / 2;
            edge = pixel(screen, b.left, midY);
            middle = pixel(screen, (b.left + b.right) / 2, midY);
        };
        captureStdout([&] { runner.run(script); });
        EXPECT_TRUE(runner.failures.empty()) << mode;
        // The body box's colour, as the overlay writes it.
        EXPECT_EQ(0xffcc00u, edge) << mode;
        EXPECT_EQ(std::string(mode) == "match", middle == 0xffcc00u) << mode;
    }
}

// The frame data read off the kick's frames agrees with the kick in the fight: its
// attack box is first on the body the step after its startup, it ends after its three
// spans, and point blank it takes the damage its frames say.
TEST(Training, FrameDataAgreesWithTheFight) {
    screen = videoScreen();
    FightScript script;
    script.name = "kick.fight";
    std::string error;
    ASSERT_TRUE(script.parse("data " + kData +
                                 "\nmode training\n"
                                 "at 900 place player 500\n"
                                 "at 900 place opponent 560\n"
                                 "at 1000 tap x\n"
                                 "end 1600\n",
                             &error))
        << error;
    FightRunner runner;
    long started = -1, landed = -1, ended = -1;
    frameData kick;
    int taken = 0;
    runner.afterPass = [&](long, Game& g) {
        long step = g.match->stepNumber;
        const moveInfo* move = g.vikings1.currentMove;
        if (started < 0 && move && move->name == "kick") {
            started = step;
            kick = frameDataOf(*move, g.vikings1.speed);
        }
        if (landed < 0 && g.fighter2.hitPoints < 1000)
            landed = step;
        if (started >= 0 && ended < 0 && !move)
            ended = step;
        taken = std::max(taken, 1000 - g.fighter2.hitPoints);
    };
    captureStdout([&] { runner.run(script); });
    ASSERT_GE(started, 0);
    ASSERT_TRUE(kick.attack);
    EXPECT_EQ(kick.startup + 1, landed - started);
    EXPECT_EQ(kick.startup + kick.active + kick.recovery, ended - started);
    EXPECT_EQ(kick.damage, taken);
}
