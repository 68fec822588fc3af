#include "moves/inputChecker.h"

#include <memory>

#include <gtest/gtest.h>

#include "fighter/fighter.h"
#include "moves/moveSet.h"
#include "tests/testSupport.h"

using testsupport::captureStdout;

namespace {

class InputCheckerTest : public ::testing::Test {
protected:
    // Moves go in before the first press: the checker sees only those present when it
    // is built.
    void add(const std::string& name, const std::string& command,
             const std::string& condition = "null") {
        moves.moves.emplace_back();
        moves.moves.back().name = name;
        moves.moves.back().command = command;
        moves.moves.back().condition = condition;
        moves.moveCount = static_cast<int>(moves.moves.size());
    }
    inputChecker& checker() {
        if (!built)
            captureStdout([&] { built = std::make_unique<inputChecker>(&moves, &fighter); });
        return *built;
    }
    // Presses given as "D0 R100 A200": a key letter and its time.
    void press(const std::string& presses) {
        for (size_t at = 0; at < presses.size();) {
            size_t end = presses.find(' ', at);
            std::string one = presses.substr(at, end == std::string::npos ? end : end - at);
            checker().acceptInput(inputKeys{std::stoi(one.substr(1)), one[0], "walk", nullptr});
            at = end == std::string::npos ? presses.size() : end + 1;
        }
    }
    // The name of the move update(now) returns, and its trace.
    std::string update(int now, std::string* trace = nullptr) {
        moveInfo* found = nullptr;
        std::string out = captureStdout([&] { found = checker().update(now); });
        if (trace)
            *trace = out;
        return found ? found->name : "(none)";
    }

    moveSet moves;
    Fighter fighter;
    std::unique_ptr<inputChecker> built;
};

} // namespace

TEST_F(InputCheckerTest, FirstMoveInFileOrderWhoseCommandOccursWins) {
    add("fireball", "DRA");
    add("jab", "A");
    std::string trace;
    press("D0 R100 A200");
    EXPECT_EQ(update(200, &trace), "fireball");
    EXPECT_EQ(trace, "Not empty, lucky!\nsearched DRA|| Against DRA\nFound a move!\n"
                     "Have Move - fireball!\nDELETING HAHAHAHA\n");
    EXPECT_EQ(checker().inputCount, 0);
    EXPECT_EQ(checker().inputs, nullptr);

    InputCheckerTest::moves.moves.clear();
    built.reset();
    add("jab", "A");
    add("fireball", "DRA");
    press("D0 R100 A200");
    EXPECT_EQ(update(200), "jab") << "a shorter command listed first shadows the longer";
}

TEST_F(InputCheckerTest, PressesExpireAfterSixHundredMillisecondsExceptTheNewest) {
    add("fireball", "DRA");
    add("dashPunch", "DA");
    add("jab", "A");
    std::string trace;
    press("D0 A700");
    EXPECT_EQ(update(700, &trace), "jab");
    EXPECT_EQ(trace.find("Lets try deleting!\n"), 0u) << trace;
    EXPECT_NE(trace.find("searched DRA|| Against A\n"), std::string::npos) << trace;

    press("D0 A600");
    EXPECT_EQ(update(600, &trace), "dashPunch") << "exactly 600 ms old stays";
    EXPECT_EQ(trace.find("Lets try deleting!"), std::string::npos);

    press("D0");
    EXPECT_EQ(update(5000, &trace), "(none)");
    EXPECT_EQ(trace, "") << "without a button nothing is attempted";
    EXPECT_EQ(checker().inputCount, 1);
    press("R100 U150");
    EXPECT_EQ(update(9000, &trace), "(none)");
    EXPECT_EQ(trace, "Lets try deleting!\nLets try deleting!\n");
    ASSERT_EQ(checker().inputCount, 1);
    EXPECT_EQ(checker().inputs->key, 'U');
}

