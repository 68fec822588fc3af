#include "ai/fightBrain.h"

#include <algorithm>
#include <cstdlib>

#include "ai/aiAttackList.h"
#include "ai/randomNumber.h"
#include "fighter/animationSet.h"
#include "fighter/fighter.h"
#include "moves/moveSet.h"
#include "moves/target.h"
#include "particles/particle.h"
#include "particles/particleList.h"

namespace {

// What each level does; a step is 11 ms. Percent chances are drawn once for each thing
// seen (an attack, a shot, a jump, an opening), or once a step for `aggression`.
struct levelTraits {
    int reaction;    // steps from seeing something to answering it
    int guard;       // percent: it guards against an attack or a shot it has seen
    int heightSense; // percent: that guard takes the height the attack needs
    int holdGuard;   // percent: it keeps its guard up while it waits near the opponent
    int aggression;  // percent a step: it starts an attack that reaches
    int specials;    // percent: a special it drew is used, not passed over
    int punish;      // percent: it attacks a move that missed while it recovers
    int antiAir;     // percent: it meets a jump-in with its upward attack
    int mixUp;       // percent: a low against a standing guard, an overhead against a low one
    int rest;        // fewest steps between two attacks of its own
    int approach;    // weight of walking in when out of reach, against standing about
};

// The first attacks of a move arrive about 4 steps after it starts, so a level that
// sees in 4 steps or less can guard on sight; the slower ones guard only by holding it.
constexpr levelTraits kLevels[8] = {
    {30, 0, 0, 0, 1, 0, 0, 0, 0, 90, 30},        {20, 15, 10, 5, 3, 5, 10, 5, 10, 55, 40},
    {15, 30, 25, 15, 4, 10, 25, 15, 25, 42, 50}, {11, 45, 40, 40, 6, 20, 40, 30, 40, 28, 60},
    {8, 60, 55, 40, 7, 30, 55, 45, 55, 24, 70},  {5, 75, 70, 55, 9, 40, 70, 60, 70, 18, 80},
    {3, 88, 85, 70, 12, 50, 85, 80, 85, 12, 90}, {2, 100, 100, 90, 16, 60, 100, 100, 100, 8, 100},
};

constexpr int kSlack = 16;        // pixels an attack may fall short and still be feared
constexpr int kShotWatch = 170;   // a projectile this close (pixels of gap) is coming
constexpr int kAirWatch = 260;    // a jump this close is a jump at it
constexpr int kCloseShot = 150;   // a projectile thrown from this close lands at once
constexpr int kGuardMemory = 300; // steps it remembers how the opponent guarded
constexpr int kGroundY = 530;     // the feet of a fighter on the ground
constexpr int kAntiAirShare = 80; // percent of the body's height an anti-air reaches

// Plans, while nothing threatens.
enum plan { planHold = 0, planApproach = 1, planRetreat = 2, planJumpIn = 3 };
// Answers to a threat.
enum answer {
    answerNone = 0,
    answerIgnore = 1,
    answerGuardBlind = 2,
    answerGuard = 3,
    answerAntiAir = 4
};
// Guard stances.
enum stance { keepStance = 0, stand = 1, crouch = 2 };

const levelTraits& traitsOf(int level) {
    return kLevels[std::clamp(level, 1, 8) - 1];
}

} // namespace

std::string fightBrain::memory::describe() const {
    std::string s;
    for (int v :
         {clock, plan, planUntil, static_cast<int>(planGuard), seenFrame, seenAt, openAt, shotAt,
          airAt, answerFor, answer, guardSeen, guardSeenAt, restUntil, static_cast<int>(wasIdle)})
        s += std::to_string(v) + " ";
    return s + (seenMove.empty() ? "-" : seenMove);
}

