#include "control/playerControl.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "collision/SquareCollider.h"
#include "collision/boxOverlap.h"
#include "control/gamepad.h"
#include "control/inputFrame.h"
#include "control/inputSource.h"
#include "fighter/fighter.h"
#include "moves/hitRef.h"
#include "moves/inputChecker.h"
#include "moves/moveSet.h"
#include "moves/target.h"
#include "particles/particle.h"
#include "particles/particleList.h"
#include "platform/debugOverlay.h"
#include "platform/gameClock.h"
#include "sound/soundSet.h"
#include "platform/traceLog.h"

namespace {

constexpr double kTickScale = 0.1; // controller time runs in units of 10 ms
constexpr int kWalkStep = 3;       // pixels per movement step
constexpr int kJumpSpeed = 16;     // upward speed of a jump
constexpr int kDeadZone = 3200;    // stick values this close to centre count as centred
constexpr int kPushApart = 3;      // pixels an overlapping body is pushed back per step
constexpr int kBlockPush = 3;      // in a match, pixels each fighter is pushed by a blocked step
constexpr int kChipShare = 10;     // a blocked special costs 1 / kChipShare of its damage

// Whether a key is held; a key code outside the state array is never held.
bool held(const Uint8* keys, int count, int key) {
    return keys && key >= 0 && key < count && keys[key] != 0;
}

} // namespace

void playerControl::init(SDL_Surface* target) {
    screen = target;
    fighter = nullptr;
    infoList = nullptr;
    particles = nullptr;
    soundBank = nullptr;
    animSet = nullptr;
    moveBank = nullptr;
    pad = nullptr;
    checker = nullptr;
    this->target = nullptr;
    joystick = nullptr;
    curFrame = prevFrame = 0;
    curAction = prevAction = curSound = prevSound = curParticle = prevParticle = "NULL";
    quit = 0;
    blocking = false;
}

void playerControl::setup(Fighter* who, partInfoList* defs, particleList* list, soundSet* sounds,
                          animationSet* anims, moveSet* moves, gamePad* mapping,
                          inputChecker* commands, Target* opponent) {
    fighter = who;
    infoList = defs;
    particles = list;
    soundBank = sounds;
    animSet = anims;
    moveBank = moves;
    pad = mapping;
    checker = commands;
    target = opponent;
    if (pad && pad->joystickIndex > -1)
        joystick = SDL_JoystickOpen(pad->joystickIndex);
}

void playerControl::update() {
    int now = static_cast<int>(gameTicks());
    thisTick = now;
    delta = static_cast<float>((now - lastTick) * kTickScale);
    lastTick = now;
    stepAccum += delta;
    if (!fighter)
        return;

    prevFrame = curFrame;
    prevAction = curAction;
    prevSound = curSound;
    prevParticle = curParticle;
    curFrame = fighter->frame;
    curAction = fighter->actionName;
    curSound = fighter->returnSound();

    // A sound plays when the frame changes to one naming another sound, so a sound
    // held over several frames plays once.
    if (curFrame != prevFrame && curSound != "NULL" && curSound != prevSound && soundBank)
        soundBank->Play(curSound, -1);

    int count = fighter->returnPartNum();
    if (count <= 0) {
        curParticle = "NULL";
    } else {
        curParticle = fighter->returnParticle(1);
        if (curParticle != prevParticle && particles) {
            for (int i = 1; i <= count; ++i) {
                tracef("TD: %d\n", thisTick);
                particles->addParticle(fighter->returnParticle(i), fighter, nullptr, infoList,
                                       screen, thisTick);
            }
        }
    }
    // After a change of action the next update compares the frame with 0.
    if (curAction != prevAction)
        curFrame = 0;
}

void playerControl::inputChecking(SDL_Event* event) {
    if (!pad || !fighter)
        return;
    bool keyboard = pad->joystickIndex == -1;
    if (keyboard)
        keyboardCheck(event);
    else
        joystickCheck(event);
    movementAndCommands(event);
}

void playerControl::movementAndCommands(SDL_Event* event) {
    if (!pad || !fighter)
        return;
    bool keyboard = pad->joystickIndex == -1;
    if (stepDue()) {
        if (keyboard)
            keyboardMovement();
        else
            joystickMovement(event);
        updatePosition();
        stepAccum = 0;
    }
    startRecognisedMove();
}

