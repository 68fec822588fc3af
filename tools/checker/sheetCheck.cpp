#include "tools/checker/sheetCheck.h"

#include <filesystem>
#include <system_error>
#include <tuple>

#include "datafile/loadReport.h"
#include "datafile/textLine.h"
#include "particles/partInfoList.h"
#include "particles/particleList.h"

namespace {

// In a particle definition file the OnDeath count is line 6, its entries follow.
constexpr int kFirstDeathLine = 7;

const particleInfo* findIn(const std::vector<const partInfoList*>& lists, const std::string& name) {
    for (const partInfoList* list : lists)
        for (const partInfoNode* n = list->head; n; n = n->next)
            if (n->name == name)
                return &n->info;
    return nullptr;
}

// One copy of itself is a chain that never ends; more than one doubles (or worse) at
// every death, and the game's particle list stops it only at its cap.
void checkSelfSpawn(loadReport& report, const partInfoNode& n, int selves, int line) {
    if (selves == 1)
        report.warning(n.info.definitionFile, line,
                       "the particle " + sheetcheck::inQuotes(n.name) +
                           " names itself in its death list, so it respawns for ever — "
                           "end the chain with another particle unless that is meant");
    else if (selves > 1)
        report.warning(n.info.definitionFile, line,
                       "the particle " + sheetcheck::inQuotes(n.name) + " names itself " +
                           std::to_string(selves) +
                           " times in its death list, so it multiplies at every death until "
                           "the game's particle list is full (" +
                           std::to_string(particleList::kCap) +
                           " particles) — name it at most once");
}

} // namespace

namespace sheetcheck {

void checkFolderNamed(loadReport& report, const std::string& list, int line,
                      const std::string& what, const std::string& parent, const std::string& name) {
    std::error_code ec;
    if (name.empty() || std::filesystem::is_directory(parent + "/" + name, ec))
        return;
    report.error(list, line,
                 "no " + what + " folder " + inQuotes(name) + " in " + parent +
                     " — add the folder with its files, or fix the name here");
}

void checkParticleFolders(loadReport& report, const std::string& root, const std::string& listName,
                          const partInfoList& list) {
    for (const partInfoNode* n = list.head; n; n = n->next)
        checkFolderNamed(report, root + "/particle/" + listName, n->line, "particle",
                         root + "/particle", n->name);
}

void checkDeathLists(loadReport& report, const partInfoList& list,
                     const std::vector<const partInfoList*>& known, const std::string& lists) {
    for (const partInfoNode* n = list.head; n; n = n->next) {
        int selves = 0;
        int firstSelf = 0;
        for (size_t k = 0; k < n->info.deathParts.size(); ++k) {
            std::string name = textline::firstWord(n->info.deathParts[k]);
            int line = kFirstDeathLine + static_cast<int>(k);
            if (name != "NULL" && !findIn(known, name))
                report.error(n->info.definitionFile, line,
                             "no particle " + inQuotes(name) + " in " + lists +
                                 " — add it there, or fix the name");
            if (name == n->name && selves++ == 0)
                firstSelf = line;
        }
        checkSelfSpawn(report, *n, selves, firstSelf);
    }
}

std::string inQuotes(const std::string& text) {
    return "\"" + text + "\"";
}

bool emptyBox(const colBox& b) {
    return b.left > b.right || b.top > b.bottom;
}

void checkBoxes(const sheetRef& ref, loadReport& report) {
    // Lines of a frame block, counted from its image line.
    constexpr int kBodyBoxLine = 2;
    constexpr int kAttackBoxLine = 3;
    auto text = [](const colBox& b) {
        return std::to_string(b.left) + " " + std::to_string(b.top) + " " +
               std::to_string(b.right) + " " + std::to_string(b.bottom);
    };
    for (const frameInfo& f : ref.sheet->frames) {
        if (!f.image)
            continue;
        const int w = f.image->w;
        const int h = f.image->h;
        for (auto [box, line, what] : {std::tuple{&f.cBox, kBodyBoxLine, "body box"},
                                       std::tuple{&f.dBox, kAttackBoxLine, "attack box"}}) {
            if (emptyBox(*box))
                continue;
            // Only a box wholly off the image is surely a slip: a lying figure's body
            // box may run a few pixels past the frame's edge.
            if (box->right < 0 || box->bottom < 0 || box->left >= w || box->top >= h)
                report.warning(
                    ref.info, f.infoLine + line,
                    std::string("the ") + what + " " + text(*box) + " lies wholly outside the " +
                        std::to_string(w) + "x" + std::to_string(h) +
                        " frame, so it covers nothing drawn — put it over the figure, within 0 0 " +
                        std::to_string(w - 1) + " " + std::to_string(h - 1));
        }
        // Boxes are inclusive, so an attack box whose right edge is the anchor's column
        // still reaches forward.
        if (ref.fighter && !emptyBox(f.dBox) && f.dBox.right < f.anchorX)
            report.warning(ref.info, f.infoLine + kAttackBoxLine,
                           "the attack box " + text(f.dBox) + " lies wholly behind the anchor (x " +
                               std::to_string(f.anchorX) +
                               "), on the side away from the way the fighter faces — frames "
                               "face right: put it right of the anchor, over the striking limb");
    }
}

void checkUniformFrames(const sheetRef& ref, loadReport& report) {
    if (!ref.uniform)
        return;
    const frameInfo* first = nullptr;
    for (const frameInfo& f : ref.sheet->frames) {
        if (f.image && !first) {
            first = &f;
        } else if (f.image && (f.image->w != first->image->w || f.image->h != first->image->h ||
                               f.anchorX != first->anchorX || f.anchorY != first->anchorY)) {
            report.warning(
                ref.info, f.infoLine,
                "the frame is " + std::to_string(f.image->w) + "x" + std::to_string(f.image->h) +
                    " anchored at " + std::to_string(f.anchorX) + "," + std::to_string(f.anchorY) +
                    ", the sheet's first frame " + std::to_string(first->image->w) + "x" +
                    std::to_string(first->image->h) + " at " + std::to_string(first->anchorX) +
                    "," + std::to_string(first->anchorY) +
                    "; saving and restoring the background costs more — give every "
                    "frame one size and anchor");
        }
    }
}

} // namespace sheetcheck
