#pragma once
#include <QDialog>
#include <QList>
#include <QPair>
#include <QString>

class QLabel;

// A small window beside the main one that tells how to use the program: a few short
// sections, then the keys and what they do. It does not block the window: the lesson
// goes on while it is open. The text scrolls where the screen is too small for it.
class HelpWindow : public QDialog {
    Q_OBJECT
  public:
    using Rows = QList<QPair<QString, QString>>;
    // Sections of (heading, text), then rows of (key, what it does) under `keysHeading`.
    HelpWindow(const QString& title, const Rows& sections, const QString& keysHeading, const Rows& keys,
               QWidget* parent);
    QString text() const;
    // The window's zoom: fonts and size follow it.
    void setZoom(double factor);

  private:
    QLabel* text_ = nullptr;
};
