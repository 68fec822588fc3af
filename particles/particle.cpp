#include "particles/particle.h"

#include <cstdio>
#include <vector>

#include "collision/boxOverlap.h"
#include "datafile/textLine.h"
#include "fighter/fighter.h"
#include "particles/partInfoList.h"
#include "particles/particleInfo.h"
#include "platform/gameClock.h"
#include "platform/traceLog.h"

namespace {

// Particles die this far beyond the sides of the play area, so a projectile can fly
// wholly off the screen before it goes.
constexpr int kOffStageMargin = 80;
// Pixels a falling particle drops per step.
constexpr int g_gravitySpeed = 2;
// Longest word kept from a spawn entry; longer words are cut, never overflow.
constexpr size_t kMaxWordLength = 79;

// The count and entries of an event of a kind; false for a name that is no event.
bool eventOf(const particleInfo& info, const std::string& name, int& count,
             const std::vector<std::string>*& entries) {
    struct eventField {
        const char* name;
        int particleInfo::*count;
        std::vector<std::string> particleInfo::*entries;
    };
    static const eventField events[] = {
        {"OnDeath", &particleInfo::deathCount, &particleInfo::deathParts},
        {"OnHitPlayer", &particleInfo::hitPlayerCount, &particleInfo::hitPlayerParts},
        {"OnHitEnemy", &particleInfo::hitEnemyCount, &particleInfo::hitEnemyParts},
        {"OnHitTarget", &particleInfo::hitTargetCount, &particleInfo::hitTargetParts},
        {"OnHitAlly", &particleInfo::hitAllyCount, &particleInfo::hitAllyParts}};
    for (const eventField& e : events) {
        if (name == e.name) {
            count = info.*e.count;
            entries = &(info.*e.entries);
            return true;
        }
    }
    return false;
}

} // namespace

bool particle::init(const std::string& entry, Fighter* spawner, CSprite* source, partInfoList* list,
                    SDL_Surface* target, int time) {
    owner = spawner;
    facingRight = spawner ? spawner->facingRight : true;
    return spawn(entry, spawner, source, list, target, time);
}

bool particle::initD(const std::string& entry, bool right, CSprite* source, partInfoList* list,
                     SDL_Surface* target, int time) {
    facingRight = right;
    return spawn(entry, nullptr, source, list, target, time);
}

bool particle::spawn(const std::string& entry, Fighter* spawner, CSprite* source,
                     partInfoList* list, SDL_Surface* target, int time) {
    infoList = list;
    screen = target;
    sourceSprite = source;
    spawnTime = time;
    std::vector<std::string> bits = textline::words(entry, 3);
    for (size_t i = 0; i < bits.size(); ++i) {
        bits[i] = bits[i].substr(0, kMaxWordLength);
        tracef("BIT[%d]: %s\n", static_cast<int>(i), bits[i].c_str());
    }
    std::string name = bits.empty() ? std::string() : bits[0];
    info = list ? list->findParticle(name) : nullptr;
    if (!info) {
        // Without a definition there is nothing to show or to time.
        tracef("No particle definition named \"%s\"; nothing spawned\n", name.c_str());
        sourceSprite = nullptr;
        return false;
    }
    sprite.init(info->sheet.get(), target);
    spawnX = spawnY = 0;
    if (bits.size() > 1)
        textline::scanInts(bits[1], {&spawnX});
    if (bits.size() > 2)
        textline::scanInts(bits[2], {&spawnY});
    // From a fighter a positive y offset is upward; from a parent sprite it is
    // downward, as in the sprite's own image coordinates.
    if (spawner) {
        spawnX = facingRight ? spawner->x + spawnX : spawner->x - spawnX;
        spawnY = spawner->y - spawnY;
    }
    if (sourceSprite) {
        spawnX = facingRight ? sourceSprite->x + spawnX : sourceSprite->x - spawnX;
        spawnY = spawnY + sourceSprite->y;
    }
    sourceSprite = nullptr;
    sprite.speed = 3.0f;
    sprite.adjustPos(spawnX, spawnY, facingRight);
    tracef("JUST CHECKING: %d %d\n", getDamage(), getHitType());
    return true;
}

void particle::gravity() {
    if (!info || !info->hasGravity)
        return;
    int low = sprite.getYOffset(0);
    if (sprite.y + low <= g_GroundLevel - 1)
        sprite.y += g_gravitySpeed;
    else
        sprite.y = g_GroundLevel - low;
}

void particle::vanish() {
    if (stepsApart)
        return;
    sprite.clearBG();
    // Save again where the restore went, which is clean stage now, not where this
    // step moved the particle: that area may still hold a fighter drawn last pass, and
    // the next scene's restore would paint it back as a trail.
    int x = sprite.x;
    int y = sprite.y;
    sprite.x = sprite.oldX;
    sprite.y = sprite.oldY;
    sprite.updateBG();
    sprite.x = x;
    sprite.y = y;
}

void particle::update() {
    sprite.moveD(facingRight);
    gravity();
    if (sprite.x > boundaryXRight + kOffStageMargin || sprite.x < boundaryXLeft - kOffStageMargin) {
        dead = true;
        // A wide particle may still show at the edge; it is removed before the next
        // scene, so it goes off the screen now.
        vanish();
    }
    if (info && info->lifetime > 0 &&
        static_cast<long long>(gameTicks()) > static_cast<long long>(spawnTime) + info->lifetime) {
        dead = true;
        bool noDeathParts = info->deathParts.empty() ||
                            textline::firstWord(info->deathParts[0], kMaxWordLength) == "NULL";
        if (!noDeathParts)
            event = "OnDeath";
        vanish();
    }
}

bool particle::checkCollision(colBox box, char mode, bool anyOverlap) {
    if (dead)
        return false;
    colBox own = sprite.getColBox(facingRight);
    bool hit = boxesTouch(box, own, anyOverlap);
    if (hit) {
        tracef("JUST CHECKING: %d %d\n", getDamage(), getHitType());
        tracef("Force those damages! %d %d\n", getDamage(), getHitType());
        if (mode == 'E') {
            dead = true;
            vanish();
        }
    }
    return hit;
}

int particle::getDamage() const {
    return sprite.getDamage();
}

int particle::getHitType() const {
    return sprite.getHitType();
}

int particle::getPartNum(const std::string& eventName) const {
    int count = 0;
    const std::vector<std::string>* entries = nullptr;
    if (!info || !eventOf(*info, eventName, count, entries))
        return 0;
    return count;
}

std::string particle::getNewPart(const std::string& eventName, int i) const {
    int count = 0;
    const std::vector<std::string>* entries = nullptr;
    if (!info || !eventOf(*info, eventName, count, entries))
        return std::string();
    if (eventName == "OnDeath")
        tracef("in here bad boy %s\n", entries->empty() ? "" : (*entries)[0].c_str());
    if (i < 0 || i >= static_cast<int>(entries->size()))
        return std::string();
    return (*entries)[i];
}
