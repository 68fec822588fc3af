#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// What every fuzz target shares: a quiet process with SDL up on dummy drivers, and a
// scratch folder of its own where the loaders find the files they read.
namespace fuzzharness {

// Silences the loaders' trace (standard output; sanitizer reports stay on standard
// error), starts SDL video with a display mode and an SDL_mixer device on the dummy
// drivers, and makes the scratch folder. Call once, from LLVMFuzzerInitialize.
void start();
// The process's scratch folder (removed when the process ends normally).
const std::string& scratch();
// The shipped data folder of the source tree.
std::string shippedData();
// Copies the shipped file or folder `from` (relative to the shipped data) to `to`.
void copyShipped(const std::string& from, const std::string& to);
// Writes the bytes to `path`, replacing what was there.
void writeFile(const std::string& path, const uint8_t* data, size_t size);
// Writes `text` to `path`, replacing what was there.
void writeText(const std::string& path, const std::string& text);
// Makes `folder` a sheet folder holding `info` (copied from the shipped sheet
// `shippedSheet`) and every frame image that info names, each a small shipped frame,
// so the sheet loads quickly and never misses an image.
void makeQuickSheet(const std::string& shippedSheet, const std::string& folder);
// Copies every shipped sheet folder of the character (a folder holding `info`) to
// `folder` as a quick sheet, and its other files as they are.
void makeQuickCharacter(const std::string& folder);
// Replaces every frame image under the data folder `root` but the stage and `keep`
// (relative to root) with the small frame, so that a whole-data check takes a fraction
// of the time; names, counts and boxes stay as shipped.
void shrinkFrames(const std::string& root, const std::string& keep);

} // namespace fuzzharness
