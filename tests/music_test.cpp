// The music and the mixed sound: a loop plays over and over sample for sample, a loop
// that cannot be played is said once and the game goes on silent, a match plays the
// stage loop and the classic game none, and the game's mix of the shipped sounds, the
// loudest of them all at once over the music, never reaches full scale.
#include "sound/musicPlayer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SDL.h"
#include "SDL_mixer.h"

#include "shell/game.h"
#include "shell/shell.h"
#include "sound/mixLevels.h"
#include "sound/peakLimiter.h"
#include "tests/testSupport.h"

using namespace testsupport;

namespace {

const std::string kData = std::string(BRAWLER_SOURCE_DIR) + "/data";
constexpr int kRate = 44100;

// Opens the mixer as the game does on SDL's disk audio driver, writing into `file` as
// fast as it can mix rather than in real time. False, with the reason printed, when it
// does not open.
bool openDiskMixer(const std::string& file) {
    SDL_Quit();
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    if (SDL_Init(SDL_INIT_AUDIO) < 0 || Mix_OpenAudio(kRate, AUDIO_S16LSB, 2, 2048) < 0) {
        printf("\nNO DEVICE %s\n", SDL_GetError());
        return false;
    }
    return true;
}

// Waits until the device has written `bytes` more than `from` (bounded by 20 s).
void waitForBytes(const std::string& file, uintmax_t from, uintmax_t bytes) {
    for (int waited = 0; waited < 20000; waited += 5) {
        std::error_code ec;
        if (std::filesystem::file_size(file, ec) >= from + bytes)
            return;
        SDL_Delay(5);
    }
}

std::vector<int16_t> samplesIn(const std::string& file) {
    const std::string bytes = readFile(file);
    std::vector<int16_t> s(bytes.size() / 2);
    for (size_t i = 0; i < s.size(); ++i)
        s[i] = static_cast<int16_t>(static_cast<uint8_t>(bytes[2 * i]) |
                                    static_cast<uint8_t>(bytes[2 * i + 1]) << 8);
    return s;
}

int fullScaleCount(const std::vector<int16_t>& s) {
    return static_cast<int>(
        std::count_if(s.begin(), s.end(), [](int16_t v) { return v == 32767 || v == -32768; }));
}

int loudest(const std::vector<int16_t>& s) {
    int peak = 0;
    for (int16_t v : s)
        peak = std::max(peak, std::abs(static_cast<int>(v)));
    return peak;
}

// The stage loop with the loudest effects the fight has (both fighters hurt at once, two
// fireballs, the knockout, the bell, a heavy swing and a block) started together on all
// eight channels, three times over; with the game's levels or with the mixer as it was.
std::vector<int16_t> mashOverTheMusic(bool gameLevels) {
    TempDir dir;
    const std::string file = dir / "device.raw";
    ChildResult r = runInChild([&] {
        if (!openDiskMixer(file))
            return;
        if (gameLevels && !mixLevels::start())
            printf("\nNOT STARTED\n");
        {
            musicPlayer music(kData);
            if (!music.play("stage"))
                printf("\nNO MUSIC\n");
            std::vector<Mix_Chunk*> chunks;
            for (const char* name : {"Brawler/sound/hurt", "Basalt/sound/grunt",
                                     "Brawler/sound/blast", "Brawler/sound/blast", "hud/knockout",
                                     "hud/bell", "soundSet/whooshHeavy", "soundSet/clack"})
                chunks.push_back(Mix_LoadWAV((kData + "/" + name + ".wav").c_str()));
            for (int round = 0; round < 3; ++round) {
                for (size_t i = 0; i < chunks.size(); ++i)
                    Mix_PlayChannel(static_cast<int>(i), chunks[i], 0);
                for (int waited = 0; waited < 3000 && Mix_Playing(-1); ++waited)
                    SDL_Delay(1);
            }
            Mix_HaltChannel(-1);
            for (Mix_Chunk* c : chunks) {
                if (!c)
                    printf("\nNO CHUNK\n");
                else
                    Mix_FreeChunk(c);
            }
        }
        Mix_CloseAudio();
        SDL_Quit();
    });
    EXPECT_EQ(r.exitCode, 0) << r.output;
    for (const char* bad : {"\nNO DEVICE", "\nNOT STARTED", "\nNO MUSIC", "\nNO CHUNK"})
        EXPECT_EQ(r.output.find(bad), std::string::npos) << r.output;
    return samplesIn(file);
}

} // namespace

