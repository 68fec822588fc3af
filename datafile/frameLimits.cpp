#include "datafile/frameLimits.h"

#include <cstdio>

#include "datafile/bmpHeader.h"

std::string frameSizeProblem(long long w, long long h) {
    if (w >= 1 && h >= 1 && w <= kMaxFrameSide && h <= kMaxFrameSide)
        return std::string();
    return "is " + std::to_string(w) + "x" + std::to_string(h) + " pixels; a frame must be 1 to " +
           std::to_string(kMaxFrameSide) + " pixels wide and high";
}

std::string bmpFileSizeProblem(const std::string& path) {
    FILE* f = fopen(path.c_str(), "rb");
    if (!f)
        return std::string();
    unsigned char head[26]; // the file header and the sides in either info header
    size_t got = fread(head, 1, sizeof head, f);
    fclose(f);
    long long w = 0;
    long long h = 0;
    if (!bmpheader::claimedSize(head, got, &w, &h))
        return std::string();
    return frameSizeProblem(w, h);
}
