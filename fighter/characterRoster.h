#pragma once

#include <string>
#include <vector>

// The characters a data folder offers: every folder directly under it holding an `info`
// and a `moveset` (whatever they are: a broken one is reported when the character
// loads), by name, sorted. An author's new folder is playable by being there.
std::vector<std::string> listCharacters(const std::string& dataRoot);
// "Brawler, Tortoise" style: the names joined for a message.
std::string joinNames(const std::vector<std::string>& names);
