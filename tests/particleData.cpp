#include "tests/particleData.h"

#include <sstream>

namespace particledata {

namespace {

void block(std::ostringstream& o, const std::vector<std::string>& entries) {
    o << entries.size() << "\n";
    for (const auto& e : entries)
        o << e << "\n";
}

} // namespace

std::string definitionText(const ParticleSpec& kind) {
    std::ostringstream o;
    o << kind.alpha << "\n" << kind.lifetime << "\n" << kind.gravity << "\n0\n0\n";
    block(o, kind.onDeath);
    block(o, kind.onHitPlayer);
    o << "0\n0\n0\n";
    return o.str();
}

void writeParticles(const std::string& dataRoot, const std::vector<ParticleSpec>& kinds,
                    const std::string& listName) {
    std::ostringstream list;
    list << "PARTS: " << kinds.size() << "\n";
    int number = 1;
    for (const ParticleSpec& k : kinds) {
        list << k.name << " " << number++ << "\n";
        std::string folder = dataRoot + "/particle/" + k.name;
        testsupport::writeSheet(folder, k.frames);
        testsupport::writeFile(folder + "/particle", definitionText(k));
    }
    testsupport::writeFile(dataRoot + "/particle/" + listName, list.str());
}

} // namespace particledata