void playerControl::pressesFrom(const inputFrame& frame) {
    if (!fighter)
        return;
    for (int i = 0; i < frame.pressCount; ++i) {
        switch (frame.presses[i]) {
        case inputFrame::buttonA:
            buttonPress('A');
            break;
        case inputFrame::buttonB:
            buttonPress('B');
            break;
        case inputFrame::buttonC:
            buttonPress('C');
            break;
        case inputFrame::up:
            jumpPress();
            break;
        case inputFrame::down:
            buttonPress('D');
            break;
        case inputFrame::right:
            pressSideways(true);
            break;
        case inputFrame::left:
            pressSideways(false);
            break;
        default:
            break;
        }
    }
}

void playerControl::movementFromFrame(const inputFrame& frame) {
    if (!fighter)
        return;
    if (stepDue()) {
        heldInput input;
        input.left = frame.holds(inputFrame::left);
        input.right = frame.holds(inputFrame::right);
        input.down = frame.holds(inputFrame::down);
        movementFrom(input);
        // A training dummy guards where it stands: holding back would walk it away.
        if (frame.choices & inputFrame::blockOn)
            blocking = true;
        updatePosition();
        stepAccum = 0;
    }
    startRecognisedMove();
}

void playerControl::movementFromSource(inputSource& source) {
    if (!fighter || !stepDue())
        return;
    updatePosition();
    carryOut(source.frame());
    stepAccum = 0;
}

void playerControl::carryOut(const inputFrame& choice) {
    if (choice.choices & inputFrame::blockOn)
        blocking = true;
    if (choice.choices & inputFrame::blockOff)
        blocking = false;
    if (choice.choices & (inputFrame::walkForward | inputFrame::walkBack))
        walk((choice.choices & inputFrame::walkForward) != 0);
    static const char* const poses[] = {nullptr, "standing", "walk", "duck"};
    if (choice.shows > inputFrame::keepPose && choice.shows <= inputFrame::showDuck)
        showAnim(poses[choice.shows]);
    if (choice.choices & inputFrame::jump)
        fighter->Jump(kJumpSpeed);
    bool known =
        moveBank && choice.move >= 0 && static_cast<size_t>(choice.move) < moveBank->moves.size();
    if (known && !fighter->returnBusy())
        fighter->changeAction(&moveBank->moves[static_cast<size_t>(choice.move)]);
}

void playerControl::startRecognisedMove() {
    moveInfo* move = checker ? checker->update(thisTick) : nullptr;
    if (move && !fighter->returnBusy())
        fighter->changeAction(move);
}

void playerControl::pressSideways(bool towardsRight) {
    // 'R' is forward, the way the fighter faces.
    buttonPress(towardsRight == fighter->facingRight ? 'R' : 'L');
}

void playerControl::jumpPress() {
    fighter->Jump(kJumpSpeed);
    buttonPress('U');
}

void playerControl::handleEvent(const SDL_Event& event) {
    if (!pad || !fighter)
        return;
    if (pad->joystickIndex == -1)
        keyboardEvent(event);
    else
        joystickEvent(event);
}

void playerControl::keyboardCheck(SDL_Event* event) {
    while (SDL_PollEvent(event))
        keyboardEvent(*event);
}

void playerControl::keyboardEvent(const SDL_Event& event) {
    // The window's close button ends the game as Escape does.
    if (event.type == SDL_QUIT)
        quit = 1;
    if (event.type != SDL_KEYDOWN)
        return;
    int sym = event.key.keysym.sym;
    if (sym == SDLK_ESCAPE)
        quit = 1;
    if (sym == pad->buttonA)
        buttonPress('A');
    if (sym == pad->buttonB)
        buttonPress('B');
    if (sym == pad->buttonC)
        buttonPress('C');
    if (sym == pad->keyUp)
        jumpPress();
    if (sym == pad->keyDown)
        buttonPress('D');
    if (sym == pad->keyRight)
        pressSideways(true);
    if (sym == pad->keyLeft)
        pressSideways(false);
    if (sym == overlayKey)
        debugging = !debugging;
}

