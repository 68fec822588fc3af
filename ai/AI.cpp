#include "ai/AI.h"

#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "ai/randomNumber.h"
#include "fighter/fighter.h"
#include "moves/hitRef.h"
#include "moves/moveSet.h"
#include "moves/target.h"
#include "platform/traceLog.h"

namespace {

constexpr int kJumpSpeed = 16;
constexpr int kShortRange = 150;    // up to this distance the player is close
constexpr int kLongRange = 500;     // from this distance the player is far
constexpr int kLevelTolerance = 25; // height difference below which the player is level
constexpr int kCloseEnough = 100;   // an approach ends below this distance
constexpr int kHighJump = 100;      // height difference worth a second jump

// One situation of the think step: its trace line and the states it draws from.
struct situation {
    const char* trace;
    const aiState* table;
    int length;
};

constexpr aiState kInFront[] = {stateAttack,    stateAttack, stateRetreat,
                                stateJumpInDir, stateDuck,   stateNothing};
constexpr aiState kTargetLower[] = {stateAttack,   stateAttack, stateRetreat, stateJumpUpAt,
                                    stateJumpUpAt, stateDuck,   stateNothing};
constexpr aiState kTargetHigher[] = {stateAttack, stateAttack, stateRetreat, stateJumpInDir,
                                     stateNothing};
constexpr aiState kMidAirborne[] = {stateGetCloser, stateGetCloser, stateRetreat, stateJumpUpAt,
                                    stateJumpUpAt,  stateDuck,      stateNothing};
constexpr aiState kMid[] = {stateGetCloser, stateGetCloser, stateRetreat, stateJumpInDir,
                            stateAttack,    stateAttack,    stateDuck,    stateNothing};
constexpr aiState kLong[] = {stateGetCloser, stateGetCloser, stateJumpInDir,
                             stateAttack,    stateNothing,   stateDuck};

template <size_t N> situation make(const char* trace, const aiState (&table)[N]) {
    return situation{trace, table, static_cast<int>(N)};
}

} // namespace

void AI::init(SDL_Surface* target) {
    // The opponent has no pad, joystick or checker; they stay null.
    playerControl::init(target);
    state = stateThink;
    timer = 0.0f;
    jumpDir = 1;
}

void AI::resetCountdowns() {
    state = stateThink;
    timer = 0.0f;
    phase = 0;
    jumpDir = 1;
    blocking = false;
}

void AI::setup(Fighter* who, partInfoList* defs, particleList* list, soundSet* sounds,
               animationSet* anims, moveSet* moves, Target* opponent, const std::string& folder) {
    playerControl::setup(who, defs, list, sounds, anims, moves, nullptr, nullptr, opponent);
    attackList.getList(folder);
}

void AI::updateAI() {
    if (stepAccum <= 1.0f || !fighter)
        return;
    updatePosition();
    if (fighter->returnBusy())
        state = stateBusy;
    stateCheck();
    stepAccum = 0;
}

void AI::stateCheck() {
    switch (state) {
    case stateThink:
        think();
        break;
    case stateGetCloser:
        getCloser();
        break;
    case stateAttack:
        attack();
        break;
    case stateRetreat:
        retreat();
        break;
    case stateJumpUpAt:
        jumpUpAt();
        break;
    case stateJumpInDir:
        jumpInDir();
        break;
    case stateDuck:
        duck();
        break;
    case stateBusy:
        busy();
        break;
    case stateNothing:
        nothing();
        break;
    case stateSpecial:
    default:
        break;
    }
}

void AI::enter(aiState s) {
    switch (s) {
    case stateAttack:
        phase = 1;
        break;
    case stateJumpUpAt:
    case stateJumpInDir:
        jump();
        phase = 1;
        break;
    case stateDuck:
        timer = static_cast<float>(g_randomNumber.getNumber(50) + 1);
        break;
    default:
        break;
    }
}

void AI::setState(aiState s) {
    if (s == stateThink || s == stateSpecial || s == stateBusy || s < stateThink ||
        s > stateNothing)
        return;
    state = s;
    enter(s);
}

void AI::think() {
    if (fighter->actionName != "standing")
        show(inputFrame::showStanding, "standing");
    jumpDir = g_randomNumber.getNumber(3);
    int dist = getDistance();
    timer = static_cast<float>(g_randomNumber.getNumber(20) + 1);
    int fy = fighter->y;
    int ty = target ? target->retY() : fy;
    Fighter* player = target ? target->returnTarget() : nullptr;
    bool playerAirborne = player && !player->onGround;
    situation now;
    if (dist <= kShortRange) {
        if (ty - kLevelTolerance < fy && fy < ty + kLevelTolerance)
            now = make("       Short Range AI, enem infront ", kInFront);
        else if (ty > fy)
            now = make("       Short Range AI, enem above ", kTargetLower);
        else
            now = make("       Short Range AI, enem below ", kTargetHigher);
    } else if (dist < kLongRange) {
        if (playerAirborne)
            now = make("       Mid Range AI enem in air", kMidAirborne);
        else
            now = make("       Mid Range AI ", kMid);
    } else {
        now = make("       Long Range AI", kLong);
    }
    tracef("%s\n", now.trace);
    state = now.table[g_randomNumber.getNumber(now.length)];
    enter(state);
}

