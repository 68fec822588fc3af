#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "config/controlsConfig.h"
#include "config/controlsFile.h"
#include "config/controlsWriter.h"
#include "config/gameSettings.h"
#include "config/keyAssignment.h"
#include "config/options.h"
#include "config/optionsPlaces.h"
#include "config/settingsFile.h"
#include "menu/menuLook.h"
#include "menu/optionsPage.h"
#include "tests/testSupport.h"
#include "tools/checker/checkerApp.h"

using namespace testsupport;

namespace {

struct SettingsCase {
    std::string text;    // the whole file
    std::string warning; // a fragment of the one warning expected, after "FILE:"; or none
    int gameSettings::*field;
    int expected;
};

// One row per kind of line a person writes, right or wrong, and the value that results.
const std::vector<SettingsCase> kSettingsCases = {
    {"", "", &gameSettings::roundSeconds, 99},
    {"rounds = 5\n", "", &gameSettings::rounds, 5},
    {"# mine\n\n  time =   NONE  \r\n", "", &gameSettings::roundSeconds, 0},
    {"fullscreen = Yes\n", "", &gameSettings::fullscreen, 1},
    {"sound = 0\nmusic = 10\n", "", &gameSettings::musicVolume, 10},
    {"rounds = 4\n", ":1: \"4\" for rounds is not 1, 3, 5, 7 or 9; rounds keeps 3",
     &gameSettings::rounds, 3},
    {"cpu = 5\ncpu = 9\n", ":2: \"9\" for cpu is not 1 to 8; cpu keeps 5", &gameSettings::cpu, 5},
    {"time = 45\n", ":1: \"45\" for time is not 30, 60, 99 or none", &gameSettings::roundSeconds,
     99},
    {"fullscreen = 1\n", ":1: \"1\" for fullscreen is not yes or no", &gameSettings::fullscreen, 0},
    {"scale =\n", ":1: no value for scale is not 1, 2, 3 or 4; scale keeps 1", &gameSettings::scale,
     1},
    {"sound = -1\n", "\"-1\" for sound is not 0 to 10", &gameSettings::soundVolume, 10},
    {"volume = 3\n", ":1: unknown setting \"volume\" — use sound, music", &gameSettings::cpu, 4},
    {"\nrounds 5\n", ":2: no \"=\" in \"rounds 5\"", &gameSettings::rounds, 3},
    {"\xEF\xBB\xBFrounds = 7\rcpu = 2", "", &gameSettings::cpu, 2},
    {std::string(201, 'x') + "\nrounds = 7\n", ":1: line longer than 200", &gameSettings::rounds,
     7},
    {std::string(70000, '\n') + "rounds = 7\n", "past 64 KB", &gameSettings::rounds, 3},
};

// Every setting of the controls, as a list of values to compare two configs by.
std::vector<int> valuesOf(controlsConfig c) {
    std::vector<int> all;
    for (const controlSetting& s : c.settings())
        all.push_back(*s.value);
    return all;
}

SDL_Event keyDown(SDLKey key) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = key;
    return e;
}

} // namespace

TEST(SettingsFile, EachLineWarnsWithItsPlaceAndKeepsTheValue) {
    TempDir dir;
    for (const SettingsCase& row : kSettingsCases) {
        SCOPED_TRACE(row.text.substr(0, 60));
        writeFile(dir / "settings", row.text);
        gameSettings settings;
        std::vector<std::string> warnings;
        EXPECT_TRUE(settingsFile::read(dir / "settings", settings, warnings));
        if (row.warning.empty()) {
            EXPECT_TRUE(warnings.empty()) << warnings.front();
        } else {
            ASSERT_EQ(warnings.size(), 1u) << (warnings.empty() ? "" : warnings.front());
            EXPECT_EQ(warnings[0].rfind("brawler: warning: " + dir / "settings", 0), 0u)
                << warnings[0];
            EXPECT_NE(warnings[0].find(row.warning), std::string::npos) << warnings[0];
        }
        EXPECT_EQ(settings.*row.field, row.expected);
    }
    // Missing: the defaults without a word; a folder: a warning.
    gameSettings settings;
    std::vector<std::string> warnings;
    EXPECT_FALSE(settingsFile::read(dir / "none", settings, warnings));
    EXPECT_TRUE(warnings.empty());
    EXPECT_FALSE(settingsFile::read(dir.path(), settings, warnings));
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("cannot read the settings file"), std::string::npos);
    EXPECT_TRUE(settings == gameSettings());

    // The checker prints the same lines, and a named file that is missing is a problem.
    writeFile(dir / "settings", "rounds = 4\n");
    std::string output;
    EXPECT_EQ(checkerApp().run({"--settings", dir / "settings"}, output), 1);
    EXPECT_EQ(output,
              "brawler: warning: " + dir / "settings" +
                  ":1: \"4\" for rounds is not 1, 3, 5, 7 or 9; rounds keeps 3\n1 problem\n");
    output.clear();
    EXPECT_EQ(checkerApp().run({"--settings", dir / "none"}, output), 1);
    EXPECT_NE(output.find("cannot read the settings file"), std::string::npos);
}

