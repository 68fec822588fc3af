#include "sound/soundSet.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <vector>

#include <gtest/gtest.h>

#include "SDL.h"
#include "SDL_mixer.h"

#include "tests/testSupport.h"

using namespace testsupport;

namespace {

using Names = std::vector<std::string>;

// The mixer opened as the game opens it, here on the suite's dummy audio driver. Sets
// declared after it are destroyed before the device closes.
struct OpenMixer {
    bool ok =
        SDL_InitSubSystem(SDL_INIT_AUDIO) == 0 && Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 2048) == 0;
    ~OpenMixer() {
        if (ok)
            Mix_CloseAudio();
    }
};

// Writes folder/sound with `list`, and for each name a WAV of that many samples (the
// loaded length tells the samples apart).
void writeSounds(const std::string& folder, const std::string& list,
                 const std::map<std::string, int>& samples) {
    writeFile(folder + "/sound", list);
    for (const auto& [name, count] : samples) {
        std::vector<int16_t> tone(count);
        for (int i = 0; i < count; ++i)
            tone[i] = (i / 20) % 2 ? 8000 : -8000;
        writeWAV(folder + "/" + name + ".wav", tone);
    }
}

// The names of the set's sounds; checks that exactly one spare node follows them.
Names namesOf(const soundSet& set) {
    Names names;
    const soundNode* node = set.sounds;
    for (int i = 0; i < set.soundCount && node; ++i, node = node->next)
        names.push_back(node->name);
    EXPECT_EQ(static_cast<int>(names.size()), set.soundCount);
    if (set.sounds) {
        EXPECT_TRUE(node && node->name.empty() && !node->chunk && !node->next) << "bad spare";
    }
    return names;
}

soundNode* nodeAt(soundSet& set, int index) {
    soundNode* node = set.sounds;
    for (int i = 0; i < index && node; ++i)
        node = node->next;
    return node;
}

// Standard output and standard error of fn, apart.
std::pair<std::string, std::string> traces(const std::function<void()>& fn) {
    std::string err;
    std::string out = captureStdout([&] { err = captureStderr(fn); });
    return {out, err};
}

} // namespace

// A list loads in order, and a name twice in one list goes in twice. Found samples play on the
// channel asked for or the first free one; names not found, and samples that failed to
// load, play nothing.
TEST(SoundSet, LoadsListsInOrderAndPlaysWhatItFound) {
    OpenMixer mixer;
    ASSERT_TRUE(mixer.ok) << SDL_GetError();
    TempDir dir;
    const std::string f = dir / "F", z = dir / "Z";
    // Samples of a second, still playing when checked.
    writeSounds(f, "SOUNDS: 4\npunch\nkick\nmissing\nbroken\n",
                {{"punch", 22050}, {"kick", 22050}});
    writeFile(f + "/broken.wav", "RIFF this is not a wave file at all");

    soundSet set;
    // The game names the first sample it could not load, at its line of the list.
    EXPECT_EQ(traces([&] { set.getList(f); }).second,
              "brawler: warning: " + f + "/sound:4: missing sound sample " + f +
                  "/missing.wav — add the WAV or fix the name here; the sound stays silent\n");
    ASSERT_EQ(namesOf(set), (Names{"punch", "kick", "missing", "broken"}));
    // Adding a list with a name the set holds already: the golden trace's start-up.
    writeSounds(z, "SOUNDS: 3\nzap\nzap\nhit extra words\n", {{"zap", 100}, {"hit", 100}});
    captureStdout([&] { set.addToList(z); });
    ASSERT_EQ(namesOf(set), (Names{"punch", "kick", "missing", "broken", "zap", "zap", "hit"}));
    soundNode* found = nullptr;
    captureStdout([&] { found = set.find("zap"); });
    EXPECT_EQ(found, nodeAt(set, 4));

    captureStdout([&] {
        set.Play("Punch", -1);
        set.Play("missing", -1);
        set.Play("broken", 2);
        EXPECT_EQ(set.returnSound("broken"), nullptr);
        EXPECT_EQ(set.returnSound("zip"), nullptr);
    });
    EXPECT_EQ(Mix_Playing(-1), 0);
    captureStdout([&] { set.Play("kick", 3); });
    EXPECT_EQ(Mix_GetChunk(3), nodeAt(set, 1)->chunk);
    captureStdout([&] { set.Play("punch", -1); });
    EXPECT_EQ(Mix_Playing(-1), 2);
    EXPECT_EQ(Mix_GetChunk(0), nodeAt(set, 0)->chunk) << "not the first free channel";
    captureStdout([&] { EXPECT_EQ(set.returnSound("kick"), nodeAt(set, 1)->chunk); });

    // The device going away under loaded samples: playing must not reach it.
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
    mixer.ok = false;
    captureStdout([&] { set.Play("punch", -1); });
}

