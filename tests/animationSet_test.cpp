#include "fighter/animationSet.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "fighter/characterCheck.h"
#include "fighter/characterRoster.h"
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

namespace {

struct Character {
    animationSet anims;
    moveSet moves;
    explicit Character(const std::string& folder) {
        captureStdout([&] {
            anims.loadAll(folder);
            moves.loadAll(folder);
        });
    }
};

} // namespace

TEST(AnimationSet, CharacterUsableNamesTheFolderAndTheFileAtFault) {
    videoScreen();
    TempDir dir;
    writeFile(dir / "ghost/info", fighterdata::animList({"blank", "walk"}));
    makeDirs(dir / "ghost/walk");
    writeFile(dir / "listsNone/info", "ANIMS: 0\n");
    writeThree(dir / "fine");
    auto verdict = [&](const std::string& folder) {
        Character c(dir / folder);
        std::string why = "unset";
        bool usable = characterUsable(c.anims, c.moves, &why);
        EXPECT_EQ(usable, why.empty()) << why;
        return why;
    };
    std::string d = dir.path();
    EXPECT_EQ(verdict("none"), d + "/none: no animations loaded (" + d + "/none/info is missing)");
    EXPECT_EQ(verdict("listsNone"),
              d + "/listsNone: no animations loaded (" + d + "/listsNone/info lists no animation)");
    EXPECT_EQ(verdict("ghost"), d + "/ghost: no animation has any frames (the folder " + d +
                                    "/ghost/blank is missing; " + d +
                                    "/ghost/walk/info is missing)");
    std::filesystem::remove(dir / "fine/moveset");
    EXPECT_EQ(verdict("fine"), d + "/fine: no moves loaded (" + d + "/fine/moveset is missing)");
    // A folder in the file's place is named as such, and does not hide the character
    // from the roster, so the game says what is wrong rather than that it is not there.
    makeDirs(dir / "fine/moveset");
    EXPECT_EQ(verdict("fine"),
              d + "/fine: no moves loaded (" + d + "/fine/moveset is a folder, not a file)");
    EXPECT_EQ(std::vector<std::string>{"fine"}, listCharacters(d));
    std::filesystem::remove(dir / "fine/moveset");
    writeFile(dir / "fine/moveset", "ANIMS: 0\n");
    EXPECT_EQ(verdict("fine"), d + "/fine: no moves loaded (" + d + "/fine/moveset lists no move)");
    writeFile(dir / "fine/moveset", fighterdata::movesetText({{"punch"}}));
    EXPECT_EQ(verdict("fine"), "");
}

// Each warning names the folder or file at fault and the fallback the lookups really
// give, checked against the lookups themselves.
TEST(AnimationSet, CharacterWarningsNameTheFileAtFaultAndTheFallback) {
    videoScreen();
    TempDir dir;
    using fighterdata::frame;
    auto f = [](int w) { return fighterdata::Frames{frame(w, 30, 5, 29, {})}; };
    std::string d = dir / "hurt";
    fighterdata::writeCharacter(
        d, {{"idle", f(10)}, {"blank", f(11)}, {"walk", {}}, {"duck", f(12)}, {"inAir", f(13)}},
        {{{"jab"}, f(14)}, {{"hit1"}, {}}, {{"blockHi"}, f(15)}, {{"blockLo"}, f(16)}});
    writeFile(d + "/duck/info", "garbage\n");
    Character c(d);
    std::vector<std::string> expected = {
        "animation \"walk\" has no frames (the folder " + d +
            "/walk is missing); the fighter is not drawn while it shows \"walk\"",
        d + "/info does not list the animation \"standing\"; the fighter shows \"idle\", the "
            "first animation listed, in its place",
        "animation \"duck\" has no frames (" + d +
            "/duck/info holds no frames); the fighter is not drawn while it shows \"duck\"",
        "move \"hit1\" has no frames (the folder " + d +
            "/hit1 is missing); it ends as soon as it starts, showing nothing",
        d + "/moveset has no move \"blockAir\"; the first move of the file, \"jab\", is played "
            "in its place",
    };
    EXPECT_EQ(characterWarnings(c.anims, c.moves), expected);
    EXPECT_EQ(c.anims.returnAnimation("standing"), &c.anims.entries[0].sheet);
    EXPECT_EQ(c.anims.returnAnimation("walk")->frameCount, 0);
    EXPECT_EQ(c.moves.returnMove("blockAir"), &c.moves.moves[0]);
    EXPECT_EQ(c.moves.returnMove("hit1")->sheet.frameCount, 0);

    // "blank" is never shown: only the key colour of the saved background comes from it.
    std::string noBlank = dir / "noBlank";
    fighterdata::writeCharacter(
        noBlank, {{"walk", f(10)}, {"standing", f(10)}, {"duck", f(10)}, {"inAir", f(10)}},
        {{{"hit1"}, f(10)}, {{"blockHi"}, f(10)}, {{"blockLo"}, f(10)}, {{"blockAir"}, f(10)}});
    Character withoutBlank(noBlank);
    EXPECT_EQ(characterWarnings(withoutBlank.anims, withoutBlank.moves),
              std::vector<std::string>{noBlank + "/info does not list the animation \"blank\"; the "
                                                 "fighter takes its background key colour from "
                                                 "\"walk\", the first animation listed"});
    makeDirs(noBlank + "/blank");
    writeFile(noBlank + "/info",
              fighterdata::animList({"walk", "blank", "standing", "duck", "inAir"}));
    Character emptyBlank(noBlank);
    EXPECT_EQ(characterWarnings(emptyBlank.anims, emptyBlank.moves),
              std::vector<std::string>{"animation \"blank\" has no frames (" + noBlank +
                                       "/blank/info is missing); the fighter saves its background "
                                       "without a key colour"});
}
