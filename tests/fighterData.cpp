#include "tests/fighterData.h"

#include <sstream>

namespace fighterdata {

std::string animList(const std::vector<std::string>& names) {
    std::string text = "ANIMS: " + std::to_string(names.size()) + "\n";
    for (const auto& n : names)
        text += n + "\n";
    return text;
}

std::string movesetText(const std::vector<MoveSpec>& moves) {
    std::ostringstream o;
    o << "ANIMS: " << moves.size() << "\n";
    for (const auto& m : moves)
        o << m.name << "\n"
          << m.command << "\n7\nnote1\n8\n0\nnote2\n9\n0\n0\n"
          << m.condition << "\n";
    return o.str();
}

void writeCharacter(const std::string& folder,
                    const std::vector<std::pair<std::string, Frames>>& anims,
                    const std::vector<std::pair<MoveSpec, Frames>>& moves) {
    std::vector<std::string> names;
    for (const auto& a : anims) {
        names.push_back(a.first);
        if (!a.second.empty())
            testsupport::writeSheet(folder + "/" + a.first, a.second);
    }
    testsupport::writeFile(folder + "/info", animList(names));
    std::vector<MoveSpec> blocks;
    for (const auto& m : moves) {
        blocks.push_back(m.first);
        if (!m.second.empty())
            testsupport::writeSheet(folder + "/" + m.first.name, m.second);
    }
    testsupport::writeFile(folder + "/moveset", movesetText(blocks));
}

testsupport::FrameSpec frame(int w, int h, int ax, int ay, testsupport::RGB fill) {
    testsupport::FrameSpec f;
    f.w = w;
    f.h = h;
    f.anchorX = ax;
    f.anchorY = ay;
    f.fill = fill;
    f.cBox[0] = f.cBox[1] = 0;
    f.cBox[2] = w - 1;
    f.cBox[3] = h - 1;
    return f;
}

void boxSheet(CSpriteBase& sheet, int width, colBox body, int anchorX, int anchorY, colBox attack,
              int damage) {
    frameInfo f;
    f.cBox = body;
    f.dBox = attack;
    f.anchorX = anchorX;
    f.anchorY = anchorY;
    f.damage = damage;
    frameInfo m;
    m.anchorX = width - anchorX;
    m.cBox.left = width - body.right;
    m.cBox.right = width - body.left;
    m.dBox.left = width - attack.right;
    m.dBox.right = width - attack.left;
    sheet.frames.push_back(f);
    sheet.flippedFrames.push_back(m);
    sheet.frameCount = static_cast<int>(sheet.frames.size());
    sheet.loaded = 1;
    sheet.width = width;
}

} // namespace fighterdata
