#include "tools/contentgen/HudArt.h"

#include <algorithm>
#include <cmath>

#include "tools/contentgen/BitmapFont.h"
#include "tools/contentgen/SoundFactory.h"

namespace contentgen {

namespace {

constexpr Rgb kInk{20, 16, 26}; // outlines of everything on the HUD
constexpr Rgb kSteelLight{188, 192, 204};
constexpr Rgb kSteel{120, 126, 142};
constexpr Rgb kSteelDark{70, 74, 90};
constexpr Rgb kEmpty{46, 18, 24}; // the inside of the plate where life has gone
constexpr Rgb kLifeTop{255, 236, 120};
constexpr Rgb kLife{246, 196, 40};
constexpr Rgb kLifeLow{214, 128, 24};
constexpr Rgb kHurtTop{255, 236, 226};
constexpr Rgb kHurt{250, 170, 150};
constexpr Rgb kLetter{244, 242, 232};
constexpr Rgb kLetterShade{176, 184, 204};
constexpr Rgb kGold{255, 226, 96};
constexpr Rgb kOrange{248, 138, 26};
constexpr Rgb kGoldLight{255, 250, 214};
constexpr Rgb kBannerShadow{96, 36, 12};

Rgb mix(Rgb a, Rgb b, double t) {
    auto ch = [t](uint8_t x, uint8_t y) {
        return static_cast<uint8_t>(std::lround(x + (y - x) * std::clamp(t, 0.0, 1.0)));
    };
    return {ch(a.r, b.r), ch(a.g, b.g), ch(a.b, b.b)};
}

// Whether the 5x7 glyph of c has its pixel (col, row) set; false outside it.
bool inked(char c, int col, int row) {
    if (col < 0 || row < 0 || col >= BitmapFont::kGlyphWidth || row >= BitmapFont::kGlyphHeight)
        return false;
    Image one(BitmapFont::kGlyphWidth, BitmapFont::kGlyphHeight, kKeyColour);
    BitmapFont::draw(one, 0, 0, std::string(1, c), kInk, 1);
    return one.at(col, row) == kInk;
}

// A mask of the same size as img: true where img is not key colour.
std::vector<bool> maskOf(const Image& img) {
    std::vector<bool> m(static_cast<size_t>(img.width()) * img.height());
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            m[y * img.width() + x] = img.at(x, y) != kKeyColour;
    return m;
}

// Paints `colour` on key pixels within `radius` of a set mask pixel, moved by (dx, dy).
void ring(Image& img, const std::vector<bool>& mask, double radius, Rgb colour, int dx = 0,
          int dy = 0) {
    const int r = static_cast<int>(std::ceil(radius));
    const int w = img.width();
    const Image before = img;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < w; ++x) {
            if (before.at(x, y) != kKeyColour)
                continue;
            bool near = false;
            for (int oy = -r; oy <= r && !near; ++oy)
                for (int ox = -r; ox <= r && !near; ++ox) {
                    const int sx = x - dx + ox;
                    const int sy = y - dy + oy;
                    near = ox * ox + oy * oy <= radius * radius && sx >= 0 && sy >= 0 && sx < w &&
                           sy < img.height() && mask[sy * w + sx];
                }
            if (near)
                img.set(x, y, colour);
        }
}

Frame hudFrame(const std::string& image, Image picture, const std::string& label) {
    Frame f;
    f.info.image = image;
    f.info.anchor = {0, 0};
    f.info.cBox = kNoBox;
    f.info.label = label;
    f.image = std::move(picture);
    return f;
}

} // namespace

const std::string HudArt::kCharacters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.:!-'?/(),+=<>%";

HudModel HudArt::build() {
    return {bar(), font(), bigFont(), marker(), SoundFactory::hudSounds()};
}

Sheet HudArt::bar() {
    Sheet s;
    s.name = "bar";
    s.frames.push_back(hudFrame("bar_0.bmp", plate(), "plate"));
    // The game fills the inside from the body box's corner, so it is the inside exactly.
    const int in = kBarInset;
    s.frames[0].info.cBox = {in, in, kBarWidth - 1 - in, kBarHeight - 1 - in};
    s.frames[0].info.note = "bar: the plate; its body box is the inside where life shows";
    s.frames.push_back(hudFrame("bar_1.bmp", fill(), "fill"));
    s.frames.push_back(hudFrame("bar_2.bmp", damage(), "damage"));
    return s;
}

Image HudArt::plate() {
    Image img(kBarWidth, kBarHeight, kInk);
    // A bevelled steel rim, lit from above, around a dark recess.
    for (int y = 1; y < kBarHeight - 1; ++y) {
        const double t = double(y) / (kBarHeight - 1);
        img.fillRect(1, y, kBarWidth - 2, 1,
                     t < 0.5 ? mix(kSteelLight, kSteel, t * 2.0)
                             : mix(kSteel, kSteelDark, t * 2.0 - 1.0));
    }
    const int in = kBarInset;
    img.strokeRect(in - 1, in - 1, kBarWidth - in, kBarHeight - in, kInk);
    img.fillRect(in, in, kBarWidth - 2 * in, kBarHeight - 2 * in, kEmpty);
    // Rivets at both ends of the rim.
    for (int x : {1, kBarWidth - 2})
        img.set(x, kBarHeight / 2, kSteelDark);
    return img;
}

Image HudArt::fill() {
    const int w = kBarWidth - 2 * kBarInset;
    const int h = kBarHeight - 2 * kBarInset;
    Image img(w, h, kLife);
    for (int y = 0; y < h; ++y) {
        const double t = double(y) / (h - 1);
        img.fillRect(0, y, w, 1,
                     t < 0.35 ? mix(kLifeTop, kLife, t / 0.35)
                              : mix(kLife, kLifeLow, (t - 0.35) / 0.65));
    }
    img.fillRect(0, 1, w, 1, kGoldLight); // the shine along the top
    return img;
}

