#pragma once
#include <QAccessibleWidget>

class PushButton;

// A button that switches a mode on and off (メモ, 方眼, 直線) is read as a toggle
// button, pressed while its mode is on; it looks as every other button does.
class ModeButtonAccessible : public QAccessibleWidget {
  public:
    explicit ModeButtonAccessible(PushButton* button);

    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

    // The interface for a mode button, else null.
    static QAccessibleInterface* create(QObject* object);

  private:
    PushButton* button() const;
};
