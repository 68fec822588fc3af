#include "match/trainingRules.h"

#include <algorithm>
#include <cstdio>

#include "collision/boxOverlap.h"
#include "control/playerControl.h"
#include "fighter/fighter.h"
#include "moves/attackHeight.h"
#include "moves/moveSet.h"
#include "platform/traceLog.h"

namespace {

struct modeWord {
    dummyMode mode;
    const char* name;
};

constexpr modeWord kModes[] = {{dummyMode::stand, "stand"},
                               {dummyMode::crouch, "crouch"},
                               {dummyMode::jump, "jump"},
                               {dummyMode::block, "block"},
                               {dummyMode::blockAfterHit, "block-after-hit"},
                               {dummyMode::cpu, "cpu"}};

const char* sideWord(int side) {
    return side == 0 ? "player" : "dummy";
}

std::string moveWord(const moveInfo* move) {
    return move ? move->name : "-";
}

} // namespace

const char* trainingRules::modeName(dummyMode m) {
    for (const modeWord& w : kModes)
        if (w.mode == m)
            return w.name;
    return "stand";
}

bool trainingRules::modeNamed(const std::string& name, dummyMode& out) {
    for (const modeWord& w : kModes)
        if (name == w.name) {
            out = w.mode;
            return true;
        }
    return false;
}

inputFrame trainingRules::dummyFrame(const Fighter& dummy, const Fighter& player) const {
    inputFrame f;
    const sideValues& attacker = v.sides[0];
    const sideValues& me = v.sides[1];
    bool guard = mode == dummyMode::block;
    // After the first hit the guard goes up, but only for the attacks after it: the
    // hit that started the combo keeps landing for as long as its box stays on.
    if (mode == dummyMode::blockAfterHit)
        guard = me.against.guarding &&
                (attacker.move != me.countedMove || attacker.moveStart != me.countedStart);
    switch (mode) {
    case dummyMode::crouch:
        f.held = inputFrame::down;
        break;
    case dummyMode::jump:
        if (dummy.onGround && !dummy.returnBusy())
            f.press(inputFrame::up);
        break;
    default:
        break;
    }
    if (guard) {
        f.choices = inputFrame::blockOn;
        // A low is guarded crouching; mids and overheads standing.
        if (player.currentMove && player.currentMove->height == attackHeight::low)
            f.held = inputFrame::down;
    }
    return f;
}

void trainingRules::begin(Fighter* const fighters[2], const playerControl* const controls[2]) {
    values kept;
    kept.shown = v.shown;
    kept.lastMove = v.lastMove;
    kept.measured = v.measured;
    kept.steps = v.steps;
    v = kept;
    for (int s = 0; s < 2; ++s) {
        v.sides[s].hitsTaken = controls[s]->hitsTaken;
        v.sides[s].hitsBlocked = controls[s]->hitsBlocked;
        v.sides[s].hp = fighters[s]->hitPoints;
        v.sides[s].move = fighters[s]->currentMove;
    }
}

void trainingRules::afterStep(Fighter* const fighters[2], const playerControl* const controls[2],
                              int fullHp) {
    ++v.steps;
    for (int s = 0; s < 2; ++s) {
        sideValues& side = v.sides[s];
        if (fighters[s]->currentMove != side.move) {
            side.move = fighters[s]->currentMove;
            side.moveStart = v.steps;
        }
    }
    for (int s = 0; s < 2; ++s)
        followSide(s, fighters, controls, fullHp);
}

