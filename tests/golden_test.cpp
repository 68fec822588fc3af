// The game's trace against one golden copy: the start-up order and a short scripted
// fight line by line, and a long random fight as a count of each line. Trace lines are
// behaviour; checking them here once spares every other test from restating them.
// BRAWLER_UPDATE_GOLDEN=1 rewrites tests/golden/fight.trace after a deliberate change.
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "tests/testSupport.h"

using namespace testsupport;

namespace {

const std::string kGolden = std::string(BRAWLER_SOURCE_DIR) + "/tests/golden";

// The trace of a script and the runner's summary, less its wall-clock figures.
std::string traceOf(const std::string& script) {
    ChildResult r = runCommand("cd '" + kGolden + "' && '" RUNNER_BINARY "' --trace " + script +
                               " 2>/dev/null");
    EXPECT_EQ(r.exitCode, 0);
    std::string out;
    std::istringstream in(r.output);
    for (std::string line; std::getline(in, line);)
        if (line.rfind("wall time", 0) && line.rfind("passes per second", 0) &&
            line.rfind("us per pass", 0))
            out += line + "\n";
    return out;
}

std::string countedLines(const std::string& trace) {
    std::map<std::string, int> counts;
    std::istringstream in(trace);
    for (std::string line; std::getline(in, line);)
        ++counts[line];
    std::string out;
    for (const auto& [line, n] : counts)
        out += std::to_string(n) + "\t" + line + "\n";
    return out;
}

} // namespace

TEST(GoldenTrace, StartUpAndFightsTraceAsTheyAlwaysHave) {
    const std::string actual = "== scripted.fight, line by line\n" + traceOf("scripted.fight") +
                               "== random.fight, each line counted\n" +
                               countedLines(traceOf("random.fight"));
    const std::string file = kGolden + "/fight.trace";
    if (getenv("BRAWLER_UPDATE_GOLDEN"))
        writeFile(file, actual);
    const std::string golden = readFile(file);
    std::istringstream a(actual), g(golden);
    std::string al, gl;
    int line = 1;
    while (std::getline(a, al) && std::getline(g, gl) && al == gl)
        ++line;
    if (actual == golden)
        return;
    writeFile("/tmp/brawler-fight.trace", actual);
    ADD_FAILURE() << "the trace differs from " << file << " at line " << line
                  << ":\n  golden: " << gl << "\n  now:    " << al
                  << "\n(whole trace in /tmp/brawler-fight.trace; BRAWLER_UPDATE_GOLDEN=1 "
                     "rewrites the golden copy after a deliberate change)";
}
