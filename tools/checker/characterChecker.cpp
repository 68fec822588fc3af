#include "tools/checker/characterChecker.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "datafile/loadReport.h"
#include "datafile/textLine.h"
#include "fighter/characterCheck.h"
#include "moves/attackHeight.h"

using sheetcheck::emptyBox;
using sheetcheck::inQuotes;

namespace {

// Lines of a frame block, counted from its first line (the image line).
constexpr int kAttackBoxLine = 3;
constexpr int kSoundLine = 9;
constexpr int kFirstParticleLine = 11;
// In a move block the condition is the 11th line.
constexpr int kConditionLine = 10;

bool isButton(char c) {
    return c == 'A' || c == 'B' || c == 'C';
}

// Only these letters are ever pressed; the moveset loader notes a command with others.
bool typable(const std::string& command) {
    return command.find_first_not_of("UDLRABC") == std::string::npos;
}

// Where a condition lets its move start: the input checker takes "null" as always, and
// Condition reads "ground <any> true" as on the ground, any other "ground" as in the air
// and every other text as never.
struct moveStates {
    bool ground = false;
    bool air = false;
    bool none() const { return !ground && !air; }
};

moveStates admitted(const std::string& condition) {
    if (condition == "null")
        return {true, true};
    std::vector<std::string> words = textline::words(condition, 3);
    if (words.empty() || words[0] != "ground")
        return {};
    bool onGround = words.size() == 3 && words[2] == "true";
    return {onGround, !onGround};
}

// A box moved by (dx, dy).
colBox shifted(colBox b, int dx, int dy) {
    return colBox{b.left + dx, b.top + dy, b.right + dx, b.bottom + dy};
}

bool overlap(const colBox& a, const colBox& b) {
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

// Marks each wanted colour (0xRRGGBB) the image holds; returns how many it newly found.
size_t markColoursHeld(SDL_Surface* s, const std::vector<Uint32>& wanted,
                       std::vector<bool>& found) {
    if (!s || s->format->BytesPerPixel != 4)
        return 0;
    size_t newly = 0;
    SDL_LockSurface(s);
    for (int y = 0; y < s->h; ++y) {
        const Uint32* row =
            reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(s->pixels) + y * s->pitch);
        for (int x = 0; x < s->w; ++x) {
            Uint8 r, g, b;
            SDL_GetRGB(row[x], s->format, &r, &g, &b);
            Uint32 colour = (Uint32(r) << 16) | (Uint32(g) << 8) | b;
            for (size_t i = 0; i < wanted.size(); ++i)
                if (!found[i] && wanted[i] == colour) {
                    found[i] = true;
                    ++newly;
                }
        }
    }
    SDL_UnlockSurface(s);
    return newly;
}

// 0 short, 1 mid, 2 long (up and down are drawn with the long entries), -1 no band.
int band(char letter) {
    switch (letter) {
    case 'S':
    case 's':
        return 0;
    case 'M':
    case 'm':
        return 1;
    case 'L':
    case 'l':
    case 'U':
    case 'u':
    case 'D':
    case 'd':
        return 2;
    default:
        return -1;
    }
}

} // namespace

characterChecker::characterChecker(const std::string& dataRoot, const std::string& name,
                                   loadReport& report, const soundSet& sharedSounds,
                                   const partInfoList& defaultParticles)
    : root_(dataRoot), name_(name), folder_(dataRoot + "/" + name), report_(report),
      sharedSounds_(sharedSounds), defaultParticles_(defaultParticles) {}

void characterChecker::run() {
    load();
    loadMatch();
    checkNames();
    checkNamedFolders();
    for (const sheetRef& ref : sheets())
        checkSheet(ref);
    sheetcheck::checkDeathLists(report_, particles_, {&particles_, &defaultParticles_},
                                particleLists());
    checkConditions();
    checkReachableMoves();
    checkAttackTable();
    checkColourSwap();
}

void characterChecker::load() {
    // The game's start-up order for a character: its animations, moves, sounds, its
    // particle list (only when it has one) and the opponent's attack table.
    anims_.loadAll(folder_, &report_);
    moves_.loadAll(folder_, &report_);
    sounds_.getList(folder_ + "/sound", &report_);
    std::error_code ec;
    hasParticleList_ = std::filesystem::is_regular_file(root_ + "/particle/" + name_, ec);
    if (hasParticleList_)
        particles_.addList(name_, SDL_GetVideoSurface(), root_, &report_);
    attacks_.getList(folder_ + "/ai", &report_);
    attacks_.checkMoves(moves_, &report_);
}

