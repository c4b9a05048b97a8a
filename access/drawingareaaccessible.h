#pragma once
#include <QAccessibleWidget>
#include <QPointer>

class FigureAccess;

// The drawing area as a canvas whose children are the four handles and its news;
// the handle the keys move is its focused child.
class DrawingAreaAccessible : public QAccessibleWidget {
  public:
    DrawingAreaAccessible(QWidget* area, FigureAccess& access);

    QAccessible::Role role() const override { return QAccessible::Canvas; }
    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* focusChild() const override;
    QAccessibleInterface* childAt(int x, int y) const override;

  private:
    QPointer<FigureAccess> access_;
};