Image HudArt::damage() {
    const int w = kBarWidth - 2 * kBarInset;
    const int h = kBarHeight - 2 * kBarInset;
    Image img(w, h, kHurt);
    for (int y = 0; y < h / 3; ++y)
        img.fillRect(0, y, w, 1, mix(kHurtTop, kHurt, double(y) / (h / 3)));
    return img;
}

Image HudArt::smallGlyph(char c) {
    // The 5x7 letter doubled, with a one-pixel dark outline: 12x16.
    constexpr int kScale = 2;
    Image img(BitmapFont::kGlyphWidth * kScale + 2, BitmapFont::kGlyphHeight * kScale + 2,
              kKeyColour);
    BitmapFont::draw(img, 1, 1, std::string(1, c), kLetter, kScale);
    for (int y = 1 + BitmapFont::kGlyphHeight; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.at(x, y) == kLetter)
                img.set(x, y, kLetterShade); // a cooler lower half gives the letters body
    ring(img, maskOf(img), 1.5, kInk);
    return img;
}

Image HudArt::bigGlyph(char c) {
    // Each pixel of the 5x7 letter becomes a round dab, joined to its neighbours by
    // thick strokes: a bold, rounded banner letter rather than blocks.
    constexpr double kCell = 6.0;
    constexpr double kRadius = 3.7;
    constexpr int kBorder = 3;
    Image img(38, 50, kKeyColour); // room on the right and below for the shade
    auto centre = [&](int col, int row) {
        return Vec2{kBorder + (col + 0.5) * kCell, kBorder + (row + 0.5) * kCell};
    };
    auto capsule = [&](Vec2 a, Vec2 b) {
        const Vec2 axis = b - a;
        const double len2 = std::max(dot(axis, axis), 1e-9);
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const Vec2 p{x + 0.5, y + 0.5};
                const double t = std::clamp(dot(p - a, axis) / len2, 0.0, 1.0);
                if (length(p - (a + axis * t)) <= kRadius) {
                    const double shade = (p.y - kBorder) / (7.0 * kCell);
                    img.set(x, y, mix(kGold, kOrange, shade));
                }
            }
    };
    for (int row = 0; row < BitmapFont::kGlyphHeight; ++row)
        for (int col = 0; col < BitmapFont::kGlyphWidth; ++col) {
            if (!inked(c, col, row))
                continue;
            capsule(centre(col, row), centre(col, row));
            if (inked(c, col + 1, row))
                capsule(centre(col, row), centre(col + 1, row));
            if (inked(c, col, row + 1))
                capsule(centre(col, row), centre(col, row + 1));
            // Diagonals only where no square corner joins them already.
            for (int side : {-1, 1})
                if (inked(c, col + side, row + 1) && !inked(c, col + side, row) &&
                    !inked(c, col, row + 1))
                    capsule(centre(col, row), centre(col + side, row + 1));
        }
    const std::vector<bool> letter = maskOf(img);
    // A light rim along the top edges of each stroke.
    const Image body = img;
    for (int y = 1; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (body.at(x, y) != kKeyColour && body.at(x, y - 1) == kKeyColour)
                img.set(x, y, kGoldLight);
    ring(img, letter, 2.2, kInk);
    ring(img, maskOf(img), 1.0, kBannerShadow, 1, 2); // a drop shade down and right
    return img;
}

Sheet HudArt::font() {
    Sheet s;
    s.name = "font";
    for (size_t i = 0; i < kCharacters.size(); ++i)
        s.frames.push_back(hudFrame("font_" + std::to_string(i) + ".bmp",
                                    smallGlyph(kCharacters[i]), std::string(1, kCharacters[i])));
    s.frames[0].info.note = "font: one glyph per frame; the label is the character it shows";
    return s;
}

Sheet HudArt::bigFont() {
    Sheet s;
    s.name = "bigfont";
    for (size_t i = 0; i < kCharacters.size(); ++i)
        s.frames.push_back(hudFrame("bigfont_" + std::to_string(i) + ".bmp",
                                    bigGlyph(kCharacters[i]), std::string(1, kCharacters[i])));
    s.frames[0].info.note = "bigfont: banner glyphs; the label is the character it shows";
    return s;
}

Image HudArt::markerImage(bool won) {
    constexpr int kSize = 16;
    Image img(kSize, kSize, kKeyColour);
    const Vec2 c{kSize / 2.0, kSize / 2.0};
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const Vec2 p{x + 0.5, y + 0.5};
            const double d = length(p - c);
            if (d > 7.6)
                continue;
            Rgb colour = kInk;
            if (d <= 5.6) {
                if (won) // a lit gem: highlight up and left
                    colour = length(p - Vec2{6.0, 6.0}) < 2.2 ? kGoldLight
                             : p.y > 10.5                     ? kOrange
                                                              : kGold;
                else
                    colour = d > 3.8 ? kSteelDark : kEmpty; // a dim empty socket
            }
            img.set(x, y, colour);
        }
    return img;
}

Sheet HudArt::marker() {
    Sheet s;
    s.name = "marker";
    s.frames.push_back(hudFrame("marker_0.bmp", markerImage(false), "open"));
    s.frames.push_back(hudFrame("marker_1.bmp", markerImage(true), "won"));
    s.frames[0].info.note = "marker: a round not won, then a round won";
    return s;
}

} // namespace contentgen
