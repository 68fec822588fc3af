// Broken copies of the shipped data, one fault each: the real game either plays a fight
// through or stops in order saying what is wrong, and the data checker names the fault
// at its file and line.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <optional>
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

// Skip: only the checker is asked. Plays: the fight plays to its end (exit 0). Stops: the
// game stops with exit code 1 before the fight.
enum Outcome { Skip, Plays, Stops };

struct Fault {
    std::string name;
    std::string fault;  // "op FILE args"; several joined by " ; "
    std::string report; // the checker's "<where>: <severity>: " and text its line holds
    Outcome game;
    // The start of a "brawler: " line the game must print ({root} for the data folder);
    // "" when it must say nothing, none when it may say anything.
    std::optional<std::string> said;
};

void PrintTo(const Fault& f, std::ostream* os) {
    *os << f.name;
}

// The description files, for whole-data line-end conversions.
const char* const kTextFiles[] = {"Brawler/jab/info",
                                  "Brawler/info",
                                  "Brawler/moveset",
                                  "particle/default",
                                  "particle/fireball1/particle",
                                  "soundSet/sound",
                                  "Brawler/ai/attack"};

// A 1-bit BMP of w x h with all its rows, written by hand: SDL will not make a 0x0 one,
// and a large one stays small on disk.
std::string handBMP(uint32_t w, uint32_t h) {
    uint32_t pixels = (w + 31) / 32 * 4 * h, offset = 14 + 40 + 8;
    std::string out = "BM";
    for (uint32_t v : {offset + pixels, 0u, offset, 40u, w, h, 1u | 1u << 16, 0u, pixels, 2835u,
                       2835u, 2u, 0u, 0u, 0xffffffu})
        for (int i = 0; i < 4; ++i)
            out += static_cast<char>((v >> (8 * i)) & 0xff);
    return out + std::string(pixels, '\x55');
}

std::string withLineEnds(const std::string& text, const std::string& end) {
    std::string out;
    for (char c : text)
        out += c == '\n' ? end : std::string(1, c);
    return out;
}

// Applies one "op FILE args" to the data folder `root`.
void applyOne(const std::string& root, const std::string& step) {
    size_t opEnd = step.find(' '), fileEnd = step.find(' ', opEnd + 1);
    std::string op = step.substr(0, opEnd);
    std::string file = step.substr(opEnd + 1, fileEnd == step.npos ? fileEnd : fileEnd - opEnd - 1);
    std::string rest = fileEnd == step.npos ? "" : step.substr(fileEnd + 1);
    const std::string path = root + "/" + file;
    if (op == "cut") {
        std::string text = readFile(path);
        size_t at = 0;
        for (int i = std::stoi(rest); i > 0 && at != std::string::npos; --i)
            if ((at = text.find('\n', at)) != std::string::npos)
                ++at;
        writeFile(path, text.substr(0, at));
    } else if (op == "remove") {
        fs::remove_all(path);
    } else if (op == "mkdir") {
        fs::create_directory(path);
    } else if (op == "link") { // a symbolic link to `rest`, as written
        fs::create_symlink(rest, path);
    } else if (op == "rename") {
        fs::rename(path, root + "/" + rest);
    } else if (op == "line" || op == "long") {
        size_t space = rest.find(' ');
        std::string text = rest.substr(space + 1);
        replaceLine(path, std::stoi(rest), op == "long" ? std::string(10000, text[0]) : text);
    } else if (op == "replace") {
        size_t bar = rest.find('|');
        replaceFirst(path, rest.substr(0, bar), rest.substr(bar + 1));
    } else if (op == "write") {
        writeFile(path, rest);
    } else if (op == "garbage") { // bytes from a fixed seed: the same fault every run
        std::mt19937 random(20240607);
        std::string bytes(2000, '\0');
        for (char& c : bytes)
            c = static_cast<char>(random() & 0xff);
        writeFile(path, bytes);
    } else if (op == "ends") { // every description file, "crlf" or "cr"
        for (const char* f : kTextFiles)
            writeFile(root + "/" + f,
                      withLineEnds(readFile(root + "/" + f), file == "crlf" ? "\r\n" : "\r"));
    } else if (op == "crlf") {
        writeFile(path, withLineEnds(readFile(path), "\r\n"));
    } else if (op == "handbmp") {
        int w = 0, h = 0;
        std::istringstream(rest) >> w >> h;
        writeFile(path, handBMP(w, h));
    } else if (op == "bmp") {
        int w = 0, h = 0;
        std::istringstream(rest) >> w >> h;
        writeBMP(path, w, h, {9, 9, 9});
    } else if (op == "claim") { // a header claiming 30000x30000 pixels
        std::string bytes = readFile(path);
        for (int at : {18, 22})
            bytes.replace(at, 4, std::string("\x30\x75\x00\x00", 4));
        writeFile(path, bytes);
    } else if (op == "key") { // the top-left pixel in the key colour
        SDL_Surface* image = SDL_LoadBMP(path.c_str());
        ASSERT_NE(image, nullptr) << path;
        SDL_Rect one{0, 0, 1, 1};
        SDL_FillRect(image, &one, SDL_MapRGB(image->format, 255, 0, 255));
        removeForWriting(path);
        SDL_SaveBMP(image, path.c_str());
        SDL_FreeSurface(image);
    } else {
        FAIL() << "unknown fault " << step;
    }
}

