#pragma once

#include <string>
#include <vector>

#include "SDL.h"

class menuLook;

// One line of a menu: what it is, and for a setting its value ("MUSIC" "7").
struct menuEntry {
    std::string label; // drawn on the left, or centred without a value
    std::string value; // drawn on the right; empty for an entry that only leads on
};

// A menu's lines and where its cursor stands. The cursor wraps from the last line to
// the first; a list longer than fits shows the part around the cursor.
class menuList {
public:
    std::string title;              // over the lines, in the big font
    std::vector<menuEntry> entries; // top to bottom
    int cursor = 0;                 // the entry chosen, 0 at the top
    std::string message;            // a line under the entries: what just happened
    std::string hint;               // the keys, at the bottom of the screen
    int visibleLines = 10;          // how many entries fit before the list scrolls
    int width = 420;                // pixels from a label's start to a value's end

    void move(int by);
    // The label of the entry under the cursor; empty for an empty list.
    std::string chosen() const;
    // The panel, title, entries (the chosen one marked), message and hint.
    void draw(SDL_Surface* screen, const menuLook& look) const;

private:
    int firstShown() const;
};
