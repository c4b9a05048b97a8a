#pragma once
#include <QDialog>

class QLabel;

// "このプログラムについて": the program's name and version, its licence, the Qt it runs on
// and the project's address.
class AboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit AboutBox(QWidget* parent);
    QString text() const;
    // The window's zoom: fonts and size follow it.
    void setZoom(double factor);

  private:
    QLabel* text_ = nullptr;
};
