#include "sprite/CSpriteBase.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "datafile/bmpHeader.h"
#include "datafile/frameLimits.h"
#include "datafile/loadReport.h"
#include "datafile/problemReport.h"
#include "datafile/textLine.h"
#include "sprite/flipper.h"

namespace {

// A frame image is at most a few megabytes (a full 800x600 frame in 32 bits is under
// two); a file far beyond that is not a frame, and reading it whole would take the
// machine's memory.
constexpr int kMaxImageBytes = 64 * 1024 * 1024;

// Translucency switch for whole sheets. Nothing turns it on: the game never draws
// translucent frames, but the hook stays for content that may want it.
bool alphaOp = false;

// Colour key components carried from one frame block to the next; a frame line
// without key numbers keeps the previous frame's key.
struct colourKey {
    int r = 0;
    int g = 0;
    int b = 0;
};

// Reads lines 1 to 14 of a frame block (line 1 already in `first`) into `frame`.
// Returns the image file name. Problems go to `report` when there is one.
std::string readFrameBlock(FILE* f, const std::string& first, frameInfo& frame, colourKey& key,
                           int& lineNumber, loadReport* report, const std::string& path) {
    using namespace textline;
    std::string line = first;
    std::string fileName = firstWord(line);
    {
        // Skip the name, then delay and the key numbers.
        const char* rest = line.c_str();
        while (*rest == ' ' || *rest == '\t')
            ++rest;
        while (*rest && *rest != ' ' && *rest != '\t' && *rest != '\r' && *rest != '\n')
            ++rest;
        int parsed = scanInts(rest, {&frame.delay, &key.r, &key.g, &key.b});
        checkNumbers(parsed, 1, report, path, lineNumber, "the frame's delay after the image name");
        if (parsed == 2 || parsed == 3)
            checkNumbers(parsed, 4, report, path, lineNumber, "delay and colour key R G B");
        // "1O 255 0 255" reads as a delay of 1 without a key: the frame keeps the
        // previous frame's key.
        int delay = 0;
        std::string after = parsed == 1 ? afterFirstNumber(rest, delay) : std::string();
        if (!after.empty())
            note(report, true, path, lineNumber,
                 "\"" + after + "\" follows the delay " + std::to_string(delay) +
                     "; the game ignores it and keeps the previous frame's colour key — write "
                     "the delay, then R G B, as whole numbers separated by spaces");
    }
    printf("%s\n", fileName.c_str());

    // Each further line of the block: read it, parse `targets`, note a short parse.
    auto numbers = [&](const std::vector<int*>& targets, const char* what) {
        readLine(f, line, lineNumber, report, path);
        int parsed = scanInts(line, targets);
        checkNumbers(parsed, static_cast<int>(targets.size()), report, path, lineNumber, what);
        if (targets.size() == 1)
            checkLoneNumber(line, report, path, lineNumber, what);
        return parsed;
    };
    numbers({&frame.anchorX, &frame.anchorY}, "anchor x y");
    numbers({&frame.cBox.left, &frame.cBox.top, &frame.cBox.right, &frame.cBox.bottom},
            "body box left top right bottom");
    numbers({&frame.dBox.left, &frame.dBox.top, &frame.dBox.right, &frame.dBox.bottom},
            "attack box left top right bottom");
    numbers({&frame.damage}, "damage");
    int number = 0;
    if (numbers({&number}, "flag") == 1)
        frame.flag1 = number > 0;
    numbers({&frame.hitType}, "hit type");
    numbers({&frame.point1.x, &frame.point1.y}, "point x y");
    numbers({&frame.point2.x, &frame.point2.y}, "point x y");
    readLine(f, line, lineNumber, report, path);
    frame.soundName = firstWord(line, 95, report, path, lineNumber, "the sound name");
    printf("%s\n", frame.soundName.c_str());
    int count = 0;
    numbers({&count}, "particle count");
    int countLine = lineNumber;
    // The count only bounds the lines read: a file that ends early keeps what it has.
    for (int i = 0; i < count; ++i) {
        if (!readLine(f, line, lineNumber, report, path))
            break;
        frame.particleNames.push_back(line);
    }
    frame.particleCount = static_cast<int>(frame.particleNames.size());
    checkCount(count, frame.particleCount, report, path, countLine, "particle lines");
    numbers({&frame.moveX, &frame.moveY}, "movement x y");
    number = 0;
    if (numbers({&number}, "flag") == 1)
        frame.flag2 = number > 0;
    readLine(f, line, lineNumber, report, path);
    frame.label = firstWord(line, 79, report, path, lineNumber, "the label");
    printf("%s\n", frame.label.c_str());
    return fileName;
}

// Sets the key (when R is not negative) and converts the image to display format;
// takes ownership of `loadedImage`.
SDL_Surface* keyAndConvert(SDL_Surface* loadedImage, const colourKey& key) {
    if (key.r >= 0)
        SDL_SetColorKey(loadedImage, SDL_SRCCOLORKEY,
                        SDL_MapRGB(loadedImage->format, static_cast<Uint8>(key.r),
                                   static_cast<Uint8>(key.g), static_cast<Uint8>(key.b)));
    SDL_Surface* image = SDL_DisplayFormat(loadedImage);
    SDL_FreeSurface(loadedImage);
    return image;
}

// The mirrored copy of a frame: only the horizontal values differ.
frameInfo mirrored(const frameInfo& frame, SDL_Surface* flippedImage, int width) {
    frameInfo m;
    m.image = flippedImage;
    m.anchorX = width - frame.anchorX;
    m.cBox.left = width - frame.cBox.right;
    m.cBox.right = width - frame.cBox.left;
    m.dBox.left = width - frame.dBox.right;
    m.dBox.right = width - frame.dBox.left;
    m.point1.x = width - frame.point1.x;
    m.point2.x = width - frame.point2.x;
    return m;
}

// Ends the game after a frame image could not be read. The message printed just before
// says why but not which file, and the path is otherwise found only far back in the
// trace; name it here, with the info line that asked for it when that is known.
// `afterOpenLine` is set when the message before had no line end of its own.
[[noreturn]] void stopOnFrameImage(const std::string& folder, const std::string& fileName,
                                   int infoLine, bool afterOpenLine = false) {
    std::string text = "cannot read the frame image " + folder + "/" + fileName;
    if (infoLine > 0)
        text += ", named on line " + std::to_string(infoLine) + " of " + folder + "/info";
    else
        text += " (sheet folder " + folder + ")";
    if (afterOpenLine) {
        fflush(stdout);
        fputc('\n', stderr);
    }
    reportProblem(text);
    exit(1);
}

// Ends the game, as for an unreadable image, when there is a `problem` with the frame's
// size (from frameSizeProblem).
void refuseFrameSize(const std::string& folder, const std::string& fileName, int infoLine,
                     const std::string& problem) {
    if (problem.empty())
        return;
    reportProblem("the frame image " + folder + "/" + fileName + " " + problem);
    stopOnFrameImage(folder, fileName, infoLine);
}

// Size of the file in bytes from stat, or -1 when stat fails.
long long statSize(const std::string& path) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0)
        return -1;
    return static_cast<long long>(st.st_size);
}

