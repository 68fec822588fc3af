// The content generator and the content it ships: the committed data/ must be exactly
// what the generator writes, every file must load the way the game loads it, the
// moveset must give each command the move it is meant for, and the generator's own
// model checker must catch each rule it is there to enforce.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SDL.h"

#include "fighter/animationSet.h"
#include "fighter/fighter.h"
#include "moves/inputChecker.h"
#include "moves/moveSet.h"
#include "tests/testSupport.h"
#include "tools/contentgen/BmpEncoder.h"
#include "tools/contentgen/ByteWriter.h"
#include "tools/contentgen/FighterArtist.h"
#include "tools/contentgen/FileSet.h"
#include "tools/contentgen/Image.h"
#include "tools/contentgen/ModelChecker.h"
#include "tools/contentgen/Painter.h"
#include "tools/contentgen/PoseBook.h"
#include "tools/contentgen/Skeleton.h"
#include "tools/contentgen/WavEncoder.h"

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

bool endsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
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
    m.animations = {sheet("blank", 1), sheet("walk", 2), sheet("standing", 1), sheet("duck", 1),
                    sheet("inAir", 1)};
    m.animations[0].frames[0].image = cg::Image(8, 8, cg::kKeyColour);
    m.animations[0].frames[0].info.cBox = cg::kNoBox;
    m.moves = {reaction("hit1"), reaction("blockHi"), reaction("blockLo"), reaction("blockAir"),
               attack("jab", "A")};
    m.particles = {particle("bolt", 50), particle("puff", 0)};
    m.sharedSounds = {"data/soundSet", {{"clack", std::vector<double>(4410, 0.0)}}};
    m.fighterSounds = {"data/Brawler/sound", {}};
    m.attacks.groups[0] = {{"jab", 'S'}};
    m.attacks.groups[2] = {{"jab", 'S'}};
    return m;
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
    for (cg::MoveRecord& mv : m.moves)
        if (mv.sheet.name == name)
            return mv;
    throw std::runtime_error("no move " + name);
}

} // namespace

// ---- the model checker ----

TEST(ModelChecker, AcceptsAWellFormedModel) {
    cg::ContentModel m = validModel();
    EXPECT_TRUE(cg::ModelChecker(m).run().empty());
}

TEST(ModelChecker, RejectsFramesTheEngineWouldDrawWrongly) {
    EXPECT_TRUE(reports(problemsAfter([](cg::ContentModel& m) {
                            moveNamed(m, "jab").sheet.frames[0].image = cg::Image(10, 8, {1, 1, 1});
                        }),
                        "jab frame 0 is 10x8, blank's first frame is 8x8"));
    EXPECT_TRUE(reports(problemsAfter([](cg::ContentModel& m) {
                            m.animations[1].frames[1].info.anchor = {5, 7};
                        }),
                        "walk frame 1 has its anchor away from blank's"));
    EXPECT_TRUE(reports(problemsAfter([](cg::ContentModel& m) {
                            m.animations[0].frames[0].image.set(0, 0, {0, 0, 0});
                        }),
                        "blank frame 0 must be all key colour"));
    EXPECT_TRUE(
        reports(problemsAfter([](cg::ContentModel& m) { m.stage.set(3, 9, cg::kKeyColour); }),
                "stage pixel (3, 9)"));
    EXPECT_TRUE(reports(problemsAfter([](cg::ContentModel& m) {
                            moveNamed(m, "jab").sheet.frames[1].info.hitType = 0;
                        }),
                        "jab frame 1: deals damage but has no attack box or hit type 1"));
    // A harmless frame with a real attack box would still start reactions and blocks.
    EXPECT_TRUE(reports(problemsAfter([](cg::ContentModel& m) {
                            moveNamed(m, "jab").sheet.frames[0].info.dBox = {0, 0, 0, 0};
                        }),
                        "jab frame 0: has an attack box but no damage"));
    EXPECT_TRUE(reports(problemsAfter([](cg::ContentModel& m) {
                            moveNamed(m, "jab").sheet.frames[1].info.dBox = {3, 2, 5, 4};
                        }),
                        "attack box stops short"));
    EXPECT_TRUE(reports(problemsAfter([](cg::ContentModel& m) {
                            moveNamed(m, "hit1").sheet.frames[0].info.sound = "clack";
                        }),
                        "hit1 frame 0: sounds belong on the second frame only"));
    EXPECT_TRUE(reports(problemsAfter([](cg::ContentModel& m) {
                            moveNamed(m, "hit1").sheet.frames[1].info.sound = "NULL";
                        }),
                        "hit1 has no sound on its second frame"));
}

