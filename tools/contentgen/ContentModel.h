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
    std::string height = "mid";     // where an attack strikes: high, mid, low or overhead
};

struct SoundClip {
    std::string name;            // list name; the file is name + ".wav"
    std::vector<double> samples; // -1..1 at WavEncoder::kSampleRate
};

// One music loop: data/music/<name>.wav, played over and over. Its last sample leads into
// its first.
struct MusicLoop {
    std::string name;            // the file's name without ".wav"
    std::vector<double> samples; // -1..1, one channel at kMusicRate (tools/contentgen/Score.h)
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

// One line of a character's palette2: a colour the frames use and the one worn instead.
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
    Image title;      // the title screen's picture, 800x600; empty writes none
};

// One fighter: the folder data/<name> and, when it throws particles of its own, the
// list data/particle/<name> that is loaded only when it plays.
struct CharacterModel {
    std::string name;                   // folder name under data/
    std::vector<Sheet> animations;      // its info, in list order
    std::vector<MoveRecord> moves;      // its moveset, in file order
    std::vector<Sheet> matchSheets;     // ko and win: read by folder name, not in the list
    std::vector<ColourPair> palette2;   // its second colours
    std::vector<Rgb> keptColours;       // base colours (skin, hair...) palette2 must not touch
    SoundList sounds;                   // data/<name>/sound
    AttackTable attacks;                // data/<name>/ai/attack
    std::vector<ParticleDef> particles; // its own particle list; empty when it has none
};

// Everything under data/, before it is turned into files.
struct ContentModel {
    Image stage;                            // data/tBG2.bmp
    Sheet runner;                           // data/run
    std::vector<ParticleDef> particles;     // data/particle/default, in list order
    std::vector<CharacterModel> characters; // the Brawler first: the classic game's fighter
    HudModel hud;                           // data/hud
    SoundList sharedSounds;                 // data/soundSet
    std::vector<MusicLoop> music;           // data/music, one WAV per loop
};

} // namespace contentgen
