#include "datafile/textLine.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <vector>

#include "datafile/loadReport.h"
#include "datafile/problemReport.h"

namespace textline {

namespace {

// A file whose lines end in a lone CR (old Mac style) and never in LF would be read
// as one long line. When `f` is such a file (judged from its first 64 KB), returns a
// temporary copy with every CR turned into LF (the copy goes with fclose) and closes
// `f`; otherwise rewinds `f` and returns it. Memory stays at one chunk whatever the
// file's size.
FILE* withLineFeeds(FILE* f, bool* converted) {
    *converted = false;
    std::vector<char> chunk(64 * 1024);
    size_t n = fread(chunk.data(), 1, chunk.size(), f);
    auto has = [&](char c) {
        return std::find(chunk.begin(), chunk.begin() + n, c) != chunk.begin() + n;
    };
    FILE* copy = has('\n') || !has('\r') ? nullptr : tmpfile();
    if (!copy) {
        rewind(f);
        return f;
    }
    do {
        std::replace(chunk.begin(), chunk.begin() + n, '\r', '\n');
        fwrite(chunk.data(), 1, n, copy);
    } while ((n = fread(chunk.data(), 1, chunk.size(), f)) > 0);
    rewind(copy);
    fclose(f);
    *converted = true;
    return copy;
}

// fopen, refusing a folder: the C library opens one for reading, and every read of it
// then fails, so a folder would pass for an empty file. On failure `error` holds the
// reason (EISDIR for a folder).
FILE* openFile(const std::string& path, int* error) {
    FILE* f = fopen(path.c_str(), "r");
    *error = f ? 0 : errno;
    struct stat info {};
    if (f && fstat(fileno(f), &info) == 0 && S_ISDIR(info.st_mode)) {
        fclose(f);
        f = nullptr;
        *error = EISDIR;
    }
    return f;
}

FILE* openText(const std::string& path, bool* converted, int* error) {
    *converted = false;
    FILE* f = openFile(path, error);
    if (!f) {
        printf("ERROR opening file %s\n\n", path.c_str());
        return nullptr;
    }
    return withLineFeeds(f, converted);
}

} // namespace

void note(loadReport* report, bool error, const std::string& path, int lineNumber,
          const std::string& message) {
    if (!report)
        reportFileProblem(path, lineNumber, message);
    else if (error)
        report->error(path, lineNumber, message);
    else
        report->warning(path, lineNumber, message);
}

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
    bool converted = false;
    int error = 0;
    return openText(path, &converted, &error);
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

std::string afterFirstNumber(const char* text, int& value) {
    char* end = nullptr;
    std::strtol(text, &end, 10);
    if (end == text || scanInts(text, {&value}) != 1)
        return std::string();
    const char* first = end;
    while (*first && std::isspace(static_cast<unsigned char>(*first)))
        ++first;
    const char* last = first + std::strlen(first);
    while (last > first && std::isspace(static_cast<unsigned char>(last[-1])))
        --last;
    return std::string(first, last);
}

bool readLine(FILE* f, std::string& text, int& lineNumber, loadReport* report,
              const std::string& path) {
    if (!readLine(f, text, lineNumber))
        return false;
    // A full buffer without a line end means the line went on: the game reads its
    // rest as the next line, and every line after it shifts by one.
    if (text.size() == static_cast<size_t>(kLineBuffer - 1) && text.back() != '\n') {
        int next = fgetc(f);
        if (next != EOF) {
            ungetc(next, f);
            note(report, true, path, lineNumber,
                 "line longer than 254 characters; the game reads the rest as the next "
                 "line — shorten it or split it");
        }
    }
    if (!report)
        return true;
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0)
        report->warningOncePerFile(path, lineNumber,
                                   "CR LF line ends (first here) — save the file with LF "
                                   "line ends");
    return true;
}

int openFailure(const std::string& path) {
    int error = 0;
    if (FILE* f = openFile(path, &error))
        fclose(f);
    return error;
}

