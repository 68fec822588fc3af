#pragma once

#include <string>
#include <vector>

#include "SDL.h"

class CSprite;
class Fighter;
class partInfoList;
class particle;

// One link of the particle list.
struct particleNode {
    particle* part = nullptr;     // the particle, owned by the list
    particleNode* next = nullptr; // the next older particle, or null
    bool bornOfParticle = false;  // spawned by another particle's event, not by a fighter
};

// Every live particle of both sides, newest first: the order decides which particle
// wins a hit test, the order of the traces and the drawing order. The list owns its
// nodes and particles; a particle lives until the first removal after its death.
class particleList {
public:
    // Most particles born of other particles held at once. A definition whose death list
    // names itself more than once doubles at every death; the cap keeps such a storm from
    // taking the machine's memory and time. Only those spawns can multiply: a fighter's
    // frame spawns one particle per frame shown, so its spawns are never capped, and
    // particles that never die cannot lock the fighters out of their fireballs. A fight
    // with the shipped content holds at most a handful.
    static constexpr int kCap = 256;

    particleNode* head = nullptr; // newest particle, null while empty
    int spawnCount = 0;           // particles linked in since the list was made; for figures
    // Particles live in the fight's steps, apart from drawing: a spawn allocates no
    // surface, frames advance in advanceFrames, and a particle that dies or is dropped
    // stays with the list until the scene has taken it off the screen (clearBG). False in
    // the classic game, where drawing advances frames and a death vanishes at once.
    bool stepsApart = false;
    // A match's contact: a particle touches a fighter on any overlap of their boxes. False
    // in the classic game, whose test asks for a corner inside.
    bool anyOverlap = false;

    particleList() = default;
    ~particleList();
    particleList(const particleList&) = delete;
    particleList& operator=(const particleList&) = delete;

    // Spawns in front from a fighter's frame entry, however full the list is. An entry
    // naming no definition spawns nothing.
    void addParticle(const std::string& entry, Fighter* owner, CSprite* source, partInfoList* list,
                     SDL_Surface* screen, int time);
    // Spawns in front with a given direction, from a parent particle's event; dropped
    // while kCap particles born of particles are held.
    void addParticleD(const std::string& entry, bool facingRight, CSprite* source,
                      partInfoList* list, SDL_Surface* screen, int time);
    // Steps every particle, then spawns pending events and removes the dead.
    void update();
    // Spawns the entries of every pending event, from the particles present when it
    // starts.
    void makeParticles();
    // The spawn pass, then the removal of every dead particle.
    void removeDead();
    // The newest live particle whose box touches the fighter's body, or null; in mode
    // 'E' that particle is spent.
    particle* collideFighter(Fighter* fighter, char mode);

    // The list's share of drawing the scene, after the fighters' same step.
    void clearBG();
    void updateBG();
    void draw();
    // Debug overlay: every particle's box, filled or (`outlined`) as a 1-pixel frame.
    void debug(bool outlined = false);
    // With stepsApart: every live particle's frames that fall due after `since` and by
    // `now` (game clock, ms).
    void advanceFrames(Uint32 since, Uint32 now);

    // Drops every particle. In the classic game it does not touch the screen, for a scene
    // whose restores have already taken them off it; apart from the steps they leave at
    // the next clearBG.
    void removeAll();
    // Links a particle in front as it is, for a fight state being restored; the list owns
    // it from now on.
    void adopt(particle* p, bool bornOfParticle);
    // Particles waiting for the scene to take them off the screen.
    int leavingCount() const { return static_cast<int>(leaving_.size()); }
    // Number of particles held, dead ones included.
    int count() const;

private:
    // Whether one more particle born of a particle fits; when not, says so on standard
    // error the first time, naming the particle of `entry` that is not spawned.
    bool hasRoom(const std::string& entry);
    // Links a spawned particle in front, or drops it when it could not spawn.
    void link(particle* p, bool spawned, bool wasEmpty, bool bornOfParticle);
    // Frees a node already taken out of the list, with its particle.
    void release(particleNode* gone);
    // A node taken out of the list: freed at once, or apart from the steps kept until
    // the scene has restored what it covered.
    void retire(particleNode* gone);
    // Frees every node, leaving ones included, without touching the screen.
    void freeAll();
    // Traces the spawn's opening lines; returns whether the list was empty.
    bool announceSpawn() const;

    int bornHeld_ = 0;      // particles born of particles in the list, dead ones included
    bool capNamed_ = false; // the cap has been reported
    std::vector<particleNode*> leaving_; // out of the fight, still on the screen; owned
};
