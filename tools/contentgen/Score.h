#pragma once

#include <string>
#include <vector>

namespace contentgen {

// Music is made at the rate the game's mixer plays, so that SDL_mixer streams it without
// converting the rate (its conversion works a buffer at a time and clicks at each edge).
constexpr int kMusicRate = 44100; // samples per second, one channel

// The sounds a part of a loop can play.
enum class Voice { kick, snare, hat, openHat, bass, pad, lead, bell };

// One note of a part.
struct Note {
    double beat = 0.0;     // onset, in beats from the loop's start
    double length = 1.0;   // beats held; the voice's release rings on after it
    int pitch = 60;        // MIDI note number (69 = A at 440 Hz); the drums ignore it
    double velocity = 1.0; // loudness, 0..1
};

// The notes one voice plays over the whole loop.
struct Part {
    Voice voice = Voice::pad;
    double gain = 1.0;       // the part's level in the mix
    double echo = 0.0;       // feedback of the part's echo, 0 (none) to below 1
    double echoBeats = 0.75; // delay of each repeat of the echo, in beats
    std::vector<Note> notes;
};

// A music loop before it is played: the parts of every voice over `beats` beats. The
// loop's last beat leads into its first, so notes and echoes that ring past the end
// are heard over the start, as they are when the loop repeats.
struct Score {
    std::string name; // the file data/music/<name>.wav
    int bpm = 120;    // beats per minute; kMusicRate * 60 / bpm must be whole
    int beats = 0;    // length of the loop in beats
    std::vector<Part> parts;
};

} // namespace contentgen
