#include "figure/demomotion.h"

#include "figure/geometry.h"

#include <algorithm>
#include <cmath>

namespace {

// Where a swing between `low` and `high` stands after going `travelled` from `from`,
// turning at each end; upwards first, or downwards when `down` is set.
double swing(double low, double high, double from, double travelled, bool down) {
    const double span = high - low;
    if (!(span > 0)) return from;
    const double gone = std::fmod((down ? high - from : from - low) + travelled, 2 * span);
    const double offset = gone <= span ? gone : 2 * span - gone;
    return down ? high - offset : low + offset;
}

} // namespace

double DemoMotion::rateOf(Mover mover, Speed speed) {
    constexpr double kDegrees[3] = {10, 20, 45};
    constexpr double kPixels[3] = {20, 40, 90};
    const int index = static_cast<int>(speed);
    return mover == Mover::Radius ? kPixels[index] : kDegrees[index];
}

DemoMotion::DemoMotion(Mover mover, Speed speed, const Figure& start)
    : mover_(mover), rate_(rateOf(mover, speed)), start_(start) {
    using geometry::kMinimumArc;
    switch (mover) {
    case Mover::P:
        if (start.pOnCircle) {
            distance_ = start.radius;
            angleP_ = start.angleP;
        } else {
            distance_ = std::hypot(start.pX - start.oX, start.pY - start.oY);
            angleP_ = geometry::pointerAngle(start.oX, start.oY, start.pX, start.pY);
        }
        break;
    case Mover::A:
        // Towards B to its limit, and back to where A began, or further when that
        // swing would hardly show.
        high_ = start.angleB - kMinimumArc - kInside;
        low_ = std::max(kInside, std::min(start.angleA, high_ - kShortestSwing));
        break;
    case Mover::B:
        low_ = start.angleA + kMinimumArc + kInside;
        high_ = std::min(360 - kInside, std::max(start.angleB, low_ + kShortestSwing));
        break;
    case Mover::Radius:
        low_ = geometry::kInnerRadius + kInside;
        high_ = geometry::kOuterRadius - kInside;
        break;
    }
}

DemoMotion::Place DemoMotion::at(double seconds) const {
    const double travelled = rate_ * std::max(0.0, seconds);
    const Figure& f = start_;
    switch (mover_) {
    case Mover::P: {
        const double angle = geometry::turnedAngle(angleP_, travelled);
        const geometry::Point to = geometry::pointerAt(f.oX, f.oY, angle, distance_);
        return {angle, to.x, to.y};
    }
    case Mover::A:
    case Mover::B: {
        const double from = mover_ == Mover::A ? f.angleA : f.angleB;
        const double angle = swing(low_, high_, std::clamp(from, low_, high_), travelled, mover_ == Mover::B);
        const geometry::Point to = geometry::pointerAt(f.oX, f.oY, angle, f.radius);
        return {angle, to.x, to.y};
    }
    case Mover::Radius: {
        // The handle runs along its diagonal from O; only its x counts.
        const double radius = swing(low_, high_, std::clamp<double>(f.radius, low_, high_), travelled, false);
        return {radius, f.oX + radius, f.oY + radius};
    }
    }
    return {};
}

double DemoMotion::timeOfTurn(double degrees) const {
    return mover_ == Mover::P ? degrees / rate_ : -1;
}
