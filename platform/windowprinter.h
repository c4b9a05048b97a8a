#pragma once
#include <QString>

class QPrinter;
class QWidget;

// Prints a whole window on one landscape page of the default printer. Without a
// default printer the user picks one (or a PDF file) in the standard print dialog.
class WindowPrinter {
  public:
    enum class Outcome { Printed, Cancelled, Failed };

    virtual ~WindowPrinter() = default;
    // Renders `window` scaled to the page, aspect kept, and ends the job at once.
    virtual Outcome print(QWidget& window, const QString& documentName);

  protected:
    // Lets the user choose the printer when the system has no default one; false
    // when the user cancels.
    virtual bool choosePrinter(QPrinter& printer, QWidget* parent);
};
