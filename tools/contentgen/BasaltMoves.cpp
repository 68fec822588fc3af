#include "tools/contentgen/BasaltMoves.h"

#include <cmath>

#include "tools/contentgen/BasaltPoses.h"
#include "tools/contentgen/BasaltSounds.h"
#include "tools/contentgen/Choreography.h"
#include "tools/contentgen/Layout.h"
#include "tools/contentgen/SoundNames.h"
#include "tools/contentgen/StoneArt.h"

namespace contentgen {

using namespace choreography;

namespace {

// The stone leaves the hand here: arm high and forward at the end of the throw.
Pose throwRelease() {
    Pose p = BasaltPoses::stance();
    p.torso = 22.0;
    p.hip.x = 4.0;
    p.armNear = {128.0, 112.0};
    p.armFar = {-20.0, 10.0};
    p.legNear = {34.0, 8.0};
    p.legFar = {-34.0, -20.0};
    return p;
}

// Bent low behind the lead forearm, the whole weight going forward.
Pose charging(double stride) {
    Pose p = BasaltPoses::stance();
    p.hip = {-8.0, -60.0};
    p.torso = 36.0;
    p.head = -30.0;
    p.armNear = {76.0, 84.0};
    p.armFar = {30.0, 70.0};
    p.legNear = {30.0 + 16.0 * stride, 4.0 - 20.0 * std::fabs(stride)};
    p.legFar = {-36.0 - 10.0 * stride, -30.0 - 14.0 * std::fabs(stride)};
    return p;
}

Pose crossedArms(Pose p) {
    p.armNear = {78.0, 168.0};
    p.armFar = {92.0, 160.0};
    p.head = 10.0;
    return p;
}

} // namespace

BasaltMoves::BasaltMoves(const FighterArtist& artist, const FighterFrames& frames)
    : artist_(artist), frames_(frames) {}

std::vector<MoveRecord> BasaltMoves::build() const {
    // The low hammer must be blocked crouching; the hammer and the air slam, coming down
    // from above, standing.
    MoveRecord low = lowHammer();
    low.height = "low";
    MoveRecord slam = airSlam();
    slam.height = "overhead";
    MoveRecord overhead = hammer();
    overhead.height = "overhead";
    return {hit(), blockHigh(), blockLow(), blockAir(), stoneToss(), shoulderRush(),
            low,   slam,        hook(),     stomp(),    overhead};
}

// Close blows first, then the two specials, as the opponent draws them by position.
AttackTable BasaltMoves::attackTable() {
    AttackTable t;
    t.groups[0] = {{"hook", 'S'},   {"stomp", 'S'},        {"lowHammer", 'S'},
                   {"hammer", 'S'}, {"shoulderRush", 'M'}, {"stoneToss", 'M'}};
    t.groups[2] = {{"airSlam", 'S'}};
    return t;
}

SpawnLine BasaltMoves::stoneSpawn() const {
    const Skeleton s = artist_.skeleton(throwRelease());
    const Vec2 hand = s.armNear().tip;
    // Ahead of the hand and clear of the head, so the stone never touches its thrower.
    const int forward = static_cast<int>(std::lround(hand.x - layout::kAnchorX)) + 18;
    const int up = static_cast<int>(std::lround(layout::kAnchorY - hand.y));
    return {StoneArt::kStone, forward, up};
}

MoveRecord BasaltMoves::hit() const {
    Pose rock = BasaltPoses::stance();
    rock.torso = -12.0;
    rock.head = -22.0;
    rock.armNear = {10.0, 50.0};
    rock.armFar = {-20.0, 20.0};
    rock.legNear = {36.0, 16.0};
    Pose sag = rock;
    sag.torso = -4.0;
    sag.head = 6.0;
    sag.armNear = {20.0, 30.0};
    return frames_.move(
        "hit1", kReaction, kAnyState,
        {noted(moving(beat(rock, 10, "recoil"), -1), "hit1: rocks back, barely moved"),
         moving(withSound(beat(rock, 14, "recoil"), BasaltSounds::kGrunt), -1),
         beat(sag, 14, "recover"), beat(BasaltPoses::stance(), 12, "guard")});
}

MoveRecord BasaltMoves::blockHigh() const {
    Pose brace = crossedArms(BasaltPoses::stance());
    Pose pushed = brace;
    pushed.torso = 8.0;
    return frames_.move(
        "blockHi", kReaction, kAnyState,
        {noted(beat(brace, 8, "brace"), "blockHi: forearms crossed before the face"),
         moving(withSound(beat(pushed, 12, "block"), sounds::kClack), -1), beat(brace, 10, "block"),
         beat(BasaltPoses::stance(), 8, "guard")});
}

MoveRecord BasaltMoves::blockLow() const {
    Pose brace = BasaltPoses::crouch();
    brace.armNear = {64.0, 14.0};
    brace.armFar = {40.0, 150.0};
    Pose pushed = brace;
    pushed.torso -= 4.0;
    return frames_.move("blockLo", kReaction, kAnyState,
                        {noted(beat(brace, 8, "brace"), "blockLo: a forearm down across the shins"),
                         moving(withSound(beat(pushed, 12, "block"), sounds::kClack), -1),
                         beat(brace, 10, "block"), beat(BasaltPoses::crouch(), 8, "crouch")});
}

MoveRecord BasaltMoves::blockAir() const {
    Pose brace = crossedArms(BasaltPoses::airborne());
    Pose pushed = brace;
    pushed.torso = 0.0;
    return frames_.move("blockAir", kReaction, kAnyState,
                        {noted(beat(brace, 8, "brace"), "blockAir: arms crossed in the air"),
                         withSound(beat(pushed, 12, "block"), sounds::kClack),
                         beat(brace, 10, "block"), beat(BasaltPoses::airborne(), 8, "jump")});
}

MoveRecord BasaltMoves::stoneToss() const {
    Pose reach = BasaltPoses::stance();
    reach.torso = -10.0;
    reach.head = -16.0;
    reach.armNear = {-40.0, -100.0};
    reach.legNear = {36.0, 8.0};
    reach.legFar = {-34.0, -20.0};
    Pose overhead = reach;
    overhead.torso = 0.0;
    overhead.armNear = {172.0, 150.0};
    Beat release = beat(throwRelease(), 14, "release");
    release.particles = {stoneSpawn()};
    release.note = "the stone leaves here, high, then falls under its own gravity";
    Pose follow = throwRelease();
    follow.torso = 30.0;
    follow.armNear = {70.0, 50.0};
    return frames_.move("stoneToss", "DRB", kOnGround,
                        {noted(beat(reach, 14, "windup"), "stoneToss: reaches back for a stone"),
                         withSound(beat(overhead, 10, "windup"), BasaltSounds::kHeave), release,
                         beat(follow, 16, "recover"), beat(BasaltPoses::stance(), 14, "guard")});
}

MoveRecord BasaltMoves::shoulderRush() const {
    Pose set = charging(0.0);
    set.hip.x = -14.0;
    return frames_.move(
        "shoulderRush", "LRC", kOnGround,
        {noted(beat(set, 14, "windup"), "shoulderRush: drops low, then charges (moveX)"),
         moving(withSound(beat(charging(-0.6), 8, "windup"), BasaltSounds::kCharge), 4),
         noted(moving(active(beat(charging(0.6), 12, "active"), Striker::NearFist, 10), 7),
               "the attack box travels with him"),
         moving(active(beat(charging(-0.6), 12, "active"), Striker::NearFist, 10), 7),
         moving(active(beat(charging(0.6), 12, "active"), Striker::NearFist, 10), 6),
         moving(beat(charging(0.0), 14, "recover"), 2), beat(BasaltPoses::stance(), 14, "guard")});
}

MoveRecord BasaltMoves::lowHammer() const {
    Pose raise = BasaltPoses::crouch();
    raise.torso = 20.0;
    raise.armNear = {150.0, 172.0};
    raise.armFar = {140.0, 170.0};
    Pose smash = BasaltPoses::crouch();
    smash.hip = {-2.0, -36.0};
    smash.torso = 56.0;
    smash.head = -40.0;
    smash.armNear = {84.0, 4.0};
    smash.armFar = {74.0, 0.0};
    return frames_.move(
        "lowHammer", "DC", kOnGround,
        {noted(beat(raise, 14, "windup"), "lowHammer: both fists down on the shins"),
         withSound(beat(raise, 6, "windup"), BasaltSounds::kCrack),
         active(beat(smash, 12, "active"), Striker::NearFist, 12),
         active(beat(smash, 10, "active"), Striker::NearFist, 12),
         beat(BasaltPoses::crouch(), 14, "recover")});
}

MoveRecord BasaltMoves::airSlam() const {
    Pose up = BasaltPoses::airborne();
    up.armNear = {165.0, 175.0};
    up.armFar = {155.0, 172.0};
    Pose slam = BasaltPoses::airborne();
    slam.torso = 26.0;
    slam.armNear = {108.0, 62.0};
    slam.armFar = {98.0, 56.0};
    return frames_.move(
        "airSlam", "A", kInAir,
        {noted(beat(up, 8, "windup"), "airSlam: both fists brought down in the air"),
         withSound(beat(up, 6, "windup"), sounds::kWhooshHeavy),
         active(beat(slam, 14, "active"), Striker::NearFist, 9),
         active(beat(slam, 10, "active"), Striker::NearFist, 9),
         beat(BasaltPoses::airborne(), 12, "recover")});
}

MoveRecord BasaltMoves::hook() const {
    Pose cock = BasaltPoses::stance();
    cock.torso = 4.0;
    cock.armNear = {30.0, 150.0};
    Pose swing = BasaltPoses::stance();
    swing.torso = 14.0;
    swing.armNear = {70.0, 130.0};
    Pose land = BasaltPoses::stance();
    land.torso = 24.0;
    land.hip.x = 6.0;
    land.armNear = {96.0, 112.0};
    return frames_.move(
        "hook", "A", kOnGround,
        {noted(beat(cock, 10, "windup"), "hook: a wide, heavy swing of the lead hand"),
         withSound(beat(swing, 6, "windup"), sounds::kWhooshHeavy),
         noted(active(beat(land, 12, "active"), Striker::NearFist, 14),
               "the only frame that hurts"),
         beat(swing, 12, "recover"), beat(BasaltPoses::stance(), 10, "guard")});
}

MoveRecord BasaltMoves::stomp() const {
    Pose lift = BasaltPoses::stance();
    lift.torso = -6.0;
    lift.legNear = {92.0, 0.0, 110.0};
    lift.legFar = {-6.0, -6.0};
    Pose push = lift;
    push.torso = -12.0;
    push.legNear = {84.0, 84.0, 175.0};
    return frames_.move(
        "stomp", "B", kOnGround,
        {noted(beat(lift, 12, "windup"), "stomp: knee high, then the boot sole out"),
         withSound(beat(lift, 6, "windup"), sounds::kWhooshLow),
         moving(active(beat(push, 12, "active"), Striker::NearFoot, 12), 1),
         active(beat(push, 8, "active"), Striker::NearFoot, 12), beat(lift, 12, "recover"),
         beat(BasaltPoses::stance(), 10, "guard")});
}

MoveRecord BasaltMoves::hammer() const {
    Pose slam = BasaltPoses::stance();
    slam.torso = 30.0;
    slam.head = -24.0;
    slam.armNear = {104.0, 76.0};
    slam.armFar = {96.0, 70.0};
    slam.legNear = {36.0, 10.0};
    slam.legFar = {-30.0, -20.0};
    return frames_.move(
        "hammer", "C", kAnyState,
        {noted(beat(BasaltPoses::fistsOverhead(), 16, "windup"),
               "hammer: both fists from overhead, down on the head"),
         withSound(beat(BasaltPoses::fistsOverhead(), 6, "windup"), BasaltSounds::kCrack),
         active(beat(slam, 12, "active"), Striker::NearFist, 16),
         active(beat(slam, 10, "active"), Striker::NearFist, 16), beat(slam, 14, "recover"),
         beat(BasaltPoses::stance(), 12, "guard")});
}

} // namespace contentgen
