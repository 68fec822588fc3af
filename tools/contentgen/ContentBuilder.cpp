#include "tools/contentgen/ContentBuilder.h"

#include "tools/contentgen/BasaltAnimations.h"
#include "tools/contentgen/BasaltMoves.h"
#include "tools/contentgen/BasaltSounds.h"
#include "tools/contentgen/BrawlerAnimations.h"
#include "tools/contentgen/BrawlerMoves.h"
#include "tools/contentgen/HudArt.h"
#include "tools/contentgen/Layout.h"
#include "tools/contentgen/MusicComposer.h"
#include "tools/contentgen/Palette.h"
#include "tools/contentgen/PaletteSwap.h"
#include "tools/contentgen/ParticleArt.h"
#include "tools/contentgen/RunnerSheet.h"
#include "tools/contentgen/SoundFactory.h"
#include "tools/contentgen/StagePainter.h"
#include "tools/contentgen/StoneArt.h"
#include "tools/contentgen/TitleArt.h"

namespace contentgen {

namespace {

FighterArtist artistFor(const FighterLook& look) {
    return FighterArtist(layout::kFrameWidth, layout::kFrameHeight,
                         Vec2{double(layout::kAnchorX), double(layout::kAnchorY)}, 1.0, look);
}

} // namespace

ContentModel ContentBuilder::build() {
    ContentModel model;
    model.stage = StagePainter::paint();
    model.runner = RunnerSheet::build();
    model.particles = {ParticleArt::fireball(), ParticleArt::spark()};
    model.characters = {brawler(), basalt()};
    model.hud = HudArt::build();
    model.hud.title = TitleArt::paint(model.stage);
    model.sharedSounds = SoundFactory::sharedSounds();
    model.music = MusicComposer::loops();
    return model;
}

CharacterModel ContentBuilder::brawler() {
    const FighterArtist artist = artistFor(FighterLook::brawler());
    const FighterFrames frames(artist);
    CharacterModel c;
    c.name = "Brawler";
    c.animations = BrawlerAnimations(frames).build();
    c.moves = BrawlerMoves(artist, frames).build();
    c.matchSheets = BrawlerAnimations(frames).matchSheets();
    addPalette2(c, {{palette::kGi, palette::kGi2},
                    {palette::kGiFold, palette::kGiFold2},
                    {palette::kBand, palette::kBand2}});
    c.keptColours = {palette::kOutline,    palette::kBelt, palette::kSkin,
                     palette::kSkinShadow, palette::kHair, palette::kEye};
    c.sounds = SoundFactory::brawlerSounds();
    c.attacks = attackTable();
    return c;
}

CharacterModel ContentBuilder::basalt() {
    namespace b = palette::basalt;
    const FighterArtist artist = artistFor(FighterLook::basalt());
    const FighterFrames frames(artist);
    CharacterModel c;
    c.name = "Basalt";
    c.animations = BasaltAnimations(frames).build();
    c.moves = BasaltMoves(artist, frames).build();
    c.matchSheets = BasaltAnimations(frames).matchSheets();
    addPalette2(
        c, {{b::kVest, b::kVest2}, {b::kVestFold, b::kVestFold2}, {b::kTrousers, b::kTrousers2}});
    c.keptColours = {b::kOutline, b::kSkin,  b::kSkinShadow, b::kBeard,
                     b::kBelt,    b::kBoots, b::kEye};
    c.sounds = BasaltSounds::build();
    c.attacks = BasaltMoves::attackTable();
    c.particles = {StoneArt::stone(), StoneArt::grit()};
    return c;
}

void ContentBuilder::addPalette2(CharacterModel& c, const std::vector<ColourPair>& bases) {
    std::vector<const Sheet*> drawn;
    for (const Sheet& a : c.animations)
        drawn.push_back(&a);
    for (const MoveRecord& m : c.moves)
        drawn.push_back(&m.sheet);
    for (const Sheet& s : c.matchSheets)
        drawn.push_back(&s);
    c.palette2 = PaletteSwap::build(drawn, bases);
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
