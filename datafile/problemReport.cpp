#include "datafile/problemReport.h"

#include <cstdio>
#include <set>

void reportProblem(const std::string& text) {
    fflush(stdout);
    fprintf(stderr, "brawler: %s\n", text.c_str());
}

void reportFileProblem(const std::string& path, int line, const std::string& text) {
    // Files already named this run; the game loads each file once, so this stays small.
    static std::set<std::string> named;
    if (!named.insert(path).second)
        return;
    std::string where = line > 0 ? path + ":" + std::to_string(line) : path;
    reportProblem("warning: " + where + ": " + text);
}
