#include "sprite/textLine.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "sprite/loadReport.h"

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

bool readLine(FILE* f, std::string& text, int& lineNumber, loadReport* report,
              const std::string& path) {
    if (!readLine(f, text, lineNumber))
        return false;
    if (!report)
        return true;
    // A full buffer without a line end means the line went on: the game reads its
    // rest as the next line, and every line after it shifts by one.
    if (text.size() == static_cast<size_t>(kLineBuffer - 1) && text.back() != '\n') {
        int next = fgetc(f);
        if (next != EOF) {
            ungetc(next, f);
            report->error(path, lineNumber,
                          "line longer than 254 characters; the game reads the rest as the next "
                          "line — shorten it or split it");
        }
    }
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0)
        report->warningOncePerFile(path, lineNumber,
                                   "CR LF line ends (first here) — save the file with LF "
                                   "line ends");
    return true;
}

FILE* openDescription(const std::string& path, loadReport* report) {
    FILE* f = openDescription(path);
    if (f || !report)
        return f;
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path folder = fs::path(path).parent_path();
    if (fs::exists(path, ec))
        report->error(path, 0, "cannot open the file — make it readable");
    else if (!folder.empty() && !fs::is_directory(folder, ec))
        report->error(path, 0,
                      "missing folder " + folder.string() +
                          " — create it with its files, or fix the name that points here");
    else
        report->error(path, 0, "missing file — create it, or fix the name that points here");
    return nullptr;
}

std::string firstWord(const std::string& text, size_t maxLength, loadReport* report,
                      const std::string& path, int lineNumber, const std::string& what) {
    std::string whole = firstWord(text);
    if (report && whole.size() > maxLength)
        report->warning(path, lineNumber,
                        what + " \"" + whole + "\" is longer than " + std::to_string(maxLength) +
                            " characters and is cut — shorten it");
    return whole.substr(0, maxLength);
}

int readHeader(FILE* f, std::string& line, int& lineNumber, const char* prefix, int fallback,
               loadReport* report, const std::string& path) {
    readLine(f, line, lineNumber, report, path);
    checkHeader(line, prefix, report, path, lineNumber);
    return headerCount(line, prefix, fallback);
}

void checkHeader(const std::string& line, const char* prefix, loadReport* report,
                 const std::string& path, int lineNumber) {
    if (!report)
        return;
    const char* rest = afterPrefix(line, prefix);
    int count = 0;
    if (!rest || scanInts(rest, {&count}) != 1)
        report->error(path, lineNumber,
                      "expected the header \"" + std::string(prefix) + " <count>\", found \"" +
                          withoutLineEnd(line) + "\" — start the line with " + prefix +
                          " and the number that follows");
}

void checkNumbers(int parsed, int wanted, loadReport* report, const std::string& path,
                  int lineNumber, const std::string& what) {
    if (!report || parsed >= wanted)
        return;
    report->error(path, lineNumber,
                  "expected " + std::to_string(wanted) + (wanted == 1 ? " number" : " numbers") +
                      " (" + what + "), " + std::to_string(parsed) +
                      " parsed; the rest keep their old values — write whole numbers "
                      "separated by spaces");
}

void checkCount(int announced, int present, loadReport* report, const std::string& path,
                int lineNumber, const std::string& what) {
    if (!report || present >= announced)
        return;
    report->error(path, lineNumber,
                  "the count says " + std::to_string(announced) + " " + what +
                      " but the file holds " + std::to_string(present) +
                      " — lower the count or add the missing lines");
}

} // namespace textline