void printNoFileSize(const std::string& path) {
    printf("getfilesize:  Couldn't get filesize of '%s'.", path.c_str());
}

SDL_Surface* loadPlainBMP(const std::string& folder, const std::string& fileName) {
    std::string path = folder + "/" + fileName;
    if (!bmpFileSizeProblem(path).empty())
        return nullptr;
    SDL_RWops* rw = SDL_RWFromFile(path.c_str(), "rb");
    if (!rw)
        return nullptr;
    return bmpheader::loadBounded(rw);
}

// Records why a frame image could not be read, at the info line that names it.
void noteBadImage(loadReport& report, const std::string& infoPath, int line,
                  const std::string& folder, const std::string& fileName) {
    std::string image = folder + "/" + fileName;
    struct stat st;
    if (fileName.empty())
        report.error(infoPath, line,
                     "the frame line names no image — start it with the BMP's name");
    else if (stat(image.c_str(), &st) != 0)
        report.error(infoPath, line,
                     "missing frame image " + image + " — add the BMP or fix its name here");
    else if (std::string size = bmpFileSizeProblem(image); !size.empty())
        report.error(infoPath, line,
                     "the frame image " + image + " " + size + " — draw it smaller");
    else
        report.error(infoPath, line,
                     "SDL cannot decode the frame image " + image + " (" + SDL_GetError() +
                         ") — save it as an uncompressed BMP");
}

} // namespace

