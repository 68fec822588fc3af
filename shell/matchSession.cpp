#include "shell/matchSession.h"

#include <sys/stat.h>

#include <cctype>
#include <cstdio>
#include <memory>

#include "ai/randomNumber.h"
#include "datafile/problemReport.h"
#include "fighter/fighter.h"
#include "match/bodySpacing.h"
#include "platform/debugOverlay.h"
#include "platform/gameClock.h"
#include "shell/game.h"
#include "shell/pauseMenu.h"
#include "shell/shell.h"
#include "shell/trainingSession.h"
#include "sprite/colourSwap.h"
#include "platform/traceLog.h"

namespace {

bool exists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

std::string capitals(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// Recolours every sheet of a set and of a move set with the same swap.
void recolour(const colourSwap& swap, animationSet& anims, moveSet& moves) {
    for (animEntry& e : anims.entries)
        swap.apply(e.sheet);
    for (moveInfo& m : moves.moves)
        swap.apply(m.sheet);
}

} // namespace

Fighter& matchSession::fighterOf(Game& g, int side) {
    return side == 0 ? g.vikings1 : g.fighter2;
}

matchSession::matchSession() = default;

matchSession::~matchSession() {
    // A match left from its pause menu, or closed there, must not leave the clock stopped.
    if (paused)
        pauseGameClock(false);
    // The clock and the generator go back to the classic game's for whatever runs next
    // in this process (a test, the select screen).
    unpinGameClock();
    g_randomNumber.useLibraryGenerator();
}

void matchSession::setUpSides(Game& g) {
    fightSide& one = sides[0];
    one.fighter = &g.vikings1;
    one.control = &g.player1;
    one.checker = g.checker.get();
    one.device.attach(&g.GPad);
    fightSide& two = sides[1];
    two.fighter = &g.fighter2;
    if (g.versusMode) {
        two.control = &g.player2;
        two.checker = g.checker2.get();
        two.device.attach(&g.GPad2);
    } else {
        // The computer only decides; a controller like a second player's carries out
        // its choices, on the same (perhaps recoloured) sheets and moves.
        g.player2.init(screen);
        g.player2.setup(&g.fighter2, &g.particleDefs, &g.pList, g.sounds.get(), g.basicAI.animSet,
                        g.basicAI.moveBank, nullptr, nullptr, &g.targ2);
        two.playedBy(&g.basicAI, &g.player2);
    }
    // From here on frames advance in the steps and only the scene touches the screen.
    g.vikings1.stepsApart = true;
    g.fighter2.stepsApart = true;
    g.pList.stepsApart = true;
}

// Today's match: every box overlap touches, attacks strike high, mid, low or overhead as
// each character's heights file says, blocked specials chip and blocks push apart.
void matchSession::useTodaysContact(Game& g) {
    // Each character's file once; the opponent's recoloured copy of the player's own moves
    // takes the heights the player's got.
    for (const std::string& problem : readHeights(g.moves, g.dataRoot + "/" + g.playerCharacter))
        reportProblem("warning: " + problem);
    moveSet* opponent = g.opponentMoveSet();
    if (opponent != &g.moves)
        for (const std::string& problem :
             readHeights(*opponent, g.dataRoot + "/" + g.opponentCharacter))
            reportProblem("warning: " + problem);
    for (size_t i = 0; i < recolouredMoves.moves.size() && i < g.moves.moves.size(); ++i)
        recolouredMoves.moves[i].height = g.moves.moves[i].height;
    for (fightSide& side : sides) {
        side.control->matchContact = true;
        side.fighter->framesFromChange = true;
    }
    g.pList.anyOverlap = true;
}

// After the heights are read: the brain answers attacks by the height they strike at.
void matchSession::useTodaysComputer(Game& g) {
    brain.setup(&g.fighter2, &g.targ2, g.basicAI.moveBank, &g.pList, g.basicAI.attackList,
                cpuLevel);
    sides[1].computer = nullptr;
    sides[1].playedBy(&brain, &g.player2);
    // In training the dummy says its own mode, the computer's level with it.
    if (!training)
        tracef("match: the computer plays at level %d\n", brain.level);
}

void matchSession::startUp(Game& g, int rounds) {
    const std::string& name = g.playerCharacter;
    const std::string& other = g.opponentCharacter;
    colourSwap swap;
    bool swapped = name == other && loadOpponentColours(g, g.dataRoot + "/" + name, swap);
    loadEndSheets(0, g.dataRoot + "/" + name, nullptr);
    loadEndSheets(1, g.dataRoot + "/" + other, swapped ? &swap : nullptr);
    if (display.load(g.dataRoot + "/hud") && exists(g.dataRoot + "/hud/sound"))
        g.sounds->addToList(g.dataRoot + "/hud");
    display.attach(screen, back);
    if (g.versusMode)
        setUpSecondPlayer(g);
    display.setLabels("1P " + capitals(name), capitals(other) + (training       ? " DUMMY"
                                                                 : g.versusMode ? " 2P"
                                                                                : " CPU"));
    setUpSides(g);
    if (ruleSet >= 2) {
        useTodaysContact(g);
        if (!g.versusMode)
            useTodaysComputer(g);
    }
    rules.roundsToPlay = rounds;
    rules.roundSeconds = g.roundSeconds;
    rules.versus = g.versusMode;
    clockAt_ = unpinnedTicks();
    fightStart_ = stepTime = kFightStartMs;
    pinGameClock(stepTime);
    g_randomNumber.seedFight(seed);
    tracef("match: seed %llu\n", static_cast<unsigned long long>(seed));
    if (training) {
        rules.startWithoutRounds(stepTime);
    } else {
        rules.start(stepTime);
        tracef("match: best of %d rounds\n", rounds);
        // Said only when it differs from the usual 99 s, so the traces of such matches stand.
        if (g.roundSeconds == matchRules::kNoTimer)
            tracef("match: rounds without a timer\n");
        else if (g.roundSeconds != matchRules::kRoundSeconds)
            tracef("match: rounds of %d seconds\n", g.roundSeconds);
    }
    for (int side = 0; side < 2; ++side)
        fighterOf(g, side).setHP(startHp, kFullHp);
    if (training) {
        trainer = std::make_unique<trainingSession>();
        trainer->startUp(g, *this, firstDummyMode);
    }
}

// Both sides play the same character: the opponent gets its own copy of the sheets in
// the colours of the character's palette2, so the player can tell them apart.
bool matchSession::loadOpponentColours(Game& g, const std::string& character, colourSwap& swap) {
    std::string path = character + "/palette2";
    if (!exists(path) || swap.load(path) != 0 || swap.size() == 0)
        return false;
    recolouredAnimations.loadAll(character);
    recolouredMoves.loadAll(character);
    recolour(swap, recolouredAnimations, recolouredMoves);
    g.fighter2.initS(&recolouredAnimations, screen);
    g.basicAI.animSet = &recolouredAnimations;
    g.basicAI.moveBank = &recolouredMoves;
    return true;
}

// `ko` and `win` are the match's own: the classic game does not list them, so they are
// read here by folder name, and a character without them stands instead.
void matchSession::loadEndSheets(int side, const std::string& character, const colourSwap* swap) {
    if (exists(character + "/ko/info"))
        loadNamedSheet(character, "ko", koSheet[side]);
    if (exists(character + "/win/info"))
        loadNamedSheet(character, "win", winSheet[side]);
    if (swap) {
        swap->apply(koSheet[side]);
        swap->apply(winSheet[side]);
    }
}

// In versus the second player drives fighter2 through a controller like the first
// player's, on the opponent's (recoloured) moves; the computer is left out.
void matchSession::setUpSecondPlayer(Game& g) {
    g.checker2 = std::make_unique<inputChecker>(g.basicAI.moveBank, &g.fighter2);
    g.player2.init(screen);
    g.player2.setup(&g.fighter2, &g.particleDefs, &g.pList, g.sounds.get(), g.basicAI.animSet,
                    g.basicAI.moveBank, &g.GPad2, g.checker2.get(), &g.targ2);
    tracef("versus: the opponent is played by the second player\n");
}

std::string matchSession::stateName() const {
    return paused ? "paused" : matchRules::stateName(rules.state);
}

bool matchSession::runPass(Game& g, bool draw) {
    readEvents(g);
    runDueSteps(g);
    if (draw)
        drawScene(g);
    return g.player1.quit == 0;
}

void matchSession::readEvents(Game& g) {
    SDL_Event& e = g.event;
    while (SDL_PollEvent(&e)) {
        if (e.type == SDL_QUIT) {
            g.player1.quit = 1;
            windowClosed = true;
            continue;
        }
        if (menu && menu->isOpen()) {
            onMenuEvent(g, e);
            continue;
        }
        if (e.type == SDL_KEYDOWN) {
            SDLKey key = e.key.keysym.sym;
            // From the menus Escape pauses, and after the match goes back to them; started
            // from the command line it ends the game, as it always has.
            if (key == SDLK_ESCAPE && g.fromMenu && menuPauses()) {
                if (rules.state != matchState::over) {
                    onMatchKey(g, static_cast<SDLKey>(g.controls.pauseKey));
                    continue;
                }
                tracef("match: back to the menu\n");
            }
            if (key == SDLK_ESCAPE) {
                // Online and in a replay there is no pause: Escape leaves, and from the
                // menus it leaves for them.
                backToMenu = g.fromMenu;
                g.player1.quit = 1;
                continue;
            }
            if (key == g.controls.overlayKey) {
                debugging = !debugging;
                continue;
            }
            if (key == SDLK_BACKSPACE && g.selectable && rules.state == matchState::over) {
                tracef("match: back to the select screen\n");
                backToSelect = true;
                g.player1.quit = 1;
                continue;
            }
            if (playback && onReplayKey(g, key))
                continue;
            if (trainer && !paused && trainer->onKey(g, *this, key))
                continue;
            if (key == g.controls.pauseKey || key == SDLK_RETURN) {
                onMatchKey(g, key);
                continue;
            }
        }
        // A player on a pad goes back with their B button, as Backspace does.
        if (e.type == SDL_JOYBUTTONDOWN && g.selectable && rules.state == matchState::over &&
            padBack(g, e.jbutton.which, e.jbutton.button)) {
            tracef("match: back to the select screen\n");
            backToSelect = true;
            g.player1.quit = 1;
            continue;
        }
        // Keys pressed in a pause are not kept for after it.
        if (paused)
            continue;
        for (fightSide& side : sides)
            if (side.human() && !side.remote)
                side.device.take(e);
    }
}

bool matchSession::padBack(const Game& g, int pad, int button) const {
    for (int side = 0; side < (g.versusMode ? 2 : 1); ++side) {
        const gamePad& p = side == 0 ? g.GPad : g.GPad2;
        if (p.joystickIndex >= 0 && p.joystickIndex == pad && p.joyButtonB == button)
            return true;
    }
    return false;
}

void matchSession::onMatchKey(Game& g, SDLKey key) {
    if (rules.state == matchState::over) {
        if (key != SDLK_RETURN)
            return;
        // Asked here, made in the next step: a replay holds it with the input.
        rematchAsked_ = !playback;
        return;
    }
    if (!pausable)
        return;
    paused = !paused;
    pauseGameClock(paused);
    tracef(paused ? "paused\n" : "resumed\n");
    if (paused && menuPauses())
        openMenu(g);
}

void matchSession::openMenu(Game& g) {
    if (!menu)
        menu = std::make_unique<pauseMenu>();
    menu->open(g);
}

void matchSession::resume(Game& g) {
    menu->close(screen, g.presenter);
    paused = false;
    pauseGameClock(false);
    tracef("resumed\n");
}

// Every event while the pause menu shows is the menu's; the fight hears none of them.
void matchSession::onMenuEvent(Game& g, const SDL_Event& e) {
    switch (menu->take(e)) {
    case pauseChoice::resume:
        resume(g);
        break;
    case pauseChoice::restart:
        // Made in the next step, as a rematch is, so the replay restarts where this did.
        restartAsked_ = true;
        resume(g);
        break;
    case pauseChoice::quit:
        // The clock runs again for whatever comes after the match.
        resume(g);
        backToMenu = g.fromMenu;
        tracef(g.fromMenu ? "match: back to the menu\n" : "match: quit\n");
        g.player1.quit = 1;
        break;
    case pauseChoice::options:
        if (!g.openOptions()) {
            g.player1.quit = 1;
            windowClosed = true;
        }
        menu->redrawAll();
        break;
    case pauseChoice::none:
        break;
    }
}

// Watching a replay: Space pauses, Right steps once while paused, 1, 2 and 4 set the
// speed. True when the key was one of these.
bool matchSession::onReplayKey(Game& g, SDLKey key) {
    if (key == SDLK_SPACE) {
        onMatchKey(g, static_cast<SDLKey>(g.controls.pauseKey));
        return true;
    }
    if (key == SDLK_RIGHT && paused) {
        if (!playbackOver)
            step(g, nextInput(g));
        return true;
    }
    if (key == SDLK_1 || key == SDLK_2 || key == SDLK_4) {
        playbackSpeed = key == SDLK_1 ? 1 : key == SDLK_2 ? 2 : 4;
        tracef("replay: speed %d\n", playbackSpeed);
        return true;
    }
    return false;
}

// The steps the real clock has made due since the last pass. A pause stops the clock,
// so no step falls due in it.
void matchSession::runDueSteps(Game& g) {
    Uint32 now = unpinnedTicks();
    for (int ran = 0; !paused && now - clockAt_ >= kStepMs; ++ran) {
        if (ran == kMostStepsAPass) {
            clockAt_ = now;
            break;
        }
        clockAt_ += kStepMs;
        for (int i = 0; i < playbackSpeed && !(playback && playbackOver); ++i) {
            if (playbackLive && static_cast<size_t>(stepNumber) >= playback->size())
                break;
            step(g, nextInput(g));
        }
    }
}

stepInput matchSession::nextInput(Game& g) {
    stepInput in;
    if (playback) {
        size_t at = static_cast<size_t>(stepNumber);
        if (at < playback->size())
            return (*playback)[at];
        if (!playbackOver)
            tracef("replay: the end (Escape quits)\n");
        playbackOver = true;
        return in;
    }
    if (trainer)
        return trainer->nextInput(g, *this);
    // The first side is always a player's, so a rematch asked rides on its frame.
    for (int side : {0, 1})
        if (sides[side].human())
            in[side] = frameOf(side);
    return in;
}

inputFrame matchSession::frameOf(int side) {
    inputFrame f = sides[side].device.frame();
    if (rematchAsked_)
        f.held |= inputFrame::rematch;
    rematchAsked_ = false;
    if (side == 0 && restartAsked_)
        f.press(inputFrame::restart);
    if (side == 0)
        restartAsked_ = false;
    return f;
}

bool matchSession::restartAsked(const inputFrame& f) {
    for (int i = 0; i < f.pressCount; ++i)
        if (f.presses[i] == inputFrame::restart)
            return true;
    return false;
}

void matchSession::step(Game& g, const stepInput& in) {
    runStep(g, in, true);
}

void matchSession::stepSilently(Game& g, const stepInput& in) {
    runStep(g, in, false);
}

void matchSession::runStep(Game& g, const stepInput& in, bool heard) {
    holdTrace(true);
    g.sounds->holding = true;
    stepBody(g, in);
    g.sounds->holding = false;
    holdTrace(false);
    if (heard) {
        flushTrace();
        g.sounds->playHeld();
    } else {
        dropTrace();
        g.sounds->held.clear();
    }
}

void matchSession::stepBody(Game& g, const stepInput& in) {
    Uint32 since = stepTime;
    stepTime = fightStart_ + static_cast<Uint32>(stepNumber + 1) * kStepMs;
    ++stepNumber;
    pinGameClock(stepTime);
    inputs.push_back(in);
    // Either side may ask: online, each player's own frame carries their Enter.
    bool rematch = ((in[0].held | in[1].held) & inputFrame::rematch) != 0;
    if (rematch && rules.state == matchState::over) {
        tracef("match: rematch\n");
        rules.start(stepTime);
        resetPending_ = true;
    } else if (restartAsked(in[0])) {
        tracef("match: restart\n");
        rules.start(stepTime);
        resetPending_ = true;
    }
    // Training has no match to play again: the same asking puts the fighters back.
    if (rematch && training) {
        tracef("training: reset\n");
        resetPending_ = true;
    }
    for (fightSide& side : sides)
        side.beginStep();
    // Keys move a fighter only while the round is on.
    if (rules.fighting())
        for (int side : {0, 1})
            sides[side].takePresses(in[side]);
    stepFighters(g, in);
    if (resetPending_)
        resetRound(g);
    g.vikings1.advanceFrames(since, stepTime);
    g.fighter2.advanceFrames(since, stepTime);
    g.pList.advanceFrames(since, stepTime);
    for (int side : {0, 1})
        trails[side].follow(fighterOf(g, side).hitPoints, stepTime);
}

void matchSession::stepFighters(Game& g, const stepInput& in) {
    bool on = rules.fighting();
    bool facing = rules.state == matchState::intro;
    for (int side : {0, 1})
        sides[side].act(on, facing, g.pList, in[side], computerIdle);
    keepApart(g.vikings1, g.fighter2);
    if (training) {
        followTraining(g);
        return;
    }
    act(g, rules.update(stepTime, g.vikings1.hitPoints, g.fighter2.hitPoints));
    holdRoundEnd(g);
}

void matchSession::followTraining(Game& g) {
    Fighter* fighters[2] = {&g.vikings1, &g.fighter2};
    const playerControl* controls[2] = {sides[0].control, sides[1].control};
    drill.afterStep(fighters, controls, kFullHp);
}

void matchSession::act(Game& g, matchEvent e) {
    switch (e) {
    case matchEvent::fightStart:
    case matchEvent::timeUp:
        g.sounds->Play("bell", -1);
        break;
    case matchEvent::knockout:
        g.sounds->Play("knockout", -1);
        for (int side = 0; side < 2; ++side)
            down_[side] = fighterOf(g, side).hitPoints <= 0;
        break;
    case matchEvent::winPose:
        posing_[rules.roundWinner == matchSide::player ? 0 : 1] = true;
        break;
    case matchEvent::nextRound:
        resetPending_ = true;
        break;
    default:
        break;
    }
}

// After a round: the knocked-out fighter falls once it is on the ground and lies still
// on the last frame; the winner poses once its move is over and it has landed.
void matchSession::holdRoundEnd(Game& g) {
    for (int side = 0; side < 2; ++side) {
        Fighter& f = fighterOf(g, side);
        CSpriteBase* sheet = down_[side]     ? &koSheet[side]
                             : posing_[side] ? &winSheet[side]
                                             : nullptr;
        if (!sheet || !f.onGround)
            continue;
        const char* name = down_[side] ? "ko" : "win";
        if (posing_[side] && f.returnBusy())
            continue;
        if (f.actionName != name) {
            f.currentMove = nullptr;
            if (sheet->frameCount > 0)
                f.showSheet(name, sheet);
            else if (f.actionName != "standing")
                f.changeAnim("standing");
        }
        if (down_[side] && f.actionName == name && f.frame >= sheet->frameCount - 1)
            f.animating = 0;
        // Today's match keeps the fallen on the stage and out from under the winner.
        if (down_[side] && ruleSet >= 2) {
            Fighter& other = fighterOf(g, 1 - side);
            makeRoomForTheFallen(f, *sheet, down_[1 - side] ? nullptr : &other);
        }
    }
}

// Everything as at the start of the match: the particles gone, each side back at its
// place.
void matchSession::resetRound(Game& g) {
    resetPending_ = false;
    g.pList.removeAll();
    for (int side : {0, 1}) {
        sides[side].resetForRound(kStartX[side], kStartY, startHp, kFullHp);
        down_[side] = posing_[side] = false;
    }
    if (training) {
        Fighter* fighters[2] = {&g.vikings1, &g.fighter2};
        const playerControl* controls[2] = {sides[0].control, sides[1].control};
        drill.begin(fighters, controls);
    }
}

hudView matchSession::view(Game& g) {
    Uint32 now = stepTime;
    hudView v;
    for (int side = 0; side < 2; ++side) {
        Fighter& f = fighterOf(g, side);
        v.hp[side] = f.hitPoints;
        v.maxHp[side] = f.maxHitPoints;
        v.trailTop[side] = trails[side].top(now);
    }
    v.seconds = rules.secondsLeft(now);
    v.wins[0] = rules.playerWins;
    v.wins[1] = rules.opponentWins;
    v.winsNeeded = rules.winsNeeded();
    v.banner = paused ? "PAUSED" : rules.banner(now);
    v.prompt = paused ? "" : rules.prompt();
    // Training has no timer, no rounds to mark and no banner but the pause's.
    if (training) {
        v.seconds = -1;
        v.winsNeeded = 0;
        v.banner = paused ? "PAUSED" : "";
        v.prompt = "";
    }
    if (!notice.empty())
        v.prompt = notice;
    if (g.selectable && rules.state == matchState::over)
        v.prompt = g.fromMenu ? "ENTER: REMATCH  BACKSPACE: CHOOSE  ESCAPE: MENU"
                              : "ENTER: REMATCH  BACKSPACE: CHOOSE  ESCAPE: QUIT";
    return v;
}

void matchSession::drawScene(Game& g) {
    // The menu covers the fight until it closes and gives the fight's picture back.
    if (menu && menu->isOpen()) {
        menu->draw(screen, g.presenter);
        g.presenter.present();
        return;
    }
    g.restoreScene();
    if (hudShown)
        display.drawChanges(view(g));
    if (trainer)
        trainer->drawChanges(g, *this);
    g.saveScene();
    size_t mark = g.presenter.noted();
    g.drawSceneObjects();
    if (hudShown)
        display.drawOver(g.presenter, mark);
    if (trainer)
        trainer->drawOver(g, mark);
    g.presenter.present();
}
