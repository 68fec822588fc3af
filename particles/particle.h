#pragma once

#include <string>

#include "SDL.h"

#include "collision/colBox.h"
#include "sprite/CSprite.h"

class Fighter;
class partInfoList;
class particleInfo;

// One live projectile or effect. It flies by its frames' step, falls when its kind has
// gravity, and dies when it leaves the play area sideways, when its lifetime runs out
// (raising "OnDeath", whose entries the particle list spawns) or when it spends itself
// on a hit. The damage it deals is that of its current frame.
class particle {
public:
    int spawnX = 0;                   // offset, then anchor x on screen, while spawning
    int spawnY = 0;                   // offset, then anchor y on screen, while spawning
    bool facingRight = true;          // travels right with unmirrored frames
    bool dead = false;                // no longer drawn or hit-tested; removed by the list
    int spawnTime = 0;                // game clock (ms) at spawn
    CSprite sprite;                   // frames, position (image corner) and saved background
    particleInfo* info = nullptr;     // the kind, owned by the definition list
    SDL_Surface* screen = nullptr;    // surface drawn on, not owned
    partInfoList* infoList = nullptr; // definitions for the particle's own spawns, not owned
    Fighter* owner = nullptr;         // fighter that spawned it, set by init; not owned
    CSprite* sourceSprite = nullptr;  // spawn position reference while spawning, else null
    std::string event = "NULL";       // pending event: "NULL" for none, or "OnDeath"
    // Its death leaves the screen alone: the particle list hands it to the scene, which
    // takes it off the screen after the fight step (false in the classic game).
    bool stepsApart = false;

    // Spawns from a fighter: direction from the owner (right without one), anchor at
    // the owner's anchor plus the entry's offsets, forward and upward. False, with a
    // message, when the entry names no definition; the particle must then be dropped.
    bool init(const std::string& entry, Fighter* owner, CSprite* source, partInfoList* list,
              SDL_Surface* screen, int time);
    // Spawns with a given direction, measured from a source sprite's corner: offsets
    // forward and downward. False, with a message, when the entry names no definition.
    bool initD(const std::string& entry, bool facingRight, CSprite* source, partInfoList* list,
               SDL_Surface* screen, int time);
    // One step: sideways move, gravity, and the tests for leaving the area and for the
    // end of the lifetime.
    void update();
    // The falling part of a step on its own.
    void gravity();
    // Whether the particle's body box touches `box` (any overlap when `anyOverlap`, else
    // a corner inside); in mode 'E' a hit spends it.
    bool checkCollision(colBox box, char mode, bool anyOverlap = false);
    int getDamage() const;
    int getHitType() const;
    // Number of spawn entries of an event of the particle's kind; 0 for other names.
    int getPartNum(const std::string& eventName) const;
    // Spawn entry i (from 0) of an event; empty for another name or an index outside.
    std::string getNewPart(const std::string& eventName, int i) const;

private:
    bool spawn(const std::string& entry, Fighter* spawner, CSprite* source, partInfoList* list,
               SDL_Surface* target, int time);
    // Takes the particle's image off the screen at once, as it dies.
    void vanish();
};
