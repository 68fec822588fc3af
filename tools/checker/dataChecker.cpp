#include "tools/checker/dataChecker.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <system_error>

#include "datafile/bmpHeader.h"
#include "datafile/loadReport.h"
#include "datafile/textLine.h"
#include "fighter/characterCheck.h"
#include "particles/particleList.h"

namespace {

// Lines of a frame block, counted from its first line (the image line).
constexpr int kAttackBoxLine = 3;
constexpr int kSoundLine = 9;
constexpr int kFirstParticleLine = 11;
// In a particle definition file the OnDeath count is line 6, its entries follow.
constexpr int kFirstDeathLine = 7;
// In a move block the condition is the 11th line.
constexpr int kConditionLine = 10;

std::string inQuotes(const std::string& text) {
    return "\"" + text + "\"";
}

bool isButton(char c) {
    return c == 'A' || c == 'B' || c == 'C';
}

bool emptyBox(const colBox& b) {
    return b.left > b.right || b.top > b.bottom;
}

// A box moved by (dx, dy).
colBox shifted(colBox b, int dx, int dy) {
    return colBox{b.left + dx, b.top + dy, b.right + dx, b.bottom + dy};
}

bool overlap(const colBox& a, const colBox& b) {
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
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

dataChecker::dataChecker(const std::string& dataRoot, loadReport& report)
    : root_(dataRoot), report_(report) {}

dataChecker::~dataChecker() {
    if (stage_)
        SDL_FreeSurface(stage_);
}

void dataChecker::run() {
    std::error_code ec;
    if (!std::filesystem::is_directory(root_, ec)) {
        report_.error(root_, 0,
                      "no data folder here — give the folder that holds run/, Brawler/, "
                      "particle/, soundSet/ and tBG2.bmp");
        return;
    }
    load();
    loadMatch();
    checkCharacterNames();
    checkNamedFolders();
    for (const sheetRef& ref : sheets())
        checkSheet(ref);
    checkDeathParticles();
    checkConditions();
    checkReachableMoves();
    checkAttackTable();
    checkStage();
    checkColourSwap();
    checkHud();
}

void dataChecker::load() {
    // The game's start-up order: the shell's two sheets, the character, the sounds,
    // the particle definitions, the stage and the opponent's attack table.
    run_.init(root_ + "/run", &report_);
    fireball_.init(root_ + "/particle/fireball1", &report_);
    anims_.loadAll(root_ + "/Brawler", &report_);
    moves_.loadAll(root_ + "/Brawler", &report_);
    sounds_.getList(root_ + "/soundSet", &report_);
    sounds_.addToList(root_ + "/Brawler/sound", &report_);
    particles_.addList("default", SDL_GetVideoSurface(), root_, &report_);
    std::string stagePath = root_ + "/tBG2.bmp";
    SDL_RWops* rw = SDL_RWFromFile(stagePath.c_str(), "rb");
    if (!rw) {
        report_.error(stagePath, 0, "missing stage image — add the 800x600 background BMP");
    } else if (SDL_Surface* raw = bmpheader::loadBounded(rw)) {
        stage_ = SDL_DisplayFormat(raw);
        SDL_FreeSurface(raw);
    } else {
        report_.error(stagePath, 0,
                      std::string("SDL cannot decode the stage image (") + SDL_GetError() +
                          ") — save it as an uncompressed BMP");
    }
    attacks_.getList(root_ + "/Brawler/ai", &report_);
}

std::vector<dataChecker::sheetRef> dataChecker::sheets() const {
    std::vector<sheetRef> out;
    out.push_back({&run_, root_ + "/run/info", false});
    for (const animEntry& e : anims_.entries)
        if (!e.name.empty())
            out.push_back({&e.sheet, anims_.folder + "/" + e.name + "/info", true});
    for (const moveInfo& m : moves_.moves)
        if (!m.name.empty())
            out.push_back({&m.sheet, moves_.folder + "/" + m.name + "/info", true});
    if (ko_.loaded)
        out.push_back({&ko_, anims_.folder + "/ko/info", true});
    if (win_.loaded)
        out.push_back({&win_, anims_.folder + "/win/info", true});
    const std::string hud = root_ + "/hud/";
    // The bar's plate is larger than its fill by design.
    if (hudBar_.loaded)
        out.push_back({&hudBar_, hud + "bar/info", false, false});
    for (auto [sheet, name] : {std::pair{&hudFont_, "font"}, std::pair{&hudBigFont_, "bigfont"},
                               std::pair{&hudMarker_, "marker"}})
        if (sheet->loaded)
            out.push_back({sheet, hud + name + "/info", false});
    // The definitions' sheets include fireball1, which the shell also loads itself.
    for (const partInfoNode* n = particles_.head; n; n = n->next)
        if (n->info.sheet && !n->name.empty())
            out.push_back({n->info.sheet.get(), root_ + "/particle/" + n->name + "/info", false});
    return out;
}

void dataChecker::checkCharacterNames() {
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

void dataChecker::checkNamedFolders() {
    // The loaders report a missing folder where they looked for it; the line to fix is
    // the one that names it, so that is reported too.
    for (size_t i = 0; i < anims_.entries.size(); ++i)
        checkFolderNamed(anims_.folder + "/info", 2 + static_cast<int>(i), "animation",
                         anims_.folder, anims_.entries[i].name);
    for (const moveInfo& m : moves_.moves)
        checkFolderNamed(moves_.folder + "/moveset", m.line, "move", moves_.folder, m.name);
    for (const partInfoNode* n = particles_.head; n; n = n->next)
        checkFolderNamed(root_ + "/particle/default", n->line, "particle", root_ + "/particle",
                         n->name);
}

void dataChecker::checkFolderNamed(const std::string& list, int line, const std::string& what,
                                   const std::string& parent, const std::string& name) {
    std::error_code ec;
    if (name.empty() || std::filesystem::is_directory(parent + "/" + name, ec))
        return;
    report_.error(list, line,
                  "no " + what + " folder " + inQuotes(name) + " in " + parent +
                      " — add the folder with its files, or fix the name here");
}

void dataChecker::checkSheet(const sheetRef& ref) {
    const frameInfo* first = nullptr;
    for (const frameInfo& f : ref.sheet->frames) {
        if (f.image && !first) {
            first = &f;
        } else if (f.image && ref.uniform &&
                   (f.image->w != first->image->w || f.image->h != first->image->h ||
                    f.anchorX != first->anchorX || f.anchorY != first->anchorY)) {
            report_.warning(
                ref.info, f.infoLine,
                "the frame is " + std::to_string(f.image->w) + "x" + std::to_string(f.image->h) +
                    " anchored at " + std::to_string(f.anchorX) + "," + std::to_string(f.anchorY) +
                    ", the sheet's first frame " + std::to_string(first->image->w) + "x" +
                    std::to_string(first->image->h) + " at " + std::to_string(first->anchorX) +
                    "," + std::to_string(first->anchorY) +
                    "; saving and restoring the background costs more — give every "
                    "frame one size and anchor");
        }
        if (ref.fighter && f.damage > 0 && emptyBox(f.dBox))
            report_.warning(ref.info, f.infoLine + kAttackBoxLine,
                            "the frame deals " + std::to_string(f.damage) +
                                " damage but its attack box is empty, so it never hits — give "
                                "it an attack box or damage 0");
        // Only a fighter's frames play sounds and spawn particles.
        if (!ref.fighter)
            continue;
        if (f.soundName != "NULL" && !hasSound(f.soundName))
            report_.error(ref.info, f.infoLine + kSoundLine,
                          "no sound " + inQuotes(f.soundName) +
                              " in soundSet/sound or Brawler/sound/sound — add it there, or "
                              "write NULL for none");
        checkFrameParticles(ref, f);
    }
}

void dataChecker::checkFrameParticles(const sheetRef& ref, const frameInfo& f) {
    for (size_t k = 0; k < f.particleNames.size(); ++k) {
        int line = f.infoLine + kFirstParticleLine + static_cast<int>(k);
        std::vector<std::string> words = textline::words(f.particleNames[k], 3);
        std::string name = words.empty() ? std::string() : words[0];
        if (name == "NULL")
            continue;
        const particleInfo* p = particleCalled(name);
        if (!p) {
            report_.error(ref.info, line,
                          "no particle " + inQuotes(name) +
                              " in particle/default — add it there, or fix the name");
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

void dataChecker::checkDeathParticles() {
    for (const partInfoNode* n = particles_.head; n; n = n->next) {
        int selves = 0;
        int firstSelf = 0;
        for (size_t k = 0; k < n->info.deathParts.size(); ++k) {
            std::string name = textline::firstWord(n->info.deathParts[k]);
            int line = kFirstDeathLine + static_cast<int>(k);
            if (name != "NULL" && !particleCalled(name))
                report_.error(n->info.definitionFile, line,
                              "no particle " + inQuotes(name) +
                                  " in particle/default — add it there, or fix the name");
            if (name == n->name && selves++ == 0)
                firstSelf = line;
        }
        checkSelfSpawn(*n, selves, firstSelf);
    }
}

void dataChecker::checkSelfSpawn(const partInfoNode& n, int selves, int line) {
    // One copy of itself is a chain that never ends; more than one doubles (or worse) at
    // every death, and the game's particle list stops it only at its cap.
    if (selves == 1)
        report_.warning(n.info.definitionFile, line,
                        "the particle " + inQuotes(n.name) +
                            " names itself in its death list, so it respawns for ever — "
                            "end the chain with another particle unless that is meant");
    else if (selves > 1)
        report_.warning(
            n.info.definitionFile, line,
            "the particle " + inQuotes(n.name) + " names itself " + std::to_string(selves) +
                " times in its death list, so it multiplies at every death until "
                "the game's particle list is full (" +
                std::to_string(particleList::kCap) + " particles) — name it at most once");
}

void dataChecker::checkConditions() {
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

void dataChecker::checkReachableMoves() {
    // The input checker takes the first move in file order whose command occurs in the
    // buffered letters; an earlier unconditional move whose command lies inside a later
    // one's always wins.
    std::string path = moves_.folder + "/moveset";
    const std::vector<moveInfo>& all = moves_.moves;
    for (size_t i = 0; i < all.size(); ++i) {
        const moveInfo& m = all[i];
        if (m.command.empty() || !isButton(m.command.back()))
            continue;
        for (size_t j = 0; j < i; ++j) {
            const moveInfo& e = all[j];
            if (e.command.empty() || e.command.back() != m.command.back() ||
                e.condition != "null" || m.command.find(e.command) == std::string::npos)
                continue;
            report_.warning(path, m.line + 1,
                            "the move " + inQuotes(m.name) + " (" + m.command +
                                ") can never be performed: " + inQuotes(e.name) + " (" + e.command +
                                ") comes earlier and matches first — put " + inQuotes(m.name) +
                                " before " + inQuotes(e.name));
            break;
        }
    }
}

void dataChecker::checkAttackTable() {
    const std::string& path = attacks_.path;
    for (int g = 0; g < aiAttackList::kGroupCount; ++g) {
        int highest = 0;
        std::string highestName;
        for (const aiAttack& a : attacks_.groups[g]) {
            if (!hasMove(a.name))
                report_.error(path, a.line,
                              "no move " + inQuotes(a.name) +
                                  " in Brawler/moveset; the opponent would play the first move "
                                  "in its place — fix the name or add the move");
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

void dataChecker::checkStage() {
    if (!stage_)
        return;
    // A restore skips key-colour pixels, so stage pixels of a sheet's key colour are
    // never put back once something has been drawn over them.
    const Uint32 rgb = stage_->format->Rmask | stage_->format->Gmask | stage_->format->Bmask;
    std::map<Uint32, std::string> keys; // key pixel -> first info file:line using it
    for (const sheetRef& ref : sheets())
        for (const frameInfo& f : ref.sheet->frames)
            if (f.image && (f.image->flags & SDL_SRCCOLORKEY) &&
                f.image->format->BitsPerPixel == stage_->format->BitsPerPixel)
                keys.emplace(f.image->format->colorkey & rgb,
                             ref.info + ":" + std::to_string(f.infoLine));
    if (keys.empty() || stage_->format->BytesPerPixel != 4)
        return;
    std::map<Uint32, long> counts;
    SDL_LockSurface(stage_);
    for (int y = 0; y < stage_->h; ++y) {
        const Uint32* row = reinterpret_cast<const Uint32*>(
            static_cast<const Uint8*>(stage_->pixels) + y * stage_->pitch);
        for (int x = 0; x < stage_->w; ++x) {
            Uint32 p = row[x] & rgb;
            if (keys.count(p))
                ++counts[p];
        }
    }
    SDL_UnlockSurface(stage_);
    for (const auto& [key, n] : counts) {
        Uint8 r = 0;
        Uint8 g = 0;
        Uint8 b = 0;
        SDL_GetRGB(key, stage_->format, &r, &g, &b);
        report_.warning(root_ + "/tBG2.bmp", 0,
                        "the stage holds " + std::to_string(n) + (n == 1 ? " pixel" : " pixels") +
                            " of the colour " + std::to_string(r) + "," + std::to_string(g) + "," +
                            std::to_string(b) + ", the colour key of " + keys[key] +
                            "; they are never restored once drawn over — repaint them or "
                            "choose another key colour");
    }
}

void dataChecker::loadMatch() {
    // Everything here is optional to the game: without it the match falls back to
    // plain pictures, so a missing piece is a warning, never an error.
    namespace fs = std::filesystem;
    std::error_code ec;
    const std::string character = anims_.folder;
    for (auto [sheet, name] : {std::pair{&ko_, "ko"}, std::pair{&win_, "win"}}) {
        const std::string folder = character + "/" + name;
        if (fs::is_directory(folder, ec))
            sheet->init(folder, &report_);
        else
            report_.warning(character, 0,
                            std::string("no \"") + name +
                                "\" sheet; the match shows the fighter standing instead — add "
                                "a sheet folder " +
                                name);
    }
    const std::string palette = character + "/palette2";
    hasPalette2_ = fs::exists(palette, ec);
    if (hasPalette2_)
        palette2_.load(palette, &report_);
    const std::string hud = root_ + "/hud";
    hasHud_ = fs::is_directory(hud, ec);
    if (!hasHud_) {
        report_.warning(hud, 0,
                        "missing folder " + hud +
                            "; the match is played with plain bars and no banners — add the "
                            "HUD sheets bar, font, bigfont and marker, and its sound list");
        return;
    }
    hudBar_.init(hud + "/bar", &report_);
    hudFont_.init(hud + "/font", &report_);
    hudBigFont_.init(hud + "/bigfont", &report_);
    hudMarker_.init(hud + "/marker", &report_);
    hudSounds_.getList(hud, &report_);
}

void dataChecker::checkColourSwap() {
    if (!hasPalette2_ || palette2_.size() == 0)
        return;
    // Every colour any frame of the character holds, as 0xRRGGBB.
    std::set<Uint32> used;
    std::vector<const CSpriteBase*> sheets{&ko_, &win_};
    for (const animEntry& e : anims_.entries)
        sheets.push_back(&e.sheet);
    for (const moveInfo& m : moves_.moves)
        sheets.push_back(&m.sheet);
    for (const CSpriteBase* sheet : sheets)
        for (const frameInfo& f : sheet->frames) {
            SDL_Surface* s = f.image;
            if (!s || s->format->BytesPerPixel != 4)
                continue;
            SDL_LockSurface(s);
            for (int y = 0; y < s->h; ++y) {
                const Uint32* row = reinterpret_cast<const Uint32*>(
                    static_cast<const Uint8*>(s->pixels) + y * s->pitch);
                for (int x = 0; x < s->w; ++x) {
                    Uint8 r, g, b;
                    SDL_GetRGB(row[x], s->format, &r, &g, &b);
                    used.insert((Uint32(r) << 16) | (Uint32(g) << 8) | b);
                }
            }
            SDL_UnlockSurface(s);
        }
    const std::string path = anims_.folder + "/palette2";
    for (const colourPair& p : palette2_.pairs()) {
        Uint32 from = (Uint32(p.from[0]) << 16) | (Uint32(p.from[1]) << 8) | p.from[2];
        if (!used.count(from))
            report_.warning(path, p.line,
                            "no frame of the character uses the colour " +
                                std::to_string(p.from[0]) + " " + std::to_string(p.from[1]) + " " +
                                std::to_string(p.from[2]) +
                                ", so this line changes nothing — write a colour the frames "
                                "hold (the frames are recoloured by exact match)");
    }
}

void dataChecker::checkHud() {
    if (!hasHud_)
        return;
    const std::string hud = root_ + "/hud/";
    // The match draws life into the plate's body box, filling it with the fill frame and
    // the damage frame, so both must be exactly the inside's size.
    const std::string bar = hud + "bar/info";
    if (hudBar_.loaded && hudBar_.frameCount < 3) {
        report_.error(bar, 1,
                      "the bar has " + std::to_string(hudBar_.frameCount) +
                          " frames; the match needs 3 — give it the plate, the fill and the "
                          "damage segment, in that order");
    } else if (hudBar_.loaded && hudBar_.frames[0].image) {
        const frameInfo& plate = hudBar_.frames[0];
        const colBox& in = plate.cBox;
        if (emptyBox(in) || in.left < 0 || in.top < 0 || in.right >= plate.image->w ||
            in.bottom >= plate.image->h) {
            report_.error(bar, plate.infoLine + 2,
                          "the plate's body box is empty or reaches outside its " +
                              std::to_string(plate.image->w) + "x" +
                              std::to_string(plate.image->h) +
                              " image; it marks where life shows — give it the inside of the "
                              "plate, in image pixels");
        } else {
            const int w = in.right - in.left + 1;
            const int h = in.bottom - in.top + 1;
            for (int i : {1, 2}) {
                const frameInfo& f = hudBar_.frames[i];
                if (f.image && (f.image->w != w || f.image->h != h))
                    report_.error(bar, f.infoLine,
                                  std::string(i == 1 ? "the fill" : "the damage segment") + " is " +
                                      std::to_string(f.image->w) + "x" +
                                      std::to_string(f.image->h) + ", the plate's inside " +
                                      std::to_string(w) + "x" + std::to_string(h) +
                                      " — draw it the size of the plate's body box");
            }
        }
    }
    for (auto [sheet, name] : {std::pair{&hudFont_, "font"}, std::pair{&hudBigFont_, "bigfont"}}) {
        if (!sheet->loaded)
            continue;
        std::set<std::string> labels;
        for (const frameInfo& f : sheet->frames)
            labels.insert(f.label);
        for (char c : std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"))
            if (!labels.count(std::string(1, c)))
                report_.error(hud + name + "/info", 0,
                              "no glyph for \"" + std::string(1, c) +
                                  "\"; the match leaves a gap where it belongs — add a frame "
                                  "labelled " +
                                  std::string(1, c));
    }
    if (hudMarker_.loaded && hudMarker_.frameCount < 2)
        report_.error(hud + "marker/info", 1,
                      "the marker has " + std::to_string(hudMarker_.frameCount) +
                          " frames; the match needs 2 — give it a round not won, then a round "
                          "won");
}

bool dataChecker::hasSound(const std::string& name) const {
    const soundNode* node = sounds_.sounds;
    for (int i = 0; i < sounds_.soundCount && node; ++i, node = node->next)
        if (node->name == name)
            return true;
    return false;
}

const particleInfo* dataChecker::particleCalled(const std::string& name) const {
    for (const partInfoNode* n = particles_.head; n; n = n->next)
        if (n->name == name)
            return &n->info;
    return nullptr;
}

bool dataChecker::hasMove(const std::string& name) const {
    return std::any_of(moves_.moves.begin(), moves_.moves.end(),
                       [&](const moveInfo& m) { return m.name == name; });
}