TEST(ModelChecker, RejectsNamesThatNothingProvides) {
    EXPECT_TRUE(reports(problemsAfter([](cg::ContentModel& m) {
                            moveNamed(m, "jab").sheet.frames[1].info.sound = "thud";
                        }),
                        "sound thud is in neither sound list"));
    EXPECT_TRUE(reports(problemsAfter([](cg::ContentModel& m) {
                            moveNamed(m, "jab").sheet.frames[1].info.particles = {{"zap", 9, 3}};
                        }),
                        "particle zap is not in the particle list"));
    EXPECT_TRUE(reports(problemsAfter([](cg::ContentModel& m) {
                            m.particles[0].onDeath = {{"smoke", 0, 0}};
                        }),
                        "bolt OnDeath: particle smoke"));
    EXPECT_TRUE(reports(problemsAfter([](cg::ContentModel& m) {
                            m.attacks.groups[2] = {{"headbutt", 'S'}};
                        }),
                        "group 2: headbutt is not a move"));
    EXPECT_TRUE(reports(problemsAfter([](cg::ContentModel& m) {
                            m.attacks.groups[0] = {{"jab", 'M'}, {"hit1", 'S'}};
                        }),
                        "hit1 is out of S, M, L order"));
    EXPECT_TRUE(reports(problemsAfter([](cg::ContentModel& m) { m.animations.pop_back(); }),
                        "animation inAir is missing"));
    EXPECT_TRUE(reports(problemsAfter([](cg::ContentModel& m) { m.moves.erase(m.moves.begin()); }),
                        "move hit1 is missing"));
    // Moves and animations share the character folder with its sound folder.
    EXPECT_TRUE(
        reports(problemsAfter([](cg::ContentModel& m) { m.moves.push_back(attack("sound", "C")); }),
                "name sound is used twice"));
    EXPECT_TRUE(
        reports(problemsAfter([](cg::ContentModel& m) { m.moves.push_back(attack("walk", "C")); }),
                "name walk is used twice"));
}

TEST(ModelChecker, FindsMovesThatCanNeverBePerformed) {
    auto withButtonB = [](std::vector<cg::MoveRecord> bMoves) {
        return problemsAfter([&](cg::ContentModel& m) {
            for (cg::MoveRecord& mv : bMoves)
                m.moves.push_back(mv);
        });
    };
    // "DB" holds "B": a B move with no condition listed first takes every DB press.
    EXPECT_TRUE(reports(withButtonB({attack("kick", "B"), attack("sweep", "DB")}),
                        "move sweep (DB) can never be performed: kick"));
    EXPECT_TRUE(withButtonB({attack("sweep", "DB"), attack("kick", "B")}).empty());
    // A shadow that holds only on the ground leaves the sweep to the air...
    EXPECT_TRUE(withButtonB({attack("kick", "B", "ground = true"), attack("sweep", "DB")}).empty());
    // ...unless the sweep itself is a ground move, or the air is covered too.
    EXPECT_TRUE(reports(
        withButtonB({attack("kick", "B", "ground = true"), attack("sweep", "DB", "ground = true")}),
        "move sweep (DB) can never be performed"));
    EXPECT_TRUE(
        reports(withButtonB({attack("kick", "B", "ground = true"),
                             attack("airKick", "B", "ground = false"), attack("sweep", "DB")}),
                "kick, airKick comes first"));
    // A move ending with another button never shadows: DRC lies inside DRCB but is a C move.
    EXPECT_TRUE(withButtonB({attack("palm", "DRC"), attack("slide", "DRCB")}).empty());
    EXPECT_TRUE(reports(withButtonB({attack("float", "B", "air = true")}),
                        "condition 'air = true' never holds"));
}

