#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "SDL.h"

#include "config/controlsFile.h"
#include "config/controlsWriter.h"
#include "config/options.h"
#include "fighter/characterRoster.h"
#include "shell/game.h"
#include "shell/matchSession.h"
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
    game.versusMode = options.versus;
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
    bool selecting =
        !options.classic && !options.playerNamed && !options.opponentNamed && roster.size() > 1;
    preferGameControllers(controls);
    sdlInit(options.scale, options.fullscreen);
    for (;;) {
        Game game;
        configure(game, options, roster);
        game.controls = controls;
        if (selecting && !pickCharacters(game, options, roster))
            return 0;
        game.selectable = selecting;
        game.startUp();
        game.run();
        if (!game.match || !game.match->backToSelect)
            return 0;
    }
}
