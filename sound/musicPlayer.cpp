#include "sound/musicPlayer.h"

#include <cstdio>
#include <utility>

#include "datafile/problemReport.h"

musicPlayer::musicPlayer(std::string dataRoot) : dataRoot_(std::move(dataRoot)) {}

musicPlayer::~musicPlayer() {
    stop();
}

std::string musicPlayer::pathOf(const std::string& name) const {
    return dataRoot_ + "/music/" + name + ".wav";
}

bool musicPlayer::play(const std::string& name) {
    if (!name_.empty() && name_ == name && Mix_PlayingMusic())
        return true;
    stop();
    // No device, no music, and nothing to say: a headless run or a machine without sound.
    if (Mix_QuerySpec(nullptr, nullptr, nullptr) == 0)
        return false;
    const std::string path = pathOf(name);
    FILE* f = fopen(path.c_str(), "rb");
    std::string why;
    if (!f) {
        why = "missing music file — the game plays on without music";
    } else {
        fclose(f);
        music_ = Mix_LoadMUS(path.c_str());
        if (!music_)
            why = std::string("not music SDL_mixer can play (") + Mix_GetError() +
                  ") — save it as a PCM WAV; the game plays on without music";
        else if (Mix_PlayMusic(music_, -1) != 0)
            why = std::string("the music does not start (") + Mix_GetError() +
                  ") — the game plays on without music";
    }
    if (!why.empty()) {
        if (told_.insert(path).second)
            reportProblem("warning: " + path + ": " + why);
        stop();
        return false;
    }
    name_ = name;
    return true;
}

void musicPlayer::stop() {
    if (music_) {
        Mix_HaltMusic();
        Mix_FreeMusic(music_);
    }
    music_ = nullptr;
    name_.clear();
}