FILE* openDescription(const std::string& path, loadReport* report) {
    bool converted = false;
    int error = 0;
    FILE* f = openText(path, &converted, &error);
    // The game reads such a file right; only the checker mentions it.
    if (converted && report)
        report->warning(path, 1,
                        "lone CR line ends; read as line ends — save the file with LF line ends");
    if (f)
        return f;
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path folder = fs::path(path).parent_path();
    if (error == EISDIR)
        note(report, true, path, 0,
             "a folder, not a file — put the file in its place, or fix the name that points here");
    else if (error == ELOOP)
        note(report, true, path, 0,
             std::string("cannot open the file (") + strerror(error) +
                 ") — a link on the way leads back to itself; point it at the file, or put "
                 "the file in its place");
    else if (error != ENOENT && error != ENOTDIR)
        note(report, true, path, 0,
             std::string("cannot open the file (") + strerror(error) + ") — make it readable");
    else if (!folder.empty() && !fs::is_directory(folder, ec))
        note(report, true, path, 0,
             "missing folder " + folder.string() +
                 " — create it with its files, or fix the name that points here");
    else
        note(report, true, path, 0, "missing file — create it, or fix the name that points here");
    return nullptr;
}

std::string firstWord(const std::string& text, size_t maxLength, loadReport* report,
                      const std::string& path, int lineNumber, const std::string& what) {
    std::string whole = firstWord(text);
    if (whole.size() > maxLength)
        note(report, false, path, lineNumber,
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
    const char* rest = afterPrefix(line, prefix);
    int count = 0;
    if (!rest || scanInts(rest, {&count}) != 1)
        note(report, true, path, lineNumber,
             "expected the header \"" + std::string(prefix) + " <count>\", found \"" +
                 withoutLineEnd(line) + "\"; read as no entries — start the line with " + prefix +
                 " and the number that follows");
    else if (count < 0)
        note(report, true, path, lineNumber,
             "the count " + std::to_string(count) +
                 " is below 0; read as no entries — write how many entries follow");
    else if (!afterFirstNumber(rest, count).empty())
        note(report, true, path, lineNumber,
             "expected the header \"" + std::string(prefix) + " <count>\", found \"" +
                 withoutLineEnd(line) + "\"; the game reads the count " + std::to_string(count) +
                 " and ignores what follows it — write the count alone after " + prefix);
}

void checkLoneNumber(const std::string& line, loadReport* report, const std::string& path,
                     int lineNumber, const std::string& what) {
    int value = 0;
    if (afterFirstNumber(line.c_str(), value).empty())
        return;
    note(report, true, path, lineNumber,
         "expected 1 number (" + what + "), found \"" + withoutLineEnd(line) +
             "\"; the game reads " + std::to_string(value) +
             " and ignores what follows it — write one whole number alone on the line");
}

void checkNumbers(int parsed, int wanted, loadReport* report, const std::string& path,
                  int lineNumber, const std::string& what) {
    if (parsed >= wanted)
        return;
    note(report, true, path, lineNumber,
         "expected " + std::to_string(wanted) + (wanted == 1 ? " number" : " numbers") + " (" +
             what + "), " + std::to_string(parsed) +
             " parsed; the rest keep their old values — write whole numbers separated by spaces");
}

void checkCount(int announced, int present, loadReport* report, const std::string& path,
                int lineNumber, const std::string& what) {
    if (present >= announced)
        return;
    // Counts are read clamped to kNumberLimit; a larger number was written.
    std::string said = std::to_string(announced) + (announced >= kNumberLimit ? " or more" : "");
    note(report, true, path, lineNumber,
         "the count says " + said + " " + what + " but the file holds " + std::to_string(present) +
             " — lower the count or add the missing lines");
}

std::string trimmed(const std::string& text) {
    size_t start = 0, end = text.size();
    while (start < end && std::isspace(static_cast<unsigned char>(text[start])))
        ++start;
    while (end > start && std::isspace(static_cast<unsigned char>(text[end - 1])))
        --end;
    return text.substr(start, end - start);
}

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text)
        out += std::isprint(c) || c >= 0x80 ? static_cast<char>(c) : '?';
    return out + "\"";
}

} // namespace textline
