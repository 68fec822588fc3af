#include "particles/particleList.h"

#include <cstdio>

#include "datafile/problemReport.h"
#include "datafile/textLine.h"
#include "fighter/fighter.h"
#include "particles/particle.h"
#include "platform/gameClock.h"
#include "platform/traceLog.h"

particleList::~particleList() {
    freeAll();
}

void particleList::freeAll() {
    while (head) {
        particleNode* next = head->next;
        release(head);
        head = next;
    }
    for (particleNode* gone : leaving_)
        release(gone);
    leaving_.clear();
}

void particleList::removeAll() {
    while (head) {
        particleNode* next = head->next;
        retire(head);
        head = next;
    }
}

void particleList::retire(particleNode* gone) {
    if (!stepsApart) {
        release(gone);
        return;
    }
    if (gone->bornOfParticle)
        --bornHeld_;
    gone->bornOfParticle = false;
    gone->next = nullptr;
    leaving_.push_back(gone);
}

void particleList::adopt(particle* p, bool bornOfParticle) {
    p->stepsApart = stepsApart;
    p->sprite.backgroundLater = stepsApart;
    head = new particleNode{p, head, bornOfParticle};
    if (bornOfParticle)
        ++bornHeld_;
}

void particleList::release(particleNode* gone) {
    if (gone->bornOfParticle)
        --bornHeld_;
    delete gone->part;
    delete gone;
}

bool particleList::announceSpawn() const {
    if (!head) {
        tracef("\n\nAdding particle\n");
        return true;
    }
    tracef("adding another particle\n");
    return false;
}

void particleList::link(particle* p, bool spawned, bool wasEmpty, bool bornOfParticle) {
    // A particle without a definition has no frames and no lifetime: it would never
    // show and never go, so it is not kept.
    if (!spawned) {
        delete p;
        return;
    }
    if (wasEmpty)
        tracef("particle added\n");
    head = new particleNode{p, head, bornOfParticle};
    ++spawnCount;
    if (bornOfParticle)
        ++bornHeld_;
}

bool particleList::hasRoom(const std::string& entry) {
    if (bornHeld_ < kCap)
        return true;
    if (!capNamed_) {
        capNamed_ = true;
        reportProblem("warning: the particle list is full (" + std::to_string(kCap) +
                      " particles spawned by particles): \"" + textline::firstWord(entry) +
                      "\" and every spawn of a dying particle after it are dropped while it "
                      "stays full — a particle whose death list names itself more than once "
                      "multiplies without end");
    }
    return false;
}

void particleList::addParticle(const std::string& entry, Fighter* owner, CSprite* source,
                               partInfoList* list, SDL_Surface* screen, int time) {
    bool wasEmpty = announceSpawn();
    auto* p = new particle;
    p->stepsApart = stepsApart;
    p->sprite.backgroundLater = stepsApart;
    bool spawned = p->init(entry, owner, source, list, screen, time);
    link(p, spawned, wasEmpty, false);
}

void particleList::addParticleD(const std::string& entry, bool facingRight, CSprite* source,
                                partInfoList* list, SDL_Surface* screen, int time) {
    if (!hasRoom(entry))
        return;
    bool wasEmpty = announceSpawn();
    auto* p = new particle;
    p->stepsApart = stepsApart;
    p->sprite.backgroundLater = stepsApart;
    bool spawned = p->initD(entry, facingRight, source, list, screen, time);
    link(p, spawned, wasEmpty, true);
}

void particleList::update() {
    if (!head)
        return;
    for (particleNode* n = head; n; n = n->next)
        n->part->update();
    removeDead();
}

void particleList::makeParticles() {
    // Children go in front of the head the pass started from, so the pass never
    // visits them.
    for (particleNode* n = head; n; n = n->next) {
        particle* parent = n->part;
        if (parent->event == "NULL")
            continue;
        int count = parent->getPartNum(parent->event);
        tracef("pNum %d\n", count);
        for (int i = 0; i < count; ++i) {
            std::string entry = parent->getNewPart(parent->event, i);
            tracef("str: %s\n", entry.c_str());
            addParticleD(entry, parent->facingRight, &parent->sprite, parent->infoList,
                         parent->screen, static_cast<int>(gameTicks()));
        }
    }
}

void particleList::removeDead() {
    makeParticles();
    while (head && head->part->dead) {
        particleNode* gone = head;
        head = head->next;
        retire(gone);
        tracef("\n\nKilling the head particle\n");
        makeParticles();
    }
    if (!head)
        return;
    particleNode* before = head;
    while (particleNode* n = before->next) {
        if (!n->part->dead) {
            before = n;
            continue;
        }
        before->next = n->next;
        retire(n);
        tracef("\n\nKilling a body bit\n");
    }
}

particle* particleList::collideFighter(Fighter* fighter, char mode) {
    if (!head || !fighter)
        return nullptr;
    for (particleNode* n = head; n; n = n->next) {
        if (n->part->checkCollision(fighter->getCBox(), mode, anyOverlap)) {
            tracef("player is HIT\n");
            return n->part;
        }
    }
    return nullptr;
}

void particleList::clearBG() {
    for (particleNode* n = head; n; n = n->next)
        n->part->sprite.clearBG();
    for (particleNode* gone : leaving_) {
        gone->part->sprite.clearBG();
        release(gone);
    }
    leaving_.clear();
}

void particleList::advanceFrames(Uint32 since, Uint32 now) {
    for (particleNode* n = head; n; n = n->next) {
        if (n->part->dead)
            continue;
        bool wrapped = false;
        for (int turn = 0; turn < 64 && n->part->sprite.advanceWithin(since, now, wrapped);)
            ++turn;
    }
}

void particleList::updateBG() {
    for (particleNode* n = head; n; n = n->next)
        n->part->sprite.updateBG();
}

void particleList::draw() {
    for (particleNode* n = head; n; n = n->next)
        if (n->part->dead)
            continue;
        else if (stepsApart)
            n->part->sprite.drawFrame(n->part->facingRight);
        else
            n->part->sprite.drawD(n->part->facingRight);
}

void particleList::debug(bool outlined) {
    for (particleNode* n = head; n; n = n->next)
        n->part->sprite.drawColBoxes(outlined);
}

int particleList::count() const {
    int n = 0;
    for (const particleNode* node = head; node; node = node->next)
        ++n;
    return n;
}
