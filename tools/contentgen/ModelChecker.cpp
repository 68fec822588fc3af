#include "tools/contentgen/ModelChecker.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <sstream>
#include <tuple>

#include "tools/contentgen/PaletteSwap.h"
#include "tools/contentgen/Score.h"
#include "tools/contentgen/WavEncoder.h"

namespace contentgen {

namespace {

constexpr size_t kMaxWord = 79;      // words the loaders read with %s
constexpr size_t kMaxSoundName = 95; // a frame's sound name
constexpr size_t kMaxLine = 254;     // line plus line end, in a 255-byte buffer
constexpr double kPeak = 0.5;        // a sound's highest sample, of full scale: -6 dBFS

std::string frameName(const std::string& what, size_t index) {
    return what + " frame " + std::to_string(index);
}

bool isButton(char c) {
    return c == 'A' || c == 'B' || c == 'C';
}

bool isOneWord(const std::string& s) {
    return !s.empty() && s.find_first_of(" \t\r\n") == std::string::npos;
}

// The fighter states a move's condition admits, as the engine's condition language
// reads it: "null" always, "ground ... true" on the ground, "ground ..." otherwise in
// the air, anything else never.
struct States {
    bool ground = false;
    bool air = false;
    bool none() const { return !ground && !air; }
};

States admitted(const std::string& condition) {
    if (condition == "null")
        return {true, true};
    std::istringstream words(condition);
    std::string first, second, third;
    words >> first >> second >> third;
    if (first != "ground")
        return {};
    return third == "true" ? States{true, false} : States{false, true};
}

Box screenBox(Box b, Point anchor, int x, int y) {
    return shifted(b, x - anchor.x, y - anchor.y);
}

bool isText(const std::string& path) {
    const auto ends = [&](const char* ext) {
        const std::string e = ext;
        return path.size() >= e.size() && path.compare(path.size() - e.size(), e.size(), e) == 0;
    };
    return !ends(".bmp") && !ends(".wav");
}

} // namespace

ModelChecker::ModelChecker(const ContentModel& model) : model_(model) {}

std::vector<std::string> ModelChecker::run() {
    problems_.clear();
    character_ = nullptr;
    keyColours();
    for (const ParticleDef* p : allParticles())
        frameData(p->sheet, "particle " + p->sheet.name, false);
    frameData(model_.runner, "runner", false);
    for (const Sheet* s : hudSheets())
        frameData(*s, "hud " + s->name, false);
    soundNames();
    soundClips();
    musicLoops();
    harmlessParticles();
    hud();
    if (model_.characters.empty())
        fail("there is no character");
    for (const CharacterModel& c : model_.characters) {
        character_ = &c;
        checkCharacter();
    }
    character_ = nullptr;
    return problems_;
}

void ModelChecker::checkCharacter() {
    requiredNames();
    folderNames();
    frameSizes();
    for (const Sheet* s : fighterSheets())
        frameData(*s, s->name, true);
    moveSounds();
    attackReach();
    frameSounds();
    particleNames();
    projectiles();
    reachability();
    attackTable();
    colourSwap();
}

void ModelChecker::fail(const std::string& problem) {
    problems_.push_back(character_ ? character_->name + ": " + problem : problem);
}

std::vector<const ParticleDef*> ModelChecker::allParticles() const {
    std::vector<const ParticleDef*> all;
    for (const ParticleDef& p : model_.particles)
        all.push_back(&p);
    for (const CharacterModel& c : model_.characters)
        for (const ParticleDef& p : c.particles)
            all.push_back(&p);
    return all;
}

std::vector<const Sheet*> ModelChecker::fighterSheets() const {
    std::vector<const Sheet*> sheets;
    for (const Sheet& a : character_->animations)
        sheets.push_back(&a);
    for (const MoveRecord& m : character_->moves)
        sheets.push_back(&m.sheet);
    for (const Sheet& s : character_->matchSheets)
        sheets.push_back(&s);
    return sheets;
}

std::vector<const Sheet*> ModelChecker::hudSheets() const {
    std::vector<const Sheet*> sheets;
    for (const Sheet* s :
         {&model_.hud.bar, &model_.hud.font, &model_.hud.bigFont, &model_.hud.marker})
        if (!s->frames.empty())
            sheets.push_back(s);
    return sheets;
}

std::vector<const SoundList*> ModelChecker::soundLists() const {
    std::vector<const SoundList*> lists{&model_.sharedSounds, &model_.hud.sounds};
    for (const CharacterModel& c : model_.characters)
        lists.push_back(&c.sounds);
    return lists;
}

bool ModelChecker::hasAnimation(const std::string& name) const {
    for (const Sheet& a : character_->animations)
        if (a.name == name)
            return true;
    return false;
}

bool ModelChecker::hasMove(const std::string& name) const {
    for (const MoveRecord& m : character_->moves)
        if (m.sheet.name == name)
            return true;
    return false;
}

bool ModelChecker::hasSound(const std::string& name) const {
    for (const SoundList* list : {&model_.sharedSounds, &character_->sounds})
        for (const SoundClip& c : list->clips)
            if (c.name == name)
                return true;
    return false;
}

// The default list, and the character's own when one is being checked: what the
// game loads while that character plays.
const ParticleDef* ModelChecker::findParticle(const std::string& name) const {
    for (const ParticleDef& p : model_.particles)
        if (p.sheet.name == name)
            return &p;
    if (character_)
        for (const ParticleDef& p : character_->particles)
            if (p.sheet.name == name)
                return &p;
    return nullptr;
}

void ModelChecker::requiredNames() {
    // Names the engine asks for itself; a missing one silently falls back to the
    // first entry of the list, which looks like a bug in the game.
    for (const char* name : {"blank", "walk", "standing", "duck", "inAir"})
        if (!hasAnimation(name))
            fail(std::string("animation ") + name + " is missing");
    for (const char* name : {"hit1", "blockHi", "blockLo", "blockAir"})
        if (!hasMove(name))
            fail(std::string("move ") + name + " is missing");
}

void ModelChecker::folderNames() {
    // Animations and moves are folders side by side in the character folder, next to
    // the sound and ai folders.
    std::set<std::string> seen{"sound", "ai"};
    for (const Sheet* s : fighterSheets()) {
        if (!isOneWord(s->name) || s->name.size() > kMaxWord)
            fail("name '" + s->name + "' must be one word of at most 79 characters");
        if (!seen.insert(s->name).second)
            fail("name " + s->name + " is used twice in the character folder");
    }
    for (const ParticleDef& p : character_->particles)
        if (!isOneWord(p.sheet.name) || p.sheet.name.size() > kMaxWord)
            fail("particle name '" + p.sheet.name + "' must be one short word");
        else if (p.sheet.name == character_->name || p.sheet.name == "default")
            fail("particle " + p.sheet.name + " takes the name of a particle list");
}

void ModelChecker::frameSizes() {
    const Sheet* blank = nullptr;
    for (const Sheet& a : character_->animations)
        if (a.name == "blank")
            blank = &a;
    if (!blank || blank->frames.empty()) {
        fail("animation blank has no frame to take the fighter's frame size from");
        return;
    }
    const Frame& ref = blank->frames[0];
    if (!ref.image.allPixelsEqual(ref.info.key))
        fail("blank frame 0 must be all key colour");
    for (const Sheet* s : fighterSheets())
        for (size_t i = 0; i < s->frames.size(); ++i) {
            const Frame& f = s->frames[i];
            if (f.image.width() != ref.image.width() || f.image.height() != ref.image.height())
                fail(frameName(s->name, i) + " is " + std::to_string(f.image.width()) + "x" +
                     std::to_string(f.image.height()) + ", blank's first frame is " +
                     std::to_string(ref.image.width()) + "x" + std::to_string(ref.image.height()));
            if (f.info.anchor.x != ref.info.anchor.x || f.info.anchor.y != ref.info.anchor.y)
                fail(frameName(s->name, i) + " has its anchor away from blank's");
        }
}

void ModelChecker::keyColours() {
    // A restore skips key-colour pixels, so a key colour in the stage would leave
    // trails wherever a fighter or particle has passed.
    std::vector<Rgb> keys;
    auto collect = [&keys](const Sheet& s) {
        for (const Frame& f : s.frames)
            if (std::find(keys.begin(), keys.end(), f.info.key) == keys.end())
                keys.push_back(f.info.key);
    };
    for (const CharacterModel& c : model_.characters) {
        character_ = &c;
        for (const Sheet* s : fighterSheets())
            collect(*s);
    }
    character_ = nullptr;
    for (const ParticleDef* p : allParticles())
        collect(p->sheet);
    collect(model_.runner);
    for (const Sheet* s : hudSheets())
        collect(*s);
    for (int y = 0; y < model_.stage.height(); ++y)
        for (int x = 0; x < model_.stage.width(); ++x)
            for (Rgb k : keys)
                if (model_.stage.at(x, y) == k) {
                    fail("stage pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                         ") has a frame's key colour");
                    return;
                }
}

void ModelChecker::frameData(const Sheet& sheet, const std::string& what, bool fighter) {
    std::set<std::string> images;
    for (size_t i = 0; i < sheet.frames.size(); ++i) {
        const FrameRecord& r = sheet.frames[i].info;
        const std::string at = frameName(what, i);
        if (!isOneWord(r.image) || r.image.size() > kMaxWord || !images.insert(r.image).second)
            fail(at + ": image name '" + r.image + "' must be a unique short word");
        if (!isOneWord(r.label) || r.label.size() > kMaxWord)
            fail(at + ": label must be one word of at most 79 characters");
        if (!isOneWord(r.sound) || r.sound.size() > kMaxSoundName)
            fail(at + ": sound name must be one word of at most 95 characters");
        if (r.note.find('\n') != std::string::npos)
            fail(at + ": a note must fit on one comment line");
        if (!fighter)
            continue;
        if (r.damage > 0 && (r.hitType != 1 || isEmpty(r.dBox)))
            fail(at + ": deals damage but has no attack box or hit type 1");
        // Contact is tested even on harmless frames; any real box there would start a
        // hit reaction or a block without damage.
        if (r.damage <= 0 && !(r.dBox == kNoBox))
            fail(at + ": has an attack box but no damage");
        if (isEmpty(r.cBox) && sheet.name != "blank")
            fail(at + ": has no body box");
    }
}

void ModelChecker::moveSounds() {
    // The controller plays a frame's sound when it sees the frame number change; the
    // first frame of a new move does not reliably count as a change.
    for (const MoveRecord& m : character_->moves) {
        const auto& frames = m.sheet.frames;
        if (frames.size() < 2) {
            fail("move " + m.sheet.name + " needs at least two frames");
            continue;
        }
        if (frames[1].info.sound == "NULL")
            fail("move " + m.sheet.name + " has no sound on its second frame");
        for (size_t i = 0; i < frames.size(); ++i)
            if (i != 1 && frames[i].info.sound != "NULL")
                fail(frameName(m.sheet.name, i) + ": sounds belong on the second frame only");
    }
}

void ModelChecker::attackReach() {
    for (const MoveRecord& m : character_->moves) {
        if (m.command.empty() || !isButton(m.command.back()))
            continue;
        bool strikes = false;
        for (const Frame& f : m.sheet.frames) {
            strikes = strikes || f.info.damage > 0 || !f.info.particles.empty();
            if (f.info.damage > 0 && f.info.dBox.right <= f.info.cBox.right)
                fail("move " + m.sheet.name +
                     ": an attack box stops short of its own body's "
                     "front, so it can never touch an opponent");
        }
        if (!strikes)
            fail("move " + m.sheet.name + " never strikes or throws anything");
    }
}

void ModelChecker::soundNames() {
    for (const SoundList* list : soundLists())
        for (const SoundClip& c : list->clips)
            if (!isOneWord(c.name) || c.name.size() > kMaxSoundName)
                fail("sound name '" + c.name + "' in " + list->folder + " is not a short word");
}

void ModelChecker::frameSounds() {
    for (const Sheet* s : fighterSheets())
        for (size_t i = 0; i < s->frames.size(); ++i) {
            const std::string& name = s->frames[i].info.sound;
            if (name != "NULL" && !hasSound(name))
                fail(frameName(s->name, i) + ": sound " + name + " is in neither sound list");
        }
}

void ModelChecker::soundClips() {
    for (const SoundList* list : soundLists())
        for (const SoundClip& c : list->clips) {
            const double seconds = double(c.samples.size()) / WavEncoder::kSampleRate;
            if (seconds < 0.1 || seconds > 0.6)
                fail("sound " + c.name + " lasts " + std::to_string(seconds) +
                     " s; effects are kept between 0.1 and 0.6 s");
            // The mixer adds overlapping sounds: at -6 dBFS two at once cannot clip.
            double peak = 0.0;
            for (double v : c.samples)
                peak = std::max(peak, std::fabs(v));
            if (peak > kPeak)
                fail("sound " + c.name + " in " + list->folder + " peaks at " +
                     std::to_string(peak) + " of full scale; effects stay at or below 0.5 " +
                     "(-6 dBFS)");
        }
}

void ModelChecker::musicLoops() {
    for (const MusicLoop& m : model_.music) {
        const std::vector<double>& s = m.samples;
        const double seconds = double(s.size()) / kMusicRate;
        if (seconds < 60.0)
            fail("music " + m.name + " lasts " + std::to_string(seconds) +
                 " s; a loop plays at least a minute before it repeats");
        if (s.size() < 130)
            continue;
        double peak = 0.0;
        double sum = 0.0;
        for (double v : s) {
            peak = std::max(peak, std::fabs(v));
            sum += v;
        }
        if (peak > kPeak)
            fail("music " + m.name + " peaks at " + std::to_string(peak) +
                 " of full scale; music stays at or below 0.5 (-6 dBFS)");
        // An offset clicks when the music starts and stops.
        if (std::fabs(sum / double(s.size())) > 0.002)
            fail("music " + m.name + " stands off zero by " +
                 std::to_string(sum / double(s.size())) + "; it must swing about zero");
        // The loop's last sample is followed by its first: that step must be no bigger
        // than the steps around it, or the seam clicks every time round.
        const size_t n = s.size();
        double near = 0.0;
        for (size_t i = 0; i < 64; ++i)
            near = std::max(
                {near, std::fabs(s[i + 1] - s[i]), std::fabs(s[n - 1 - i] - s[n - 2 - i])});
        const double seam = std::fabs(s[0] - s[n - 1]);
        if (seam > 1.5 * near + 1e-4)
            fail("music " + m.name + " does not lead from its end into its start: a step of " +
                 std::to_string(seam) + " at the seam, at most " + std::to_string(near) +
                 " beside it");
    }
}

void ModelChecker::particleNames() {
    auto check = [this](const SpawnLine& line, const std::string& at) {
        if (!findParticle(line.name))
            fail(at + ": particle " + line.name + " is not in the particle list");
    };
    for (const Sheet* s : fighterSheets())
        for (size_t i = 0; i < s->frames.size(); ++i)
            for (const SpawnLine& line : s->frames[i].info.particles)
                check(line, frameName(s->name, i));
    // A particle's own spawns name particles loaded with it: the default list's stay
    // within it, a character's list may also use the default one.
    std::vector<const ParticleDef*> defs;
    for (const ParticleDef& p : character_->particles)
        defs.push_back(&p);
    if (character_ == &model_.characters.front())
        for (const ParticleDef& p : model_.particles)
            defs.push_back(&p);
    for (const ParticleDef* p : defs) {
        for (const SpawnLine& line : p->onDeath)
            check(line, "particle " + p->sheet.name + " OnDeath");
        for (size_t i = 0; i < p->sheet.frames.size(); ++i)
            for (const SpawnLine& line : p->sheet.frames[i].info.particles)
                check(line, frameName("particle " + p->sheet.name, i));
    }
}

void ModelChecker::harmlessParticles() {
    // A particle hit is spent on whoever it touches and can start a block, damage or
    // not, so a particle meant only for show must have a body box nothing can touch.
    for (const ParticleDef* p : allParticles())
        for (size_t i = 0; i < p->sheet.frames.size(); ++i) {
            const FrameRecord& r = p->sheet.frames[i].info;
            if (r.damage <= 0 && !(r.cBox == kNoBox))
                fail(frameName("particle " + p->sheet.name, i) +
                     ": harmless but has a body box that fighters can touch");
        }
}

void ModelChecker::projectiles() {
    // Particles hit every fighter, their owner included: a projectile must leave
    // outside the owner's body, and the owner's body must stay clear of it for the
    // rest of the move (the particle only moves away).
    for (const Sheet* s : fighterSheets())
        for (size_t i = 0; i < s->frames.size(); ++i)
            for (const SpawnLine& line : s->frames[i].info.particles) {
                const ParticleDef* p = findParticle(line.name);
                if (!p || p->sheet.frames.empty())
                    continue;
                const FrameRecord& pf = p->sheet.frames[0].info;
                const Box shot = screenBox(pf.cBox, pf.anchor, line.x, -line.y);
                for (size_t j = i; j < s->frames.size(); ++j) {
                    const FrameRecord& owner = s->frames[j].info;
                    if (overlaps(shot, screenBox(owner.cBox, owner.anchor, 0, 0)))
                        fail(frameName(s->name, i) + ": " + line.name +
                             " spawns inside the "
                             "body box of frame " +
                             std::to_string(j) + " and would hit its owner");
                }
            }
}

void ModelChecker::reachability() {
    // The input checker takes the first move in file order whose command occurs in the
    // buffered letters and whose condition holds. A later move is dead when, in every
    // state its condition admits, an earlier move with a command inside its own wins.
    const auto& moves = character_->moves;
    for (size_t i = 0; i < moves.size(); ++i) {
        const MoveRecord& m = moves[i];
        if (m.command.empty() || !isButton(m.command.back()))
            continue;
        States left = admitted(m.condition);
        if (left.none()) {
            fail("move " + m.sheet.name + ": condition '" + m.condition + "' never holds");
            continue;
        }
        std::string shadows;
        for (size_t j = 0; j < i; ++j) {
            const MoveRecord& e = moves[j];
            if (e.command.empty() || e.command.back() != m.command.back() ||
                m.command.find(e.command) == std::string::npos)
                continue;
            const States taken = admitted(e.condition);
            left.ground = left.ground && !taken.ground;
            left.air = left.air && !taken.air;
            shadows += (shadows.empty() ? "" : ", ") + e.sheet.name;
        }
        if (left.none())
            fail("move " + m.sheet.name + " (" + m.command + ") can never be performed: " +
                 shadows + " comes first and matches whenever it would");
    }
}

void ModelChecker::attackTable() {
    const auto& groups = character_->attacks.groups;
    if (groups[0].empty() || groups[2].empty())
        fail("attack file: the ground group (0) and the air group (2) need entries");
    for (size_t g = 0; g < groups.size(); ++g) {
        int band = 0; // entries are drawn by position, so bands must come in S, M, L order
        for (const AttackEntry& e : groups[g]) {
            if (!hasMove(e.move))
                fail("attack file group " + std::to_string(g) + ": " + e.move + " is not a move");
            const std::string order = "SML";
            const size_t b = order.find(e.range);
            if (b == std::string::npos)
                fail("attack file group " + std::to_string(g) + ": " + e.move +
                     " has range letter '" + std::string(1, e.range) + "', not S, M or L");
            else if (static_cast<int>(b) < band)
                fail("attack file group " + std::to_string(g) + ": " + e.move +
                     " is out of S, M, L order");
            else
                band = static_cast<int>(b);
        }
    }
}

void ModelChecker::colourSwap() {
    // The swap must change only the clothes: a colour that also appears elsewhere in the
    // figure would be repainted there too, and the key must stay the key.
    std::set<std::tuple<uint8_t, uint8_t, uint8_t>> used;
    for (const Sheet* s : fighterSheets())
        for (const Frame& f : s->frames)
            for (int y = 0; y < f.image.height(); ++y)
                for (int x = 0; x < f.image.width(); ++x) {
                    const Rgb c = f.image.at(x, y);
                    used.insert({c.r, c.g, c.b});
                }
    std::set<std::tuple<uint8_t, uint8_t, uint8_t>> from;
    for (const ColourPair& p : character_->palette2) {
        const std::string at = "palette2 " + std::to_string(p.from.r) + " " +
                               std::to_string(p.from.g) + " " + std::to_string(p.from.b);
        if (p.from == kKeyColour || p.to == kKeyColour)
            fail(at + ": maps from or to the key colour");
        if (!used.count({p.from.r, p.from.g, p.from.b}))
            fail(at + ": no frame of the character holds this colour");
        if (!from.insert({p.from.r, p.from.g, p.from.b}).second)
            fail(at + ": the colour is mapped twice");
        for (Rgb other : character_->keptColours)
            for (Rgb shade : PaletteSwap::shadesOf(other))
                if (shade == p.from)
                    fail(at + ": the colour is also a shade of skin, hair, belt or outline");
    }
}

void ModelChecker::hud() {
    // The match draws the bar's fill and damage into the plate's body box, and looks
    // glyphs up by their label; anything else would be drawn wrongly or not at all.
    const Sheet& bar = model_.hud.bar;
    if (!bar.frames.empty()) {
        const Box in = bar.frames[0].info.cBox;
        const Image& plate = bar.frames[0].image;
        if (bar.frames.size() != 3)
            fail("hud bar needs 3 frames: plate, fill, damage");
        if (isEmpty(in) || in.left < 0 || in.top < 0 || in.right >= plate.width() ||
            in.bottom >= plate.height())
            fail("hud bar: the plate's body box must be a non-empty box inside the plate");
        for (int y = 0; y < plate.height(); ++y)
            for (int x = 0; x < plate.width(); ++x)
                if (plate.at(x, y) == bar.frames[0].info.key) {
                    fail("hud bar: the plate must be opaque, without key colour");
                    y = plate.height();
                    break;
                }
        for (size_t i = 1; i < bar.frames.size(); ++i)
            if (bar.frames[i].image.width() != in.right - in.left + 1 ||
                bar.frames[i].image.height() != in.bottom - in.top + 1)
                fail(frameName("hud bar", i) + " must be the size of the plate's inside");
    }
    for (const Sheet* font : {&model_.hud.font, &model_.hud.bigFont}) {
        if (font->frames.empty())
            continue;
        std::set<std::string> labels;
        for (const Frame& f : font->frames) {
            if (!labels.insert(f.info.label).second)
                fail("hud " + font->name + ": two glyphs labelled " + f.info.label);
            if (f.image.width() != font->frames[0].image.width() ||
                f.image.height() != font->frames[0].image.height())
                fail("hud " + font->name + ": glyph " + f.info.label + " is not the common size");
        }
        for (char c : std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"))
            if (!labels.count(std::string(1, c)))
                fail("hud " + font->name + " has no glyph for " + std::string(1, c));
    }
    if (!model_.hud.marker.frames.empty() && model_.hud.marker.frames.size() != 2)
        fail("hud marker needs 2 frames: a round not won, a round won");
}

std::vector<std::string> ModelChecker::checkText(const FileSet& files) {
    std::vector<std::string> problems;
    for (const auto& [path, bytes] : files.files()) {
        if (!isText(path))
            continue;
        size_t lineNo = 1;
        size_t length = 0;
        for (uint8_t c : bytes) {
            if (c == '\n') {
                if (length + 1 > kMaxLine)
                    problems.push_back(path + ":" + std::to_string(lineNo) + ": line of " +
                                       std::to_string(length) + " characters is too long");
                ++lineNo;
                length = 0;
            } else {
                ++length;
            }
        }
        if (length > 0)
            problems.push_back(path + ": last line has no line end");
    }
    return problems;
}

} // namespace contentgen
