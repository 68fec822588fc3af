#include "tools/contentgen/TitleArt.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "tools/contentgen/BasaltPoses.h"
#include "tools/contentgen/FighterArtist.h"
#include "tools/contentgen/FighterLook.h"
#include "tools/contentgen/PoseBook.h"

namespace contentgen {

namespace {

constexpr Rgb kInk{18, 10, 22};        // the logo's rim
constexpr Rgb kFaceTop{255, 250, 206}; // the face, top to bottom
constexpr Rgb kFaceGold{255, 214, 72};
constexpr Rgb kFaceOrange{244, 128, 24};
constexpr Rgb kFaceRed{196, 46, 22};
constexpr Rgb kBlockNear{132, 26, 24};   // the letters' depth, next to the face
constexpr Rgb kBlockFar{54, 10, 20};     // and at its back
constexpr Rgb kEdgeLight{255, 255, 236}; // the bevel lit from the upper left
constexpr Rgb kEdgeDark{150, 54, 14};    // and its shaded side
constexpr double kUnit = 8.6;            // pixels per letter unit
constexpr double kStroke = 1.45;         // a stroke's radius, letter units
constexpr double kGap = 1.2;             // between letters, letter units
constexpr double kSlant = 0.2;           // pixels right per pixel up
constexpr int kDepth = 12;               // the block's depth, pixels down
constexpr int kRim = 4;                  // the dark rim around face and block
constexpr double kFighterScale = 1.7;    // the fighters, bigger than in a fight
constexpr int kFeetY = 566;              // where they stand, on the near flagstones

Rgb mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto ch = [t](uint8_t x, uint8_t y) {
        return static_cast<uint8_t>(std::lround(x + (y - x) * t));
    };
    return {ch(a.r, b.r), ch(a.g, b.g), ch(a.b, b.b)};
}

Rgb scaled(Rgb c, double k) {
    auto ch = [k](uint8_t x) {
        return static_cast<uint8_t>(std::clamp(std::lround(x * k), 0L, 255L));
    };
    return {ch(c.r), ch(c.g), ch(c.b)};
}

double segmentDistance(Vec2 p, Vec2 a, Vec2 b) {
    const Vec2 axis = b - a;
    const double len2 = std::max(dot(axis, axis), 1e-9);
    const double t = std::clamp(dot(p - a, axis) / len2, 0.0, 1.0);
    return length(p - (a + axis * t));
}

// The face's gradient: pale gold at the top going through gold and orange to red.
Rgb faceColour(double t) {
    if (t < 0.18)
        return mix(kFaceTop, kFaceGold, t / 0.18);
    if (t < 0.62)
        return mix(kFaceGold, kFaceOrange, (t - 0.18) / 0.44);
    return mix(kFaceOrange, kFaceRed, (t - 0.62) / 0.38);
}

} // namespace

TitleArt::Letter TitleArt::letter(char c) {
    // Bowls are cut with flat facets, which suit the thick strokes better than curves.
    switch (c) {
    case 'B':
        return {10,
                {{{1, 1}, {1, 13}},
                 {{1, 1}, {6, 1}},
                 {{6, 1}, {8, 3}},
                 {{8, 3}, {8, 5}},
                 {{8, 5}, {6, 7}},
                 {{1, 7}, {6.5, 7}},
                 {{6.5, 7}, {9, 9}},
                 {{9, 9}, {9, 11}},
                 {{9, 11}, {7, 13}},
                 {{7, 13}, {1, 13}}}};
    case 'R':
        return {10,
                {{{1, 1}, {1, 13}},
                 {{1, 1}, {6, 1}},
                 {{6, 1}, {8.5, 3}},
                 {{8.5, 3}, {8.5, 5}},
                 {{8.5, 5}, {6, 7}},
                 {{6, 7}, {1, 7}},
                 {{5, 7}, {9, 13}}}};
    case 'A':
        return {10.5,
                {{{1, 13}, {3.9, 1}},
                 {{3.9, 1}, {6.6, 1}},
                 {{6.6, 1}, {9.5, 13}},
                 {{2.5, 8.6}, {8, 8.6}}}};
    case 'W':
        return {12.5,
                {{{1, 1}, {3, 13}},
                 {{3, 13}, {6.25, 5.5}},
                 {{6.25, 5.5}, {9.5, 13}},
                 {{9.5, 13}, {11.5, 1}}}};
    case 'L':
        return {9, {{{1.2, 1}, {1.2, 13}}, {{1.2, 13}, {8.5, 13}}}};
    case 'E':
        return {9.2,
                {{{1.2, 1}, {1.2, 13}},
                 {{1.2, 1}, {8.6, 1}},
                 {{1.2, 7}, {7.2, 7}},
                 {{1.2, 13}, {8.6, 13}}}};
    default:
        return {6, {}};
    }
}

