#include "particles/partInfoList.h"

#include <cstdio>

#include "sprite/textLine.h"

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
                          const std::string& dataRoot) {
    std::string prefix = dataRoot + "/particle/";
    FILE* f = textline::openDescription(prefix + listName);
    if (!f)
        return -1;
    int lineNumber = 0;
    std::string line;
    textline::readLine(f, line, lineNumber);
    int announced = textline::headerCount(line, "PARTS:", 0);
    // Definitions are made as lines arrive: a count larger than the file (or negative)
    // never makes definitions the file does not hold.
    for (int i = 0; i < announced; ++i) {
        if (!textline::readLine(f, line, lineNumber))
            break;
        printf("New Particle: %s\n", line.c_str());
        std::string entry = prefix + line;
        auto* node = new partInfoNode;
        if (!head)
            printf("\n\nAdding particle\n");
        else
            printf("adding another particle\n");
        node->info.initS(entry, screen);
        node->next = head;
        head = node;
        head->name = textline::firstWord(line, kMaxNameLength);
    }
    fclose(f);
    return 1;
}

particleInfo* partInfoList::findParticle(const std::string& name) {
    for (partInfoNode* node = head; node; node = node->next) {
        if (node->name == name) {
            printf("success!\n");
            return &node->info;
        }
    }
    printf("not success\n");
    return nullptr;
}

int partInfoList::size() const {
    int n = 0;
    for (const partInfoNode* node = head; node; node = node->next)
        ++n;
    return n;
}
