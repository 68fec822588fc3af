#pragma once

#include <string>

class Fighter;
class Target;
class moveSet;
struct moveInfo;
struct moveListNode;

// One buffered press; also the node of the checker's buffer.
struct inputKeys {
    int time = 0;              // SDL tick (ms) of the frame in which the press arrived
    char key = 0;              // 'U', 'D', 'R' (forward), 'L' (back), 'A', 'B', 'C'
    std::string action;        // fighter's actionName at the press; printed, not matched
    inputKeys* next = nullptr; // the next newer press, null for the newest; owned by the buffer
};

// Turns the player's recent presses into a move. Presses are buffered in arrival
// order; when a button is among them the moves ending with that button are searched
// in file order for the first whose command occurs in the buffered letters and whose
// condition holds. Every search empties the buffer, so a button counts once.
class inputChecker {
public:
    inputKeys* inputs = nullptr;   // oldest buffered press, null when empty; owned
    int inputCount = 0;            // number of buffered presses
    moveListNode* listA = nullptr; // moves ending with 'A', file order; nodes owned
    moveListNode* listB = nullptr; // moves ending with 'B'
    moveListNode* listC = nullptr; // moves ending with 'C'
    Fighter* fighter = nullptr;    // whose conditions are tested, not owned
    Target* target = nullptr;      // handed to conditions, not owned; nothing sets it

    // The lists are built here once; moves added to the set later are not seen, and
    // the set is not kept (its moves must outlive the checker).
    inputChecker(moveSet* moves, Fighter* who);
    ~inputChecker();
    inputChecker(const inputChecker&) = delete;
    inputChecker& operator=(const inputChecker&) = delete;

    void getMoveLists(moveSet* moves);
    // Buffers a copy of the press at the newest end.
    void acceptInput(const inputKeys& press);
    // Expires old presses, then runs one match attempt if a button is buffered.
    // `now` is on the same tick clock as the presses.
    moveInfo* update(int now);
    moveInfo* findButton();
    // `position` is the 1-based place of the button in `letters`; `time` is its press
    // time, not needed for matching.
    moveInfo* checkList(int position, int time, const std::string& letters);
    // Drops every press older than the window except the newest.
    void shaveOff(int now);
    void deleteList();
    void print() const;
    void printB() const;

private:
    void emptyBuffer();
};
