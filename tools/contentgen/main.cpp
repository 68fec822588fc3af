// contentgen <outdir>: draws and synthesises the game's whole data folder into
// <outdir>/data, plus a contact sheet, a stage preview and the HUD's sheet into
// <outdir>/docs.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/contentgen/BmpEncoder.h"
#include "tools/contentgen/ContactSheet.h"
#include "tools/contentgen/ContentBuilder.h"
#include "tools/contentgen/ContentWriter.h"
#include "tools/contentgen/Layout.h"
#include "tools/contentgen/ModelChecker.h"

using namespace contentgen;

namespace {

int countFrames(const ContentModel& m) {
    size_t n = m.runner.frames.size();
    for (const CharacterModel& c : m.characters) {
        for (const Sheet& a : c.animations)
            n += a.frames.size();
        for (const MoveRecord& mv : c.moves)
            n += mv.sheet.frames.size();
        for (const Sheet& s : c.matchSheets)
            n += s.frames.size();
        for (const ParticleDef& p : c.particles)
            n += p.sheet.frames.size();
    }
    for (const ParticleDef& p : m.particles)
        n += p.sheet.frames.size();
    for (const Sheet* s : {&m.hud.bar, &m.hud.font, &m.hud.bigFont, &m.hud.marker})
        n += s->frames.size();
    return static_cast<int>(n);
}

int refuse(const std::vector<std::string>& problems) {
    std::fprintf(stderr, "contentgen: the content breaks the game's rules; nothing written:\n");
    for (const std::string& p : problems)
        std::fprintf(stderr, "contentgen: %s\n", p.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: contentgen <outdir>\n");
        return 2;
    }
    const std::string out = argv[1];
    const ContentModel model = ContentBuilder::build();
    std::vector<std::string> problems = ModelChecker(model).run();
    FileSet files = ContentWriter::write(model);
    for (const std::string& p : ModelChecker::checkText(files))
        problems.push_back(p);
    if (!problems.empty())
        return refuse(problems);
    files.addBytes(layout::kContactSheet, BmpEncoder::encode(ContactSheet::render(model)));
    files.addBytes(layout::kStagePreview, BmpEncoder::encode(ContactSheet::stagePreview(model)));
    files.addBytes(layout::kHudSheet, BmpEncoder::encode(ContactSheet::hudSheet(model)));
    std::string error;
    if (!files.writeTo(out, error)) {
        std::fprintf(stderr, "contentgen: %s\n", error.c_str());
        return 1;
    }
    std::printf("contentgen: wrote %zu files (%d frames, %zu characters) below %s\n",
                files.files().size(), countFrames(model), model.characters.size(), out.c_str());
    return 0;
}
