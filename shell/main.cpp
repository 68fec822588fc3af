#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "SDL.h"
#include "SDL_mixer.h"

#include "config/controlsFile.h"
#include "config/controlsWriter.h"
#include "config/options.h"
#include "config/gameSettings.h"
#include "config/optionsPlaces.h"
#include "config/replayPlace.h"
#include "config/settingsFile.h"
#include "datafile/dataFingerprint.h"
#include "datafile/problemReport.h"
#include "match/replayFile.h"
#include "platform/windowLoss.h"
#include "ai/randomNumber.h"
#include "fighter/characterRoster.h"
#include "shell/game.h"
#include "shell/matchSession.h"
#include "shell/onlinePlay.h"
#include "menu/optionsPage.h"
#include "shell/frontEnd.h"
#include "shell/selectScreen.h"
#include "shell/shell.h"
#include "sound/mixLevels.h"
#include "sound/musicPlayer.h"

namespace {

// The one music player of the run, made once the sound device is up; null before. The
// music lives across matches and menus, so a loop already playing goes on.
musicPlayer* theMusic = nullptr;

// The side's character: the one named, else the Brawler where there is one.
std::string characterFor(const std::string& named, const std::vector<std::string>& roster) {
    if (!named.empty() || roster.empty())
        return named.empty() ? "Brawler" : named;
    bool brawler = std::find(roster.begin(), roster.end(), "Brawler") != roster.end();
    return brawler ? "Brawler" : roster.front();
}

// A named character that is not there stops the game before any window opens, as a bad
// option does; an empty name is no character either. A data folder without characters
// (or no data folder) is start-up's to report, with its reason.
bool charactersExist(const gameOptions& o, const std::vector<std::string>& roster) {
    if (roster.empty())
        return true;
    for (auto [named, name] : {std::pair{o.playerNamed, o.player}, {o.opponentNamed, o.opponent}}) {
        if (!named || std::find(roster.begin(), roster.end(), name) != roster.end())
            continue;
        fprintf(stderr, "brawler: no character \"%s\" in %s/ (characters: %s)\n%s", name.c_str(),
                o.dataDir.c_str(), joinNames(roster).c_str(), usageText().c_str());
        return false;
    }
    return true;
}

void configure(Game& game, const gameOptions& options, const std::vector<std::string>& roster) {
    game.dataRoot = options.dataDir;
    game.matchMode = !options.classic;
    game.matchRounds = options.rounds;
    game.roundSeconds = options.roundSeconds;
    game.cpuLevel = options.cpu;
    game.versusMode = options.versus;
    game.trainingMode = options.training;
    // In training --cpu names the level the dummy plays at from the start.
    if (options.training && options.cpuNamed)
        game.trainingDummy = dummyMode::cpu;
    game.uncapped = options.uncapped;
    game.music = theMusic;
    game.playerCharacter = characterFor(options.player, roster);
    game.opponentCharacter = characterFor(options.opponent, roster);
    // For the window tests only: a match whose rounds start with fewer hit points, so a
    // knockout comes within seconds. Not an option a player is offered.
    if (const char* hp = getenv("BRAWLER_TEST_START_HP"))
        game.matchStartHp = std::max(1, std::min(1000, atoi(hp)));
    // BRAWLER_PRESENT=flip presents the whole screen every pass, the slow way, to
    // compare it with presenting only what changed.
    const char* present = getenv("BRAWLER_PRESENT");
    game.presenter.presentAll = present && strcmp(present, "flip") == 0;
}

// --write-controls: the defaults with their comments, never over a file already there.
int writeControls(const gameOptions& options) {
    controlsWriteResult r = writeDefaultControls(options.writeControlsFile);
    fprintf(r.written ? stdout : stderr, "%s\n", r.message.c_str());
    return r.written ? 0 : 1;
}

// The keys from the controls file; a line it cannot use is a warning and keeps its
// default, so the game always starts.
controlsConfig readControls(const gameOptions& options) {
    std::vector<std::string> warnings;
    controlsConfig controls = loadControls(options.controlsFile, warnings);
    for (const std::string& w : warnings)
        fprintf(stderr, "%s\n", w.c_str());
    return controls;
}

// The settings file beside the controls file; what the command line did not give comes
// from it. A line it cannot use is a warning and keeps its default.
gameSettings readSettings(gameOptions& options) {
    std::vector<std::string> warnings;
    gameSettings settings;
    std::string path = optionsPlaces::forControls(options.controlsFile).settings;
    if (!path.empty())
        settingsFile::read(path, settings, warnings);
    for (const std::string& w : warnings)
        fprintf(stderr, "%s\n", w.c_str());
    settingsFile::applyTo(settings, options);
    return settings;
}

// A player on a pad: sdl12-compat then opens it through SDL2's game-controller support
// where SDL2 knows the pad, so its face buttons and stick fall in one layout without a
// mapping file. The player's own setting of the variable wins.
void preferGameControllers(const controlsConfig& controls) {
    for (const gamePad& pad : controls.players)
        if (pad.joystickIndex >= 0)
            setenv("SDL12COMPAT_USE_GAME_CONTROLLERS", "1", 0);
}

// A seed of its own for every match played: the clock's seconds and milliseconds.
uint64_t freshSeed() {
    return (static_cast<uint64_t>(time(nullptr)) << 20) ^ SDL_GetTicks() ^
           (static_cast<uint64_t>(getpid()) << 40);
}

// How the match stood when it was left, for the replays menu: "player 2-1".
std::string matchResult(const matchRules& rules) {
    std::string who =
        rules.state == matchState::over ? matchRules::sideName(rules.winner) : "unfinished";
    return who + " " + std::to_string(rules.playerWins) + "-" + std::to_string(rules.opponentWins);
}

// The match's replay to the file named, else to the replays folder (keeping the newest
// 50). A match nobody played a step of is not kept.
void saveReplay(const Game& game, const gameOptions& options) {
    // Training saves nothing: there is no match to watch again.
    if (!game.match || game.match->training || game.watching || game.match->inputs.empty())
        return;
    std::string folder = replayFolder();
    std::string path = options.recordFile.empty()
                           ? newReplayPath(folder, game.playerCharacter, game.opponentCharacter)
                           : options.recordFile;
    std::string error;
    if (path.empty()) {
        fprintf(stderr, "brawler: warning: no place for the match's replay (set HOME or "
                        "XDG_DATA_HOME, or name a file with --record)\n");
        return;
    }
    replayFile replay = game.replayOfMatch();
    replay.result = matchResult(game.match->rules);
    if (!replay.save(path, error)) {
        fprintf(stderr, "brawler: warning: %s\n", error.c_str());
        return;
    }
    const matchRules& rules = game.match->rules;
    printf("replay: saved %s: %s in round %d, rounds won: player %d, opponent %d, winner: %s; "
           "hit points: player %d/%d, opponent %d/%d\n",
           path.c_str(), matchRules::stateName(rules.state), rules.round, rules.playerWins,
           rules.opponentWins, matchRules::sideName(rules.winner), game.vikings1.hitPoints,
           game.vikings1.maxHitPoints, game.fighter2.hitPoints, game.fighter2.maxHitPoints);
    if (options.recordFile.empty())
        keepNewestReplays(folder, 50);
}

// --replay: the replay read and checked against this game's data; false, with the
// reason on standard error (and in a few words in `why`), when it cannot be watched here.
bool readReplay(const gameOptions& options, const std::vector<std::string>& roster,
                replayFile& replay, std::string* why = nullptr) {
    std::string error;
    auto refuse = [&](const char* shortly) {
        if (why)
            *why = shortly;
        return false;
    };
    if (!replay.load(options.replayFile, error)) {
        fprintf(stderr, "brawler: %s\n", error.c_str());
        return refuse("not a replay this game can read");
    }
    std::string here = dataFingerprint(options.dataDir);
    if (replay.data != here) {
        fprintf(stderr,
                "brawler: %s: recorded with other data (data fingerprint %s; %s/ here is %s): "
                "watch it with the data it was played on\n",
                options.replayFile.c_str(), replay.data.c_str(), options.dataDir.c_str(),
                here.c_str());
        return refuse("recorded with other data");
    }
    for (const std::string& name : {replay.player, replay.opponent})
        if (std::find(roster.begin(), roster.end(), name) == roster.end()) {
            fprintf(stderr, "brawler: %s: no character \"%s\" in %s/\n", options.replayFile.c_str(),
                    name.c_str(), options.dataDir.c_str());
            return refuse("a character in it is not here");
        }
    return true;
}

// What playing from the command line or a menu entry came to.
enum class played {
    quit,   // the game ends: Escape straight from the command line, the window closed
    toMenu, // back to the main menu
    failed, // the game stops with exit code 1: no character in the data can be played
};

// What came of the select screen.
enum class selectOutcome { fight, left, closed, nobodyPlays };

// The select screen's pair into the game, the cursors starting on the last picks (else
// the game's own choice). Without a stage to show it on, the game goes on with its usual
// fighters and start-up says why it cannot play.
selectOutcome pickCharacters(Game& game, const gameOptions& options,
                             const std::vector<std::string>& roster, std::string (&last)[2]) {
    selectScreen select;
    if (!select.load(options.dataDir, roster))
        return selectOutcome::fight;
    bool anyone = select.anyPlayable();
    for (const std::string& why : select.broken())
        if (!why.empty())
            reportProblem(anyone ? "warning: " + why + "; not offered on the select screen" : why);
    if (!anyone) {
        reportProblem("no character in " + options.dataDir + "/ can be played; brawler-check " +
                      options.dataDir + " lists what to mend");
        return selectOutcome::nobodyPlays;
    }
    select.startOn(0, last[0].empty() ? game.playerCharacter : last[0]);
    select.startOn(1, last[1].empty() ? game.opponentCharacter : last[1]);
    if (!select.run(screen, game.controls, options.versus))
        return select.windowClosed ? selectOutcome::closed : selectOutcome::left;
    game.playerCharacter = last[0] = select.picked[0];
    game.opponentCharacter = last[1] = select.picked[1];
    return selectOutcome::fight;
}

// Matches until the player leaves: the select screen when nobody named the characters,
// the match, and again on Backspace. Straight from the command line leaving ends the
// game; from the menu it goes back there unless the window was closed.
// From the menu the pause menu's Options opens `openOptions`.
played playMatches(const gameOptions& options, const std::vector<std::string>& roster,
                   const controlsConfig& controls, const replayFile* replay, bool fromMenu,
                   const std::function<bool(Game&)>& openOptions = nullptr) {
    bool selecting = !replay && !options.classic && !options.playerNamed &&
                     !options.opponentNamed && roster.size() > 1;
    played left = fromMenu ? played::toMenu : played::quit;
    std::string lastPicks[2];
    for (;;) {
        Game game;
        configure(game, options, roster);
        game.controls = controls;
        game.fromMenu = fromMenu;
        if (openOptions)
            game.openOptions = [&] { return openOptions(game); };
        // The select screen's draw and the match share one seeded generator, printed so a
        // fight can be told apart and its replay holds it.
        game.fightSeed = freshSeed();
        if (!options.classic)
            g_randomNumber.seedFight(game.fightSeed);
        if (replay) {
            game.watch(*replay);
            printf("replay: watching %s (%zu steps)\n", options.replayFile.c_str(),
                   replay->steps.size());
        }
        if (selecting) {
            switch (pickCharacters(game, options, roster, lastPicks)) {
            case selectOutcome::fight:
                break;
            case selectOutcome::left:
                return left;
            case selectOutcome::closed:
                return played::quit;
            case selectOutcome::nobodyPlays:
                return played::failed;
            }
        }
        game.selectable = selecting;
        game.startUp();
        // A window killed from outside ends the game here too, with the replay kept.
        onDisplayLost([&] { saveReplay(game, options); });
        game.run();
        onDisplayLost(nullptr);
        saveReplay(game, options);
        if (!game.match || !game.match->backToSelect)
            return game.match && game.match->windowClosed ? played::quit : left;
    }
}

// Whether the command line says what to play: then the game goes straight in, without
// the title and the menu.
bool straightIn(const gameOptions& o) {
    return o.classic || o.versus || o.training || o.playerNamed || o.opponentNamed || o.cpuNamed ||
           !o.replayFile.empty() || !o.recordFile.empty() || o.hosting || !o.joinHost.empty() ||
           o.roundsNamed || o.timeNamed;
}

// The volumes of the settings, to the mixer: 10 is full, as the game always played.
void applyVolumes(const gameSettings& settings) {
    mixLevels::setSoundVolume(settings.soundVolume);
    mixLevels::setMusicVolume(settings.musicVolume);
}

// The title and the main menu, and what each entry leads to, until Quit or the window
// closes. Options changes the keys and settings the next match is played with; the
// options given on the command line still win over the settings.
int playFromMenu(const gameOptions& options, const std::vector<std::string>& roster,
                 controlsConfig& controls, gameSettings& settings) {
    frontEnd menu(options.dataDir, controls);
    // The Replays page reads and checks the replay chosen; the one it passed is watched.
    replayFile checked;
    menu.checkReplay = [&](const std::string& path) {
        gameOptions o = options;
        o.replayFile = path;
        std::string why;
        return readReplay(o, roster, checked, &why) ? "" : why;
    };
    optionsPlaces places = optionsPlaces::forControls(options.controlsFile);
    menu.openOptions = [&](SDL_Surface* shown, const menuLook& look, menuInput& input) {
        bool open = runOptions(shown, look, input, controls, settings, places, applyVolumes);
        menu.useKeys(controls);
        return open;
    };
    // Options from the pause menu: the new keys act at once, the match's settings (rounds,
    // time, the computer's level) from the next match on.
    auto optionsInMatch = [&](Game& game) {
        bool open = menu.openOptions(screen, menu.look(), menu.input());
        game.controls = controls;
        game.GPad = controls.players[0];
        game.GPad2 = controls.players[1];
        return open;
    };
    bool fromTitle = true;
    for (;;) {
        if (theMusic)
            theMusic->play("title");
        frontChoice choice = menu.run(screen, fromTitle);
        fromTitle = false;
        gameOptions o = options;
        settingsFile::applyTo(settings, o);
        played end = played::toMenu;
        switch (choice) {
        case frontChoice::quit:
        case frontChoice::none:
            return 0;
        case frontChoice::arcade:
        case frontChoice::versus:
        case frontChoice::training:
            o.versus = choice == frontChoice::versus;
            o.training = choice == frontChoice::training;
            end = playMatches(o, roster, controls, nullptr, true, optionsInMatch);
            break;
        case frontChoice::replay:
            o.replayFile = menu.replayPath;
            end = playMatches(o, roster, controls, &checked, true);
            break;
        case frontChoice::host:
        case frontChoice::join:
            o.hosting = choice == frontChoice::host;
            if (!o.hosting && !readHostAndPort(menu.address, o.joinHost, o.port))
                break;
            playOnline(
                o, roster, controls, [&](Game& game) { configure(game, o, roster); },
                [&](const Game& game) { saveReplay(game, o); });
            break;
        }
        if (end != played::toMenu)
            return end == played::failed ? 1 : 0;
    }
}

} // namespace

