#include "moves/inputChecker.h"

#include <cstdint>
#include <cstdio>

#include "moves/condition.h"
#include "moves/moveSet.h"
#include "platform/traceLog.h"

namespace {

// Presses stay this many tens of milliseconds; a whole command must be typed within.
constexpr int inputDelay = 60;

bool isButton(char key) {
    return key == 'A' || key == 'B' || key == 'C';
}

} // namespace

inputChecker::inputChecker(moveSet* moves, Fighter* who) {
    tracef("Lets start this up\n");
    inputs = nullptr;
    inputCount = 0;
    getMoveLists(moves);
    fighter = who;
}

inputChecker::~inputChecker() {
    emptyBuffer();
    deleteMoveList(listA);
    deleteMoveList(listB);
    deleteMoveList(listC);
}

void inputChecker::getMoveLists(moveSet* moves) {
    deleteMoveList(listA);
    deleteMoveList(listB);
    deleteMoveList(listC);
    listA = listB = listC = nullptr;
    tracef("A LIST TIME!!!\n");
    if (moves)
        listA = moves->returnMoveList("A");
    tracef("B LIST TIME!!!\n");
    if (moves)
        listB = moves->returnMoveList("B");
    tracef("C LIST TIME!!!\n");
    if (moves)
        listC = moves->returnMoveList("C");
}

void inputChecker::acceptInput(const inputKeys& press) {
    inputKeys* entry = new inputKeys;
    entry->time = press.time;
    entry->key = press.key;
    entry->action = press.action;
    entry->next = nullptr;
    if (!inputs) {
        inputs = entry;
    } else {
        inputKeys* last = inputs;
        while (last->next)
            last = last->next;
        last->next = entry;
    }
    inputCount += 1;
}

moveInfo* inputChecker::update(int now) {
    if (inputCount == 0 || !inputs)
        return nullptr;
    shaveOff(now);
    return findButton();
}

void inputChecker::shaveOff(int now) {
    if (inputCount == 0)
        return;
    const int64_t window = static_cast<int64_t>(inputDelay) * 10;
    // The newest press never expires: a lone press waits for its partner however
    // long the player pauses. Exactly window-old presses stay.
    inputKeys** link = &inputs;
    while (*link && (*link)->next) {
        inputKeys* entry = *link;
        if (static_cast<int64_t>(now) - entry->time > window) {
            tracef("Lets try deleting!\n");
            *link = entry->next;
            delete entry;
            inputCount -= 1;
        } else {
            link = &entry->next;
        }
    }
}

moveInfo* inputChecker::findButton() {
    std::string letters;
    int position = 0;
    int time = 0;
    int number = 0;
    for (inputKeys* e = inputs; e; e = e->next) {
        ++number;
        letters += e->key;
        if (isButton(e->key)) {
            position = number;
            time = e->time;
        }
    }
    if (position == 0)
        return nullptr;
    return checkList(position, time, letters);
}

moveInfo* inputChecker::checkList(int position, int /*time*/, const std::string& letters) {
    moveListNode* list = nullptr;
    if (position >= 1 && position <= static_cast<int>(letters.size())) {
        char button = letters[position - 1];
        if (button == 'A') {
            list = listA;
        } else if (button == 'B') {
            tracef("Ready are we? with %c\n", button);
            list = listB;
        } else if (button == 'C') {
            list = listC;
        }
    }
    for (moveListNode* node = list; node; node = node->next) {
        moveInfo* move = node->move;
        tracef("Not empty, lucky!\n");
        tracef("searched %s|| Against %s\n", move->command.c_str(), letters.c_str());
        if (letters.find(move->command) == std::string::npos) {
            tracef("Next -> \n");
            continue;
        }
        tracef("Found a move!\n");
        bool chosen = move->condition == "null";
        if (!chosen) {
            tracef("Condition much!\n");
            Condition condition;
            chosen = condition.getResult(move->condition, fighter, target);
        }
        if (!chosen) {
            tracef("Next -> \n");
            continue;
        }
        tracef("Have Move - %s!\n", move->name.c_str());
        deleteList();
        return move;
    }
    deleteList();
    tracef("Got nothing\n");
    return nullptr;
}

void inputChecker::deleteList() {
    tracef("DELETING HAHAHAHA\n");
    emptyBuffer();
}

void inputChecker::emptyBuffer() {
    while (inputs) {
        inputKeys* next = inputs->next;
        delete inputs;
        inputs = next;
    }
    inputCount = 0;
}

void inputChecker::print() const {
    tracef("Printing\n");
    for (const inputKeys* e = inputs; e; e = e->next)
        tracef("Info: %c %d %s\n", e->key, e->time, e->action.c_str());
}

void inputChecker::printB() const {
    tracef("====================\n");
    tracef("B LIST\n");
    tracef("====================\n");
    for (const moveListNode* node = listB; node; node = node->next)
        tracef("Move: %s\n", node->move->name.c_str());
}
