#pragma once
#include <QAccessibleInterface>

// An accessible object of the drawing area's own that stands for no QObject and has
// no children: the handles and the notification. Only its text, place and state vary.
class LeafAccessible : public QAccessibleInterface {
  public:
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}
};
