#include "access/announceraccessible.h"

#include "access/figureaccess.h"

#include <QWidget>

AnnouncerAccessible::AnnouncerAccessible(FigureAccess& access) : access_(&access) {}

QWindow* AnnouncerAccessible::window() const {
    QWidget* area = access_ ? access_->drawingArea() : nullptr;
    return area ? area->window()->windowHandle() : nullptr;
}

QAccessibleInterface* AnnouncerAccessible::parent() const {
    return access_ ? QAccessible::queryAccessibleInterface(access_->drawingArea()) : nullptr;
}

QString AnnouncerAccessible::text(QAccessible::Text t) const {
    if (!access_ || t != QAccessible::Name) return QString();
    const QString latest = access_->latestAnnouncement();
    return latest.isEmpty() ? QStringLiteral("図の変化") : latest;
}

// A line along the top of the area, where nothing is drawn that it could hide.
QRect AnnouncerAccessible::rect() const {
    QWidget* area = access_ ? access_->drawingArea() : nullptr;
    if (!area) return QRect();
    return QRect(area->mapToGlobal(QPoint(0, 0)), QSize(area->width(), 1));
}

QAccessible::State AnnouncerAccessible::state() const {
    QAccessible::State state;
    state.invalid = access_ == nullptr;
    state.readOnly = true;
    return state;
}
