#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "config/controlsConfig.h"
#include "config/controlsFile.h"
#include "config/controlsWriter.h"
#include "config/keyNames.h"
#include "tests/testSupport.h"
#include "tools/checker/checkerApp.h"

using namespace testsupport;

namespace {

// A setting's value as a player would name it: the key, or the number.
std::string valueOf(controlsConfig& controls, const std::string& name) {
    for (const controlSetting& s : controls.settings())
        if (s.name == name)
            return s.kind == settingKind::key ? keynames::nameOf(*s.value)
                                              : std::to_string(*s.value);
    return "no setting " + name;
}

struct ControlsCase {
    std::string text;     // the whole file
    std::string warning;  // a fragment of the one warning expected; empty for none
    std::string setting;  // the setting to look at afterwards
    std::string expected; // its key name or number
};

// One row per kind of line a person gets wrong, and the key that results.
const std::vector<ControlsCase> kCases = {
    {"", "", "2p.jump", "w"},
    {"", "", "2p.c", "h"},
    {"1p.a = zz\n",
     "controls:1: unknown key \"zz\" for 1p.a — use a key name as SDL writes it, such as \"z\", "
     "\"left\" or \"return\"; 1p.a keeps z",
     "1p.a", "z"},
    {"1P.Jump =  Left   CTRL \n", "", "1p.jump", "left ctrl"},
    {"2p.down = space\n", "", "2p.duck", "space"},
    {"1p.a = x\n1p.b = z\n", "", "1p.b", "z"},
    {"1p.a = x\n", "controls:1: key \"x\" for 1p.a is also 1p.b", "1p.a", "z"},
    {"1p.a = v\n1p.b = v\n", "controls:2: key \"v\" for 1p.b is also 1p.a", "1p.b", "x"},
    {"overlay = z\n", "key \"z\" for overlay is also 1p.a", "overlay", "j"},
    {"2p.left = left\n", "is also 1p.left", "2p.left", "a"},
    {"1p.joystick = 0\n2p.left = left\n", "", "2p.left", "left"},
    {"1p.joystick = 0\n2p.joystick = 0\n", "controls:2: joystick 0 for 2p.joystick is also",
     "2p.joystick", "-1"},
    {"2p.joystick.b = 0\n", "button 0 for 2p.joystick.b is also 2p.joystick.a", "2p.joystick.b",
     "1"},
    {"1p.joystick = -1\n", "not a whole number from 0 to 99", "1p.joystick", "-1"},
    {"1p.joystick.a = 99999999999\n", "not a whole number", "1p.joystick.a", "0"},
    {"2p.joystick = 3\n2p.joystick.c = 99\n", "", "2p.joystick.c", "99"},
    {"1p.kick = k\n", "controls:1: unknown setting \"1p.kick\"", "1p.b", "x"},
    {"# mine\n\n1p.a z\n", "controls:3: no \"=\" in \"1p.a z\"", "1p.a", "z"},
    {"1p.c =\n", "no key after \"=\" for 1p.c", "1p.c", "c"},
    {"pause = Escape\n", "is the game's own", "pause", "p"},
    {"2p.b = RETURN\n", "is the game's own", "2p.b", "g"},
    {"1p.a = \x01\x7f\n", "unknown key \"??\"", "1p.a", "z"},
    {std::string(201, 'a') + "\n1p.a = v\n", "controls:1: line longer than 200", "1p.a", "v"},
    {"1p.a = v\r\n1p.b = n\r\n", "", "1p.b", "n"},
    {"\xEF\xBB\xBF"
     "1p.a = v\r1p.b = n",
     "", "1p.b", "n"},
    {std::string(70000, '\n') + "1p.a = v\n", "past 64 KB", "1p.a", "z"},
    // The fullscreen switch eats F11 and Alt+Enter before any player sees them.
    {"1p.a = F11\n", "controls:1: key \"f11\" for 1p.a is the game's own (F11 and Alt+Enter",
     "1p.a", "z"},
    {"2p.c = right alt\n", "is the game's own (F11", "2p.c", "h"},
    // A line the 64 KB limit cuts in half is not read ("l" is a key too); a whole file of
    // exactly 64 KB is read to its last line, with or without its line end.
    {std::string(64 * 1024 - 8, '\n') + "1p.a = left\n", "controls:65529: line cut off where",
     "1p.a", "z"},
    {std::string(64 * 1024 - 9, '\n') + "1p.a = v\n", "", "1p.a", "v"},
    {std::string(64 * 1024 - 8, '\n') + "1p.a = v", "", "1p.a", "v"},
    {std::string(64 * 1024 - 9, '\n') + "1p.a = v\n\n", "past 64 KB", "1p.a", "v"},
};

} // namespace

