#include "tools/contentgen/StagePainter.h"

#include <algorithm>
#include <cmath>

#include "tools/contentgen/Layout.h"
#include "tools/contentgen/Lcg.h"

namespace contentgen {

namespace {

constexpr int kWallTop = 440;
constexpr int kGround = layout::kGroundY;
constexpr double kSlab = 120.0; // flagstone width at the front edge of the floor, pixels

uint8_t mixChannel(uint8_t a, uint8_t b, double t) {
    return static_cast<uint8_t>(std::lround(a + (b - a) * std::clamp(t, 0.0, 1.0)));
}

Rgb mix(Rgb a, Rgb b, double t) {
    return {mixChannel(a.r, b.r, t), mixChannel(a.g, b.g, t), mixChannel(a.b, b.b, t)};
}

Rgb offsetColour(Rgb c, int d) {
    auto ch = [d](uint8_t v) { return static_cast<uint8_t>(std::clamp(v + d, 0, 255)); };
    return {ch(c.r), ch(c.g), ch(c.b)};
}

// The sky from deep blue overhead to a warm band at the horizon.
Rgb skyAt(int y) {
    struct Stop {
        int y;
        Rgb c;
    };
    static const Stop stops[] = {
        {0, {22, 26, 66}}, {170, {70, 52, 112}}, {300, {190, 94, 108}}, {400, {250, 170, 98}}};
    if (y <= stops[0].y)
        return stops[0].c;
    for (int i = 1; i < 4; ++i)
        if (y <= stops[i].y)
            return mix(stops[i - 1].c, stops[i].c,
                       double(y - stops[i - 1].y) / (stops[i].y - stops[i - 1].y));
    return stops[3].c;
}

double ridgeHeight(int x, double base, double scale, double phase) {
    const double u = x * 0.01;
    return base -
           scale * (0.9 * std::sin(u * 0.9 + phase) + 0.45 * std::sin(u * 2.3 + phase * 2.0) +
                    0.5 * std::fabs(std::sin(u * 1.7 + phase * 0.5)) +
                    0.12 * std::sin(u * 9.0 + phase * 3.0));
}

void fillRows(Image& img, int x0, int x1, int y0, int y1, Rgb c) {
    img.fillRect(x0, y0, x1 - x0 + 1, y1 - y0 + 1, c);
}

// A roof: a wide trapezoid whose eaves curl up at both ends.
void roof(Image& img, int cx, int y, int halfWidth, int height, Rgb c) {
    for (int row = 0; row < height; ++row) {
        const double t = double(row) / std::max(1, height - 1);
        const int half = static_cast<int>(halfWidth * (0.45 + 0.55 * t));
        fillRows(img, cx - half, cx + half, y + row, y + row, c);
    }
    for (int i = 0; i < 5; ++i) {
        img.set(cx - halfWidth - i / 2, y + height - 1 - i, c);
        img.set(cx + halfWidth + i / 2, y + height - 1 - i, c);
    }
}

} // namespace

Image StagePainter::paint() {
    Image img(kWidth, kHeight, Rgb{0, 0, 0});
    sky(img);
    stars(img);
    sun(img);
    range(img, 300.0, 46.0, 0.7, {150, 98, 142}, {184, 118, 132}, true);
    range(img, 356.0, 30.0, 2.9, {92, 60, 104}, {116, 72, 104}, false);
    hills(img);
    pagoda(img, 150);
    wall(img);
    floor(img);
    return img;
}

void StagePainter::sky(Image& img) {
    for (int y = 0; y < kHeight; ++y) {
        const Rgb c = skyAt(y);
        fillRows(img, 0, kWidth - 1, y, y, c);
    }
}

void StagePainter::stars(Image& img) {
    Lcg lcg(20240611u);
    for (int i = 0; i < 90; ++i) {
        const int x = lcg.range(0, kWidth - 1);
        const int y = lcg.range(0, 190);
        const double fade = 1.0 - y / 200.0;
        const Rgb c = mix(img.at(x, y), Rgb{255, 246, 220}, 0.35 + 0.6 * fade * lcg.unit());
        img.set(x, y, c);
        if (lcg.unit() < 0.15) { // a few brighter ones with a cross of light
            for (int d : {-1, 1}) {
                img.set(x + d, y, mix(img.at(x + d, y), c, 0.5));
                img.set(x, y + d, mix(img.at(x, y + d), c, 0.5));
            }
        }
    }
}

void StagePainter::sun(Image& img) {
    const double cx = 590.0;
    const double cy = 286.0;
    const double r = 38.0;
    const double halo = r * 3.0;
    for (int y = static_cast<int>(cy - halo); y <= static_cast<int>(cy + halo); ++y)
        for (int x = static_cast<int>(cx - halo); x <= static_cast<int>(cx + halo); ++x) {
            if (!img.contains(x, y))
                continue;
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            if (d <= r)
                img.set(x, y,
                        mix(Rgb{255, 238, 190}, Rgb{255, 196, 120}, (y - (cy - r)) / (2 * r)));
            else if (d < halo)
                img.set(x, y, mix(img.at(x, y), Rgb{255, 200, 140}, 0.35 * (1.0 - d / halo)));
        }
}

void StagePainter::range(Image& img, double base, double scale, double phase, Rgb top, Rgb bottom,
                         bool snow) {
    for (int x = 0; x < kWidth; ++x) {
        const int ridge = static_cast<int>(ridgeHeight(x, base, scale, phase));
        for (int y = std::max(0, ridge); y < kWallTop; ++y) {
            Rgb c = mix(top, bottom, double(y - ridge) / (kWallTop - ridge + 1));
            if (snow && ridge < base - scale * 0.7 && y < ridge + 7)
                c = mix(c, Rgb{226, 186, 200}, 0.7);
            img.set(x, y, c);
        }
    }
}

void StagePainter::hills(Image& img) {
    const Rgb hill{46, 36, 64};
    const Rgb pine{34, 28, 50};
    for (int x = 0; x < kWidth; ++x) {
        const int top =
            static_cast<int>(404.0 + 7.0 * std::sin(x * 0.012 + 1.3) + 4.0 * std::sin(x * 0.041));
        fillRows(img, x, x, top, kWallTop - 1, hill);
    }
    Lcg lcg(77u);
    for (int i = 0; i < 34; ++i) {
        const int cx = lcg.range(0, kWidth - 1);
        const int h = lcg.range(26, 58);
        const int baseY = 412 + lcg.range(0, 10);
        for (int row = 0; row < h; ++row) {
            // Pines in three stacked tiers of branches.
            const double t = double(row) / h;
            const double tier = std::fmod(t * 3.0, 1.0);
            const int half = static_cast<int>((3.0 + 11.0 * t) * (0.55 + 0.45 * tier));
            fillRows(img, cx - half, cx + half, baseY - h + row, baseY - h + row, pine);
        }
    }
}

void StagePainter::pagoda(Image& img, int cx) {
    const Rgb roofColour{38, 30, 50};
    const Rgb body{92, 44, 42};
    const Rgb window{255, 196, 104};
    int y = kWallTop;
    for (int tier = 0; tier < 4; ++tier) {
        const int half = 54 - tier * 10;
        const int bodyH = 24 - tier * 2;
        fillRows(img, cx - half + 12, cx + half - 12, y - bodyH, y - 1, body);
        for (int w = -half + 20; w <= half - 24; w += 14)
            fillRows(img, cx + w, cx + w + 5, y - bodyH + 7, y - bodyH + 13, window);
        y -= bodyH;
        roof(img, cx, y - 10, half, 10, roofColour);
        y -= 10;
    }
    fillRows(img, cx - 2, cx + 2, y - 26, y, roofColour); // the spire
    for (int ring = 0; ring < 3; ++ring)
        fillRows(img, cx - 4, cx + 4, y - 8 - ring * 7, y - 7 - ring * 7, roofColour);
}

void StagePainter::wall(Image& img) {
    const Rgb tile{54, 56, 80};
    const Rgb tileRidge{78, 80, 106};
    const Rgb eaveShadow{28, 26, 40};
    const Rgb plaster{132, 48, 40};
    const Rgb plasterLow{96, 34, 32};
    const Rgb post{66, 38, 30};
    const Rgb postLight{98, 60, 44};
    const Rgb footing{88, 78, 76};
    for (int x = 0; x < kWidth; ++x) {
        for (int y = kWallTop; y < kWallTop + 12; ++y)
            img.set(x, y, (x % 7 == 0) ? tileRidge : tile);
        img.set(x, kWallTop, tileRidge);
        for (int y = kWallTop + 12; y < kWallTop + 15; ++y)
            img.set(x, y, eaveShadow);
        for (int y = kWallTop + 15; y < kGround - 10; ++y)
            img.set(x, y, mix(plaster, plasterLow, double(y - kWallTop - 15) / 75.0));
        for (int y = kGround - 10; y < kGround; ++y)
            img.set(x, y, (y == kGround - 10) ? offsetColour(footing, 18) : footing);
    }
    for (int px = 40; px < kWidth; px += 160) {
        fillRows(img, px, px + 13, kWallTop + 15, kGround - 11, post);
        fillRows(img, px + 2, px + 3, kWallTop + 15, kGround - 11, postLight);
    }
    fillRows(img, 0, kWidth - 1, kWallTop + 24, kWallTop + 28, post); // rail beam
}

void StagePainter::floor(Image& img) {
    static const int rows[] = {kGround, 536, 544, 555, 569, 587, 600};
    const Rgb stone{150, 130, 112};
    const Rgb joint{104, 90, 82};
    const double vanishX = 400.0;
    const double vanishY = 420.0;
    Lcg lcg(4242u);
    for (int r = 0; r < 6; ++r) {
        const int y0 = rows[r];
        const int y1 = rows[r + 1];
        for (int y = y0; y < y1; ++y) {
            const double spread = (y - vanishY) / (kHeight - vanishY);
            const double pixelInSlabs = 1.0 / (kSlab * spread); // a joint is one pixel wide
            for (int x = 0; x < kWidth; ++x) {
                // Slab columns meet at a vanishing point behind the wall; odd rows are
                // offset by half a slab like laid stone.
                const double ground = vanishX + (x - vanishX) / spread;
                const double column = (ground + (r % 2) * kSlab * 0.5 + 2000.0) / kSlab;
                const int slab = static_cast<int>(column);
                const bool edge = (column - slab) < pixelInSlabs;
                Lcg tone(static_cast<uint32_t>(slab * 131 + r * 7919));
                Rgb c = offsetColour(stone, tone.range(-10, 10) - r * 3);
                c = offsetColour(c, lcg.range(-4, 4));
                if (edge || y == y1 - 1)
                    c = joint;
                if (y == kGround)
                    c = Rgb{184, 164, 142}; // the lit front edge of the floor: the ground line
                img.set(x, y, c);
            }
        }
    }
}

} // namespace contentgen
