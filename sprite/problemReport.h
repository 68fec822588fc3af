#pragma once

#include <string>

// Prints one line that tells the person running the game what is wrong and, where it
// helps, what to do. These lines go to standard error and start with "brawler: ", so
// they stand out from the running trace on standard output (send that to a file and
// only they stay on the terminal). Standard output is flushed first, so that in a
// combined capture the line follows the trace that led to it.
void reportProblem(const std::string& text);