void AI::getCloser() {
    if (getDistance() < kCloseEnough) {
        state = stateThink;
        return;
    }
    walkOn(true);
    show(inputFrame::showWalk, "walk");
}

void AI::retreat() {
    timer -= delta;
    if (timer >= 1.0f) {
        // The opponent blocks while it backs away, and only then.
        block(true);
        walkOn(false);
        show(inputFrame::showWalk, "walk");
    } else {
        block(false);
        state = stateThink;
    }
}

void AI::duck() {
    timer -= delta;
    if (fighter->actionName != "duck") {
        tracef("Lets try ducking!\n");
        show(inputFrame::showDuck, "duck");
    }
    if (timer < 1.0f) {
        timer = 0.0f;
        state = stateThink;
    }
}

void AI::nothing() {
    timer -= delta;
    if (timer < 1.0f) {
        timer = 0.0f;
        state = stateThink;
        show(inputFrame::showStanding, "standing");
    }
}

void AI::attack() {
    const char* where = "ground";
    if (!fighter->onGround)
        where = "aerial";
    else if (fighter->actionName == "duck")
        where = "duck";
    if (phase == 1) {
        tracef("Going for the attack!\n");
        std::string name = attackList.getAttack('s', where);
        if (name != "null" && name != "NULL") {
            tracef("the new attack is : %s\n", name.c_str());
            moveInfo* move = moveBank ? moveBank->returnMove(name) : nullptr;
            if (move && !fighter->returnBusy())
                startMove(move);
        }
        phase += 1;
    }
    if (phase == 2 && !fighter->returnBusy() && !moveChosen_)
        state = stateThink;
}

void AI::countDownJump() {
    if (phase != 1)
        return;
    timer -= 1.0f;
    if (timer < 1.0f) {
        timer = static_cast<float>(g_randomNumber.getNumber(20));
        phase = 0;
    }
}

void AI::jumpUpAt() {
    if (fighter->onGround) {
        state = stateThink;
        return;
    }
    walkOn(true);
    if (phase == 0) {
        int fy = fighter->y;
        int ty = target ? target->retY() : fy;
        if (std::abs(fy - ty) > kHighJump && fy < ty) {
            jump();
            phase += 1;
        } else {
            tracef("mid air attack\n");
            phase = 1;
            state = stateAttack;
        }
    }
    countDownJump();
}

void AI::jumpInDir() {
    if (fighter->onGround) {
        state = stateThink;
        return;
    }
    if (jumpDir == 0)
        walkOn(false);
    else if (jumpDir == 2)
        walkOn(true);
    if (phase == 0) {
        jump();
        phase += 1;
    }
    countDownJump();
}

inputFrame AI::choose(float stepDelta) {
    inputFrame choice;
    if (!fighter)
        return choice;
    delta = stepDelta;
    choosing_ = &choice;
    moveChosen_ = false;
    if (fighter->returnBusy())
        state = stateBusy;
    stateCheck();
    choosing_ = nullptr;
    moveChosen_ = false;
    return choice;
}

void AI::block(bool on) {
    if (choosing_)
        choosing_->choices |= on ? inputFrame::blockOn : inputFrame::blockOff;
    else
        blocking = on;
}

void AI::walkOn(bool forward) {
    if (choosing_)
        choosing_->choices |= forward ? inputFrame::walkForward : inputFrame::walkBack;
    else
        walk(forward);
}

void AI::show(inputFrame::pose pose, const char* name) {
    if (choosing_)
        choosing_->shows = pose;
    else
        showAnim(name);
}

void AI::jump() {
    if (choosing_)
        choosing_->choices |= inputFrame::jump;
    else
        fighter->Jump(kJumpSpeed);
}

// The move is started where the fighter would take it; a chosen one will be taken when
// the fighter can spend a jump on it, so the attack state knows it is busy already.
void AI::startMove(moveInfo* move) {
    if (!choosing_) {
        fighter->changeAction(move);
        return;
    }
    choosing_->move = static_cast<int16_t>(move - moveBank->moves.data());
    moveChosen_ = fighter->jumpsLeft > 0;
}

void AI::busy() {
    if (!fighter->returnBusy())
        state = stateThink;
}

void AI::special() {}

void AI::standIdle() {
    state = stateNothing;
    timer = 1e9f;
    blocking = false;
}

int AI::getDistance() const {
    return target ? std::abs(fighter->x - target->retX()) : 0;
}

int AI::getVerticalDistance() const {
    return target ? std::abs(fighter->y - target->retY()) : 0;
}

void AI::takeDamage(int damage, int hitType) {
    if (blockChance > g_randomNumber.getNumber(100)) {
        takeBlocking();
        return;
    }
    ++hitsTaken;
    moveInfo* move = moveBank ? hitRef::hitReference(moveBank, hitType, fighter) : nullptr;
    if (move && !fighter->returnBusy())
        fighter->changeAction(move);
    fighter->changeHP(-damage);
}
