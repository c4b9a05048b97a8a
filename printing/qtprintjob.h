#pragma once
#include "printing/printstatus.h"

#include <QPageLayout>
#include <QString>

#include <functional>

class QPainter;
class QSizeF;

// One print job drawn through the toolkit's own printer support: the system's
// spooler on Windows, which has no CUPS library. What the printer's state, the
// painter and the spooler tell is kept; nothing they did not confirm is taken for
// success. Runs on the window's thread (the toolkit's printers live there).
class QtPrintJob {
  public:
    using Status = PrintStatus;
    // Draws the one page; `area` is the printable area in the painter's coordinates.
    using Draw = std::function<void(QPainter& painter, const QSizeF& area)>;

    // `destination` empty: the system's default printer.
    explicit QtPrintJob(QString destination = QString());

    // Finds the printer, asks its state and reads its default sheet.
    Status lookUp();
    // Draws the page on `layout` as one job of `copies` copies; needs a successful lookUp().
    Status submit(const Draw& draw, const QPageLayout& layout, const QString& title, int copies = 1);

    const QString& destination() const { return destination_; }
    // The printer's default sheet in landscape.
    const QPageLayout& pageLayout() const { return pageLayout_; }
    // The printer's or the spooler's own words about the last failure, if any.
    const QString& reason() const { return reason_; }

  private:
    QString destination_;
    bool found_ = false;
    QPageLayout pageLayout_;
    QString reason_;
};
