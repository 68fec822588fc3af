// The content generator and the content it ships: the committed data/ must be exactly
// what the generator writes, every file must load the way the game loads it, the
// moveset must give each command the move it is meant for, and the generator's own
// model checker must catch each rule it is there to enforce.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SDL.h"

#include "tests/testSupport.h"
#include "tools/contentgen/FileSet.h"
#include "tools/contentgen/Image.h"
#include "tools/contentgen/ModelChecker.h"
#include "tools/contentgen/StagePainter.h"
#include "tools/contentgen/TitleArt.h"
#include "tools/contentgen/Score.h"

namespace fs = std::filesystem;
namespace cg = contentgen;

namespace {

const std::string kSourceData = std::string(BRAWLER_SOURCE_DIR) + "/data";

std::map<std::string, std::string> filesBelow(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), root).string()] =
                testsupport::readFile(entry.path().string());
    return files;
}

// ---- a small, valid content model that each checker test breaks in one place ----

cg::Frame frame(const std::string& image) {
    cg::Frame f;
    f.info.image = image;
    f.info.anchor = {4, 7};
    f.info.cBox = {2, 1, 5, 7};
    f.image = cg::Image(8, 8, cg::kKeyColour);
    f.image.fillRect(2, 1, 4, 7, cg::Rgb{200, 200, 200});
    return f;
}

cg::Sheet sheet(const std::string& name, int frames) {
    cg::Sheet s;
    s.name = name;
    for (int i = 0; i < frames; ++i)
        s.frames.push_back(frame(name + std::to_string(i) + ".bmp"));
    return s;
}

cg::MoveRecord reaction(const std::string& name) {
    cg::MoveRecord m;
    m.sheet = sheet(name, 2);
    m.sheet.frames[1].info.sound = "clack";
    m.command = "N";
    return m;
}

cg::MoveRecord attack(const std::string& name, const std::string& command,
                      const std::string& condition = "null") {
    cg::MoveRecord m = reaction(name);
    m.command = command;
    m.condition = condition;
    cg::FrameRecord& hit = m.sheet.frames[1].info;
    hit.damage = 5;
    hit.hitType = 1;
    hit.dBox = {6, 2, 7, 4};
    return m;
}

cg::ParticleDef particle(const std::string& name, int damage) {
    cg::ParticleDef p;
    p.sheet = sheet(name, 1);
    cg::FrameRecord& f = p.sheet.frames[0].info;
    f.anchor = {2, 2};
    f.damage = damage;
    f.cBox = damage > 0 ? cg::Box{1, 1, 3, 3} : cg::kNoBox;
    return p;
}

cg::ContentModel validModel() {
    cg::ContentModel m;
    m.stage = cg::Image(16, 16, cg::Rgb{90, 90, 120});
    m.runner = sheet("run", 1);
    cg::CharacterModel c;
    c.name = "Brawler";
    c.animations = {sheet("blank", 1), sheet("walk", 2), sheet("standing", 1), sheet("duck", 1),
                    sheet("inAir", 1)};
    c.animations[0].frames[0].image = cg::Image(8, 8, cg::kKeyColour);
    c.animations[0].frames[0].info.cBox = cg::kNoBox;
    c.moves = {reaction("hit1"), reaction("blockHi"), reaction("blockLo"), reaction("blockAir"),
               attack("jab", "A")};
    c.sounds = {"data/Brawler/sound", {}};
    c.attacks.groups[0] = {{"jab", 'S'}};
    c.attacks.groups[2] = {{"jab", 'S'}};
    m.particles = {particle("bolt", 50), particle("puff", 0)};
    m.sharedSounds = {"data/soundSet", {{"clack", std::vector<double>(4410, 0.0)}}};
    // A second character, the Brawler's twin under another name, with a list of its own.
    cg::CharacterModel twin = c;
    twin.name = "Twin";
    twin.sounds.folder = "data/Twin/sound";
    twin.particles = {particle("pebble", 20)};
    m.characters = {c, twin};
    return m;
}

// A music loop of `seconds` of a 441 Hz tone at 0.4, plus `offset`: whole cycles of it
// loop without a seam, however many seconds.
cg::MusicLoop toneLoop(double seconds, double offset = 0.0) {
    std::vector<double> s(static_cast<size_t>(seconds * cg::kMusicRate));
    for (size_t i = 0; i < s.size(); ++i)
        s[i] = offset + 0.4 * std::sin(2.0 * M_PI * 441.0 * double(i) / cg::kMusicRate);
    return {"tune", s};
}

std::vector<std::string> problemsAfter(const std::function<void(cg::ContentModel&)>& breakIt) {
    cg::ContentModel m = validModel();
    breakIt(m);
    return cg::ModelChecker(m).run();
}

::testing::AssertionResult reports(const std::vector<std::string>& problems,
                                   const std::string& part) {
    for (const std::string& p : problems)
        if (p.find(part) != std::string::npos)
            return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure() << "no problem mentions '" << part << "'; got:";
    for (const std::string& p : problems)
        failure << "\n  " << p;
    return failure;
}

