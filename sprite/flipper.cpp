#include "sprite/flipper.h"

// Rows are addressed through the pitch: a surface may pad its rows beyond w pixels.
uint32_t get_pixel32(SDL_Surface* surface, int x, int y) {
    auto* row = static_cast<uint8_t*>(surface->pixels) + y * surface->pitch;
    return reinterpret_cast<uint32_t*>(row)[x];
}

void put_pixel32(SDL_Surface* surface, int x, int y, uint32_t pixel) {
    auto* row = static_cast<uint8_t*>(surface->pixels) + y * surface->pitch;
    reinterpret_cast<uint32_t*>(row)[x] = pixel;
}

SDL_Surface* flip_surface(SDL_Surface* surface) {
    const bool keyed = (surface->flags & SDL_SRCCOLORKEY) != 0;
    SDL_PixelFormat* fmt = surface->format;
    SDL_Surface* flipped =
        SDL_CreateRGBSurface(0, surface->w, surface->h, fmt->BitsPerPixel, fmt->Rmask, fmt->Gmask,
                             fmt->Bmask, keyed ? 0 : fmt->Amask);
    if (!flipped)
        return nullptr;
    if (SDL_MUSTLOCK(surface))
        SDL_LockSurface(surface);
    for (int x = 0; x < surface->w; ++x)
        for (int y = 0; y < surface->h; ++y)
            put_pixel32(flipped, surface->w - 1 - x, y, get_pixel32(surface, x, y));
    if (SDL_MUSTLOCK(surface))
        SDL_UnlockSurface(surface);
    if (keyed)
        SDL_SetColorKey(flipped, SDL_SRCCOLORKEY | SDL_RLEACCEL, fmt->colorkey);
    return flipped;
}