CSpriteBase::~CSpriteBase() {
    releaseFrames();
}

CSpriteBase::CSpriteBase(CSpriteBase&& other) noexcept {
    *this = std::move(other);
}

CSpriteBase& CSpriteBase::operator=(CSpriteBase&& other) noexcept {
    if (this != &other) {
        releaseFrames();
        frames = std::move(other.frames);
        flippedFrames = std::move(other.flippedFrames);
        other.frames.clear();
        other.flippedFrames.clear();
        loaded = other.loaded;
        frameCount = other.frameCount;
        width = other.width;
        height = other.height;
        extentLeft = other.extentLeft;
        extentTop = other.extentTop;
        extentRight = other.extentRight;
        extentBottom = other.extentBottom;
        maxWidth = other.maxWidth;
        maxHeight = other.maxHeight;
        other.frameCount = 0;
    }
    return *this;
}

void CSpriteBase::releaseFrames() {
    for (auto* list : {&frames, &flippedFrames})
        for (frameInfo& f : *list)
            if (f.image)
                SDL_FreeSurface(f.image);
    frames.clear();
    flippedFrames.clear();
}

int CSpriteBase::initR(const std::string& folder) {
    return load(folder, true, nullptr);
}

int CSpriteBase::init(const std::string& folder, loadReport* report) {
    return load(folder, false, report);
}

int CSpriteBase::load(const std::string& folder, bool fatalImages, loadReport* report) {
    std::string path = folder + "/info";
    FILE* f = textline::openDescription(path, report);
    if (!f)
        return -1;
    int lineNumber = 0;
    std::string line;
    int announced = textline::readHeader(f, line, lineNumber, "FILES:", frameCount, report, path);
    printf("loading\n");
    printf("%d\n", announced);

    releaseFrames();
    loaded = 1;
    if (!fatalImages)
        width = height = 0;
    colourKey key;
    int result = 0;
    // Frames are kept as they are read, so a count larger than the blocks present
    // (or negative) never allocates frames that are not there.
    while (static_cast<int>(frames.size()) < announced) {
        if (!textline::readLine(f, line, lineNumber, report, path))
            break;
        if (textline::isSkippable(line))
            continue;
        int blockLine = lineNumber;
        frameInfo frame;
        frame.infoLine = blockLine;
        std::string fileName = readFrameBlock(f, line, frame, key, lineNumber, report, path);
        SDL_Surface* raw = fatalImages ? loadFromResource(folder, fileName, blockLine)
                                       : loadPlainBMP(folder, fileName);
        if (raw) {
            printf("let me guess\n");
            frame.image = keyAndConvert(raw, key);
            if (!frame.image)
                printf("Unable to load bitmap: %s\n", SDL_GetError());
        }
        if (!frame.image) {
            if (fatalImages)
                stopOnFrameImage(folder, fileName, blockLine);
            result = -1;
            if (!report)
                break;
            // The checker wants every problem: note this one and read on, keeping the
            // frame (without an image) so its data can still be checked.
            noteBadImage(*report, path, blockLine, folder, fileName);
            flippedFrames.push_back(mirrored(frame, nullptr, 0));
            frames.push_back(std::move(frame));
            continue;
        }
        if (fatalImages || width == 0) {
            width = frame.image->w;
            height = frame.image->h;
        }
        SDL_Surface* flipped = flip_surface(frame.image);
        SDL_Surface* flippedImage = flipped ? SDL_DisplayFormat(flipped) : nullptr;
        if (flipped)
            SDL_FreeSurface(flipped);
        flippedFrames.push_back(mirrored(frame, flippedImage, frame.image->w));
        frames.push_back(std::move(frame));
    }
    fclose(f);
    textline::checkCount(announced, static_cast<int>(frames.size()), report, path, 1, "frames");
    frameCount = static_cast<int>(frames.size());
    computeExtents();
    return result;
}

