#include "shell/fightState.h"

#include <cstdio>

#include "ai/randomNumber.h"
#include "fighter/fighter.h"
#include "moves/inputChecker.h"
#include "moves/moveSet.h"
#include "particles/partInfoList.h"
#include "particles/particle.h"
#include "particles/particleList.h"
#include "platform/traceLog.h"
#include "shell/game.h"
#include "shell/matchSession.h"
#include "shell/shell.h"

namespace {

// The fight's values of a fighter, from the fighter to the saved values or back: the
// same names on both sides. Where the fighter was last drawn and what lies under it stay
// the scene's, so after a restore the next scene restores that and draws it anew.
template <class From, class To> void copyFighter(const From& f, To& t) {
    t.x = f.x;
    t.y = f.y;
    t.frame = f.frame;
    t.lastTick = f.lastTick;
    t.animating = f.animating;
    t.speed = f.speed;
    t.hitPoints = f.hitPoints;
    t.maxHitPoints = f.maxHitPoints;
    t.facingRight = f.facingRight;
    t.onGround = f.onGround;
    t.verticalSpeed = f.verticalSpeed;
    t.jumpsLeft = f.jumpsLeft;
    t.actionName = f.actionName;
    t.base = f.base;
    t.currentMove = f.currentMove;
}

// A controller's fight values, either way.
template <class From, class To> void copyControl(const From& f, To& t) {
    t.lastTick = f.lastTick;
    t.thisTick = f.thisTick;
    t.delta = f.delta;
    t.stepAccum = f.stepAccum;
    t.curFrame = f.curFrame;
    t.prevFrame = f.prevFrame;
    t.curAction = f.curAction;
    t.prevAction = f.prevAction;
    t.curSound = f.curSound;
    t.prevSound = f.prevSound;
    t.curParticle = f.curParticle;
    t.prevParticle = f.prevParticle;
    t.blocking = f.blocking;
    t.hitsTaken = f.hitsTaken;
    t.hitsBlocked = f.hitsBlocked;
}

// The computer's state and countdowns, either way.
template <class From, class To> void copyComputer(const From& f, To& t) {
    t.blockChance = f.blockChance;
    t.state = f.state;
    t.timer = f.timer;
    t.phase = f.phase;
    t.jumpDir = f.jumpDir;
}

void savePresses(const inputChecker* checker, std::vector<fightState::pressValues>& out) {
    out.clear();
    if (!checker)
        return;
    for (const inputKeys* k = checker->inputs; k; k = k->next)
        out.push_back({k->time, k->key, k->action});
}

void restorePresses(const std::vector<fightState::pressValues>& in, inputChecker* checker) {
    if (!checker)
        return;
    checker->deleteList();
    for (const fightState::pressValues& p : in) {
        inputKeys press;
        press.time = p.time;
        press.key = p.key;
        press.action = p.action;
        checker->acceptInput(press);
    }
}

int ownerSide(const Game& g, const Fighter* owner) {
    if (owner == &g.vikings1)
        return 0;
    if (owner == &g.fighter2)
        return 1;
    return -1;
}

std::string kindName(const Game& g, const particleInfo* info) {
    for (const partInfoNode* n = g.particleDefs.head; n; n = n->next)
        if (&n->info == info)
            return n->name;
    return "none";
}

// Names for what a fighter's pointers point at: its sheet is that of its action, or
// of the move it plays.
std::string moveName(const moveInfo* move) {
    return move ? move->name : "none";
}

std::string text(float f) {
    char t[32];
    snprintf(t, sizeof t, "%.9g", static_cast<double>(f));
    return t;
}

} // namespace

std::string fightState::leaveOut;

