#pragma once

#include <string>
#include <utility>
#include <vector>

#include "SDL_mixer.h"

class loadReport;

// One named sound effect, a link of the set's list.
struct soundNode {
    std::string name;           // name as written in the list file; exact, case-sensitive key
    Mix_Chunk* chunk = nullptr; // loaded sample, owned by the set; null when the WAV failed
    soundNode* next = nullptr;  // following node, owned by the set; null at the end
};

// The game's named sound effects, read from list files: <folder>/sound holds
// "SOUNDS: n" and then one name per line, and the sample of a sound called punch is
// <folder>/punch.wav.
//
// The sounds are a singly linked list in load order that always ends with one spare
// node (empty name, no chunk); the next sound read fills the spare and a new spare is
// appended behind it. soundCount is the number of sounds in front of the spare, so
// lookups walk only those and the first match in load order wins.
//
// The set owns every node and every chunk until it is destroyed. Controllers only
// point at it, and SDL_mixer plays its chunks, so it must outlive any playback.
class soundSet {
public:
    soundNode* sounds = nullptr; // first sound (or the spare); null until a list is read
    int soundCount = 0;          // sounds held, always the nodes in front of the spare
    // While a fight step runs, Play keeps what it would play here instead (chunk and
    // channel, in order), so that the shell plays it after the step, or drops it when the
    // step was run again to catch up.
    bool holding = false;
    std::vector<std::pair<Mix_Chunk*, int>> held;

    soundSet();
    ~soundSet();
    soundSet(const soundSet&) = delete;
    soundSet& operator=(const soundSet&) = delete;

    // Replaces the set with the sounds listed in folder/sound. A list that cannot be
    // opened is reported and leaves the set as it was. Problems, a sample that does not
    // load among them, are recorded in `report` when one is given (the data checker's).
    void getList(const std::string& folder, loadReport* report = nullptr);
    // Adds the sounds of folder/sound whose names the set does not hold yet. On a set
    // that has read no list it starts an empty one.
    void addToList(const std::string& folder, loadReport* report = nullptr);
    // The first of the set's sounds called `name`, else null; traces every comparison.
    soundNode* find(const std::string& name);
    // Plays the named sound once on `channel` (-1: the first free one). A name the set
    // lacks, a sample that failed to load or a closed audio device play nothing.
    void Play(const std::string& name, int channel);
    // Plays what was held, in order, and forgets it.
    void playHeld();
    // The named sound's sample; null when the set lacks the name or the load failed.
    Mix_Chunk* returnSound(const std::string& name);
    // Prints the name of every sound in the set.
    void display();

private:
    // Frees every node and chunk.
    void clear();
    // The spare node at the end, created when the set has none yet.
    soundNode* spare();
    // Fills the spare with a sound of `folder` and appends a new spare behind it; a
    // sample that does not load is recorded at line `line` of the list file.
    void loadIntoSpare(const std::string& folder, const std::string& name, loadReport* report,
                       int line);
};
