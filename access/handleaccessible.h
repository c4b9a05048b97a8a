#pragma once
#include "access/leafaccessible.h"

#include <QAccessibleInterface>
#include <QPointer>

class FigureAccess;

// One handle of the drawing area (P, A, B or the radius) as a focusable slider: its
// value is the angle in degrees, or the radius in pixels.
class HandleAccessible : public LeafAccessible, public QAccessibleValueInterface {
  public:
    HandleAccessible(FigureAccess& access, int target);

    bool isValid() const override;
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QString text(QAccessible::Text t) const override;
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Slider; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

  private:
    QPointer<FigureAccess> access_;
    int target_;
};
