#include "widgets/pushbuttonaccessible.h"

#include "widgets/controls.h"

PushButtonAccessible::PushButtonAccessible(PushButton* button)
    : QAccessibleWidget(button, QAccessible::Button) {}

PushButton* PushButtonAccessible::button() const {
    return static_cast<PushButton*>(widget());
}

// Qt's bridge has no toggle-button role: a check box is the two-state control that
// screen readers read with its state.
QAccessible::Role PushButtonAccessible::role() const {
    return button()->showsMode() ? QAccessible::CheckBox : QAccessible::Button;
}

QAccessible::State PushButtonAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    if (button()->showsMode()) {
        state.checkable = true;
        state.checked = button()->boldCaption();
        state.pressed = button()->boldCaption();
    }
    return state;
}

QString PushButtonAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name && button()->accessibleName().isEmpty()) return button()->text();
    return QAccessibleWidget::text(t);
}

QStringList PushButtonAccessible::actionNames() const {
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
}

void PushButtonAccessible::doAction(const QString& actionName) {
    if (actionName == pressAction()) {
        if (button()->isEnabled()) button()->click();
        return;
    }
    QAccessibleWidget::doAction(actionName);
}

QAccessibleInterface* PushButtonAccessible::create(QObject* object) {
    auto* button = qobject_cast<PushButton*>(object);
    return button ? new PushButtonAccessible(button) : nullptr;
}
