#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <sstream>

#include <gtest/gtest.h>

#include "datafile/bmpHeader.h"
#include "datafile/frameLimits.h"
#include "particles/particleList.h"
#include "shell/game.h"
#include "shell/shell.h"
#include "tests/testSupport.h"
#include "tools/checker/checkerApp.h"
#include "tools/runner/fightRunner.h"
#include "tools/runner/fightScript.h"

using namespace testsupport;

namespace {

namespace fs = std::filesystem;

// One way to break a copy of the shipped data, and what the game and the checker make
// of it. In messages, {root} stands for the broken copy's data folder as the tools are
// given it ("data", from the folder that holds it and the fight script).
struct BrokenCase {
    const char* name;
    std::function<void(const std::string& root)> inject;
    bool stops; // the game stops with exit code 1; otherwise the fight plays to its end
    // Text that a "brawler: " line must start with; "" when the game must say nothing,
    // null when it may say anything.
    const char* message;
    const char* where;    // the checker's line starts "<root>/<where>: <severity>: "
    const char* severity; // "error" (exit 1) or "warning" (exit 0)
};

void PrintTo(const BrokenCase& c, std::ostream* os) {
    *os << c.name;
}

const char* const kSheet = "/Brawler/jab/info";
const char* const kAnims = "/Brawler/info";
const char* const kMoves = "/Brawler/moveset";
const char* const kParts = "/particle/default";
const char* const kPartDef = "/particle/fireball1/particle";
const char* const kSounds = "/soundSet/sound";
const char* const kAttacks = "/Brawler/ai/attack";
// Every description file of the data, for whole-data line-end conversions.
const char* const kTextFiles[] = {kSheet, kAnims, kMoves, kParts, kPartDef, kSounds, kAttacks};

// Keeps the first `lines` lines of a file.
void keepLines(const std::string& path, int lines) {
    std::string text = readFile(path);
    size_t at = 0;
    for (int i = 0; i < lines && at != std::string::npos; ++i) {
        at = text.find('\n', at);
        if (at != std::string::npos)
            ++at;
    }
    writeFile(path, text.substr(0, at));
}

// Bytes from a fixed seed, so every run breaks the file the same way.
void garbage(const std::string& path) {
    std::mt19937 random(20240607);
    std::string bytes(2000, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xff);
    writeFile(path, bytes);
}

void lineEnds(const std::string& root, const std::string& end) {
    for (const char* file : kTextFiles) {
        std::string out;
        for (char c : readFile(root + file))
            out += c == '\n' ? end : std::string(1, c);
        writeFile(root + file, out);
    }
}

// A 1-bit BMP of w x h with all its rows, written by hand: SDL will not make a 0x0 one,
// and a large one stays small on disk.
void handBMP(const std::string& path, uint32_t w, uint32_t h) {
    uint32_t row = (w + 31) / 32 * 4;
    uint32_t pixels = row * h;
    uint32_t offset = 14 + 40 + 8;
    std::string out;
    auto put = [&](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out += static_cast<char>((v >> (8 * i)) & 0xff);
    };
    out += "BM";
    put(offset + pixels, 4);
    put(0, 4);
    put(offset, 4);
    put(40, 4);
    put(w, 4);
    put(h, 4);
    put(1, 2);
    put(1, 2);
    put(0, 4);
    put(pixels, 4);
    put(2835, 4);
    put(2835, 4);
    put(2, 4);
    put(0, 4);
    put(0x000000, 4);
    put(0xffffff, 4);
    out += std::string(pixels, '\x55');
    writeFile(path, out);
}

std::string longLine(char c) {
    return std::string(10000, c);
}

// The spark's definition with the given death list (count line and entries).
void sparkDeathList(const std::string& root, const std::string& deathList) {
    writeFile(root + "/particle/spark/particle",
              "255\n300\n1\n0\n0\n" + deathList + "0\n0\n0\n0\n");
}

const std::vector<BrokenCase>& cases() {
    auto cut = [](const char* file, int lines) {
        return [=](const std::string& r) { keepLines(r + file, lines); };
    };
    auto remove = [](const char* file) {
        return [=](const std::string& r) { fs::remove(r + file); };
    };
    auto header = [](const char* file, const char* text) {
        return [=](const std::string& r) { replaceLine(r + file, 1, text); };
    };
    auto noise = [](const char* file) { return [=](const std::string& r) { garbage(r + file); }; };
    auto empty = [](const char* file) {
        return [=](const std::string& r) { writeFile(r + file, ""); };
    };
    const char* noAnims = "brawler: {root}/Brawler: no animations loaded ({root}/Brawler/info ";
    const char* noMoves = "brawler: {root}/Brawler: no moves loaded ({root}/Brawler/moveset ";
    const char* jabImage = "brawler: cannot read the frame image {root}/Brawler/jab/jab_1.bmp, "
                           "named on line 17 of {root}/Brawler/jab/info";
    static const std::vector<BrokenCase> table = {
        // Files cut short, in the middle of a block.
        {"CutSheet", cut(kSheet, 24), false,
         "brawler: warning: {root}/Brawler/jab/info:24: expected 2 numbers (point x y)",
         "Brawler/jab/info:1", "error"},
        {"CutAnimationList", cut(kAnims, 3), false,
         "brawler: warning: {root}/Brawler/info:1: the count says 5 animations but the file holds "
         "2",
         "Brawler/info:1", "error"},
        {"CutMoveset", cut(kMoves, 50), false,
         "brawler: warning: {root}/Brawler/moveset:50: expected 1 number", "Brawler/moveset:1",
         "error"},
        {"CutParticleList", cut(kParts, 2), false,
         "brawler: warning: {root}/particle/default:1: the count says 2 particle lines but the "
         "file holds 1",
         "particle/default:1", "error"},
        {"CutParticleDefinition", cut(kPartDef, 7), false,
         "brawler: warning: {root}/particle/fireball1/particle:6: the count says 3 spawn lines",
         "particle/fireball1/particle:6", "error"},
        {"CutSoundList", cut(kSounds, 3), false,
         "brawler: warning: {root}/soundSet/sound:1: the count says 4 sound names but the file "
         "holds 2",
         "soundSet/sound:1", "error"},
        {"CutAttackTable", cut(kAttacks, 6), false,
         "brawler: warning: {root}/Brawler/ai/attack:1: the count says 6 entries of two lines but "
         "the file holds 2",
         "Brawler/ai/attack:1", "error"},
        // Missing files.
        {"MissingSheet", remove(kSheet), false,
         "brawler: warning: {root}/Brawler/jab/info: missing file", "Brawler/jab/info", "error"},
        {"MissingAnimationList", remove(kAnims), true, noAnims, "Brawler/info", "error"},
        {"MissingMoveset", remove(kMoves), true, noMoves, "Brawler/moveset", "error"},
        {"MissingParticleList", remove(kParts), false,
         "brawler: warning: {root}/particle/default: missing file", "particle/default", "error"},
        {"MissingParticleDefinition", remove(kPartDef), false,
         "brawler: warning: {root}/particle/fireball1/particle: missing file",
         "particle/fireball1/particle", "error"},
        {"MissingSoundList", remove(kSounds), false,
         "brawler: warning: {root}/soundSet/sound: missing file", "soundSet/sound", "error"},
        {"MissingAttackTable", remove(kAttacks), false,
         "brawler: warning: {root}/Brawler/ai/attack: missing file", "Brawler/ai/attack", "error"},
        {"MissingStage", remove("/tBG2.bmp"), true,
         "brawler: cannot read the stage image {root}/tBG2.bmp", "tBG2.bmp", "error"},
        // A stage whose header claims 30000x30000 pixels: refused before SDL allocates.
        {"StageClaimsTooMuch",
         [](auto r) {
             std::string stage = readFile(r + "/tBG2.bmp");
             for (int at : {18, 22})
                 stage.replace(at, 4, std::string("\x30\x75\x00\x00", 4));
             writeFile(r + "/tBG2.bmp", stage);
         },
         true,
         "brawler: cannot read the stage image {root}/tBG2.bmp (the BMP header claims 30000x30000",
         "tBG2.bmp", "error"},
        {"MissingFrameImage", remove("/Brawler/kick/kick_2.bmp"), true,
         "brawler: cannot read the frame image {root}/Brawler/kick/kick_2.bmp, named on line 31 "
         "of {root}/Brawler/kick/info",
         "Brawler/kick/info:31", "error"},
        // Counts below zero and far beyond the file.
        {"SheetCountNegative", header(kSheet, "FILES: -1"), false,
         "brawler: warning: {root}/Brawler/jab/info:1: the count -1 is below 0",
         "Brawler/jab/info:1", "error"},
        {"AnimationCountNegative", header(kAnims, "ANIMS: -1"), true, noAnims, "Brawler/info:1",
         "error"},
        {"MoveCountNegative", header(kMoves, "ANIMS: -1"), true, noMoves, "Brawler/moveset:1",
         "error"},
        {"ParticleCountNegative", header(kParts, "PARTS: -1"), false,
         "brawler: warning: {root}/particle/default:1: the count -1 is below 0",
         "particle/default:1", "error"},
        {"SoundCountNegative", header(kSounds, "SOUNDS: -1"), false,
         "brawler: warning: {root}/soundSet/sound:1: the count -1 is below 0", "soundSet/sound:1",
         "error"},
        {"AttackCountNegative", header(kAttacks, "Attacks: -1"), false,
         "brawler: warning: {root}/Brawler/ai/attack:1: the count -1 is below 0",
         "Brawler/ai/attack:1", "error"},
        {"SheetCountHuge", header(kSheet, "FILES: 2147483647"), false,
         "brawler: warning: {root}/Brawler/jab/info:1: the count says 1000000 or more frames but "
         "the file holds 5",
         "Brawler/jab/info:1", "error"},
        {"AnimationCountHuge", header(kAnims, "ANIMS: 2147483647"), false,
         "brawler: warning: {root}/Brawler/info:1: the count says 1000000 or more animations",
         "Brawler/info:1", "error"},
        {"MoveCountHuge", header(kMoves, "ANIMS: 2147483647"), false,
         "brawler: warning: {root}/Brawler/moveset:1: the count says 1000000 or more move blocks",
         "Brawler/moveset:1", "error"},
        {"ParticleCountHuge", header(kParts, "PARTS: 2147483647"), false,
         "brawler: warning: {root}/particle/default:1: the count says 1000000 or more particle",
         "particle/default:1", "error"},
        {"SoundCountHuge", header(kSounds, "SOUNDS: 2147483647"), false,
         "brawler: warning: {root}/soundSet/sound:1: the count says 1000000 or more sound names",
         "soundSet/sound:1", "error"},
        {"AttackCountHuge", header(kAttacks, "Attacks: 2147483647"), false,
         "brawler: warning: {root}/Brawler/ai/attack:1: the count says 1000000 or more entries",
         "Brawler/ai/attack:1", "error"},
        // Random bytes in place of a file: a sheet, a particle definition, a frame image.
        {"GarbageSheet", noise(kSheet), false,
         "brawler: warning: {root}/Brawler/jab/info:1: line longer than 254", "Brawler/jab/info:1",
         "error"},
        {"GarbageParticleDefinition", noise(kPartDef), false,
         "brawler: warning: {root}/particle/fireball1/particle:1: line longer than 254",
         "particle/fireball1/particle:1", "error"},
        {"GarbageFrameImage", noise("/Brawler/jab/jab_1.bmp"), true, jabImage,
         "Brawler/jab/info:17", "error"},
        // Lines of 10,000 characters: a move's name, a particle's lifetime.
        {"LongNameLine", [](auto r) { replaceLine(r + kMoves, 2, longLine('w')); }, false,
         "brawler: warning: {root}/Brawler/moveset:2: line longer than 254 characters",
         "Brawler/moveset:2", "error"},
        {"LongNumberLine", [](auto r) { replaceLine(r + kPartDef, 2, longLine('7')); }, false,
         "brawler: warning: {root}/particle/fireball1/particle:2: line longer than 254",
         "particle/fireball1/particle:2", "error"},
        // Other line ends, in every description file: read as the game's own.
        {"CrLfLineEnds", [](auto r) { lineEnds(r, "\r\n"); }, false, "", "Brawler/info:1",
         "warning"},
        {"LoneCrLineEnds", [](auto r) { lineEnds(r, "\r"); }, false, "", "Brawler/info:1",
         "warning"},
        // Empty files.
        {"EmptySheet", empty(kSheet), false,
         "brawler: warning: {root}/Brawler/jab/info: expected the header", "Brawler/jab/info",
         "error"},
        {"EmptyAnimationList", empty(kAnims), true, noAnims, "Brawler/info", "error"},
        {"EmptyMoveset", empty(kMoves), true, noMoves, "Brawler/moveset", "error"},
        {"EmptyParticleList", empty(kParts), false,
         "brawler: warning: {root}/particle/default: expected the header", "particle/default",
         "error"},
        {"EmptyParticleDefinition", empty(kPartDef), false,
         "brawler: warning: {root}/particle/fireball1/particle: the file ends here",
         "particle/fireball1/particle", "error"},
        {"EmptySoundList", empty(kSounds), false,
         "brawler: warning: {root}/soundSet/sound: expected the header", "soundSet/sound", "error"},
        {"EmptyAttackTable", empty(kAttacks), false,
         "brawler: warning: {root}/Brawler/ai/attack: the file ends before all six groups",
         "Brawler/ai/attack", "error"},
        // Frame images the game refuses.
        {"FrameImageOfText",
         [](auto r) { writeFile(r + "/Brawler/jab/jab_1.bmp", "a text file, not a picture\n"); },
         true, jabImage, "Brawler/jab/info:17", "error"},
        {"FrameImageZeroSize", [](auto r) { handBMP(r + "/Brawler/jab/jab_1.bmp", 0, 0); }, true,
         "brawler: the frame image {root}/Brawler/jab/jab_1.bmp is 0x0 pixels",
         "Brawler/jab/info:17", "error"},
        {"FrameImageHuge", [](auto r) { handBMP(r + "/Brawler/jab/jab_1.bmp", 5000, 5000); }, true,
         "brawler: the frame image {root}/Brawler/jab/jab_1.bmp is 5000x5000 pixels",
         "Brawler/jab/info:17", "error"},
        // Names that point nowhere or back at themselves.
        {"MoveFolderMissing", [](auto r) { replaceFirst(r + kMoves, "\nkick\n", "\nkickk\n"); },
         false, "brawler: warning: {root}/Brawler/kickk/info: missing folder", "Brawler/kickk/info",
         "error"},
        {"ParticleSpawnsItself", [](auto r) { sparkDeathList(r, "1\nspark 0 0\n"); }, false, "",
         "particle/spark/particle:7", "warning"},
        {"ParticleStorm", [](auto r) { sparkDeathList(r, "2\nspark 0 0\nspark 5 0\n"); }, false,
         nullptr, "particle/spark/particle:7", "warning"},
    };
    return table;
}

// A few seconds of fight on the broken copy: the opponent fights, the player throws two
// fireballs, kicks, walks, jumps and strikes.
const char* const kFight = "data data\n"
                           "seed 3\n"
                           "opponent active\n"
                           "at 300 tap Down\nat 320 tap Right\nat 340 tap z\n"
                           "at 900 tap x\n"
                           "at 1300 press Right\nat 1700 release Right\n"
                           "at 1800 tap Up\nat 2000 tap c\n"
                           "at 2400 tap Down\nat 2420 tap Right\nat 2440 tap z\n"
                           "end 3000\n";

std::string withRoot(std::string text, const std::string& root) {
    for (size_t at; (at = text.find("{root}")) != std::string::npos;)
        text.replace(at, 6, root);
    return text;
}

std::vector<std::string> linesStarting(const std::string& output, const std::string& start) {
    std::vector<std::string> found;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);)
        if (line.compare(0, start.size(), start) == 0)
            found.push_back(line);
    return found;
}

