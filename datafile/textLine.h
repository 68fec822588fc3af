#pragma once

#include <cstdio>
#include <string>
#include <vector>

class loadReport;

// Helpers shared by the text loaders. Every description file is read a line at a time
// into a 255-byte buffer and parsed by position; a number that does not parse leaves
// its field as it was.
namespace textline {

constexpr int kLineBuffer = 255;
// Numbers read from description files are kept within plus or minus this: no frame,
// move or count is meaningful beyond it, and sums of a few such numbers (a position
// plus a box edge minus an anchor) then always fit in an int.
constexpr int kNumberLimit = 1000000;

// Reads the next line (at most 254 characters, line end included) and counts it.
// At the end of the file the text is empty and the result false.
bool readLine(FILE* f, std::string& text, int& lineNumber);
// True for the lines a sheet skips between frame blocks: '#', CR, LF or empty.
bool isSkippable(const std::string& text);
// The first whitespace-separated word, cut to at most maxLength characters.
std::string firstWord(const std::string& text, size_t maxLength = std::string::npos);
// Up to maxWords whitespace-separated words.
std::vector<std::string> words(const std::string& text, size_t maxWords);
// Parses whitespace-separated integers into the targets in order, stopping at the
// first that does not parse (that one and the rest keep their values). Numbers beyond
// kNumberLimit are clamped to it. Returns how many were parsed.
int scanInts(const char* text, const std::vector<int*>& targets);
int scanInts(const std::string& text, const std::vector<int*>& targets);
// The text after a literal prefix such as "FILES:", or null when it does not start so.
const char* afterPrefix(const std::string& text, const char* prefix);
// Opens a description file for reading as text; when it cannot be opened prints
// "ERROR opening file <path>" and an empty line, and returns null.
FILE* openDescription(const std::string& path);
// 0 when `path` opens as a file for reading, else why not as an errno value: EISDIR for
// a folder, ENOENT when nothing is there.
int openFailure(const std::string& path);
// The count of a header line such as "FILES: 3" (the prefix, then a number), or
// `fallback` when the line does not have that shape.
int headerCount(const std::string& line, const char* prefix, int fallback);
// The text without the white space at either end.
std::string trimmed(const std::string& text);
// Text from a file as a warning quotes it, in double quotes, with control bytes as '?'
// so that they cannot garble the terminal.
std::string quoted(const std::string& text);
// The line without its trailing CR/LF characters.
std::string withoutLineEnd(const std::string& text);
// What follows the first number of `text`, without the blanks and line end around it;
// empty when nothing follows or `text` does not start with a number. `value` gets that
// number as scanInts reads it.
std::string afterFirstNumber(const char* text, int& value);

// The same reads with a report for the data checker. Each behaves exactly as its
// plain form and, when `report` is not null, records in it what it noticed about
// line `lineNumber` of the file `path`. With a null report (the game) the problem goes
// to standard error instead, as a "brawler: warning:" line, the first one of each file.

// Records a problem in the report, or for the game on standard error as above.
void note(loadReport* report, bool error, const std::string& path, int lineNumber,
          const std::string& message);

// readLine, noting a line cut at the buffer (254 characters without its line end: the
// rest is read as the next line) and CR LF line ends (once per file).
bool readLine(FILE* f, std::string& text, int& lineNumber, loadReport* report,
              const std::string& path);
// openDescription, noting a file that cannot be opened and whether its folder exists.
FILE* openDescription(const std::string& path, loadReport* report);
// firstWord, noting a word longer than maxLength (it is cut); `what` names the field.
std::string firstWord(const std::string& text, size_t maxLength, loadReport* report,
                      const std::string& path, int lineNumber, const std::string& what);
// Reads a description file's first line, notes it when it is not `prefix` followed by a
// number, and returns that number (`fallback` when there is none). `line` keeps the text.
int readHeader(FILE* f, std::string& line, int& lineNumber, const char* prefix, int fallback,
               loadReport* report, const std::string& path);
// Notes a header line that is not `prefix` followed by a number, whose count is below 0,
// or that holds more after its count.
void checkHeader(const std::string& line, const char* prefix, loadReport* report,
                 const std::string& path, int lineNumber);
// Notes a line on which fewer than `wanted` numbers parsed (`parsed` is what scanInts
// returned); `what` names the numbers.
void checkNumbers(int parsed, int wanted, loadReport* report, const std::string& path,
                  int lineNumber, const std::string& what);
// Notes a line meant to hold one number on which something follows that number ("3O",
// "30.5", "30 40"): the game reads the number and ignores the rest. A line that does
// not start with a number is checkNumbers' to note.
void checkLoneNumber(const std::string& line, loadReport* report, const std::string& path,
                     int lineNumber, const std::string& what);
// Notes a count (announced on line `lineNumber`) larger than the blocks the file holds.
void checkCount(int announced, int present, loadReport* report, const std::string& path,
                int lineNumber, const std::string& what);

} // namespace textline
