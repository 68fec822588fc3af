#include "fighter/animationSet.h"

#include <cstdio>

#include "datafile/loadReport.h"
#include "datafile/textLine.h"

namespace {

// Longest animation name kept; longer names are cut, never overflow.
constexpr size_t kMaxNameLength = 95;

} // namespace

int animationSet::loadAll(const std::string& characterFolder, loadReport* report) {
    folder = characterFolder;
    std::string path = folder + "/info";
    FILE* f = textline::openDescription(path, report);
    if (!f)
        return 1;
    entries.clear();
    entryCount = 0;

    int lineNumber = 0;
    std::string line;
    int announced = textline::readHeader(f, line, lineNumber, "ANIMS:", 0, report, path);

    // Entries grow as lines arrive, so a count that is negative or far larger than
    // the file never allocates anything the file does not hold.
    for (int i = 0; i < announced; ++i) {
        if (!textline::readLine(f, line, lineNumber, report, path))
            break;
        std::string name = textline::firstWord(line, kMaxNameLength, report, path, lineNumber,
                                               "the animation name");
        if (name.empty())
            textline::note(report, true, path, lineNumber,
                           "no animation name on this line — write the name of the "
                           "animation's folder");
        printf("holy diver: %s\n", name.c_str());
        entries.emplace_back();
        entryCount = static_cast<int>(entries.size());
        loadAnim(i, name, report);
        printf("ACTION COMMANDO\n");
    }
    fclose(f);
    textline::checkCount(announced, entryCount, report, path, 1, "animations");
    return 1;
}

void animationSet::loadAnim(int i, const std::string& name, loadReport* report) {
    if (i < 0 || i >= static_cast<int>(entries.size()))
        return;
    entries[i].name = name;
    loadNamedSheet(folder, name, entries[i].sheet, report);
}

CSpriteBase* animationSet::returnAnimation(const std::string& name) {
    if (entries.empty())
        return nullptr;
    return &entries[find(name)].sheet;
}

int animationSet::find(const std::string& name) const {
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].name == name)
            return static_cast<int>(i);
    return 0;
}