// What the options write, the game reads back the same, without a warning: the settings
// and a controls file with keys swapped between the players and a player on a pad.
TEST(SettingsFile, WrittenFilesReadBackTheSame) {
    TempDir dir;
    optionsPlaces places = optionsPlaces::forControls(dir / "keys/mine");
    EXPECT_EQ(places.settings, dir / "keys/settings");
    EXPECT_EQ(optionsPlaces::forControls("mine").settings, "settings");

    gameSettings changed;
    changed.soundVolume = 0;
    changed.musicVolume = 3;
    changed.fullscreen = 1;
    changed.scale = 4;
    changed.rounds = 9;
    changed.roundSeconds = 0;
    changed.cpu = 8;
    std::string error;
    ASSERT_TRUE(settingsFile::write(places.settings, changed, error)) << error;
    gameSettings back;
    std::vector<std::string> warnings;
    settingsFile::read(places.settings, back, warnings);
    EXPECT_TRUE(warnings.empty()) << warnings.front();
    EXPECT_TRUE(back == changed);

    controlsConfig controls;
    keyAssignment assign(controls);
    bool moved = false;
    assign.assignKey(0, 4, SDLK_f, moved); // 1P A takes 2P A's key: they swap
    assign.assignKey(1, 0, SDLK_COMMA, moved);
    assign.assignPad(1, 2, moved);
    assign.assignButton(1, 2, 7, moved);
    ASSERT_TRUE(settingsFile::replaceFile(places.controls, controlsText(controls), error));
    controlsConfig read;
    readControlsFile(places.controls, read, warnings);
    EXPECT_TRUE(warnings.empty()) << warnings.front();
    EXPECT_EQ(valuesOf(read), valuesOf(controls));
    EXPECT_NE(valuesOf(read), valuesOf(controlsConfig()));
    EXPECT_EQ(controlsText(controlsConfig()), defaultControlsText());

    // A place that cannot be written is said, and the file there stays whole.
    EXPECT_FALSE(settingsFile::write(places.settings + "/below", changed, error));
    EXPECT_EQ(error.rfind("cannot write " + places.settings + "/below (", 0), 0u) << error;
}

// Options given win over the file; the file gives the rest.
TEST(SettingsFile, CommandLineOptionsWinOverTheFile) {
    gameSettings file;
    file.rounds = 3;
    file.roundSeconds = 30;
    file.cpu = 7;
    file.scale = 2;
    file.fullscreen = 1;
    const char* argv[] = {"brawler", "--rounds", "5", "--time", "none", "--scale", "1"};
    gameOptions given;
    std::string message;
    ASSERT_EQ(readOptions(7, const_cast<char**>(argv), given, message), optionsResult::play);
    settingsFile::applyTo(file, given);
    EXPECT_EQ(given.rounds, 5);
    EXPECT_EQ(given.roundSeconds, 0);
    EXPECT_EQ(given.scale, 1);
    EXPECT_EQ(given.cpu, 7);
    EXPECT_TRUE(given.fullscreen);
    EXPECT_FALSE(given.cpuNamed) << "a level from the file is no --cpu: versus still starts";

    const char* bad[] = {"brawler", "--time", "45"};
    gameOptions refused;
    ASSERT_EQ(readOptions(3, const_cast<char**>(bad), refused, message), optionsResult::wrong);
    EXPECT_EQ(message, "brawler: --time takes a round's seconds: 30, 60, 99 or none, not \"45\"");
}