std::vector<sheetRef> characterChecker::sheets() const {
    std::vector<sheetRef> out;
    for (const animEntry& e : anims_.entries)
        if (!e.name.empty())
            out.push_back({&e.sheet, anims_.folder + "/" + e.name + "/info", true});
    for (const moveInfo& m : moves_.moves)
        if (!m.name.empty())
            out.push_back({&m.sheet, moves_.folder + "/" + m.name + "/info", true});
    if (ko_.loaded)
        out.push_back({&ko_, folder_ + "/ko/info", true});
    if (win_.loaded)
        out.push_back({&win_, folder_ + "/win/info", true});
    for (const partInfoNode* n = particles_.head; n; n = n->next)
        if (n->info.sheet && !n->name.empty())
            out.push_back({n->info.sheet.get(), root_ + "/particle/" + n->name + "/info", false});
    return out;
}

void characterChecker::checkNames() {
    std::string why;
    std::string list = anims_.folder + "/info";
    if (!characterUsable(anims_, moves_, &why))
        report_.error(list, 0,
                      "the game refuses this character: " + why +
                          " — give it at least one animation with frames and one move");
    for (const std::string& name : requiredAnimationNames()) {
        auto e = std::find_if(anims_.entries.begin(), anims_.entries.end(),
                              [&](const animEntry& a) { return a.name == name; });
        if (e == anims_.entries.end()) {
            if (!anims_.entries.empty())
                report_.warning(list, 0,
                                "no animation " + inQuotes(name) +
                                    "; the game shows the first animation listed in its place "
                                    "— add a line " +
                                    inQuotes(name) + " and its sheet folder");
        } else if (e->sheet.frameCount <= 0) {
            int line = 2 + static_cast<int>(e - anims_.entries.begin());
            report_.warning(list, line,
                            "the animation " + inQuotes(name) +
                                " has no frames; the fighter is not drawn while it shows it — "
                                "give its sheet frames");
        }
    }
    std::string movesetPath = moves_.folder + "/moveset";
    for (const std::string& name : requiredMoveNames()) {
        auto m = std::find_if(moves_.moves.begin(), moves_.moves.end(),
                              [&](const moveInfo& mv) { return mv.name == name; });
        if (m == moves_.moves.end()) {
            if (!moves_.moves.empty())
                report_.warning(movesetPath, 0,
                                "no move " + inQuotes(name) +
                                    "; the game plays the first move of the file in its place "
                                    "— add a block for " +
                                    inQuotes(name) + " and its sheet folder");
        } else if (m->sheet.frameCount <= 0) {
            report_.warning(movesetPath, m->line,
                            "the move " + inQuotes(name) +
                                " has no frames; it ends as soon as it starts — give its sheet "
                                "frames");
        }
    }
}

void characterChecker::checkNamedFolders() {
    // The loaders report a missing folder where they looked for it; the line to fix is
    // the one that names it, so that is reported too.
    for (size_t i = 0; i < anims_.entries.size(); ++i)
        sheetcheck::checkFolderNamed(report_, anims_.folder + "/info", 2 + static_cast<int>(i),
                                     "animation", anims_.folder, anims_.entries[i].name);
    for (const moveInfo& m : moves_.moves)
        sheetcheck::checkFolderNamed(report_, moves_.folder + "/moveset", m.line, "move",
                                     moves_.folder, m.name);
    sheetcheck::checkParticleFolders(report_, root_, name_, particles_);
}

void characterChecker::checkSheet(const sheetRef& ref) {
    sheetcheck::checkUniformFrames(ref, report_);
    sheetcheck::checkBoxes(ref, report_);
    // Only a fighter's frames deal damage, play sounds and spawn particles.
    if (!ref.fighter)
        return;
    for (const frameInfo& f : ref.sheet->frames) {
        if (f.damage > 0 && emptyBox(f.dBox))
            report_.warning(ref.info, f.infoLine + kAttackBoxLine,
                            "the frame deals " + std::to_string(f.damage) +
                                " damage but its attack box is empty, so it never hits — give "
                                "it an attack box or damage 0");
        if (f.soundName != "NULL" && !hasSound(f.soundName))
            report_.error(ref.info, f.infoLine + kSoundLine,
                          "no sound " + inQuotes(f.soundName) + " in soundSet/sound or " + name_ +
                              "/sound/sound — add it there, or write NULL for none");
        checkFrameParticles(ref, f);
    }
}