std::vector<bool> TitleArt::logoMask() {
    const std::string word = "BRAWLER";
    std::vector<Letter> letters;
    double units = 0;
    for (char c : word) {
        letters.push_back(letter(c));
        units += letters.back().width;
    }
    units += kGap * (word.size() - 1);
    // Centred across, the slant's lean taken into account (the top leans right).
    const double logoHeight = 14 * kUnit;
    const double left = (kWidth - units * kUnit - logoHeight * kSlant) / 2.0;
    const double baseline = kLogoTop + logoHeight;
    std::vector<Segment> strokes;
    double pen = left;
    for (const Letter& l : letters) {
        for (const Segment& s : l.strokes)
            strokes.push_back({{pen + s.a.x * kUnit, kLogoTop + s.a.y * kUnit},
                               {pen + s.b.x * kUnit, kLogoTop + s.b.y * kUnit}});
        pen += (l.width + kGap) * kUnit;
    }
    std::vector<bool> mask(static_cast<size_t>(kWidth) * kHeight, false);
    const double radius = kStroke * kUnit;
    // Each stroke fills the pixels near it, looked for only around it.
    for (const Segment& s : strokes) {
        const int top = static_cast<int>(std::floor(std::min(s.a.y, s.b.y) - radius)) - 1;
        const int bottom = static_cast<int>(std::ceil(std::max(s.a.y, s.b.y) + radius)) + 1;
        for (int y = std::max(top, 0); y <= std::min(bottom, kHeight - 1); ++y) {
            // Undo the slant: a pixel up the letter stands for one further left.
            const double lean = (baseline - y) * kSlant;
            const int left = static_cast<int>(std::floor(std::min(s.a.x, s.b.x) - radius + lean));
            const int right = static_cast<int>(std::ceil(std::max(s.a.x, s.b.x) + radius + lean));
            for (int x = std::max(left - 1, 0); x <= std::min(right + 1, kWidth - 1); ++x)
                if (!mask[y * kWidth + x] &&
                    segmentDistance(Vec2{x + 0.5 - lean, y + 0.5}, s.a, s.b) <= radius)
                    mask[y * kWidth + x] = true;
        }
    }
    return mask;
}

// Deeper dusk than a fight's: the corners and the sky's top sink towards night so the
// logo and the fighters stand out.
void TitleArt::nightfall(Image& img) {
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const double dx = (x - kWidth / 2.0) / (kWidth / 2.0);
            const double dy = (y - kHeight * 0.55) / (kHeight / 2.0);
            const double edge = std::clamp(std::sqrt(dx * dx + dy * dy) - 0.55, 0.0, 1.0);
            const double sky = y < 260 ? (260 - y) / 260.0 * 0.25 : 0.0;
            img.set(x, y, scaled(img.at(x, y), 1.0 - 0.55 * edge - sky));
        }
}

void TitleArt::promptBand(Image& img) {
    const double middle = (kPromptTop + kPromptBottom) / 2.0;
    for (int y = kPromptTop - 24; y < kPromptBottom + 24; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const double across = (x - kWidth / 2.0) / 330.0;
            const double down = (y - middle) / 48.0;
            const double d = across * across + down * down;
            if (d < 1.0)
                img.set(x, y, scaled(img.at(x, y), 0.45 + 0.55 * d));
        }
}

