#pragma once

#include <string>
#include <vector>

#include "moves/attackHeight.h"
#include "sprite/CSpriteBase.h"

class loadReport;

// One move of a character, read as an 11-line block of the moveset file.
struct moveInfo {
    // Frames loaded from <character folder>/<name>, owned. It comes first so that a
    // fighter starting the move can show it as its sheet.
    CSpriteBase sheet;
    std::string name;      // block line 1: unique move name, also the sheet's folder
    std::string command;   // line 2: key letters oldest first, ending with the button
    int auxInt1 = 0;       // line 3: kept, read by nobody
    std::string auxText1;  // line 4: kept, read by nobody
    int auxInt2 = 0;       // line 5: kept, read by nobody
    bool auxFlag1 = false; // line 6: true once loaded, whatever the line holds
    std::string auxText2;  // line 7: kept, read by nobody
    int auxInt3 = 0;       // line 8: kept, read by nobody
    bool auxFlag2 = false; // line 9: true once loaded
    bool auxFlag3 = false; // line 10: true once loaded
    std::string condition; // line 11 whole, without CR/LF: "null" or a condition phrase
    int line = 0;          // line of the moveset file holding line 1 of the block
    // Not of the moveset: where the attack strikes, from the heights file a match reads.
    attackHeight height = attackHeight::mid;
};

// A node of a list of moves that end with one button. The move lives in its moveSet;
// the nodes belong to whoever asked for the list (free them with deleteMoveList).
struct moveListNode {
    moveInfo* move = nullptr;     // not owned
    moveListNode* next = nullptr; // following node, null at the end; owned by the list
};

// Every move of one character, read from <folder>/moveset. The set owns the records
// and their sheets; fighters, lists and controllers point into it, so it must outlive
// them and must not be reloaded while they do.
class moveSet {
public:
    std::vector<moveInfo> moves; // all moves in file order
    int moveCount = 0;           // moves actually read (never more than moves holds)
    std::string folder;          // character folder given to loadAll, no trailing slash

    // Reads the moveset file and every move's sheet; always returns 1. Problems are
    // recorded in `report` when one is given (the data checker's).
    int loadAll(const std::string& characterFolder, loadReport* report = nullptr);
    // Names move `index` and loads its sheet from folder/name.
    void loadAnim(int index, const std::string& name, loadReport* report = nullptr);
    // Index of the first move called `name`; 0 when none is (or the set is empty).
    int find(const std::string& name) const;
    // The move called `name`, else the first move; null only for an empty set.
    moveInfo* returnMove(const std::string& name);
    // The sheet of the move returnMove would give; null for an empty set.
    CSpriteBase* returnAnimation(const std::string& name);
    // A new list, in file order, of the moves whose command ends with button[0];
    // null when none does. The caller owns the nodes.
    moveListNode* returnMoveList(const std::string& button);
};

// Frees every node of a list made by returnMoveList (not the moves).
void deleteMoveList(moveListNode* head);
