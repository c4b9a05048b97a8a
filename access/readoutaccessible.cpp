#include "access/readoutaccessible.h"

#include "access/figureaccess.h"

ReadoutAccessible::ReadoutAccessible(QWidget* label, FigureAccess& access, int index)
    : QAccessibleWidget(label, QAccessible::StaticText), access_(&access), index_(index) {}

QString ReadoutAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name && access_) return access_->readoutName(index_);
    return QAccessibleWidget::text(t);
}
