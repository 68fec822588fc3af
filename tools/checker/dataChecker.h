#pragma once

#include <string>
#include <vector>

#include "SDL.h"

#include "ai/aiAttackList.h"
#include "fighter/animationSet.h"
#include "moves/moveSet.h"
#include "particles/partInfoList.h"
#include "sound/soundSet.h"
#include "sprite/colourSwap.h"
#include "sprite/CSpriteBase.h"

class loadReport;

// Reads a data folder with the game's own loaders, in the order the game starts up,
// handing them a report so that each records what it finds with its file and line;
// then checks what was loaded against itself (names that point nowhere, frames that
// differ, moves that cannot be reached, colours the stage must not hold).
//
// Needs SDL video with a display mode set (images are converted to display format)
// and, to check that sounds decode, an open SDL_mixer device. Owns everything it
// loads; destroy it before closing the mixer or quitting SDL.
class dataChecker {
public:
    dataChecker(const std::string& dataRoot, loadReport& report);
    ~dataChecker();
    dataChecker(const dataChecker&) = delete;
    dataChecker& operator=(const dataChecker&) = delete;

    // Loads everything and runs every check once.
    void run();

private:
    // A loaded sheet and where it came from, for the checks over frames.
    struct sheetRef {
        const CSpriteBase* sheet; // owned by one of the sets below
        std::string info;         // path of its info file
        bool fighter;             // true for the character's animations and moves
        bool uniform = true;      // frames should share one size and anchor
    };

    void load();
    void checkCharacterNames();
    // Every list line that names a folder which is not there: the animation list, the
    // moveset and the particle list.
    void checkNamedFolders();
    void checkFolderNamed(const std::string& list, int line, const std::string& what,
                          const std::string& parent, const std::string& name);
    void checkSheet(const sheetRef& ref);
    void checkFrameParticles(const sheetRef& ref, const frameInfo& frame);
    void checkDeathParticles();
    // A definition whose death list names itself `selves` times, the first on `line`.
    void checkSelfSpawn(const partInfoNode& n, int selves, int line);
    void checkConditions();
    void checkReachableMoves();
    void checkAttackTable();
    void checkStage();
    // The match's content: ko and win, the second colours, data/hud.
    void loadMatch();
    void checkColourSwap();
    void checkHud();

    bool hasSound(const std::string& name) const;
    const particleInfo* particleCalled(const std::string& name) const;
    bool hasMove(const std::string& name) const;
    std::vector<sheetRef> sheets() const;

    std::string root_;
    loadReport& report_;
    CSpriteBase run_;      // the shell's running figure
    CSpriteBase fireball_; // the shell's fireball sheet
    animationSet anims_;
    moveSet moves_;
    soundSet sounds_;
    partInfoList particles_;
    aiAttackList attacks_;
    SDL_Surface* stage_ = nullptr; // display format; freed on destruction
    CSpriteBase ko_;               // the character's knockout, when its folder is there
    CSpriteBase win_;              // the character's victory pose, likewise
    colourSwap palette2_;          // the character's second colours, when there
    bool hasPalette2_ = false;
    bool hasHud_ = false;
    CSpriteBase hudBar_;
    CSpriteBase hudFont_;
    CSpriteBase hudBigFont_;
    CSpriteBase hudMarker_;
    soundSet hudSounds_;
};
