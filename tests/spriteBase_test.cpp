#include <filesystem>

#include <gtest/gtest.h>

#include "sprite/CSpriteBase.h"
#include "tests/testSupport.h"

using namespace testsupport;

namespace {

class SpriteSheetTest : public ::testing::Test {
protected:
    void SetUp() override { videoScreen(); }
    TempDir dir;
};

std::string headerAnd(const std::string& blocks, int count) {
    return "FILES: " + std::to_string(count) + "\n" + blocks;
}

} // namespace

TEST_F(SpriteSheetTest, CommentsBetweenBlocksSkippedButReadByPositionInsideABlock) {
    FrameSpec f;
    writeBMP(dir / "a.bmp", 20, 30, f.fill);
    writeBMP(dir / "b.bmp", 20, 30, f.fill);
    std::string second = frameBlock("b.bmp", f);
    // Line 10 of the second block (its sound) is a comment-looking line: read as data.
    size_t pos = 0;
    for (int i = 0; i < 9; ++i)
        pos = second.find('\n', pos) + 1;
    second.replace(pos, second.find('\n', pos) - pos, "#notAComment");
    writeFile(dir / "info", headerAnd("# first frame\n\n\r\n \t" + frameBlock("a.bmp", f) +
                                          "# second frame\n" + second,
                                      2));
    CSpriteBase sheet;
    ASSERT_EQ(0, sheet.initR(dir.path()));
    ASSERT_EQ(2, sheet.frameCount);
    EXPECT_EQ(f.delay, sheet.frames[0].delay) << "blanks before the image name";
    EXPECT_EQ("NULL", sheet.frames[0].soundName);
    EXPECT_EQ("#notAComment", sheet.frames[1].soundName);
}

TEST_F(SpriteSheetTest, ColourKeyCarriesOverAndNegativeRedMeansOpaque) {
    FrameSpec first; // no key numbers: black becomes transparent
    first.keyed = false;
    FrameSpec green;
    green.key = {0, 255, 0};
    FrameSpec inherits; // keeps green
    inherits.keyed = false;
    FrameSpec opaque;
    opaque.key = {-1, 0, 0};
    writeSheet(dir.path(), {first, green, inherits, opaque});
    CSpriteBase sheet;
    ASSERT_EQ(0, sheet.initR(dir.path()));
    ASSERT_EQ(4, sheet.frameCount);
    auto keyOf = [](SDL_Surface* s) {
        Uint8 r, g, b;
        SDL_GetRGB(s->format->colorkey, s->format, &r, &g, &b);
        return (r << 16) | (g << 8) | b;
    };
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(sheet.frames[i].image->flags & SDL_SRCCOLORKEY) << i;
        ASSERT_TRUE(sheet.flippedFrames[i].image->flags & SDL_SRCCOLORKEY) << i;
    }
    EXPECT_EQ(0x000000, keyOf(sheet.frames[0].image));
    EXPECT_EQ(0x00ff00, keyOf(sheet.frames[1].image));
    EXPECT_EQ(0x00ff00, keyOf(sheet.frames[2].image));
    EXPECT_EQ(0x00ff00, keyOf(sheet.flippedFrames[2].image));
    EXPECT_FALSE(sheet.frames[3].image->flags & SDL_SRCCOLORKEY);
}

