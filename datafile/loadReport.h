#pragma once

#include <string>
#include <vector>

// One problem found while reading a data file.
struct loadProblem {
    std::string path;    // file (or folder) at fault, as the loader opened it
    int line = 0;        // 1-based line of that file; 0 for the file as a whole
    bool error = true;   // true: breaks the game or the data; false: a warning
    std::string message; // "what is wrong — how to fix it"
};

// Collects what the loaders find wrong while they read, so the data checker can list
// every problem with its file and line. The game gives its loaders no report (a null
// pointer), so loading there behaves and traces exactly as without one.
class loadReport {
public:
    void error(const std::string& path, int line, const std::string& message);
    void warning(const std::string& path, int line, const std::string& message);
    // A warning recorded only once per file (CR LF line ends show on every line).
    void warningOncePerFile(const std::string& path, int line, const std::string& message);

    const std::vector<loadProblem>& problems() const { return problems_; }
    int errorCount() const;
    int warningCount() const;
    // Every problem as "path:line: error: message" (no ":line" for line 0), sorted by
    // path and line, in the order found within one line.
    std::vector<std::string> sortedLines() const;

private:
    void add(const loadProblem& problem);

    std::vector<loadProblem> problems_;
};
