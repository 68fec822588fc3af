#pragma once

class Fighter;

// In a match fighters are solid: two standing bodies never overlap by more than
// kBodyOverlap pixels, and no body leaves the screen at its edges. (Airborne fighters
// may pass over each other.) Run after both movement steps of a pass.
inline constexpr int kBodyOverlap = 4;

// Moves the fighter so that its body box lies within the screen's width.
void keepOnScreen(Fighter& f);
// Keeps both fighters on screen and, when both stand on the ground, pushes them apart
// until their bodies overlap by at most kBodyOverlap pixels, sharing the push; a fighter
// held by a screen edge leaves the whole push to the other.
void keepApart(Fighter& a, Fighter& b);
