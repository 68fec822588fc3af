#include "datafile/loadReport.h"

#include <algorithm>

void loadReport::add(const loadProblem& problem) {
    // A folder read twice (the shell's fireball sheet is also a particle's) tells the
    // same thing twice; keep it once.
    for (const loadProblem& p : problems_)
        if (p.path == problem.path && p.line == problem.line && p.error == problem.error &&
            p.message == problem.message)
            return;
    problems_.push_back(problem);
}

void loadReport::error(const std::string& path, int line, const std::string& message) {
    add({path, line, true, message});
}

void loadReport::warning(const std::string& path, int line, const std::string& message) {
    add({path, line, false, message});
}

void loadReport::warningOncePerFile(const std::string& path, int line, const std::string& message) {
    for (const loadProblem& p : problems_)
        if (p.path == path && p.message == message)
            return;
    warning(path, line, message);
}

int loadReport::errorCount() const {
    return static_cast<int>(std::count_if(problems_.begin(), problems_.end(),
                                          [](const loadProblem& p) { return p.error; }));
}

int loadReport::warningCount() const {
    return static_cast<int>(problems_.size()) - errorCount();
}

std::vector<std::string> loadReport::sortedLines() const {
    std::vector<loadProblem> sorted = problems_;
    std::stable_sort(sorted.begin(), sorted.end(), [](const loadProblem& a, const loadProblem& b) {
        if (a.path != b.path)
            return a.path < b.path;
        return a.line < b.line;
    });
    std::vector<std::string> lines;
    for (const loadProblem& p : sorted) {
        std::string where = p.line > 0 ? p.path + ":" + std::to_string(p.line) : p.path;
        lines.push_back(where + ": " + (p.error ? "error: " : "warning: ") + p.message);
    }
    return lines;
}
