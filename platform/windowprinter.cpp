#include "platform/windowprinter.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>

#include <algorithm>
#include <memory>

namespace {

// Draws the window centred on the printable area, as large as it fits.
void renderOnPage(QPainter& painter, QPrinter& printer, QWidget& window) {
    // The painter's origin is the top left of the printable area.
    const QSizeF page = printer.pageLayout().paintRectPixels(printer.resolution()).size();
    const double scale = std::min(page.width() / window.width(), page.height() / window.height());
    const double left = (page.width() - window.width() * scale) / 2;
    const double top = (page.height() - window.height() * scale) / 2;
    painter.translate(left, top);
    painter.scale(scale, scale);
    window.render(&painter, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
}

} // namespace

WindowPrinter::Outcome WindowPrinter::print(QWidget& window, const QString& documentName) {
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    std::unique_ptr<QPrinter> printer;
    if (defaultPrinter.isNull()) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    } else {
        printer = std::make_unique<QPrinter>(defaultPrinter, QPrinter::HighResolution);
    }
    printer->setDocName(documentName);
    printer->setPageOrientation(QPageLayout::Landscape);
    // The dialog starts from the landscape page; what the user picks there holds.
    if (defaultPrinter.isNull() && !choosePrinter(*printer, &window)) return Outcome::Cancelled;

    QPainter painter;
    if (!painter.begin(printer.get())) return Outcome::Failed;
    renderOnPage(painter, *printer, window);
    // Ending the painter ends the job: the page goes to the printer now.
    return painter.end() ? Outcome::Printed : Outcome::Failed;
}

bool WindowPrinter::choosePrinter(QPrinter& printer, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}