void playerControl::joystickCheck(SDL_Event* event) {
    while (SDL_PollEvent(event))
        joystickEvent(*event);
}

void playerControl::joystickEvent(const SDL_Event& event) {
    // Two players may each have a pad: only this player's own reaches its fighter.
    if (event.type == SDL_JOYBUTTONDOWN && event.jbutton.which != pad->joystickIndex)
        return;
    if (event.type == SDL_JOYAXISMOTION && event.jaxis.which != pad->joystickIndex)
        return;
    switch (event.type) {
    case SDL_QUIT:
        quit = 1;
        break;
    case SDL_KEYDOWN:
        if (event.key.keysym.sym == SDLK_ESCAPE)
            quit = 1;
        break;
    case SDL_JOYBUTTONDOWN: {
        int button = event.jbutton.button;
        if (button == pad->joyButtonA)
            buttonPress('A');
        if (button == pad->joyButtonB)
            buttonPress('B');
        if (button == pad->joyButtonC)
            buttonPress('C');
        break;
    }
    case SDL_JOYAXISMOTION: {
        int value = event.jaxis.value;
        if (value >= -kDeadZone && value <= kDeadZone)
            break;
        if (event.jaxis.axis == 0)
            pressSideways(value > 0);
        else if (event.jaxis.axis == 1 && value > 0)
            buttonPress('D');
        else if (event.jaxis.axis == 1)
            jumpPress();
        break;
    }
    default:
        break;
    }
}

void playerControl::keyboardMovement() {
    int count = 0;
    const Uint8* keys = SDL_GetKeyState(&count);
    heldInput input;
    input.left = held(keys, count, pad->keyLeft);
    input.right = held(keys, count, pad->keyRight);
    input.down = held(keys, count, pad->keyDown);
    movementFrom(input);
}

void playerControl::joystickMovement(SDL_Event* event) {
    (void)event; // the stick's own state says whether it is held down
    if (!stepDue())
        return;
    int h = joystick ? SDL_JoystickGetAxis(joystick, 0) : 0;
    int v = joystick ? SDL_JoystickGetAxis(joystick, 1) : 0;
    heldInput input;
    input.left = h < -kDeadZone;
    input.right = h > kDeadZone;
    input.down = v > kDeadZone;
    movementFrom(input);
}

void playerControl::movementFrom(const heldInput& input) {
    bool idle = true;
    std::string before = fighter->actionName;
    if (!fighter->returnBusy() && fighter->actionName != "duck") {
        if (input.left) {
            fighter->x -= kWalkStep;
            idle = false;
        }
        if (input.right) {
            fighter->x += kWalkStep;
            idle = false;
        }
    }
    // The player blocks while holding back, away from the opponent it faces.
    blocking = fighter->facingRight ? input.left : input.right;
    if (input.down) {
        fighter->duck();
        idle = false;
    } else if (before == "duck") {
        fighter->changeAnim("standing");
    }
    std::string now = fighter->actionName;
    if (fighter->returnBusy() || now == "duck" || now == "inAir")
        return;
    if (idle)
        showAnim("standing");
    else
        showAnim("walk");
}

void playerControl::showAnim(const std::string& name) {
    if (fighter->actionName != name)
        fighter->changeAnim(name);
}

void playerControl::walk(bool forward) {
    bool right = forward == fighter->facingRight;
    fighter->x += right ? kWalkStep : -kWalkStep;
}

void playerControl::buttonPress(char key) {
    if (!checker || !fighter)
        return;
    inputKeys press;
    press.time = thisTick;
    press.key = key;
    press.action = fighter->actionName;
    checker->acceptInput(press);
}

void playerControl::checkDirection() {
    if (fighter && target)
        fighter->setDir(target->retX() > fighter->x);
}

