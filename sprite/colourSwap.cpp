#include "sprite/colourSwap.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <unordered_map>

#include "datafile/textLine.h"
#include "sprite/CSpriteBase.h"

namespace {

Uint32 packed(const Uint8 c[3]) {
    return (Uint32(c[0]) << 16) | (Uint32(c[1]) << 8) | c[2];
}

// Parses one data line into `pair`; returns the problem, or an empty string.
std::string parsePair(const std::string& text, colourPair& pair) {
    const std::string line = textline::withoutLineEnd(text);
    const char* p = line.c_str();
    long values[6];
    for (long& v : values) {
        while (std::isspace(static_cast<unsigned char>(*p)))
            ++p;
        char* end = nullptr;
        errno = 0;
        v = std::strtol(p, &end, 10);
        // A number runs up to a blank or the line's end: "12x" is not a number.
        if (end == p || (*end && !std::isspace(static_cast<unsigned char>(*end))))
            return "expected six numbers \"R G B  R G B\" (a colour of the frames, then the "
                   "colour that replaces it), found \"" +
                   line + "\"; the line is skipped — write six whole numbers from 0 to 255";
        if (errno == ERANGE || v < 0 || v > 255)
            return "the colour value " + std::string(p, end - p) +
                   " is outside 0 to 255; the line is skipped — write values from 0 to 255";
        p = end;
    }
    while (std::isspace(static_cast<unsigned char>(*p)))
        ++p;
    if (*p)
        return "\"" + std::string(p) +
               "\" follows the six numbers; the line is skipped — remove it, or put a comment "
               "on a line of its own starting with #";
    for (int i = 0; i < 3; ++i) {
        pair.from[i] = static_cast<Uint8>(values[i]);
        pair.to[i] = static_cast<Uint8>(values[i + 3]);
    }
    return std::string();
}

// Reads and writes one pixel of a locked surface of 1 to 4 bytes a pixel.
Uint32 getPixel(const SDL_Surface* s, int x, int y) {
    const Uint8* at =
        static_cast<const Uint8*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
    Uint32 v = 0;
    std::memcpy(&v, at, s->format->BytesPerPixel); // little-endian hosts
    return v;
}

void putPixel(SDL_Surface* s, int x, int y, Uint32 v) {
    Uint8* at = static_cast<Uint8*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
    std::memcpy(at, &v, s->format->BytesPerPixel);
}

void recolour(SDL_Surface* s, const std::unordered_map<Uint32, Uint32>& map) {
    if (!s || map.empty())
        return;
    const bool keyed = (s->flags & SDL_SRCCOLORKEY) != 0;
    const Uint32 key = s->format->colorkey;
    if (SDL_MUSTLOCK(s) && SDL_LockSurface(s) != 0)
        return;
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->w; ++x) {
            Uint32 pixel = getPixel(s, x, y);
            // Key pixels are the frame's holes: they must stay holes.
            if (keyed && pixel == key)
                continue;
            Uint8 rgb[3];
            SDL_GetRGB(pixel, s->format, &rgb[0], &rgb[1], &rgb[2]);
            auto found = map.find(packed(rgb));
            if (found == map.end())
                continue;
            Uint32 to = SDL_MapRGB(s->format, Uint8(found->second >> 16), Uint8(found->second >> 8),
                                   Uint8(found->second));
            // A replacement that happens to be the key would punch a hole instead.
            if (!(keyed && to == key))
                putPixel(s, x, y, to);
        }
    if (SDL_MUSTLOCK(s))
        SDL_UnlockSurface(s);
}

} // namespace

int colourSwap::load(const std::string& path, loadReport* report) {
    pairs_.clear();
    // The swap is optional: no file, no message.
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return -1;
    FILE* f = textline::openDescription(path, report);
    if (!f)
        return -1;
    std::string line;
    int lineNumber = 0;
    while (textline::readLine(f, line, lineNumber, report, path)) {
        if (textline::isSkippable(line) || textline::words(line, 1).empty())
            continue;
        colourPair pair;
        pair.line = lineNumber;
        std::string problem = parsePair(line, pair);
        if (problem.empty())
            pairs_.push_back(pair);
        else
            textline::note(report, true, path, lineNumber, problem);
    }
    fclose(f);
    return 0;
}

void colourSwap::apply(CSpriteBase& sheet) const {
    // Later lines win over earlier ones for the same colour.
    std::unordered_map<Uint32, Uint32> map;
    for (const colourPair& p : pairs_)
        map[packed(p.from)] = packed(p.to);
    for (auto* list : {&sheet.frames, &sheet.flippedFrames})
        for (frameInfo& f : *list)
            recolour(f.image, map);
}
