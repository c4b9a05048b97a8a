#pragma once
#include "access/leafaccessible.h"

#include <QAccessibleInterface>
#include <QPointer>

class FigureAccess;

// The drawing area's news: a notification whose name is the latest change said.
// Screen readers speak a notification when it shows.
class AnnouncerAccessible : public LeafAccessible {
  public:
    explicit AnnouncerAccessible(FigureAccess& access);

    bool isValid() const override { return access_ != nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QString text(QAccessible::Text t) const override;
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override;

  private:
    QPointer<FigureAccess> access_;
};
