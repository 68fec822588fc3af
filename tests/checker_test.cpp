#include <algorithm>
#include <filesystem>
#include <functional>
#include <sstream>

#include <gtest/gtest.h>

#include "SDL.h"

#include "tests/testSupport.h"
#include "tools/checker/checkerApp.h"

using namespace testsupport;

namespace {

namespace fs = std::filesystem;

// One broken data folder: what is changed in a copy of the shipped data, and the
// report line it must produce ("<where>: <severity>: ...<what>...").
struct Fault {
    const char* name;
    std::function<void(const std::string& root)> inject;
    const char* where; // path below the data folder, with ":line" unless whole-file
    const char* severity;
    const char* what;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const Fault& f, std::ostream* os) {
    *os << f.name;
}

// Paints the top-left pixel of a BMP.
void paintPixel(const std::string& path, RGB colour) {
    SDL_Surface* image = SDL_LoadBMP(path.c_str());
    ASSERT_NE(image, nullptr);
    SDL_Rect one{0, 0, 1, 1};
    SDL_FillRect(image, &one, SDL_MapRGB(image->format, colour.r, colour.g, colour.b));
    SDL_SaveBMP(image, path.c_str());
    SDL_FreeSurface(image);
}

void crlf(const std::string& path) {
    std::string text = readFile(path);
    std::string out;
    for (char c : text)
        out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    writeFile(path, out);
}

const std::vector<Fault>& faults() {
    static const std::vector<Fault> table = {
        {"SheetHeader", [](auto r) { replaceLine(r + "/Brawler/walk/info", 1, "FRAMES: 4"); },
         "Brawler/walk/info:1", "error", "expected the header \"FILES: <count>\""},
        {"FrameCountBeyondBlocks",
         [](auto r) { replaceLine(r + "/Brawler/jab/info", 1, "FILES: 9"); }, "Brawler/jab/info:1",
         "error", "the count says 9 frames but the file holds 5"},
        {"NumberThatDoesNotParse",
         [](auto r) { replaceLine(r + "/Brawler/jab/info", 33, "100 x190"); },
         "Brawler/jab/info:33", "error", "expected 2 numbers (anchor x y), 1 parsed"},
        {"LabelBeyondItsLimit",
         [](auto r) { replaceLine(r + "/Brawler/uppercut/info", 16, std::string(90, 'w')); },
         "Brawler/uppercut/info:16", "warning", "is longer than 79 characters and is cut"},
        {"LineBeyond254",
         [](auto r) { replaceLine(r + "/Brawler/blank/info", 2, "#" + std::string(300, '-')); },
         "Brawler/blank/info:2", "error", "line longer than 254 characters"},
        {"CrLfLineEnds", [](auto r) { crlf(r + "/particle/spark/particle"); },
         "particle/spark/particle:1", "warning", "CR LF line ends"},
        {"MissingFrameImage", [](auto r) { fs::remove(r + "/Brawler/kick/kick_2.bmp"); },
         "Brawler/kick/info:31", "error", "missing frame image"},
        {"UndecodableFrameImage",
         [](auto r) { writeFile(r + "/Brawler/duck/duck_1.bmp", "BM not really"); },
         "Brawler/duck/info:17", "error", "SDL cannot decode the frame image"},
        {"FrameOfAnotherSize",
         [](auto r) {
             writeBMP(r + "/Brawler/standing/standing_1.bmp", 150, 200, {9, 9, 9});
         },
         "Brawler/standing/info:17", "warning", "the frame is 150x200 anchored at 100,190"},
        // A folder that is not there is named at the line naming it.
        {"MissingMoveFolder", [](auto r) { fs::remove_all(r + "/Brawler/sweep"); },
         "Brawler/moveset:90", "error", "no move folder \"sweep\" in"},
        {"MissingAnimationFolder", [](auto r) { replaceLine(r + "/Brawler/info", 4, "stand"); },
         "Brawler/info:4", "error", "no animation folder \"stand\" in"},
        {"MissingParticleFolder",
         [](auto r) { replaceLine(r + "/particle/default", 3, "ghost 2"); }, "particle/default:3",
         "error", "no particle folder \"ghost\" in"},
        {"MissingMoveset", [](auto r) { fs::remove(r + "/Brawler/moveset"); }, "Brawler/moveset",
         "error", "missing file"},
        {"MissingWav", [](auto r) { fs::remove(r + "/Brawler/sound/blast.wav"); },
         "Brawler/sound/sound:3", "error", "missing sound sample"},
        {"UndecodableWav",
         [](auto r) { writeFile(r + "/Brawler/sound/rising.wav", "RIFF nonsense"); },
         "Brawler/sound/sound:4", "error", "SDL_mixer cannot decode"},
        {"SoundListHeader", [](auto r) { replaceLine(r + "/soundSet/sound", 1, "SOUND: 4"); },
         "soundSet/sound:1", "error", "expected the header \"SOUNDS: <count>\""},
        {"MissingStage", [](auto r) { fs::remove(r + "/tBG2.bmp"); }, "tBG2.bmp", "error",
         "missing stage image"},
        {"StageHoldsAKeyColour",
         [](auto r) {
             paintPixel(r + "/tBG2.bmp", {255, 0, 255});
         },
         "tBG2.bmp", "warning", "holds 1 pixel of the colour 255,0,255, the colour key of"},
        {"RequiredAnimationMissing",
         [](auto r) { writeFile(r + "/Brawler/info", "ANIMS: 4\nblank\nwalk\nstanding\nduck\n"); },
         "Brawler/info", "warning", "no animation \"inAir\""},
        {"RequiredMoveMissing",
         [](auto r) {
             replaceFirst(r + "/Brawler/moveset", "blockLo\n", "guardLo\n");
             fs::rename(r + "/Brawler/blockLo", r + "/Brawler/guardLo");
         },
         "Brawler/moveset", "warning", "no move \"blockLo\""},
        {"UnknownFrameSound",
         [](auto r) { replaceFirst(r + "/Brawler/fireball/info", "\nblast\n", "\nblasts\n"); },
         "Brawler/fireball/info:26", "error", "no sound \"blasts\""},
        {"UnknownFrameParticle",
         [](auto r) { replaceLine(r + "/Brawler/fireball/info", 43, "fireball9 92 125"); },
         "Brawler/fireball/info:43", "error", "no particle \"fireball9\""},
        {"UnknownDeathParticle",
         [](auto r) { replaceLine(r + "/particle/fireball1/particle", 8, "sparks 24 18"); },
         "particle/fireball1/particle:8", "error", "no particle \"sparks\""},
        {"ParticleListCount", [](auto r) { replaceLine(r + "/particle/default", 1, "PARTS: 3"); },
         "particle/default:1", "error", "the count says 3 particle lines but the file holds 2"},
        {"DefinitionNumber",
         [](auto r) { replaceLine(r + "/particle/fireball1/particle", 2, "long"); },
         "particle/fireball1/particle:2", "error", "(lifetime in milliseconds), 0 parsed"},
        {"UnknownAttackName", [](auto r) { replaceLine(r + "/Brawler/ai/attack", 4, "kik"); },
         "Brawler/ai/attack:4", "error", "no move \"kik\""},
        {"AttackHeader", [](auto r) { replaceLine(r + "/Brawler/ai/attack", 18, "Atacks: 0"); },
         "Brawler/ai/attack:18", "error", "expected the header \"Attacks: <count>\""},
        {"AttackBandOrder", [](auto r) { replaceLine(r + "/Brawler/ai/attack", 7, "M"); },
         "Brawler/ai/attack:8", "warning", "\"strike\" (S) comes after \"sweep\""},
        {"UnknownConditionWord",
         [](auto r) { replaceLine(r + "/Brawler/moveset", 111, "grounded = false"); },
         "Brawler/moveset:111", "error", "unknown condition \"grounded = false\""},
        {"ConditionThirdWord",
         [](auto r) { replaceLine(r + "/Brawler/moveset", 122, "ground = TRUE"); },
         "Brawler/moveset:122", "warning", "holds in the air only"},
        {"MoveNoCommandReaches", [](auto r) { replaceLine(r + "/Brawler/moveset", 47, "A"); },
         "Brawler/moveset:58", "warning",
         "\"jab\" (A) can never be performed: \"fireball\" (A) comes earlier"},
        {"DamageWithoutAttackBox",
         [](auto r) { replaceLine(r + "/Brawler/jab/info", 35, "1 -3000 0 -3000"); },
         "Brawler/jab/info:35", "warning", "deals 12 damage but its attack box is empty"},
        {"ProjectileInsideItsOwner",
         [](auto r) { replaceLine(r + "/Brawler/fireball/info", 43, "fireball1 0 100"); },
         "Brawler/fireball/info:43", "warning", "appears inside its owner's body box"},
        {"MissingKoSheet", [](auto r) { fs::remove_all(r + "/Brawler/ko"); }, "Brawler", "warning",
         "no \"ko\" sheet; the match shows the fighter standing instead"},
        {"ColourSwapValueOutOfRange",
         [](auto r) { replaceLine(r + "/Brawler/palette2", 4, "234 230 218  58 66 300"); },
         "Brawler/palette2:4", "error", "the colour value 300 is outside 0 to 255"},
        {"ColourSwapFromAColourNoFrameHolds",
         [](auto r) { replaceLine(r + "/Brawler/palette2", 5, "1 2 3  4 5 6"); },
         "Brawler/palette2:5", "warning", "no frame of the character uses the colour 1 2 3"},
        {"FontWithoutAGlyph", [](auto r) { replaceFirst(r + "/hud/font/info", "\nQ\n", "\nq\n"); },
         "hud/font/info", "error", "no glyph for \"Q\""},
        {"BarFillOfAnotherSize",
         [](auto r) {
             writeBMP(r + "/hud/bar/bar_1.bmp", 300, 16, {250, 200, 40});
         },
         "hud/bar/info:17", "error", "the fill is 300x16, the plate's inside 334x16"},
        {"MissingHud", [](auto r) { fs::remove_all(r + "/hud"); }, "hud", "warning",
         "the match is played with plain bars and no banners"},
    };
    return table;
}

struct CheckRun {
    int code = -1;
    std::string output;
    std::vector<std::string> lines; // report lines, the summary excluded
    std::string summary;
};

CheckRun check(const std::vector<std::string>& args) {
    videoScreen();
    CheckRun run;
    run.code = checkerApp().run(args, run.output);
    std::istringstream in(run.output);
    std::string line;
    while (std::getline(in, line))
        run.lines.push_back(line);
    if (!run.lines.empty()) {
        run.summary = run.lines.back();
        run.lines.pop_back();
    }
    return run;
}

// A copy of the shipped data, for breaking.
class DataCopy {
public:
    DataCopy() { copyTree(std::string(BRAWLER_SOURCE_DIR) + "/data", root()); }
    std::string root() const { return dir_ / "data"; }

private:
    TempDir dir_;
};

bool hasLine(const CheckRun& run, const std::string& root, const Fault& f) {
    std::string start = root + "/" + f.where + ": " + f.severity + ": ";
    return std::any_of(run.lines.begin(), run.lines.end(), [&](const std::string& l) {
        return l.compare(0, start.size(), start) == 0 && l.find(f.what) != std::string::npos &&
               l.find(" — ") != std::string::npos;
    });
}

class CheckerCorpus : public ::testing::TestWithParam<Fault> {};

} // namespace