void fightState::save(Game& g) {
    matchSession& m = *g.match;
    for (int s = 0; s < 2; ++s) {
        fightSide& side = m.sides[s];
        sideValues& v = sides[s];
        copyFighter(*side.fighter, v.fighter);
        copyControl(*side.control, v.control);
        if (side.computer)
            copyComputer(*side.computer, v.computer);
        if (side.brain)
            v.computer.brain = side.brain->mem;
        savePresses(side.checker, v.presses);
    }
    particles.clear();
    for (const particleNode* n = g.pList.head; n; n = n->next) {
        const particle& p = *n->part;
        particleValues v;
        v.spawnX = p.spawnX;
        v.spawnY = p.spawnY;
        v.facingRight = p.facingRight;
        v.dead = p.dead;
        v.spawnTime = p.spawnTime;
        v.info = p.info;
        v.owner = ownerSide(g, p.owner);
        v.event = p.event;
        v.bornOfParticle = n->bornOfParticle;
        v.frame = p.sprite.frame;
        v.x = p.sprite.x;
        v.y = p.sprite.y;
        v.animating = p.sprite.animating;
        v.lastTick = p.sprite.lastTick;
        v.speed = p.sprite.speed;
        particles.push_back(v);
    }
    particlesSpawned = g.pList.spawnCount;
    rules = m.rules;
    for (int s = 0; s < 2; ++s) {
        trails[s] = m.trails[s];
        down[s] = m.down_[s];
        posing[s] = m.posing_[s];
    }
    resetPending = m.resetPending_;
    computerIdle = m.computerIdle;
    stepNumber = m.stepNumber;
    stepTime = m.stepTime;
    random = g_randomNumber.state;
    training = m.training;
    if (training)
        trainingAt = m.drill.v;
}

void fightState::restore(Game& g) const {
    // Putting the fight back says nothing: emptying a command buffer traces as in play.
    holdTrace(true);
    restoreValues(g);
    dropTrace();
    holdTrace(false);
}

void fightState::restoreValues(Game& g) const {
    matchSession& m = *g.match;
    for (int s = 0; s < 2; ++s) {
        fightSide& side = m.sides[s];
        const sideValues& v = sides[s];
        copyFighter(v.fighter, *side.fighter);
        copyControl(v.control, *side.control);
        if (side.computer)
            copyComputer(v.computer, *side.computer);
        if (side.brain)
            side.brain->mem = v.computer.brain;
        if (leaveOut != "presses")
            restorePresses(v.presses, side.checker);
    }
    // The particles on the screen leave through the next scene; the saved ones come back
    // as new particles, to be drawn by it.
    g.pList.removeAll();
    for (auto it = particles.rbegin(); it != particles.rend(); ++it) {
        const particleValues& v = *it;
        auto* p = new particle;
        p->spawnX = v.spawnX;
        p->spawnY = v.spawnY;
        p->facingRight = v.facingRight;
        p->dead = v.dead;
        p->spawnTime = v.spawnTime;
        p->info = const_cast<particleInfo*>(v.info);
        p->screen = screen;
        p->infoList = &g.particleDefs;
        p->owner = v.owner == 0 ? &g.vikings1 : v.owner == 1 ? &g.fighter2 : nullptr;
        p->event = v.event;
        g.pList.adopt(p, v.bornOfParticle);
        CSprite& sprite = p->sprite;
        sprite.base = v.info ? v.info->sheet.get() : nullptr;
        sprite.screen = screen;
        sprite.frame = v.frame;
        sprite.x = v.x;
        sprite.y = v.y;
        sprite.animating = v.animating;
        sprite.lastTick = v.lastTick;
        sprite.speed = v.speed;
    }
    g.pList.spawnCount = particlesSpawned;
    m.rules = rules;
    for (int s = 0; s < 2; ++s) {
        m.trails[s] = trails[s];
        m.down_[s] = down[s];
        m.posing_[s] = posing[s];
    }
    m.resetPending_ = resetPending;
    m.computerIdle = computerIdle;
    m.stepNumber = stepNumber;
    m.stepTime = stepTime;
    if (m.inputs.size() > static_cast<size_t>(stepNumber))
        m.inputs.resize(static_cast<size_t>(stepNumber));
    if (leaveOut != "random")
        g_randomNumber.state = random;
    if (training)
        m.drill.v = trainingAt;
}

