#include "tools/contentgen/BrawlerMoves.h"

#include <cmath>

#include "tools/contentgen/Choreography.h"
#include "tools/contentgen/Layout.h"
#include "tools/contentgen/ParticleArt.h"
#include "tools/contentgen/PoseBook.h"
#include "tools/contentgen/SoundNames.h"

namespace contentgen {

using namespace choreography;

namespace {

// The fireball leaves from both palms pushed forward at shoulder height.
Pose palmsForward() {
    Pose p = PoseBook::guard();
    p.torso = 16.0;
    p.hip.x = 4.0;
    p.armNear = {94.0, 100.0};
    p.armFar = {88.0, 96.0};
    p.legNear = {30.0, 8.0};
    p.legFar = {-30.0, -20.0};
    return p;
}

// Forearms raised across the face, chin tucked.
Pose highGuard(Pose p) {
    p.armNear = {64.0, 172.0};
    p.armFar = {74.0, 166.0};
    p.head = 8.0;
    return p;
}

} // namespace

BrawlerMoves::BrawlerMoves(const FighterArtist& artist, const FighterFrames& frames)
    : artist_(artist), frames_(frames) {}

std::vector<MoveRecord> BrawlerMoves::build() const {
    MoveRecord low = sweep();
    low.height = "low";
    return {hit(),      blockHigh(), blockLow(), blockAir(), fireball(), jab(),
            uppercut(), strike(),    low,        airKick(),  kick()};
}

SpawnLine BrawlerMoves::fireballSpawn() const {
    const Skeleton s = artist_.skeleton(palmsForward());
    const Vec2 palm = s.armNear().tip;
    // Far enough ahead that the ball does not sit on the hand, and high enough that
    // a crouching opponent ducks under it.
    const int forward = static_cast<int>(std::lround(palm.x - layout::kAnchorX)) + 22;
    const int up = static_cast<int>(std::lround(layout::kAnchorY - palm.y)) + 9;
    return {ParticleArt::kFireball, forward, up};
}

MoveRecord BrawlerMoves::hit() const {
    Pose recoil = PoseBook::guard();
    recoil.torso = -16.0;
    recoil.head = -16.0;
    recoil.armNear = {-15.0, 40.0};
    recoil.armFar = {-35.0, 20.0};
    recoil.legNear = {32.0, 18.0};
    recoil.legFar = {-16.0, -8.0};
    recoil.bandSwing = 30.0;
    Pose deeper = recoil;
    deeper.torso = -24.0;
    deeper.head = -20.0;
    deeper.armNear = {-30.0, 10.0};
    Pose steady = PoseBook::guard();
    steady.torso = -6.0;
    steady.armNear = {30.0, 110.0};
    steady.armFar = {10.0, 120.0};
    return frames_.move("hit1", kReaction, kAnyState,
                        {noted(moving(beat(recoil, 8, "recoil"), -2), "hit1: knocked back a step"),
                         moving(withSound(beat(deeper, 12, "recoil"), sounds::kHurt), -2),
                         moving(beat(steady, 12, "recover"), -1),
                         beat(PoseBook::guard(), 10, "guard")});
}

MoveRecord BrawlerMoves::blockHigh() const {
    Pose brace = highGuard(PoseBook::guard());
    brace.torso = 2.0;
    Pose pushed = brace;
    pushed.torso = -3.0;
    pushed.hip.x = 1.0;
    return frames_.move("blockHi", kReaction, kAnyState,
                        {noted(beat(brace, 6, "brace"), "blockHi: forearms up, slid back a little"),
                         moving(withSound(beat(pushed, 12, "block"), sounds::kClack), -1),
                         beat(brace, 10, "block"), beat(PoseBook::guard(), 8, "guard")});
}

MoveRecord BrawlerMoves::blockLow() const {
    // The near forearm sweeps down across the shins, the far hand keeps the face.
    Pose brace = PoseBook::crouch();
    brace.armNear = {72.0, 36.0};
    brace.armFar = {55.0, 172.0};
    brace.head = -10.0;
    Pose pushed = brace;
    pushed.torso -= 5.0;
    return frames_.move("blockLo", kReaction, kAnyState,
                        {noted(beat(brace, 6, "brace"), "blockLo: the crouching block"),
                         moving(withSound(beat(pushed, 12, "block"), sounds::kClack), -1),
                         beat(brace, 10, "block"), beat(PoseBook::crouch(), 8, "crouch")});
}

MoveRecord BrawlerMoves::blockAir() const {
    Pose brace = highGuard(PoseBook::airborne());
    Pose pushed = brace;
    pushed.torso = -4.0;
    return frames_.move("blockAir", kReaction, kAnyState,
                        {noted(beat(brace, 6, "brace"), "blockAir: guard while airborne"),
                         withSound(beat(pushed, 12, "block"), sounds::kClack),
                         beat(brace, 10, "block"), beat(PoseBook::airborne(), 8, "jump")});
}

MoveRecord BrawlerMoves::fireball() const {
    Pose chamber = PoseBook::guard();
    chamber.torso = -2.0;
    chamber.armNear = {-28.0, 55.0};
    chamber.armFar = {-34.0, 62.0};
    chamber.legNear = {30.0, 8.0};
    chamber.legFar = {-30.0, -20.0};
    Pose push = chamber;
    push.torso = 8.0;
    push.armNear = {55.0, 75.0};
    push.armFar = {48.0, 72.0};
    Beat release = beat(palmsForward(), 14, "release");
    release.particles = {fireballSpawn()};
    release.note = "the fireball leaves here, ahead of the palms and clear of the body";
    Pose recover = PoseBook::guard();
    recover.armNear = {65.0, 125.0};
    return frames_.move(
        "fireball", "DRA", kAnyState,
        {noted(beat(chamber, 10, "windup"), "fireball: both palms drawn to the hip"),
         withSound(beat(push, 8, "windup"), sounds::kBlast), release,
         beat(palmsForward(), 14, "recover"), beat(recover, 12, "recover"),
         beat(PoseBook::guard(), 10, "guard")});
}

MoveRecord BrawlerMoves::jab() const {
    Pose chamber = PoseBook::guard();
    chamber.torso = 10.0;
    chamber.armNear = {45.0, 138.0};
    Pose extending = PoseBook::guard();
    extending.torso = 12.0;
    extending.armNear = {75.0, 105.0};
    Pose extended = PoseBook::guard();
    extended.torso = 15.0;
    extended.hip.x = 5.0;
    extended.armNear = {90.0, 93.0}; // just over a crouching head
    extended.armFar = {25.0, 160.0};
    return frames_.move("jab", "A", kAnyState,
                        {noted(moving(beat(chamber, 8, "windup"), 1), "jab: quick lead hand"),
                         withSound(beat(extending, 5, "windup"), sounds::kWhoosh),
                         noted(active(beat(extended, 12, "active"), Striker::NearFist, 12),
                               "the only frame that hurts"),
                         beat(extending, 8, "recover"), beat(PoseBook::guard(), 8, "guard")});
}

MoveRecord BrawlerMoves::uppercut() const {
    // Thrown with the near hand so that the rising fist is drawn in front of the head.
    Pose dip = PoseBook::guard();
    dip.torso = 20.0;
    dip.legNear = {50.0, -12.0};
    dip.legFar = {-8.0, -50.0};
    dip.armNear = {-12.0, 25.0};
    Pose rise = PoseBook::guard();
    rise.torso = 6.0;
    rise.legNear = {28.0, 10.0};
    rise.legFar = {-18.0, -22.0};
    rise.armNear = {85.0, 140.0};
    Pose strikeUp = PoseBook::guard();
    strikeUp.torso = -4.0;
    strikeUp.head = -10.0;
    strikeUp.legNear = {40.0, 10.0, 30.0};
    strikeUp.legFar = {-6.0, -8.0, 20.0};
    strikeUp.armNear = {110.0, 150.0};
    strikeUp.bandSwing = 30.0;
    Pose topOut = strikeUp;
    topOut.armNear = {152.0, 168.0};
    topOut.legNear = {60.0, 0.0, 40.0};
    Pose fall = PoseBook::airborne();
    fall.grounded = true;
    fall.armNear = {110.0, 165.0};
    return frames_.move(
        "uppercut", "RDRC", kAnyState,
        {noted(beat(dip, 8, "windup"), "uppercut: dip, then launch (moveY) fist first"),
         moving(withSound(active(beat(rise, 8, "active"), Striker::NearFist, 20), sounds::kRising),
                2),
         moving(active(beat(strikeUp, 10, "active"), Striker::NearFist, 20), 3, 5),
         moving(beat(topOut, 10, "recover"), 2, 4), beat(topOut, 10, "recover"),
         beat(fall, 12, "recover"), beat(PoseBook::guard(), 12, "guard")});
}

MoveRecord BrawlerMoves::strike() const {
    Pose windup = PoseBook::guard();
    windup.torso = -4.0;
    windup.armFar = {-40.0, 60.0};
    windup.armNear = {72.0, 118.0};
    Pose lunge = PoseBook::guard();
    lunge.torso = 10.0;
    lunge.armFar = {40.0, 95.0};
    lunge.armNear = {45.0, 40.0};
    lunge.legNear = {30.0, 8.0};
    Pose reach = PoseBook::guard();
    reach.torso = 20.0;
    reach.hip.x = 8.0;
    reach.armFar = {88.0, 90.0};
    reach.armNear = {15.0, 60.0};
    reach.legNear = {38.0, 10.0};
    reach.legFar = {-36.0, -30.0};
    Pose recover = PoseBook::guard();
    recover.torso = 12.0;
    recover.armFar = {60.0, 130.0};
    return frames_.move("strike", "C", kAnyState,
                        {noted(beat(windup, 14, "windup"), "strike: rear hand, lunging"),
                         moving(withSound(beat(lunge, 8, "windup"), sounds::kWhooshHeavy), 3),
                         moving(active(beat(reach, 10, "active"), Striker::FarFist, 11), 1),
                         active(beat(reach, 10, "active"), Striker::FarFist, 11),
                         beat(recover, 14, "recover"), beat(PoseBook::guard(), 10, "guard")});
}

MoveRecord BrawlerMoves::sweep() const {
    Pose drop = PoseBook::crouch();
    Pose turn = PoseBook::crouch();
    turn.torso = 38.0;
    turn.legNear = {70.0, 40.0};
    turn.legFar = {58.0, -78.0};
    turn.armNear = {-5.0, 5.0};
    turn.armFar = {20.0, 15.0};
    Pose sweepOut = turn;
    sweepOut.torso = 42.0;
    sweepOut.legNear = {62.0, 86.0, 110.0};
    sweepOut.armNear = {-10.0, -5.0};
    Pose sweepThrough = sweepOut;
    sweepThrough.legNear = {66.0, 90.0, 115.0};
    return frames_.move("sweep", "DB", kOnGround,
                        {noted(beat(drop, 8, "windup"), "sweep: low spin, hits at the ankles"),
                         withSound(beat(turn, 6, "windup"), sounds::kWhooshLow),
                         active(beat(sweepOut, 10, "active"), Striker::NearFoot, 9),
                         active(beat(sweepThrough, 10, "active"), Striker::NearFoot, 9),
                         beat(turn, 10, "recover"), beat(PoseBook::guard(), 10, "guard")});
}

MoveRecord BrawlerMoves::airKick() const {
    Pose tuck = PoseBook::airborne();
    Pose extend = tuck;
    extend.torso = -8.0;
    extend.legNear = {48.0, 38.0, 80.0};
    extend.legFar = {20.0, -62.0, 40.0};
    Pose kickOut = extend;
    kickOut.torso = -14.0;
    kickOut.legNear = {55.0, 58.0, 100.0};
    kickOut.armNear = {80.0, 140.0};
    return frames_.move("airKick", "B", kInAir,
                        {noted(beat(tuck, 6, "windup"), "airKick: flying kick, down and forward"),
                         withSound(beat(extend, 6, "windup"), sounds::kWhoosh),
                         active(beat(kickOut, 14, "active"), Striker::NearFoot, 8),
                         active(beat(kickOut, 12, "active"), Striker::NearFoot, 8),
                         beat(tuck, 12, "recover")});
}

MoveRecord BrawlerMoves::kick() const {
    Pose chamber = PoseBook::guard();
    chamber.torso = -8.0;
    chamber.legNear = {95.0, 10.0, 120.0};
    chamber.legFar = {-4.0, -4.0};
    chamber.armNear = {60.0, 150.0};
    chamber.armFar = {20.0, 160.0};
    Pose extending = chamber;
    extending.legNear = {95.0, 55.0, 150.0};
    Pose extended = chamber;
    extended.torso = -14.0;
    extended.legNear = {92.0, 94.0, 172.0};
    return frames_.move(
        "kick", "B", kOnGround,
        {noted(beat(chamber, 10, "windup"), "kick: knee up, then push the heel out"),
         withSound(beat(extending, 6, "windup"), sounds::kWhooshHeavy),
         moving(active(beat(extended, 10, "active"), Striker::NearFoot, 10), 1),
         active(beat(extended, 8, "active"), Striker::NearFoot, 10), beat(chamber, 10, "recover"),
         beat(PoseBook::guard(), 10, "guard")});
}

} // namespace contentgen
