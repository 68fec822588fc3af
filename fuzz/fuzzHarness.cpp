#include "fuzz/fuzzHarness.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "SDL.h"
#include "SDL_mixer.h"

namespace fs = std::filesystem;

namespace fuzzharness {

namespace {

// The smallest shipped frame: quick sheets use it for every image they name.
constexpr const char* kSmallFrame = "particle/spark/spark_0.bmp";

std::string& scratchPath() {
    static std::string path;
    return path;
}

void removeScratch() {
    std::error_code ec;
    if (!scratchPath().empty())
        fs::remove_all(scratchPath(), ec);
}

// The image name of every frame block of a sheet's info: the first word of each line
// that ends in ".bmp". Enough for the shipped sheets, which are all the target copies.
void copyNamedImages(const fs::path& info, const fs::path& folder) {
    std::ifstream in(info);
    std::string line;
    while (std::getline(in, line)) {
        std::string word = line.substr(0, line.find_first_of(" \t\r"));
        if (word.size() > 4 && word.compare(word.size() - 4, 4, ".bmp") == 0)
            fs::copy_file(fs::path(shippedData()) / kSmallFrame, folder / word,
                          fs::copy_options::overwrite_existing);
    }
}

} // namespace

void start() {
    // The loaders print hundreds of lines per input; writing them would be most of the
    // time spent. libFuzzer and the sanitizers write to standard error, which stays.
    if (!freopen("/dev/null", "w", stdout))
        perror("fuzz: cannot silence standard output");
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_AUDIO) != 0 ||
        !SDL_SetVideoMode(800, 600, 32, SDL_HWPALETTE)) {
        fprintf(stderr, "fuzz: SDL does not start: %s\n", SDL_GetError());
        exit(1);
    }
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0)
        fprintf(stderr, "fuzz: no audio device, sounds are not decoded: %s\n", Mix_GetError());
    // The device's mixing thread must stop before the process tears down what it calls:
    // left running, it once jumped through a freed pointer as a target ended.
    atexit([] { Mix_CloseAudio(); });

    const char* tmp = getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/brawler-fuzz-XXXXXX";
    if (!mkdtemp(pattern.data())) {
        perror("fuzz: cannot make a scratch folder");
        exit(1);
    }
    scratchPath() = pattern;
    atexit(removeScratch);
}

const std::string& scratch() {
    return scratchPath();
}

std::string shippedData() {
    return std::string(BRAWLER_SOURCE_DIR) + "/data";
}

void copyShipped(const std::string& from, const std::string& to) {
    fs::path target(to);
    if (target.has_parent_path())
        fs::create_directories(target.parent_path());
    fs::copy(fs::path(shippedData()) / from, target,
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

void writeFile(const std::string& path, const uint8_t* data, size_t size) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) {
        perror(path.c_str());
        abort();
    }
    if (size > 0 && fwrite(data, 1, size, f) != size)
        perror(path.c_str());
    fclose(f);
}

void writeText(const std::string& path, const std::string& text) {
    writeFile(path, reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

void makeQuickSheet(const std::string& shippedSheet, const std::string& folder) {
    fs::create_directories(folder);
    fs::path info = fs::path(shippedData()) / shippedSheet / "info";
    fs::copy_file(info, fs::path(folder) / "info", fs::copy_options::overwrite_existing);
    copyNamedImages(info, folder);
}

void makeQuickCharacter(const std::string& folder) {
    fs::path character = fs::path(shippedData()) / "Brawler";
    fs::create_directories(folder);
    for (const fs::directory_entry& e : fs::directory_iterator(character)) {
        fs::path name = e.path().filename();
        if (e.is_directory() && fs::exists(e.path() / "info"))
            makeQuickSheet("Brawler/" + name.string(), (fs::path(folder) / name).string());
        else
            fs::copy(e.path(), fs::path(folder) / name,
                     fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    }
}

void shrinkFrames(const std::string& root, const std::string& keep) {
    fs::path stage = fs::path(root) / "tBG2.bmp";
    fs::path kept = fs::path(root) / keep;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        const fs::path& p = e.path();
        if (e.is_regular_file() && p.extension() == ".bmp" && p != stage && p != kept)
            fs::copy_file(fs::path(shippedData()) / kSmallFrame, p,
                          fs::copy_options::overwrite_existing);
    }
}

} // namespace fuzzharness
