#include "fighter/characterRoster.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

std::vector<std::string> listCharacters(const std::string& dataRoot) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(dataRoot, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& folder = it->path();
        if (fs::is_regular_file(folder / "info", ec) && fs::is_regular_file(folder / "moveset", ec))
            names.push_back(folder.filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string joinNames(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& n : names)
        text += (text.empty() ? "" : ", ") + n;
    return text;
}
