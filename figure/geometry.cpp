#include "figure/geometry.h"

#include <algorithm>
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

double turnedAngle(double angle, double step) {
    constexpr double kGrain = 1e9; // far finer than any angle a pointer or a key can set
    double turned = std::fmod(angle + step, 360.0);
    if (turned < 0) turned += 360.0;
    turned = std::round(turned * kGrain) / kGrain;
    return turned >= 360.0 ? turned - 360.0 : turned;
}

} // namespace geometry

namespace geometry {

FigureCase figureCase(double angleA, double angleB, double angleP) {
    const bool offArc = (0 <= angleP && angleP < angleA) || (angleB < angleP && angleP < 360);
    return offArc ? FigureCase::OffArc : FigureCase::OnArc;
}

Ray rayAt(double x, double y, double theta) {
    return {x, y, std::cos(toRadians(theta)), -std::sin(toRadians(theta))};
}

Ray rayOpposite(double x, double y, double theta) {
    return {x, y, -std::cos(toRadians(theta)), std::sin(toRadians(theta))};
}

Ray rayTowardsSubtendedArc(double oX, double oY, double angleA, double angleB, FigureCase figure) {
    const double middle = (angleA + angleB) / 2;
    return figure == FigureCase::OffArc ? rayAt(oX, oY, middle) : rayOpposite(oX, oY, middle);
}

Pixel toPixel(Point point) {
    return {static_cast<int>(roundHalfEven(point.x)), static_cast<int>(roundHalfEven(point.y))};
}

std::optional<int> directionFromP(double pX, double pY, double x, double y) {
    const double run = x - pX;
    if (run == 0) {
        if (y == pY) return std::nullopt;
        return y < pY ? 90 : 270;
    }
    const double shift = run > 0 ? 360 : 180;
    const double whole = roundHalfEven(toDegrees(std::atan((pY - y) / run)) + shift);
    return static_cast<int>(whole) % 360;
}

std::optional<Segment> guideLine(double pX, double pY, double x, double y, double halfHeight) {
    const double run = x - pX, rise = y - pY;
    if (rise == 0) {
        if (run == 0) return std::nullopt;
        return Segment{{pX - halfHeight, pY}, {pX + halfHeight, pY}};
    }
    // A nearly level line would reach absurdly far; beyond this it is level on the canvas anyway.
    constexpr double kFarthest = 1e6;
    const double reach = std::clamp(halfHeight * run / rise, -kFarthest, kFarthest);
    return Segment{{pX - reach, pY - halfHeight}, {pX + reach, pY + halfHeight}};
}

bool sweepContainsZero(FigureCase figure, int dirPA, float dirPB) {
    return figure == FigureCase::OffArc ? dirPA > dirPB : dirPA < dirPB;
}

int sweepAtP(FigureCase figure, int dirPA, float dirPB) {
    const int difference = static_cast<int>(std::fabs(dirPA - dirPB));
    return sweepContainsZero(figure, dirPA, dirPB) ? 360 - difference : difference;
}

SeedRays seedRaysAtP(double pX, double pY, FigureCase figure, int dirPA, float dirPB) {
    constexpr double kSideTurn = 5;
    const double middle = (dirPA + static_cast<double>(dirPB)) / 2;
    SeedRays seeds;
    if (!sweepContainsZero(figure, dirPA, dirPB)) {
        seeds.rays[seeds.count++] = rayAt(pX, pY, middle);
        return seeds;
    }
    seeds.rays[seeds.count++] = rayOpposite(pX, pY, middle);
    // The side seeds stay at least 5 degrees inside both rays, never in a neighbouring sector.
    if (sweepAtP(figure, dirPA, dirPB) < 2 * kSideTurn) return seeds;
    const bool offArc = figure == FigureCase::OffArc;
    const double first = offArc ? dirPA : static_cast<double>(dirPB);
    const double last = offArc ? static_cast<double>(dirPB) : dirPA;
    seeds.rays[seeds.count++] = rayAt(pX, pY, static_cast<float>(first) + static_cast<float>(kSideTurn));
    seeds.rays[seeds.count++] = rayAt(pX, pY, last - kSideTurn);
    return seeds;
}

int centralAngleOfArc(double angleA, double angleB) {
    const double difference = std::floor(angleB) - std::floor(angleA) + 360;
    return static_cast<int>(std::fabs(std::fmod(difference, 360)));
}

int subtendedCentralAngle(FigureCase figure, double angleA, double angleB) {
    const int arc = centralAngleOfArc(angleA, angleB);
    return figure == FigureCase::OffArc ? arc : 360 - arc;
}

std::string wholeNumberText(int value) {
    return std::to_string(value);
}

std::string halfText(int value) {
    const std::string whole = std::to_string(value / 2);
    if (value % 2 == 0) return whole;
    // -1 / 2 truncates to 0: keep the sign the half belongs to.
    return (value < 0 && value / 2 == 0 ? "-" : "") + whole + ".5";
}

} // namespace geometry
