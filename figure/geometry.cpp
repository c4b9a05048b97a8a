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

Point pointerAt(double oX, double oY, double theta, double distance) {
    constexpr double kRealPi = 3.141592653589793;
    // pointerAngle() reads atan with 3.14 for pi and adds 180 or 360 by quadrant; undo that.
    double real = theta * kPi / 180;
    if (theta > 90 && theta < 270)
        real = (theta - 180) * kPi / 180 + kRealPi;
    else if (theta >= 270)
        real = (theta - 360) * kPi / 180 + 2 * kRealPi;
    return {oX + distance * std::cos(real), oY - distance * std::sin(real)};
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

FigureCase figureCaseOfSide(Point a, Point b, Point p) {
    const double cross = (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
    // Screen y grows downwards, so the arc from A anticlockwise to B lies where the cross is positive.
    return cross < 0 ? FigureCase::OffArc : FigureCase::OnArc;
}

namespace {

// Positive when (x2, y2) lies anticlockwise on screen from (x1, y1), within a half turn.
double turn(double x1, double y1, double x2, double y2) {
    return y1 * x2 - x1 * y2;
}

} // namespace

SectorAtP::SectorAtP(Point a, Point b, Point p, FigureCase figure) : p_(p) {
    const Point from = figure == FigureCase::OffArc ? a : b;
    const Point to = figure == FigureCase::OffArc ? b : a;
    fromX_ = from.x - p.x;
    fromY_ = from.y - p.y;
    toX_ = to.x - p.x;
    toY_ = to.y - p.y;
}

bool SectorAtP::contains(double x, double y) const {
    const double wx = x - p_.x, wy = y - p_.y;
    return turn(fromX_, fromY_, wx, wy) > 0 && turn(wx, wy, toX_, toY_) > 0;
}

double SectorAtP::distanceOutside(double x, double y) const {
    if (contains(x, y)) return 0;
    const double wx = x - p_.x, wy = y - p_.y;
    const auto fromRay = [&](double rx, double ry) {
        const double length = std::hypot(rx, ry);
        if (length == 0 || wx * rx + wy * ry <= 0) return std::hypot(wx, wy);
        return std::fabs(turn(rx, ry, wx, wy)) / length;
    };
    return std::min(fromRay(fromX_, fromY_), fromRay(toX_, toY_));
}

Ray SectorAtP::bisector() const {
    const double fromLength = std::hypot(fromX_, fromY_), toLength = std::hypot(toX_, toY_);
    if (fromLength == 0 || toLength == 0) return {p_.x, p_.y, 0, 0};
    const double dx = fromX_ / fromLength + toX_ / toLength, dy = fromY_ / fromLength + toY_ / toLength;
    const double length = std::hypot(dx, dy);
    // Opposite rays: a quarter turn anticlockwise from the first.
    if (length < 1e-12) return {p_.x, p_.y, fromY_ / fromLength, -fromX_ / fromLength};
    return {p_.x, p_.y, dx / length, dy / length};
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

int angleBetweenRays(int dirPA, float dirPB) {
    const int difference = static_cast<int>(std::fabs(dirPA - dirPB));
    return difference > 180 ? 360 - difference : difference;
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