void fightBrain::setup(Fighter* own, Target* rival, moveSet* moves, particleList* particles,
                       const aiAttackList& table, int lvl) {
    me_ = own;
    rival_ = rival;
    moves_ = moves;
    particles_ = particles;
    level = std::clamp(lvl, 1, 8);
    ground_.clear();
    air_.clear();
    antiAir_ = nullptr;
    float speed = own ? own->speed : 1.0f;
    auto collect = [&](const std::vector<aiAttack>& entries, std::vector<option>& into) {
        if (!moves)
            return;
        for (const aiAttack& e : entries) {
            // The set's own lookup falls back to its first move for a name it lacks.
            for (size_t i = 0; i < moves->moves.size(); ++i) {
                if (moves->moves[i].name != e.name)
                    continue;
                option o;
                o.index = static_cast<int>(i);
                o.facts = factsOf(moves->moves[i], speed);
                bool twice = std::any_of(into.begin(), into.end(),
                                         [&](const option& x) { return x.index == o.index; });
                if (o.facts.attack && !twice)
                    into.push_back(o);
                break;
            }
        }
    };
    collect(table.groups[0], ground_);
    collect(table.groups[2], air_);
    // The body's standing height, from the fighter's standing frame.
    int body = 140;
    if (own && own->animSet) {
        const CSpriteBase* standing = own->animSet->returnAnimation("standing");
        if (standing && !standing->frames.empty())
            body = standing->frames[0].anchorY - standing->frames[0].cBox.top;
    }
    int commonReach = 0;
    for (const option& o : ground_) {
        if (o.facts.projectile)
            continue;
        if (!o.facts.special)
            commonReach = std::max(commonReach, o.facts.reach);
        if (o.facts.top * 100 >= body * kAntiAirShare &&
            (!antiAir_ || o.facts.top > antiAir_->facts.top))
            antiAir_ = &o;
    }
    preferredGap_ = commonReach > 0 ? commonReach - 10 : 60;
    resetForRound();
}

void fightBrain::resetForRound() {
    mem = memory{};
}

bool fightBrain::chance(int percent) const {
    return percent > 0 && g_randomNumber.getNumber(100) < percent;
}

// From `from`'s anchor to the near edge of `to`'s body, along `from`'s facing.
int fightBrain::gapTo(const Fighter& from, const Fighter& to) const {
    colBox b = to.getCBox();
    return from.facingRight ? b.left - from.x : from.x - b.right;
}

void fightBrain::watch(const Fighter& me, const Fighter& foe) {
    int now = mem.clock;
    std::string move = foe.currentMove ? foe.currentMove->name : "";
    if (move != mem.seenMove || foe.frame < mem.seenFrame) {
        mem.seenMove = move;
        mem.seenAt = now;
        mem.openAt = -1;
    }
    mem.seenFrame = foe.frame;
    if (foe.currentMove && mem.openAt < 0) {
        moveFacts f = factsOf(*foe.currentMove, foe.speed);
        if (f.attack && !f.projectile && foe.frame > f.lastActive)
            mem.openAt = now;
    }
    if (foe.actionName == "blockHi" || foe.actionName == "blockLo") {
        mem.guardSeen = foe.actionName == "blockHi" ? 1 : 2;
        mem.guardSeenAt = now;
    } else if (foe.actionName == "hit1" || now - mem.guardSeenAt > kGuardMemory) {
        mem.guardSeen = 0;
    }
    bool jumpingAt = !foe.onGround && gapTo(foe, me) < kAirWatch;
    if (!jumpingAt)
        mem.airAt = -1;
    else if (mem.airAt < 0)
        mem.airAt = now;
    if (!shotComing(me))
        mem.shotAt = -1;
    else if (mem.shotAt < 0)
        mem.shotAt = now;
}

bool fightBrain::shotComing(const Fighter& me) const {
    if (!particles_)
        return false;
    colBox mine = me.getCBox();
    for (const particleNode* n = particles_->head; n; n = n->next) {
        const particle* p = n->part;
        if (!p || p->dead || p->owner == &me || p->getDamage() <= 0)
            continue;
        colBox b = p->sprite.getColBox(p->facingRight);
        if (b.left > b.right || b.top > b.bottom)
            continue;
        int gap = p->facingRight ? mine.left - b.right : b.left - mine.right;
        if (gap > -20 && gap < kShotWatch)
            return true;
    }
    return false;
}

