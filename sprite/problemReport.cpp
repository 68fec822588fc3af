#include "sprite/problemReport.h"

#include <cstdio>

void reportProblem(const std::string& text) {
    fflush(stdout);
    fprintf(stderr, "brawler: %s\n", text.c_str());
}