// A key another action has, either player's, swaps with it; the game's own keys are
// refused; a pad or a pad button another has swaps too.
TEST(KeyAssignment, SwapsATakenKeyAndRefusesTheGamesOwn) {
    controlsConfig c;
    keyAssignment assign(c);
    bool moved = false;
    EXPECT_EQ(assign.assignKey(0, 4, SDLK_x, moved), "SWAPPED: 1P B IS NOW Z");
    EXPECT_TRUE(moved);
    EXPECT_EQ(c.players[0].buttonA, SDLK_x);
    EXPECT_EQ(c.players[0].buttonB, SDLK_z);
    EXPECT_EQ(assign.assignKey(1, 4, SDLK_LEFT, moved), "SWAPPED: 1P LEFT IS NOW F");
    EXPECT_EQ(c.players[1].buttonA, SDLK_LEFT);
    EXPECT_EQ(c.players[0].keyLeft, SDLK_f);
    EXPECT_EQ(assign.assignKey(0, 2, SDLK_SLASH, moved), "1P UP IS NOW SLASH");
    EXPECT_EQ(assign.assignKey(0, 2, SDLK_SLASH, moved), "1P UP STAYS SLASH");
    EXPECT_FALSE(moved);
    controlsConfig before = c;
    for (SDLKey key : {SDLK_ESCAPE, SDLK_RETURN, SDLK_KP_ENTER, SDLK_F11, SDLK_p, SDLK_j}) {
        std::string said = assign.assignKey(0, 5, key, moved);
        EXPECT_EQ(said.rfind("NOT ", 0), 0u) << said;
        EXPECT_FALSE(moved);
    }
    EXPECT_EQ(assign.assignKey(0, 5, SDLK_F11, moved), "NOT F11: F11 SWITCHES FULLSCREEN");
    EXPECT_EQ(valuesOf(c), valuesOf(before));

    EXPECT_EQ(assign.assignButton(0, 0, 2, moved), "SWAPPED: 1P PAD C IS NOW BUTTON 0");
    EXPECT_EQ(c.players[0].joyButtonA, 2);
    EXPECT_EQ(assign.assignPad(0, 1, moved), "1P IS NOW ON PAD 1");
    EXPECT_EQ(assign.assignPad(1, 1, moved), "SWAPPED: 1P IS NOW ON THE KEYBOARD");
    EXPECT_EQ(c.players[0].joystickIndex, -1);
    EXPECT_EQ(c.players[1].joystickIndex, 1);
    EXPECT_EQ(keyAssignment::shownName(SDLK_KP0), "KEYPAD 0");
    // A pad player's keys count for nobody, so a hand-written file may share one; back on
    // the keyboard, the page says so.
    c.players[1].keyDown = c.players[0].keyUp;
    EXPECT_EQ(assign.assignPad(1, -1, moved), "1P UP IS ALSO 2P DOWN: CHANGE ONE");
}

// The page as a player meets it: keys pressed in order open 1P's keys, give A the key
// B had, lower the sound, and leave; both files are saved and say what changed.
TEST(OptionsPage, KeysAndSettingsChangedOnThePageAreAppliedAndSaved) {
    TempDir dir;
    SDL_Surface* screen = videoScreen();
    menuLook look;
    look.load(std::string(BRAWLER_SOURCE_DIR) + "/data");
    controlsConfig controls;
    gameSettings settings;
    optionsPlaces places = optionsPlaces::forControls(dir / "controls");
    menuInput input(controls);
    std::vector<int> applied;
    applySettings apply = [&](const gameSettings& s) { applied.push_back(s.soundVolume); };
    SDL_Event e{};
    while (SDL_PollEvent(&e)) {
    }
    // 1P KEYS, down to A, Enter, x; back; down to SOUND, lower it twice; up past the top
    // to ROUND TIME, lower it; leave.
    for (SDLKey key : {SDLK_RETURN, SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_RETURN, SDLK_x,
                       SDLK_ESCAPE, SDLK_DOWN, SDLK_DOWN, SDLK_LEFT, SDLK_LEFT, SDLK_UP, SDLK_UP,
                       SDLK_UP, SDLK_UP, SDLK_UP, SDLK_LEFT, SDLK_ESCAPE}) {
        SDL_Event k = keyDown(key);
        SDL_PushEvent(&k);
    }
    bool open = false;
    std::string trace = captureStdout(
        [&] { open = runOptions(screen, look, input, controls, settings, places, apply); });
    EXPECT_TRUE(open);
    EXPECT_EQ(trace, "screen: options\noptions: SWAPPED: 1P B IS NOW Z\noptions: saved " +
                         places.controls + "\noptions: saved " + places.settings + "\n");
    EXPECT_EQ(applied, (std::vector<int>{9, 8, 8}));
    EXPECT_EQ(controls.players[0].buttonA, SDLK_x);
    EXPECT_EQ(controls.players[0].buttonB, SDLK_z);
    controlsConfig saved;
    std::vector<std::string> warnings;
    readControlsFile(places.controls, saved, warnings);
    EXPECT_EQ(valuesOf(saved), valuesOf(controls));
    gameSettings savedSettings;
    settingsFile::read(places.settings, savedSettings, warnings);
    EXPECT_EQ(savedSettings.soundVolume, 8);
    EXPECT_EQ(savedSettings.roundSeconds, 60);
    EXPECT_TRUE(warnings.empty());

    // A file that cannot be written keeps the page with a message; Escape again leaves.
    optionsPlaces nowhere{dir / "controls/x", dir / "controls/y"};
    optionsPage page(screen, look, input, controls, settings, nowhere, apply);
    std::string said = captureStderr([&] {
        EXPECT_EQ(page.act(menuAction::back, e), menuStep::stay);
        EXPECT_EQ(page.list.message, "COULD NOT SAVE THE KEYS AND SETTINGS: ESCAPE LEAVES");
        EXPECT_EQ(page.act(menuAction::back, e), menuStep::leave);
    });
    EXPECT_NE(said.find("brawler: warning: the options' keys were not saved: cannot write " +
                        dir / "controls/x ("),
              std::string::npos)
        << said;
}
