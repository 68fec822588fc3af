#include "sprite/screenRect.h"

#include <algorithm>

SDL_Rect screenRect(int x, int y, int w, int h) {
    SDL_Rect r;
    r.x = static_cast<Sint16>(std::clamp(x, -32768, 32767));
    r.y = static_cast<Sint16>(std::clamp(y, -32768, 32767));
    r.w = static_cast<Uint16>(std::clamp(w, 0, 65535));
    r.h = static_cast<Uint16>(std::clamp(h, 0, 65535));
    return r;
}
