#include "tools/runner/randomPlayer.h"

#include <algorithm>
#include <iterator>

#include "platform/keyFeed.h"

namespace {

constexpr SDLKey kKeys[] = {SDLK_LEFT, SDLK_RIGHT, SDLK_UP, SDLK_DOWN, SDLK_z, SDLK_x, SDLK_c};
constexpr SDLKey kButtons[] = {SDLK_z, SDLK_x, SDLK_c};
constexpr int kStartOneIn = 5;         // something new on about one pass in five
constexpr int kQuarterCircleOneIn = 3; // of those, a quarter circle about one in three
constexpr int kOverlayOneIn = 400;     // and the overlay about one in 400, so most of the
                                       // fight is drawn plainly
constexpr int kLongestHold = 60;       // passes, about two thirds of a second

} // namespace

RandomPlayer::RandomPlayer(unsigned seed) : random_(seed ^ 0x9e3779b9u) {}

int RandomPlayer::between(int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random_);
}

void RandomPlayer::step() {
    for (keyPress& h : held_)
        if (--h.passesHeld <= 0)
            feedKeyUp(h.key);
    held_.erase(std::remove_if(held_.begin(), held_.end(),
                               [](const keyPress& h) { return h.passesHeld <= 0; }),
                held_.end());
    for (keyPress& d : due_)
        if (d.passesToWait-- <= 0 && !holds(d.key)) {
            feedKeyDown(d.key);
            held_.push_back(d);
        }
    due_.erase(std::remove_if(due_.begin(), due_.end(),
                              [](const keyPress& d) { return d.passesToWait < 0; }),
               due_.end());
    if (between(1, kStartOneIn) == 1)
        startSomething();
}

void RandomPlayer::startSomething() {
    if (between(1, kOverlayOneIn) == 1) {
        pressKey(SDLK_j, 0, 1);
        return;
    }
    if (between(1, kQuarterCircleOneIn) == 1) {
        pressQuarterCircle();
        return;
    }
    // Drawn one after the other, the hold first: in one call's arguments the order would
    // be the compiler's, and the same seed would press other keys under clang than gcc.
    int hold = between(1, kLongestHold);
    SDLKey key = kKeys[between(0, static_cast<int>(std::size(kKeys)) - 1)];
    pressKey(key, 0, hold);
}

void RandomPlayer::pressQuarterCircle() {
    SDLKey side = between(0, 1) ? SDLK_RIGHT : SDLK_LEFT;
    SDLKey button = kButtons[between(0, static_cast<int>(std::size(kButtons)) - 1)];
    pressKey(SDLK_DOWN, 0, 3);
    pressKey(side, 3, 3);
    pressKey(button, 6, 2);
}

void RandomPlayer::pressKey(SDLKey key, int wait, int hold) {
    due_.push_back({key, wait, hold});
}

bool RandomPlayer::holds(SDLKey key) const {
    return std::any_of(held_.begin(), held_.end(),
                       [key](const keyPress& h) { return h.key == key; });
}

void RandomPlayer::releaseAll() {
    for (const keyPress& h : held_)
        feedKeyUp(h.key);
    held_.clear();
    due_.clear();
}
