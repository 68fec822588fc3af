#pragma once

#include <memory>
#include <string>
#include <vector>

#include "SDL.h"

#include "particles/partInfoList.h"
#include "sound/soundSet.h"
#include "sprite/CSpriteBase.h"
#include "tools/checker/characterChecker.h"
#include "tools/checker/sheetCheck.h"

class loadReport;

// Reads a data folder with the game's own loaders, in the order the game starts up,
// handing them a report so that each records what it finds with its file and line;
// then checks what was loaded against itself (names that point nowhere, frames that
// differ, moves that cannot be reached, colours the stage must not hold). Every
// character folder is checked by a characterChecker of its own.
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
    // Checks the character folder dataRoot/name alone.
    void runCharacter(const std::string& name);

private:
    void load();
    // The Brawler, then every other folder holding an info and a moveset, by name.
    std::vector<std::string> characterNames() const;
    void checkStage();
    // The match's pictures and sounds, data/hud.
    void loadHud();
    void checkHud();
    // The music loops: optional to the game, so every problem is a warning.
    void checkMusic();
    // Every sheet loaded: the shared ones, then each character's.
    std::vector<sheetRef> sheets() const;
    // The run sheet, the HUD's and the default particles'.
    std::vector<sheetRef> sharedSheets() const;

    std::string root_;
    loadReport& report_;
    CSpriteBase run_;        // the shell's running figure
    CSpriteBase fireball_;   // the shell's fireball sheet
    soundSet sounds_;        // the shared sounds, data/soundSet
    partInfoList particles_; // the default particle list
    std::vector<std::unique_ptr<characterChecker>> characters_;
    SDL_Surface* stage_ = nullptr; // display format; freed on destruction
    bool hasHud_ = false;
    CSpriteBase hudBar_;
    CSpriteBase hudFont_;
    CSpriteBase hudBigFont_;
    CSpriteBase hudMarker_;
    soundSet hudSounds_;
};
