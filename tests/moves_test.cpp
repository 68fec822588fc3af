#include "moves/moveSet.h"

#include <gtest/gtest.h>

#include "fighter/fighter.h"
#include "moves/condition.h"
#include "moves/hitRef.h"
#include "moves/target.h"
#include "tests/fighterData.h"
#include "tests/testSupport.h"

using namespace testsupport;

namespace {

// A move set built in memory, for the lookups that need no sheets.
void addMove(moveSet& set, const std::string& name, const std::string& command) {
    set.moves.emplace_back();
    set.moves.back().name = name;
    set.moves.back().command = command;
    set.moveCount = static_cast<int>(set.moves.size());
}

std::vector<std::string> namesOf(moveListNode* head) {
    std::vector<std::string> names;
    for (moveListNode* n = head; n; n = n->next)
        names.push_back(n->move->name);
    deleteMoveList(head);
    return names;
}

} // namespace

TEST(MoveSet, HostileMovesetFiles) {
    TempDir dir;
    const std::string block = "jab\nA\n1\nt\n2\n0\nt\n3\n0\n0\nground = true\n";
    auto load = [&](const std::string& text) {
        writeFile(dir / "moveset", text);
        auto set = std::make_unique<moveSet>();
        captureStdout([&] { set->loadAll(dir.path()); });
        return set;
    };
    for (const char* end : {"\r\n", "\n\r"}) {
        std::string text = "ANIMS: 1\n" + block;
        for (size_t at = 0; (at = text.find('\n', at)) != std::string::npos; at += 2)
            text.replace(at, 1, end);
        auto set = load(text);
        ASSERT_EQ(set->moveCount, 1) << "line end " << (end[0] == '\r' ? "CRLF" : "LFCR");
        EXPECT_EQ(set->moves[0].name + set->moves[0].command, "jabA");
        EXPECT_EQ(set->moves[0].auxInt3, 3);
        EXPECT_EQ(set->moves[0].condition, "ground = true");
    }
    {
        auto set = load("ANIMS: 9\n" + block + "kick\nB\n4\n"); // last block cut short
        ASSERT_EQ(set->moveCount, 2);
        EXPECT_EQ(set->moves.size(), 2u);
        EXPECT_EQ(set->moves[1].auxInt1, 4);
        EXPECT_EQ(set->moves[1].condition, "");
    }
    EXPECT_EQ(load("ANIMS: 2147483647\n" + block)->moveCount, 1);
    for (const char* header : {"ANIMS: -1\n", "ANIMS: lots\n", "MOVES: 1\n", ""}) {
        auto set = load(header + block);
        EXPECT_EQ(set->moveCount, 0) << header;
        EXPECT_EQ(set->returnMove("jab"), nullptr);
        EXPECT_EQ(set->returnAnimation("jab"), nullptr);
        EXPECT_EQ(captureStdout([&] { EXPECT_EQ(set->returnMoveList("A"), nullptr); }),
                  "lets make a list, total is : 0\n");
    }
    {
        std::string w(150, 'w');
        auto set = load("ANIMS: 1\n" + w + " x\n" + w + "A\nseven\n" + w + "\n2\n0\n" + w +
                        "\n3\n0\n0\n  spaced   out  \n");
        ASSERT_EQ(set->moveCount, 1);
        const moveInfo& m = set->moves[0];
        EXPECT_EQ(m.name, std::string(79, 'w'));
        EXPECT_EQ(m.command.size() + m.auxText1.size() + m.auxText2.size(), 3 * 79u);
        EXPECT_EQ(m.auxInt1, 0) << "a bad number leaves the field as it was";
        EXPECT_EQ(m.condition, "  spaced   out  ");
    }
    moveSet none;
    EXPECT_EQ(captureStdout([&] { none.loadAll(dir / "nobody"); }),
              "ERROR opening file " + dir.path() + "/nobody/moveset\n\n");
    EXPECT_EQ(none.returnMove("hit1"), nullptr);
}

