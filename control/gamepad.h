#pragma once

#include <string>

// The human player's input mapping: which keys, or which joystick and buttons, stand
// for the buttons A, B, C and the four directions. The shell owns one and fills it at
// start-up; the player's controller reads it on every pass.
class gamePad {
public:
    std::string name;  // name of the mapping; carried, compared by nobody
    int buttonA;       // SDL key code that presses button A
    int buttonB;       // SDL key code that presses button B
    int buttonC;       // SDL key code that presses button C
    int keyLeft;       // SDL key code for left
    int keyRight;      // SDL key code for right
    int keyUp;         // SDL key code for up (jump)
    int keyDown;       // SDL key code for down (duck)
    int spareKey1 = 0; // further keys of the mapping; read by nobody
    int spareKey2 = 0;
    int spareKey3 = 0;
    int joystickIndex;     // SDL joystick device index to play with; -1 means keyboard
    std::string spareText; // a second text of the mapping; read by nobody
    int joyButtonA = 0;    // joystick button number that presses button A
    int joyButtonB = 0;    // joystick button number that presses button B
    int joyButtonC = 0;    // joystick button number that presses button C

    // Keyboard play with every key code 0: no ordinary key does anything until the
    // owner assigns the mapping.
    gamePad();
};

// The mapping the game plays with: z, x, c and the arrow keys on the keyboard, or
// buttons 0, 1, 2 when a joystick index is chosen.
void fillDefaultPad(gamePad& pad);
// The second player's mapping, on the left of the keyboard so two can share it: a and d
// walk, w jumps, s ducks, f, g, h are A, B, C; buttons 0, 1, 2 on a joystick.
void fillSecondPlayerPad(gamePad& pad);
