#pragma once

#include <string>
#include <vector>

#include "ai/moveFacts.h"
#include "control/inputSource.h"

class Fighter;
class Target;
class aiAttackList;
class moveSet;
class particleList;

// The computer opponent of today's match, at a level from 1 to 8. Each movement step it
// looks at the fight as the step left it and yields its choices as a frame for its
// side's controller: it guards against the attacks and projectiles it sees coming, at
// the height the attack needs; meets a jump-in with an upward attack; answers a move
// that missed while it recovers; and attacks from its attack table, with lows against a
// standing guard and overheads against a crouching one. A lower level sees later,
// guards and attacks less and uses fewer specials. Every draw comes from the fight's
// generator and all it keeps between steps is `mem`, which the fight's saved state
// holds, so a step run again decides the same.
class fightBrain : public inputSource {
public:
    // What the brain keeps from one step to the next. Times are its own steps (`clock`).
    struct memory {
        int clock = 0;          // movement steps decided since the round began
        int plan = 0;           // what it does while nothing threatens (see the source)
        int planUntil = 0;      // clock at which it draws its next plan
        bool planGuard = false; // it keeps its guard up during the plan
        std::string seenMove;   // the opponent's move as last seen, empty for none
        int seenFrame = 0;      // that move's frame then
        int seenAt = 0;         // clock when that move was seen to start
        int openAt = -1;        // clock when that move was first seen recovering, -1 for not
        int shotAt = -1;        // clock when a projectile was first seen coming, -1 for none
        int airAt = -1;         // clock when the opponent was first seen in the air, -1 for not
        int answerFor = -1;     // the threat the answer is for: its clock and its kind
        int answer = 0;         // how it meets that threat (see the source)
        int guardSeen = 0;      // the opponent's guard as last seen: 0 none, 1 standing, 2 low
        int guardSeenAt = 0;    // clock then
        int restUntil = 0;      // clock before which it starts no attack of its own
        bool wasIdle = false;   // it was held still at its last step
        // The values on one line, for the fight's checksum and its differences.
        std::string describe() const;
    };

    // An attack the brain may start: its index in the move set, and its facts.
    struct option {
        int index = 0;
        moveFacts facts;
    };

    memory mem;
    int level = 4;     // 1 to 8
    bool idle = false; // held still by the match (a test's idle opponent): it chooses nothing

    // Binds the brain to its fighter, the opponent, its moves, the live particles and its
    // attack table (groups 0, on the ground, and 2, in the air). Entries naming a move
    // the set lacks, or a move that neither hurts nor throws, are left out. Nothing is
    // owned; everything must outlive the brain's use.
    void setup(Fighter* own, Target* rival, moveSet* moves, particleList* particles,
               const aiAttackList& table, int level);
    inputFrame frame() override;
    // As at the start of a round: nothing seen, nothing planned.
    void resetForRound();

    const std::vector<option>& groundOptions() const { return ground_; }
    const std::vector<option>& airOptions() const { return air_; }
    // The ground attack reaching highest, when it reaches above most of the body: the
    // answer to a jump-in. Null for none.
    const option* antiAir() const { return antiAir_; }

private:
    struct threat {
        int kind = 0;  // 0 none, 1 an attack, 2 a projectile
        int since = 0; // clock when it was first seen
        attackHeight height = attackHeight::mid;
    };
    void watch(const Fighter& me, const Fighter& foe);
    threat threatNow(const Fighter& me, const Fighter& foe) const;
    bool shotComing(const Fighter& me) const;
    // Draws how to meet a threat first seen at `since`, once for each threat.
    void drawAnswer(int since, int kind, bool antiAirChance);
    // Index in the set of an attack that reaches `gap`, or -1.
    int pickAttack(int gap, bool airborne, bool punishing, int withinMs) const;
    void drawPlan(int gap);
    // The side's guard for this step, and its stance when the fighter may change pose.
    void guard(inputFrame& out, const Fighter& me, bool on, int stance) const;
    bool chance(int percent) const;
    int gapTo(const Fighter& from, const Fighter& to) const;

    Fighter* me_ = nullptr;             // the computer's fighter
    Target* rival_ = nullptr;           // looks at the opponent
    moveSet* moves_ = nullptr;          // the computer's moves
    particleList* particles_ = nullptr; // both sides' particles
    std::vector<option> ground_;        // usable on the ground, from group 0
    std::vector<option> air_;           // usable in the air, from group 2
    const option* antiAir_ = nullptr;   // one of ground_, or null
    int preferredGap_ = 60;             // the gap it walks in to: its common attacks reach it
};
