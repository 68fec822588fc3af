#include "config/keyNames.h"

#include <cctype>
#include <cstring>
#include <unordered_map>

#include "SDL.h"

namespace keynames {

namespace {

// Every name SDL gives a key, once; the names are unique, so the map is exact.
const std::unordered_map<std::string, int>& table() {
    static const std::unordered_map<std::string, int> byName = [] {
        std::unordered_map<std::string, int> names;
        for (int key = SDLK_FIRST + 1; key < SDLK_LAST; ++key) {
            const char* name = SDL_GetKeyName(static_cast<SDLKey>(key));
            if (name && *name && std::strcmp(name, "unknown key") != 0)
                names.emplace(normalised(name), key);
        }
        return names;
    }();
    return byName;
}

} // namespace

std::string normalised(const std::string& name) {
    std::string out;
    bool space = false;
    for (unsigned char c : name) {
        if (std::isspace(c)) {
            space = !out.empty();
            continue;
        }
        if (space)
            out += ' ';
        space = false;
        out += static_cast<char>(std::tolower(c));
    }
    return out;
}

int keyFor(const std::string& name) {
    auto found = table().find(normalised(name));
    return found == table().end() ? 0 : found->second;
}

std::string nameOf(int key) {
    if (key <= SDLK_FIRST || key >= SDLK_LAST)
        return "unknown key";
    return SDL_GetKeyName(static_cast<SDLKey>(key));
}

} // namespace keynames