fightBrain::threat fightBrain::threatNow(const Fighter& me, const Fighter& foe) const {
    threat t;
    if (foe.currentMove) {
        moveFacts f = factsOf(*foe.currentMove, foe.speed);
        int gap = gapTo(foe, me);
        bool coming = f.attack && foe.frame <= f.lastActive &&
                      (f.projectile ? gap < kCloseShot : gap <= f.reach + kSlack);
        if (coming) {
            t.kind = 1;
            t.since = mem.seenAt;
            t.height = f.projectile ? attackHeight::mid : f.height;
            return t;
        }
    }
    if (mem.shotAt >= 0) {
        t.kind = 2;
        t.since = mem.shotAt;
    }
    return t;
}

void fightBrain::drawAnswer(int since, int kind, bool antiAirChance) {
    int key = since * 4 + kind;
    if (mem.answerFor == key)
        return;
    const levelTraits& t = traitsOf(level);
    mem.answerFor = key;
    if (antiAirChance && antiAir_ && chance(t.antiAir))
        mem.answer = answerAntiAir;
    else if (!chance(t.guard))
        mem.answer = answerIgnore;
    else
        mem.answer = chance(t.heightSense) ? answerGuard : answerGuardBlind;
}

void fightBrain::guard(inputFrame& out, const Fighter& me, bool on, int how) const {
    out.choices |= on ? inputFrame::blockOn : inputFrame::blockOff;
    if (me.returnBusy() || !me.onGround || how == keepStance)
        return;
    if (how == crouch && me.actionName != "duck")
        out.shows = inputFrame::showDuck;
    if (how == stand && me.actionName == "duck")
        out.shows = inputFrame::showStanding;
}

int fightBrain::pickAttack(int gap, bool airborne, bool punishing, int withinMs) const {
    const levelTraits& t = traitsOf(level);
    const std::vector<option>& from = airborne ? air_ : ground_;
    std::vector<const option*> reach;
    for (const option& o : from) {
        const moveFacts& f = o.facts;
        if ((airborne && f.groundOnly) || (!airborne && f.airOnly))
            continue;
        if (f.projectile ? gap < kCloseShot || punishing : f.reach < gap)
            continue;
        if (punishing && f.startupMs > withinMs)
            continue;
        reach.push_back(&o);
    }
    if (reach.empty())
        return -1;
    auto keep = [&](auto test) {
        std::vector<const option*> kept;
        for (const option* o : reach)
            if (test(*o))
                kept.push_back(o);
        if (!kept.empty())
            reach = kept;
    };
    // A guard seen lately is beaten by the height it does not cover.
    if (mem.guardSeen != 0 && chance(t.mixUp)) {
        attackHeight beats = mem.guardSeen == 1 ? attackHeight::low : attackHeight::overhead;
        keep([&](const option& o) { return o.facts.height == beats; });
    }
    if (!chance(t.specials))
        keep([](const option& o) { return !o.facts.special; });
    if (punishing) {
        auto fastest = std::min_element(reach.begin(), reach.end(), [](auto a, auto b) {
            return a->facts.startupMs < b->facts.startupMs;
        });
        return (*fastest)->index;
    }
    return reach[static_cast<size_t>(g_randomNumber.getNumber(static_cast<int>(reach.size())))]
        ->index;
}

void fightBrain::drawPlan(int gap) {
    const levelTraits& t = traitsOf(level);
    int now = mem.clock;
    bool far = gap > preferredGap_;
    // Weights: hold, approach, retreat, jump in.
    int w[4] = {far ? 100 - t.approach : 60, far ? t.approach : 10, far ? 10 : 20 - level,
                far ? 4 + level / 2 : 3};
    int total = w[0] + w[1] + w[2] + w[3];
    int r = g_randomNumber.getNumber(total);
    int p = 0;
    while (p < 3 && r >= w[p])
        r -= w[p++];
    mem.plan = p;
    mem.planUntil = now + 12 + g_randomNumber.getNumber(40);
    mem.planGuard = chance(t.holdGuard);
}