void CSpriteBase::computeExtents() {
    extentLeft = extentTop = extentRight = extentBottom = 0;
    maxWidth = maxHeight = 0;
    bool first = true;
    for (const frameInfo& f : frames) {
        if (!f.image)
            continue;
        int w = f.image->w;
        int h = f.image->h;
        if (first) {
            extentLeft = f.anchorX;
            extentRight = w - f.anchorX;
            extentTop = f.anchorY;
            extentBottom = h - f.anchorY;
            first = false;
        }
        extentLeft = std::max(extentLeft, f.anchorX);
        extentRight = std::max(extentRight, w - f.anchorX);
        extentTop = std::max(extentTop, f.anchorY);
        extentBottom = std::max(extentBottom, h - f.anchorY);
        maxWidth = std::max(maxWidth, w);
        maxHeight = std::max(maxHeight, h);
    }
}

const frameInfo* CSpriteBase::frameAt(int i, bool facingRight) const {
    const std::vector<frameInfo>& list = facingRight ? frames : flippedFrames;
    if (i < 0 || i >= static_cast<int>(list.size()))
        return nullptr;
    return &list[i];
}

void CSpriteBase::alphaAll(int alpha) {
    if (!alphaOp)
        return;
    printf("\nSetting all your alphas\n");
    for (size_t i = 0; i < frames.size(); ++i) {
        printf("alphaing %d\n", static_cast<int>(i));
        SDL_SetAlpha(frames[i].image, SDL_SRCALPHA, static_cast<Uint8>(alpha));
        if (i < flippedFrames.size())
            SDL_SetAlpha(flippedFrames[i].image, SDL_SRCALPHA, static_cast<Uint8>(alpha));
    }
}

void loadNamedSheet(const std::string& folder, const std::string& name, CSpriteBase& sheet,
                    loadReport* report) {
    if (name.empty())
        return;
    std::string path = folder + "/" + name;
    printf("load folder %s\n", path.c_str());
    if (report)
        sheet.init(path, report);
    else
        sheet.initR(path);
}

int getfilesize(const std::string& path) {
    long long size = statSize(path);
    if (size < 0) {
        printNoFileSize(path);
        exit(1);
    }
    return size > INT_MAX ? INT_MAX : static_cast<int>(size);
}

SDL_Surface* loadFromResource(const std::string& folder, const std::string& fileName,
                              int infoLine) {
    // The error texts go to standard error; flush the trace first so that a log of
    // both streams keeps them in order.
    fflush(stdout);
    DIR* dir = opendir(folder.c_str());
    if (!dir) {
        perror("opendir failure");
        stopOnFrameImage(folder, fileName, infoLine);
    }
    closedir(dir);
    std::string path = folder + "/" + fileName;
    // The size is judged from the header, before anything is read or decoded for it.
    if (std::string size = bmpFileSizeProblem(path); !size.empty())
        refuseFrameSize(folder, fileName, infoLine, size);
    int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0) {
        perror("Error opening resource file");
        stopOnFrameImage(folder, fileName, infoLine);
    }
    long long stated = statSize(path);
    if (stated < 0) {
        printNoFileSize(path);
        stopOnFrameImage(folder, fileName, infoLine, true);
    }
    int size = stated > INT_MAX ? INT_MAX : static_cast<int>(stated);
    char* buffer =
        size <= kMaxImageBytes ? static_cast<char*>(malloc(size > 0 ? size : 1)) : nullptr;
    if (!buffer) {
        printf("Unable to LOOOOOAAAAAAAD!\n");
        stopOnFrameImage(folder, fileName, infoLine);
    }
    int got = 0;
    while (got < size) {
        ssize_t n = read(fd, buffer + got, size - got);
        if (n <= 0)
            break;
        got += static_cast<int>(n);
    }
    close(fd);
    SDL_Surface* decoded = bmpheader::loadBounded(SDL_RWFromMem(buffer, got));
    free(buffer);
    if (!decoded) {
        printf("Unable to load bitmap: %s\n", SDL_GetError());
        stopOnFrameImage(folder, fileName, infoLine);
    }
    refuseFrameSize(folder, fileName, infoLine, frameSizeProblem(decoded->w, decoded->h));
    SDL_Surface* converted = SDL_DisplayFormat(decoded);
    SDL_FreeSurface(decoded);
    if (!converted) {
        printf("Unable to load bitmap: %s\n", SDL_GetError());
        stopOnFrameImage(folder, fileName, infoLine);
    }
    return converted;
}
