#pragma once

#include <string>

// The largest frame side the game takes, in pixels. Every frame is kept twice (as drawn
// and mirrored) in 32 bits for the whole run; nothing on an 800x600 stage needs more,
// and a 5000x5000 image alone would hold 200 MB.
constexpr int kMaxFrameSide = 4096;

// Why a frame of w x h pixels is refused ("is 0x0 pixels; ..."), or empty when the size
// is fine.
std::string frameSizeProblem(long long w, long long h);
// frameSizeProblem for the BMP file at path, judged from its header alone (before
// anything is decoded); empty when the file cannot be read or is not a BMP.
std::string bmpFileSizeProblem(const std::string& path);
