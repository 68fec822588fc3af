#pragma once

#include <memory>
#include <string>
#include <vector>

#include "SDL.h"

#include "sprite/CSpriteBase.h"

class loadReport;

// One kind of particle (a projectile, a spark): its sheet, how long it lives, whether
// it falls, and for each of five events the spawn entries it turns into. A spawn entry
// is a whole line of the definition file, "name xOffset yOffset" with its line end,
// split only when it is spawned.
class particleInfo {
public:
    std::unique_ptr<CSpriteBase> sheet; // frames of every particle of this kind, owned
    int listNumber = 0;                 // second word of the list line; stored, read by nobody
    int lifetime = 0;                   // milliseconds; 0 or less lives until it leaves or hits
    int alpha = 0;                      // translucency handed to the sheet once loaded
    bool hasGravity = false;            // falls to the ground line; only the value 1 turns it on
    bool spareFlag1 = false;            // stored, read by nobody
    bool spareFlag2 = false;            // stored, read by nobody
    int deathCount = 0;                 // entries in deathParts; raised when the lifetime runs out
    int hitPlayerCount = 0;             // the four hit events are loaded and answerable; nothing
    int hitEnemyCount = 0;              // in the game raises them
    int hitTargetCount = 0;
    int hitAllyCount = 0;
    std::vector<std::string> deathParts;     // "OnDeath" entries, line ends included
    std::vector<std::string> hitPlayerParts; // "OnHitPlayer" entries
    std::vector<std::string> hitEnemyParts;  // "OnHitEnemy" entries
    std::vector<std::string> hitTargetParts; // "OnHitTarget" entries
    std::vector<std::string> hitAllyParts;   // "OnHitAlly" entries
    SDL_Surface* screen = nullptr;           // surface given at load; particles draw on
                                             // the one given at spawn instead. Not owned.
    std::string definitionFile;              // path of the definition file read, for messages

    // Loads from a list line with the folder prefix in front ("data/particle/" + line):
    // the sheet from the first word's folder, listNumber from the second word, then the
    // definition file. Returns whether the definition file was read. Problems are
    // recorded in `report` when one is given (the data checker's).
    bool initS(const std::string& entry, SDL_Surface* screen, loadReport* report = nullptr);
    // Reads folder/particle into the fields and applies alpha to the sheet; false when
    // the file cannot be opened.
    bool ParticleInfo(const std::string& folder, loadReport* report = nullptr);
};