TEST(MoveSet, LookupFallbackAndButtonLists) {
    moveSet set;
    for (auto [name, command] : {std::pair{"jab", "A"},
                                 {"upper", "DRB"},
                                 {"kick", "B"},
                                 {"heavy", "C"},
                                 {"blockLo", "D"},
                                 {"empty", ""}})
        addMove(set, name, command);
    captureStdout([&] {
        EXPECT_EQ(set.returnMove("hit1"), &set.moves[0]);
        EXPECT_EQ(set.returnMove("kick"), &set.moves[2]);
        EXPECT_EQ(set.returnMove("Kick"), &set.moves[0]);
    });

    moveListNode* b = nullptr;
    captureStdout([&] { b = set.returnMoveList("B"); });
    EXPECT_EQ(b->move, &set.moves[1]);
    EXPECT_EQ(namesOf(b), (std::vector<std::string>{"upper", "kick"}));
    captureStdout([&] {
        EXPECT_EQ(namesOf(set.returnMoveList("C")), std::vector<std::string>{"heavy"});
        EXPECT_EQ(set.returnMoveList(""), nullptr);
    });
}

TEST(Condition, GroundRuleFollowsTheThirdWordOfTheFirstThree) {
    Fighter standing, jumping;
    standing.onGround = true;
    struct Case {
        const char* text;
        bool onGround, inAir;
    } cases[] = {
        {"ground = true", true, false},
        {"ground = false", false, true},
        {"ground", false, true},
        {"ground is TRUE", false, true},
        {" ground\t= true \r\n", true, false},
        {"ground = true and more", true, false},
        {"ground = false true", false, true},
        {"air = true", false, false},
        {"Ground = true", false, false},
        {"", false, false},
        {"    ", false, false},
    };
    Condition cond;
    captureStdout([&] {
        for (const Case& c : cases) {
            EXPECT_EQ(cond.getResult(c.text, &standing, nullptr), c.onGround) << c.text;
            EXPECT_EQ(cond.getResult(c.text, &jumping, nullptr), c.inAir) << c.text;
        }
        EXPECT_FALSE(cond.getResult("ground", nullptr, nullptr));
    });
    Target t;
    EXPECT_EQ(captureStdout([&] { cond.getResult("ground  =  true extra\n", &standing, &t); }),
              "BIT[0]: ground\nBIT[1]: =\nBIT[2]: true\n");
    EXPECT_EQ(cond.fighter, &standing);
    EXPECT_EQ(cond.target, &t);
    captureStdout([&] { cond.getResult("ground", &standing, &t); });
    EXPECT_EQ(cond.words[1] + cond.words[2], "");
}

TEST(HitRef, HitTypeOneGivesHit1InEveryStance) {
    moveSet set;
    addMove(set, "jab", "A");
    addMove(set, "hit1", "N");
    Fighter f;
    captureStdout([&] {
        for (auto [action, onGround] : {std::pair{"walk", true},
                                        {"duck", true},
                                        {"inAir", false},
                                        {"duck", false},
                                        {"Duck", true},
                                        {"ducking", true}}) {
            f.actionName = action;
            f.onGround = onGround;
            EXPECT_EQ(hitRef::hitReference(&set, 1, &f), &set.moves[1]) << action;
            for (int type : {0, 2, -1})
                EXPECT_EQ(hitRef::hitReference(&set, type, &f), nullptr) << action << type;
        }
        set.moves[1].name = "hit2"; // without "hit1" the first move is the reaction
        EXPECT_EQ(hitRef().hitReference(&set, 1, &f), &set.moves[0]);
    });
    moveSet empty;
    EXPECT_EQ(hitRef::hitReference(&empty, 1, &f), nullptr);
    EXPECT_EQ(hitRef::hitReference(nullptr, 1, &f), nullptr);
}
