#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/debugOverlay.h"
#include "platform/screenPresenter.h"
#include "shell/game.h"
#include "shell/shell.h"
#include "tests/testSupport.h"
#include "tools/runner/fightRunner.h"
#include "tools/runner/fightScript.h"

using namespace testsupport;

namespace {

const std::string kFight = std::string(BRAWLER_SOURCE_DIR) + "/tests/present/fight.fight";

// FNV-1a over the 32-bit pixels, row by row (the pitch may hold padding).
uint64_t pixelHash(SDL_Surface* s) {
    uint64_t h = 1469598103934665603ull;
    SDL_LockSurface(s);
    for (int y = 0; y < s->h; ++y) {
        const uint8_t* row = static_cast<const uint8_t*>(s->pixels) + y * s->pitch;
        const uint32_t* px = reinterpret_cast<const uint32_t*>(row);
        for (int i = 0; i < s->w; ++i) {
            h ^= px[i];
            h *= 1099511628211ull;
        }
    }
    SDL_UnlockSurface(s);
    return h;
}

struct PresentedRun {
    std::vector<uint64_t> hashes; // of what reached the window, every 10th pass
    long passes = 0;
    long partialPasses = 0;    // passes presented as changed rectangles only
    long shadowMismatches = 0; // sampled passes where the window differs from the screen
    long overlayPasses = 0;    // passes drawn with the debug overlay on
    long hitsOnOpponent = 0;
};

// Plays the fight script through the runner, the debug overlay switched on and off
// during it, and records what each 10th pass presented.
PresentedRun play(bool presentAll) {
    screen = videoScreen();
    std::ifstream in(kFight);
    std::stringstream text;
    text << in.rdbuf();
    FightScript script;
    script.name = kFight;
    std::string error;
    EXPECT_TRUE(script.parse(text.str(), &error)) << error;
    FightRunner runner;
    runner.presentAll = presentAll;
    runner.keepShadow = true;
    PresentedRun run;
    runner.afterPass = [&](long passMs, Game& game) {
        ++run.passes;
        if (!game.presenter.lastWasFull)
            ++run.partialPasses;
        if (debugging)
            ++run.overlayPasses;
        if (run.passes % 10 == 0) {
            run.hashes.push_back(pixelHash(game.presenter.shadow()));
            if (differingPixels(game.presenter.shadow(), screen) != 0)
                ++run.shadowMismatches;
        }
        // On for a while, then off: its boxes appear and must be wiped again.
        debugging = (passMs / 1500) % 3 == 1;
    };
    FightSummary summary;
    captureStdout([&] { summary = runner.run(script); });
    debugging = false;
    EXPECT_TRUE(runner.failures.empty());
    run.hitsOnOpponent = summary.hitsOnOpponent;
    return run;
}

SDL_Rect rect(int x, int y, int w, int h) {
    SDL_Rect r;
    r.x = static_cast<Sint16>(x);
    r.y = static_cast<Sint16>(y);
    r.w = static_cast<Uint16>(w);
    r.h = static_cast<Uint16>(h);
    return r;
}

void fill(SDL_Surface* s, int x, int y, int w, int h, Uint32 pixel) {
    SDL_Rect r = rect(x, y, w, h);
    SDL_FillRect(s, &r, pixel);
}

} // namespace

// A whole fight, with jumps, moves, fireballs and the overlay going on and off:
// presenting only what changed shows, at every sampled pass, exactly what flipping
// the whole screen shows, and the window always equals the screen drawn on.
TEST(Presenting, ChangedRectanglesShowTheSameFightAsFlipping) {
    PresentedRun dirty = play(false);
    PresentedRun flip = play(true);
    ASSERT_GE(dirty.passes, 2000);
    ASSERT_EQ(dirty.passes, flip.passes);
    EXPECT_GT(dirty.overlayPasses, 500);
    EXPECT_GT(dirty.hitsOnOpponent, 0) << "the fight should land some blows";
    // Only the first pass flips; a fight that kept flipping would prove nothing.
    EXPECT_EQ(dirty.passes - 1, dirty.partialPasses);
    EXPECT_EQ(0, flip.partialPasses);
    EXPECT_EQ(0, dirty.shadowMismatches);
    ASSERT_EQ(dirty.hashes.size(), flip.hashes.size());
    long differing = 0;
    for (size_t i = 0; i < dirty.hashes.size(); ++i)
        if (dirty.hashes[i] != flip.hashes[i]) {
            if (differing == 0)
                ADD_FAILURE() << "first difference at pass " << (i + 1) * 10;
            ++differing;
        }
    EXPECT_EQ(0, differing) << "of " << dirty.hashes.size() << " sampled passes";
}

