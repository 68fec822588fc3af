#include "moves/moveSet.h"

#include <cstdio>

#include "platform/traceLog.h"
#include "datafile/loadReport.h"
#include "datafile/textLine.h"

namespace {

// Longest word kept from a block line; longer words are cut, never overflow.
constexpr size_t kMaxWordLength = 79;

// Where the moveset is being read, for the report: the file, its line count so far,
// and the report itself (null in the game).
struct readPlace {
    FILE* f;
    const std::string& path;
    loadReport* report;
    int lineNumber;
};

bool readLine(readPlace& at, std::string& text) {
    return textline::readLine(at.f, text, at.lineNumber, at.report, at.path);
}

std::string readWord(readPlace& at, const char* what) {
    std::string line;
    readLine(at, line);
    return textline::firstWord(line, kMaxWordLength, at.report, at.path, at.lineNumber, what);
}

// A number line that does not parse leaves the field as it was.
void readNumber(readPlace& at, int& field) {
    std::string line;
    readLine(at, line);
    textline::checkNumbers(textline::scanInts(line, {&field}), 1, at.report, at.path, at.lineNumber,
                           "a number");
    textline::checkLoneNumber(line, at.report, at.path, at.lineNumber, "a number");
}

// The condition keeps its inner spaces; every CR and LF goes, so "\r\n" and "\n\r"
// line ends leave the same text as "\n".
std::string readCondition(readPlace& at) {
    std::string line;
    readLine(at, line);
    std::string text;
    for (char c : line)
        if (c != '\r' && c != '\n')
            text += c;
    return text;
}

// Notes a command the input checker can never match: presses arrive as U D L R A B C
// only, and the checker offers a move only when its command ends with a button. "N"
// alone is how a move that only the engine starts (a flinch, a block) says so.
void checkCommand(readPlace& at, const std::string& command) {
    const std::string letters = "UDLRABC";
    if (command.empty()) {
        textline::note(at.report, true, at.path, at.lineNumber,
                       "no command on this line; the move never comes out — write its keys "
                       "(U D L R, then A, B or C), or N for a move only the engine starts");
        return;
    }
    if (command == "N")
        return;
    size_t bad = command.find_first_not_of(letters);
    if (bad != std::string::npos) {
        textline::note(at.report, true, at.path, at.lineNumber,
                       "the command \"" + command + "\" holds \"" + command.substr(bad, 1) +
                           "\", which is no direction or button, so no press ever matches it — "
                           "use U D L R and A B C (N alone for a move only the engine starts)");
    } else if (letters.find(command.back()) < 4) {
        textline::note(at.report, false, at.path, at.lineNumber,
                       "the command \"" + command +
                           "\" ends with no button, so no press brings the move out — end it "
                           "with A, B or C, or write N for a move only the engine starts");
    }
}

} // namespace

int moveSet::loadAll(const std::string& characterFolder, loadReport* report) {
    folder = characterFolder;
    std::string path = folder + "/moveset";
    FILE* f = textline::openDescription(path, report);
    if (!f)
        return 1;
    moves.clear();
    moveCount = 0;

    readPlace in{f, path, report, 0};
    std::string line;
    readLine(in, line);
    textline::checkHeader(line, "ANIMS:", report, path, in.lineNumber);
    int announced = textline::headerCount(line, "ANIMS:", 0);

    // Records grow as blocks arrive, so a count that is negative or larger than the
    // file never allocates moves that are not there. A block cut short by the end of
    // the file keeps what it has; its missing lines leave their fields empty.
    int complete = 0;
    for (int i = 0; i < announced; ++i) {
        if (!readLine(in, line))
            break;
        int blockLine = in.lineNumber;
        std::string name =
            textline::firstWord(line, kMaxWordLength, report, path, blockLine, "the move name");
        if (name.empty())
            textline::note(report, true, path, blockLine,
                           "no move name on this line — each block starts with the name of the "
                           "move's folder");
        tracef("Lets Rock!: %s\n", name.c_str());
        moves.emplace_back();
        moveCount = static_cast<int>(moves.size());
        loadAnim(i, name, report);
        tracef("Loaded!\n");

        moveInfo& m = moves[i];
        m.line = blockLine;
        int before = in.lineNumber;
        m.command = readWord(in, "the command");
        if (in.lineNumber > before) // a file cut short is the count's to report
            checkCommand(in, m.command);
        tracef("Command: %s\n", m.command.c_str());
        readNumber(in, m.auxInt1);
        m.auxText1 = readWord(in, "the word on line 4 of the block");
        readNumber(in, m.auxInt2);
        readLine(in, line);
        m.auxFlag1 = true;
        m.auxText2 = readWord(in, "the word on line 7 of the block");
        readNumber(in, m.auxInt3);
        readLine(in, line);
        m.auxFlag2 = true;
        readLine(in, line);
        m.auxFlag3 = true;
        m.condition = readCondition(in);
        tracef("Condition: %s\n", m.condition.c_str());
        if (in.lineNumber == blockLine + 10)
            ++complete;
    }
    fclose(f);
    textline::checkCount(announced, complete, report, path, 1, "move blocks of 11 lines");
    return 1;
}

void moveSet::loadAnim(int index, const std::string& name, loadReport* report) {
    if (index < 0 || index >= static_cast<int>(moves.size()))
        return;
    moves[index].name = name;
    loadNamedSheet(folder, name, moves[index].sheet, report);
}

int moveSet::find(const std::string& name) const {
    for (size_t i = 0; i < moves.size(); ++i) {
        tracef("Comparing %s with %s\n", moves[i].name.c_str(), name.c_str());
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
    tracef("lets make a list, total is : %d\n", moveCount);
    moveListNode* head = nullptr;
    moveListNode* tail = nullptr;
    for (moveInfo& m : moves) {
        tracef("check move %s %s\n", m.name.c_str(), m.command.c_str());
        if (button.empty() || m.command.empty() || m.command.back() != button[0])
            continue;
        tracef("%s based Attack\n", button.c_str());
        moveListNode* node = new moveListNode;
        node->move = &m;
        if (!head) {
            tracef("head added\n");
            tracef("%s %s\n", m.name.c_str(), m.command.c_str());
            head = node;
        } else {
            tail->next = node;
            tracef("new tailbit added\n");
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
