#include "particles/particleInfo.h"

#include <cstdio>

#include "sprite/textLine.h"

namespace {

// Longest word kept from a list line; longer words are cut, never overflow.
constexpr size_t kMaxWordLength = 79;

// Reads the next line's first number into value; a line that is missing or does not
// start with a number leaves it as it was.
void readNumberLine(FILE* f, int& value, int& lineNumber) {
    std::string line;
    textline::readLine(f, line, lineNumber);
    textline::scanInts(line, {&value});
}

bool readFlagLine(FILE* f, int& lineNumber) {
    int value = 0;
    readNumberLine(f, value, lineNumber);
    return value == 1;
}

// One event block: its count line, then that many entries kept whole. A count larger
// than what the file holds keeps the entries that are there, and the count says so.
void readEventBlock(FILE* f, int& count, std::vector<std::string>& entries, int& lineNumber) {
    readNumberLine(f, count, lineNumber);
    entries.clear();
    std::string line;
    for (int i = 0; i < count; ++i) {
        if (!textline::readLine(f, line, lineNumber))
            break;
        entries.push_back(line);
    }
    if (count > 0)
        count = static_cast<int>(entries.size());
}

} // namespace

bool particleInfo::initS(const std::string& entry, SDL_Surface* target) {
    screen = target;
    sheet = std::make_unique<CSpriteBase>();
    std::vector<std::string> bits = textline::words(entry, 3);
    for (size_t i = 0; i < bits.size(); ++i) {
        bits[i] = bits[i].substr(0, kMaxWordLength);
        printf("BIT[%d]: %s\n", static_cast<int>(i), bits[i].c_str());
    }
    // An entry that is only the prefix names no folder of its own; the prefix is then
    // the folder, and loading it reports what is missing.
    std::string folder = bits.empty() ? std::string() : bits[0];
    sheet->initR(folder);
    listNumber = 0;
    if (bits.size() > 1)
        textline::scanInts(bits[1], {&listNumber});
    bool read = ParticleInfo(folder);
    printf(read ? "GOOD SHIT\n" : "FAIL PARTICLE\n");
    return read;
}

bool particleInfo::ParticleInfo(const std::string& folder) {
    definitionFile = folder + "/particle";
    FILE* f = textline::openDescription(definitionFile);
    if (!f)
        return false;
    int lineNumber = 0;
    readNumberLine(f, alpha, lineNumber);
    readNumberLine(f, lifetime, lineNumber);
    hasGravity = readFlagLine(f, lineNumber);
    spareFlag1 = readFlagLine(f, lineNumber);
    spareFlag2 = readFlagLine(f, lineNumber);
    readEventBlock(f, deathCount, deathParts, lineNumber);
    readEventBlock(f, hitPlayerCount, hitPlayerParts, lineNumber);
    readEventBlock(f, hitEnemyCount, hitEnemyParts, lineNumber);
    readEventBlock(f, hitTargetCount, hitTargetParts, lineNumber);
    readEventBlock(f, hitAllyCount, hitAllyParts, lineNumber);
    fclose(f);
    if (sheet)
        sheet->alphaAll(alpha);
    return true;
}
