#include "config/controlsConfig.h"

#include <string>

#include "SDL.h"

namespace {

void addPlayer(std::vector<controlSetting>& list, gamePad& pad, int player) {
    std::string p = std::to_string(player + 1) + "p.";
    list.push_back({p + "left", "", settingKind::key, &pad.keyLeft, player, "walks left"});
    list.push_back({p + "right", "", settingKind::key, &pad.keyRight, player, "walks right"});
    list.push_back({p + "jump", p + "up", settingKind::key, &pad.keyUp, player,
                    "jumps; a second press in the air jumps again"});
    list.push_back(
        {p + "duck", p + "down", settingKind::key, &pad.keyDown, player, "ducks while held"});
    list.push_back({p + "a", "", settingKind::key, &pad.buttonA, player, "button A: jab"});
    list.push_back({p + "b", "", settingKind::key, &pad.buttonB, player,
                    "button B: kick (a flying kick in the air)"});
    list.push_back({p + "c", "", settingKind::key, &pad.buttonC, player, "button C: strike"});
    list.push_back({p + "joystick", "", settingKind::joystick, &pad.joystickIndex, player,
                    "plays with a joystick instead of the keys (0 is the first one found)"});
    list.push_back({p + "joystick.a", "", settingKind::joyButton, &pad.joyButtonA, player,
                    "the joystick button that is A"});
    list.push_back({p + "joystick.b", "", settingKind::joyButton, &pad.joyButtonB, player,
                    "the joystick button that is B"});
    list.push_back({p + "joystick.c", "", settingKind::joyButton, &pad.joyButtonC, player,
                    "the joystick button that is C"});
}

} // namespace

controlsConfig::controlsConfig() : overlayKey(SDLK_j), pauseKey(SDLK_p) {
    fillDefaultPad(players[0]);
    fillSecondPlayerPad(players[1]);
}

std::vector<controlSetting> controlsConfig::settings() {
    std::vector<controlSetting> list;
    addPlayer(list, players[0], 0);
    addPlayer(list, players[1], 1);
    list.push_back({"overlay", "", settingKind::key, &overlayKey, -1,
                    "shows or hides the debug overlay (boxes and anchors)"});
    list.push_back({"pause", "", settingKind::key, &pauseKey, -1, "pauses and resumes a match"});
    return list;
}
