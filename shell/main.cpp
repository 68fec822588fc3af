#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include <unistd.h>

#include "SDL.h"

#include "config/controlsFile.h"
#include "config/controlsWriter.h"
#include "config/options.h"
#include "config/replayPlace.h"
#include "datafile/dataFingerprint.h"
#include "match/replayFile.h"
#include "ai/randomNumber.h"
#include "fighter/characterRoster.h"
#include "shell/game.h"
#include "shell/matchSession.h"
#include "shell/onlinePlay.h"
#include "shell/selectScreen.h"
#include "shell/shell.h"

namespace {

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
    game.cpuLevel = options.cpu;
    game.versusMode = options.versus;
    game.trainingMode = options.training;
    // In training --cpu names the level the dummy plays at from the start.
    if (options.training && options.cpuNamed)
        game.trainingDummy = dummyMode::cpu;
    game.uncapped = options.uncapped;
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

// The select screen's pair into the game; false when the player left there. Without a
// stage to show it on, the game goes on with its usual fighters and start-up says why
// it cannot play.
bool pickCharacters(Game& game, const gameOptions& options,
                    const std::vector<std::string>& roster) {
    selectScreen select;
    if (!select.load(options.dataDir, roster))
        return true;
    if (!select.run(screen, game.controls, options.versus))
        return false;
    game.playerCharacter = select.picked[0];
    game.opponentCharacter = select.picked[1];
    return true;
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
    if (!game.replayOfMatch().save(path, error)) {
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
// reason on standard error, when it cannot be watched here.
bool readReplay(const gameOptions& options, const std::vector<std::string>& roster,
                replayFile& replay) {
    std::string error;
    if (!replay.load(options.replayFile, error)) {
        fprintf(stderr, "brawler: %s\n", error.c_str());
        return false;
    }
    std::string here = dataFingerprint(options.dataDir);
    if (replay.data != here) {
        fprintf(stderr,
                "brawler: %s: recorded with other data (data fingerprint %s; %s/ here is %s): "
                "watch it with the data it was played on\n",
                options.replayFile.c_str(), replay.data.c_str(), options.dataDir.c_str(),
                here.c_str());
        return false;
    }
    for (const std::string& name : {replay.player, replay.opponent})
        if (std::find(roster.begin(), roster.end(), name) == roster.end()) {
            fprintf(stderr, "brawler: %s: no character \"%s\" in %s/\n", options.replayFile.c_str(),
                    name.c_str(), options.dataDir.c_str());
            return false;
        }
    return true;
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
    // A match between characters nobody named starts at the select screen, and
    // Backspace after a match comes back to it.
    replayFile replay;
    bool watching = !options.replayFile.empty();
    if (watching && !readReplay(options, roster, replay))
        return 1;
    bool selecting = !watching && !options.classic && !options.playerNamed &&
                     !options.opponentNamed && roster.size() > 1;
    preferGameControllers(controls);
    sdlInit(options.scale, options.fullscreen);
    if (options.hosting || !options.joinHost.empty())
        return playOnline(
            options, roster, controls, [&](Game& game) { configure(game, options, roster); },
            [&](const Game& game) { saveReplay(game, options); });
    for (;;) {
        Game game;
        configure(game, options, roster);
        game.controls = controls;
        // The select screen's draw and the match share one seeded generator, printed so a
        // fight can be told apart and its replay holds it.
        game.fightSeed = freshSeed();
        if (!options.classic)
            g_randomNumber.seedFight(game.fightSeed);
        if (watching) {
            game.watch(replay);
            printf("replay: watching %s (%zu steps)\n", options.replayFile.c_str(),
                   replay.steps.size());
        }
        if (selecting && !pickCharacters(game, options, roster))
            return 0;
        game.selectable = selecting;
        game.startUp();
        game.run();
        saveReplay(game, options);
        if (!game.match || !game.match->backToSelect)
            return 0;
    }
}
