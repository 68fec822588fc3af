#include "ai/aiAttackList.h"

#include <climits>
#include <set>

#include <gtest/gtest.h>

#include "ai/randomNumber.h"
#include "datafile/loadReport.h"
#include "moves/moveSet.h"
#include "tests/testSupport.h"

using namespace testsupport;
using Names = std::set<std::string>;

namespace {

aiAttackList loadText(const TempDir& dir, const std::string& text) {
    writeFile(dir / "attack", text);
    aiAttackList list;
    captureStdout([&] { list.getList(dir.path()); });
    return list;
}

// Every name 300 draws give, from a fixed seed so that a failure repeats.
Names drawMany(aiAttackList& list, char range, const std::string& situation) {
    Names seen;
    g_randomNumber.seed(1234);
    captureStdout([&] {
        for (int i = 0; i < 300; ++i)
            seen.insert(list.getAttack(range, situation));
    });
    return seen;
}

// "group: name/letter ... (short mid long)" for each group holding anything.
std::string describe(const aiAttackList& list) {
    std::string out;
    for (int g = 0; g < aiAttackList::kGroupCount; ++g) {
        const aiAttackNumbers& n = list.numbers[g];
        if (list.groups[g].empty() && n.shortCount + n.midCount + n.longCount == 0)
            continue;
        out += std::to_string(g) + ":";
        for (const aiAttack& e : list.groups[g])
            out += " " + e.name + "/" + e.range;
        out += " (" + std::to_string(n.shortCount) + " " + std::to_string(n.midCount) + " " +
               std::to_string(n.longCount) + "); ";
    }
    return out;
}

} // namespace

TEST(AttackList, DrawsByBandAndSituation) {
    TempDir dir;
    aiAttackList list = loadText(dir, "Attacks: 3\njab\nShort\nhook\ns\nsweep\nmid\tlow\n"
                                      "Attacks: 0\n"
                                      "Attacks: 3\nfar\nL\nrise\nU\nfall\nd\n");
    EXPECT_EQ(describe(list), "0: jab/S hook/s sweep/m (2 1 0); 2: far/L rise/U fall/d (0 0 3); ");
    for (char s : {'s', 'S'})
        EXPECT_EQ(drawMany(list, s, "ground"), (Names{"jab", "hook", "sweep"}));
    for (char m : {'m', 'M'})
        EXPECT_EQ(drawMany(list, m, "ground"), Names{"sweep"});
    EXPECT_EQ(drawMany(list, 'l', "ground"), Names{"null"});
    // Up and down entries count as long, so only a long request reaches them.
    for (char r : {'s', 'm', 'u', 'D', 'x'})
        EXPECT_EQ(drawMany(list, r, "aerial"), Names{"null"}) << r;
    EXPECT_EQ(drawMany(list, 'L', "aerial"), (Names{"far", "rise", "fall"}));
    for (const char* other : {"duck", "Ground", ""})
        EXPECT_EQ(drawMany(list, 's', other), Names{"null"}) << other;
}

TEST(AttackList, TracesLoadingAndEachDraw) {
    TempDir dir;
    aiAttackList list = loadText(dir, "Attacks: 2\njab\nS\nsweep\nM\nAttacks: 1\nlob\nL\n");
    std::string name;
    EXPECT_EQ(captureStdout([&] { name = list.getAttack('m', "ground"); }),
              "gNum: 1\n at range m Rand is 1\n");
    EXPECT_EQ(name, "sweep");
    EXPECT_EQ(captureStdout([&] { name = list.getAttack('l', "ground"); }), "");
    EXPECT_EQ(name, "null");

    aiAttackList none;
    EXPECT_EQ(captureStdout([&] { none.getList(dir / "nowhere"); }),
              "ERROR opening file " + dir.path() + "/nowhere/attack\n\n");
    for (char r : {'s', 'm', 'l'})
        EXPECT_EQ(drawMany(none, r, "ground"), Names{"null"});
}