// Below the knee the limiter gives back exactly what the mixer's headroom took; above it
// no sample reaches full scale however far the sum goes, and the gain comes back soon
// after a burst.
TEST(PeakLimiter, QuietPassesAsMadeLoudNeverReachesFullScaleAndRecovers) {
    peakLimiter limiter(5.0, kRate);
    std::vector<int16_t> quiet = {1000, -1000, 3000, -3276, 0, 7};
    limiter.process(quiet.data(), 3, 2);
    EXPECT_EQ(quiet, (std::vector<int16_t>{5000, -5000, 15000, -16380, 0, 35}));

    // Every channel at full scale in the mixer: twenty times the knee after makeup.
    std::vector<int16_t> burst(2 * kRate / 10);
    for (size_t i = 0; i < burst.size(); ++i)
        burst[i] = static_cast<int16_t>((i / 2) % 40 < 20 ? 32767 : -32768);
    limiter.process(burst.data(), kRate / 10, 2);
    EXPECT_EQ(fullScaleCount(burst), 0);
    EXPECT_LE(loudest(burst), static_cast<int>(peakLimiter::kCeiling * 32768));
    EXPECT_GT(loudest(burst), static_cast<int>(0.9 * 32768)) << "limited far below the ceiling";

    // A second later a quiet sound is as loud as it was made again.
    std::vector<int16_t> silence(2 * kRate, 0);
    limiter.process(silence.data(), kRate, 2);
    std::vector<int16_t> after = {1000, -1000};
    limiter.process(after.data(), 1, 2);
    EXPECT_EQ(after, (std::vector<int16_t>{5000, -5000}));
}

// The mixer as it was adds the loudest effects past full scale; with the game's levels
// the same effects over the music stay under it, and still come out loud.
TEST(MixedSound, TheLoudestEffectsTogetherOverTheMusicNeverReachFullScale) {
    std::vector<int16_t> before = mashOverTheMusic(false);
    ASSERT_GT(before.size(), 88200u);
    EXPECT_GT(fullScaleCount(before), 0) << "the mix to mend did not clip: this proves nothing";
    std::vector<int16_t> mixed = mashOverTheMusic(true);
    ASSERT_GT(mixed.size(), 88200u);
    EXPECT_EQ(fullScaleCount(mixed), 0);
    EXPECT_GT(loudest(mixed), static_cast<int>(0.8 * 32768)) << "the effects were turned down";
}

// SDL_mixer plays the shipped loops over and over without a gap or a sample dropped:
// the second time round is the first, sample for sample. (That the loop's end leads
// into its start is the generator's check, made on every file it writes.)
TEST(MixedSound, TheMusicLoopsSampleForSample) {
    TempDir dir;
    const std::string file = dir / "device.raw";
    const std::string name = "title";
    const double seconds = 64.0; // the title loop's length
    ChildResult r = runInChild([&] {
        if (!openDiskMixer(file) || !mixLevels::start())
            return;
        {
            musicPlayer music(kData);
            std::error_code ec;
            uintmax_t before = std::filesystem::file_size(file, ec);
            if (!music.play(name))
                printf("\nNO MUSIC\n");
            waitForBytes(file, before, static_cast<uintmax_t>((seconds + 2.0) * kRate * 4));
        }
        Mix_CloseAudio();
        SDL_Quit();
    });
    ASSERT_EQ(r.exitCode, 0) << r.output;
    ASSERT_EQ(r.output.find("\nNO"), std::string::npos) << r.output;
    std::vector<int16_t> s = samplesIn(file);
    auto start = std::find_if(s.begin(), s.end(), [](int16_t v) { return v != 0; });
    ASSERT_NE(start, s.end()) << "nothing was heard";
    const size_t first = static_cast<size_t>(start - s.begin()) / 2 * 2;
    const size_t loop = static_cast<size_t>(seconds * kRate) * 2;
    const size_t compared = kRate; // half a second of stereo samples
    ASSERT_GE(s.size(), first + loop + compared);
    int differing = 0;
    for (size_t i = first; i < first + compared; ++i)
        differing += s[i] != s[i + loop];
    EXPECT_EQ(differing, 0);
    EXPECT_GT(loudest(std::vector<int16_t>(start, start + kRate * 2)), 1000) << "too quiet";
}