TEST(SoundSet, HostileListFiles) {
    OpenMixer mixer;
    ASSERT_TRUE(mixer.ok) << SDL_GetError();
    TempDir dir;
    const std::string cutName(111, 'n');
    writeSounds(dir.path(), "", {{"punch", 100}, {"kick", 100}, {cutName, 100}});
    writeFile(dir / "one/sound", "SOUNDS: 1\nclap\n");
    struct Case {
        std::string text;
        Names names;
    } cases[] = {
        {"SOUNDS: 2\r\npunch\r\nkick  loud\r\n", {"punch", "kick"}},
        {"SOUNDS: 5\npunch\nkick\n", {"punch", "kick"}},
        {"SOUNDS: 2000000000\npunch\n", {"punch"}},
        {"SOUNDS: 99999999999999999999\npunch\n", {"punch"}},
        {"SOUNDS: 1\n" + std::string(200, 'n') + "\n", {cutName}},
        {"SOUNDS: 2\n\nkick\n", {"", "kick"}},
        {"SOUNDS: -3\npunch\n", {}},
        {"SOUNDS: lots\npunch\n", {}},
        {"punch\nkick\n", {}},
        {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 40));
        writeFile(dir / "sound", c.text);
        soundSet fresh, added, grown;
        std::string out, err;
        std::tie(out, err) = traces([&] {
            fresh.getList(dir.path());
            added.addToList(dir.path()); // on a set that read no list
            grown.getList(dir / "one");
            grown.addToList(dir.path());
        });
        EXPECT_EQ(namesOf(fresh), c.names);
        EXPECT_EQ(nodeAt(fresh, 0)->chunk != nullptr, !c.names.empty() && !c.names[0].empty());
        EXPECT_EQ(namesOf(added), c.names);
        Names expected{"clap"};
        expected.insert(expected.end(), c.names.begin(), c.names.end());
        EXPECT_EQ(namesOf(grown), expected);
        EXPECT_NE(out.find("New Total is : " + std::to_string(expected.size()) + "\n"),
                  std::string::npos);
    }

    // Paths have no length limit; a list that cannot be opened changes nothing, and a
    // list read anew replaces the set.
    const std::string deep =
        dir / (std::string(100, 'a') + "/" + std::string(100, 'b') + "/" + std::string(100, 'c'));
    writeSounds(deep, "SOUNDS: 1\nzap\n", {{"zap", 100}});
    soundSet set;
    EXPECT_EQ(traces([&] { set.getList(deep); }).second, "");
    EXPECT_EQ(captureStdout([&] {
                  set.getList(dir / "none");
                  set.addToList(dir / "none");
              }),
              "ERROR opening file " + dir.path() + "/none/sound\n\nADDING TO SOUND SET, YAY!\n" +
                  "ERROR opening file " + dir.path() + "/none/sound\n\n");
    EXPECT_EQ(namesOf(set), (Names{"zap"}));
    captureStdout([&] { set.getList(dir / "one"); });
    EXPECT_EQ(namesOf(set), (Names{"clap"}));
}

TEST(SoundSet, SilentGameLoadsAndPlaysNothing) {
    TempDir dir;
    writeSounds(dir.path(), "SOUNDS: 2\npunch\nmissing\n", {{"punch", 22050}});
    // As the game runs when no audio device would open.
    ChildResult r = runInChild([&] {
        SDL_Quit();
        setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
        SDL_Init(SDL_INIT_AUDIO);
        if (Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 2048) == 0)
            printf("\nDEVICE OPENED\n");
        soundSet set;
        set.getList(dir.path());
        set.addToList(dir.path());
        set.Play("punch", -1);
        set.Play("missing", -1);
        if (set.soundCount != 2 || set.returnSound("punch"))
            printf("\nUNEXPECTED SET\n");
    });
    EXPECT_EQ(r.exitCode, 0) << r.output;
    for (const char* bad : {"\nDEVICE OPENED", "\nUNEXPECTED SET", "Loaded myfile.wav"})
        EXPECT_EQ(r.output.find(bad), std::string::npos) << r.output;
}

