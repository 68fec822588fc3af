#include "tools/contentgen/PaletteSwap.h"

#include <algorithm>
#include <set>
#include <tuple>

#include "tools/contentgen/Painter.h"

namespace contentgen {

namespace {

// Surface offsets that give the painter's lit, plain and shadowed tones, and the
// brightnesses it draws with (whole body, headband tails, far limbs).
constexpr Vec2 kTones[] = {{-0.45, -0.60}, {0.0, 0.0}, {0.45, 0.60}};
constexpr double kBrightness[] = {1.0, 0.9, 0.78};

auto key(Rgb c) {
    return std::make_tuple(c.r, c.g, c.b);
}

} // namespace

std::vector<Rgb> PaletteSwap::shadesOf(Rgb base) {
    std::vector<Rgb> out;
    for (double b : kBrightness)
        for (Vec2 tone : kTones)
            out.push_back(Painter::shade(base, tone, b));
    return out;
}

std::vector<ColourPair> PaletteSwap::build(const std::vector<const Sheet*>& sheets,
                                           const std::vector<ColourPair>& bases) {
    std::set<std::tuple<uint8_t, uint8_t, uint8_t>> used;
    for (const Sheet* s : sheets)
        for (const Frame& f : s->frames)
            for (int y = 0; y < f.image.height(); ++y)
                for (int x = 0; x < f.image.width(); ++x)
                    used.insert(key(f.image.at(x, y)));
    std::vector<ColourPair> pairs;
    for (const ColourPair& base : bases) {
        const std::vector<Rgb> a = shadesOf(base.from);
        const std::vector<Rgb> b = shadesOf(base.to);
        for (size_t i = 0; i < a.size(); ++i)
            if (used.count(key(a[i])) &&
                std::none_of(pairs.begin(), pairs.end(),
                             [&](const ColourPair& p) { return p.from == a[i]; }))
                pairs.push_back({a[i], b[i]});
    }
    std::sort(pairs.begin(), pairs.end(),
              [](const ColourPair& x, const ColourPair& y) { return key(x.from) < key(y.from); });
    return pairs;
}

Image PaletteSwap::applied(const Image& image, const std::vector<ColourPair>& pairs) {
    Image out = image;
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            for (const ColourPair& p : pairs)
                if (image.at(x, y) == p.from) {
                    out.set(x, y, p.to);
                    break;
                }
    return out;
}

} // namespace contentgen
