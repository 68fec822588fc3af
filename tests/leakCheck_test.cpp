#include <cstdio>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "SDL.h"
#include "SDL_mixer.h"
#include "sprite/CSpriteBase.h"
#include "sprite/flipper.h"
#include "tests/testSupport.h"

// Only the sanitized build checks leaks; there the check must catch what the game
// loads and forgets, whatever tests/lsan.supp lets through as SDL's own.
#if defined(__SANITIZE_ADDRESS__)

#include <sanitizer/lsan_interface.h>

using namespace testsupport;

namespace {

// Loads a frame the way a sheet does, mirrors it and loads a sample, then drops
// every pointer.
void forgetAFrameItsMirrorAndASample() {
    std::string data = std::string(BRAWLER_SOURCE_DIR) + "/data";
    SDL_Surface* frame = loadFromResource(data + "/run", "run_0.bmp");
    SDL_Surface* mirrored = flip_surface(frame);
    Mix_Chunk* sample = Mix_LoadWAV((data + "/soundSet/clack.wav").c_str());
    printf("loaded %d %d %d\n", frame != nullptr, mirrored != nullptr, sample != nullptr);
}

} // namespace

TEST(LeakCheck, SurfacesAndChunksOurCodeForgetsAreReported) {
    ChildResult r = runInChild([] {
        videoScreen();
        SDL_InitSubSystem(SDL_INIT_AUDIO);
        if (Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 2048) < 0)
            printf("no audio: %s\n", SDL_GetError());
        // In a thread that has ended, so no stale copy of a pointer on a live stack
        // or in a register keeps the lost memory reachable.
        std::thread(forgetAFrameItsMirrorAndASample).join();
        __lsan_do_recoverable_leak_check();
    });
    ASSERT_NE(std::string::npos, r.output.find("loaded 1 1 1")) << r.output;
    EXPECT_NE(std::string::npos, r.output.find("LeakSanitizer: detected memory leaks")) << r.output;
    // Each lost object is reported with the call in our code that made it, which needs
    // the full unwinder the test main asks for.
    for (const char* maker : {"loadFromResource", "flip_surface", "Mix_LoadWAV_RW"})
        EXPECT_NE(std::string::npos, r.output.find(maker)) << maker << " not in the report:\n"
                                                           << r.output;
}

#endif
