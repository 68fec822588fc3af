#pragma once

#include <string>
#include <vector>

#include "tools/contentgen/ContentModel.h"
#include "tools/contentgen/FileSet.h"

namespace contentgen {

// Checks the content against the rules the engine imposes before anything is written.
// Each problem is one line naming the character, sheet, move, frame or file at fault; the
// generator refuses to write while there is any.
class ModelChecker {
public:
    explicit ModelChecker(const ContentModel& model);

    std::vector<std::string> run();
    // Line lengths of the written text files: the loaders read lines into a 255-byte
    // buffer, so a line and its line end must fit in 254 characters.
    static std::vector<std::string> checkText(const FileSet& files);

private:
    // The checks of the character in character_.
    void checkCharacter();
    void requiredNames();
    void folderNames();
    void frameSizes();
    void keyColours();
    void frameData(const Sheet& sheet, const std::string& what, bool fighter);
    void moveSounds();
    void attackReach();
    void soundNames();
    void frameSounds();
    void soundClips();
    void musicLoops();
    void particleNames();
    void harmlessParticles();
    void projectiles();
    void reachability();
    void attackTable();
    void colourSwap();
    void hud();

    bool hasAnimation(const std::string& name) const;
    bool hasMove(const std::string& name) const;
    bool hasSound(const std::string& name) const;
    const ParticleDef* findParticle(const std::string& name) const;
    std::vector<const Sheet*> fighterSheets() const;
    // The default list's particles, then every character's own.
    std::vector<const ParticleDef*> allParticles() const;
    std::vector<const Sheet*> hudSheets() const;
    std::vector<const SoundList*> soundLists() const;
    // Records a problem, naming the character being checked, if any.
    void fail(const std::string& problem);

    const ContentModel& model_;
    const CharacterModel* character_ = nullptr; // the one being checked, else null
    std::vector<std::string> problems_;
};

} // namespace contentgen