// One side as a defender: the contacts it took this step, its combo, its refill, and
// the measuring of the attack it took.
void trainingRules::followSide(int side, Fighter* const fighters[2],
                               const playerControl* const controls[2], int fullHp) {
    long step = v.steps;
    sideValues& me = v.sides[side];
    sideValues& other = v.sides[1 - side];
    Fighter& f = *fighters[side];
    int taken = controls[side]->hitsTaken - me.hitsTaken;
    int blocked = controls[side]->hitsBlocked - me.hitsBlocked;
    me.hitsTaken = controls[side]->hitsTaken;
    me.hitsBlocked = controls[side]->hitsBlocked;
    bool contact = taken > 0 || blocked > 0;
    combo& c = me.against;
    if (contact) {
        if (!c.on) {
            c = combo{};
            c.on = true;
            c.hpBefore = me.hp;
        }
        // Whose contact: the attacker's own attack box on the body, or else a projectile,
        // which has no move of its own (the move that threw it may be long over).
        const Fighter& attacker = *fighters[1 - side];
        const moveInfo* by =
            boxesTouch(f.getCBox(), attacker.getDBox(), true) ? attacker.currentMove : nullptr;
        // A box that stays on the body touches on every step; it is one hit. Projectiles
        // are told apart by a break in contact.
        bool fresh =
            !me.touched || (by && (by != me.countedMove || other.moveStart != me.countedStart));
        if (fresh) {
            if (taken > 0)
                ++c.hits;
            me.countedMove = by;
            me.countedStart = by ? other.moveStart : -1;
            other.measuring = measure{};
            if (by) {
                other.measuring.move = by;
                other.measuring.blocked = taken == 0;
                v.lastMove = by;
            }
        }
        if (taken > 0)
            c.guarding = true;
    }
    me.touched = contact;
    if (c.on)
        c.damage = std::max(0, c.hpBefore - f.hitPoints);
    bool free = f.currentMove == nullptr;
    if (c.on && free && !contact) {
        c.on = false;
        c.guarding = false;
        c.refillAt = step + kRefillSteps;
        if (c.hits > 0)
            tracef("training: combo on the %s: %d %s, %d damage\n", sideWord(side), c.hits,
                   c.hits == 1 ? "hit" : "hits", c.damage);
    }
    if (side == 1 && c.hits > 0)
        v.shown = c;
    if (!c.on && c.refillAt >= 0 && step >= c.refillAt) {
        c.refillAt = -1;
        if (f.hitPoints < fullHp) {
            f.setHP(fullHp, fullHp);
            tracef("training: hit points refilled on the %s\n", sideWord(side));
        }
    }
    me.hp = f.hitPoints;
    measure& m = other.measuring;
    if (!m.move)
        return;
    if (m.attackerFree < 0 && fighters[1 - side]->currentMove == nullptr)
        m.attackerFree = step;
    if (m.defenderFree < 0 && free)
        m.defenderFree = step;
    if (m.attackerFree >= 0 && m.defenderFree >= 0)
        finishMeasure(1 - side);
}

// Advantage is the step the defender is free minus the step the attacker is: positive,
// the attacker acts first.
void trainingRules::finishMeasure(int attacker) {
    measure& m = v.sides[attacker].measuring;
    advantage& a = advantageFor(m.move);
    int steps = static_cast<int>(m.defenderFree - m.attackerFree);
    if (m.blocked) {
        a.onBlockKnown = true;
        a.onBlock = steps;
    } else {
        a.onHitKnown = true;
        a.onHit = steps;
    }
    tracef("training: %s on %s %+d\n", m.move->name.c_str(), m.blocked ? "block" : "hit", steps);
    m = measure{};
}

trainingRules::advantage& trainingRules::advantageFor(const moveInfo* move) {
    for (advantage& a : v.measured)
        if (a.move == move)
            return a;
    v.measured.push_back(advantage{});
    v.measured.back().move = move;
    return v.measured.back();
}

const trainingRules::advantage* trainingRules::advantageOf(const moveInfo* move) const {
    for (const advantage& a : v.measured)
        if (a.move == move)
            return &a;
    return nullptr;
}

std::string trainingRules::valuesText() const {
    std::string out = std::to_string(v.steps) + " " + moveWord(v.lastMove);
    for (const sideValues& s : v.sides) {
        // Move names come from the data and may be long: the line takes what it needs.
        std::string line = " | ";
        for (long n : {static_cast<long>(s.hitsTaken), static_cast<long>(s.hitsBlocked),
                       static_cast<long>(s.hp), static_cast<long>(s.touched), s.moveStart,
                       s.countedStart, static_cast<long>(s.against.on),
                       static_cast<long>(s.against.hits), static_cast<long>(s.against.damage),
                       static_cast<long>(s.against.hpBefore), static_cast<long>(s.against.guarding),
                       s.against.refillAt, static_cast<long>(s.measuring.blocked),
                       s.measuring.attackerFree, s.measuring.defenderFree})
            line += std::to_string(n) + " ";
        line += moveWord(s.move) + " " + moveWord(s.countedMove) + " " + moveWord(s.measuring.move);
        out += line;
    }
    for (const advantage& a : v.measured)
        out += " " + moveWord(a.move) + ":" + std::to_string(a.onHitKnown) + "," +
               std::to_string(a.onHit) + "," + std::to_string(a.onBlockKnown) + "," +
               std::to_string(a.onBlock);
    return out;
}
