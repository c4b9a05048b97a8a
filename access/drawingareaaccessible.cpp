#include "access/drawingareaaccessible.h"

#include "access/figureaccess.h"

DrawingAreaAccessible::DrawingAreaAccessible(QWidget* area, FigureAccess& access)
    : QAccessibleWidget(area, QAccessible::Canvas), access_(&access) {}

// While a handle has the focus, the area itself has not.
QAccessible::State DrawingAreaAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    if (focusChild()) state.focused = false;
    return state;
}

QString DrawingAreaAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Description && access_) return access_->areaDescription();
    return QAccessibleWidget::text(t);
}

// Children 0..3 are the handles P, A, B and the radius; 4 is the news.
int DrawingAreaAccessible::childCount() const {
    return access_ ? FigureAccess::kHandles + 1 : 0;
}

QAccessibleInterface* DrawingAreaAccessible::child(int index) const {
    if (!access_ || index < 0 || index > FigureAccess::kHandles) return nullptr;
    return index < FigureAccess::kHandles ? access_->handleInterface(index + 1)
                                          : access_->announcerInterface();
}

int DrawingAreaAccessible::indexOfChild(const QAccessibleInterface* child) const {
    for (int i = 0; i < childCount(); ++i)
        if (this->child(i) == child) return i;
    return -1;
}

QAccessibleInterface* DrawingAreaAccessible::focusChild() const {
    if (!access_) return nullptr;
    for (int target = 1; target <= FigureAccess::kHandles; ++target)
        if (access_->handleFocused(target)) return access_->handleInterface(target);
    return nullptr;
}

QAccessibleInterface* DrawingAreaAccessible::childAt(int x, int y) const {
    if (!access_) return nullptr;
    // The radius handle lies above B, B above A and A above P, as the pointer picks them.
    for (int target = FigureAccess::kHandles; target >= 1; --target) {
        if (access_->handleValue(target) && access_->handleScreenRect(target).contains(x, y))
            return access_->handleInterface(target);
    }
    return nullptr;
}
