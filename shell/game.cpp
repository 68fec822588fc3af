#include "shell/game.h"

#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "config/options.h"
#include "datafile/dataFingerprint.h"
#include "match/replayFile.h"
#include "platform/debugOverlay.h"
#include "platform/displayMode.h"
#include "platform/loopPacer.h"
#include "platform/gameClock.h"
#include "platform/platform.h"
#include "shell/matchSession.h"
#include "shell/onlineMatch.h"
#include "shell/shell.h"
#include "shell/startupChecks.h"
#include "sound/musicPlayer.h"

Game::Game() = default;

Game::~Game() {
    ReleaseImages();
}

void Game::loadCharacter(const std::string& folder, animationSet& anims, moveSet& moveBank) {
    anims.loadAll(folder);
    moveBank.loadAll(folder);
    checkCharacter(anims, moveBank);
}

animationSet* Game::opponentAnimationSet() {
    return opponentCharacter == playerCharacter ? &animations : &opponentAnimations;
}

moveSet* Game::opponentMoveSet() {
    return opponentCharacter == playerCharacter ? &moves : &opponentMoves;
}

// A character's particles beyond the shared ones are listed in particle/NAME; the
// Brawler has none, so the classic game reads only the shared list.
void Game::loadCharacterExtras(const std::string& name) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(dataRoot + "/particle/" + name, ec))
        particleDefs.addList(name, screen, dataRoot);
}

void Game::placeFighter(Fighter& f, animationSet* anims, int x, int y) {
    f.initS(anims, screen);
    f.speed = 3.0f;
    f.x = x;
    f.y = y;
    f.setHP(1000, 1000);
}

void Game::listJoysticks() {
    int count = SDL_NumJoysticks();
    printf("%i joysticks were found.\n\n", count);
    if (count < 1)
        return;
    printf("The names of the joysticks are:\n");
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        const char* name = SDL_JoystickName(i);
        printf(" %s\n", name ? name : "");
    }
}

void Game::startUp() {
    requireDataFolder(dataRoot);
    // A stop asked for while loading ends the start-up at the next step.
    stopIfSignalArrived();
    // From here on every draw on the screen is recorded; the stage drawn below is
    // presented whole by the first pass.
    presenter.attach(screen);
    vikingbase.initR(dataRoot + "/run");
    stopIfSignalArrived();
    sunbase.initR(dataRoot + "/particle/fireball1");
    loadCharacter(dataRoot + "/" + playerCharacter, animations, moves);
    if (opponentCharacter != playerCharacter)
        loadCharacter(dataRoot + "/" + opponentCharacter, opponentAnimations, opponentMoves);
    stopIfSignalArrived();

    sun.init(&sunbase, screen);
    sun.x = 20;
    sun.y = 100;
    sun.adjustPos(20, 100, true);
    sun.speed = 3.0f;
    sun2.init(&sunbase, screen);
    sun2.x = 0;
    sun2.y = 100;
    sun2.adjustPos(0, 100, true);
    sun2.speed = 3.0f;
    sun3.init(&sunbase, screen);
    sun3.speed = 3.0f;
    sun3.x = 0;
    sun3.y = 150;

    placeFighter(vikings1, &animations, 50, 300);
    placeFighter(fighter2, opponentAnimationSet(), 550, 300);

    vikings2.init(&vikingbase, screen);
    vikings2.x = 350;
    vikings2.y = 300;
    vikings2.speed = 1.5f;

    SDL_ShowCursor(0);

    checker = std::make_unique<inputChecker>(&moves, &vikings1);
    checker->printB();

    printf("making an Sset\n");
    sounds = std::make_unique<soundSet>();
    sounds->getList(dataRoot + "/soundSet");
    sounds->addToList(dataRoot + "/" + playerCharacter + "/sound");
    if (opponentCharacter != playerCharacter)
        sounds->addToList(dataRoot + "/" + opponentCharacter + "/sound");
    sounds->display();
    stopIfSignalArrived();
    GPad = controls.players[0];
    GPad2 = controls.players[1];
    listJoysticks();
    particleDefs.addList("default", screen, dataRoot);
    loadCharacterExtras(playerCharacter);
    if (opponentCharacter != playerCharacter)
        loadCharacterExtras(opponentCharacter);
    stopIfSignalArrived();

    InitImages(dataRoot);
    DrawBG();

    targ.setTarget(&fighter2);
    targ2.setTarget(&vikings1);

    player1.init(screen);
    player1.overlayKey = controls.overlayKey;
    player1.setup(&vikings1, &particleDefs, &pList, sounds.get(), &animations, &moves, &GPad,
                  checker.get(), &targ);
    basicAI.init(screen);
    basicAI.setup(&fighter2, &particleDefs, &pList, sounds.get(), opponentAnimationSet(),
                  opponentMoveSet(), &targ2, dataRoot + "/" + opponentCharacter + "/ai");
    // The table may name a move the character lacks; the game plays on as it always has,
    // but says so.
    basicAI.attackList.checkMoves(*opponentMoveSet());
    if (matchMode || trainingMode) {
        match = std::make_unique<matchSession>();
        match->training = trainingMode;
        match->firstDummyMode = trainingDummy;
        outlineBoxes = trainingMode;
        match->startHp = matchStartHp;
        match->seed = fightSeed;
        match->ruleSet = fightRules;
        match->cpuLevel = cpuLevel;
        if (watching)
            match->playback = &watching->steps;
        match->startUp(*this, matchRounds);
        if (music)
            music->play("stage");
    }
    stopIfSignalArrived();
    SDL_WM_SetCaption("brawler", "brawler");
}

