#include "match/commandIcons.h"

#include <cstdlib>

#include "platform/screenPresenter.h"

namespace {

// Light shapes with a dark rim read over the dimmed fight as well as over black.
constexpr Uint32 kRim = 0x141018;
constexpr Uint32 kArrow = 0xf4f2e8;
constexpr Uint32 kLetterInk = 0xffffff;

Uint32 buttonColour(char letter) {
    switch (letter) {
    case 'A':
        return 0xd83a2a; // red
    case 'B':
        return 0x2a6ad8; // blue
    default:
        return 0x2aa84a; // green
    }
}

// 5x7 capitals for the buttons' faces, a row a byte, the high bit of five on the left.
const unsigned char* letterRows(char letter) {
    static const unsigned char a[7] = {14, 17, 17, 31, 17, 17, 17};
    static const unsigned char b[7] = {30, 17, 17, 30, 17, 17, 30};
    static const unsigned char c[7] = {14, 17, 16, 16, 16, 17, 14};
    return letter == 'A' ? a : letter == 'B' ? b : c;
}

void dot(SDL_Surface* s, int x, int y, int w, int h, Uint32 rgb) {
    SDL_Rect r = {static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(w),
                  static_cast<Uint16>(h)};
    SDL_FillRect(s, &r, SDL_MapRGB(s->format, rgb >> 16, (rgb >> 8) & 0xff, rgb & 0xff));
}

// Whether a point (u along the arrow, v across it; both 0..1 of the cell, the arrow
// pointing to u = 1) lies in the arrow: a head of the front half, a shaft behind it.
bool inArrow(double u, double v, double grow) {
    double across = v - 0.5;
    if (u >= 0.45 - grow && u <= 0.92 + grow) {
        double half = (0.92 - u) * 0.95 + grow;
        return std::abs(across) <= half;
    }
    return u >= 0.1 - grow && u < 0.45 && std::abs(across) <= 0.13 + grow;
}

} // namespace

bool commandIcons::drawable(char letter) {
    switch (letter) {
    case 'U':
    case 'D':
    case 'L':
    case 'R':
    case 'A':
    case 'B':
    case 'C':
        return true;
    default:
        return false;
    }
}

int commandIcons::commandWidth(const std::string& letters, int size) {
    int shown = 0;
    for (char c : letters)
        shown += drawable(c);
    if (shown == 0 || size <= 0)
        return 0;
    return shown * size + (shown - 1) * (size / 4);
}

int commandIcons::drawCommand(SDL_Surface* screen, const std::string& letters, int x, int y,
                              int size, bool facingRight) {
    int width = commandWidth(letters, size);
    if (!screen || width == 0)
        return width;
    int at = x;
    int forward = facingRight ? 1 : -1;
    for (char c : letters) {
        if (!drawable(c))
            continue;
        if (c == 'U' || c == 'D')
            arrow(screen, at, y, size, 0, c == 'U' ? -1 : 1);
        else if (c == 'R' || c == 'L')
            arrow(screen, at, y, size, c == 'R' ? forward : -forward, 0);
        else
            button(screen, at, y, size, c);
        at += size + size / 4;
    }
    screenPresenter::noteDraw(screen, x, y, width, size);
    return width;
}

// Pixel by pixel: a rim first (the shape grown by a pixel), then the shape.
void commandIcons::arrow(SDL_Surface* screen, int x, int y, int size, int dx, int dy) {
    double pixel = 1.0 / size;
    for (int pass = 0; pass < 2; ++pass)
        for (int j = 0; j < size; ++j)
            for (int i = 0; i < size; ++i) {
                double px = (i + 0.5) / size;
                double py = (j + 0.5) / size;
                // Turn the cell so the arrow points along +u.
                double u = dx > 0 ? px : dx < 0 ? 1 - px : dy > 0 ? py : 1 - py;
                double v = dx != 0 ? py : px;
                if (inArrow(u, v, pass == 0 ? pixel * 1.2 : 0))
                    dot(screen, x + i, y + j, 1, 1, pass == 0 ? kRim : kArrow);
            }
}

void commandIcons::button(SDL_Surface* screen, int x, int y, int size, char letter) {
    double r = size / 2.0;
    for (int j = 0; j < size; ++j)
        for (int i = 0; i < size; ++i) {
            double ox = i + 0.5 - r;
            double oy = j + 0.5 - r;
            double d2 = ox * ox + oy * oy;
            if (d2 <= r * r)
                dot(screen, x + i, y + j, 1, 1,
                    d2 >= (r - 1.5) * (r - 1.5) ? kRim : buttonColour(letter));
        }
    // The letter at a little over half the disc's height, in whole pixels so it stays crisp.
    int cell = size / 12 > 0 ? size / 12 : 1;
    int left = x + (size - 5 * cell) / 2;
    int top = y + (size - 7 * cell) / 2;
    const unsigned char* rows = letterRows(letter);
    for (int row = 0; row < 7; ++row)
        for (int col = 0; col < 5; ++col)
            if (rows[row] & (16 >> col))
                dot(screen, left + col * cell, top + row * cell, cell, cell, kLetterInk);
}
