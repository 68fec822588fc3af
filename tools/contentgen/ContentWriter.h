#pragma once

#include <string>

#include "tools/contentgen/ContentModel.h"
#include "tools/contentgen/FileSet.h"

namespace contentgen {

// Turns the content model into the files the game reads: text files in the exact
// line-by-line layouts its loaders parse by position, BMP frames and WAV samples.
class ContentWriter {
public:
    static FileSet write(const ContentModel& model);

    static std::string sheetInfo(const Sheet& sheet);
    static std::string animationList(const std::vector<Sheet>& animations);
    static std::string moveset(const std::vector<MoveRecord>& moves);
    static std::string particleList(const std::vector<ParticleDef>& particles);
    static std::string particleDefinition(const ParticleDef& particle);
    static std::string soundList(const SoundList& sounds);
    static std::string attackFile(const AttackTable& attacks);
    // data/<name>/heights: every attack's height.
    static std::string heights(const std::string& character, const std::vector<MoveRecord>& moves);
    static std::string colourSwap(const std::string& character,
                                  const std::vector<ColourPair>& pairs);

private:
    static void addSheet(FileSet& files, const std::string& folder, const Sheet& sheet);
    static void addSounds(FileSet& files, const SoundList& sounds);
    // data/<name>: its sheets, lists, sounds, attack table and second colours.
    static void addCharacter(FileSet& files, const CharacterModel& character);
    // The list data/particle/<list> and a folder per particle it names.
    static void addParticles(FileSet& files, const std::string& list,
                             const std::vector<ParticleDef>& particles);
};

} // namespace contentgen
