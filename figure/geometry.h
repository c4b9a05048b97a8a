#pragma once
#include <array>
#include <optional>
#include <string>

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

// The pointer `distance` from O whose pointerAngle() is theta (0 <= theta < 360). With
// 3.14 for pi that is not pointOnCircle() away from the first quadrant.
Point pointerAt(double oX, double oY, double theta, double distance);

// The limits a drag keeps: A and B this many degrees apart, the radius strictly between.
inline constexpr double kMinimumArc = 15;
inline constexpr double kInnerRadius = 75;
inline constexpr double kOuterRadius = 275;

// `angle` turned by `step` degrees (negative: clockwise) as the pointer angle would
// give it, 0 <= result < 360, with the rounding noise of the sum taken away so that
// ten steps of 0.1 from 220 give 221 exactly.
double turnedAngle(double angle, double step);

} // namespace geometry

namespace geometry {

// Where P lies against the arc from A anticlockwise to B. Off that arc (Case 1) the
// angle at P stands on it; on it, ends included (Case 2), the angle at P stands on the
// other arc, from B anticlockwise through 0 to A.
enum class FigureCase { OffArc, OnArc };

// The case of a P on the circle, from its angle. Expects 0 < angleA < angleB < 360.
// Off the circle P's angle does not tell the side of AB: the figure uses
// figureCaseOfSide() below.
FigureCase figureCase(double angleA, double angleB, double angleP);

// The case for P anywhere, on the circle or off it: the side of the line through A and
// B on which P lies, from the sign of the cross product of B - A and P - A in screen
// coordinates. The side of the arc from A anticlockwise to B is Case 2, and so is the
// line itself (P on A or on B included); the other side is Case 1. The angle at P then
// always stands on the arc on the far side of the line from P. For P on the circle this
// is figureCase() of its angle, up to rounding right at A and B.
FigureCase figureCaseOfSide(Point a, Point b, Point p);

// A ray in screen coordinates (y downwards): the point at distance r is
// (x + r * dx, y + r * dy). Seeds of the flood fills lie on such rays.
struct Ray {
    double x = 0, y = 0;
    double dx = 0, dy = 0;
    Point at(double r) const { return {x + r * dx, y + r * dy}; }
};

// The open sector at P between the rays to A and to B that the angle of the case
// sweeps: anticlockwise from PA to PB in Case 1, from PB to PA in Case 2. With P on the
// side of its case it is the angle APB itself, never wider than a half plane; when the
// rays point the same way it is empty.
class SectorAtP {
  public:
    SectorAtP(Point a, Point b, Point p, FigureCase figure);
    // True when (x, y) lies strictly between the two rays.
    bool contains(double x, double y) const;
    // How far (x, y) lies outside the sector, 0 on or inside it.
    double distanceOutside(double x, double y) const;
    // The ray from P halfway between the two rays (a half plane's middle when they are opposite).
    Ray bisector() const;

  private:
    Point p_;
    double fromX_, fromY_, toX_, toY_;
};

// The ray from (x, y) in the direction theta (degrees, anticlockwise on screen).
Ray rayAt(double x, double y, double theta);
// The ray from (x, y) in the direction opposite theta.
Ray rayOpposite(double x, double y, double theta);

// The ray from O towards the arc the angle at P stands on: the middle of the arc
// from A to B in Case 1, the opposite direction in Case 2.
Ray rayTowardsSubtendedArc(double oX, double oY, double angleA, double angleB, FigureCase figure);

// Whole pixel of a point, each coordinate rounded half to even.
struct Pixel {
    int x = 0, y = 0;
};
Pixel toPixel(Point point);

// Direction of the ray from P to (x, y) in whole degrees 0..359, rounded half to
// even. A point straight above P gives 90, straight below 270; no direction when
// the point is P itself.
std::optional<int> directionFromP(double pX, double pY, double x, double y);

struct Segment {
    Point from, to;
};

// The line through P and (x, y) between `halfHeight` pixels above and below P; a
// horizontal line reaches `halfHeight` pixels to each side. None when the point is
// P itself.
std::optional<Segment> guideLine(double pX, double pY, double x, double y, double halfHeight = 100);

// Sweep of the angle at P that stands on the subtended arc, in whole degrees:
// anticlockwise from PA to PB in Case 1, from PB to PA in Case 2.
int sweepAtP(FigureCase figure, int dirPA, float dirPB);

// True when the angle at P contains the direction 0, so that the middle of the two
// directions points away from it.
bool sweepContainsZero(FigureCase figure, int dirPA, float dirPB);

// Seeds of the mark of the angle at P, in order: the middle of the angle, and when
// it contains the direction 0 and is wide enough, one seed 5 degrees inside each of
// its rays.
struct SeedRays {
    std::array<Ray, 3> rays;
    int count = 0;
};
SeedRays seedRaysAtP(double pX, double pY, FigureCase figure, int dirPA, float dirPB);

// The angle between the rays PA and PB, 0..180, from their whole-degree directions.
int angleBetweenRays(int dirPA, float dirPB);

// ∠AOB on the arc from A to B: the difference of the whole parts of the angles.
int centralAngleOfArc(double angleA, double angleB);
// ∠AOB on the subtended arc of the case.
int subtendedCentralAngle(FigureCase figure, double angleA, double angleB);

// A whole number as the readouts show it: digits only, a minus sign when negative.
std::string wholeNumberText(int value);
// Half of a whole number: "50" or "50.5".
std::string halfText(int value);

} // namespace geometry
