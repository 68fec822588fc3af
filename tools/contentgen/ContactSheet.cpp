#include "tools/contentgen/ContactSheet.h"

#include <algorithm>

#include "tools/contentgen/BitmapFont.h"
#include "tools/contentgen/Layout.h"
#include "tools/contentgen/PaletteSwap.h"

namespace contentgen {

namespace {

constexpr int kMargin = 12;
constexpr int kGap = 8;
constexpr int kTitleHeight = 22;
constexpr int kCaptionLines = 3;
constexpr int kCaptionHeight = 9 * kCaptionLines + 4;
constexpr Rgb kPaper{40, 42, 52};
constexpr Rgb kPanel{92, 100, 118};
constexpr Rgb kGroundMark{64, 70, 84};
constexpr Rgb kText{236, 236, 230};
constexpr Rgb kDim{170, 176, 190};
constexpr Rgb kBodyBox{255, 220, 0};
constexpr Rgb kAttackBox{255, 40, 40};
constexpr Rgb kAnchor{40, 110, 255};
constexpr Rgb kSpawnBox{255, 150, 0};

void strokeBox(Image& img, Box b, int x, int y, int zoom, Rgb c) {
    if (isEmpty(b))
        return;
    img.strokeRect(x + b.left * zoom, y + b.top * zoom, x + b.right * zoom + zoom - 1,
                   y + b.bottom * zoom + zoom - 1, c);
}

void anchorCross(Image& img, int cx, int cy) {
    for (int d = -4; d <= 4; ++d) {
        img.set(cx + d, cy, kAnchor);
        img.set(cx, cy + d, kAnchor);
    }
}

void blitZoomed(Image& img, const Image& src, int x, int y, int zoom, Rgb key) {
    for (int sy = 0; sy < src.height(); ++sy)
        for (int sx = 0; sx < src.width(); ++sx)
            if (src.at(sx, sy) != key)
                img.fillRect(x + sx * zoom, y + sy * zoom, zoom, zoom, src.at(sx, sy));
}

const ParticleDef* particleNamed(const ContentModel& model, const std::string& name) {
    for (const ParticleDef& p : model.particles)
        if (p.sheet.name == name)
            return &p;
    for (const CharacterModel& c : model.characters)
        for (const ParticleDef& p : c.particles)
            if (p.sheet.name == name)
                return &p;
    return nullptr;
}

const Sheet* sheetNamed(const std::vector<Sheet>& sheets, const std::string& name) {
    for (const Sheet& s : sheets)
        if (s.name == name)
            return &s;
    return nullptr;
}

std::string particleTitle(const ParticleDef& p) {
    return "particle " + p.sheet.name + "   life " + std::to_string(p.lifetimeMs) + " ms" +
           (p.gravity ? "   falls" : "");
}

} // namespace

std::vector<ContactSheet::Row> ContactSheet::rows(const ContentModel& model) {
    std::vector<Row> out;
    for (const CharacterModel& c : model.characters) {
        const std::string who = c.name + ": ";
        for (const Sheet& a : c.animations)
            out.push_back({who + "animation " + a.name, &a, 1, true});
        for (const MoveRecord& m : c.moves)
            out.push_back({who + "move " + m.sheet.name + "   command " + m.command +
                               "   condition " + m.condition +
                               (m.command == "N" ? "" : "   height " + m.height),
                           &m.sheet, 1, true});
        for (const Sheet& s : c.matchSheets)
            out.push_back({who + "match " + s.name +
                               (s.name == "ko" ? "   last frame held" : "   loops") +
                               "   (not in the animation list)",
                           &s, 1, true});
        for (const ParticleDef& p : c.particles)
            out.push_back(
                {who + particleTitle(p) + "   (list particle/" + c.name + ")", &p.sheet, 3, false});
    }
    for (const ParticleDef& p : model.particles)
        out.push_back({particleTitle(p), &p.sheet, 3, false});
    out.push_back({"sheet run (loaded, never drawn)", &model.runner, 2, true});
    return out;
}

int ContactSheet::rowHeight(const Row& row) {
    int h = 0;
    for (const Frame& f : row.sheet->frames)
        h = std::max(h, f.image.height() * row.zoom);
    return kTitleHeight + h + kCaptionHeight + kGap;
}

int ContactSheet::rowWidth(const Row& row) {
    int w = 0;
    for (const Frame& f : row.sheet->frames)
        w += cellAdvance(f, row.zoom);
    return std::max(w, BitmapFont::width(row.title, 2));
}

// Cells are at least wide enough for their captions.
int ContactSheet::cellAdvance(const Frame& f, int zoom) {
    return std::max(f.image.width() * zoom, 100) + kGap;
}

std::vector<std::string> ContactSheet::captions(const FrameRecord& r, size_t index) {
    std::vector<std::string> lines;
    lines.push_back(std::to_string(index) + " " + r.label + " " + std::to_string(r.delay) + "ms");
    std::string second;
    if (r.damage > 0)
        second += "dmg " + std::to_string(r.damage) + " ";
    if (r.moveX != 0 || r.moveY != 0)
        second += "move " + std::to_string(r.moveX) + "/" + std::to_string(r.moveY);
    if (!second.empty())
        lines.push_back(second);
    if (r.sound != "NULL")
        lines.push_back("snd " + r.sound);
    for (const SpawnLine& p : r.particles)
        lines.push_back("spawn " + p.name);
    return lines;
}

void ContactSheet::drawSpawns(Image& img, int x, int y, const Frame& f, const ContentModel& model) {
    for (const SpawnLine& line : f.info.particles) {
        const ParticleDef* p = particleNamed(model, line.name);
        if (!p || p->sheet.frames.empty())
            continue;
        const Frame& pf = p->sheet.frames[0];
        const int ax = x + f.info.anchor.x + line.x - pf.info.anchor.x;
        const int ay = y + f.info.anchor.y - line.y - pf.info.anchor.y;
        img.blitKeyed(pf.image, ax, ay, pf.info.key);
        strokeBox(img, pf.info.cBox, ax, ay, 1, kSpawnBox);
    }
}

void ContactSheet::drawCell(Image& img, int x, int y, const Frame& f, const Row& row,
                            const ContentModel& model) {
    const FrameRecord& r = f.info;
    const int zoom = row.zoom;
    img.fillRect(x, y, f.image.width() * zoom, f.image.height() * zoom, kPanel);
    if (row.ground)
        img.fillRect(x, y + (r.anchor.y + 1) * zoom, f.image.width() * zoom,
                     (f.image.height() - r.anchor.y - 1) * zoom, kGroundMark);
    blitZoomed(img, f.image, x, y, zoom, r.key);
    drawSpawns(img, x, y, f, model);
    strokeBox(img, r.cBox, x, y, zoom, kBodyBox);
    if (r.damage > 0)
        strokeBox(img, r.dBox, x, y, zoom, kAttackBox);
    anchorCross(img, x + r.anchor.x * zoom, y + r.anchor.y * zoom);
}

void ContactSheet::drawRow(Image& img, int y, const Row& row, const ContentModel& model) {
    BitmapFont::draw(img, kMargin, y, row.title, kText, 2);
    int x = kMargin;
    int tallest = 0;
    for (const Frame& f : row.sheet->frames)
        tallest = std::max(tallest, f.image.height() * row.zoom);
    const int cellY = y + kTitleHeight;
    for (size_t i = 0; i < row.sheet->frames.size(); ++i) {
        const Frame& f = row.sheet->frames[i];
        drawCell(img, x, cellY, f, row, model);
        int captionY = cellY + tallest + 3;
        for (const std::string& line : captions(f.info, i)) {
            BitmapFont::draw(img, x, captionY, line, kDim, 1);
            captionY += 9;
        }
        x += cellAdvance(f, row.zoom);
    }
}

Image ContactSheet::render(const ContentModel& model) {
    const std::vector<Row> all = rows(model);
    int width = 0;
    int height = kMargin * 2;
    for (const Row& r : all) {
        width = std::max(width, rowWidth(r));
        height += rowHeight(r);
    }
    Image img(width + kMargin * 2, height, kPaper);
    int y = kMargin;
    for (const Row& r : all) {
        drawRow(img, y, r, model);
        y += rowHeight(r);
    }
    return img;
}

// The Brawler on the left; on the right the last character, or the Brawler again in
// his second colours when he is the only one.
Image ContactSheet::stagePreview(const ContentModel& model) {
    Image img = model.stage;
    if (model.characters.empty())
        return img;
    const CharacterModel& left = model.characters.front();
    const CharacterModel& right = model.characters.back();
    const Sheet* standing = sheetNamed(left.animations, "standing");
    const Sheet* opposite = sheetNamed(right.animations, "standing");
    if (!standing || standing->frames.empty() || !opposite || opposite->frames.empty())
        return img;
    const Frame& f = standing->frames[0];
    const int ground = layout::kGroundY;
    img.blitKeyed(f.image, 250 - f.info.anchor.x, ground - f.info.anchor.y, f.info.key);
    const Frame& g = opposite->frames[0];
    // The engine mirrors a frame about its width, anchor included.
    const int mirroredAnchor = g.image.width() - g.info.anchor.x;
    const Image second = &left == &right ? PaletteSwap::applied(g.image, right.palette2) : g.image;
    img.blitKeyed(second.mirrored(), 550 - mirroredAnchor, ground - g.info.anchor.y, g.info.key);
    return img;
}

int ContactSheet::drawText(Image& img, int x, int y, const std::string& text, const Sheet& font) {
    int pen = x;
    const int advance = font.frames.empty() ? 0 : font.frames[0].image.width();
    for (char c : text) {
        for (const Frame& f : font.frames)
            if (f.info.label == std::string(1, c))
                img.blitKeyed(f.image, pen, y, f.info.key);
        pen += advance; // a space, or a character without a glyph, is a gap
    }
    return pen - x;
}

Image ContactSheet::hudSheet(const ContentModel& model) {
    const HudModel& hud = model.hud;
    Image img = model.stage;
    if (hud.bar.frames.size() < 3 || hud.marker.frames.size() < 2)
        return img;
    // Two life bars as the match shows them: full life on the left; on the right, life
    // at 60 % with the last hit's damage still showing beside it.
    const Frame& plate = hud.bar.frames[0];
    const Box in = plate.info.cBox;
    const int insideWidth = in.right - in.left + 1;
    for (int side = 0; side < 2; ++side) {
        const int x = side == 0 ? 16 : 800 - 16 - plate.image.width();
        const int y = 20;
        img.blitKeyed(plate.image, x, y, plate.info.key);
        const int life = side == 0 ? insideWidth : insideWidth * 60 / 100;
        const int hurt = side == 0 ? 0 : insideWidth * 15 / 100;
        const Image& fill = hud.bar.frames[1].image;
        const Image& damage = hud.bar.frames[2].image;
        // The right bar empties towards the middle, so its life is drawn from the right.
        for (int yy = 0; yy < fill.height(); ++yy)
            for (int xx = 0; xx < insideWidth; ++xx) {
                const int fromEdge = side == 0 ? xx : insideWidth - 1 - xx;
                if (fromEdge < life)
                    img.set(x + in.left + xx, y + in.top + yy, fill.at(xx, yy));
                else if (fromEdge < life + hurt)
                    img.set(x + in.left + xx, y + in.top + yy, damage.at(xx, yy));
            }
        const Frame& won = hud.marker.frames[1];
        const Frame& open = hud.marker.frames[0];
        const int my = y + plate.image.height() + 6;
        for (int k = 0; k < 2; ++k) {
            const Frame& m = (side == 0 && k == 0) ? won : open;
            const int mx = side == 0 ? x + k * 20 : x + plate.image.width() - 16 - k * 20;
            img.blitKeyed(m.image, mx, my, m.info.key);
        }
    }
    drawText(img, 16, 72, "PLAYER", hud.font);
    drawText(img, 800 - 16 - 8 * 12, 72, "OPPONENT", hud.font);
    drawText(img, 400 - 38, 16, "59", hud.bigFont);
    drawText(img, 24, 110, "ABCDEFGHIJKLMNOPQRSTUVWXYZ 0123456789 .:!-'", hud.font);
    const int big = hud.bigFont.frames.empty() ? 0 : hud.bigFont.frames[0].image.width();
    int y = 140;
    for (const std::string& line :
         {std::string("ROUND 1  FIGHT!"), std::string("K.O.  YOU WIN"),
          std::string("TIME  DRAW  PAUSED"), std::string("ABCDEFGHIJKLMNOPQR"),
          std::string("STUVWXYZ0123456789"), std::string(".:!-'")}) {
        drawText(img, 400 - static_cast<int>(line.size()) * big / 2, y, line, hud.bigFont);
        y += 56;
    }
    return img;
}

} // namespace contentgen