int main(int argc, char** argv) {
    gameOptions options;
    std::string message;
    switch (readOptions(argc, argv, options, message)) {
    case optionsResult::help:
        printf("%s", usageText().c_str());
        return 0;
    case optionsResult::version:
        printf("%s", versionText().c_str());
        return 0;
    case optionsResult::wrong:
        fprintf(stderr, "%s\n%s", message.c_str(), usageText().c_str());
        return 2;
    case optionsResult::play:
        break;
    }
    if (options.writeControls)
        return writeControls(options);
    std::vector<std::string> roster = listCharacters(options.dataDir);
    if (!charactersExist(options, roster))
        return 2;
    // Problems go to standard error, so a quiet game still says what stopped it.
    if (options.quiet && !freopen("/dev/null", "w", stdout))
        fprintf(stderr, "brawler: warning: --quiet could not silence the trace\n");
    controlsConfig controls = readControls(options);
    // A folder the player named and mistyped: the advice about where to start the game
    // is for the usual data/ only.
    std::error_code noFolder;
    if (options.dataNamed && !std::filesystem::is_directory(options.dataDir, noFolder)) {
        fprintf(stderr, "brawler: no data folder \"%s\"\n", options.dataDir.c_str());
        return 1;
    }
    gameSettings settings = readSettings(options);
    replayFile replay;
    bool watching = !options.replayFile.empty();
    if (watching && !readReplay(options, roster, replay))
        return 1;
    preferGameControllers(controls);
    sdlInit(options.scale, options.fullscreen);
    applyVolumes(settings);
    musicPlayer music(options.dataDir);
    theMusic = &music;
    if (options.hosting || !options.joinHost.empty())
        return playOnline(
            options, roster, controls, [&](Game& game) { configure(game, options, roster); },
            [&](const Game& game) { saveReplay(game, options); });
    if (!straightIn(options) && !roster.empty())
        return playFromMenu(options, roster, controls, settings);
    played end = playMatches(options, roster, controls, watching ? &replay : nullptr, false);
    return end == played::failed ? 1 : 0;
}