void TitleArt::fighters(Image& img) {
    constexpr int kFrame = 420;
    const Vec2 anchor{kFrame / 2.0, kFrame - 12.0};
    // Shadows on the flagstones first, the fighters over them.
    for (int centre : {172, 628})
        for (int y = kFeetY - 8; y <= kFeetY + 8; ++y)
            for (int x = centre - 90; x <= centre + 90; ++x) {
                const double ex = (x - centre) / 90.0;
                const double ey = (y - kFeetY) / 8.0;
                if (ex * ex + ey * ey <= 1.0)
                    img.set(x, y, scaled(img.at(x, y), 0.55));
            }
    const FighterArtist brawler(kFrame, kFrame, anchor, kFighterScale, FighterLook::brawler());
    const FighterArtist basalt(kFrame, kFrame, anchor, kFighterScale, FighterLook::basalt());
    const Image left = brawler.render(PoseBook::guard());
    const Image right = basalt.render(BasaltPoses::stance()).mirrored();
    const int top = kFeetY - static_cast<int>(anchor.y);
    img.blitKeyed(left, 172 - static_cast<int>(anchor.x), top, kKeyColour);
    img.blitKeyed(right, 628 - (kFrame - static_cast<int>(anchor.x)), top, kKeyColour);
}

void TitleArt::logo(Image& img) {
    const std::vector<bool> face = logoMask();
    auto faceAt = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < kWidth && y < kHeight && face[y * kWidth + x];
    };
    // The block: the face pushed down and a little right, step by step.
    auto blockAt = [&](int x, int y) {
        for (int d = 1; d <= kDepth; ++d)
            if (faceAt(x - d / 3, y - d))
                return d;
        return 0;
    };
    // How deep in the block each pixel lies (0: not in it), worked out once.
    std::vector<int> depth(face.size(), 0);
    for (int y = kLogoTop - 30; y < kLogoBottom + 30; ++y)
        for (int x = 0; x < kWidth; ++x)
            depth[y * kWidth + x] = faceAt(x, y) ? 0 : blockAt(x, y);
    auto solidAt = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < kWidth && y < kHeight &&
               (face[y * kWidth + x] || depth[y * kWidth + x] > 0);
    };
    // The rim: every pixel within kRim of the face or its block, marked from the edges of
    // both.
    std::vector<bool> rim(face.size(), false);
    for (int y = kLogoTop - 30; y < kLogoBottom + 30; ++y)
        for (int x = 0; x < kWidth; ++x) {
            if (!solidAt(x, y) ||
                (solidAt(x - 1, y) && solidAt(x + 1, y) && solidAt(x, y - 1) && solidAt(x, y + 1)))
                continue;
            for (int oy = -kRim; oy <= kRim; ++oy)
                for (int ox = -kRim; ox <= kRim; ++ox)
                    if (ox * ox + oy * oy <= kRim * kRim && x + ox >= 0 && x + ox < kWidth &&
                        y + oy >= 0 && y + oy < kHeight)
                        rim[(y + oy) * kWidth + x + ox] = true;
        }
    for (int y = kLogoTop - 30; y < kLogoBottom + 30; ++y)
        for (int x = 0; x < kWidth; ++x) {
            if (faceAt(x, y)) {
                const double t = (y - kLogoTop) / (14.0 * kUnit);
                Rgb c = faceColour(t);
                if (!faceAt(x - 1, y - 2) || !faceAt(x, y - 2))
                    c = kEdgeLight;
                else if (!faceAt(x + 1, y + 2))
                    c = kEdgeDark;
                img.set(x, y, c);
            } else if (int d = depth[y * kWidth + x]) {
                img.set(x, y, mix(kBlockNear, kBlockFar, (d - 1.0) / kDepth));
            } else if (rim[y * kWidth + x]) {
                img.set(x, y, kInk);
            }
        }
}

Image TitleArt::paint(const Image& stage) {
    Image img = stage;
    if (img.width() != kWidth || img.height() != kHeight)
        img = Image(kWidth, kHeight, Rgb{40, 24, 52});
    nightfall(img);
    promptBand(img);
    fighters(img);
    logo(img);
    return img;
}

} // namespace contentgen
