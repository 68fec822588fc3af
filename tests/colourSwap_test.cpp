#include <gtest/gtest.h>

#include "datafile/loadReport.h"
#include "sprite/CSpriteBase.h"
#include "sprite/colourSwap.h"
#include "tests/testSupport.h"

using namespace testsupport;

namespace {

// One line of a palette2 file and what the loader makes of it.
struct SwapLine {
    const char* text;    // written with its line end
    bool kept;           // read as a pair
    const char* problem; // start of the message when not kept, "" for a skipped line
};

Uint32 rgbAt(SDL_Surface* s, int x, int y) {
    Uint8 r, g, b;
    SDL_GetRGB(pixelAt(s, x, y), s->format, &r, &g, &b);
    return (r << 16) | (g << 8) | b;
}

} // namespace

// Good lines are read whatever their blanks and line ends; each bad one is skipped and
// recorded at its own line, and the game, without a report, names only the first.
TEST(ColourSwap, ReadsGoodLinesAndNamesEachBadOne) {
    const SwapLine lines[] = {
        {"# a comment 1 2 3 4 5 6\n", false, ""},
        {"\n", false, ""},
        {"   \t\n", false, ""},
        {"234 230 218  58 66 150\n", true, ""},
        {"\t1 2 3\t4 5 6 \r\n", true, ""},
        {"0 0 0 255 255 255", true, ""}, // the last line without a line end
        {"1 2 3 4 5\n", false, "expected six numbers"},
        {"1 2 3 4 5 x6\n", false, "expected six numbers"},
        {"1 2 3 4 5 6x\n", false, "expected six numbers"},
        {"1 2 3 4 5 256\n", false, "the colour value 256 is outside 0 to 255"},
        {"-1 2 3 4 5 6\n", false, "the colour value -1 is outside 0 to 255"},
        {"1 2 3 4 5 6 7\n", false, "\"7\" follows the six numbers"},
        {"1 2 3 4 5 6 # red\n", false, "\"# red\" follows the six numbers"},
    };
    TempDir dir;
    std::string text;
    for (const SwapLine& l : lines)
        text += l.text;
    // The line without a line end goes last in the file.
    std::string last = lines[5].text;
    text.erase(text.find(last), last.size());
    text += last;
    writeFile(dir / "palette2", text);

    loadReport report;
    colourSwap swap;
    ASSERT_EQ(swap.load(dir / "palette2", &report), 0);
    ASSERT_EQ(swap.size(), 3u);
    EXPECT_EQ(swap.pairs()[0].from[0], 234);
    EXPECT_EQ(swap.pairs()[0].to[2], 150);
    EXPECT_EQ(swap.pairs()[0].line, 4);
    EXPECT_EQ(swap.pairs()[1].to[2], 6);
    EXPECT_EQ(swap.pairs()[2].to[0], 255);

    std::vector<std::string> errors; // "line: message"
    for (const loadProblem& p : report.problems())
        if (p.error)
            errors.push_back(std::to_string(p.line) + ": " + p.message);
    size_t bad = 0; // the bad lines follow the first five lines
    for (const SwapLine& l : lines)
        if (*l.problem && bad < errors.size()) {
            EXPECT_EQ(0u, errors[bad].find(std::to_string(bad + 6) + ": " + l.problem));
            ++bad;
        }
    ASSERT_EQ(bad, errors.size());
    ASSERT_EQ(bad, 7u);
    EXPECT_EQ(report.warningCount(), 1) << "CR LF, once";

    colourSwap quiet;
    std::string said = captureStderr([&] { EXPECT_EQ(quiet.load(dir / "palette2"), 0); });
    EXPECT_EQ(said, "brawler: warning: " + dir / "palette2" + ":6: " + errors[0].substr(3) + "\n");
    EXPECT_EQ(quiet.size(), 3u);

    EXPECT_EQ(quiet.load(dir / "none"), -1);
    EXPECT_EQ(quiet.size(), 0u);
}

// A loaded sheet is recoloured in both facings by exact match; key pixels and other
// colours stay.
TEST(ColourSwap, RecoloursFramesAndTheirMirrorsButNotTheKey) {
    videoScreen();
    TempDir dir;
    FrameSpec f;
    f.fill = {200, 40, 40};
    f.pixels = {{{0, 0}, {255, 0, 255}}, {{1, 0}, {200, 40, 41}}};
    writeSheet(dir / "sheet", {f});
    writeFile(dir / "palette2", "200 40 40  10 20 30\n200 40 41  255 0 255\n");
    CSpriteBase sheet;
    captureStdout([&] { ASSERT_EQ(sheet.initR(dir / "sheet"), 0); });
    colourSwap swap;
    ASSERT_EQ(swap.load(dir / "palette2"), 0);
    swap.apply(sheet);

    SDL_Surface* right = sheet.frames[0].image;
    SDL_Surface* left = sheet.flippedFrames[0].image;
    const int w = right->w;
    EXPECT_EQ(rgbAt(right, 5, 5), 0x0a141eu);
    EXPECT_EQ(rgbAt(left, w - 1 - 5, 5), 0x0a141eu);
    EXPECT_EQ(rgbAt(right, 0, 0), 0xff00ffu);
    EXPECT_EQ(rgbAt(left, w - 1, 0), 0xff00ffu);
    EXPECT_EQ(rgbAt(right, 1, 0), 0xc82829u) << "a replacement that is the key is not made";
}