// Each broken folder yields its message at its file and line, and an error fails the run.
TEST_P(CheckerCorpus, ReportsTheFaultWhereItIs) {
    const Fault& f = GetParam();
    DataCopy data;
    f.inject(data.root());
    CheckRun run = check({data.root()});
    EXPECT_TRUE(hasLine(run, data.root(), f)) << f.where << " " << f.what << "\n" << run.output;
    EXPECT_EQ(run.code, std::string(f.severity) == "error" ? 1 : 0) << run.output;
}

INSTANTIATE_TEST_SUITE_P(OneFaultEach, CheckerCorpus, ::testing::ValuesIn(faults()),
                         [](const auto& info) { return std::string(info.param.name); });

// The shipped data checks clean; with every fault at once, every message still comes,
// sorted by file and line, and the summary counts them.
TEST(Checker, ShippedDataIsCleanAndEveryFaultIsReportedInOrder) {
    CheckRun clean = check({std::string(BRAWLER_SOURCE_DIR) + "/data"});
    EXPECT_EQ(clean.code, 0);
    EXPECT_TRUE(clean.lines.empty()) << clean.output;
    EXPECT_EQ(clean.summary, "0 errors, 0 warnings");

    // Left out: faults that remove what others change, or change the same line.
    auto combinable = [](const Fault& f) {
        for (const char* apart : {"MissingMoveset", "MissingStage", "ProjectileInsideItsOwner",
                                  "MissingHud", "MissingAnimationFolder", "MissingParticleFolder"})
            if (std::string(f.name) == apart)
                return false;
        return true;
    };
    DataCopy data;
    for (const Fault& f : faults())
        if (combinable(f))
            f.inject(data.root());
    CheckRun run = check({data.root()});
    EXPECT_EQ(run.code, 1);
    for (const Fault& f : faults()) {
        if (combinable(f)) {
            EXPECT_TRUE(hasLine(run, data.root(), f)) << f.name;
        }
    }
    auto key = [](const std::string& l) {
        size_t colon = l.find(": ");
        std::string where = l.substr(0, colon);
        size_t lineAt = where.rfind(':');
        if (lineAt == std::string::npos)
            return std::make_pair(where, 0);
        return std::make_pair(where.substr(0, lineAt), std::stoi(where.substr(lineAt + 1)));
    };
    for (size_t i = 1; i < run.lines.size(); ++i)
        EXPECT_LE(key(run.lines[i - 1]), key(run.lines[i])) << run.lines[i];
    int errors = 0;
    int warnings = 0;
    for (const std::string& l : run.lines)
        ++(l.find(": error: ") != std::string::npos ? errors : warnings);
    EXPECT_EQ(run.summary,
              std::to_string(errors) + " errors, " + std::to_string(warnings) + " warnings");

    CheckRun quiet = check({"--quiet", data.root()});
    EXPECT_EQ(quiet.code, 1);
    EXPECT_TRUE(quiet.lines.empty()) << quiet.output;
    EXPECT_EQ(quiet.summary, run.summary);
}

// As a program: a folder that is not there is an error; a bad option is a usage error.
TEST(Checker, CommandLine) {
    TempDir dir;
    ChildResult missing =
        runCommand(std::string(BRAWLER_CHECK_BINARY) + " " + dir.path() + "/none");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.output, dir.path() + "/none: error: no data folder here — give the folder "
                                           "that holds run/, Brawler/, particle/, soundSet/ and "
                                           "tBG2.bmp\n1 error, 0 warnings\n");
    ChildResult bad = runCommand(std::string(BRAWLER_CHECK_BINARY) + " --loud 2>&1");
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_NE(bad.output.find("usage: brawler-check [--quiet] [DATA_DIR]"), std::string::npos);
    ChildResult shipped =
        runCommand("cd " + std::string(BRAWLER_SOURCE_DIR) + " && " + BRAWLER_CHECK_BINARY);
    EXPECT_EQ(shipped.exitCode, 0);
    EXPECT_EQ(shipped.output, "0 errors, 0 warnings\n");
}
