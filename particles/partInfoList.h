#pragma once

#include <string>

#include "SDL.h"

#include "particles/particleInfo.h"

class loadReport;

// One definition in the list, under its name.
struct partInfoNode {
    std::string name;             // the definition's name: first word of its list line
    int line = 0;                 // line of the list file naming it, from 1
    particleInfo info;            // the definition itself, held in the node
    partInfoNode* next = nullptr; // the definition read before this one, or null
};

// Every particle definition of the game, read at start-up from a list file. The list
// owns its nodes until it is destroyed; a lookup hands out a pointer into a node that
// stays valid as long as the list lives, and live particles hold it. Newest first: when
// two lines give the same name, the later line's definition is the one found.
class partInfoList {
public:
    partInfoNode* head = nullptr; // newest definition, null while empty; owned

    partInfoList() = default;
    ~partInfoList();
    partInfoList(const partInfoList&) = delete;
    partInfoList& operator=(const partInfoList&) = delete;

    // Reads the list file dataRoot/particle/<listName> ("PARTS: n", then one line per
    // definition: name, list number) and loads each definition from the folder
    // dataRoot/particle/<name>, in front of those already held. Returns 1 when the list
    // file was read, -1 when it cannot be opened. Problems are recorded in `report`
    // when one is given (the data checker's).
    int addList(const std::string& listName, SDL_Surface* screen,
                const std::string& dataRoot = "data", loadReport* report = nullptr);
    // The definition called exactly `name`, or null.
    particleInfo* findParticle(const std::string& name);
    // Number of definitions held.
    int size() const;
};