TEST(ModelChecker, KeepsProjectilesOffTheirOwnerAndShowParticlesHarmless) {
    // The owner's body spans x -2..1 and y -6..0 around its anchor; the bolt's box is
    // its anchor -1..+1.
    EXPECT_TRUE(reports(problemsAfter([](cg::ContentModel& m) {
                            moveNamed(m, "jab").sheet.frames[0].info.particles = {{"bolt", 2, 3}};
                        }),
                        "jab frame 0: bolt spawns inside the body box of frame 0"));
    EXPECT_TRUE(reports(problemsAfter([](cg::ContentModel& m) {
                            auto& frames = moveNamed(m, "jab").sheet.frames;
                            frames[0].info.particles = {{"bolt", 4, 3}};
                            frames[1].info.cBox = {2, 1, 7, 7}; // leans into its own shot
                        }),
                        "of frame 1 and would hit its owner"));
    EXPECT_TRUE(problemsAfter([](cg::ContentModel& m) {
                    moveNamed(m, "jab").sheet.frames[0].info.particles = {{"bolt", 4, 3}};
                }).empty());
    EXPECT_TRUE(reports(problemsAfter([](cg::ContentModel& m) {
                            m.particles[1].sheet.frames[0].info.cBox = {1, 0, 0, 0};
                        }),
                        "particle puff frame 0: harmless but has a body box"));
}

TEST(ModelChecker, KeepsTextLinesWithinTheLoadersBuffer) {
    cg::FileSet files;
    files.addText("data/ok", std::string(253, 'x') + "\nshort\n");
    files.addText("data/long", "FILES: 1\n" + std::string(254, 'x') + "\n");
    files.addText("data/open", "no line end");
    files.addBytes("data/picture.bmp", std::vector<uint8_t>(400, 'x'));
    const std::vector<std::string> problems = cg::ModelChecker::checkText(files);
    EXPECT_EQ(problems.size(), 2u);
    EXPECT_TRUE(reports(problems, "data/long:2: line of 254 characters"));
    EXPECT_TRUE(reports(problems, "data/open: last line has no line end"));
}

// ---- the encoders, read back by SDL itself ----

TEST(ContentEncoders, BmpKeepsEveryPixelThroughSdl) {
    // Five pixels wide: 15 bytes a row, so every row carries a byte of padding.
    cg::Image img(5, 3, cg::Rgb{0, 0, 0});
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            img.set(x, y, cg::Rgb{uint8_t(x * 50), uint8_t(y * 100), uint8_t(255 - x * 10 - y)});
    const std::vector<uint8_t> bytes = cg::BmpEncoder::encode(img);
    SDL_Surface* s = SDL_LoadBMP_RW(SDL_RWFromConstMem(bytes.data(), int(bytes.size())), 1);
    ASSERT_NE(s, nullptr) << SDL_GetError();
    ASSERT_EQ(s->w, 5);
    ASSERT_EQ(s->h, 3);
    ASSERT_EQ(s->format->BytesPerPixel, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            const uint8_t* p = static_cast<uint8_t*>(s->pixels) + y * s->pitch + x * 3;
            Uint8 r, g, b;
            SDL_GetRGB(Uint32(p[0]) | Uint32(p[1]) << 8 | Uint32(p[2]) << 16, s->format, &r, &g,
                       &b);
            EXPECT_EQ(r, img.at(x, y).r) << x << "," << y;
            EXPECT_EQ(g, img.at(x, y).g) << x << "," << y;
            EXPECT_EQ(b, img.at(x, y).b) << x << "," << y;
        }
    SDL_FreeSurface(s);
}

TEST(ContentEncoders, WavIsSixteenBitMonoAndClipsLoudSamples) {
    const std::vector<uint8_t> bytes = cg::WavEncoder::encode({0.0, 0.5, -0.5, 1.5, -2.0});
    SDL_AudioSpec format;
    Uint8* data = nullptr;
    Uint32 length = 0;
    ASSERT_NE(SDL_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), int(bytes.size())), 1, &format, &data,
                             &length),
              nullptr)
        << SDL_GetError();
    EXPECT_EQ(format.freq, cg::WavEncoder::kSampleRate);
    EXPECT_EQ(format.format, AUDIO_S16LSB);
    EXPECT_EQ(format.channels, 1);
    ASSERT_EQ(length, 10u);
    const int16_t* samples = reinterpret_cast<const int16_t*>(data);
    EXPECT_EQ(samples[0], 0);
    EXPECT_EQ(samples[1], 16384);
    EXPECT_EQ(samples[2], -16384);
    EXPECT_EQ(samples[3], 32767);
    EXPECT_EQ(samples[4], -32767);
    SDL_FreeWAV(data);
}

