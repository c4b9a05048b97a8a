#pragma once
#include <QRect>

#include <vector>

class QWidget;
class ReadoutLabel;

// The window's controls at their design geometry and font sizes, placed again at any
// zoom: positions, sizes and font pixel sizes are the design ones times the factor.
class PanelLayout {
  public:
    // How a control's size follows the zoom.
    enum class Fit {
        Fixed,      // the design box, scaled
        FollowsText // the design position, scaled; the size fits the scaled caption
    };

    // Records `control` as it stands now (at zoom 1) as its design.
    void add(QWidget* control, Fit fit = Fit::Fixed);
    // A readout keeps its right edge while its caption grows to the left.
    void addReadout(ReadoutLabel* readout);

    // Places every control for `factor`; at 1 exactly as designed.
    void apply(double factor);

  private:
    struct Entry {
        QWidget* control;
        QRect design;
        int fontPixels;
        Fit fit;
        ReadoutLabel* readout;
    };
    std::vector<Entry> entries_;
};
