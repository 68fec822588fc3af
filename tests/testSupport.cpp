#include "tests/testSupport.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace testsupport {

TempDir::TempDir() {
    std::string tmpl = "/tmp/brawler-test-XXXXXX";
    std::vector<char> buf(tmpl.begin(), tmpl.end());
    buf.push_back('\0');
    if (!mkdtemp(buf.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = buf.data();
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

void makeDirs(const std::string& path) {
    fs::create_directories(path);
}

void copyTree(const std::string& from, const std::string& to) {
    // Hard links where the file system allows: a copy of the 22 MB data folder is made
    // per broken-data case. Every writer here removes a file before writing it, so a
    // change to the copy never reaches the original.
    std::error_code linked;
    fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::create_hard_links, linked);
    if (linked) {
        fs::remove_all(to);
        fs::copy(from, to, fs::copy_options::recursive);
    }
}

void removeForWriting(const std::string& path) {
    std::error_code ec;
    fs::remove(path, ec);
}

void replaceLine(const std::string& path, int line, const std::string& text) {
    std::string all = readFile(path);
    size_t start = 0;
    for (int i = 1; i < line; ++i) {
        start = all.find('\n', start);
        if (start == std::string::npos)
            throw std::runtime_error(path + " has no line " + std::to_string(line));
        ++start;
    }
    size_t end = all.find_first_of("\r\n", start);
    all.replace(start, (end == std::string::npos ? all.size() : end) - start, text);
    writeFile(path, all);
}

void replaceFirst(const std::string& path, const std::string& from, const std::string& to) {
    std::string all = readFile(path);
    size_t at = all.find(from);
    if (at == std::string::npos)
        throw std::runtime_error(path + " does not contain " + from);
    all.replace(at, from.size(), to);
    writeFile(path, all);
}

void writeFile(const std::string& path, const std::string& text) {
    fs::path p(path);
    if (p.has_parent_path())
        fs::create_directories(p.parent_path());
    removeForWriting(path);
    std::ofstream out(path, std::ios::binary);
    out << text;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::string frameBlock(const std::string& imageName, const FrameSpec& f) {
    std::ostringstream o;
    o << imageName << " " << f.delay;
    if (f.keyed)
        o << " " << f.key.r << " " << f.key.g << " " << f.key.b;
    o << "\n";
    o << f.anchorX << " " << f.anchorY << "\n";
    o << f.cBox[0] << " " << f.cBox[1] << " " << f.cBox[2] << " " << f.cBox[3] << "\n";
    o << f.dBox[0] << " " << f.dBox[1] << " " << f.dBox[2] << " " << f.dBox[3] << "\n";
    o << f.damage << "\n";
    o << "0\n";
    o << f.hitType << "\n";
    o << "0 0\n";
    o << "0 0\n";
    o << f.sound << "\n";
    o << f.particles.size() << "\n";
    for (const auto& p : f.particles)
        o << p << "\n";
    o << f.moveX << " " << f.moveY << "\n";
    o << "0\n";
    o << f.label << "\n";
    return o.str();
}

void writeBMP(const std::string& path, int w, int h, RGB fill,
              const std::vector<std::pair<std::pair<int, int>, RGB>>& pixels) {
    SDL_Surface* s = SDL_CreateRGBSurface(0, w, h, 32, 0x00ff0000, 0x0000ff00, 0x000000ff, 0);
    SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, fill.r, fill.g, fill.b));
    for (const auto& px : pixels) {
        SDL_Rect r{static_cast<Sint16>(px.first.first), static_cast<Sint16>(px.first.second), 1, 1};
        SDL_FillRect(s, &r, SDL_MapRGB(s->format, px.second.r, px.second.g, px.second.b));
    }
    fs::path p(path);
    if (p.has_parent_path())
        fs::create_directories(p.parent_path());
    removeForWriting(path);
    SDL_SaveBMP(s, path.c_str());
    SDL_FreeSurface(s);
}

void writeSheet(const std::string& folder, const std::vector<FrameSpec>& frames) {
    makeDirs(folder);
    std::ostringstream info;
    info << "FILES: " << frames.size() << "\n";
    for (size_t i = 0; i < frames.size(); ++i) {
        std::string name = "f" + std::to_string(i) + ".bmp";
        info << frameBlock(name, frames[i]);
        writeBMP(folder + "/" + name, frames[i].w, frames[i].h, frames[i].fill, frames[i].pixels);
    }
    writeFile(folder + "/info", info.str());
}

void writeWAV(const std::string& path, const std::vector<int16_t>& samples, int rate,
              int channels) {
    // RIFF header, "fmt " chunk for 16-bit PCM, then the "data" chunk, little-endian.
    std::string bytes;
    auto u32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<char>((v >> (8 * i)) & 0xff));
    };
    auto u16 = [&](uint16_t v) {
        bytes.push_back(static_cast<char>(v & 0xff));
        bytes.push_back(static_cast<char>(v >> 8));
    };
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    bytes += "RIFF";
    u32(36 + dataBytes);
    bytes += "WAVEfmt ";
    u32(16);
    u16(1); // PCM
    u16(static_cast<uint16_t>(channels));
    u32(static_cast<uint32_t>(rate));
    u32(static_cast<uint32_t>(rate * channels * 2));
    u16(static_cast<uint16_t>(channels * 2));
    u16(16);
    bytes += "data";
    u32(dataBytes);
    for (int16_t s : samples)
        u16(static_cast<uint16_t>(s));
    writeFile(path, bytes);
}