// ---- the fighter's drawing and the boxes worked out from it ----

namespace {

struct DrawnExtent {
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
};

DrawnExtent drawnExtent(const cg::Image& img) {
    DrawnExtent e;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.at(x, y) != cg::kKeyColour) {
                e.left = std::min(e.left, x);
                e.right = std::max(e.right, x);
                e.top = std::min(e.top, y);
                e.bottom = std::max(e.bottom, y);
            }
    return e;
}

bool inside(cg::Box b, cg::Vec2 p) {
    return p.x >= b.left && p.x <= b.right && p.y >= b.top && p.y <= b.bottom;
}

} // namespace

TEST(FighterArt, GroundedPosesStandOnTheAnchorRowAndBoxesSitOnTheDrawing) {
    const cg::Vec2 anchor{100.0, 190.0};
    const cg::FighterArtist artist(200, 200, anchor);
    cg::Pose kick = cg::PoseBook::guard();
    kick.legNear = {92.0, 94.0, 172.0};
    kick.legFar = {-4.0, -4.0};
    kick.striker = cg::Striker::NearFoot;
    cg::Pose jab = cg::PoseBook::guard();
    jab.armNear = {90.0, 93.0};
    jab.striker = cg::Striker::NearFist;
    cg::Pose squatJab = cg::PoseBook::crouch();
    squatJab.armFar = {95.0, 90.0};
    squatJab.striker = cg::Striker::FarFist;
    const std::pair<const char*, cg::Pose> poses[] = {{"guard", cg::PoseBook::guard()},
                                                      {"crouch", cg::PoseBook::crouch()},
                                                      {"walk", cg::PoseBook::walk(0.375)},
                                                      {"kick", kick},
                                                      {"jab", jab},
                                                      {"squatJab", squatJab}};
    for (const auto& [name, pose] : poses) {
        SCOPED_TRACE(name);
        const cg::Image img = artist.render(pose);
        const cg::Skeleton s = artist.skeleton(pose);
        const DrawnExtent drawn = drawnExtent(img);
        // The soles touch row 190; only their outline may go below it.
        EXPECT_GE(drawn.bottom, 190);
        EXPECT_LE(drawn.bottom, 192);
        EXPECT_GT(drawn.left, 0);
        EXPECT_LT(drawn.right, 199);
        EXPECT_GT(drawn.top, 0);
        const cg::Box body = artist.bodyBox(s);
        EXPECT_TRUE(inside(body, s.headCentre()));
        EXPECT_TRUE(inside(body, s.hip()));
        EXPECT_EQ(body.bottom, 190);
        const cg::Box strike = artist.strikeBox(s);
        if (pose.striker == cg::Striker::None) {
            EXPECT_TRUE(strike == cg::kNoBox);
            continue;
        }
        const cg::LimbJoints& limb = pose.striker == cg::Striker::NearFoot   ? s.legNear()
                                     : pose.striker == cg::Striker::NearFist ? s.armNear()
                                                                             : s.armFar();
        EXPECT_TRUE(inside(strike, limb.tip));
        EXPECT_TRUE(inside(strike, limb.end));
        EXPECT_FALSE(inside(strike, limb.root)) << "the box covers the limb's end only";
        EXPECT_GT(strike.right, body.right) << "a strike reaches past its own body";
    }
}

// ---- the shipped content ----

