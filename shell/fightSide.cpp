#include "shell/fightSide.h"

#include "ai/AI.h"
#include "ai/fightBrain.h"
#include "control/playerControl.h"
#include "fighter/fighter.h"
#include "moves/inputChecker.h"
#include "particles/particleList.h"

void fightSide::playedBy(AI* mind, playerControl* body) {
    computer = mind;
    control = body;
    chooser.mind = mind;
    chooser.body = body;
}

void fightSide::playedBy(fightBrain* mind, playerControl* body) {
    brain = mind;
    control = body;
}

void fightSide::beginStep() {
    if (human())
        control->update();
}

void fightSide::takePresses(const inputFrame& in) {
    if (human())
        control->pressesFrom(in);
}

void fightSide::act(bool on, bool face, particleList& particles, const inputFrame& in, bool idle) {
    if (!human()) {
        if (idle) {
            if (computer)
                computer->standIdle();
            control->blocking = false;
        }
        if (brain)
            brain->idle = idle;
        control->update();
    }
    if (!on) {
        control->idleStep(face);
        return;
    }
    control->checkParticleCollision(&particles, 'E');
    if (human())
        control->movementFromFrame(in);
    else if (brain)
        control->movementFromSource(*brain);
    else
        control->movementFromSource(chooser);
}

void fightSide::resetForRound(int x, int y, int hp, int fullHp) {
    Fighter& f = *fighter;
    f.currentMove = nullptr;
    f.x = x;
    f.y = y;
    f.onGround = false;
    f.verticalSpeed = 0;
    f.jumpsLeft = 0;
    f.setHP(hp, fullHp);
    f.animating = 1;
    f.changeAnim("walk");
    if (checker)
        checker->deleteList();
    control->blocking = false;
    if (computer)
        computer->resetCountdowns();
    if (brain)
        brain->resetForRound();
    device.clear();
}
