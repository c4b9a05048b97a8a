#pragma once
#include <QString>

#include <functional>

class CupsJob;
class QPageLayout;
class QPicture;
class QPrinter;
class QWidget;

// Prints a whole window on one landscape page of the default printer and reports
// what the print server answered. Without a default printer the user picks one (or
// a PDF file) in the standard print dialog.
class WindowPrinter {
  public:
    enum class Outcome { Printed, Held, Cancelled, Failed };

    virtual ~WindowPrinter() = default;
    // Records `window` as it looks now, scaled to the page with its aspect kept, and
    // sends it as one job. Waiting for the server keeps the window painted but
    // takes no input.
    virtual Outcome print(QWidget& window, const QString& documentName);

    // Called once the page is recorded, before any waiting; the window may change from then on.
    void whenPageRecorded(std::function<void()> recorded) { pageRecorded_ = std::move(recorded); }
    // Why the last print gave no page (or no page yet), in words for the user; empty otherwise.
    const QString& explanation() const { return explanation_; }

  protected:
    // Lets the user choose the printer when the system has no default one; false
    // when the user cancels.
    virtual bool choosePrinter(QPrinter& printer, QWidget* parent);

  private:
    Outcome printChosen(QWidget& window, const QPicture& page, const QString& title);
    Outcome send(CupsJob& job, const QPicture& page, const QPageLayout* layout, const QString& title,
                 int copies);
    Outcome failed(const QString& why, const QString& serverSaid = QString());

    std::function<void()> pageRecorded_;
    QString explanation_;
};
