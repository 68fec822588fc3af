#pragma once

#include <string>

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
    // Debug overlay: every particle's box.
    void debug();

    // Drops every particle without touching the screen, for a scene whose restores have
    // already taken them off it.
    void removeAll();
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
    // Traces the spawn's opening lines; returns whether the list was empty.
    bool announceSpawn() const;

    int bornHeld_ = 0;      // particles born of particles in the list, dead ones included
    bool capNamed_ = false; // the cap has been reported
};
