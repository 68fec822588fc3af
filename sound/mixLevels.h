#pragma once

// The levels the game's sound is mixed at: the effects and the music each on a scale of
// 0 (silent) to 10 (as shipped), and a limiter on the mixed output so that no sample
// reaches full scale however many effects overlap (sound/peakLimiter.h).
//
// The mixer plays every channel and the music at a fifth of its level, which leaves room
// for all eight channels at the effects' -6 dBFS peak with the music under them; the
// limiter gives the fifth back. A level is an amplitude: 5 plays at half, -6 dB.
namespace mixLevels {

constexpr int kMaxLevel = 10;      // full, as the sounds were made
constexpr int kDefaultSound = 10;  // effects as made
constexpr int kDefaultMusic = 7;   // music under the effects
constexpr int kChannelVolume = 26; // of SDL_mixer's 128: a channel's volume at level 10

// Installs the limiter on the open mixer and applies the levels set so far. Without an
// open mixer, or one that does not mix signed 16-bit samples, it leaves the mixer as
// it is and returns false.
bool start();
// Sets the effects' and the music's level (clamped to 0..10); applied at once when the
// mixer is started, else when it starts.
void setSoundVolume(int level);
void setMusicVolume(int level);
int soundVolume();
int musicVolume();

} // namespace mixLevels
