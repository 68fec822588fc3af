#pragma once

#include "control/inputFrame.h"

// Where one side's input frames come from: a player's keys or pad, the computer, and
// later a peer on the network. A source is asked once per step for its frame.
class inputSource {
public:
    virtual ~inputSource() = default;
    virtual inputFrame frame() = 0;
};
