#pragma once

// Where the moving handle of a demonstration is at a given time since the run began:
// pure arithmetic on the figure as the run found it, no Qt and no clock of its own.
// The position comes from the time alone, so a late frame never changes the speed.
class DemoMotion {
  public:
    // What moves; the numbers are those of the drag targets.
    enum class Mover { P = 1, A = 2, B = 3, Radius = 4 };
    enum class Speed { Slow, Normal, Fast };

    // The figure when the run begins.
    struct Figure {
        double oX = 0, oY = 0;
        float radius = 0;
        double angleA = 0, angleB = 0, angleP = 0;
        double pX = 0, pY = 0;
        bool pOnCircle = true;
    };

    // The handle's angle in degrees (for the radius handle, the radius) and the
    // pointer position of the drag that puts it there.
    struct Place {
        double value = 0;
        double x = 0, y = 0;
    };

    DemoMotion(Mover mover, Speed speed, const Figure& start);

    Place at(double seconds) const;

    // When P will have gone `degrees` round; never for another mover (a negative time).
    double timeOfTurn(double degrees) const;

    // Degrees a second for the points, pixels a second for the radius.
    static double rateOf(Mover mover, Speed speed);
    double rate() const { return rate_; }
    const Figure& start() const { return start_; }

    // A swing of A or B that would be shorter goes back this far past its start.
    static constexpr double kShortestSwing = 30;
    // The drag's limits are strict; the turning points stay this far inside them.
    static constexpr double kInside = 0.01;

  private:
    Mover mover_;
    double rate_;
    Figure start_;
    double low_ = 0, high_ = 0; // the swing of A, B or the radius
    double distance_ = 0;       // P's distance from O, kept on its way round
    double angleP_ = 0;         // P's angle at the start
};
