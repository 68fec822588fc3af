#pragma once

#include <cstdio>
#include <string>
#include <vector>

class loadReport;
class moveSet;

// One entry of the opponent's attack table: a move it may start, and how far away it
// is meant to be used.
struct aiAttack {
    // Range letter: first character of the range line's first word ('S' short, 'M' mid,
    // 'L' long, 'U' up, 'D' down, either case); ' ' when that line holds no word.
    char range = ' ';
    std::string name; // move name: first word of the name line, at most 79 characters
    int line = 0;     // line of the attack file holding the name
    // False once checkMoves found no move of this name: the game then starts the first
    // move of the moveset in its place. True until checked.
    bool known = true;
};

// How many entries of one group fall in each range band. A draw finds its entry by
// position from these counts, so a group's entries must come short, then mid, then
// long.
struct aiAttackNumbers {
    int shortCount = 0; // entries lettered 'S' or 's'
    int midCount = 0;   // entries lettered 'M' or 'm'
    int longCount = 0;  // entries lettered 'L', 'l', and also 'U', 'u', 'D', 'd'
    int downCount = 0;  // down block after the up block; loading never raises it
    int upCount = 0;    // up block after the long entries; loading never raises it

    // Raises the count of the letter's band; other letters change nothing.
    void addNum(char letter);
};

// The opponent's attack table, read from <folder>/attack: six groups, each a header
// "Attacks: n" and n entries of two lines (name, range letter). Group 0 is drawn from
// on the ground, group 2 in the air; the others are read and kept. The list owns its
// entries and keeps them for as long as it lives.
class aiAttackList {
public:
    static constexpr int kGroupCount = 6;

    aiAttackNumbers numbers[kGroupCount];      // band counts of groups 0 to 5
    std::vector<aiAttack> groups[kGroupCount]; // entries of groups 0 to 5, in file order
    int lineNumber = 0;                        // lines read from the attack file so far
    loadReport* report = nullptr;              // the data checker's, during getList; else null
    std::string path;                          // the attack file, for the report

    // Reads <folder>/attack, replacing what the list held. A file that cannot be opened
    // prints "ERROR opening file <path>" and an empty line, and leaves the list as it was.
    // Problems are recorded in `problems` when one is given (the data checker's).
    void getList(const std::string& folder, loadReport* problems = nullptr);
    // Reads one line and returns the count of its "Attacks: n" header; 0 when the line
    // has no such header or the file has ended.
    int getNumberOfAttacks(FILE* f);
    // Marks the entries that name no move of `moves` (see aiAttack::known) and says so:
    // each as an error in `problems` when one is given (the data checker's), else the
    // first on standard error as a "brawler: warning:" line with the file and line.
    void checkMoves(const moveSet& moves, loadReport* problems = nullptr);
    // Whether an entry called `name` names a move; false only for a name checkMoves
    // found in no move, so an opponent may skip such a draw.
    bool known(const std::string& name) const;
    // Reads up to n entries of one group, appending them to `entries` and counting them
    // into `counts`; stops early when the file ends before an entry's two lines.
    void addAttack(std::vector<aiAttack>& entries, aiAttackNumbers& counts, FILE* f, int n);
    // Draws an attack for a situation: "ground" from group 0, "aerial" from group 2;
    // "null" for any other situation or when the group has nothing at that range.
    std::string getAttack(char range, const std::string& situation);
    // Draws one entry's name for a range letter (see the source for which entries each
    // letter reaches), or "null" when there is nothing to draw.
    std::string getAttack(char range, const std::vector<aiAttack>& entries,
                          const aiAttackNumbers& counts);
};
