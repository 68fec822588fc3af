#include <gtest/gtest.h>

#include "collision/SquareCollider.h"
#include "collision/boxOverlap.h"

namespace {

colBox box(int l, int t, int r, int b) {
    colBox c;
    c.left = l;
    c.top = t;
    c.right = r;
    c.bottom = b;
    return c;
}

struct BoxCase {
    const char* what;
    colBox a;
    colBox b;
    bool touch;
};

} // namespace

// Every pair is tried both ways round: whether boxes touch does not depend on which
// one the caller names first.
TEST(BoxCollider, TouchesByCornersOnEdgesAndInsideButNotCrossedLikeAPlus) {
    const BoxCase cases[] = {
        {"corner on corner", box(0, 0, 10, 10), box(10, 10, 20, 20), true},
        {"one pixel apart", box(0, 0, 10, 10), box(11, 0, 20, 10), false},
        {"shared edge", box(0, 0, 10, 10), box(10, 3, 20, 7), true},
        {"wholly inside", box(0, 0, 10, 10), box(-5, -5, 15, 15), true},
        {"plus-shaped crossing", box(0, 4, 20, 6), box(8, 0, 12, 10), false},
        {"negative coordinates", box(-10, -10, -1, -1), box(-5, -5, 0, 0), true},
        {"identical", box(3, 3, 9, 9), box(3, 3, 9, 9), true},
        {"below", box(0, 0, 10, 10), box(0, 11, 10, 20), false},
        {"empty box far away", box(0, 0, 10, 10), box(50, 50, 40, 40), false},
    };
    for (const BoxCase& c : cases) {
        EXPECT_EQ(c.touch, SquareCollider(c.a, c.b).collisionCheck()) << c.what;
        EXPECT_EQ(c.touch, SquareCollider(c.b, c.a).collisionCheck()) << c.what << " (swapped)";
    }
}

TEST(BoxCollider, PointsOnTheEdgeAreInsideAndSignedCoordinatesCompareAsNumbers) {
    SquareCollider c(box(0, 0, 10, 10), box(0, 0, 0, 0));
    EXPECT_TRUE(c.pointCollide(box(0, 0, 10, 10), 10, 0));
    EXPECT_FALSE(c.pointCollide(box(0, 0, 10, 10), 11, 0));
    EXPECT_FALSE(c.pointCollide(box(0, 0, 10, 10), 0, -1));
    EXPECT_TRUE(c.pointCollide(box(-10, -10, -1, -1), -5, -5));
    // indiCollide looks only at the second box's corners: a box around another has
    // none of its corners inside it.
    EXPECT_TRUE(c.indiCollide(box(-5, -5, 15, 15), box(0, 0, 10, 10)));
    EXPECT_FALSE(c.indiCollide(box(0, 0, 10, 10), box(-5, -5, 15, 15)));
    c.updateSquares(box(0, 4, 20, 6), box(19, 0, 30, 10));
    EXPECT_TRUE(c.collisionCheck());
}

// The match's test: any shared point, a plus-sign crossing and a shared edge included;
// boxes apart by a pixel, or holding no point, touch nothing.
TEST(BoxOverlap, AnySharedPointTouches) {
    colBox tall{40, 0, 60, 100}, wide{0, 40, 100, 60};
    EXPECT_TRUE(boxesOverlap(tall, wide));
    EXPECT_FALSE(SquareCollider(tall, wide).collisionCheck()) << "the corner test misses it";
    EXPECT_TRUE(boxesOverlap(tall, {60, 0, 80, 100}));
    EXPECT_TRUE(boxesOverlap(tall, {0, 100, 40, 120}));
    EXPECT_FALSE(boxesOverlap(tall, {61, 0, 80, 100}));
    EXPECT_FALSE(boxesOverlap(tall, {0, 101, 100, 120}));
    EXPECT_FALSE(boxesOverlap(tall, {1, -3000, 0, -3000}));
    EXPECT_FALSE(boxesOverlap({50, 50, 40, 60}, tall));
}
