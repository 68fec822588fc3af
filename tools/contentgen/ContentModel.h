#pragma once

#include <array>
#include <string>
#include <vector>

#include "tools/contentgen/Image.h"
#include "tools/contentgen/SheetModel.h"

namespace contentgen {

// One block of the moveset file. The move's name is its sheet's name, which is also
// the folder its frames live in.
struct MoveRecord {
    Sheet sheet;
    std::string command;            // oldest letter first; ends with the button for attacks
    std::string condition = "null"; // "null", "ground = true" or "ground = false"
};

struct SoundClip {
    std::string name;            // list name; the file is name + ".wav"
    std::vector<double> samples; // -1..1 at WavEncoder::kSampleRate
};

// A sound folder with its `sound` list file.
struct SoundList {
    std::string folder; // path from the output root, e.g. "data/soundSet"
    std::vector<SoundClip> clips;
};

// One particle kind: data/particle/<name>/ with its sheet and `particle` file.
struct ParticleDef {
    Sheet sheet;
    int listNumber = 0; // second word of its line in the list file; read by nobody
    int alpha = 255;    // handed to the sheet's alpha switch, which the engine keeps off
    int lifetimeMs = 0; // 0 or less lives until it leaves the stage or hits
    bool gravity = false;
    std::vector<SpawnLine> onDeath;
};

// The computer opponent's attack file: six groups, 0 ground and 2 air in use.
struct AttackEntry {
    std::string move;
    char range = 'S'; // S short, M mid, L long
};

struct AttackTable {
    static constexpr int kGroups = 6;
    std::array<std::vector<AttackEntry>, kGroups> groups;
};

// One line of data/Brawler/palette2: a colour the frames use and the one worn instead.
struct ColourPair {
    Rgb from;
    Rgb to;
};

// The match's pictures and sounds, data/hud: each sheet in the usual sheet format.
struct HudModel {
    Sheet bar;        // plate (body box = the inside), fill, damage segment
    Sheet font;       // small glyphs, one frame per character, labelled with it
    Sheet bigFont;    // banner glyphs, the same characters
    Sheet marker;     // a round not won, a round won
    SoundList sounds; // bell and knockout
};

// Everything under data/, before it is turned into files.
struct ContentModel {
    Image stage;                        // data/tBG2.bmp
    Sheet runner;                       // data/run
    std::vector<ParticleDef> particles; // data/particle/default, in list order
    std::vector<Sheet> animations;      // the character's info, in list order
    std::vector<MoveRecord> moves;      // the character's moveset, in file order
    std::vector<Sheet> matchSheets;     // ko and win: read by folder name, not in the list
    std::vector<ColourPair> palette2;   // the character's second colours
    HudModel hud;                       // data/hud
    SoundList sharedSounds;             // data/soundSet
    SoundList fighterSounds;            // data/Brawler/sound
    AttackTable attacks;                // data/Brawler/ai/attack
};

} // namespace contentgen
