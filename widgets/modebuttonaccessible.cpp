#include "widgets/modebuttonaccessible.h"

#include "widgets/controls.h"

ModeButtonAccessible::ModeButtonAccessible(PushButton* button)
    : QAccessibleWidget(button, QAccessible::CheckBox) {}

PushButton* ModeButtonAccessible::button() const {
    return static_cast<PushButton*>(widget());
}

QAccessible::State ModeButtonAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = button()->boldCaption();
    state.pressed = button()->boldCaption();
    return state;
}

QString ModeButtonAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name && button()->accessibleName().isEmpty()) return button()->text();
    return QAccessibleWidget::text(t);
}

QStringList ModeButtonAccessible::actionNames() const {
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
}

void ModeButtonAccessible::doAction(const QString& actionName) {
    if (actionName == pressAction()) {
        if (button()->isEnabled()) button()->click();
        return;
    }
    QAccessibleWidget::doAction(actionName);
}

QAccessibleInterface* ModeButtonAccessible::create(QObject* object) {
    auto* button = qobject_cast<PushButton*>(object);
    return button && button->showsMode() ? new ModeButtonAccessible(button) : nullptr;
}
