#include "widgets/zoomsteps.h"

#include <algorithm>
#include <cmath>

namespace zoomsteps {

namespace {
// Steps are counted in quarters, so that they compare exactly.
int quarters(double factor) {
    return static_cast<int>(std::lround(factor / kStep));
}
double fromQuarters(int count) {
    return std::clamp(count * kStep, kSmallest, kLargest);
}
} // namespace

double nearest(double factor) {
    if (!std::isfinite(factor)) return 1;
    return fromQuarters(quarters(std::clamp(factor, kSmallest, kLargest)));
}

// A factor between steps (a fit, 93 %) goes to the step next to it on that side.
double larger(double factor) {
    const double from = wholePercent(factor);
    return fromQuarters(static_cast<int>(std::floor(from / kStep + 1e-9)) + 1);
}

double smaller(double factor) {
    const double from = wholePercent(factor);
    return fromQuarters(static_cast<int>(std::ceil(from / kStep - 1e-9)) - 1);
}

double wholePercent(double factor) {
    if (!std::isfinite(factor)) return 1;
    return std::lround(std::clamp(factor, kSmallest, kLargest) * 100) / 100.0;
}

double fitting(double wanted, int designWidth, int designHeight, int frameWidth, int frameHeight,
               int availableWidth, int availableHeight) {
    auto fits = [&](int percent) {
        const double factor = percent / 100.0;
        return scaled(designWidth, factor) + frameWidth <= availableWidth &&
               scaled(designHeight, factor) + frameHeight <= availableHeight;
    };
    const int smallest = static_cast<int>(std::lround(kSmallest * 100));
    int percent = static_cast<int>(std::lround(wholePercent(wanted) * 100));
    while (percent > smallest && !fits(percent)) --percent;
    return percent / 100.0;
}

double comfortable(int designWidth, int designHeight, int availableWidth, int availableHeight) {
    double factor = 1;
    for (double next = larger(factor); next > factor; next = larger(factor)) {
        if (3 * scaled(designWidth, next) > 2 * availableWidth ||
            3 * scaled(designHeight, next) > 2 * availableHeight)
            break;
        factor = next;
    }
    return factor;
}

double filling(int designWidth, int designHeight, int screenWidth, int screenHeight) {
    if (designWidth <= 0 || designHeight <= 0 || screenWidth <= 0 || screenHeight <= 0) return 1;
    return std::min(static_cast<double>(screenWidth) / designWidth,
                    static_cast<double>(screenHeight) / designHeight);
}

int scaled(int length, double factor) {
    return static_cast<int>(std::lround(length * factor));
}

} // namespace zoomsteps
