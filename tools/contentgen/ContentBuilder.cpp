#include "tools/contentgen/ContentBuilder.h"

#include "tools/contentgen/BrawlerAnimations.h"
#include "tools/contentgen/BrawlerMoves.h"
#include "tools/contentgen/HudArt.h"
#include "tools/contentgen/Layout.h"
#include "tools/contentgen/PaletteSwap.h"
#include "tools/contentgen/ParticleArt.h"
#include "tools/contentgen/RunnerSheet.h"
#include "tools/contentgen/SoundFactory.h"
#include "tools/contentgen/StagePainter.h"

namespace contentgen {

ContentModel ContentBuilder::build() {
    const FighterArtist artist(layout::kFrameWidth, layout::kFrameHeight,
                               Vec2{double(layout::kAnchorX), double(layout::kAnchorY)});
    const FighterFrames frames(artist);
    ContentModel model;
    model.stage = StagePainter::paint();
    model.runner = RunnerSheet::build();
    model.particles = {ParticleArt::fireball(), ParticleArt::spark()};
    model.animations = BrawlerAnimations(frames).build();
    model.moves = BrawlerMoves(artist, frames).build();
    model.matchSheets = BrawlerAnimations(frames).matchSheets();
    std::vector<const Sheet*> drawn;
    for (const Sheet& a : model.animations)
        drawn.push_back(&a);
    for (const MoveRecord& m : model.moves)
        drawn.push_back(&m.sheet);
    for (const Sheet& s : model.matchSheets)
        drawn.push_back(&s);
    model.palette2 = PaletteSwap::build(drawn);
    model.hud = HudArt::build();
    model.sharedSounds = SoundFactory::sharedSounds();
    model.fighterSounds = SoundFactory::fighterSounds();
    model.attacks = attackTable();
    return model;
}

// The opponent draws short-range requests from the short and mid entries alike, so
// the ground group holds the close attacks first and then the two specials.
AttackTable ContentBuilder::attackTable() {
    AttackTable t;
    t.groups[0] = {{"jab", 'S'},    {"kick", 'S'},     {"sweep", 'S'},
                   {"strike", 'S'}, {"fireball", 'M'}, {"uppercut", 'M'}};
    t.groups[2] = {{"airKick", 'S'}};
    return t;
}

} // namespace contentgen
