#pragma once
#include <QDialog>
#include <QList>
#include <QPair>
#include <QString>

class QLabel;

// A small window beside the main one that lists the keys and what they do. It does
// not block the window: the lesson goes on while it is open.
class HelpWindow : public QDialog {
    Q_OBJECT
  public:
    // Rows of (key, what it does).
    HelpWindow(const QString& title, const QList<QPair<QString, QString>>& rows, QWidget* parent);
    QString text() const;
    // The window's zoom: fonts and size follow it.
    void setZoom(double factor);

  private:
    QLabel* table_ = nullptr;
};
