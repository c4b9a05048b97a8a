#pragma once
#include <QAccessibleInterface>
#include <QPointer>

class FigureAccess;

// The drawing area's news: a notification whose name is the latest change said.
// Screen readers speak a notification when it shows.
class AnnouncerAccessible : public QAccessibleInterface {
  public:
    explicit AnnouncerAccessible(FigureAccess& access);

    bool isValid() const override { return access_ != nullptr; }
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
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override;

  private:
    QPointer<FigureAccess> access_;
};
