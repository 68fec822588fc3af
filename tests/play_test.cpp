#include <string>

#include <gtest/gtest.h>

#include "tests/testSupport.h"

using namespace testsupport;

// The real play script, run on a stand-in project whose "game" is a few lines: a build
// that fails shows its errors and starts nothing; one that works says nothing of
// itself and hands over to the game with its arguments and exit code.
TEST(PlayScript, ShowsTheBuildErrorsAndIsQuietWhenTheBuildWorks) {
    TempDir root;
    const std::string src = BRAWLER_SOURCE_DIR;
    ChildResult copy = runCommand("mkdir -p '" + root / "scripts" + "' && cp '" + src + "/play' '" +
                                  root.path() + "/' && cp '" + src + "/scripts/setup.sh' '" + src +
                                  "/scripts/build.sh' '" + root / "scripts" + "/'");
    ASSERT_EQ(0, copy.exitCode) << copy.output;
    writeFile(root / "CMakeLists.txt", "cmake_minimum_required(VERSION 3.18)\n"
                                       "project(standIn CXX)\n"
                                       "add_executable(brawler main.cpp)\n");

    writeFile(root / "main.cpp", "int main() { return notDeclaredAnywhere; }\n");
    // The C locale keeps the compiler's quotes plain.
    ChildResult r = runCommand("LC_ALL=C '" + root / "play" + "'");
    EXPECT_EQ(1, r.exitCode) << r.output;
    EXPECT_NE(std::string::npos, r.output.find("error: 'notDeclaredAnywhere' was not declared"))
        << r.output;
    EXPECT_NE(std::string::npos,
              r.output.find("play: the build failed (its output is above); the game was not "
                            "started."))
        << r.output;

    writeFile(root / "main.cpp",
              "#include <cstdio>\n"
              "int main(int argc, char** argv) {\n"
              "    std::printf(\"stand-in game %s\\n\", argc > 1 ? argv[1] : \"\");\n"
              "    return 3;\n"
              "}\n");
    r = runCommand("'" + root / "play" + "' round");
    EXPECT_EQ(3, r.exitCode) << r.output;
    EXPECT_EQ("stand-in game round\n", r.output);
}

// The floors script on a stand-in repository: a game folder that reaches up into the
// tools, or a tool into the tests, fails with the line at fault; the tests, benchmarks
// and fuzz targets may include anything.
TEST(LayersScript, NothingBelowReachesUpIntoToolsOrTests) {
    TempDir root;
    ChildResult copy =
        runCommand("mkdir -p '" + root / "scripts" + "' && cp '" + BRAWLER_SOURCE_DIR +
                   "/scripts/check-layers.sh' '" + root / "scripts" + "/'");
    ASSERT_EQ(0, copy.exitCode) << copy.output;
    writeFile(root / "shell/game.cpp",
              "#include \"shell/game.h\"\n#include \"tools/runner/x.h\"\n");
    writeFile(root / "tools/runner/x.h", "#include \"shell/game.h\"\n#include \"tests/y.h\"\n");
    writeFile(root / "fuzz/f.cpp", "#include \"tests/y.h\"\n#include \"bench/b.h\"\n");
    writeFile(root / "tests/y.h", "#include \"tools/runner/x.h\"\n#include \"fuzz/f.h\"\n");
    ChildResult r = runCommand("cd '" + root.path() +
                               "' && git init -q && git add . && scripts/check-layers.sh");
    EXPECT_EQ(1, r.exitCode) << r.output;
    EXPECT_EQ("shell/game.cpp:2: includes \"tools/runner/x.h\" from a higher floor (tools is above "
              "shell)\n"
              "tools/runner/x.h:2: includes \"tests/y.h\" from a higher floor (tests is above "
              "tools)\n",
              r.output);
}