// The levels the options set: the music at 10 is as loud as its file, at 5 half as loud,
// at 0 silent; an effect at 3 plays at three tenths (of the mixer's steps, 8 of 26).
TEST(MixedSound, TheLevelsScaleTheMusicAndTheEffects) {
    TempDir dir;
    std::vector<int16_t> tone(kRate);
    for (size_t i = 0; i < tone.size(); ++i)
        tone[i] = static_cast<int16_t>(std::lround(8000 * std::sin(2 * M_PI * 441.0 * i / kRate)));
    makeDirs(dir / "music");
    writeWAV(dir / "music/tune.wav", tone, kRate);
    writeWAV(dir / "tone.wav", tone, kRate);
    const std::string file = dir / "device.raw";
    ChildResult r = runInChild([&] {
        if (!openDiskMixer(file) || !mixLevels::start())
            return;
        // Each level held for half a second of sound; the part heard is printed.
        auto hold = [&](const char* what, int level, void (*set)(int)) {
            set(level);
            std::error_code ec;
            uintmax_t from = std::filesystem::file_size(file, ec);
            waitForBytes(file, from, kRate * 2);
            printf("\n%s %d %ju %ju\n", what, level, from, std::filesystem::file_size(file, ec));
        };
        {
            musicPlayer music(dir.path());
            music.play("tune");
            for (int level : {10, 5, 0})
                hold("music", level, mixLevels::setMusicVolume);
        }
        Mix_Chunk* chunk = Mix_LoadWAV((dir / "tone.wav").c_str());
        Mix_PlayChannel(0, chunk, -1);
        for (int level : {10, 3})
            hold("sound", level, mixLevels::setSoundVolume);
        Mix_HaltChannel(-1);
        Mix_FreeChunk(chunk);
        Mix_CloseAudio();
        SDL_Quit();
    });
    ASSERT_EQ(r.exitCode, 0) << r.output;
    std::vector<int16_t> s = samplesIn(file);
    std::map<std::string, int> expected = {{"music 10", 8000},
                                           {"music 5", 4000},
                                           {"music 0", 0},
                                           {"sound 10", 8000},
                                           {"sound 3", 8000 * 8 / 26}};
    for (const auto& [what, peak] : expected) {
        size_t at = r.output.find("\n" + what + " ");
        ASSERT_NE(at, std::string::npos) << what << "\n" << r.output;
        uintmax_t from = 0, to = 0;
        ASSERT_EQ(sscanf(r.output.c_str() + at + what.size() + 2, "%ju %ju", &from, &to), 2);
        // The middle of the part, clear of when the level changed.
        size_t a = from / 2 + (to - from) / 8, b = from / 2 + (to - from) * 3 / 8;
        ASSERT_LE(b, s.size());
        EXPECT_NEAR(loudest(std::vector<int16_t>(s.begin() + a, s.begin() + b)), peak,
                    peak / 50 + 8)
            << what;
    }
}

