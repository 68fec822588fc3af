#include "ai/aiAttackList.h"

#include <algorithm>
#include <climits>
#include <filesystem>

#include "ai/randomNumber.h"
#include "datafile/loadReport.h"
#include "datafile/textLine.h"
#include "moves/moveSet.h"
#include "platform/traceLog.h"

namespace {

// Longest move name kept; longer names are cut, never overflow.
constexpr size_t kMaxNameLength = 79;

// Counts are public and may be set by hand, so band sums are taken in a wider type and
// a band that is empty or wider than an int still draws a number in range.
long long drawIn(long long width) {
    if (width < 1)
        return 0;
    return g_randomNumber.getNumber(width > INT_MAX ? INT_MAX : static_cast<int>(width));
}

} // namespace

void aiAttackNumbers::addNum(char letter) {
    switch (letter) {
    case 'S':
    case 's':
        ++shortCount;
        break;
    case 'M':
    case 'm':
        ++midCount;
        break;
    // Up and down attacks share the long block: the opponent never asks for them apart.
    case 'L':
    case 'l':
    case 'D':
    case 'd':
    case 'U':
    case 'u':
        ++longCount;
        break;
    default:
        break;
    }
}

void aiAttackList::getList(const std::string& folder, loadReport* problems) {
    path = folder + "/attack";
    report = problems;
    FILE* f = textline::openDescription(path, report);
    if (!f) {
        report = nullptr;
        return;
    }
    lineNumber = 0;
    for (int g = 0; g < kGroupCount; ++g) {
        groups[g].clear();
        numbers[g] = aiAttackNumbers();
    }

    for (int g = 0; g < kGroupCount; ++g) {
        // A header that does not match is used up all the same, so the next line is
        // read as the next group's header.
        int announced = getNumberOfAttacks(f);
        if (announced < 1)
            continue;
        addAttack(groups[g], numbers[g], f, announced);
        if (!groups[g].empty())
            tracef("\tAttack 0: %s\tRange: %c\n", groups[g][0].name.c_str(), groups[g][0].range);
    }
    fclose(f);
    report = nullptr;
}

void aiAttackList::checkMoves(const moveSet& moves, loadReport* problems) {
    // The names are compared here, not through moveSet::find, which traces every
    // comparison.
    std::filesystem::path folder(moves.folder);
    if (!folder.has_filename())
        folder = folder.parent_path();
    const std::string moveset = folder.filename().string() + "/moveset";
    for (std::vector<aiAttack>& group : groups)
        for (aiAttack& a : group) {
            a.known = std::any_of(moves.moves.begin(), moves.moves.end(),
                                  [&](const moveInfo& m) { return m.name == a.name; });
            if (!a.known)
                textline::note(problems, true, path, a.line,
                               "no move \"" + a.name + "\" in " + moveset +
                                   "; the opponent would play the first move in its place — "
                                   "fix the name or add the move");
        }
}

bool aiAttackList::known(const std::string& name) const {
    for (const std::vector<aiAttack>& group : groups)
        for (const aiAttack& a : group)
            if (a.name == name && !a.known)
                return false;
    return true;
}

int aiAttackList::getNumberOfAttacks(FILE* f) {
    std::string line;
    if (!textline::readLine(f, line, lineNumber, report, path)) {
        textline::note(report, true, path, lineNumber,
                       "the file ends before all six groups — add an \"Attacks: 0\" line "
                       "for each missing group");
        return 0;
    }
    textline::checkHeader(line, "Attacks:", report, path, lineNumber);
    return textline::headerCount(line, "Attacks:", 0);
}

void aiAttackList::addAttack(std::vector<aiAttack>& entries, aiAttackNumbers& counts, FILE* f,
                             int n) {
    // Entries grow as lines arrive, so a count far beyond the file allocates nothing
    // the file does not hold, and an entry cut off by the end of the file is not made.
    std::string nameLine;
    std::string rangeLine;
    int headerLine = lineNumber;
    int made = 0;
    for (int i = 0; i < n; ++i) {
        if (!textline::readLine(f, nameLine, lineNumber, report, path))
            break;
        int nameAt = lineNumber;
        if (!textline::readLine(f, rangeLine, lineNumber, report, path))
            break;
        ++made;
        aiAttack entry;
        entry.line = nameAt;
        entry.name =
            textline::firstWord(nameLine, kMaxNameLength, report, path, nameAt, "the move name");
        std::string rangeWord = textline::firstWord(rangeLine);
        entry.range = rangeWord.empty() ? ' ' : rangeWord[0];
        counts.addNum(entry.range);
        entries.push_back(entry);
        tracef("\tAttack %d: %s\tRange: %c\n", i, entry.name.c_str(), entry.range);
    }
    textline::checkCount(n, made, report, path, headerLine, "entries of two lines");
}

std::string aiAttackList::getAttack(char range, const std::string& situation) {
    if (situation == "ground")
        return getAttack(range, groups[0], numbers[0]);
    if (situation == "aerial")
        return getAttack(range, groups[2], numbers[2]);
    return "null";
}

std::string aiAttackList::getAttack(char range, const std::vector<aiAttack>& entries,
                                    const aiAttackNumbers& counts) {
    // The bands lie one after another: short, mid, long, then the up and down blocks.
    // A short request may land on a mid entry and a mid request on a long one, never
    // the other way round.
    const long long s = counts.shortCount;
    const long long m = counts.midCount;
    const long long l = counts.longCount;
    const long long u = counts.upCount;
    const long long d = counts.downCount;
    long long needed = 0;
    long long position = 0;
    switch (range) {
    case 'S':
    case 's':
        needed = s;
        if (needed < 1)
            return "null";
        position = drawIn(s + m);
        break;
    case 'M':
    case 'm':
        needed = m;
        if (needed < 1)
            return "null";
        position = s + drawIn(m + l);
        break;
    case 'L':
    case 'l':
        needed = l;
        if (needed < 1)
            return "null";
        position = s + m + drawIn(l);
        break;
    case 'U':
    case 'u':
        needed = u;
        if (needed < 1)
            return "null";
        position = s + m + l + drawIn(u);
        break;
    case 'D':
    case 'd':
        needed = d;
        if (needed < 1)
            return "null";
        position = s + m + l + u + drawIn(d);
        break;
    default:
        return "null";
    }
    tracef("gNum: %lld\n", needed);
    tracef(" at range %c Rand is %lld\n", range, position);
    // Counts that disagree with the entries (set by hand, or letters out of band order)
    // must never read past what the group holds.
    if (position < 0 || position >= static_cast<long long>(entries.size()))
        return "null";
    return entries[position].name;
}
