#include "moves/attackHeight.h"

#include <fstream>
#include <sstream>

#include "datafile/loadReport.h"
#include "moves/moveSet.h"

namespace {

const char* const kNames[] = {"high", "mid", "low", "overhead"};

moveInfo* moveCalled(moveSet& set, const std::string& name) {
    for (moveInfo& m : set.moves)
        if (m.name == name)
            return &m;
    return nullptr;
}

} // namespace

const char* heightName(attackHeight h) {
    return kNames[static_cast<int>(h)];
}

bool heightNamed(const std::string& word, attackHeight& out) {
    for (int i = 0; i < 4; ++i)
        if (word == kNames[i]) {
            out = static_cast<attackHeight>(i);
            return true;
        }
    return false;
}

bool guardStops(attackHeight h, bool crouching) {
    if (h == attackHeight::low)
        return crouching;
    if (h == attackHeight::overhead)
        return !crouching;
    return true;
}

bool specialCommand(const std::string& command) {
    int directions = 0;
    for (char c : command)
        directions += c == 'U' || c == 'D' || c == 'L' || c == 'R';
    return directions >= 2;
}

std::vector<std::string> readHeights(moveSet& set, const std::string& folder, loadReport* report) {
    std::vector<std::string> problems;
    for (moveInfo& m : set.moves)
        m.height = attackHeight::mid;
    std::string path = folder + "/heights";
    std::ifstream in(path);
    if (!in)
        return problems;
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
        text = text.substr(0, text.find('#'));
        std::istringstream words(text);
        std::string name, height, more;
        if (!(words >> name))
            continue;
        auto skip = [&](const std::string& what) {
            problems.push_back(path + ":" + std::to_string(line) + ": " + what);
            if (report)
                report->warning(path, line, what);
        };
        attackHeight h = attackHeight::mid;
        if (!(words >> height) || (words >> more) || !heightNamed(height, h)) {
            skip("expected a move and one of high, mid, low or overhead, found \"" + text +
                 "\"; the line is skipped and the move stays mid — write the move's name, a "
                 "space and its height");
            continue;
        }
        moveInfo* move = moveCalled(set, name);
        if (!move) {
            skip("no move \"" + name +
                 "\" in the moveset; the line is skipped — name a move "
                 "of the moveset");
            continue;
        }
        move->height = h;
    }
    return problems;
}