// A draw picks by position from the counts, never by letter, and never reads past the
// entries a group holds, whatever the counts say.
TEST(AttackList, DrawsOnlyPositionsThatExist) {
    TempDir dir;
    aiAttackList list = loadText(dir, "Attacks: 2\nodd\nX\njab\nS\n");
    EXPECT_EQ(describe(list), "0: odd/X jab/S (1 0 0); ");
    EXPECT_EQ(drawMany(list, 's', "ground"), Names{"odd"});

    list.numbers[0].shortCount = 5;
    EXPECT_EQ(drawMany(list, 's', "ground"), (Names{"odd", "jab", "null"}));
    for (int n : {0, -1, INT_MIN})
        EXPECT_EQ(g_randomNumber.getNumber(n), 0) << n;
    aiAttackNumbers absurd;
    absurd.shortCount = absurd.midCount = absurd.longCount = absurd.downCount = INT_MAX;
    absurd.upCount = -7;
    captureStdout([&] {
        for (char r : {'s', 'm', 'l', 'u', 'd'})
            EXPECT_EQ(list.getAttack(r, {}, absurd), "null");
    });
}

TEST(AttackList, HostileAttackFiles) {
    TempDir dir;
    const std::string longName(200, 'n');
    const std::pair<std::string, std::string> cases[] = {
        {"Attacks: 2\r\njab\r\nS\r\nkick  hard\r\nM\r\n", "0: jab/S kick/M (1 1 0); "},
        {"Attacks:1\n  jab\n  s\n", "0: jab/s (1 0 0); "},
        {"Attacks: 1\n" + longName + "\nS\n", "0: " + longName.substr(0, 79) + "/S (1 0 0); "},
        {"Attacks: 2\n\nS\nkick\n   \n", "0: /S kick/  (1 0 0); "},
        // A header that does not match uses up its line: the next line is the next header.
        {"Attacks: -3\njab\nS\nAttacks: 1\nkick\nM\n", "3: kick/M (0 1 0); "},
        {"Attacks: many\nAttacks:\n Attacks: 1\nattacks: 1\nAttacks: 1\nkick\nM\n",
         "4: kick/M (0 1 0); "},
        // An early end keeps what was read and makes no entry without its range line;
        // a huge count allocates nothing beyond the lines there.
        {"Attacks: 2000000000\njab\nS\nkick\n", "0: jab/S (1 0 0); "},
        {"Attacks: 1\njab\nS\nAttacks: 3\nkick\nM\n", "0: jab/S (1 0 0); 1: kick/M (0 1 0); "},
        {"", ""},
    };
    for (const auto& [text, groups] : cases)
        EXPECT_EQ(describe(loadText(dir, text)), groups) << text;
}

// A name the moveset lacks makes the game start its first move instead: the checker gets
// every such entry, the game one line naming the file, line and move, and the opponent a
// way to tell them apart. The trace on standard output stays as it was.
TEST(AttackList, EntriesNamingNoMoveAreMarkedAndNamed) {
    TempDir dir;
    aiAttackList list = loadText(dir, "Attacks: 2\njab\nS\nkik\nS\nAttacks: 0\n"
                                      "Attacks: 1\nswep\nS\nAttacks: 0\nAttacks: 0\nAttacks: 0\n");
    moveSet moves;
    moves.folder = dir / "Hero/";
    for (const char* name : {"hit1", "jab"})
        moves.moves.emplace_back().name = name;
    loadReport report;
    list.checkMoves(moves, &report);
    EXPECT_EQ(report.sortedLines(),
              (std::vector<std::string>{
                  dir / "attack:4: error: no move \"kik\" in Hero/moveset; the opponent would play "
                        "the first move in its place — fix the name or add the move",
                  dir / "attack:8: error: no move \"swep\" in Hero/moveset; the opponent would "
                        "play the first move in its place — fix the name or add the move"}));
    EXPECT_TRUE(list.known("jab"));
    EXPECT_FALSE(list.known("kik"));
    EXPECT_FALSE(list.known("swep"));

    aiAttackList game = loadText(dir, "Attacks: 2\njab\nS\nkik\nS\nAttacks: 0\n"
                                      "Attacks: 1\nswep\nS\nAttacks: 0\nAttacks: 0\nAttacks: 0\n");
    std::string said;
    EXPECT_EQ(captureStdout([&] { said = captureStderr([&] { game.checkMoves(moves); }); }), "");
    EXPECT_EQ(said, "brawler: warning: " + dir / "attack:4: no move \"kik\" in Hero/moveset; the "
                                                 "opponent would play the first move in its place "
                                                 "— fix the name or add the move\n");
    EXPECT_FALSE(game.known("kik"));
}