// The presenter on its own: what it sends to the window after a full first flip,
// clipping, merging, the forced flips, and draws on other surfaces.
TEST(Presenting, SendsOnlyWhatWasNotedAndFlipsWhenItMust) {
    SDL_Surface* s = videoScreen();
    screen = s;
    fill(s, 0, 0, s->w, s->h, 0x101010);
    screenPresenter p;
    p.attach(s);
    p.keepShadow(true);
    p.note(10, 10, 5, 5); // drawn over by the first flip anyway
    p.present();
    EXPECT_TRUE(p.lastWasFull) << "the first pass shows the whole stage";
    EXPECT_EQ(0, differingPixels(p.shadow(), s));

    // A draw nobody reports does not reach the window; the reported one does.
    fill(s, 100, 100, 20, 20, 0xff0000);
    fill(s, 300, 300, 20, 20, 0x00ff00);
    screenPresenter::noteDraw(s, 300, 300, 20, 20);
    p.present();
    EXPECT_FALSE(p.lastWasFull);
    EXPECT_EQ(400, p.lastPresentedArea);
    EXPECT_EQ(400, differingPixels(p.shadow(), s));
    EXPECT_EQ(0x00ff00u, pixelAt(p.shadow(), 305, 305));

    // Off-screen parts are clipped away, wholly off-screen rectangles dropped, and
    // overlapping ones merged; draws on another surface are ignored.
    SDL_Surface* other = SDL_CreateRGBSurface(0, 50, 50, 32, 0xff0000, 0xff00, 0xff, 0);
    screenPresenter::noteDraw(other, 0, 0, 50, 50);
    p.note(-10, -10, 30, 30);
    p.note(900, 100, 30, 30);
    p.note(100, -500, 30, 30);
    p.note(790, 590, 40, 40);
    p.note(400, 400, 50, 50);
    p.note(420, 420, 50, 50);
    std::vector<SDL_Rect> got = p.pending();
    ASSERT_EQ(3u, got.size());
    auto has = [&](int x, int y, int w, int h) {
        for (const SDL_Rect& r : got)
            if (r.x == x && r.y == y && r.w == w && r.h == h)
                return true;
        return false;
    };
    EXPECT_TRUE(has(0, 0, 20, 20));
    EXPECT_TRUE(has(790, 590, 10, 10));
    EXPECT_TRUE(has(400, 400, 70, 70));
    p.present();
    EXPECT_EQ(3, p.lastRectCount);
    EXPECT_EQ(400, differingPixels(p.shadow(), s)) << "the unreported square is still out";
    SDL_FreeSurface(other);

    // Asked to, or on a screen whose picture is not the one drawn on, it flips.
    p.presentAll = true;
    p.note(0, 0, 1, 1);
    p.present();
    EXPECT_TRUE(p.lastWasFull);
    p.presentAll = false;
    Uint32 flags = s->flags;
    s->flags |= SDL_DOUBLEBUF;
    p.present();
    EXPECT_TRUE(p.lastWasFull) << "a double-buffered screen is always flipped";
    s->flags = flags;
    // The stage drawn whole at start-up counts as the whole screen.
    DrawIMG(s, 0, 0);
    p.note(1, 1, 1, 1);
    EXPECT_EQ(1u, p.pending().size());
    EXPECT_EQ(800 * 600, p.pending()[0].w * p.pending()[0].h);
}

// The real window under Xvfb: the same fight, presented both ways, looks the same
// after its last pass, taken while the runner holds the window on show.
TEST(PresentingInWindow, ScreenshotsOfBothWaysAreIdentical) {
    TempDir work;
    std::string out = work.path() + "/shots";
    ChildResult r = runCommand(std::string(BRAWLER_SOURCE_DIR) + "/tests/present/windowShots.sh '" +
                               RUNNER_BINARY + "' '" + kFight + "' '" + out + "'");
    ASSERT_EQ(0, r.exitCode) << r.output;
    SDL_Surface* dirty = SDL_LoadBMP((out + "/dirty.bmp").c_str());
    SDL_Surface* flip = SDL_LoadBMP((out + "/flip.bmp").c_str());
    ASSERT_TRUE(dirty && flip);
    SDL_Surface* a = SDL_ConvertSurface(dirty, screen ? screen->format : videoScreen()->format, 0);
    SDL_Surface* b = SDL_ConvertSurface(flip, a->format, 0);
    ASSERT_EQ(800, a->w);
    ASSERT_EQ(600, a->h);
    EXPECT_EQ(0, differingPixels(a, b));
    // Not a blank window: the stage is there.
    SDL_Surface* raw = SDL_LoadBMP((std::string(BRAWLER_SOURCE_DIR) + "/data/tBG2.bmp").c_str());
    ASSERT_TRUE(raw);
    SDL_Surface* stage = SDL_ConvertSurface(raw, a->format, 0);
    EXPECT_LT(differingPixels(a, stage), 800 * 600 / 4);
    for (SDL_Surface* x : {dirty, flip, a, b, raw, stage})
        SDL_FreeSurface(x);
}
