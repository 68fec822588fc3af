#pragma once

#include <string>

#include "collision/colBox.h"
#include "sprite/CSprite.h"

class animationSet;
struct frameInfo;
struct moveInfo;

// Play area of the fighters, screen pixels.
inline constexpr int g_GroundLevel = 530;  // anchor y of a fighter standing on the ground
inline constexpr int boundaryXLeft = 0;    // fighters keep x at or above this + 2
inline constexpr int boundaryXRight = 800; // fighters keep x at or below this - 2

// One character on screen. Its x and y (inherited) are the screen position of the
// current frame's anchor, not of the image corner; oldX/oldY are the anchor at the
// last background save. The fighter shows either an animation of its set or the
// sheet of the move it plays; a move ends after one play of its sheet.
class Fighter : public CSprite {
public:
    int hitPoints = 0;               // current hit points, kept in 0..maxHitPoints
    int maxHitPoints = 0;            // maximum hit points
    bool facingRight = false;        // true: unmirrored frames; false: mirrored frames
    bool savedFacing = false;        // facingRight at the last background save
    bool onGround = false;           // true while standing on the ground line
    int verticalSpeed = 0;           // upward pixels per Gravity step while airborne
    int jumpsLeft = 0;               // jumps (and air moves) left; 2 after a landing
    std::string actionName;          // name of the animation or move on show
    animationSet* animSet = nullptr; // the character's animations, not owned
    moveInfo* currentMove = nullptr; // the move playing, null when none; not owned
    // Frames advance and moves end in the fight's steps (advanceFrames), and a change of
    // animation leaves the screen alone: the scene restores and saves after the step.
    // False in the classic game, where drawing advances the frame.
    bool stepsApart = false;
    // With stepsApart, a new animation or move shows its first frame for the whole of
    // that frame's delay from the change, so a move's startup is what its data says
    // however long the pose before it was held. Today's match; old replays go without.
    bool framesFromChange = false;

    void initS(animationSet* set, SDL_Surface* target);
    void setDir(bool right);
    void setHP(int hp, int max);
    void changeHP(int delta);
    void boundary();
    bool returnBusy() const;
    bool returnHitable() const;
    // Body and attack boxes in screen pixels, mirrored when facing left; all zeros
    // while no sheet is on show.
    colBox getCBox() const;
    colBox getDBox() const;

    // The scene's steps, once per pass in this order: clearBG, updateBG, draw.
    void clearBG();
    void updateBG();
    void draw();
    // Debug overlay: body box, anchor marker, and the attack box on damaging frames;
    // `outlined` draws each box as a 1-pixel frame, so the fighter shows through.
    void drawColBoxes(bool outlined = false);
    // With stepsApart: every frame that falls due after `since` and by `now` (game
    // clock, ms), ending a move when its sheet has played once.
    void advanceFrames(Uint32 since, Uint32 now);

    void changeAnim(const std::string& name);
    // Shows a sheet that is not in the animation set (the match's ko and win) as the
    // animation `name`, as changeAnim shows one of the set.
    void showSheet(const std::string& name, CSpriteBase* sheet);
    // Starts a move; refused with no jump left, and spends one when airborne.
    void changeAction(moveInfo* move);
    void duck();
    void Jump(int jumpSpeed);
    // One movement step: the frame's horizontal step, launch, jump arc and landing.
    void Gravity();

private:
    // A box of the frame on show (cBox or dBox) in screen pixels around the anchor.
    colBox screenBox(colBox frameInfo::*which) const;
    // The frame on show for the current facing, and unmirrored; null without a sheet.
    const frameInfo* shown() const;
    // Shows an animation from its first frame without touching the screen or the saved
    // background, for a change in the middle of drawing.
    void showInPlace(const std::string& name);
    // Takes the fighter off the screen and saves afresh at frame 0, before the sheet
    // on show is replaced.
    void reseat();
    // Before a new sheet is shown: the classic game re-seats on the screen at once; with
    // stepsApart only the frame goes back to 0.
    void leaveSheet();
    // The move has played once: the fighter walks again.
    void endMove();
    // A fresh, key-filled background sized for the current sheet.
    void renewBackground();
    // Corner and size of the screen rectangle that holds every frame of the current
    // sheet drawn at the current anchor and facing (and, during a move, of walk, which
    // the move's end switches to).
    void saveArea(int& cx, int& cy, int& w, int& h) const;
};
