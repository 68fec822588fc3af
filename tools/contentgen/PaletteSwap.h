#pragma once

#include <vector>

#include "tools/contentgen/ContentModel.h"

namespace contentgen {

// A fighter's second colours. The painter shades every base colour in three tones
// and dims far limbs, so one base turns into several exact colours in the frames; the
// swap maps each of those to the same tone of the new base.
class PaletteSwap {
public:
    // The pairs for every shade of each base pair (the clothes, say), keeping only
    // colours that some frame of `sheets` holds, sorted by the colour they replace.
    static std::vector<ColourPair> build(const std::vector<const Sheet*>& sheets,
                                         const std::vector<ColourPair>& bases);
    // Every colour the painter can make from `base`, in every tone and brightness.
    static std::vector<Rgb> shadesOf(Rgb base);
    // The picture with every pixel that matches a pair's colour replaced.
    static Image applied(const Image& image, const std::vector<ColourPair>& pairs);
};

} // namespace contentgen
