#include "sprite/textLine.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace textline {

bool readLine(FILE* f, std::string& text, int& lineNumber) {
    char buffer[kLineBuffer];
    if (!f || !fgets(buffer, sizeof buffer, f)) {
        text.clear();
        return false;
    }
    text.assign(buffer);
    ++lineNumber;
    return true;
}

bool isSkippable(const std::string& text) {
    return text.empty() || text[0] == '#' || text[0] == '\r' || text[0] == '\n';
}

std::vector<std::string> words(const std::string& text, size_t maxWords) {
    std::vector<std::string> out;
    size_t i = 0;
    while (out.size() < maxWords) {
        while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
            ++i;
        if (i >= text.size())
            break;
        size_t start = i;
        while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i])))
            ++i;
        out.push_back(text.substr(start, i - start));
    }
    return out;
}

std::string firstWord(const std::string& text, size_t maxLength) {
    std::vector<std::string> w = words(text, 1);
    if (w.empty())
        return std::string();
    return w[0].substr(0, maxLength);
}

int scanInts(const char* text, const std::vector<int*>& targets) {
    int parsed = 0;
    const char* p = text;
    for (int* target : targets) {
        if (!p)
            break;
        char* end = nullptr;
        errno = 0;
        long value = std::strtol(p, &end, 10);
        if (end == p)
            break;
        if (value > kNumberLimit)
            value = kNumberLimit;
        if (value < -kNumberLimit)
            value = -kNumberLimit;
        *target = static_cast<int>(value);
        ++parsed;
        p = end;
    }
    return parsed;
}

int scanInts(const std::string& text, const std::vector<int*>& targets) {
    return scanInts(text.c_str(), targets);
}

const char* afterPrefix(const std::string& text, const char* prefix) {
    size_t n = std::strlen(prefix);
    if (text.compare(0, n, prefix) != 0)
        return nullptr;
    return text.c_str() + n;
}

FILE* openDescription(const std::string& path) {
    FILE* f = fopen(path.c_str(), "r");
    if (!f)
        printf("ERROR opening file %s\n\n", path.c_str());
    return f;
}

int headerCount(const std::string& line, const char* prefix, int fallback) {
    int count = fallback;
    if (const char* rest = afterPrefix(line, prefix))
        scanInts(rest, {&count});
    return count;
}

std::string withoutLineEnd(const std::string& text) {
    size_t end = text.size();
    while (end > 0 && (text[end - 1] == '\n' || text[end - 1] == '\r'))
        --end;
    return text.substr(0, end);
}

} // namespace textline