TEST_F(InputCheckerTest, EveryAttemptEmptiesTheBufferEvenWithoutAMatch) {
    add("fireball", "DRA");
    std::string trace;
    press("R0 A10");
    EXPECT_EQ(update(10, &trace), "(none)");
    EXPECT_EQ(trace, "Not empty, lucky!\nsearched DRA|| Against RA\nNext -> \n"
                     "DELETING HAHAHAHA\nGot nothing\n");
    EXPECT_EQ(checker().inputCount, 0);
    EXPECT_EQ(update(20, &trace), "(none)");
    EXPECT_EQ(trace, "");
    press("C30"); // a button whose list is empty
    EXPECT_EQ(update(30, &trace), "(none)");
    EXPECT_EQ(trace, "DELETING HAHAHAHA\nGot nothing\n");
    EXPECT_EQ(checker().inputCount, 0);
}

TEST_F(InputCheckerTest, TheNewestButtonPicksTheListAndLaterLettersStay) {
    add("jab", "A");
    add("rising", "DRB");
    add("kick", "B");
    add("heavy", "C");
    std::string trace;
    press("B0 R0");
    EXPECT_EQ(update(0, &trace), "kick");
    EXPECT_EQ(trace.find("Ready are we? with B\nNot empty, lucky!\nsearched DRB|| Against BR\n"
                         "Next -> \n"),
              0u)
        << trace;
    press("A0 C5 U5");
    EXPECT_EQ(update(5, &trace), "heavy");
    EXPECT_NE(trace.find("Against ACU\n"), std::string::npos) << trace;
}

TEST_F(InputCheckerTest, ConditionsAreEvaluatedOnlyWhenNotNull) {
    add("groundFireball", "DRA", "ground = true");
    add("airFireball", "DRA", "ground = false");
    add("jab", "A");
    std::string trace;
    fighter.onGround = false;
    press("D0 R10 A20");
    EXPECT_EQ(update(20, &trace), "airFireball");
    EXPECT_NE(trace.find("Found a move!\nCondition much!\nBIT[0]: ground\nBIT[1]: =\n"
                         "BIT[2]: true\nNext -> \n"),
              std::string::npos)
        << trace;
    fighter.onGround = true;
    press("D0 R10 A20");
    EXPECT_EQ(update(20), "groundFireball");
    press("A30");
    EXPECT_EQ(update(30, &trace), "jab");
    EXPECT_EQ(trace.find("Condition much!"), std::string::npos);
    EXPECT_EQ(trace.find("BIT["), std::string::npos);
}

TEST_F(InputCheckerTest, ListsAndBufferPrintouts) {
    add("jab", "A");
    add("rising", "DRB");
    add("kick", "B");
    add("blockHi", "N");
    std::unique_ptr<inputChecker> c;
    std::string out = captureStdout([&] { c = std::make_unique<inputChecker>(&moves, &fighter); });
    EXPECT_EQ(out.find("Lets start this up\nA LIST TIME!!!\n"), 0u) << out;
    EXPECT_NE(out.find("B LIST TIME!!!\n"), std::string::npos);
    EXPECT_NE(out.find("C LIST TIME!!!\n"), std::string::npos);
    EXPECT_EQ(c->listC, nullptr);
    EXPECT_EQ(c->target, nullptr);
    EXPECT_EQ(captureStdout([&] { c->printB(); }),
              "====================\nB LIST\n====================\nMove: rising\nMove: kick\n");
    c->acceptInput(inputKeys{40, 'D', "duck", nullptr});
    c->acceptInput(inputKeys{45, 'L', "walk", nullptr});
    EXPECT_EQ(c->inputCount, 2);
    EXPECT_EQ(captureStdout([&] { c->print(); }), "Printing\nInfo: D 40 duck\nInfo: L 45 walk\n");
    EXPECT_EQ(captureStdout([&] { c->deleteList(); }), "DELETING HAHAHAHA\n");
    EXPECT_EQ(c->inputCount, 0);
    EXPECT_EQ(c->inputs, nullptr);

    add("late", "C"); // after the lists were built: never seen
    c->acceptInput(inputKeys{50, 'C', "walk", nullptr});
    moveInfo* found = nullptr;
    captureStdout([&] { found = c->update(50); });
    EXPECT_EQ(found, nullptr);
}
