#include <cstdlib>

#include <gtest/gtest.h>

#include "SDL.h"

#if defined(__SANITIZE_ADDRESS__)
// SDL is built without frame pointers, so the fast unwinder stops inside it and a
// leaked surface's stack never reaches the code that made it. The full unwinder
// names our function in the report, and lets suppressions match SDL's own init paths.
extern "C" __attribute__((used, visibility("default"))) const char* __lsan_default_options() {
    return "fast_unwind_on_malloc=0";
}
#endif

// SDL must never reach a real display or sound card from a test, whoever runs it.
int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::GTEST_FLAG(death_test_style) = "threadsafe";
    int result = RUN_ALL_TESTS();
    // Shut SDL down as the game does at exit, so the leak check that follows sees
    // SDL's own state released and only what a test or the game left behind.
    SDL_Quit();
    return result;
}
