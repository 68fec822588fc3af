#include "config/replayPlace.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string environment(const char* name) {
    const char* value = getenv(name);
    return value ? value : "";
}

} // namespace

std::string xdgGameFolder(const char* variable, const char* underHome) {
    std::string base = environment(variable);
    if (base.empty()) {
        std::string home = environment("HOME");
        if (home.empty())
            return "";
        base = home + "/" + underHome;
    }
    return base + "/brawler";
}

std::string replayFolder() {
    std::string folder = xdgGameFolder("XDG_DATA_HOME", ".local/share");
    return folder.empty() ? "" : folder + "/replays";
}

std::string newReplayPath(const std::string& folder, const std::string& player,
                          const std::string& opponent) {
    std::error_code ec;
    if (folder.empty() || (!fs::create_directories(folder, ec) && ec))
        return "";
    time_t now = time(nullptr);
    struct tm local {};
    localtime_r(&now, &local);
    char stamp[32];
    strftime(stamp, sizeof stamp, "%Y-%m-%d_%H-%M-%S", &local);
    std::string stem = folder + "/" + stamp + "_" + player + "-vs-" + opponent;
    // Two matches within a second keep both.
    std::string path = stem + ".replay";
    for (int n = 2; fs::exists(path, ec) && n < 100; ++n)
        path = stem + "-" + std::to_string(n) + ".replay";
    return path;
}

namespace {

std::vector<fs::path> replaysIn(const std::string& folder) {
    std::error_code ec;
    std::vector<fs::path> replays;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->path().extension() == ".replay")
            replays.push_back(it->path());
    std::sort(replays.begin(), replays.end());
    return replays;
}

} // namespace

void keepNewestReplays(const std::string& folder, size_t keep) {
    std::vector<fs::path> replays = replaysIn(folder);
    std::error_code ec;
    for (size_t i = 0; i + keep < replays.size(); ++i)
        fs::remove(replays[i], ec);
}

std::vector<std::string> listReplays(const std::string& folder) {
    std::vector<fs::path> replays = replaysIn(folder);
    return std::vector<std::string>(replays.rbegin(), replays.rend());
}
