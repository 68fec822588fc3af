#pragma once

#include <string>
#include <vector>

#include "SDL.h"

#include "sprite/frameInfo.h"

class loadReport;

// One animation's frames, read from a folder holding an `info` file and one BMP per
// frame, with a left-right mirrored copy of every frame built at load time. A sheet
// owns its frame surfaces until it is destroyed; sprites only point at it.
class CSpriteBase {
public:
    std::vector<frameInfo> frames;        // as drawn when facing right
    std::vector<frameInfo> flippedFrames; // the same frames mirrored left-right
    int loaded = 0;                       // 1 once the frame arrays exist
    int frameCount = 0;                   // frames actually loaded
    int width = 0;                        // size of the frame image loaded last
    int height = 0;

    // Extent of every frame around its anchor (unmirrored; the mirrored extent swaps
    // left and right), so one saved rectangle covers whichever frame is drawn.
    int extentLeft = 0;   // pixels left of the anchor
    int extentTop = 0;    // pixels above the anchor
    int extentRight = 0;  // pixels right of the anchor, the anchor column included
    int extentBottom = 0; // pixels below the anchor, the anchor row included
    int maxWidth = 0;     // largest frame width, for sprites placed by their corner
    int maxHeight = 0;

    CSpriteBase() = default;
    ~CSpriteBase();
    CSpriteBase(const CSpriteBase&) = delete;
    CSpriteBase& operator=(const CSpriteBase&) = delete;
    CSpriteBase(CSpriteBase&& other) noexcept;
    CSpriteBase& operator=(CSpriteBase&& other) noexcept;

    // Loads the sheet; a frame image that cannot be read ends the process.
    // Returns 0, or -1 when the info file cannot be opened.
    int initR(const std::string& folder);
    // The same format, but a frame image that cannot be read returns -1. With a
    // report (the data checker's), every problem is recorded in it with its line and
    // loading goes on past unreadable images, keeping those frames without an image.
    int init(const std::string& folder, loadReport* report = nullptr);
    // Per-surface alpha for every frame; inert while alphaOp is off.
    void alphaAll(int alpha);

    // Frame i for the given facing, or null when the sheet has no such frame.
    const frameInfo* frameAt(int i, bool facingRight) const;

private:
    int load(const std::string& folder, bool fatalImages, loadReport* report);
    void releaseFrames();
    void computeExtents();
};

// Loads the sheet in folder/name, as a character's animations and moves are kept,
// tracing "load folder" and the path. A blank name loads nothing: it would point at
// the character folder itself, whose info is the animation list and not a sheet. With a
// report the sheet is read by init, so an unreadable image is recorded, not fatal.
void loadNamedSheet(const std::string& folder, const std::string& name, CSpriteBase& sheet,
                    loadReport* report = nullptr);
// Reads fileName inside folder whole into memory and decodes it as a BMP in display
// format; ends the process with a message on any failure, followed by a line naming
// the file and, when infoLine is above 0, the line of folder/info that named it.
SDL_Surface* loadFromResource(const std::string& folder, const std::string& fileName,
                              int infoLine = 0);
// Size of the file in bytes; ends the process when stat fails.
int getfilesize(const std::string& path);
