#pragma once

#include "tools/contentgen/ContentModel.h"

namespace contentgen {

// Draws and synthesises the whole content model: stage, runner, particles, HUD,
// shared sounds, the music loops and every character with its animations, moves, sounds, second
// colours and the opponent's attack table.
class ContentBuilder {
public:
    static ContentModel build();
    static CharacterModel brawler();
    static CharacterModel basalt();
    static AttackTable attackTable();

private:
    // Second colours from the base pairs, over every sheet the character shows.
    static void addPalette2(CharacterModel& c, const std::vector<ColourPair>& bases);
};

} // namespace contentgen
