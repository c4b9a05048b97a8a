#pragma once
#include <QString>

class QWidget;

// The modal input box that asks for one line of text. Tests put a subclass with a
// fixed answer in its place.
class NamePrompt {
  public:
    virtual ~NamePrompt() = default;
    // The text as typed, or an empty text when the box is cancelled.
    virtual QString ask(QWidget* parent, const QString& title, const QString& prompt);
    // The window's zoom, which the box's fonts and size follow.
    void setZoom(double factor) { zoom_ = factor; }

  protected:
    double zoom_ = 1;
};