void characterChecker::checkFrameParticles(const sheetRef& ref, const frameInfo& f) {
    for (size_t k = 0; k < f.particleNames.size(); ++k) {
        int line = f.infoLine + kFirstParticleLine + static_cast<int>(k);
        std::vector<std::string> words = textline::words(f.particleNames[k], 3);
        std::string name = words.empty() ? std::string() : words[0];
        if (name == "NULL")
            continue;
        const particleInfo* p = particleCalled(name);
        if (!p) {
            // A copied character misses the list its particles were in.
            std::string fix = hasParticleList_ ? " — add it there, or fix the name"
                                               : " — list the character's own particles in "
                                                 "particle/" +
                                                     name_ +
                                                     " (as particle/default "
                                                     "is written), or fix the name";
            report_.error(ref.info, line,
                          "no particle " + inQuotes(name) + " in " + particleLists() + fix);
            continue;
        }
        if (!p->sheet || p->sheet->frames.empty())
            continue;
        // Particles hit every fighter they touch, their owner too. Facing right, the
        // owner's anchor at 0,0: the particle's anchor lands at (x, -y).
        const frameInfo& shot = p->sheet->frames[0];
        if (emptyBox(shot.cBox) || emptyBox(f.cBox))
            continue;
        int dx = 0;
        int dy = 0;
        if (words.size() > 1)
            textline::scanInts(words[1], {&dx});
        if (words.size() > 2)
            textline::scanInts(words[2], {&dy});
        colBox shotBox = shifted(shot.cBox, dx - shot.anchorX, -dy - shot.anchorY);
        colBox body = shifted(f.cBox, -f.anchorX, -f.anchorY);
        if (overlap(shotBox, body))
            report_.warning(ref.info, line,
                            "the particle " + inQuotes(name) +
                                " appears inside its owner's body box and hits its owner — "
                                "move its offsets out of the body box");
    }
}

void characterChecker::checkConditions() {
    std::string path = moves_.folder + "/moveset";
    for (const moveInfo& m : moves_.moves) {
        int line = m.line + kConditionLine;
        if (m.condition == "null")
            continue;
        std::vector<std::string> words = textline::words(m.condition, 4);
        if (words.empty() || words[0] != "ground") {
            report_.error(path, line,
                          "unknown condition " + inQuotes(m.condition) +
                              "; it never holds, so the move never starts — write "
                              "\"ground = true\", \"ground = false\" or null");
        } else if (words.size() < 3 || (words[2] != "true" && words[2] != "false")) {
            report_.warning(path, line,
                            "the condition " + inQuotes(m.condition) +
                                " holds in the air only (anything but \"true\" as its third "
                                "word counts as false) — write \"ground = true\" or "
                                "\"ground = false\"");
        } else if (words.size() > 3) {
            report_.warning(path, line,
                            "the condition " + inQuotes(m.condition) +
                                " has words after the third, which are ignored — remove them");
        }
    }
}

void characterChecker::checkReachableMoves() {
    // The input checker walks the moves ending with the pressed button in file order and
    // takes the first whose command occurs in the buffered letters and whose condition
    // holds. A later move is dead when, on the ground and in the air alike wherever its
    // own condition holds, an earlier move with a command inside its own wins.
    std::string path = moves_.folder + "/moveset";
    const std::vector<moveInfo>& all = moves_.moves;
    for (size_t i = 0; i < all.size(); ++i) {
        const moveInfo& m = all[i];
        if (m.command.empty() || !isButton(m.command.back()) || !typable(m.command))
            continue;
        moveStates left = admitted(m.condition);
        if (left.none())
            continue; // its condition never holds: checkConditions says so
        std::vector<const moveInfo*> shadows;
        bool same = false;   // one of them has m's very command
        bool allSame = true; // all of them have
        for (size_t j = 0; j < i && !left.none(); ++j) {
            const moveInfo& e = all[j];
            if (e.command.empty() || e.command.back() != m.command.back() ||
                m.command.find(e.command) == std::string::npos)
                continue;
            moveStates taken = admitted(e.condition);
            if (!(left.ground && taken.ground) && !(left.air && taken.air))
                continue;
            left.ground = left.ground && !taken.ground;
            left.air = left.air && !taken.air;
            shadows.push_back(&e);
            same = same || e.command == m.command;
            allSame = allSame && e.command == m.command;
        }
        if (!left.none())
            continue;
        std::string names;
        std::string earlier;
        for (size_t k = 0; k < shadows.size(); ++k) {
            const moveInfo& e = *shadows[k];
            std::string sep = k == 0 ? "" : k + 1 == shadows.size() ? " and " : ", ";
            names += sep + inQuotes(e.name);
            earlier += sep + inQuotes(e.name) + " (" + e.command +
                       (e.condition == "null" ? "" : ", " + e.condition) + ")";
        }
        std::string fix =
            same ? std::string("give one of them another command, or give them conditions that "
                               "never hold together (ground = true, ground = false)")
                 : "put " + inQuotes(m.name) + " before " + names;
        report_.warning(path, m.line + 1,
                        "the move " + inQuotes(m.name) + " (" + m.command +
                            ") can never be performed: " + earlier +
                            (shadows.size() == 1 ? " comes" : " come") + " earlier" +
                            (allSame ? " with the same command" : "") + " and " +
                            (shadows.size() == 1 ? "matches" : "match") + " first — " + fix);
    }
}

