#include "moves/target.h"

#include "fighter/fighter.h"

void Target::setTarget(Fighter* f) {
    fighter = f;
}

Fighter* Target::returnTarget() const {
    return fighter;
}

int Target::retX() const {
    return fighter ? fighter->x : fallbackX;
}

int Target::retY() const {
    return fighter ? fighter->y : fallbackY;
}

colBox Target::getColBox(bool /*facingRight*/) const {
    return fighter ? fighter->getCBox() : colBox{};
}

colBox Target::getDmgBox() const {
    return fighter ? fighter->getDBox() : colBox{};
}
