#include "moves/moveSet.h"

#include <cstdio>

#include "sprite/textLine.h"

namespace {

// Longest word kept from a block line; longer words are cut, never overflow.
constexpr size_t kMaxWordLength = 79;

std::string readWord(FILE* f, int& lineNumber) {
    std::string line;
    textline::readLine(f, line, lineNumber);
    return textline::firstWord(line, kMaxWordLength);
}

// A number line that does not parse leaves the field as it was.
void readNumber(FILE* f, int& lineNumber, int& field) {
    std::string line;
    textline::readLine(f, line, lineNumber);
    textline::scanInts(line, {&field});
}

// The condition keeps its inner spaces; every CR and LF goes, so "\r\n" and "\n\r"
// line ends leave the same text as "\n".
std::string readCondition(FILE* f, int& lineNumber) {
    std::string line;
    textline::readLine(f, line, lineNumber);
    std::string text;
    for (char c : line)
        if (c != '\r' && c != '\n')
            text += c;
    return text;
}

} // namespace

int moveSet::loadAll(const std::string& characterFolder) {
    folder = characterFolder;
    std::string path = folder + "/moveset";
    FILE* f = textline::openDescription(path);
    if (!f)
        return 1;
    moves.clear();
    moveCount = 0;

    int lineNumber = 0;
    std::string line;
    textline::readLine(f, line, lineNumber);
    int announced = textline::headerCount(line, "ANIMS:", 0);

    // Records grow as blocks arrive, so a count that is negative or larger than the
    // file never allocates moves that are not there. A block cut short by the end of
    // the file keeps what it has; its missing lines leave their fields empty.
    for (int i = 0; i < announced; ++i) {
        if (!textline::readLine(f, line, lineNumber))
            break;
        std::string name = textline::firstWord(line, kMaxWordLength);
        printf("Lets Rock!: %s\n", name.c_str());
        moves.emplace_back();
        moveCount = static_cast<int>(moves.size());
        loadAnim(i, name);
        printf("Loaded!\n");

        moveInfo& m = moves[i];
        m.command = readWord(f, lineNumber);
        printf("Command: %s\n", m.command.c_str());
        readNumber(f, lineNumber, m.auxInt1);
        m.auxText1 = readWord(f, lineNumber);
        readNumber(f, lineNumber, m.auxInt2);
        textline::readLine(f, line, lineNumber);
        m.auxFlag1 = true;
        m.auxText2 = readWord(f, lineNumber);
        readNumber(f, lineNumber, m.auxInt3);
        textline::readLine(f, line, lineNumber);
        m.auxFlag2 = true;
        textline::readLine(f, line, lineNumber);
        m.auxFlag3 = true;
        m.condition = readCondition(f, lineNumber);
        printf("Condition: %s\n", m.condition.c_str());
    }
    fclose(f);
    return 1;
}

void moveSet::loadAnim(int index, const std::string& name) {
    if (index < 0 || index >= static_cast<int>(moves.size()))
        return;
    moves[index].name = name;
    loadNamedSheet(folder, name, moves[index].sheet);
}

int moveSet::find(const std::string& name) const {
    for (size_t i = 0; i < moves.size(); ++i) {
        printf("Comparing %s with %s\n", moves[i].name.c_str(), name.c_str());
        if (moves[i].name == name)
            return static_cast<int>(i);
    }
    return 0;
}

moveInfo* moveSet::returnMove(const std::string& name) {
    if (moves.empty())
        return nullptr;
    return &moves[find(name)];
}

CSpriteBase* moveSet::returnAnimation(const std::string& name) {
    moveInfo* m = returnMove(name);
    return m ? &m->sheet : nullptr;
}

moveListNode* moveSet::returnMoveList(const std::string& button) {
    printf("lets make a list, total is : %d\n", moveCount);
    moveListNode* head = nullptr;
    moveListNode* tail = nullptr;
    for (moveInfo& m : moves) {
        printf("check move %s %s\n", m.name.c_str(), m.command.c_str());
        if (button.empty() || m.command.empty() || m.command.back() != button[0])
            continue;
        printf("%s based Attack\n", button.c_str());
        moveListNode* node = new moveListNode;
        node->move = &m;
        if (!head) {
            printf("head added\n");
            printf("%s %s\n", m.name.c_str(), m.command.c_str());
            head = node;
        } else {
            tail->next = node;
            printf("new tailbit added\n");
        }
        tail = node;
    }
    return head;
}

void deleteMoveList(moveListNode* head) {
    while (head) {
        moveListNode* next = head->next;
        delete head;
        head = next;
    }
}
