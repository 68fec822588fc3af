#pragma once

#include <cmath>

namespace contentgen {

// A point or direction in image pixels: x to the right, y downwards.
struct Vec2 {
    double x = 0.0;
    double y = 0.0;
};

inline Vec2 operator+(Vec2 a, Vec2 b) {
    return {a.x + b.x, a.y + b.y};
}
inline Vec2 operator-(Vec2 a, Vec2 b) {
    return {a.x - b.x, a.y - b.y};
}
inline Vec2 operator*(Vec2 a, double k) {
    return {a.x * k, a.y * k};
}
inline double dot(Vec2 a, Vec2 b) {
    return a.x * b.x + a.y * b.y;
}
inline double length(Vec2 a) {
    return std::sqrt(dot(a, a));
}
inline Vec2 lerp(Vec2 a, Vec2 b, double t) {
    return a + (b - a) * t;
}

constexpr double kPi = 3.14159265358979323846;
inline double radians(double deg) {
    return deg * kPi / 180.0;
}

// A limb direction given as degrees away from straight down, positive towards the way
// the fighter faces (right in the unmirrored frames): 0 hangs, 90 points forward,
// 180 points up. Poses are written in these terms because that is how one thinks of
// a limb ("thigh 90 degrees forward").
inline Vec2 limbDirection(double deg) {
    double a = radians(deg);
    return {std::sin(a), std::cos(a)};
}

// Rotates a vector by deg (positive turns +x towards +y, i.e. clockwise on screen).
inline Vec2 rotate(Vec2 v, double deg) {
    double a = radians(deg);
    double c = std::cos(a);
    double s = std::sin(a);
    return {v.x * c - v.y * s, v.x * s + v.y * c};
}

// An axis-aligned box in whole pixels, bounds inclusive like the engine's boxes.
// left > right holds no point.
struct Box {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

inline bool operator==(Box a, Box b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline bool isEmpty(Box b) {
    return b.left > b.right || b.top > b.bottom;
}

// Whether two non-empty boxes share at least one pixel.
inline bool overlaps(Box a, Box b) {
    if (isEmpty(a) || isEmpty(b))
        return false;
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

inline Box shifted(Box b, int dx, int dy) {
    return {b.left + dx, b.top + dy, b.right + dx, b.bottom + dy};
}

// The box written for "no box". Holding no point is not enough: the engine's collider
// also asks whether a corner of one box lies inside the other, and the corners of an
// empty box at the image origin can sit inside a body standing behind and above. So
// the empty box is also put far above anything that can stand on the stage.
constexpr Box kNoBox{1, -3000, 0, -3000};

} // namespace contentgen