bool Game::runPass() {
    if (online)
        return online->runPass(*this, true);
    if (match)
        return match->runPass(*this);
    player1.update();
    player1.checkParticleCollision(&pList, 'E');
    player1.inputChecking(&event);
    basicAI.update();
    basicAI.checkParticleCollision(&pList, 'E');
    basicAI.updateAI();
    bool quit = player1.quit != 0;
    DrawScene();
    return !quit;
}

void Game::DrawScene() {
    restoreScene();
    saveScene();
    drawSceneObjects();
    presenter.present();
}

void Game::restoreScene() {
    vikings1.clearBG();
    fighter2.clearBG();
    pList.clearBG();
}

void Game::saveScene() {
    vikings1.updateBG();
    fighter2.updateBG();
    pList.updateBG();
}

void Game::drawSceneObjects() {
    vikings1.draw();
    fighter2.draw();
    pList.draw();
    if (debugging) {
        vikings1.drawColBoxes(outlineBoxes);
        fighter2.drawColBoxes(outlineBoxes);
        pList.debug(outlineBoxes);
    }
}

void Game::run() {
    watchFullscreenKeys();
    if (match && !uncapped) {
        runMatch();
        return;
    }
    loopPacer pacer;
    for (bool more = true; more;) {
        bool presenting = true;
        if (!uncapped) {
            pacer.waitForClock();
            presenting = pacer.presentDue();
            presenter.hold(!presenting);
        }
        Uint32 start = SDL_GetTicks();
        more = runPass();
        pacer.passRan(start, SDL_GetTicks(), presenting);
        stopIfSignalArrived();
        // The window is made anew: all of the screen goes out again.
        if (fullscreenAsked() && toggleFullscreen(screen))
            presenter.noteAll();
    }
    if (getenv("BRAWLER_LOOP_FIGURES"))
        pacer.printFigures();
}

namespace {

// Milliseconds until a thing done every `period` ms, last `since` ms ago, is due again.
Uint32 until(Uint32 since, Uint32 period) {
    return since >= period ? 0 : period - since;
}

} // namespace

void Game::runMatch() {
    Uint32 lastDraw = SDL_GetTicks();
    long passes = 0;
    long draws = 0;
    for (bool more = true; more; ++passes) {
        // A step is due every 11 ms of game time and a picture every 16 ms of real
        // time; the loop sleeps until the nearer of the two, and never more than a
        // step, so a key pressed in a pause is still read soon. The first pass draws
        // at once.
        Uint32 stepsAt = online ? online->clockReading() : match->clockReading();
        Uint32 wait = std::min(until(SDL_GetTicks() - lastDraw, loopPacer::kPresentEveryMs),
                               until(unpinnedTicks() - stepsAt, matchSession::kStepMs));
        if (draws > 0 && wait > 0)
            SDL_Delay(wait);
        bool draw = SDL_GetTicks() - lastDraw >= loopPacer::kPresentEveryMs || draws == 0;
        if (draw) {
            lastDraw = SDL_GetTicks();
            ++draws;
        }
        more = online ? online->runPass(*this, draw) : match->runPass(*this, draw);
        stopIfSignalArrived();
        if (fullscreenAsked() && toggleFullscreen(screen))
            presenter.noteAll();
    }
    if (getenv("BRAWLER_LOOP_FIGURES"))
        printf("loop: %ld passes, %ld presents\n", passes, draws);
}

void Game::watch(const replayFile& r) {
    playerCharacter = r.player;
    opponentCharacter = r.opponent;
    matchRounds = r.rounds;
    roundSeconds = r.roundSeconds;
    versusMode = r.versus;
    matchMode = true;
    matchStartHp = r.startHp;
    fightSeed = r.seed;
    fightRules = r.rules;
    cpuLevel = r.cpu;
    watching = &r;
}

replayFile Game::replayOfMatch() const {
    replayFile r;
    std::string version = versionText();
    r.game = version.substr(0, version.find('\n'));
    r.data = dataFingerprint(dataRoot);
    r.player = playerCharacter;
    r.opponent = opponentCharacter;
    r.rounds = matchRounds;
    r.roundSeconds = roundSeconds;
    r.versus = versusMode;
    r.startHp = matchStartHp;
    r.seed = fightSeed;
    r.rules = fightRules;
    r.cpu = cpuLevel;
    if (match)
        r.steps = match->inputs;
    return r;
}
