#include "moves/inputChecker.h"

#include <memory>
#include <sstream>

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

// Which move a burst of presses makes: the newest button picks the list, the first move
// in file order whose command occurs anywhere in the buffered letters wins, presses older
// than 600 ms go (except the newest), conditions count only when not "null", and every
// attempt empties the buffer, match or not.
TEST_F(InputCheckerTest, PressesMakeTheFirstMatchingMoveAndEmptyTheBuffer) {
    struct Case {
        const char* moves; // name:command[:ground] ...
        bool onGround;
        const char* presses; // letter and time
        int now;
        const char* move;
        int left; // presses still buffered after the attempt
    };
    // A row per burst.
    // clang-format off
    const Case cases[] = {
        {"fireball:DRA jab:A", true, "D0 R100 A200", 200, "fireball", 0},
        {"jab:A fireball:DRA", true, "D0 R100 A200", 200, "jab", 0}, // a shorter command listed first shadows the longer
        {"fireball:DRA dashPunch:DA jab:A", true, "D0 A700", 700, "jab", 0},
        {"fireball:DRA dashPunch:DA jab:A", true, "D0 A600", 600, "dashPunch", 0}, // exactly 600 ms old stays
        {"fireball:DRA", true, "D0", 5000, "(none)", 1}, // without a button nothing is attempted
        {"fireball:DRA", true, "D0 R100 U150", 9000, "(none)", 1}, // the newest stays however old
        {"fireball:DRA", true, "R0 A10", 10, "(none)", 0},
        {"fireball:DRA", true, "C30", 30, "(none)", 0}, // a button whose list is empty
        {"jab:A rising:DRB kick:B heavy:C", true, "B0 R0", 0, "kick", 0},
        {"jab:A rising:DRB kick:B heavy:C", true, "A0 C5 U5", 5, "heavy", 0},
        {"groundFireball:DRA:ground jabAir:DRA:air jab:A", false, "D0 R10 A20", 20, "jabAir", 0},
        {"groundFireball:DRA:ground jabAir:DRA:air jab:A", true, "D0 R10 A20", 20, "groundFireball", 0},
        {"groundFireball:DRA:ground jab:A", false, "A30", 30, "jab", 0},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.moves) + " / " + c.presses);
        moves.moves.clear();
        built.reset();
        std::istringstream list(c.moves);
        for (std::string m; list >> m;) {
            size_t colon = m.find(':'), second = m.find(':', colon + 1);
            std::string where = second == m.npos ? "" : m.substr(second + 1);
            add(m.substr(0, colon), m.substr(colon + 1, second - colon - 1),
                where.empty()       ? "null"
                : where == "ground" ? "ground = true"
                                    : "ground = false");
        }
        fighter.onGround = c.onGround;
        press(c.presses);
        std::string trace;
        EXPECT_EQ(update(c.now, &trace), c.move);
        EXPECT_EQ(checker().inputCount, c.left);
        EXPECT_EQ(trace.find("Condition much!") != std::string::npos,
                  std::string(c.moves).find(":ground") != std::string::npos &&
                      std::string(c.move) != "jab")
            << trace;
    }
}
