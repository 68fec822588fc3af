#include "particles/partInfoList.h"

#include <cctype>
#include <cstdio>

#include "datafile/loadReport.h"
#include "datafile/textLine.h"
#include "platform/traceLog.h"

namespace {

// Longest definition name kept; longer names are cut, never overflow.
constexpr size_t kMaxNameLength = 79;

} // namespace

partInfoList::~partInfoList() {
    while (head) {
        partInfoNode* next = head->next;
        delete head;
        head = next;
    }
}

int partInfoList::addList(const std::string& listName, SDL_Surface* screen,
                          const std::string& dataRoot, loadReport* report) {
    std::string prefix = dataRoot + "/particle/";
    std::string path = prefix + listName;
    FILE* f = textline::openDescription(path, report);
    if (!f)
        return -1;
    int lineNumber = 0;
    std::string line;
    int announced = textline::readHeader(f, line, lineNumber, "PARTS:", 0, report, path);
    int read = 0;
    // Definitions are made as lines arrive: a count larger than the file (or negative)
    // never makes definitions the file does not hold.
    for (int i = 0; i < announced; ++i) {
        if (!textline::readLine(f, line, lineNumber, report, path))
            break;
        ++read;
        tracef("New Particle: %s\n", line.c_str());
        std::string entry = prefix + line;
        auto* node = new partInfoNode;
        if (!head)
            tracef("\n\nAdding particle\n");
        else
            tracef("adding another particle\n");
        node->info.initS(entry, screen, report);
        node->next = head;
        head = node;
        head->name = textline::firstWord(line, kMaxNameLength, report, path, lineNumber,
                                         "the particle name");
        head->line = lineNumber;
        if (head->name.empty() || std::isspace(static_cast<unsigned char>(line[0])))
            textline::note(report, true, path, lineNumber,
                           "the line does not start with a particle name — write the name of "
                           "the particle's folder first, then its list number");
    }
    fclose(f);
    textline::checkCount(announced, read, report, path, 1, "particle lines");
    return 1;
}

particleInfo* partInfoList::findParticle(const std::string& name) {
    for (partInfoNode* node = head; node; node = node->next) {
        if (node->name == name) {
            tracef("success!\n");
            return &node->info;
        }
    }
    tracef("not success\n");
    return nullptr;
}

int partInfoList::size() const {
    int n = 0;
    for (const partInfoNode* node = head; node; node = node->next)
        ++n;
    return n;
}
