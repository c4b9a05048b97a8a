#include "access/handleaccessible.h"

#include "access/figureaccess.h"

#include <QWidget>

HandleAccessible::HandleAccessible(FigureAccess& access, int target) : access_(&access), target_(target) {}

bool HandleAccessible::isValid() const {
    return access_ != nullptr;
}

QWindow* HandleAccessible::window() const {
    QWidget* area = access_ ? access_->drawingArea() : nullptr;
    return area ? area->window()->windowHandle() : nullptr;
}

QAccessibleInterface* HandleAccessible::parent() const {
    return access_ ? QAccessible::queryAccessibleInterface(access_->drawingArea()) : nullptr;
}

QString HandleAccessible::text(QAccessible::Text t) const {
    if (!access_) return QString();
    if (t == QAccessible::Name) return access_->handleName(target_);
    if (t == QAccessible::Description) return access_->handleDescription(target_);
    return QString();
}

QRect HandleAccessible::rect() const {
    return access_ ? access_->handleScreenRect(target_) : QRect();
}

QAccessible::State HandleAccessible::state() const {
    QAccessible::State state;
    if (!access_) {
        state.invalid = true;
        return state;
    }
    state.focusable = true;
    state.focused = access_->handleFocused(target_);
    state.invisible = !access_->handleValue(target_).has_value();
    return state;
}

void* HandleAccessible::interface_cast(QAccessible::InterfaceType type) {
    return type == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface*>(this) : nullptr;
}

// A hidden handle shows no value: 0 stands in for it.
QVariant HandleAccessible::currentValue() const {
    if (!access_) return 0.0;
    return access_->handleValue(target_).value_or(0.0);
}

void HandleAccessible::setCurrentValue(const QVariant& value) {
    bool number = false;
    const double wanted = value.toDouble(&number);
    if (access_ && number) access_->setHandleValue(target_, wanted);
}

QVariant HandleAccessible::maximumValue() const {
    return access_ ? access_->handleMaximum(target_) : 0.0;
}

QVariant HandleAccessible::minimumValue() const {
    return access_ ? access_->handleMinimum(target_) : 0.0;
}

QVariant HandleAccessible::minimumStepSize() const {
    return access_ ? access_->handleStep(target_) : 1.0;
}
