#pragma once
#include <QAccessibleInterface>
#include <QPointer>

class FigureAccess;

// One handle of the drawing area (P, A, B or the radius) as a focusable slider: its
// value is the angle in degrees, or the radius in pixels.
class HandleAccessible : public QAccessibleInterface, public QAccessibleValueInterface {
  public:
    HandleAccessible(FigureAccess& access, int target);

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
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