// A copy of the shipped data for breaking, with a fight script beside it.
class BrokenCopy {
public:
    BrokenCopy() {
        copyTree(std::string(BRAWLER_SOURCE_DIR) + "/data", root());
        writeFile(dir_ / "fight.fight", kFight);
    }
    std::string root() const { return dir_ / "data"; }
    const std::string& dir() const { return dir_.path(); }

    // Runs a program under a timeout (exit code 124 then), with sanitizer reports sent to
    // files in the folder so that none can hide in the tool's own output handling.
    ChildResult run(const std::string& tool, const std::string& args) const {
        std::string logs = "log_path=" + dir() + "/sanitizer";
        auto options = [&](const char* name) {
            const char* had = getenv(name);
            return std::string(name) + "='" + (had && *had ? std::string(had) + ":" : "") + logs +
                   "'";
        };
        return runCommand("cd '" + dir() + "' && " + options("ASAN_OPTIONS") + " " +
                          options("UBSAN_OPTIONS") + " timeout -k 5 60 '" + tool + "' " + args);
    }
    // Names of the sanitizer reports written so far.
    std::vector<std::string> sanitizerReports() const {
        std::vector<std::string> found;
        for (const auto& e : fs::directory_iterator(dir()))
            if (e.path().filename().string().rfind("sanitizer", 0) == 0)
                found.push_back(e.path().string() + ":\n" + readFile(e.path().string()));
        return found;
    }

private:
    TempDir dir_;
};

