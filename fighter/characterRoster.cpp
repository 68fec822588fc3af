#include "fighter/characterRoster.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// Whether anything stands at the path: a file, a folder, or a link even when it leads
// nowhere. A character with a broken list is still that character, and start-up says
// what is wrong with it.
bool present(const fs::path& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

} // namespace

std::vector<std::string> listCharacters(const std::string& dataRoot) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(dataRoot, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& folder = it->path();
        if (present(folder / "info") && present(folder / "moveset"))
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
