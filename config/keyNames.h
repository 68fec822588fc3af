#pragma once

#include <string>

// SDL's own key names (what SDL_GetKeyName returns: "left", "z", "return", "left ctrl"),
// both ways, so the controls file names keys as SDL writes them. The table is built on
// first use by walking SDL's key codes; SDL need not be started for it.
namespace keynames {

// The SDL key code a name stands for, ignoring case and runs of spaces ("Left  Ctrl"
// is "left ctrl"); 0 when no key has that name.
int keyFor(const std::string& name);
// SDL's name of a key code ("unknown key" for a code SDL does not name).
std::string nameOf(int key);
// A name as the table compares it: lower case, one space between words, none at the ends.
std::string normalised(const std::string& name);

} // namespace keynames
