#include "figure/geometry.h"

#include <cfenv>
#include <cmath>

namespace geometry {

double toRadians(double degrees) {
    return degrees * kPi / 180.0;
}

double toDegrees(double radians) {
    return radians * 180.0 / kPi;
}

Point pointOnCircle(double oX, double oY, float radius, double theta) {
    const double r = radius;
    return {oX + r * std::cos(toRadians(theta)), oY - r * std::sin(toRadians(theta))};
}

Point letterCorner(double oX, double oY, float radius, double theta, double gap) {
    const double reach = static_cast<double>(radius + static_cast<float>(gap));
    return {oX + reach * std::cos(toRadians(theta)) - 12, oY - reach * std::sin(toRadians(theta)) - 15};
}

double roundHalfEven(double value) {
    // nearbyint honours the current rounding mode; the default is to nearest, ties to even.
    if (std::fegetround() == FE_TONEAREST) return std::nearbyint(value);
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(saved);
    return rounded;
}

} // namespace geometry

namespace geometry {

double pointerAngle(double oX, double oY, double x, double y) {
    if (x == oX) return y > oY ? 270.0 : 90.0;
    if (x > oX && y == oY) return 0.0;
    const double degrees = std::atan((oY - y) / (x - oX)) * 180.0 / kPi;
    if (x < oX) return degrees + 180.0;
    return y < oY ? degrees : degrees + 360.0;
}

} // namespace geometry