SDL_Surface* videoScreen() {
    static SDL_Surface* screen = nullptr;
    if (!screen) {
        if (!(SDL_WasInit(SDL_INIT_VIDEO) & SDL_INIT_VIDEO))
            SDL_Init(SDL_INIT_VIDEO);
        screen = SDL_SetVideoMode(800, 600, 32, SDL_HWPALETTE);
        if (!screen)
            throw std::runtime_error(std::string("no video: ") + SDL_GetError());
    }
    return screen;
}

SDL_Surface* snapshot(SDL_Surface* screen) {
    SDL_Surface* copy = SDL_CreateRGBSurface(0, screen->w, screen->h, 32, screen->format->Rmask,
                                             screen->format->Gmask, screen->format->Bmask, 0);
    SDL_BlitSurface(screen, nullptr, copy, nullptr);
    return copy;
}

uint32_t pixelAt(SDL_Surface* s, int x, int y) {
    SDL_LockSurface(s);
    auto* row = static_cast<uint8_t*>(s->pixels) + y * s->pitch;
    uint32_t v = reinterpret_cast<uint32_t*>(row)[x] & 0x00ffffff;
    SDL_UnlockSurface(s);
    return v;
}

long differingPixels(SDL_Surface* a, SDL_Surface* b) {
    long diff = 0;
    for (int y = 0; y < a->h && y < b->h; ++y)
        for (int x = 0; x < a->w && x < b->w; ++x)
            if (pixelAt(a, x, y) != pixelAt(b, x, y))
                ++diff;
    return diff;
}

void paintStage(SDL_Surface* screen) {
    // Bands of colour that never hit the test key colour (magenta) or black.
    for (int y = 0; y < screen->h; y += 10) {
        SDL_Rect band{0, static_cast<Sint16>(y), static_cast<Uint16>(screen->w), 10};
        SDL_FillRect(screen, &band,
                     SDL_MapRGB(screen->format, 20 + (y * 3) % 200, 60 + (y / 10) % 100, 90));
    }
    for (int x = 0; x < screen->w; x += 37) {
        SDL_Rect stripe{static_cast<Sint16>(x), 0, 3, static_cast<Uint16>(screen->h)};
        SDL_FillRect(screen, &stripe, SDL_MapRGB(screen->format, 250, 250, (x * 7) % 200));
    }
}

namespace {

// Runs fn with file descriptor fd (1 or 2) sent to a temporary file; returns its text.
std::string captureFd(int fd, const std::function<void()>& fn) {
    fflush(stdout);
    fflush(stderr);
    std::cout.flush();
    char name[] = "/tmp/brawler-out-XXXXXX";
    int tmp = mkstemp(name);
    int saved = dup(fd);
    dup2(tmp, fd);
    fn();
    fflush(stdout);
    fflush(stderr);
    std::cout.flush();
    dup2(saved, fd);
    close(saved);
    close(tmp);
    std::string text = readFile(name);
    unlink(name);
    return text;
}

} // namespace

std::string captureStdout(const std::function<void()>& fn) {
    return captureFd(1, fn);
}

std::string captureStderr(const std::function<void()>& fn) {
    return captureFd(2, fn);
}

ChildResult runInChild(const std::function<void()>& fn) {
    fflush(stdout);
    fflush(stderr);
    char name[] = "/tmp/brawler-child-XXXXXX";
    int fd = mkstemp(name);
    pid_t pid = fork();
    if (pid == 0) {
        dup2(fd, 1);
        dup2(fd, 2);
        fn();
        fflush(stdout);
        fflush(stderr);
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    close(fd);
    ChildResult r;
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.output = readFile(name);
    unlink(name);
    return r;
}

ChildResult runCommand(const std::string& command) {
    std::string full = command + " 2>&1";
    ChildResult r;
    FILE* p = popen(full.c_str(), "r");
    if (!p)
        return r;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0)
        r.output.append(buf, n);
    int status = pclose(p);
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

} // namespace testsupport
