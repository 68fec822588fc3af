#include "sound/mixLevels.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "SDL_mixer.h"

#include "sound/peakLimiter.h"

namespace mixLevels {

namespace {

int soundLevel = kDefaultSound;
int musicLevel = kDefaultMusic;
bool started = false;
// Owned here and used on the audio thread from start until the program ends.
std::unique_ptr<peakLimiter> limiter;
int limiterChannels = 2;

int volumeFor(int level) {
    return static_cast<int>(std::lround(double(kChannelVolume) * level / kMaxLevel));
}

void apply() {
    if (!started)
        return;
    Mix_Volume(-1, volumeFor(soundLevel));
    Mix_VolumeMusic(volumeFor(musicLevel));
}

void limit(void*, Uint8* stream, int bytes) {
    const int frames = bytes / (2 * limiterChannels);
    limiter->process(reinterpret_cast<int16_t*>(stream), frames, limiterChannels);
}

} // namespace

bool start() {
    int rate = 0;
    Uint16 format = 0;
    int channels = 0;
    if (Mix_QuerySpec(&rate, &format, &channels) == 0 || format != AUDIO_S16SYS || channels < 1)
        return false;
    // Taken off the audio thread while it is made anew (Mix_SetPostMix locks the audio).
    Mix_SetPostMix(nullptr, nullptr);
    limiter = std::make_unique<peakLimiter>(double(MIX_MAX_VOLUME) / kChannelVolume, rate);
    limiterChannels = channels;
    Mix_SetPostMix(limit, nullptr);
    started = true;
    apply();
    return true;
}

void setSoundVolume(int level) {
    soundLevel = std::clamp(level, 0, kMaxLevel);
    apply();
}

void setMusicVolume(int level) {
    musicLevel = std::clamp(level, 0, kMaxLevel);
    apply();
}

int soundVolume() {
    return soundLevel;
}

int musicVolume() {
    return musicLevel;
}

} // namespace mixLevels
