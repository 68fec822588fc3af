#pragma once

#include <string>
#include <vector>

#include "sprite/CSpriteBase.h"

class loadReport;

// One named animation of a character: its sheet and the name it is asked for by.
struct animEntry {
    CSpriteBase sheet; // frames loaded from <character folder>/<name>, owned
    std::string name;  // animation name, also its folder name (at most 95 characters)
};

// A character's named animations, read from <folder>/info ("ANIMS: n", then one name
// per line). The set owns every sheet for as long as it lives; fighters and
// controllers only point into it, so it must not be reloaded or moved while they do.
class animationSet {
public:
    std::vector<animEntry> entries; // the animations in file order
    int entryCount = 0;             // animations actually read (never more than entries)
    std::string folder;             // character folder given to loadAll, no trailing slash

    // Loads the list and every sheet; always returns 1, failures are only printed (and
    // recorded in `report` when one is given: the data checker's).
    int loadAll(const std::string& characterFolder, loadReport* report = nullptr);
    // Names entry i and loads its sheet from folder/name.
    void loadAnim(int i, const std::string& name, loadReport* report = nullptr);
    // The sheet of the first entry called `name`, else the first entry's sheet; null
    // only when the set holds no animation.
    CSpriteBase* returnAnimation(const std::string& name);
    // Index of the first entry called `name`; 0 when none is (or the set is empty).
    int find(const std::string& name) const;
};
