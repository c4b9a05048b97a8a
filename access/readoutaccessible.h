#pragma once
#include <QAccessibleWidget>
#include <QPointer>

class FigureAccess;

// A readout of an angle: read as "円周角 50" while it shows; while it is hidden its
// name keeps the number to itself.
class ReadoutAccessible : public QAccessibleWidget {
  public:
    ReadoutAccessible(QWidget* label, FigureAccess& access, int index);
    QString text(QAccessible::Text t) const override;

  private:
    QPointer<FigureAccess> access_;
    int index_;
};
