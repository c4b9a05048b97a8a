#include "widgets/panellayout.h"

#include "widgets/controls.h"
#include "widgets/zoomsteps.h"

#include <QWidget>

#include <algorithm>

namespace {

// Scales the edges, not the sizes, so that neighbours stay neighbours.
QRect scaledBox(const QRect& design, double factor) {
    const int left = zoomsteps::scaled(design.left(), factor);
    const int top = zoomsteps::scaled(design.top(), factor);
    const int right = zoomsteps::scaled(design.left() + design.width(), factor);
    const int bottom = zoomsteps::scaled(design.top() + design.height(), factor);
    return QRect(left, top, right - left, bottom - top);
}

} // namespace

void PanelLayout::add(QWidget* control, Fit fit) {
    entries_.push_back({control, control->geometry(), control->font().pixelSize(), fit, nullptr});
}

void PanelLayout::addReadout(ReadoutLabel* readout) {
    entries_.push_back({readout, readout->geometry(), readout->font().pixelSize(), Fit::Fixed, readout});
}

void PanelLayout::apply(double factor) {
    for (const Entry& entry : entries_) {
        if (entry.fontPixels > 0) {
            // The current font keeps what the handlers changed (a bold caption).
            QFont font = entry.control->font();
            font.setPixelSize(std::max(1, zoomsteps::scaled(entry.fontPixels, factor)));
            entry.control->setFont(font);
        }
        const QRect box = scaledBox(entry.design, factor);
        if (entry.readout) {
            entry.readout->setGeometry(box);
            entry.readout->setRightEdge(box.left() + box.width());
            entry.readout->refit();
        } else if (entry.fit == Fit::FollowsText) {
            entry.control->move(box.topLeft());
            entry.control->adjustSize();
        } else {
            entry.control->setGeometry(box);
        }
    }
}
