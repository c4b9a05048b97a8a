#pragma once
// The zoom steps of the window, without Qt: 25 % steps from 50 % to 300 %, and the
// factors, to the whole percent, at which the window fits a screen.
namespace zoomsteps {

inline constexpr double kSmallest = 0.5;
inline constexpr double kLargest = 3.0;
inline constexpr double kStep = 0.25;

// The step nearest to `factor`, within the range; 1 for a factor that is not a number.
double nearest(double factor);
// The next step above or below `factor` (which need not be a step), held within the range.
double larger(double factor);
double smaller(double factor);
// `factor` held within the range and rounded to the whole percent; 1 for one that is not a number.
double wholePercent(double factor);

// The largest factor, to the whole percent and not above `wanted`, at which a window of
// designWidth x designHeight (scaled) plus its frame (frameWidth x frameHeight, not scaled)
// fits in availableWidth x availableHeight; the smallest step when none fits.
double fitting(double wanted, int designWidth, int designHeight, int frameWidth, int frameHeight,
               int availableWidth, int availableHeight);

// The zoom of a first start: the largest step from 1 up at which designWidth x designHeight
// takes at most two thirds of availableWidth x availableHeight, leaving room about the
// window on a large screen; 1 where no larger step does.
double comfortable(int designWidth, int designHeight, int availableWidth, int availableHeight);

// The largest factor, not only a step, at which the design fits the whole screen.
double filling(int designWidth, int designHeight, int screenWidth, int screenHeight);

// A design length scaled by `factor`, rounded to whole pixels half away from zero.
int scaled(int length, double factor);

} // namespace zoomsteps