namespace {

// Plays shipped sounds of a character (none for silence) together into SDL's disk audio
// driver, opened as the game opens the mixer, and returns the 16-bit samples the device
// was handed.
std::vector<int16_t> recordShippedSounds(const std::string& character,
                                         const std::vector<std::string>& names) {
    TempDir dir;
    const std::string file = dir / "device.raw";
    ChildResult r = runInChild([&] {
        SDL_Quit();
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
        if (SDL_Init(SDL_INIT_AUDIO) < 0 || Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 2048) < 0) {
            printf("\nNO DEVICE %s\n", SDL_GetError());
            return;
        }
        {
            soundSet set;
            set.getList(BRAWLER_SOURCE_DIR "/data/soundSet");
            set.addToList(BRAWLER_SOURCE_DIR "/data/" + character + "/sound");
            for (const std::string& name : names)
                set.Play(name, -1);
            // The disk device runs in real time: wait out the sound, bounded, and a few
            // buffers more so that its end is written.
            for (int waited = 0; waited < 3000 && Mix_Playing(-1); waited += 20)
                SDL_Delay(20);
            SDL_Delay(300);
        }
        Mix_CloseAudio();
        SDL_Quit();
    });
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(r.output.find("\nNO DEVICE"), std::string::npos) << r.output;
    EXPECT_EQ(r.output.find("Could not load"), std::string::npos) << r.output;
    std::string bytes = readFile(file);
    std::vector<int16_t> samples(bytes.size() / 2);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int16_t>(static_cast<uint8_t>(bytes[2 * i]) |
                                          static_cast<uint8_t>(bytes[2 * i + 1]) << 8);
    return samples;
}

int loudest(const std::vector<int16_t>& samples) {
    int peak = 0;
    for (int16_t s : samples)
        peak = std::max(peak, std::abs(static_cast<int>(s)));
    return peak;
}

// The names of a character's own sounds, loudest sample first.
std::vector<std::string> loudestFirst(const std::string& character) {
    const std::string folder = BRAWLER_SOURCE_DIR "/data/" + character + "/sound";
    std::vector<std::pair<int, std::string>> peaks;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".wav")
            continue;
        // 16-bit mono samples after the 44-byte header the generator writes.
        const std::string bytes = readFile(entry.path().string());
        std::vector<int16_t> samples((bytes.size() - 44) / 2);
        std::memcpy(samples.data(), bytes.data() + 44, samples.size() * 2);
        peaks.push_back({-loudest(samples), entry.path().stem().string()});
    }
    std::sort(peaks.begin(), peaks.end());
    std::vector<std::string> names;
    for (const auto& p : peaks)
        names.push_back(p.second);
    return names;
}

} // namespace

TEST(SoundSetDevice, APlayedSoundReachesTheDeviceAndSilenceStaysSilent) {
    std::vector<int16_t> played = recordShippedSounds("Brawler", {"whoosh"});
    ASSERT_FALSE(played.empty());
    EXPECT_GT(loudest(played), 1000);
    std::vector<int16_t> quiet = recordShippedSounds("Brawler", {});
    ASSERT_FALSE(quiet.empty()) << "the device wrote nothing, so silence proves nothing";
    EXPECT_EQ(loudest(quiet), 0);
}

// Sounds are made at -6 dBFS so that two at once never clip: each character's two
// loudest, started together, reach the device without a sample at full scale.
TEST(SoundSetDevice, TheTwoLoudestSoundsOfACharacterTogetherDoNotClip) {
    for (const char* character : {"Brawler", "Basalt"}) {
        std::vector<std::string> names = loudestFirst(character);
        ASSERT_GE(names.size(), 2u) << character;
        names.resize(2);
        std::vector<int16_t> mixed = recordShippedSounds(character, names);
        EXPECT_GT(loudest(mixed), 8000) << character << ": the sounds were not heard";
        EXPECT_LT(loudest(mixed), 32767) << character << " " << names[0] << " + " << names[1];
    }
}