class BrokenData : public ::testing::TestWithParam<BrokenCase> {};

} // namespace

// The real game, on a copy of the data with one fault, either plays the fight through
// (exit 0) or stops in order (exit 1), saying what is wrong on a "brawler: " line; it
// never crashes, hangs or trips a sanitizer. The checker (brawler-check's code, in this
// process) reports the same fault at its file and line.
TEST_P(BrokenData, GameGoesOnOrStopsInOrderAndCheckerNamesTheFault) {
    const BrokenCase& c = GetParam();
    BrokenCopy copy;
    c.inject(copy.root());

    ChildResult game = copy.run(RUNNER_BINARY, "fight.fight");
    EXPECT_EQ(game.exitCode, c.stops ? 1 : 0) << game.output;
    bool played = game.output.find("\nexpectations: 0 held, 0 failed\n") != std::string::npos;
    EXPECT_EQ(played, !c.stops) << game.output;
    std::vector<std::string> said = linesStarting(game.output, "brawler: ");
    if (c.message && !*c.message) {
        EXPECT_TRUE(said.empty()) << game.output;
    } else if (c.message) {
        std::string start = withRoot(c.message, "data");
        EXPECT_FALSE(linesStarting(game.output, start).empty()) << start << "\n" << game.output;
    }

    // The checker's own code, run here: a crash or sanitizer report fails this test.
    videoScreen();
    std::string report;
    int checked = checkerApp().run({copy.root()}, report);
    bool error = std::string(c.severity) == "error";
    EXPECT_EQ(checked, error ? 1 : 0) << report;
    std::string where = copy.root() + "/" + c.where + ": " + c.severity + ": ";
    EXPECT_FALSE(linesStarting(report, where).empty()) << where << "\n" << report;

    EXPECT_EQ(copy.sanitizerReports(), std::vector<std::string>());
}