TEST(ControlsFile, EachBrokenLineWarnsAndKeepsItsKey) {
    TempDir dir;
    for (const ControlsCase& row : kCases) {
        SCOPED_TRACE(row.text.substr(0, 60));
        writeFile(dir / "controls", row.text);
        controlsConfig controls;
        std::vector<std::string> warnings;
        readControlsFile(dir / "controls", controls, warnings);
        if (row.warning.empty()) {
            EXPECT_TRUE(warnings.empty()) << warnings.front();
        } else {
            ASSERT_EQ(warnings.size(), 1u) << (warnings.empty() ? "" : warnings.front());
            EXPECT_EQ(warnings[0].rfind("brawler: warning: " + dir.path(), 0), 0u) << warnings[0];
            EXPECT_NE(warnings[0].find(row.warning), std::string::npos) << warnings[0];
        }
        EXPECT_EQ(valueOf(controls, row.setting), row.expected);
    }
}

TEST(ControlsFile, ManyBadLinesAreSummedUp) {
    TempDir dir;
    std::string text;
    for (int i = 0; i < 60; ++i)
        text += "nonsense\n";
    writeFile(dir / "controls", text);
    controlsConfig controls;
    std::vector<std::string> warnings;
    readControlsFile(dir / "controls", controls, warnings);
    ASSERT_EQ(warnings.size(), 51u);
    EXPECT_NE(warnings.back().find(": 10 more lines cannot be used"), std::string::npos);
}

// The written file is the defaults, read back without a word; it is never written twice.
TEST(ControlsFile, WrittenDefaultsReadBackCleanAndAreNeverOverwritten) {
    TempDir dir;
    std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("XDG_CONFIG_HOME", dir.path().c_str(), 1);
    std::string place = dir / "brawler/controls";
    EXPECT_EQ(defaultControlsPath(), place);

    controlsWriteResult first = writeDefaultControls("");
    EXPECT_TRUE(first.written);
    EXPECT_EQ(first.message, "brawler: wrote the default controls to " + place);
    std::vector<std::string> warnings;
    controlsConfig read = loadControls("", warnings);
    EXPECT_TRUE(warnings.empty()) << warnings.front();
    controlsConfig defaults;
    std::vector<controlSetting> want = defaults.settings(), got = read.settings();
    for (size_t i = 0; i < want.size(); ++i)
        EXPECT_EQ(*got[i].value, *want[i].value) << want[i].name;

    writeFile(place, "1p.a = v\n");
    controlsWriteResult again = writeDefaultControls(place);
    EXPECT_FALSE(again.written);
    EXPECT_EQ(again.message, "brawler: " + place +
                                 " already exists; not written (remove it or name another file)");
    EXPECT_EQ(readFile(place), "1p.a = v\n");
    EXPECT_EQ(valueOf(read = loadControls("", warnings), "1p.a"), "v");

    // Named and missing: a warning; the default place missing: silence.
    loadControls(dir / "nothing", warnings);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("cannot read the controls file"), std::string::npos);
    setenv("XDG_CONFIG_HOME", "", 1);
    setenv("HOME", dir.path().c_str(), 1);
    EXPECT_EQ(defaultControlsPath(), dir / ".config/brawler/controls");
    loadControls("", warnings);
    EXPECT_EQ(warnings.size(), 1u);
    unsetenv("XDG_CONFIG_HOME");
    setenv("HOME", home.c_str(), 1);
}

TEST(ControlsFile, CheckerPrintsTheWarningsAndFails) {
    TempDir dir;
    writeFile(dir / "good", defaultControlsText());
    writeFile(dir / "bad", "1p.a = zz\n");
    std::string output;
    EXPECT_EQ(checkerApp().run({"--controls", dir / "good"}, output), 0);
    EXPECT_EQ(output, "0 problems\n");
    output.clear();
    EXPECT_EQ(checkerApp().run({"--controls", dir / "bad"}, output), 1);
    EXPECT_EQ(output.rfind("brawler: warning: " + dir / "bad" + ":1: unknown key", 0), 0u);
    EXPECT_NE(output.find("\n1 problem\n"), std::string::npos);
    EXPECT_EQ(checkerApp().run({"--controls", dir / "bad", "data"}, output), 2);
}
