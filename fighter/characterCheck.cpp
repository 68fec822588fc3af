#include "fighter/characterCheck.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "datafile/textLine.h"
#include "fighter/animationSet.h"
#include "moves/moveSet.h"

namespace {

std::string quoted(const std::string& name) {
    return "\"" + name + "\"";
}

// Why the file at `path` gave nothing, from `error`, the reason it did not open.
std::string unreadable(const std::string& path, int error) {
    if (error == ENOENT)
        return path + " is missing";
    if (error == EISDIR)
        return path + " is a folder, not a file";
    return path + " cannot be read: " + strerror(error);
}

// Why a list file (a character's info or moveset) gave nothing.
std::string emptyListReason(const std::string& path, const char* what) {
    int error = textline::openFailure(path);
    return error ? unreadable(path, error) : path + " lists no " + what;
}

// Why the sheet folder/name holds no frames.
std::string emptySheetReason(const std::string& folder, const std::string& name) {
    if (name.empty())
        return folder + "/info has a line without a name";
    std::string sheet = folder + "/" + name;
    std::string info = sheet + "/info";
    int error = textline::openFailure(info);
    std::error_code ec; // the throwing form would end the game on a link that loops
    if ((error == ENOENT || error == ENOTDIR) && !std::filesystem::is_directory(sheet, ec))
        return "the folder " + sheet + " is missing";
    return error ? unreadable(info, error) : info + " holds no frames";
}

const animEntry* animationCalled(const animationSet& anims, const std::string& name) {
    for (const animEntry& e : anims.entries)
        if (e.name == name)
            return &e;
    return nullptr;
}

const moveInfo* moveCalled(const moveSet& moves, const std::string& name) {
    for (const moveInfo& m : moves.moves)
        if (m.name == name)
            return &m;
    return nullptr;
}

} // namespace

const std::vector<std::string>& requiredAnimationNames() {
    static const std::vector<std::string> names = {"blank", "walk", "standing", "duck", "inAir"};
    return names;
}

const std::vector<std::string>& requiredMoveNames() {
    static const std::vector<std::string> names = {"hit1", "blockHi", "blockLo", "blockAir"};
    return names;
}

bool characterUsable(const animationSet& anims, const moveSet& moves, std::string* why) {
    std::string problem;
    bool anyFrames = std::any_of(anims.entries.begin(), anims.entries.end(),
                                 [](const animEntry& e) { return e.sheet.frameCount > 0; });
    if (anims.entries.empty()) {
        problem = anims.folder + ": no animations loaded (" +
                  emptyListReason(anims.folder + "/info", "animation") + ")";
    } else if (!anyFrames) {
        std::string reasons;
        for (const animEntry& e : anims.entries)
            reasons += (reasons.empty() ? "" : "; ") + emptySheetReason(anims.folder, e.name);
        problem = anims.folder + ": no animation has any frames (" + reasons + ")";
    } else if (moves.moves.empty()) {
        problem = moves.folder + ": no moves loaded (" +
                  emptyListReason(moves.folder + "/moveset", "move") + ")";
    }
    if (why)
        *why = problem;
    return problem.empty();
}

std::vector<std::string> characterWarnings(const animationSet& anims, const moveSet& moves) {
    std::vector<std::string> lines;
    // A name the list lacks is answered with the first animation listed. "blank" is
    // never shown: the fighter only takes the key colour of its saved background from
    // its first frame.
    for (const std::string& name : requiredAnimationNames()) {
        bool isBlank = name == "blank";
        const animEntry* e = animationCalled(anims, name);
        if (!e && !anims.entries.empty()) {
            std::string first = quoted(anims.entries[0].name) + ", the first animation listed";
            lines.push_back(anims.folder + "/info does not list the animation " + quoted(name) +
                            (isBlank ? "; the fighter takes its background key colour from " + first
                                     : "; the fighter shows " + first + ", in its place"));
        } else if (e && e->sheet.frameCount <= 0) {
            lines.push_back("animation " + quoted(name) + " has no frames (" +
                            emptySheetReason(anims.folder, name) + "); " +
                            (isBlank ? "the fighter saves its background without a key colour"
                                     : "the fighter is not drawn while it shows " + quoted(name)));
        }
    }
    // A name the move set lacks is answered with the first move of the file; a move
    // without frames ends on the pass it starts.
    for (const std::string& name : requiredMoveNames()) {
        const moveInfo* m = moveCalled(moves, name);
        if (!m && !moves.moves.empty()) {
            lines.push_back(moves.folder + "/moveset has no move " + quoted(name) +
                            "; the first move of the file, " + quoted(moves.moves[0].name) +
                            ", is played in its place");
        } else if (m && m->sheet.frameCount <= 0) {
            lines.push_back("move " + quoted(name) + " has no frames (" +
                            emptySheetReason(moves.folder, name) +
                            "); it ends as soon as it starts, showing nothing");
        }
    }
    return lines;
}
