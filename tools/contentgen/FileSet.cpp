#include "tools/contentgen/FileSet.h"

#include <filesystem>
#include <fstream>

namespace contentgen {

namespace fs = std::filesystem;

void FileSet::addText(const std::string& path, const std::string& text) {
    files_[path] = std::vector<uint8_t>(text.begin(), text.end());
}

void FileSet::addBytes(const std::string& path, std::vector<uint8_t> bytes) {
    files_[path] = std::move(bytes);
}

bool FileSet::writeTo(const std::string& root, std::string& error) const {
    for (const auto& [path, bytes] : files_) {
        const fs::path full = fs::path(root) / path;
        std::error_code ec;
        fs::create_directories(full.parent_path(), ec);
        if (ec) {
            error = "cannot create folder " + full.parent_path().string() + ": " + ec.message();
            return false;
        }
        std::ofstream out(full, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            error = "cannot write " + full.string();
            return false;
        }
    }
    return true;
}

} // namespace contentgen