cg::MoveRecord& moveNamed(cg::ContentModel& m, const std::string& name) {
    for (cg::MoveRecord& mv : m.characters[0].moves)
        if (mv.sheet.name == name)
            return mv;
    throw std::runtime_error("no move " + name);
}

} // namespace

// ---- the model checker ----

// Each rule of the checker, broken once in a valid model, is reported; the valid
// model itself passes.
TEST(ModelChecker, ReportsEachBrokenRule) {
    cg::ContentModel valid = validModel();
    EXPECT_TRUE(cg::ModelChecker(valid).run().empty());
    using M = cg::ContentModel;
    const std::pair<std::function<void(M&)>, const char*> cases[] = {
        // A row per broken rule.
        // clang-format off
        // Frames the engine would draw wrongly.
        {[](M& m) { moveNamed(m, "jab").sheet.frames[0].image = cg::Image(10, 8, {1, 1, 1}); }, "jab frame 0 is 10x8, blank's first frame is 8x8"},
        {[](M& m) { m.characters[0].animations[1].frames[1].info.anchor = {5, 7}; }, "walk frame 1 has its anchor away from blank's"},
        {[](M& m) { m.characters[0].animations[0].frames[0].image.set(0, 0, {0, 0, 0}); }, "blank frame 0 must be all key colour"},
        {[](M& m) { m.stage.set(3, 9, cg::kKeyColour); }, "stage pixel (3, 9)"},
        {[](M& m) { moveNamed(m, "jab").sheet.frames[1].info.hitType = 0; }, "jab frame 1: deals damage but has no attack box or hit type 1"},
        // A harmless frame with a real attack box would still start reactions and blocks.
        {[](M& m) { moveNamed(m, "jab").sheet.frames[0].info.dBox = {0, 0, 0, 0}; }, "jab frame 0: has an attack box but no damage"},
        {[](M& m) { moveNamed(m, "jab").sheet.frames[1].info.dBox = {3, 2, 5, 4}; }, "attack box stops short"},
        {[](M& m) { moveNamed(m, "hit1").sheet.frames[0].info.sound = "clack"; }, "hit1 frame 0: sounds belong on the second frame only"},
        {[](M& m) { moveNamed(m, "hit1").sheet.frames[1].info.sound = "NULL"; }, "hit1 has no sound on its second frame"},
        // Names that nothing provides.
        {[](M& m) { moveNamed(m, "jab").sheet.frames[1].info.sound = "thud"; }, "sound thud is in neither sound list"},
        {[](M& m) { moveNamed(m, "jab").sheet.frames[1].info.particles = {{"zap", 9, 3}}; }, "particle zap is not in the particle list"},
        {[](M& m) { m.particles[0].onDeath = {{"smoke", 0, 0}}; }, "bolt OnDeath: particle smoke"},
        {[](M& m) { m.characters[0].attacks.groups[2] = {{"headbutt", 'S'}}; }, "group 2: headbutt is not a move"},
        {[](M& m) { m.characters[0].attacks.groups[0] = {{"jab", 'M'}, {"hit1", 'S'}}; }, "hit1 is out of S, M, L order"},
        {[](M& m) { m.characters[0].animations.pop_back(); }, "animation inAir is missing"},
        {[](M& m) { m.characters[0].moves.erase(m.characters[0].moves.begin()); }, "move hit1 is missing"},
        // Moves and animations share the character folder with its sound folder.
        {[](M& m) { m.characters[0].moves.push_back(attack("sound", "C")); }, "name sound is used twice"},
        {[](M& m) { m.characters[0].moves.push_back(attack("walk", "C")); }, "name walk is used twice"},
        // The owner's body spans x -2..1 and y -6..0 around its anchor; the bolt's box is
        // its anchor -1..+1.
        {[](M& m) { moveNamed(m, "jab").sheet.frames[0].info.particles = {{"bolt", 2, 3}}; }, "jab frame 0: bolt spawns inside the body box of frame 0"},
        {[](M& m) { auto& f = moveNamed(m, "jab").sheet.frames; f[0].info.particles = {{"bolt", 4, 3}}; f[1].info.cBox = {2, 1, 7, 7}; }, "of frame 1 and would hit its owner"},
        {[](M& m) { moveNamed(m, "jab").sheet.frames[0].info.particles = {{"bolt", 4, 3}}; }, nullptr},
        {[](M& m) { m.particles[1].sheet.frames[0].info.cBox = {1, 0, 0, 0}; }, "particle puff frame 0: harmless but has a body box"},
        // Each character is checked on its own: its own particles are its alone, and its
        // attack table names its own moves.
        {[](M& m) { m.characters[1].moves[4].sheet.frames[0].info.particles = {{"pebble", 4, 3}}; }, nullptr},
        {[](M& m) { moveNamed(m, "jab").sheet.frames[0].info.particles = {{"pebble", 4, 3}}; }, "Brawler: jab frame 0: particle pebble is not in the particle list"},
        {[](M& m) { m.characters[1].attacks.groups[0] = {{"fireball", 'S'}}; }, "Twin: attack file group 0: fireball is not a move"},
        {[](M& m) { m.characters[1].animations.pop_back(); }, "Twin: animation inAir is missing"},
        // Two sounds at -6 dBFS can play together without clipping; a louder one cannot.
        {[](M& m) { m.sharedSounds.clips[0].samples[9] = 0.6; }, "sound clack in data/soundSet peaks at 0.6"},
        // A music loop: a minute or more, under -6 dBFS, about zero, and its end leading
        // into its start.
        {[](M& m) { m.music = {toneLoop(60.0)}; }, nullptr},
        {[](M& m) { m.music = {toneLoop(59.5)}; }, "music tune lasts 59.5"},
        {[](M& m) { m.music = {toneLoop(1.0)}; m.music[0].samples[77] = -0.55; }, "music tune peaks at 0.55"},
        {[](M& m) { m.music = {toneLoop(1.0, 0.05)}; }, "music tune stands off zero by 0.05"},
        // A quarter of a cycle more: the end stops at a crest and the start is at zero.
        {[](M& m) { m.music = {toneLoop(1.0 + 25.0 / cg::kMusicRate)}; }, "music tune does not lead from its end into its start"},
        // clang-format on
    };
    for (const auto& [breakIt, problem] : cases) {
        const std::vector<std::string> found = problemsAfter(breakIt);
        if (problem)
            EXPECT_TRUE(reports(found, problem));
        else
            EXPECT_TRUE(found.empty()) << found.front();
    }
}

