#include "control/inputFrame.h"

bool inputFrame::press(uint8_t bit) {
    bool one = bit != 0 && (bit & (bit - 1)) == 0 && (bit <= buttonC || bit == restart);
    if (!one || pressCount >= kMaxPresses)
        return false;
    presses[pressCount++] = bit;
    return true;
}

bool inputFrame::operator==(const inputFrame& o) const {
    if (held != o.held || pressCount != o.pressCount || choices != o.choices || shows != o.shows ||
        move != o.move)
        return false;
    for (int i = 0; i < pressCount; ++i)
        if (presses[i] != o.presses[i])
            return false;
    return true;
}
