#include "control/gamepad.h"

#include "SDL.h"

gamePad::gamePad()
    : name("Default"), buttonA(0), buttonB(0), buttonC(0), keyLeft(0), keyRight(0), keyUp(0),
      keyDown(0), joystickIndex(-1), spareText("") {}

void fillDefaultPad(gamePad& pad) {
    pad.name = "defualt";
    pad.buttonA = SDLK_z;
    pad.buttonB = SDLK_x;
    pad.buttonC = SDLK_c;
    pad.keyLeft = SDLK_LEFT;
    pad.keyRight = SDLK_RIGHT;
    pad.keyUp = SDLK_UP;
    pad.keyDown = SDLK_DOWN;
    pad.spareKey1 = SDLK_a;
    pad.spareKey2 = SDLK_s;
    pad.spareKey3 = SDLK_RETURN;
    pad.joystickIndex = -1;
    pad.joyButtonA = 0;
    pad.joyButtonB = 1;
    pad.joyButtonC = 2;
}

void fillSecondPlayerPad(gamePad& pad) {
    fillDefaultPad(pad);
    pad.name = "second";
    pad.buttonA = SDLK_f;
    pad.buttonB = SDLK_g;
    pad.buttonC = SDLK_h;
    pad.keyLeft = SDLK_a;
    pad.keyRight = SDLK_d;
    pad.keyUp = SDLK_w;
    pad.keyDown = SDLK_s;
}
