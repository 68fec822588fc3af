#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "SDL.h"

// Helpers shared by every suite: temporary data folders, sprite sheets written as
// `info` + BMP frames, WAV samples, the video surface, captured output and child
// processes.
namespace testsupport {

// A fresh directory under /tmp, removed with everything in it on destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& rel) const { return path_ + "/" + rel; }

private:
    std::string path_;
};

// Writes text to a file, creating parent folders.
void writeFile(const std::string& path, const std::string& text);
std::string readFile(const std::string& path);
void makeDirs(const std::string& path);
// Copies a folder with everything in it to `to` (which must not exist yet); its files
// may be hard links to the originals, so change them only through these helpers, or
// removeForWriting first.
void copyTree(const std::string& from, const std::string& to);
void removeForWriting(const std::string& path);
// Replaces line `line` (1-based) of a text file, keeping its line end.
void replaceLine(const std::string& path, int line, const std::string& text);
// Replaces the first occurrence of `from` in a file; throws when there is none.
void replaceFirst(const std::string& path, const std::string& from, const std::string& to);

struct RGB {
    int r = 0, g = 0, b = 0;
};

// One frame of a test sheet. The image is w x h filled with `fill`; a `keyed` frame
// line carries the colour key numbers, otherwise the line has only name and delay.
struct FrameSpec {
    int w = 20, h = 30;
    RGB fill{200, 40, 40};
    int delay = 10;
    bool keyed = true;
    RGB key{255, 0, 255};
    int anchorX = 10, anchorY = 29;
    int cBox[4] = {2, 2, 17, 29};
    int dBox[4] = {1, 0, 0, 0};
    int damage = 0, hitType = 0;
    std::string sound = "NULL";
    std::vector<std::string> particles; // lines without their line end
    int moveX = 0, moveY = 0;
    std::string label = "frame";
    // Pixels painted over the fill: x, y, colour.
    std::vector<std::pair<std::pair<int, int>, RGB>> pixels;
};

// The block of `info` lines for one frame (14 lines plus particle lines).
std::string frameBlock(const std::string& imageName, const FrameSpec& f);
// Writes `folder`/info with "FILES: n" and a block per frame, and the BMPs.
void writeSheet(const std::string& folder, const std::vector<FrameSpec>& frames);
// Writes a BMP of w x h in one colour with SDL_SaveBMP.
void writeBMP(const std::string& path, int w, int h, RGB fill,
              const std::vector<std::pair<std::pair<int, int>, RGB>>& pixels = {});

// Writes a PCM WAV of 16-bit signed samples (interleaved when channels > 1).
void writeWAV(const std::string& path, const std::vector<int16_t>& samples, int rate = 22050,
              int channels = 1);

// Brings up SDL video (dummy driver) with the game's 800x600x32 mode once per process
// and returns the screen surface.
SDL_Surface* videoScreen();
// A display-format copy of the screen as it is now.
SDL_Surface* snapshot(SDL_Surface* screen);
// Number of pixels that differ between two surfaces of the same size.
long differingPixels(SDL_Surface* a, SDL_Surface* b);
uint32_t pixelAt(SDL_Surface* s, int x, int y);
// Fills the whole screen with a pattern without any key colour in it.
void paintStage(SDL_Surface* screen);

// Runs fn with standard output captured (printf and std::cout alike).
std::string captureStdout(const std::function<void()>& fn);
// Runs fn with standard error captured.
std::string captureStderr(const std::function<void()>& fn);

struct ChildResult {
    int exitCode = -1;  // exit status, or -1 when killed by a signal
    std::string output; // standard output and standard error, interleaved
};
// Runs fn in a forked child with both output streams captured; the child exits 0 when
// fn returns.
ChildResult runInChild(const std::function<void()>& fn);
// Runs a command line through the shell from `dir`, capturing output.
ChildResult runCommand(const std::string& command);

} // namespace testsupport