INSTANTIATE_TEST_SUITE_P(OneFaultEach, BrokenData, ::testing::ValuesIn(cases()),
                         [](const auto& info) { return std::string(info.param.name); });

// A particle whose death list names itself twice doubles at every death. The list stops
// at its cap with one warning naming the particle, and the fight goes on.
TEST(ParticleStorm, ListStopsAtItsCapWithOneWarningAndTheFightGoesOn) {
    BrokenCopy copy;
    // The fireball dies in flight, before it reaches anyone, into one spark; every spark
    // dies into two more.
    writeFile(copy.root() + kPartDef, "255\n150\n0\n0\n0\n1\nspark 0 0\n0\n0\n0\n0\n");
    writeFile(copy.root() + "/particle/spark/particle",
              "255\n100\n1\n0\n0\n2\nspark 0 0\nspark 5 0\n0\n0\n0\n0\n");
    std::string script = "data data\nopponent idle\nplace opponent 700\n"
                         "at 300 tap Down\nat 320 tap Right\nat 340 tap z\n";
    int checks = 1;
    for (int t = 400; t <= 3500; t += 50, ++checks)
        script += "at " + std::to_string(t) + " expect particles count < " +
                  std::to_string(particleList::kCap + 1) + "\n";
    script += "at 2000 expect particles count > " + std::to_string(particleList::kCap / 4) + "\n";
    writeFile(copy.dir() + "/storm.fight", script);

    ChildResult game = copy.run(RUNNER_BINARY, "storm.fight");
    EXPECT_EQ(game.exitCode, 0) << game.output;
    EXPECT_EQ(linesStarting(game.output, "brawler: "),
              std::vector<std::string>({"brawler: warning: the particle list is full (256 "
                                        "particles spawned by particles): \"spark\" and every "
                                        "spawn of a dying particle after it are dropped while it "
                                        "stays full — a particle whose death list names itself "
                                        "more than once multiplies without end"}));
    EXPECT_NE(game.output.find("expectations: " + std::to_string(checks) + " held, 0 failed"),
              std::string::npos)
        << game.output;
    EXPECT_EQ(copy.sanitizerReports(), std::vector<std::string>());
}

