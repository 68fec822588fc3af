#include <filesystem>
#include <functional>
#include <map>

#include <gtest/gtest.h>

#include "SDL.h"
#include "ai/aiAttackList.h"
#include "datafile/bmpHeader.h"
#include "datafile/loadReport.h"
#include "fighter/animationSet.h"
#include "moves/moveSet.h"
#include "particles/partInfoList.h"
#include "sound/soundSet.h"
#include "sprite/CSpriteBase.h"
#include "tests/testSupport.h"
#include "tools/checker/dataChecker.h"

using namespace testsupport;
namespace fs = std::filesystem;

namespace {

const std::string kRegressions = std::string(BRAWLER_SOURCE_DIR) + "/fuzz/regressions";
const std::string kData = std::string(BRAWLER_SOURCE_DIR) + "/data";

// Where each format lives in a data folder, as fuzz/CMakeLists.txt places it.
const std::map<std::string, std::string> kFileOf = {{"sheetInfo", "Brawler/standing/info"},
                                                    {"animList", "Brawler/info"},
                                                    {"moveset", "Brawler/moveset"},
                                                    {"particleList", "particle/default"},
                                                    {"particleDef", "particle/spark/particle"},
                                                    {"soundList", "soundSet/sound"},
                                                    {"attack", "Brawler/ai/attack"},
                                                    {"frameImage", "Brawler/blank/blank_0.bmp"}};

// Reads the data folder's copy of a format with the loader that reads it.
void loadFormat(const std::string& format, const std::string& root, loadReport& report) {
    if (format == "sheetInfo" || format == "frameImage") {
        CSpriteBase sheet;
        sheet.init(fs::path(root + "/" + kFileOf.at(format)).parent_path().string());
    } else if (format == "animList") {
        animationSet().loadAll(root + "/Brawler", &report);
    } else if (format == "moveset") {
        moveSet().loadAll(root + "/Brawler", &report);
    } else if (format == "particleList") {
        partInfoList().addList("default", SDL_GetVideoSurface(), root, &report);
    } else if (format == "particleDef") {
        particleInfo().ParticleInfo(root + "/particle/spark");
    } else if (format == "soundList") {
        soundSet sounds;
        sounds.getList(root + "/soundSet");
        sounds.addToList(root + "/soundSet");
    } else if (format == "attack") {
        aiAttackList().getList(root + "/Brawler/ai");
    }
}

// A BMP file's bytes with the 32-bit little-endian value at `offset` replaced.
void patch32(std::string& bytes, size_t offset, int32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<char>((static_cast<uint32_t>(value) >> (8 * i)) & 0xff);
}

class FuzzRegressionTest : public ::testing::Test {
protected:
    void SetUp() override { videoScreen(); }
    TempDir dir;
};

} // namespace

// Every input a fuzz target once failed on (fuzz/regressions/<format>/) goes through its
// loader and through the data checker over the shipped data holding it: both return,
// and the checker names a problem for it.
TEST_F(FuzzRegressionTest, EverySavedFindingLoadsAndIsReported) {
    int inputs = 0;
    for (const auto& formatDir : fs::directory_iterator(kRegressions)) {
        std::string format = formatDir.path().filename().string();
        ASSERT_TRUE(kFileOf.count(format)) << "unknown format folder " << format;
        for (const auto& input : fs::directory_iterator(formatDir.path())) {
            SCOPED_TRACE(input.path().string());
            std::string root = dir / ("data" + std::to_string(++inputs));
            copyTree(kData, root);
            removeForWriting(root + "/" + kFileOf.at(format));
            fs::copy_file(input.path(), root + "/" + kFileOf.at(format),
                          fs::copy_options::overwrite_existing);
            loadReport loaderReport;
            captureStdout([&] { loadFormat(format, root, loaderReport); });
            loadReport report;
            captureStdout([&] { dataChecker(root, report).run(); });
            EXPECT_GT(report.errorCount() + report.warningCount(), 0);
        }
    }
    EXPECT_GT(inputs, 0);
}

