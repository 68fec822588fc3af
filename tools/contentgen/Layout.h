#pragma once

namespace contentgen {

// Where the game looks for its content, relative to the output root.
namespace layout {
constexpr const char* kStage = "data/tBG2.bmp";
constexpr const char* kRunner = "data/run";
constexpr const char* kParticles = "data/particle";
constexpr const char* kParticleList = "default";
constexpr const char* kData = "data";
constexpr const char* kSharedSounds = "data/soundSet";
constexpr const char* kHud = "data/hud";
constexpr const char* kMusic = "data/music";
constexpr const char* kContactSheet = "docs/contact-sheet.bmp";
constexpr const char* kStagePreview = "docs/stage-preview.bmp";
constexpr const char* kHudSheet = "docs/hud-sheet.bmp";

// Fighter frames: every one this size with the feet at the anchor.
constexpr int kFrameWidth = 200;
constexpr int kFrameHeight = 200;
constexpr int kAnchorX = 100;
constexpr int kAnchorY = 190;
constexpr int kGroundY = 530; // the stage's ground line, where the anchor stands
} // namespace layout

} // namespace contentgen
