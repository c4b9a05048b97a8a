#include "printing/windowprinter.h"

#include "printing/jobtitle.h"
#include "printing/qtprintjob.h"
#ifdef ENSHUKAKU_CUPS
#include "printing/cupsjob.h"
#endif

#include <QBuffer>
#include <QEventLoop>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QThread>
#include <QWidget>

#include <algorithm>
#include <memory>

namespace {

// Coordinates of the page in the PDF; the drawing itself stays vector, with the
// canvas image at its own pixels.
constexpr int kPageDotsPerInch = 300;

// Runs `work` on a thread of its own while this thread goes on painting the
// windows, without taking the user's input; returns when the work is done.
template <typename Work> auto awayFromWindow(Work work) {
    decltype(work()) result{};
    QEventLoop loop;
    std::unique_ptr<QThread> thread(QThread::create([&] { result = work(); }));
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    thread->start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    thread->wait();
    return result;
}

QString printerWhy(PrintStatus status, const QString& destination) {
    switch (status) {
    case PrintStatus::Unreachable:
        return QStringLiteral("印刷サーバーに接続できません。");
    case PrintStatus::Refused:
        return QStringLiteral("プリンター「%1」は印刷を受け付けていません。").arg(destination);
    case PrintStatus::Stopped:
        return QStringLiteral("プリンター「%1」は停止しています。").arg(destination);
    case PrintStatus::NoDestination:
        return QStringLiteral("プリンター「%1」が見つかりません。").arg(destination);
    case PrintStatus::NotCreated:
        return QStringLiteral("印刷サーバーが印刷を受け付けませんでした。");
    default:
        return QStringLiteral("印刷データを送れませんでした。");
    }
}

} // namespace

void WindowPrinter::showPageLook(bool onPage) {
    if (pageLook_) pageLook_(onPage);
}

// Draws the window centred on the printable area of one PDF page, as large as it fits.
bool WindowPrinter::writePdf(QPdfWriter& writer, QWidget& window, const QPageLayout& layout,
                             const QString& title) {
    writer.setResolution(kPageDotsPerInch);
    writer.setPageLayout(layout);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("円周角の定理"));
    QPainter painter;
    if (!painter.begin(&writer)) return false;
    // The painter's origin is the top left of the printable area.
    drawPage(painter, window, writer.pageLayout().paintRectPixels(writer.resolution()).size());
    return painter.end();
}

// Draws the window centred on `area`, as large as it fits.
void WindowPrinter::drawPage(QPainter& painter, QWidget& window, const QSizeF& area) {
    // The window takes its page look first: its size on the page may differ from the screen's.
    showPageLook(true);
    const double scale = std::min(area.width() / window.width(), area.height() / window.height());
    painter.translate((area.width() - window.width() * scale) / 2,
                      (area.height() - window.height() * scale) / 2);
    painter.scale(scale, scale);
    window.render(&painter, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    showPageLook(false);
}

WindowPrinter::Outcome WindowPrinter::failed(const QString& why, const QString& serverSaid) {
    explanation_ = QStringLiteral("印刷できませんでした。何も印刷されていません。\n") + why;
    if (!serverSaid.isEmpty()) explanation_ += QStringLiteral("\n（%1）").arg(serverSaid);
    return Outcome::Failed;
}

WindowPrinter::Outcome WindowPrinter::print(QWidget& window, const QString& documentName) {
    explanation_.clear();
    showPageLook(false);
    const QString title = safeJobTitle(documentName);

#ifdef ENSHUKAKU_CUPS
    if (route_ == Route::Cups) {
        CupsJob job;
        PrintStatus found = awayFromWindow([&] { return job.lookUp(); });
        // No print server has answered in this run (as on a machine without one): the
        // dialog offers printing to a file. A server that answered earlier in this run
        // and is gone now is a failure.
        if (found == PrintStatus::Unreachable && !CupsJob::serverAnswered())
            found = PrintStatus::NoDestination;
        if (found == PrintStatus::NoDestination) return printChosen(window, title);
        if (found != PrintStatus::Ready) return failed(printerWhy(found, job.destination()), job.reason());
        return send(job, window, job.pageLayout(), title, 1);
    }
#endif
    QtPrintJob job;
    const PrintStatus found = job.lookUp();
    if (found == PrintStatus::NoDestination) return printChosen(window, title);
    if (found != PrintStatus::Ready) return failed(printerWhy(found, job.destination()), job.reason());
    return draw(job, window, job.pageLayout(), title, 1);
}

WindowPrinter::Outcome WindowPrinter::printChosen(QWidget& window, const QString& title) {
    QPrinter printer(QPrinter::HighResolution);
    // The dialog suggests a file name made from the title.
    printer.setDocName(title);
    printer.setPageOrientation(QPageLayout::Landscape);
    // The dialog starts from the landscape page; what the user picks there holds.
    if (!choosePrinter(printer, &window)) return Outcome::Cancelled;
    const QPageLayout layout = printer.pageLayout();

    if (printer.outputFormat() == QPrinter::PdfFormat) {
        QPdfWriter writer(printer.outputFileName());
        if (!writePdf(writer, window, layout, title))
            return failed(QStringLiteral("ファイル「%1」に書き込めません。").arg(printer.outputFileName()));
        return Outcome::Printed;
    }
#ifdef ENSHUKAKU_CUPS
    if (route_ == Route::Cups) {
        CupsJob job(printer.printerName());
        const PrintStatus found = awayFromWindow([&] { return job.lookUp(); });
        if (found != PrintStatus::Ready) return failed(printerWhy(found, job.destination()), job.reason());
        return send(job, window, layout, title, printer.copyCount());
    }
#endif
    QtPrintJob job(printer.printerName());
    const PrintStatus found = job.lookUp();
    if (found != PrintStatus::Ready) return failed(printerWhy(found, job.destination()), job.reason());
    return draw(job, window, layout, title, printer.copyCount());
}

#ifdef ENSHUKAKU_CUPS
WindowPrinter::Outcome WindowPrinter::send(CupsJob& job, QWidget& window, const QPageLayout& layout,
                                           const QString& title, int copies) {
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        if (!writePdf(writer, window, layout, title))
            return failed(QStringLiteral("印刷データを作れませんでした。"));
    }
    const QByteArray document = pdf.data();
    const PrintStatus status = awayFromWindow([&] { return job.submit(document, title, copies); });
    return answered(status, job.destination(), job.reason());
}
#endif

// The toolkit's printers are drawn on directly, on the window's thread.
WindowPrinter::Outcome WindowPrinter::draw(QtPrintJob& job, QWidget& window, const QPageLayout& layout,
                                           const QString& title, int copies) {
    const PrintStatus status =
        job.submit([&](QPainter& painter, const QSizeF& area) { drawPage(painter, window, area); }, layout,
                   title, copies);
    return answered(status, job.destination(), job.reason());
}

// What the printer said of the job sent, for the user.
WindowPrinter::Outcome WindowPrinter::answered(PrintStatus status, const QString& destination,
                                               const QString& said) {
    if (status == PrintStatus::Accepted) return Outcome::Printed;
    if (status == PrintStatus::Held) {
        explanation_ =
            QStringLiteral("印刷待ちになっています。まだ何も印刷されていません。\n"
                           "プリンター「%1」でジョブが保留されているか、プリンターが止まっています。")
                .arg(destination);
        if (!said.isEmpty()) explanation_ += QStringLiteral("\n（%1）").arg(said);
        return Outcome::Held;
    }
    return failed(printerWhy(status, destination), said);
}

bool WindowPrinter::choosePrinter(QPrinter& printer, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}