TEST_F(SpriteSheetTest, HostileCountsLineEndsAndLongWords) {
    FrameSpec f;
    f.sound = std::string(200, 's');
    f.label = std::string(150, 'l');
    writeBMP(dir / "f0.bmp", f.w, f.h, f.fill);
    std::string block = frameBlock("f0.bmp", f);
    std::string crlf;
    for (char c : block)
        crlf += (c == '\n') ? std::string("\r\n") : std::string(1, c);

    struct Case {
        std::string header;
        int blocks;
        int expectFrames;
    } cases[] = {
        {"FILES: 1000000000\n", 1, 1}, // far more announced than present
        {"FILES: -4\n", 1, 0},
        {"no count here\n", 1, 0},
        {"FILES:3\r\n", 2, 2},
    };
    for (const Case& c : cases) {
        std::string body = c.header;
        for (int i = 0; i < c.blocks; ++i)
            body += crlf;
        writeFile(dir / "info", body);
        CSpriteBase sheet;
        ASSERT_EQ(0, sheet.initR(dir.path())) << c.header;
        EXPECT_EQ(1, sheet.loaded);
        ASSERT_EQ(c.expectFrames, sheet.frameCount) << c.header;
        ASSERT_EQ(static_cast<size_t>(c.expectFrames), sheet.frames.size());
        if (c.expectFrames > 0) {
            EXPECT_EQ(std::string(95, 's'), sheet.frames[0].soundName);
            EXPECT_EQ(std::string(79, 'l'), sheet.frames[0].label);
            EXPECT_EQ(29, sheet.frames[0].anchorY);
        }
    }
}

TEST_F(SpriteSheetTest, MissingInfoReportsAndLeavesSheetUnloaded) {
    CSpriteBase sheet;
    std::string missing = dir / "nothing";
    std::string out = captureStdout([&] { EXPECT_EQ(-1, sheet.initR(missing)); });
    EXPECT_EQ("ERROR opening file " + missing + "/info\n\n", out);
    EXPECT_EQ(0, sheet.loaded);
    EXPECT_EQ(0, sheet.frameCount);
}

namespace {

// The game's own message must come first, and the last line must name the image.
void expectStopAfter(const ChildResult& r, const std::string& message, const std::string& naming) {
    EXPECT_EQ(1, r.exitCode);
    size_t at = r.output.find(message);
    ASSERT_NE(std::string::npos, at) << r.output;
    EXPECT_EQ(r.output.size() - naming.size() - 1, r.output.find(naming, at)) << r.output;
}

} // namespace

TEST_F(SpriteSheetTest, FatalImageErrorsEndTheProcessNamingTheFile) {
    // A missing or undecodable image named in an info file: BrokenData's rows.
    FrameSpec f;
    ChildResult r;
    // Called on its own the loader knows no info line, only the folder.
    r = runInChild([&] { loadFromResource(dir / "no-such-folder", "f0.bmp"); });
    expectStopAfter(r, "opendir failure: No such file",
                    "brawler: cannot read the frame image " + (dir / "no-such-folder") +
                        "/f0.bmp (sheet folder " + (dir / "no-such-folder") + ")");

    // A file far too large to be a frame image is refused before it is read.
    std::string huge = dir / "huge";
    writeFile(huge + "/info", "FILES: 1\n" + frameBlock("f0.bmp", f));
    writeFile(huge + "/f0.bmp", "");
    std::filesystem::resize_file(huge + "/f0.bmp", 3ull << 30); // sparse: takes no disk
    r = runInChild([&] {
        CSpriteBase s;
        s.initR(huge);
    });
    expectStopAfter(r, "Unable to LOOOOOAAAAAAAD!\n",
                    "brawler: cannot read the frame image " + huge +
                        "/f0.bmp, named on line 2 of " + huge + "/info");

    r = runInChild([&] { getfilesize(dir / "no-such-file"); });
    EXPECT_EQ(1, r.exitCode);
    EXPECT_EQ("getfilesize:  Couldn't get filesize of '" + (dir / "no-such-file") + "'.", r.output);
}

TEST_F(SpriteSheetTest, FolderPathsLongerThanAnyFixedBufferLoad) {
    std::string folder = dir.path();
    for (int i = 0; i < 6; ++i)
        folder += "/" + std::string(100, static_cast<char>('a' + i));
    ASSERT_GT(folder.size(), 600u);
    writeSheet(folder, {FrameSpec{}, FrameSpec{}});
    CSpriteBase sheet;
    EXPECT_EQ(0, sheet.initR(folder));
    EXPECT_EQ(2, sheet.frameCount);
}
