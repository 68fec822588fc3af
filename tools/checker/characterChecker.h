#pragma once

#include <string>
#include <vector>

#include "ai/aiAttackList.h"
#include "fighter/animationSet.h"
#include "moves/moveSet.h"
#include "particles/partInfoList.h"
#include "sound/soundSet.h"
#include "sprite/colourSwap.h"
#include "sprite/CSpriteBase.h"
#include "tools/checker/sheetCheck.h"

class loadReport;

// Checks one character folder, data/<name>, as the game reads it when that character
// plays: its animations, moves, sounds, attack table, the match's ko, win and second
// colours, and its own particle list data/particle/<name> when there is one. Names
// its frames use may also come from the shared sounds and the default particles,
// which the caller has loaded and keeps alive while this checker lives.
//
// Needs SDL video with a display mode set; owns everything it loads.
class characterChecker {
public:
    characterChecker(const std::string& dataRoot, const std::string& name, loadReport& report,
                     const soundSet& sharedSounds, const partInfoList& defaultParticles);
    characterChecker(const characterChecker&) = delete;
    characterChecker& operator=(const characterChecker&) = delete;

    // Loads the character and runs every check of it once.
    void run();
    // Its sheets (animations, moves, ko, win, its own particles), loaded by run().
    std::vector<sheetRef> sheets() const;

private:
    void load();
    void loadMatch();
    void checkNames();
    void checkNamedFolders();
    void checkSheet(const sheetRef& ref);
    void checkFrameParticles(const sheetRef& ref, const frameInfo& frame);
    void checkConditions();
    void checkReachableMoves();
    void checkAttackTable();
    void checkColourSwap();

    bool hasSound(const std::string& name) const;
    const particleInfo* particleCalled(const std::string& name) const;
    // "particle/default", or "particle/default or particle/<name>" with a list of its own.
    std::string particleLists() const;

    std::string root_;
    std::string name_;
    std::string folder_; // root_/name_
    loadReport& report_;
    const soundSet& sharedSounds_;
    const partInfoList& defaultParticles_;
    animationSet anims_;
    moveSet moves_;
    soundSet sounds_;        // its own list only
    partInfoList particles_; // its own list only, when there is one
    bool hasParticleList_ = false;
    aiAttackList attacks_;
    CSpriteBase ko_;
    CSpriteBase win_;
    colourSwap palette2_;
    bool hasPalette2_ = false;
};
