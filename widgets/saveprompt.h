#pragma once
#include <QString>

class QWidget;

// The dialogs that ask where to save a picture or a lesson, in Japanese. Tests put a
// subclass with fixed answers in their place.
class SavePrompt {
  public:
    virtual ~SavePrompt() = default;
    // The chosen path for a PNG picture, or an empty text when the dialog is cancelled.
    virtual QString ask(QWidget* parent, const QString& title, const QString& suggestedPath);
    // Whether the existing file at `path` may be replaced; asked only for the path that
    // will really be written.
    virtual bool confirmReplace(QWidget* parent, const QString& title, const QString& path);

    // The path that is written for a chosen one: control characters (a pasted newline)
    // taken out of the name, and ".suffix" added unless the name ends with it.
    static QString writtenPath(const QString& chosen, const QString& suffix);
    // Qt's own file dialog with Qt's Japanese texts, for saving (or opening) one file, at
    // the window's zoom.
    static QString fileDialog(QWidget* parent, const QString& title, const QString& suggestedPath,
                              const QString& nameFilter, const QString& suffix, bool saving, double zoom);
    // The window's zoom, which the dialog's fonts and size follow.
    void setZoom(double factor) { zoom_ = factor; }

  protected:
    double zoom_ = 1;
};