void applyFault(const std::string& root, const std::string& fault) {
    for (size_t at = 0, end; at != std::string::npos; at = end == fault.npos ? end : end + 3) {
        end = fault.find(" ; ", at);
        applyOne(root, fault.substr(at, end == fault.npos ? end : end - at));
    }
}

// The rows of tests/brokenData.table.
std::vector<Fault> faults() {
    std::vector<Fault> rows;
    std::istringstream in(readFile(std::string(BRAWLER_SOURCE_DIR) + "/tests/brokenData.table"));
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> f;
        for (size_t at = 0, tab; line[0] != '#' && at <= line.size(); at = tab + 1) {
            tab = std::min(line.find('\t', at), line.size());
            std::string field = line.substr(at, tab - at);
            for (size_t nl; (nl = field.find("\\n")) != std::string::npos;)
                field.replace(nl, 2, "\n");
            f.push_back(field);
        }
        if (f.size() == 5)
            rows.push_back(
                {f[0], f[2], f[3],
                 f[1] == "plays"   ? Plays
                 : f[1] == "stops" ? Stops
                                   : Skip,
                 f[4] == "*" ? std::nullopt : std::optional<std::string>(f[4] == "-" ? "" : f[4])});
    }
    return rows;
}
const std::vector<Fault> kFaults = faults();

// A few seconds of fight on the broken copy: the opponent fights, the player throws two
// fireballs, kicks, walks, jumps and strikes.
const char* const kFight = "data data\nseed 3\nopponent active\n"
                           "at 300 tap Down\nat 320 tap Right\nat 340 tap z\nat 900 tap x\n"
                           "at 1300 press Right\nat 1700 release Right\nat 1800 tap Up\n"
                           "at 2000 tap c\nat 2400 tap Down\nat 2420 tap Right\nat 2440 tap z\n"
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

struct CheckRun {
    int code = -1;
    std::vector<std::string> lines; // report lines, the summary excluded
    std::string summary;
};

// brawler-check's code, run in this process: a crash or sanitizer report fails the test.
CheckRun check(const std::vector<std::string>& args) {
    videoScreen();
    CheckRun run;
    std::string output;
    run.code = checkerApp().run(args, output);
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);)
        run.lines.push_back(line);
    if (!run.lines.empty()) {
        run.summary = run.lines.back();
        run.lines.pop_back();
    }
    return run;
}