TEST(ShippedContent, EveryImageAndSampleLoadsInSdl) {
    int images = 0;
    int samples = 0;
    for (const auto& entry : fs::recursive_directory_iterator(kSourceData)) {
        const std::string path = entry.path().string();
        if (endsWith(path, ".bmp")) {
            SDL_Surface* s = SDL_LoadBMP(path.c_str());
            ASSERT_NE(s, nullptr) << path << ": " << SDL_GetError();
            EXPECT_EQ(s->format->BitsPerPixel, 24) << path;
            SDL_FreeSurface(s);
            ++images;
        } else if (endsWith(path, ".wav")) {
            SDL_AudioSpec format;
            Uint8* data = nullptr;
            Uint32 length = 0;
            ASSERT_NE(SDL_LoadWAV(path.c_str(), &format, &data, &length), nullptr) << path;
            const double seconds = length / 2.0 / format.freq;
            EXPECT_EQ(format.channels, 1) << path;
            EXPECT_EQ(format.format, AUDIO_S16LSB) << path;
            EXPECT_GE(seconds, 0.1) << path;
            EXPECT_LE(seconds, 0.6) << path;
            SDL_FreeWAV(data);
            ++samples;
        }
    }
    EXPECT_GT(images, 50);
    EXPECT_GT(samples, 4);
}

// The character loaded through the game's own loaders, once for the suite.
class BrawlerCharacter : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        testsupport::videoScreen();
        anims_ = new animationSet;
        moves_ = new moveSet;
        const std::string folder = kSourceData + "/Brawler";
        testsupport::captureStdout([&] {
            anims_->loadAll(folder);
            moves_->loadAll(folder);
        });
    }
    static void TearDownTestSuite() {
        delete moves_;
        delete anims_;
    }

    // The move the game's input checker picks for presses typed 50 ms apart.
    static std::string moveFor(const std::string& letters, bool onGround) {
        Fighter fighter;
        std::string chosen = "nothing";
        testsupport::captureStdout([&] {
            fighter.initS(anims_, testsupport::videoScreen());
            fighter.onGround = onGround;
            inputChecker checker(moves_, &fighter);
            int t = 1000;
            for (char c : letters) {
                inputKeys press;
                press.time = t;
                press.key = c;
                press.action = "walk";
                checker.acceptInput(press);
                t += 50;
            }
            if (moveInfo* m = checker.update(t))
                chosen = m->name;
        });
        return chosen;
    }

    static animationSet* anims_;
    static moveSet* moves_;
};

animationSet* BrawlerCharacter::anims_ = nullptr;
moveSet* BrawlerCharacter::moves_ = nullptr;

TEST_F(BrawlerCharacter, EveryFrameHasBlanksSizeAndAnchor) {
    const CSpriteBase* blank = anims_->returnAnimation("blank");
    ASSERT_NE(blank, nullptr);
    ASSERT_GT(blank->frameCount, 0);
    const frameInfo& ref = blank->frames[0];
    std::vector<std::pair<std::string, const CSpriteBase*>> sheets;
    for (const animEntry& a : anims_->entries)
        sheets.push_back({a.name, &a.sheet});
    for (const moveInfo& m : moves_->moves)
        sheets.push_back({m.name, &m.sheet});
    ASSERT_GE(sheets.size(), 9u);
    for (const auto& [name, sheet] : sheets) {
        ASSERT_GT(sheet->frameCount, 0) << name;
        for (int i = 0; i < sheet->frameCount; ++i) {
            const frameInfo& f = sheet->frames[i];
            ASSERT_NE(f.image, nullptr) << name << " " << i;
            EXPECT_EQ(f.image->w, ref.image->w) << name << " " << i;
            EXPECT_EQ(f.image->h, ref.image->h) << name << " " << i;
            EXPECT_EQ(f.anchorX, ref.anchorX) << name << " " << i;
            EXPECT_EQ(f.anchorY, ref.anchorY) << name << " " << i;
        }
    }
}

TEST_F(BrawlerCharacter, CommandsPickTheIntendedMove) {
    struct Case {
        const char* letters;
        bool onGround;
        const char* move;
    };
    const Case cases[] = {
        {"A", true, "jab"},    {"DRA", true, "fireball"},  {"DRA", false, "fireball"},
        {"C", true, "strike"}, {"RDRC", true, "uppercut"}, {"B", true, "kick"},
        {"DB", true, "sweep"}, {"B", false, "airKick"},    {"DB", false, "airKick"},
        {"RDA", true, "jab"}, // not quite the special: the plain button still works
    };
    for (const Case& c : cases)
        EXPECT_EQ(moveFor(c.letters, c.onGround), c.move)
            << c.letters << (c.onGround ? " on the ground" : " in the air");
}

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
