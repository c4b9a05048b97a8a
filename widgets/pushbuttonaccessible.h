#pragma once
#include <QAccessibleWidget>

class PushButton;

// A push button. One that switches a mode on and off (メモ, 方眼, 直線) is read as a
// two-state control, on while its caption is bold; it looks as every other button does.
class PushButtonAccessible : public QAccessibleWidget {
  public:
    explicit PushButtonAccessible(PushButton* button);

    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

    // The interface for a PushButton, else null.
    static QAccessibleInterface* create(QObject* object);

  private:
    PushButton* button() const;
};
