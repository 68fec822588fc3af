#pragma once

#include "control/inputSource.h"

class AI;
class playerControl;

// The computer as a match side's input source: asked at the point of its movement step
// where it has always decided, it yields what it chose as a frame for the side's
// controller to carry out.
class computerInput : public inputSource {
public:
    AI* mind = nullptr;                  // decides, not owned
    const playerControl* body = nullptr; // the side's controller, whose clock it reads

    inputFrame frame() override;
};
