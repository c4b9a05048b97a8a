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

double larger(double factor) {
    return fromQuarters(quarters(nearest(factor)) + 1);
}

double smaller(double factor) {
    return fromQuarters(quarters(nearest(factor)) - 1);
}

double fitting(double wanted, int designWidth, int designHeight, int frameWidth, int frameHeight,
               int availableWidth, int availableHeight) {
    for (double factor = nearest(wanted); factor > kSmallest; factor = smaller(factor)) {
        if (scaled(designWidth, factor) + frameWidth <= availableWidth &&
            scaled(designHeight, factor) + frameHeight <= availableHeight)
            return factor;
    }
    return kSmallest;
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
