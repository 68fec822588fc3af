#pragma once

#include <set>
#include <string>

#include "SDL_mixer.h"

// The music: one loop at a time, <dataRoot>/music/<name>.wav, played over and over from
// its start by SDL_mixer's music stream (Mix_LoadMUS), at the level mixLevels sets.
// Music is never needed: without an audio device it plays nothing and says nothing, and
// a loop that is missing or cannot be played is said once on standard error, naming the
// file, after which the game goes on in silence.
//
// The player owns the loaded loop until it stops, switches or is destroyed; SDL_mixer
// must still be open when it is destroyed (it frees the loop through the mixer).
class musicPlayer {
public:
    explicit musicPlayer(std::string dataRoot = "data");
    ~musicPlayer();
    musicPlayer(const musicPlayer&) = delete;
    musicPlayer& operator=(const musicPlayer&) = delete;

    // Plays the loop called `name`; the loop already playing under that name goes on
    // undisturbed. True when it plays.
    bool play(const std::string& name);
    // Stops the music and frees the loop.
    void stop();
    // The name of the loop playing, empty when none is.
    const std::string& playing() const { return name_; }
    // The file the loop called `name` is read from.
    std::string pathOf(const std::string& name) const;

private:
    std::string dataRoot_;       // the data folder the loops are read from
    std::string name_;           // the loop playing, empty when none
    Mix_Music* music_ = nullptr; // the loaded loop, owned; null when none
    std::set<std::string> told_; // files already reported, each said only once
};
