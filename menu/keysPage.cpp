#include "menu/keysPage.h"

#include <algorithm>

#include "config/controlsConfig.h"
#include "platform/traceLog.h"

namespace {

constexpr const char* kHint = "ENTER: CHANGE  ESCAPE: BACK";
constexpr const char* kWaitHint = "ESCAPE: CANCEL";

std::string tagOf(int player) {
    return std::to_string(player + 1) + "P";
}

} // namespace

keysPage::keysPage(int player, controlsConfig& controls, menuInput& input)
    : player_(player), controls_(controls), input_(input), assign_(controls) {
    list.title = tagOf(player) + " KEYS";
    list.hint = kHint;
    // Twelve rows scroll; with nine shown, the "..." under them clears the message line.
    list.visibleLines = 9;
    refresh();
}

void keysPage::refresh() {
    list.entries.clear();
    for (int a = 0; a < keyAssignment::kActions; ++a)
        list.entries.push_back(
            {keyAssignment::actionName(a), keyAssignment::shownName(assign_.key(player_, a))});
    int padNow = controls_.players[player_].joystickIndex;
    list.entries.push_back({"PAD", padNow < 0 ? "KEYBOARD" : std::to_string(padNow)});
    for (int b = 0; b < keyAssignment::kButtons; ++b)
        list.entries.push_back({std::string("PAD ") + keyAssignment::actionName(4 + b),
                                "BUTTON " + std::to_string(assign_.button(player_, b))});
    list.entries.push_back({"BACK", ""});
}

// Left and Right go through the keyboard and every pad plugged in (and the pad chosen,
// plugged in or not).
void keysPage::stepPad(int by) {
    int now = controls_.players[player_].joystickIndex;
    int pads = SDL_WasInit(SDL_INIT_JOYSTICK) ? SDL_NumJoysticks() : 0;
    int last = std::max(pads - 1, now);
    int next = std::clamp(now + by, keyAssignment::kKeyboard, last);
    if (next == now) {
        list.message = pads == 0 ? "NO PAD IS PLUGGED IN" : "NO MORE PADS";
        return;
    }
    bool moved = false;
    list.message = assign_.assignPad(player_, next, moved);
    changed = changed || moved;
}

menuStep keysPage::act(menuAction action, const SDL_Event& event) {
    if (waiting_ >= 0)
        return waitFor(event);
    int row = list.cursor;
    switch (action) {
    case menuAction::back:
        return menuStep::leave;
    case menuAction::left:
    case menuAction::right:
        if (row == pad)
            stepPad(action == menuAction::left ? -1 : 1);
        break;
    case menuAction::confirm:
        if (row == back)
            return menuStep::leave;
        if (row == pad) {
            stepPad(1);
            break;
        }
        waiting_ = row;
        if (row < pad)
            list.message =
                "PRESS A KEY FOR " + tagOf(player_) + " " + keyAssignment::actionName(row);
        else
            list.message = "PRESS A PAD BUTTON FOR " + tagOf(player_) + " " +
                           keyAssignment::actionName(4 + row - firstButton);
        list.hint = kWaitHint;
        break;
    default:
        break;
    }
    refresh();
    input_.setKeys(controls_);
    return menuStep::stay;
}

// The press that answers "PRESS A KEY": a key for a key row, a pad's button for a
// button row. Escape cancels either; anything else is not an answer.
menuStep keysPage::waitFor(const SDL_Event& event) {
    bool escape = event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE;
    bool moved = false;
    if (escape) {
        list.message = "NOTHING CHANGED";
    } else if (waiting_ < pad && event.type == SDL_KEYDOWN) {
        list.message = assign_.assignKey(player_, waiting_, event.key.keysym.sym, moved);
    } else if (waiting_ >= firstButton && event.type == SDL_JOYBUTTONDOWN) {
        list.message =
            assign_.assignButton(player_, waiting_ - firstButton, event.jbutton.button, moved);
    } else {
        return menuStep::stay;
    }
    if (moved)
        tracef("options: %s\n", list.message.c_str());
    changed = changed || moved;
    waiting_ = -1;
    list.hint = kHint;
    refresh();
    input_.setKeys(controls_);
    return menuStep::stay;
}
