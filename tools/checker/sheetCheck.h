#pragma once

#include <string>
#include <vector>

#include "collision/colBox.h"
#include "sprite/CSpriteBase.h"

class loadReport;
class partInfoList;
struct partInfoNode;

// A loaded sheet and where it came from, for the checks over frames.
struct sheetRef {
    const CSpriteBase* sheet; // owned by the checker that loaded it
    std::string info;         // path of its info file
    bool fighter;             // true for a character's animations and moves
    bool uniform = true;      // frames should share one size and anchor
};

// What the checkers of the whole folder and of one character share.
namespace sheetcheck {
// Warns at each frame whose size or anchor differs from the sheet's first frame.
void checkUniformFrames(const sheetRef& ref, loadReport& report);
// Warns at each body or attack box that lies wholly outside its frame's image, and, on a
// fighter's frames, at each attack box wholly behind the anchor (frames face right).
// Empty boxes are how a frame says it has none, and pass.
void checkBoxes(const sheetRef& ref, loadReport& report);
// An error at the list line naming a folder `parent`/`name` that is not there.
void checkFolderNamed(loadReport& report, const std::string& list, int line,
                      const std::string& what, const std::string& parent, const std::string& name);
// The same for every line of the particle list data/particle/<listName>.
void checkParticleFolders(loadReport& report, const std::string& root, const std::string& listName,
                          const partInfoList& list);
// Death lists of `list`'s definitions: names found in none of `known` (described as
// `lists` in the message), and definitions that respawn themselves.
void checkDeathLists(loadReport& report, const partInfoList& list,
                     const std::vector<const partInfoList*>& known, const std::string& lists);
std::string inQuotes(const std::string& text);
bool emptyBox(const colBox& b);
} // namespace sheetcheck
