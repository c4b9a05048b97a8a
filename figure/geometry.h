#pragma once
// Pure geometry of the figure: no Qt, no state. Every conversion between degrees
// and radians uses 3.14 rather than pi, so the figure matches the angles the
// lesson reads off the screen.

namespace geometry {

inline constexpr double kPi = 3.14;

struct Point {
    double x = 0;
    double y = 0;
};

// theta * 3.14 / 180, formed in that order.
double toRadians(double degrees);
// phi * 180 / 3.14, formed in that order.
double toDegrees(double radians);

// The point at angle theta (degrees, anticlockwise on screen) on the circle about (oX, oY).
Point pointOnCircle(double oX, double oY, float radius, double theta);

// Top-left corner of a letter's box standing `gap` pixels outside the circle in the
// direction theta, shifted 12 left and 15 up so the letter centres on that spot.
Point letterCorner(double oX, double oY, float radius, double theta, double gap = 30);

// Rounds to the nearest whole number, halves to even.
double roundHalfEven(double value);

// Single precision as handed to a mark.
inline float toSingle(double value) {
    return static_cast<float>(value);
}

} // namespace geometry

namespace geometry {

// Angle of the pointer (x, y) about O in degrees, 0 <= angle < 360. A pointer
// straight above O or at O itself gives 90, straight below 270.
double pointerAngle(double oX, double oY, double x, double y);

} // namespace geometry
