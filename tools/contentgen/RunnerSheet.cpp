#include "tools/contentgen/RunnerSheet.h"

#include <string>

#include "tools/contentgen/FighterArtist.h"
#include "tools/contentgen/PoseBook.h"

namespace contentgen {

namespace {

constexpr int kSize = 80;
constexpr int kFrames = 6;
const Vec2 kAnchor{40.0, 76.0};

} // namespace

Sheet RunnerSheet::build() {
    FighterArtist artist(kSize, kSize, kAnchor, 0.5);
    Sheet sheet;
    sheet.name = "run";
    for (int i = 0; i < kFrames; ++i) {
        const Pose pose = PoseBook::run(static_cast<double>(i) / kFrames);
        Frame f;
        f.info.image = "run_" + std::to_string(i) + ".bmp";
        f.info.delay = 10;
        f.info.anchor = {static_cast<int>(kAnchor.x), static_cast<int>(kAnchor.y)};
        f.info.cBox = artist.bodyBox(artist.skeleton(pose));
        f.info.label = "run";
        if (i == 0)
            f.info.note = "run: the small sprinter";
        f.image = artist.render(pose);
        sheet.frames.push_back(std::move(f));
    }
    return sheet;
}

} // namespace contentgen