void playerControl::updatePosition() {
    if (!stepDue() || !fighter)
        return;
    if (target) {
        fighter->setDir(target->retX() > fighter->x);
        if (boxesTouch(fighter->getCBox(), target->getColBox(true), matchContact))
            fighter->x += fighter->facingRight ? -kPushApart : kPushApart;
        // Each controller lands the opponent's attack on its own fighter, on every
        // step the boxes overlap.
        if (boxesTouch(fighter->getCBox(), target->getDmgBox(), matchContact)) {
            Fighter* attacker = target->returnTarget();
            const moveInfo* move = attacker ? attacker->currentMove : nullptr;
            if (guardStopsNow(move ? move->height : attackHeight::mid)) {
                takeBlocking();
                if (matchContact)
                    afterBlock(attacker ? attacker->getDamage() : 0,
                               move && specialCommand(move->command), attacker);
            } else {
                hitReaction(attacker ? attacker->getDamage() : 0,
                            attacker ? attacker->getHitType() : 0);
            }
        }
    }
    fighter->Gravity();
    fighter->boundary();
    if (particles)
        particles->update();
}

void playerControl::idleStep(bool face) {
    if (!stepDue() || !fighter)
        return;
    if (face)
        checkDirection();
    blocking = false;
    fighter->Gravity();
    fighter->boundary();
    if (fighter->onGround && !fighter->returnBusy() && fighter->actionName == "walk")
        fighter->changeAnim("standing");
    if (particles)
        particles->update();
    stepAccum = 0;
}

void playerControl::checkParticleCollision(particleList* list, char mode) {
    if (list && fighter)
        takeDamage(list->collideFighter(fighter, mode));
}

void playerControl::takeDamage(particle* p) {
    if (!p)
        return;
    if (blocking) {
        takeBlocking();
        if (matchContact)
            afterBlock(p->getDamage(), true, nullptr);
        return;
    }
    tracef("Force those damages! %d %d\n", p->getDamage(), p->getHitType());
    hitReaction(p->getDamage(), p->getHitType());
}

void playerControl::takeDamage(int damage, int hitType) {
    hitReaction(damage, hitType);
}

void playerControl::takeDamage() {
    if (!target)
        return;
    Fighter* attacker = target->returnTarget();
    if (attacker)
        hitReaction(attacker->getDamage(), attacker->getHitType());
}

void playerControl::hitReaction(int damage, int hitType) {
    if (!fighter)
        return;
    ++hitsTaken;
    moveInfo* move = moveBank ? hitRef::hitReference(moveBank, hitType, fighter) : nullptr;
    if (move && fighter->returnHitable()) {
        tracef("Damage is forced!!!\n");
        fighter->changeAction(move);
    }
    fighter->changeHP(-damage);
}

bool playerControl::crouching() const {
    return fighter->onGround && (fighter->actionName == "duck" || fighter->actionName == "blockLo");
}

bool playerControl::guardStopsNow(attackHeight height) const {
    if (!blocking)
        return false;
    // In the air a guard covers every height, as it always has.
    return !matchContact || !fighter->onGround || guardStops(height, crouching());
}

void playerControl::afterBlock(int damage, bool isSpecial, Fighter* attacker) {
    if (isSpecial && damage > 0) {
        int chip = std::max(1, (damage + kChipShare / 2) / kChipShare);
        chip = std::min(chip, fighter->hitPoints - 1);
        if (chip > 0)
            fighter->changeHP(-chip);
    }
    // The guard gives ground, and the attacker with it, so a blocked attack cannot be
    // repeated point blank for ever; a guard held at the edge leaves it all to the attacker.
    int away = fighter->facingRight ? -1 : 1;
    int before = fighter->x;
    fighter->x += away * kBlockPush;
    fighter->boundary();
    int given = std::abs(fighter->x - before);
    if (attacker) {
        attacker->x -= away * (2 * kBlockPush - given);
        attacker->boundary();
    }
}

void playerControl::takeBlocking() {
    if (!fighter || !moveBank)
        return;
    ++hitsBlocked;
    const char* name = "blockAir";
    if (fighter->onGround)
        name = fighter->actionName == "duck" ? "blockLo" : "blockHi";
    moveInfo* move = moveBank->returnMove(name);
    if (move && !fighter->returnBusy())
        fighter->changeAction(move);
}

bool playerControl::checkCollision() const {
    if (!target || !fighter)
        return false;
    return SquareCollider(fighter->getCBox(), target->getColBox(true)).collisionCheck();
}

bool playerControl::checkDamgeCollision() const {
    if (!target || !fighter)
        return false;
    return SquareCollider(fighter->getCBox(), target->getDmgBox()).collisionCheck();
}
