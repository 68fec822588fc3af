// brawler-check: reports every problem of a data folder; see checkerApp.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/checker/checkerApp.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string output;
    int code = checkerApp().run(args, output);
    fputs(output.c_str(), stdout);
    return code;
}
