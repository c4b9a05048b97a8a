#pragma once
// Random events as a hand and a curious pupil give them: presses, moves and releases
// of every button anywhere from far outside the canvas to the figure's exact points,
// and clicks on every control but "終了" and "印刷". The robustness run and the lesson
// tests reach their states with it.
#include "app/form1.h"
#include "figure/geometry.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QMouseEvent>

#include <cstdint>
#include <random>
#include <vector>

// Runs one seeded sequence of events against one window.
class EventRun {
  public:
    EventRun(Form1& form, std::uint64_t seed) : form_(form), random_(seed) {
        Form1& f = form_;
        for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{
                 f.Check2[0], f.Check2[1], f.Check3, f.Check4, f.Check5, f.Check6, f.Check7, f.Check8,
                 f.Check9, f.Command1, f.Command3, f.Command4, f.Command5, f.Command7[0], f.Command7[1]})
            controls_.push_back(b);
        for (QAbstractButton* b : f.Check1) controls_.push_back(b);
        for (QAbstractButton* b : f.Option1) controls_.push_back(b);
        for (QAbstractButton* b : f.Option2) controls_.push_back(b);
    }

    // One event; returns its description for the failure report.
    QString step() {
        // While a handle is held, mostly move it, as a hand does.
        const bool holding = form_.dragTarget != 0 && (held_ & Qt::LeftButton);
        const int kind = holding && uniform(0, 3) != 0 ? 0 : uniform(0, 99);
        if (kind < 45) return pointer(QEvent::MouseMove);
        if (kind < 62) return pointer(QEvent::MouseButtonPress);
        if (kind < 75) return pointer(QEvent::MouseButtonRelease);
        return control();
    }

    // What the run reached, to show that it goes where it should.
    struct Counts {
        int dragMoves[5] = {};
        int radiusChanges = 0;
        int pOnA = 0;
        int freeReadouts = 0;
        int maxTraces = 0;
    } counts;

  private:
    int uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    double real(double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random_);
    }

    Qt::MouseButton button() {
        const int pick = uniform(0, 19);
        return pick < 14 ? Qt::LeftButton : pick < 17 ? Qt::RightButton : Qt::MiddleButton;
    }

    // Canvas point chosen to reach the edge cases as well as plain places.
    QPointF point() {
        Form1& f = form_;
        const double oX = f.oX, oY = f.oY;
        if (f.dragTarget == 4 && uniform(0, 1) == 0) return {oX + real(60, 290), real(-100, 700)};
        const int pick = uniform(0, 99);
        if (pick < 10) return {real(-3000, 4000), real(-3000, 4000)};
        if (pick < 35) return {double(uniform(0, 874)), double(uniform(0, 624))};
        if (pick < 45) return {real(0, 875), real(0, 625)};
        if (pick < 50) return {oX, oY};
        if (pick < 53) return {oX, real(-100, 700)};
        if (pick < 56) return {real(-100, 1000), oY};
        if (pick < 76) {
            const double jitter = uniform(0, 3) == 0 ? 0 : 60;
            const int which = uniform(0, 3);
            const QPointF at = which == 0   ? QPointF(f.pX, f.pY)
                               : which == 1 ? QPointF(f.aX, f.aY)
                               : which == 2 ? QPointF(f.bX, f.bY)
                                            : QPointF(f.handleX, f.handleY);
            return at + QPointF(real(-jitter, jitter), real(-jitter, jitter));
        }
        if (pick < 86) {
            const geometry::Point at =
                geometry::pointOnCircle(oX, oY, f.radius + static_cast<float>(real(-30, 30)), real(0, 360));
            return {at.x, at.y};
        }
        if (pick < 89) return {f.aX, real(-100, 700)};  // straight above or below A
        if (pick < 91) return {real(-100, 1000), f.aY}; // level with A
        if (pick < 95) return lastAPointer_;            // P dragged onto A
        const double edges[] = {74, 75, 75.5, 76, 274, 274.9, 275, 276};
        return {oX + edges[uniform(0, 7)], real(-100, 700)}; // the radius band's edges
    }

    QString pointer(QEvent::Type type) {
        // Positions reach the handlers as single precision, as the widget hands them on.
        QPointF at = point();
        at = QPointF(static_cast<float>(at.x()), static_cast<float>(at.y()));
        const QPointF local = at + QPointF(CanvasWidget::kDrawingOffset, CanvasWidget::kDrawingOffset);
        Qt::MouseButton which = Qt::NoButton;
        if (type == QEvent::MouseButtonPress) {
            which = button();
            held_ |= which;
        } else if (type == QEvent::MouseButtonRelease) {
            which = held_ != Qt::NoButton && uniform(0, 3) != 0 ? heldButton() : button();
            held_ &= ~which;
        }
        const bool dragging = form_.dragTarget != 0 && form_.figureMode() && type == QEvent::MouseMove;
        const int target = form_.dragTarget;
        const double angleBefore = form_.angleA;
        const float radiusBefore = form_.radius;
        QMouseEvent event(type, local, form_.gamenView->mapToGlobal(local), which, held_, Qt::NoModifier);
        QCoreApplication::sendEvent(form_.gamenView, &event);
        if (dragging) {
            ++counts.dragMoves[target];
            if (target == 2 && form_.angleA != angleBefore) lastAPointer_ = at;
            if (target == 4 && form_.radius != radiusBefore) ++counts.radiusChanges;
        }
        if (form_.pX == form_.aX && form_.pY == form_.aY) ++counts.pOnA;
        if (form_.Check9->value() == 0 && !form_.Label5[1]->isHidden()) ++counts.freeReadouts;
        const char* name = type == QEvent::MouseMove          ? "move"
                           : type == QEvent::MouseButtonPress ? "press"
                                                              : "release";
        return QStringLiteral("%1 %2 at (%3, %4)")
            .arg(name)
            .arg(type == QEvent::MouseMove ? int(held_) : int(which))
            .arg(at.x(), 0, 'g', 9)
            .arg(at.y(), 0, 'g', 9);
    }

    Qt::MouseButton heldButton() {
        for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
            if (held_ & b) return b;
        return Qt::LeftButton;
    }

    QString control() {
        // The reset is rare so that deep states build up between resets.
        if (uniform(0, 199) == 0) {
            form_.Command1->click();
            return QStringLiteral("click 初期画面");
        }
        if (uniform(0, 19) == 0) {
            const int index = uniform(0, 3);
            form_.Command7_Click(index);
            return QStringLiteral("Command7_Click(%1)").arg(index);
        }
        QAbstractButton* target = controls_[uniform(0, static_cast<int>(controls_.size()) - 1)];
        if (target == form_.Command1) target = form_.Check6;
        // A click on a disabled control does nothing, as for the user.
        target->click();
        return QStringLiteral("click %1").arg(target->text());
    }

    Form1& form_;
    std::mt19937_64 random_;
    std::vector<QAbstractButton*> controls_;
    Qt::MouseButtons held_ = Qt::NoButton;
    QPointF lastAPointer_{233.18, 485.32};
};
