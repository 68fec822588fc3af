#include "tools/contentgen/Painter.h"

#include <algorithm>
#include <cmath>

namespace contentgen {

namespace {

uint8_t channel(double v) {
    return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

Rgb scaled(Rgb c, double kr, double kg, double kb) {
    return {channel(c.r * kr), channel(c.g * kg), channel(c.b * kb)};
}

Rgb towardsWhite(Rgb c, double k) {
    return {channel(c.r + (255 - c.r) * k), channel(c.g + (255 - c.g) * k),
            channel(c.b + (255 - c.b) * k)};
}

} // namespace

Painter::Painter(Image& target, Rgb outline, double outlineWidth)
    : target_(target), outline_(outline), outlineWidth_(outlineWidth) {}

template <typename Visit> void Painter::forEachCovered(const Stroke& s, double grow, Visit visit) {
    const double reach = std::max(s.ra, s.rb) + grow + 1.0;
    const int x0 = static_cast<int>(std::floor(std::min(s.a.x, s.b.x) - reach));
    const int x1 = static_cast<int>(std::ceil(std::max(s.a.x, s.b.x) + reach));
    const int y0 = static_cast<int>(std::floor(std::min(s.a.y, s.b.y) - reach));
    const int y1 = static_cast<int>(std::ceil(std::max(s.a.y, s.b.y) + reach));
    const Vec2 axis = s.b - s.a;
    const double axisLen2 = std::max(dot(axis, axis), 1e-9);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const Vec2 p{x + 0.5, y + 0.5};
            const double t = std::clamp(dot(p - s.a, axis) / axisLen2, 0.0, 1.0);
            const Vec2 nearest = s.a + axis * t;
            const double r = s.ra + (s.rb - s.ra) * t;
            const Vec2 off = p - nearest;
            if (length(off) <= r + grow)
                visit(x, y, SurfacePoint{t, off * (1.0 / r)});
        }
}

void Painter::drawGroup(const std::vector<Stroke>& strokes) {
    for (const Stroke& s : strokes)
        forEachCovered(s, outlineWidth_,
                       [&](int x, int y, const SurfacePoint&) { target_.set(x, y, outline_); });
    for (const Stroke& s : strokes)
        forEachCovered(s, 0.0, [&](int x, int y, const SurfacePoint& sp) {
            target_.set(x, y, shade(s.material(sp), sp.offset, s.brightness));
        });
}

Rgb Painter::shade(Rgb base, Vec2 offset, double brightness) {
    // Treat the stroke as a cylinder: the offset is the surface normal's screen part.
    const double len2 = std::min(dot(offset, offset), 1.0);
    const double nz = std::sqrt(1.0 - len2);
    const double lx = -0.45;
    const double ly = -0.60;
    const double lz = 0.66;
    const double lit = offset.x * lx + offset.y * ly + nz * lz;
    Rgb toned = base;
    if (lit > 0.80)
        toned = towardsWhite(base, 0.35);
    else if (lit < 0.30)
        toned = scaled(base, 0.66, 0.68, 0.78); // shadows lean blue, as under sky light
    return scaled(toned, brightness, brightness, brightness);
}

} // namespace contentgen
