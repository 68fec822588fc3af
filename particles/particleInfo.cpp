#include "particles/particleInfo.h"

#include <cstdio>

#include "datafile/loadReport.h"
#include "datafile/textLine.h"
#include "platform/traceLog.h"

namespace {

// Longest word kept from a list line; longer words are cut, never overflow.
constexpr size_t kMaxWordLength = 79;

// Reads the next line's first number into value; a line that is missing or does not
// start with a number leaves it as it was.
void readNumberLine(FILE* f, int& value, int& lineNumber, loadReport* report,
                    const std::string& path, const char* what) {
    std::string line;
    if (!textline::readLine(f, line, lineNumber, report, path)) {
        textline::note(report, true, path, lineNumber,
                       std::string("the file ends here, before the line with ") + what +
                           " — add the missing lines (each of the five events needs its "
                           "count line, 0 for none)");
        return;
    }
    textline::checkNumbers(textline::scanInts(line, {&value}), 1, report, path, lineNumber, what);
    textline::checkLoneNumber(line, report, path, lineNumber, what);
}

bool readFlagLine(FILE* f, int& lineNumber, loadReport* report, const std::string& path) {
    int value = 0;
    readNumberLine(f, value, lineNumber, report, path, "a flag, 1 for on");
    return value == 1;
}

// One event block: its count line, then that many entries kept whole. A count larger
// than what the file holds keeps the entries that are there, and the count says so.
void readEventBlock(FILE* f, int& count, std::vector<std::string>& entries, int& lineNumber,
                    loadReport* report, const std::string& path) {
    readNumberLine(f, count, lineNumber, report, path, "an event's entry count");
    int countLine = lineNumber;
    entries.clear();
    std::string line;
    for (int i = 0; i < count; ++i) {
        if (!textline::readLine(f, line, lineNumber, report, path))
            break;
        entries.push_back(line);
    }
    textline::checkCount(count, static_cast<int>(entries.size()), report, path, countLine,
                         "spawn lines");
    if (count > 0)
        count = static_cast<int>(entries.size());
}

} // namespace

bool particleInfo::initS(const std::string& entry, SDL_Surface* target, loadReport* report) {
    screen = target;
    sheet = std::make_unique<CSpriteBase>();
    std::vector<std::string> bits = textline::words(entry, 3);
    for (size_t i = 0; i < bits.size(); ++i) {
        bits[i] = bits[i].substr(0, kMaxWordLength);
        tracef("BIT[%d]: %s\n", static_cast<int>(i), bits[i].c_str());
    }
    // An entry that is only the prefix names no folder of its own; the prefix is then
    // the folder, and loading it reports what is missing.
    std::string folder = bits.empty() ? std::string() : bits[0];
    if (report)
        sheet->init(folder, report);
    else
        sheet->initR(folder);
    listNumber = 0;
    if (bits.size() > 1)
        textline::scanInts(bits[1], {&listNumber});
    bool read = ParticleInfo(folder, report);
    tracef(read ? "GOOD SHIT\n" : "FAIL PARTICLE\n");
    return read;
}

bool particleInfo::ParticleInfo(const std::string& folder, loadReport* report) {
    definitionFile = folder + "/particle";
    const std::string& path = definitionFile;
    FILE* f = textline::openDescription(path, report);
    if (!f)
        return false;
    int lineNumber = 0;
    readNumberLine(f, alpha, lineNumber, report, path, "alpha");
    readNumberLine(f, lifetime, lineNumber, report, path, "lifetime in milliseconds");
    hasGravity = readFlagLine(f, lineNumber, report, path);
    spareFlag1 = readFlagLine(f, lineNumber, report, path);
    spareFlag2 = readFlagLine(f, lineNumber, report, path);
    readEventBlock(f, deathCount, deathParts, lineNumber, report, path);
    readEventBlock(f, hitPlayerCount, hitPlayerParts, lineNumber, report, path);
    readEventBlock(f, hitEnemyCount, hitEnemyParts, lineNumber, report, path);
    readEventBlock(f, hitTargetCount, hitTargetParts, lineNumber, report, path);
    readEventBlock(f, hitAllyCount, hitAllyParts, lineNumber, report, path);
    fclose(f);
    if (sheet)
        sheet->alphaAll(alpha);
    return true;
}
