#pragma once

#include <string>
#include <vector>

#include "tools/contentgen/ContentModel.h"

namespace contentgen {

// Pictures for people, not for the game: every sheet of every character frame by frame
// with its boxes drawn over it, the stage with two fighters standing on it, and the
// HUD's pieces put together as the match shows them.
class ContactSheet {
public:
    static Image render(const ContentModel& model);
    static Image stagePreview(const ContentModel& model);
    static Image hudSheet(const ContentModel& model);

private:
    struct Row {
        std::string title;
        const Sheet* sheet;
        int zoom;    // small particle frames are shown enlarged
        bool ground; // mark the ground below the anchor (fighters stand on it)
    };

    static std::vector<Row> rows(const ContentModel& model);
    static int rowHeight(const Row& row);
    static int rowWidth(const Row& row);
    static void drawRow(Image& img, int y, const Row& row, const ContentModel& model);
    static int cellAdvance(const Frame& f, int zoom);
    static void drawCell(Image& img, int x, int y, const Frame& f, const Row& row,
                         const ContentModel& model);
    static void drawSpawns(Image& img, int x, int y, const Frame& f, const ContentModel& model);
    static std::vector<std::string> captions(const FrameRecord& r, size_t index);
    // Writes text with a font sheet (glyphs looked up by label); returns the width drawn.
    static int drawText(Image& img, int x, int y, const std::string& text, const Sheet& font);
};

} // namespace contentgen