void characterChecker::checkAttackTable() {
    const std::string& path = attacks_.path;
    for (int g = 0; g < aiAttackList::kGroupCount; ++g) {
        int highest = 0;
        std::string highestName;
        for (const aiAttack& a : attacks_.groups[g]) {
            int b = band(a.range);
            if (b < 0) {
                report_.warning(path, a.line + 1,
                                "range letter " + inQuotes(std::string(1, a.range)) +
                                    " is in no band; the entry still takes a place, so draws "
                                    "land on the wrong entries — use S, M or L");
            } else if (b < highest) {
                report_.warning(path, a.line,
                                inQuotes(a.name) + " (" + std::string(1, a.range) +
                                    ") comes after " + inQuotes(highestName) +
                                    " of a longer range; draws pick entries by position, so "
                                    "they land on the wrong ones — list short, then mid, then "
                                    "long entries");
            } else {
                highest = b;
                highestName = a.name;
            }
        }
    }
}

void characterChecker::loadMatch() {
    // Everything here is optional to the game: without it the match falls back to
    // plain pictures, so a missing piece is a warning, never an error.
    namespace fs = std::filesystem;
    std::error_code ec;
    for (auto [sheet, name] : {std::pair{&ko_, "ko"}, std::pair{&win_, "win"}}) {
        const std::string folder = folder_ + "/" + name;
        if (fs::is_directory(folder, ec))
            sheet->init(folder, &report_);
        else
            report_.warning(folder_, 0,
                            std::string("no \"") + name +
                                "\" sheet; the match shows the fighter standing instead — add "
                                "a sheet folder " +
                                name);
    }
    const std::string palette = folder_ + "/palette2";
    hasPalette2_ = fs::exists(palette, ec);
    if (hasPalette2_)
        palette2_.load(palette, &report_);
    readHeights(moves_, folder_, &report_);
}

void characterChecker::checkColourSwap() {
    if (!hasPalette2_ || palette2_.size() == 0)
        return;
    // The colours the palette changes, as 0xRRGGBB, each looked for in the frames until
    // all are found: a set of every colour held would cost more than the frames' loading.
    const std::vector<colourPair>& pairs = palette2_.pairs();
    std::vector<Uint32> wanted;
    for (const colourPair& p : pairs)
        wanted.push_back((Uint32(p.from[0]) << 16) | (Uint32(p.from[1]) << 8) | p.from[2]);
    std::vector<bool> found(wanted.size(), false);
    size_t missing = wanted.size();
    std::vector<const CSpriteBase*> sheets{&ko_, &win_};
    for (const animEntry& e : anims_.entries)
        sheets.push_back(&e.sheet);
    for (const moveInfo& m : moves_.moves)
        sheets.push_back(&m.sheet);
    for (const CSpriteBase* sheet : sheets)
        for (const frameInfo& f : sheet->frames)
            if (missing > 0)
                missing -= markColoursHeld(f.image, wanted, found);
    const std::string path = anims_.folder + "/palette2";
    for (size_t i = 0; i < pairs.size(); ++i) {
        const colourPair& p = pairs[i];
        if (!found[i])
            report_.warning(path, p.line,
                            "no frame of the character uses the colour " +
                                std::to_string(p.from[0]) + " " + std::to_string(p.from[1]) + " " +
                                std::to_string(p.from[2]) +
                                ", so this line changes nothing — write a colour the frames "
                                "hold (the frames are recoloured by exact match)");
    }
}

bool characterChecker::hasSound(const std::string& name) const {
    for (const soundSet* set : {&sharedSounds_, &sounds_}) {
        const soundNode* node = set->sounds;
        for (int i = 0; i < set->soundCount && node; ++i, node = node->next)
            if (node->name == name)
                return true;
    }
    return false;
}

const particleInfo* characterChecker::particleCalled(const std::string& name) const {
    for (const partInfoList* list : {&particles_, &defaultParticles_})
        for (const partInfoNode* n = list->head; n; n = n->next)
            if (n->name == name)
                return &n->info;
    return nullptr;
}

std::string characterChecker::particleLists() const {
    return hasParticleList_ ? "particle/default or particle/" + name_ : "particle/default";
}
