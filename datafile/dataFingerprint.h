#pragma once

#include <string>

// A fingerprint of a data folder: a hash of every file's path (relative to the folder)
// and bytes, in sorted order, as 16 hex digits. Two folders that differ in any file
// differ in it; a replay names the data it was played on by it. The music/ folder is left
// out: music cannot change a fight, so a replay or an online peer with other music still
// plays the same match. Unreadable entries
// (a looping link) count by their name alone. Empty when the folder cannot be read.
std::string dataFingerprint(const std::string& folder);