// A frame image whose header claims more pixels than a frame has, or than its file
// holds, is refused before SDL allocates the surface: the game stops with the reason
// and the file, the checker reports it, and images up to the limit still load.
TEST_F(FuzzRegressionTest, FrameImageHeadersClaimingTooMuchAreRefusedWithTheReason) {
    FrameSpec f;
    std::string folder = dir / "sheet";
    writeFile(folder + "/info", "FILES: 1\n" + frameBlock("f0.bmp", f));
    auto loadWith = [&](const std::string& bytes, loadReport* report) {
        writeFile(folder + "/f0.bmp", bytes);
        CSpriteBase sheet;
        int result = -2;
        captureStdout([&] { result = sheet.init(folder, report); });
        return result == 0 ? sheet.width : -1;
    };
    writeBMP(dir / "wide.bmp", 4096, 1, f.fill);
    std::string wide = readFile(dir / "wide.bmp");
    EXPECT_EQ(4096, loadWith(wide, nullptr));
    std::string wider = wide;
    patch32(wider, 18, 4097);
    loadReport tooWide;
    EXPECT_EQ(-1, loadWith(wider, &tooWide));
    ASSERT_EQ(1, tooWide.errorCount());
    EXPECT_NE(std::string::npos,
              tooWide.sortedLines()[0].find("is 4097x1 pixels; a frame must be 1 to 4096 pixels "
                                            "wide and high"));
    std::string why;
    SDL_RWops* rw = SDL_RWFromConstMem(wider.data(), static_cast<int>(wider.size()));
    EXPECT_FALSE(bmpheader::sizeFits(rw, why));
    SDL_RWclose(rw);
    EXPECT_NE(std::string::npos, why.find("claims 4097x1 pixels, more than 4096 pixels a side"));

    writeBMP(dir / "small.bmp", 20, 30, f.fill);
    std::string small = readFile(dir / "small.bmp");
    std::string topDown = small;
    patch32(topDown, 22, -30);
    EXPECT_EQ(20, loadWith(topDown, nullptr));
    std::string cut = small.substr(0, small.size() - 1);
    loadReport report;
    EXPECT_EQ(-1, loadWith(cut, &report));
    ASSERT_EQ(1, report.errorCount());
    EXPECT_NE(std::string::npos,
              report.sortedLines()[0].find(folder +
                                           "/info:2: error: SDL cannot decode the frame "
                                           "image " +
                                           folder +
                                           "/f0.bmp (the BMP header claims 20x30 pixels, "
                                           "more than its " +
                                           std::to_string(cut.size()) + " bytes hold)"));

    // A header cut inside its fields: SDL would read the missing bytes as anything.
    std::string headerOnly = small.substr(0, 33);
    EXPECT_EQ(-1, loadWith(headerOnly, nullptr));
    EXPECT_NE(std::string::npos,
              std::string(SDL_GetError()).find("the BMP header is cut short: the file has 33"));
    // Exactly its headers is not cut short: it only lacks the pixels it claims.
    EXPECT_EQ(-1, loadWith(small.substr(0, 54), nullptr));
    EXPECT_NE(std::string::npos, std::string(SDL_GetError()).find("more than its 54 bytes hold"));

    // The fuzzer's input: 33554496x40 pixels in 7734 bytes; the game stops in order.
    writeFile(folder + "/f0.bmp",
              readFile(kRegressions + "/frameImage/tall-header-short-file.bmp"));
    ChildResult r = runInChild([&] {
        CSpriteBase sheet;
        sheet.initR(folder);
    });
    EXPECT_EQ(1, r.exitCode);
    EXPECT_NE(std::string::npos, r.output.find("brawler: the frame image " + folder +
                                               "/f0.bmp is 33554496x40 pixels; a frame must be "
                                               "1 to 4096 pixels wide and high"));
    EXPECT_NE(std::string::npos, r.output.find("brawler: cannot read the frame image " + folder +
                                               "/f0.bmp, named on line 2 of " + folder + "/info"));
}