std::vector<std::string> fightState::describe(const Game& g) const {
    std::vector<std::string> out;
    auto add = [&](const std::string& name, const std::string& value) {
        out.push_back(name + " " + value);
    };
    auto num = [&](const std::string& name, long long value) { add(name, std::to_string(value)); };
    for (int s = 0; s < 2; ++s) {
        const sideValues& v = sides[s];
        std::string side = s == 0 ? "player." : "opponent.";
        const fighterValues& f = v.fighter;
        num(side + "x", f.x);
        num(side + "y", f.y);
        num(side + "frame", f.frame);
        num(side + "frameTime", f.lastTick);
        num(side + "animating", f.animating);
        add(side + "speed", text(f.speed));
        num(side + "hp", f.hitPoints);
        num(side + "maxHp", f.maxHitPoints);
        num(side + "facingRight", f.facingRight);
        num(side + "onGround", f.onGround);
        num(side + "verticalSpeed", f.verticalSpeed);
        num(side + "jumpsLeft", f.jumpsLeft);
        add(side + "action", f.actionName);
        add(side + "move", moveName(f.currentMove));
        const controlValues& c = v.control;
        num(side + "control.lastTick", c.lastTick);
        num(side + "control.thisTick", c.thisTick);
        add(side + "control.delta", text(c.delta));
        add(side + "control.stepAccum", text(c.stepAccum));
        num(side + "control.curFrame", c.curFrame);
        num(side + "control.prevFrame", c.prevFrame);
        add(side + "control.actions", c.curAction + " " + c.prevAction);
        add(side + "control.sounds", c.curSound + " " + c.prevSound);
        add(side + "control.particles", c.curParticle + " " + c.prevParticle);
        num(side + "control.blocking", c.blocking);
        num(side + "control.hitsTaken", c.hitsTaken);
        num(side + "control.hitsBlocked", c.hitsBlocked);
        const computerValues& a = v.computer;
        add(side + "computer", std::to_string(a.blockChance) + " " + std::to_string(a.state) + " " +
                                   text(a.timer) + " " + std::to_string(a.phase) + " " +
                                   std::to_string(a.jumpDir));
        add(side + "brain", a.brain.describe());
        std::string presses;
        for (const pressValues& p : v.presses)
            presses += std::to_string(p.time) + ":" + p.key + ":" + p.action + " ";
        add(side + "checker.buffer", presses);
    }
    for (size_t i = 0; i < particles.size(); ++i) {
        const particleValues& p = particles[i];
        char line[240];
        snprintf(line, sizeof line, "%d %d %d %d %d %d %s %d %d %d %d %d %d %s", p.spawnX, p.spawnY,
                 p.facingRight, p.dead, p.spawnTime, p.owner, p.event.c_str(), p.bornOfParticle,
                 p.frame, p.x, p.y, p.animating, p.lastTick, text(p.speed).c_str());
        add("particle" + std::to_string(i) + "." + kindName(g, p.info), line);
    }
    num("particles.count", static_cast<long long>(particles.size()));
    num("particles.spawned", particlesSpawned);
    add("match.rules", rules.valuesText());
    add("match.trails", trails[0].valuesText() + " " + trails[1].valuesText());
    add("match.ends", std::to_string(down[0]) + std::to_string(down[1]) +
                          std::to_string(posing[0]) + std::to_string(posing[1]) +
                          std::to_string(resetPending) + std::to_string(computerIdle));
    num("step", stepNumber);
    num("step.time", stepTime);
    add("random", std::to_string(random));
    if (training) {
        trainingRules rules;
        rules.v = trainingAt;
        add("training", rules.valuesText());
    }
    return out;
}

uint32_t fightState::checksum(const Game& g) const {
    // FNV-1a over the lines, each ended by a line feed.
    uint32_t h = 2166136261u;
    for (const std::string& line : describe(g)) {
        for (unsigned char c : line) {
            h ^= c;
            h *= 16777619u;
        }
        h ^= '\n';
        h *= 16777619u;
    }
    return h;
}
