#pragma once

namespace contentgen {

// Names of the sound effects, shared by the frames that play them and the lists that
// load them. The shared folder holds what any character could use; the fighter's own
// folder holds his voice and his special moves, plus one name that is also shared
// (the game skips a name it already has, so the shared clack is the one heard).
namespace sounds {
constexpr const char* kWhoosh = "whoosh";
constexpr const char* kWhooshHeavy = "whooshHeavy";
constexpr const char* kWhooshLow = "whooshLow";
constexpr const char* kClack = "clack";
constexpr const char* kHurt = "hurt";
constexpr const char* kBlast = "blast";
constexpr const char* kRising = "rising";
// The match's own, in data/hud: the bell that opens and closes a round, the knockout.
constexpr const char* kBell = "bell";
constexpr const char* kKnockout = "knockout";
} // namespace sounds

} // namespace contentgen
