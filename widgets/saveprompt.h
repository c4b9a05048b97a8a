#pragma once
#include <QString>

class QWidget;

// The dialog that asks where to save a picture, in Japanese. Tests put a subclass
// with a fixed answer in its place.
class SavePrompt {
  public:
    virtual ~SavePrompt() = default;
    // The chosen path, or an empty text when the dialog is cancelled.
    virtual QString ask(QWidget* parent, const QString& title, const QString& suggestedPath);
    // The window's zoom, which the dialog's fonts and size follow.
    void setZoom(double factor) { zoom_ = factor; }

  protected:
    double zoom_ = 1;
};