// ---- the shipped content ----
// The generator refuses a model its checker faults, the data checker reads every
// shipped image and sample through SDL, and the byte-for-byte run below ties the
// committed files to the generator: together they stand for tests of the encoders and
// the drawing one by one.

// ---- the generator ----

#ifdef CONTENTGEN_BINARY
TEST(ContentGenerator, RegeneratesTheCommittedDataByteForByte) {
    testsupport::TempDir out;
    const testsupport::ChildResult run =
        testsupport::runCommand("'" CONTENTGEN_BINARY "' '" + out.path() + "'");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const auto made = filesBelow(fs::path(out.path()) / "data");
    const auto shipped = filesBelow(kSourceData);
    for (const auto& [path, bytes] : made) {
        auto it = shipped.find(path);
        if (it == shipped.end())
            ADD_FAILURE() << "generated but not committed: data/" << path;
        else if (it->second != bytes)
            ADD_FAILURE() << "committed file differs from the generator's: data/" << path;
    }
    for (const auto& entry : shipped)
        if (made.find(entry.first) == made.end())
            ADD_FAILURE() << "committed but no longer generated: data/" << entry.first;
}
#endif

// The title picture: the logo's gold spans the top from one side to the other and stays
// above the fighters; the Brawler's white gi stands on the left and Basalt's green
// trousers on the right; the band where PRESS ENTER goes is darker than the stage there.
TEST(TitleArt, LogoAboveTwoFightersAndAQuietBandForThePrompt) {
    const cg::Image stage = cg::StagePainter::paint();
    const cg::Image title = cg::TitleArt::paint(stage);
    ASSERT_EQ(800, title.width());
    ASSERT_EQ(600, title.height());
    auto count = [&](const cg::Image& img, int x0, int x1, int y0, int y1, auto test) {
        long n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                n += test(img.at(x, y));
        return n;
    };
    auto gold = [](cg::Rgb c) { return c.r > 230 && c.g > 150 && c.b < 120; };
    auto white = [](cg::Rgb c) { return std::min({c.r, c.g, c.b}) > 200; };
    auto green = [](cg::Rgb c) { return c.g > c.r + 15 && c.g > c.b + 25; };
    EXPECT_GT(count(title, 0, 200, 30, 200, gold), 2000);
    EXPECT_GT(count(title, 600, 800, 30, 200, gold), 2000);
    EXPECT_EQ(0, count(title, 0, 800, 200, 300, gold));
    EXPECT_GT(count(title, 60, 300, 300, 560, white), 3000);
    EXPECT_EQ(0, count(title, 500, 740, 300, 560, white));
    EXPECT_GT(count(title, 500, 740, 300, 560, green), 3000);
    EXPECT_EQ(0, count(title, 60, 300, 300, 560, green));
    auto light = [](const cg::Image& img) {
        long sum = 0;
        for (int y = 420; y < 470; ++y)
            for (int x = 300; x < 500; ++x)
                sum += img.at(x, y).r + img.at(x, y).g + img.at(x, y).b;
        return sum;
    };
    EXPECT_LT(light(title), light(stage) * 6 / 10);
}