inputFrame fightBrain::frame() {
    inputFrame out;
    Fighter* foeP = rival_ ? rival_->returnTarget() : nullptr;
    if (!me_ || !foeP)
        return out;
    if (idle) {
        mem.wasIdle = true;
        return out;
    }
    // Out of the idle stand it looks at the fight afresh.
    if (mem.wasIdle)
        resetForRound();
    Fighter& me = *me_;
    const Fighter& foe = *foeP;
    const levelTraits& t = traitsOf(level);
    ++mem.clock;
    int now = mem.clock;
    watch(me, foe);
    bool busy = me.returnBusy();
    bool grounded = me.onGround;
    int gap = gapTo(me, foe);

    // A jump at it: an upward attack when the jumper comes into its reach, if the draw
    // says so; otherwise the jump's attack is met like any other.
    if (mem.airAt >= 0 && now - mem.airAt >= t.reaction && grounded) {
        drawAnswer(mem.airAt, 3, true);
        if (mem.answer == answerAntiAir) {
            // Struck as the jumper comes down into it: thrown on the way up, it is over
            // before the jump's attack arrives.
            int height = kGroundY - foe.y;
            bool falling = foe.verticalSpeed <= 2;
            if (!busy && falling && gap <= antiAir_->facts.reach + kSlack &&
                height <= antiAir_->facts.top) {
                out.move = static_cast<int16_t>(antiAir_->index);
                mem.restUntil = now + t.rest;
                return out;
            }
            if (!busy) {
                guard(out, me, true, stand);
                return out;
            }
        }
    }

    threat th = threatNow(me, foe);
    if (th.kind != 0 && now - th.since >= t.reaction) {
        drawAnswer(th.since, th.kind, false);
        if (mem.answer == answerGuard || mem.answer == answerGuardBlind) {
            int how = keepStance;
            if (mem.answer == answerGuard) {
                if (th.height == attackHeight::low)
                    how = crouch;
                else if (th.height == attackHeight::overhead)
                    how = stand;
            }
            guard(out, me, true, how);
            return out;
        }
    }

    if (busy) {
        // Caught in its own move or a reaction: the guard it keeps is all it can change.
        guard(out, me, mem.planGuard && mem.plan != planApproach, keepStance);
        return out;
    }

    // A move that missed, seen recovering: the fastest attack that lands before it ends.
    if (mem.openAt >= 0 && now - mem.openAt >= t.reaction && foe.currentMove &&
        mem.answerFor != mem.openAt * 4) {
        mem.answerFor = mem.openAt * 4;
        if (chance(t.punish)) {
            int left = msLeftFrom(*foe.currentMove, foe.frame + 1, foe.speed);
            int move = pickAttack(gap, !grounded, true, left + 11);
            if (move >= 0) {
                out.move = static_cast<int16_t>(move);
                mem.restUntil = now + t.rest;
                return out;
            }
        }
    }

    if (!grounded) {
        // In the air: drift at the opponent and strike on the way down.
        if (mem.plan == planJumpIn)
            out.choices |= inputFrame::walkForward;
        if (foe.y > me.y && now >= mem.restUntil && chance(t.aggression * 3)) {
            int move = pickAttack(gap, true, false, 0);
            if (move >= 0) {
                out.move = static_cast<int16_t>(move);
                mem.restUntil = now + t.rest;
            }
        }
        return out;
    }

    if (now >= mem.planUntil)
        drawPlan(gap);

    if (now >= mem.restUntil && chance(t.aggression)) {
        int move = pickAttack(gap, false, false, 0);
        if (move >= 0) {
            out.move = static_cast<int16_t>(move);
            out.choices |= mem.planGuard ? inputFrame::blockOn : inputFrame::blockOff;
            mem.restUntil = now + t.rest + g_randomNumber.getNumber(t.rest + 1);
            return out;
        }
    }

    switch (mem.plan) {
    case planApproach:
        if (gap > preferredGap_) {
            out.choices |= inputFrame::walkForward | inputFrame::blockOff;
            if (me.actionName != "walk")
                out.shows = inputFrame::showWalk;
            return out;
        }
        mem.plan = planHold;
        break;
    case planRetreat:
        out.choices |= inputFrame::walkBack;
        guard(out, me, mem.planGuard, keepStance);
        if (me.actionName != "walk")
            out.shows = inputFrame::showWalk;
        return out;
    case planJumpIn:
        mem.plan = planHold;
        out.choices |= inputFrame::jump | inputFrame::walkForward | inputFrame::blockOff;
        return out;
    default:
        break;
    }
    // Holding its ground: standing, or crouched where a low was met.
    guard(out, me, mem.planGuard && gap < preferredGap_ + 40, keepStance);
    if (me.actionName == "walk")
        out.shows = inputFrame::showStanding;
    return out;
}