// A loop that is missing or not music is said once, naming the file, and the game goes
// on without music; another loop then plays, and asking for the loop already playing
// leaves it be. Without an audio device nothing is loaded and nothing said.
TEST(MusicPlayer, ALoopThatCannotPlayIsSaidOnceAndTheGameGoesOnSilent) {
    TempDir dir;
    std::vector<int16_t> tone(kRate / 2);
    for (size_t i = 0; i < tone.size(); ++i)
        tone[i] = static_cast<int16_t>(8000 * std::sin(i * 0.0628));
    makeDirs(dir / "music");
    writeWAV(dir / "music/tune.wav", tone, kRate);
    const char junk[] = "RIFF\x10\0\0\0WAVEjunkjunkjunk";
    writeFile(dir / "music/broken.wav", std::string(junk, sizeof junk - 1));
    ChildResult r = runInChild([&] {
        SDL_Quit();
        if (SDL_Init(SDL_INIT_AUDIO) < 0 || Mix_OpenAudio(kRate, AUDIO_S16LSB, 2, 2048) < 0)
            return;
        musicPlayer music(dir.path());
        bool played = music.play("tune");
        printf("\ntune %d %d [%s]\n", played, Mix_PlayingMusic(), music.playing().c_str());
        for (const char* name : {"none", "none", "broken", "broken"}) {
            played = music.play(name);
            printf("\n%s %d %d [%s]\n", name, played, Mix_PlayingMusic(), music.playing().c_str());
        }
        music.play("tune");
        printf("\nagain %d\n", music.play("tune"));
        music.stop();
        printf("\nstopped %d [%s]\n", Mix_PlayingMusic(), music.playing().c_str());
        Mix_CloseAudio();
    });
    ASSERT_EQ(r.exitCode, 0) << r.output;
    const std::string none = dir / "music/none.wav";
    const std::string broken = dir / "music/broken.wav";
    for (const std::string& line :
         {std::string("\ntune 1 1 [tune]\n"),
          "\nbrawler: warning: " + none +
              ": missing music file — the game plays on without music\n",
          std::string("\nnone 0 0 []\n"), "\nbrawler: warning: " + broken + ": not music",
          std::string("\nbroken 0 0 []\n"), std::string("\nagain 1\n"),
          std::string("\nstopped 0 []\n")})
        EXPECT_NE(r.output.find(line), std::string::npos) << line << "\nin:\n" << r.output;
    for (const std::string& file : {none, broken}) {
        size_t said = r.output.find(file);
        EXPECT_EQ(r.output.find(file, said + 1), std::string::npos) << "said twice: " << file;
    }

    r = runInChild([&] {
        SDL_Quit();
        musicPlayer music(dir.path());
        printf("\nno device %d %d\n", music.play("tune"), music.play("none"));
    });
    EXPECT_EQ(r.output, "\nno device 0 0\n");
}

// A match starts the stage loop once the fight is set up; the classic game plays none.
TEST(MusicPlayer, AMatchPlaysTheStageLoopAndTheClassicGameNone) {
    for (bool match : {true, false}) {
        ChildResult r = runInChild([&] {
            SDL_Quit();
            sdlInit();
            musicPlayer music(kData);
            {
                Game game;
                game.dataRoot = kData;
                game.matchMode = match;
                game.music = &music;
                game.startUp();
                printf("\nMUSIC [%s] %d\n", music.playing().c_str(), Mix_PlayingMusic());
            }
            music.stop();
        });
        EXPECT_EQ(r.exitCode, 0) << r.output;
        EXPECT_NE(r.output.find(match ? "\nMUSIC [stage] 1\n" : "\nMUSIC [] 0\n"),
                  std::string::npos)
            << r.output.substr(r.output.size() - std::min<size_t>(r.output.size(), 400));
    }
}

// A loop at another rate plays, but SDL_mixer's conversion clicks at every buffer's
// edge: the data checker says so, and that it is only a warning.
TEST(MusicPlayer, TheCheckerWarnsOfALoopAtAnotherRate) {
    TempDir dir;
    copyTree(kData, dir / "data");
    removeForWriting(dir / "data/music/stage.wav");
    writeWAV(dir / "data/music/stage.wav", std::vector<int16_t>(22050, 0), 22050);
    ChildResult r =
        runCommand(std::string("'") + BRAWLER_CHECK_BINARY + "' '" + dir / "data" + "'");
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_NE(r.output.find("music/stage.wav: warning: music at 22050 Hz: SDL_mixer converts"),
              std::string::npos)
        << r.output;
}
