#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace contentgen {

// The files to write, by path relative to the output root, kept in path order so
// that writing is repeatable.
class FileSet {
public:
    void addText(const std::string& path, const std::string& text);
    void addBytes(const std::string& path, std::vector<uint8_t> bytes);

    const std::map<std::string, std::vector<uint8_t>>& files() const { return files_; }
    // Writes every file below root, creating folders; false with a message on error.
    bool writeTo(const std::string& root, std::string& error) const;

private:
    std::map<std::string, std::vector<uint8_t>> files_;
};

} // namespace contentgen
