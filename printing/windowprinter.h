#pragma once
#include "printing/printstatus.h"

#include <QString>

#include <functional>

class CupsJob;
class QPageLayout;
class QPainter;
class QPdfWriter;
class QPrinter;
class QSizeF;
class QtPrintJob;
class QWidget;

// Prints a whole window on one landscape page of the default printer and reports
// what the print server answered. Without a default printer the user picks one (or
// a PDF file) in the standard print dialog.
class WindowPrinter {
  public:
    enum class Outcome { Printed, Held, Cancelled, Failed };
    // The way a page reaches the printer: the CUPS server itself, which tells what
    // became of the job (where the system has CUPS), or the toolkit's own printer
    // support, which hands the page to the system's spooler (Windows).
    enum class Route {
#ifdef ENSHUKAKU_CUPS
        Cups,
#endif
        Toolkit,
    };
#ifdef ENSHUKAKU_CUPS
    static constexpr Route kSystemRoute = Route::Cups;
#else
    static constexpr Route kSystemRoute = Route::Toolkit;
#endif

    explicit WindowPrinter(Route route = kSystemRoute) : route_(route) {}
    virtual ~WindowPrinter() = default;
    // Draws `window` scaled to the page with its aspect kept, and sends it as one
    // job. Waiting for the server keeps the window painted but takes no input.
    virtual Outcome print(QWidget& window, const QString& documentName);

    // Switches the window between its look on the page (true) and on the screen
    // (false). print() is called with the page look on; it shows the screen look
    // while it waits and turns the page look on only while it draws the page.
    void setPageLook(std::function<void(bool onPage)> pageLook) {
        pageLook_ = std::move(pageLook);
    }
    // Why the last print gave no page (or no page yet), in words for the user; empty otherwise.
    const QString& explanation() const {
        return explanation_;
    }

  protected:
    // Lets the user choose the printer when the system has no default one; false
    // when the user cancels.
    virtual bool choosePrinter(QPrinter& printer, QWidget* parent);

  private:
    Outcome printChosen(QWidget& window, const QString& title);
#ifdef ENSHUKAKU_CUPS
    Outcome send(CupsJob& job, QWidget& window, const QPageLayout& layout, const QString& title, int copies);
#endif
    Outcome draw(QtPrintJob& job, QWidget& window, const QPageLayout& layout, const QString& title,
                 int copies);
    Outcome answered(PrintStatus status, const QString& destination, const QString& said);
    bool writePdf(QPdfWriter& writer, QWidget& window, const QPageLayout& layout, const QString& title);
    void drawPage(QPainter& painter, QWidget& window, const QSizeF& area);
    void showPageLook(bool onPage);
    Outcome failed(const QString& why, const QString& serverSaid = QString());

    Route route_;
    std::function<void(bool)> pageLook_;
    QString explanation_;
};
