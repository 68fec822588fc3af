#pragma once

#include <string>

#include "SDL.h"

// A move's command drawn as a row of small pictures: an arrow for each direction and a
// coloured disc for each button, so a player reads "down, forward, A" at a glance. The
// letters are the move set's: U up, D down, R forward, L back, A B C the buttons. Drawn
// in code from filled shapes, so any screen that shows commands (the move list, an input
// display) needs no pictures of its own.
class commandIcons {
public:
    // Draws `letters` left to right with the top-left at (x, y), each picture `size`
    // pixels square; forward points right for a fighter facing right and left otherwise.
    // Letters without a picture are left out. Returns the width drawn (0 for none).
    static int drawCommand(SDL_Surface* screen, const std::string& letters, int x, int y, int size,
                           bool facingRight = true);
    // The width drawCommand would take, without drawing.
    static int commandWidth(const std::string& letters, int size);
    // Whether a letter has a picture.
    static bool drawable(char letter);

private:
    static void arrow(SDL_Surface* screen, int x, int y, int size, int dx, int dy);
    static void button(SDL_Surface* screen, int x, int y, int size, char letter);
};
