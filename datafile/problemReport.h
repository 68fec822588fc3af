#pragma once

#include <string>

// Prints one line that tells the person running the game what is wrong and, where it
// helps, what to do. These lines go to standard error and start with "brawler: ", so
// they stand out from the running trace on standard output (send that to a file and
// only they stay on the terminal). Standard output is flushed first, so that in a
// combined capture the line follows the trace that led to it.
void reportProblem(const std::string& text);

// A problem in a data file that the game plays on through, as
// "warning: <path>:<line>: <text>" (no ":<line>" for line 0). Only the first problem of
// each file is printed: a broken file tends to break every line after the first, and
// brawler-check lists them all.
void reportFileProblem(const std::string& path, int line, const std::string& text);
