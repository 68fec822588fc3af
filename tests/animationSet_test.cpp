#include "fighter/animationSet.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "fighter/fighter.h"
#include "moves/moveSet.h"
#include "tests/fighterData.h"
#include "tests/testSupport.h"

using namespace testsupport;

namespace {

// Three animations told apart by their frame width.
void writeThree(const std::string& folder) {
    fighterdata::writeCharacter(folder, {{"blank", {fighterdata::frame(11, 30, 5, 29, {})}},
                                         {"walk", {fighterdata::frame(12, 30, 5, 29, {})}},
                                         {"duck", {fighterdata::frame(13, 30, 5, 29, {})}}});
}

std::string load(animationSet& set, const std::string& folder) {
    return captureStdout([&] { EXPECT_EQ(set.loadAll(folder), 1); });
}

} // namespace

TEST(AnimationSet, LooksUpByExactNameFallingBackToTheFirst) {
    videoScreen();
    TempDir dir;
    writeThree(dir.path());
    animationSet set;
    std::string out = load(set, dir.path());
    ASSERT_EQ(set.entryCount, 3);
    EXPECT_EQ(set.returnAnimation("walk"), &set.entries[1].sheet);
    EXPECT_EQ(set.returnAnimation("duck")->width, 13);
    for (const char* other : {"missing", "Walk", "walk "})
        EXPECT_EQ(set.returnAnimation(other), &set.entries[0].sheet) << other;
    EXPECT_EQ(set.find("duck"), 2);
    EXPECT_EQ(set.find("DUCK"), 0);
    EXPECT_NE(
        out.find("holy diver: walk\nload folder " + dir.path() + "/walk\nloading\n1\nf0.bmp\n"),
        std::string::npos)
        << out;
    EXPECT_NE(out.find("let me guess\nACTION COMMANDO\nholy diver: duck\n"), std::string::npos);
}

TEST(AnimationSet, HostileListFiles) {
    videoScreen();
    TempDir dir;
    writeThree(dir.path());
    struct Case {
        std::string text;
        std::vector<std::string> names;
    } cases[] = {
        {"ANIMS: 2\r\nblank\r\nwalk  fast and loose\r\n", {"blank", "walk"}},
        {"ANIMS: 5\nblank\nwalk\n", {"blank", "walk"}},
        {"ANIMS: 2000000000\nduck\n", {"duck"}},
        {"ANIMS: 2\n" + std::string(200, 'n') + "\nwalk\n", {std::string(95, 'n'), "walk"}},
        {"ANIMS: 2\n\nwalk\n", {"", "walk"}},
        {"ANIMS: -3\nblank\n", {}},
        {"ANIMS: many\nblank\n", {}},
        {"blank\nwalk\n", {}},
        {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 40));
        writeFile(dir / "info", c.text);
        animationSet set;
        load(set, dir.path());
        ASSERT_EQ(set.entryCount, static_cast<int>(c.names.size()));
        for (size_t i = 0; i < c.names.size(); ++i)
            EXPECT_EQ(set.entries[i].name, c.names[i]);
        if (c.names.empty()) {
            EXPECT_EQ(set.returnAnimation("blank"), nullptr);
        } else if (c.names.back() == "walk") {
            EXPECT_EQ(set.returnAnimation("walk")->frameCount, 1);
        }
    }

    animationSet none;
    EXPECT_EQ(load(none, dir / "nobody"), "ERROR opening file " + dir.path() + "/nobody/info\n\n");
    EXPECT_EQ(none.returnAnimation("walk"), nullptr);
    EXPECT_EQ(none.find("walk"), 0);
}

TEST(AnimationSet, CharacterUsableNamesTheFolderAndWhatIsMissing) {
    videoScreen();
    TempDir dir;
    writeFile(dir / "ghost/info", fighterdata::animList({"blank", "walk"}));
    writeThree(dir / "fine");
    auto verdict = [&](const std::string& folder) {
        animationSet anims;
        moveSet moves;
        captureStdout([&] {
            anims.loadAll(dir / folder);
            moves.loadAll(dir / folder);
        });
        std::string why = "unset";
        bool usable = characterUsable(anims, moves, &why);
        EXPECT_EQ(usable, why.empty()) << why;
        return why;
    };
    EXPECT_EQ(verdict("none"), dir.path() + "/none: no animations loaded");
    EXPECT_EQ(verdict("ghost"), dir.path() + "/ghost: no animation has any frames");
    EXPECT_EQ(verdict("fine"), dir.path() + "/fine: no moves loaded");
    writeFile(dir / "fine/moveset", fighterdata::movesetText({{"punch"}}));
    EXPECT_EQ(verdict("fine"), "");
}

// The shipped character must answer every name the game asks for from an entry of its
// own, not through the first-entry fallback.
TEST(ShippedCharacter, LoadsWithEveryNameTheGameAsksFor) {
    const std::string folder = BRAWLER_SOURCE_DIR "/data/Brawler";
    if (!std::filesystem::exists(folder + "/info"))
        GTEST_SKIP() << "no shipped character at " << folder;
    videoScreen();
    // A frame image that cannot be read ends the process, so load in a child.
    ChildResult r = runInChild([&] {
        animationSet anims;
        moveSet moves;
        anims.loadAll(folder);
        moves.loadAll(folder);
        std::string why;
        if (!characterUsable(anims, moves, &why))
            printf("\nUNUSABLE %s\n", why.c_str());
        for (const char* name : {"blank", "walk", "standing", "duck", "inAir"}) {
            const animEntry& e = anims.entries[anims.find(name)];
            if (e.name != name || e.sheet.frameCount <= 0)
                printf("\nMISSING animation %s\n", name);
        }
        for (const char* name : {"hit1", "blockHi", "blockLo", "blockAir"}) {
            const moveInfo* m = moves.returnMove(name);
            if (!m || m->name != name || m->sheet.frameCount <= 0)
                printf("\nMISSING move %s\n", name);
        }
    });
    EXPECT_EQ(r.exitCode, 0) << r.output;
    for (const char* bad : {"ERROR opening file", "\nMISSING", "\nUNUSABLE"})
        EXPECT_EQ(r.output.find(bad), std::string::npos) << r.output;
}