// The cap is far above what the shipped content ever holds: a busy fight, both sides
// throwing fireballs that burst into sparks, peaks at a small fraction of it.
TEST(ParticleStorm, ShippedContentStaysFarBelowTheCap) {
    screen = videoScreen();
    FightScript script;
    script.name = std::string(BRAWLER_SOURCE_DIR) + "/tests/present/fight.fight";
    std::string error;
    ASSERT_TRUE(script.parse(readFile(script.name), &error)) << error;
    FightRunner runner;
    int peak = 0;
    runner.afterPass = [&](long, Game& game) { peak = std::max(peak, game.pList.count()); };
    captureStdout([&] { runner.run(script); });
    EXPECT_GT(peak, 0);
    EXPECT_LE(peak * 16, particleList::kCap) << "peak " << peak;
}

// Frame sides from 1 to the limit pass; the size comes from either BMP header, and a
// top-down image (negative height) is judged by its size.
TEST(FrameLimits, SidesFromOneToTheLimit) {
    EXPECT_EQ(frameSizeProblem(1, 1), "");
    EXPECT_EQ(frameSizeProblem(kMaxFrameSide, kMaxFrameSide), "");
    EXPECT_EQ(frameSizeProblem(kMaxFrameSide + 1, 1),
              "is 4097x1 pixels; a frame must be 1 to 4096 pixels wide and high");
    EXPECT_NE(frameSizeProblem(20, 0), "");

    TempDir dir;
    handBMP(dir / "wide.bmp", kMaxFrameSide + 1, 2);
    EXPECT_EQ(bmpFileSizeProblem(dir / "wide.bmp"),
              "is 4097x2 pixels; a frame must be 1 to 4096 pixels wide and high");
    unsigned char topDown[26] = {'B', 'M'};
    topDown[14] = 40;
    topDown[18] = 30;   // width 30
    topDown[22] = 0xec; // height -20: 0xffffffec
    topDown[23] = topDown[24] = topDown[25] = 0xff;
    long long w = 0;
    long long h = 0;
    ASSERT_TRUE(bmpheader::claimedSize(topDown, sizeof topDown, &w, &h));
    EXPECT_EQ(w, 30);
    EXPECT_EQ(h, 20);
    unsigned char core[26] = {'B', 'M'};
    core[14] = 12;
    core[18] = 0x10; // 16-bit width 4112
    core[19] = 0x10;
    core[20] = 5;
    ASSERT_TRUE(bmpheader::claimedSize(core, sizeof core, &w, &h));
    EXPECT_EQ(w, 4112);
    EXPECT_EQ(h, 5);
    EXPECT_FALSE(
        bmpheader::claimedSize(reinterpret_cast<const unsigned char*>("GIF89a"), 6, &w, &h));
    // The shipped frames all pass.
    EXPECT_EQ(bmpFileSizeProblem(std::string(BRAWLER_SOURCE_DIR) + "/data/Brawler/jab/jab_1.bmp"),
              "");
}
