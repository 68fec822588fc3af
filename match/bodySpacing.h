#pragma once

class CSpriteBase;
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

// Pixels a step the fallen fighter and the one standing slide to make room.
inline constexpr int kKnockoutSlide = 8;
// Pixels kept between the winner's body and the frame of the fighter lying beside it.
inline constexpr int kKnockoutGap = 12;

// One step of making room for a knocked-out fighter lying on its `lying` sheet, whose
// frames reach far beyond the standing body box: it slides until the whole frame lies on
// the stage, and `standing` (unless null) steps off it, towards the side with room, so
// the winner never stands on the loser.
void makeRoomForTheFallen(Fighter& fallen, const CSpriteBase& lying, Fighter* standing);