// The checker's line for the fault: at its place and severity, holding its text and,
// when there is text, a hint after a dash.
bool reported(const CheckRun& run, const std::string& root, const Fault& f) {
    const std::string& report = f.report;
    size_t sev = report.find(": error: ") != std::string::npos ? report.find(": error: ")
                                                               : report.find(": warning: ");
    std::string start = root + "/" + report.substr(0, report.find(' ', sev + 2) + 1);
    std::string what = report.substr(start.size() - root.size() - 1);
    return std::any_of(run.lines.begin(), run.lines.end(), [&](const std::string& l) {
        return l.compare(0, start.size(), start) == 0 && l.find(what) != std::string::npos &&
               (what.empty() || l.find(" — ") != std::string::npos);
    });
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

class BrokenData : public ::testing::TestWithParam<Fault> {};

} // namespace

// The real game never crashes, hangs or trips a sanitizer on a broken copy, and the
// checker reports the fault; an error fails the checker's run, a warning does not.
TEST_P(BrokenData, GameGoesOnOrStopsInOrderAndCheckerNamesTheFault) {
    const Fault& f = GetParam();
    BrokenCopy copy;
    applyFault(copy.root(), f.fault);

    if (f.game != Skip) {
        ChildResult game = copy.run(RUNNER_BINARY, "fight.fight");
        EXPECT_EQ(game.exitCode, f.game == Stops ? 1 : 0) << game.output;
        bool played = game.output.find("\nexpectations: 0 held, 0 failed\n") != std::string::npos;
        EXPECT_EQ(played, f.game == Plays) << game.output;
        std::vector<std::string> said = linesStarting(game.output, "brawler: ");
        if (f.said && f.said->empty()) {
            EXPECT_TRUE(said.empty()) << game.output;
        } else if (f.said) {
            std::string start = "brawler: " + withRoot(*f.said, "data");
            EXPECT_FALSE(linesStarting(game.output, start).empty()) << start << "\n" << game.output;
        }
        EXPECT_EQ(copy.sanitizerReports(), std::vector<std::string>());
    }

    CheckRun run = check({copy.root()});
    EXPECT_TRUE(reported(run, copy.root(), f)) << f.report;
    bool error = f.report.find(": error: ") != std::string::npos;
    EXPECT_EQ(run.code, error ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(OneFaultEach, BrokenData, ::testing::ValuesIn(kFaults),
                         [](const auto& info) { return info.param.name; });

// The shipped data checks clean; with many faults at once every message still comes,
// sorted by file and line, the summary counts them, and --quiet keeps only the summary.
TEST(Checker, ShippedDataIsCleanAndEveryFaultIsReportedInOrder) {
    CheckRun clean = check({std::string(BRAWLER_SOURCE_DIR) + "/data"});
    EXPECT_EQ(clean.code, 0);
    EXPECT_TRUE(clean.lines.empty());
    EXPECT_EQ(clean.summary, "0 errors, 0 warnings");

    // The checker-only faults, less those that change what others change.
    auto combinable = [](const Fault& f) {
        return f.game == Skip && f.name != "ProjectileInsideItsOwner" && f.name != "MissingHud" &&
               f.name != "MissingAnimationFolder" && f.name != "MissingParticleFolder" &&
               f.name != "SecondCharacterMovesetIsAFolder" &&
               f.name != "ShadowedOnTheGroundAndInTheAir";
    };
    BrokenCopy copy;
    for (const Fault& f : kFaults)
        if (combinable(f))
            applyFault(copy.root(), f.fault);
    CheckRun run = check({copy.root()});
    EXPECT_EQ(run.code, 1);
    for (const Fault& f : kFaults) {
        if (combinable(f)) {
            EXPECT_TRUE(reported(run, copy.root(), f)) << f.name;
        }
    }
    auto key = [](const std::string& l) {
        std::string where = l.substr(0, l.find(": "));
        size_t lineAt = where.rfind(':');
        if (lineAt == std::string::npos)
            return std::make_pair(where, 0);
        return std::make_pair(where.substr(0, lineAt), std::stoi(where.substr(lineAt + 1)));
    };
    int errors = 0;
    for (size_t i = 0; i < run.lines.size(); ++i) {
        errors += run.lines[i].find(": error: ") != std::string::npos;
        if (i > 0) {
            EXPECT_LE(key(run.lines[i - 1]), key(run.lines[i])) << run.lines[i];
        }
    }
    EXPECT_EQ(run.summary, std::to_string(errors) + " errors, " +
                               std::to_string(run.lines.size() - errors) + " warnings");
    CheckRun quiet = check({"--quiet", copy.root()});
    EXPECT_EQ(quiet.code, 1);
    EXPECT_TRUE(quiet.lines.empty());
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
    // One character alone: the other character's faults and the shared ones stay out.
    BrokenCopy copy;
    applyFault(copy.root(), "remove Brawler/ko ; remove Basalt/ko ; remove tBG2.bmp");
    ChildResult one =
        runCommand(std::string(BRAWLER_CHECK_BINARY) + " --character " + copy.root() + "/Basalt/");
    EXPECT_EQ(one.exitCode, 0);
    EXPECT_EQ(one.output, copy.root() + "/Basalt: warning: no \"ko\" sheet; the match shows the "
                                        "fighter standing instead — add a sheet folder ko\n"
                                        "0 errors, 1 warning\n");
    // The characters that are there are checked, whoever they are; none at all is the error.
    BrokenCopy other;
    applyFault(other.root(), "remove Brawler");
    CheckRun basaltOnly = check({other.root()});
    EXPECT_EQ(basaltOnly.code, 0) << (basaltOnly.lines.empty() ? "" : basaltOnly.lines[0]);
    applyFault(other.root(), "remove Basalt");
    CheckRun nobody = check({other.root()});
    EXPECT_EQ(nobody.code, 1);
    EXPECT_EQ(nobody.lines,
              std::vector<std::string>{other.root() +
                                       ": error: no characters — the game plays the folders "
                                       "here that hold an info and a moveset file; add one "
                                       "(such as Brawler/)"});
}

// A particle whose death list names itself twice doubles at every death. The list stops
// at its cap with one warning naming the particle, and the fight goes on.
TEST(ParticleStorm, ListStopsAtItsCapWithOneWarningAndTheFightGoesOn) {
    BrokenCopy copy;
    // The fireball dies in flight, before it reaches anyone, into one spark; every spark
    // dies into two more.
    writeFile(copy.root() + "/particle/fireball1/particle",
              "255\n150\n0\n0\n0\n1\nspark 0 0\n0\n0\n0\n0\n");
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
    // Its text: ParticleTest.ParticlesThatNeverDieLeaveAFighterItsFireball.
    std::vector<std::string> said = linesStarting(game.output, "brawler: ");
    ASSERT_EQ(said.size(), 1u) << game.output;
    EXPECT_EQ(0u, said[0].find("brawler: warning: the particle list is full (256 particles "));
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
    writeFile(dir / "wide.bmp", handBMP(kMaxFrameSide + 1, 2));
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
    EXPECT_FALSE(bmpheader::claimedSize(core, 21, &w, &h))
        << "an OS/2 header cut before its height";
    // Headers judged from a stream: "BM" alone is cut short, and an uncompressed image of
    // any depth SDL reads that claims more rows than its bytes hold is refused.
    auto fits = [](const std::string& bytes, std::string& why) {
        SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
        bool ok = bmpheader::sizeFits(rw, why);
        SDL_RWclose(rw);
        return ok;
    };
    std::string why;
    EXPECT_FALSE(fits("BM", why));
    EXPECT_NE(std::string::npos, why.find("cut short")) << why;
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        std::string header(60, '\0');
        header[0] = 'B';
        header[1] = 'M';
        header[10] = 54; // pixels start after the headers
        header[14] = 40;
        header[18] = 100; // 100 x 100
        header[22] = 100;
        header[26] = 1;
        header[28] = static_cast<char>(bits);
        why.clear();
        EXPECT_FALSE(fits(header, why)) << bits << " bits";
        EXPECT_NE(std::string::npos, why.find("bytes hold")) << bits << " bits: " << why;
    }
    // The shipped frames all pass.
    EXPECT_EQ(bmpFileSizeProblem(std::string(BRAWLER_SOURCE_DIR) + "/data/Brawler/jab/jab_1.bmp"),
              "");
}
