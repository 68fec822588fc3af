#include "tools/contentgen/ContentWriter.h"

#include <sstream>

#include "tools/contentgen/BmpEncoder.h"
#include "tools/contentgen/Layout.h"
#include "tools/contentgen/Score.h"
#include "tools/contentgen/WavEncoder.h"

namespace contentgen {

namespace {

std::string boxLine(Box b) {
    std::ostringstream s;
    s << b.left << ' ' << b.top << ' ' << b.right << ' ' << b.bottom << '\n';
    return s.str();
}

std::string spawnLine(const SpawnLine& p) {
    std::ostringstream s;
    s << p.name << ' ' << p.x << ' ' << p.y << '\n';
    return s.str();
}

// The fourteen lines of one frame, plus its particle lines after line 11.
std::string frameBlock(const FrameRecord& f) {
    std::ostringstream s;
    if (!f.note.empty())
        s << "# " << f.note << '\n';
    s << f.image << ' ' << f.delay << ' ' << int(f.key.r) << ' ' << int(f.key.g) << ' '
      << int(f.key.b) << '\n';
    s << f.anchor.x << ' ' << f.anchor.y << '\n';
    s << boxLine(f.cBox) << boxLine(f.dBox);
    s << f.damage << '\n' << f.flag1 << '\n' << f.hitType << '\n';
    s << f.point1.x << ' ' << f.point1.y << '\n' << f.point2.x << ' ' << f.point2.y << '\n';
    s << f.sound << '\n' << f.particles.size() << '\n';
    for (const SpawnLine& p : f.particles)
        s << spawnLine(p);
    s << f.moveX << ' ' << f.moveY << '\n' << f.flag2 << '\n' << f.label << '\n';
    return s.str();
}

// Lines 3 to 10 of a move block are read by the engine and never used; they are
// written as zeros and the word "none" so that every line still parses.
const char* const kMovePlaceholders = "0\nnone\n0\n0\nnone\n0\n0\n0\n";

} // namespace

std::string ContentWriter::sheetInfo(const Sheet& sheet) {
    std::string text = "FILES: " + std::to_string(sheet.frames.size()) + "\n";
    for (const Frame& f : sheet.frames)
        text += frameBlock(f.info);
    return text;
}

std::string ContentWriter::animationList(const std::vector<Sheet>& animations) {
    std::string text = "ANIMS: " + std::to_string(animations.size()) + "\n";
    for (const Sheet& a : animations)
        text += a.name + "\n";
    return text;
}

std::string ContentWriter::moveset(const std::vector<MoveRecord>& moves) {
    std::string text = "ANIMS: " + std::to_string(moves.size()) + "\n";
    for (const MoveRecord& m : moves)
        text += m.sheet.name + "\n" + m.command + "\n" + kMovePlaceholders + m.condition + "\n";
    return text;
}

std::string ContentWriter::particleList(const std::vector<ParticleDef>& particles) {
    std::string text = "PARTS: " + std::to_string(particles.size()) + "\n";
    for (const ParticleDef& p : particles)
        text += p.sheet.name + " " + std::to_string(p.listNumber) + "\n";
    return text;
}

std::string ContentWriter::particleDefinition(const ParticleDef& p) {
    std::ostringstream s;
    s << p.alpha << '\n' << p.lifetimeMs << '\n' << (p.gravity ? 1 : 0) << '\n' << "0\n0\n";
    s << p.onDeath.size() << '\n';
    for (const SpawnLine& line : p.onDeath)
        s << spawnLine(line);
    s << "0\n0\n0\n0\n"; // the four hit events, which the engine never raises
    return s.str();
}

std::string ContentWriter::soundList(const SoundList& sounds) {
    std::string text = "SOUNDS: " + std::to_string(sounds.clips.size()) + "\n";
    for (const SoundClip& c : sounds.clips)
        text += c.name + "\n";
    return text;
}

std::string ContentWriter::attackFile(const AttackTable& attacks) {
    std::string text;
    for (const auto& group : attacks.groups) {
        text += "Attacks: " + std::to_string(group.size()) + "\n";
        for (const AttackEntry& e : group)
            text += e.move + "\n" + std::string(1, e.range) + "\n";
    }
    return text;
}

std::string ContentWriter::colourSwap(const std::string& character,
                                      const std::vector<ColourPair>& pairs) {
    std::ostringstream s;
    s << "# The " << character << "'s second colours, worn when both sides play him.\n"
      << "# Each line: a colour of the frames (R G B), then the colour worn instead.\n";
    for (const ColourPair& p : pairs)
        s << int(p.from.r) << ' ' << int(p.from.g) << ' ' << int(p.from.b) << "  " << int(p.to.r)
          << ' ' << int(p.to.g) << ' ' << int(p.to.b) << '\n';
    return s.str();
}

std::string ContentWriter::heights(const std::string& character,
                                   const std::vector<MoveRecord>& moves) {
    std::ostringstream s;
    s << "# Where each of " << character << "'s attacks strikes, read by the match only.\n"
      << "# Each line: a move, then high, mid, low (block it crouching) or overhead (block\n"
      << "# it standing). A move not named is mid: blocked either way.\n";
    for (const MoveRecord& m : moves)
        if (m.command != "N")
            s << m.sheet.name << ' ' << m.height << '\n';
    return s.str();
}

void ContentWriter::addSheet(FileSet& files, const std::string& folder, const Sheet& sheet) {
    files.addText(folder + "/info", sheetInfo(sheet));
    for (const Frame& f : sheet.frames)
        files.addBytes(folder + "/" + f.info.image, BmpEncoder::encode(f.image));
}

void ContentWriter::addSounds(FileSet& files, const SoundList& sounds) {
    files.addText(sounds.folder + "/sound", soundList(sounds));
    for (const SoundClip& c : sounds.clips)
        files.addBytes(sounds.folder + "/" + c.name + ".wav", WavEncoder::encode(c.samples));
}

void ContentWriter::addCharacter(FileSet& files, const CharacterModel& c) {
    const std::string folder = std::string(layout::kData) + "/" + c.name;
    files.addText(folder + "/info", animationList(c.animations));
    for (const Sheet& a : c.animations)
        addSheet(files, folder + "/" + a.name, a);
    files.addText(folder + "/moveset", moveset(c.moves));
    for (const MoveRecord& m : c.moves)
        addSheet(files, folder + "/" + m.sheet.name, m.sheet);
    for (const Sheet& s : c.matchSheets)
        addSheet(files, folder + "/" + s.name, s);
    if (!c.palette2.empty())
        files.addText(folder + "/palette2", colourSwap(c.name, c.palette2));
    files.addText(folder + "/heights", heights(c.name, c.moves));
    addSounds(files, c.sounds);
    files.addText(folder + "/ai/attack", attackFile(c.attacks));
    if (!c.particles.empty())
        addParticles(files, c.name, c.particles);
}

void ContentWriter::addParticles(FileSet& files, const std::string& list,
                                 const std::vector<ParticleDef>& defs) {
    const std::string particles = layout::kParticles;
    files.addText(particles + "/" + list, particleList(defs));
    for (const ParticleDef& p : defs) {
        addSheet(files, particles + "/" + p.sheet.name, p.sheet);
        files.addText(particles + "/" + p.sheet.name + "/particle", particleDefinition(p));
    }
}

FileSet ContentWriter::write(const ContentModel& model) {
    FileSet files;
    files.addBytes(layout::kStage, BmpEncoder::encode(model.stage));
    addSheet(files, layout::kRunner, model.runner);
    addParticles(files, layout::kParticleList, model.particles);
    for (const CharacterModel& c : model.characters)
        addCharacter(files, c);
    addSounds(files, model.sharedSounds);
    const std::string hud = layout::kHud;
    for (const Sheet* s : {&model.hud.bar, &model.hud.font, &model.hud.bigFont, &model.hud.marker})
        if (!s->name.empty())
            addSheet(files, hud + "/" + s->name, *s);
    if (!model.hud.sounds.folder.empty())
        addSounds(files, model.hud.sounds);
    if (model.hud.title.width() > 0)
        files.addBytes(hud + "/title.bmp", BmpEncoder::encode(model.hud.title));
    for (const MusicLoop& m : model.music)
        files.addBytes(std::string(layout::kMusic) + "/" + m.name + ".wav",
                       WavEncoder::encode(m.samples, kMusicRate));
    return files;
}

} // namespace contentgen
