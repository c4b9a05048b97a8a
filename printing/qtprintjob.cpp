#include "printing/qtprintjob.h"

#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStringList>

#include <utility>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <winspool.h>

#include <vector>
#endif

namespace {

// The toolkit's print engines report what the system said (StartDoc, EndDoc, the
// spool file) only as warnings; those of a job's beginning and end are kept, to be
// told, and go on to the log as before.
class HeldWarnings {
  public:
    HeldWarnings() {
        held().clear();
        previous() = qInstallMessageHandler(hold);
    }
    ~HeldWarnings() { qInstallMessageHandler(previous()); }
    HeldWarnings(const HeldWarnings&) = delete;
    HeldWarnings& operator=(const HeldWarnings&) = delete;
    QString text() const { return held().join(QLatin1Char('\n')); }
    void clear() { held().clear(); }

  private:
    static QStringList& held() {
        static QStringList messages;
        return messages;
    }
    static QtMessageHandler& previous() {
        static QtMessageHandler handler = nullptr;
        return handler;
    }
    static void hold(QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (type != QtDebugMsg && type != QtInfoMsg) held() << message;
        if (previous()) previous()(type, context, message);
    }
};

#ifdef Q_OS_WIN
// Reads the spooler's own record of a printer (level 2) or of its jobs (level 1, `count` of them).
template <typename Read> std::vector<BYTE> spoolerRecord(Read read, DWORD& count) {
    DWORD needed = 0;
    count = 0;
    read(nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed);
    if (needed == 0 || !read(buffer.data(), needed, &needed, &count)) {
        buffer.clear();
        count = 0;
    }
    return buffer;
}

// What the spooler says of the printer's own state: paused, offline or in error.
PrintStatus printerOnSpooler(const QString& name, QString& words) {
    HANDLE printer = nullptr;
    if (!OpenPrinterW(const_cast<LPWSTR>(reinterpret_cast<LPCWSTR>(name.utf16())), &printer, nullptr))
        return PrintStatus::NoDestination;
    DWORD one = 0;
    const std::vector<BYTE> record =
        spoolerRecord([&](BYTE* data, DWORD size, DWORD* needed,
                          DWORD*) { return GetPrinterW(printer, 2, data, size, needed); },
                      one);
    ClosePrinter(printer);
    if (record.empty()) return PrintStatus::Ready;
    const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(record.data());
    if (info->Attributes & PRINTER_ATTRIBUTE_WORK_OFFLINE) {
        words = QStringLiteral("offline");
        return PrintStatus::Stopped;
    }
    if (info->Status & PRINTER_STATUS_PAUSED) {
        words = QStringLiteral("paused");
        return PrintStatus::Stopped;
    }
    if (info->Status & (PRINTER_STATUS_ERROR | PRINTER_STATUS_OFFLINE | PRINTER_STATUS_NOT_AVAILABLE |
                        PRINTER_STATUS_PENDING_DELETION)) {
        words = QStringLiteral("printer status 0x%1").arg(info->Status, 0, 16);
        return PrintStatus::Stopped;
    }
    return PrintStatus::Ready;
}

// What the spooler says of the newest job titled `title` on the printer: waiting on
// an error, paused, or deleted. A job no longer queued has gone to the printer.
PrintStatus jobOnSpooler(const QString& name, const QString& title, QString& words) {
    HANDLE printer = nullptr;
    if (!OpenPrinterW(const_cast<LPWSTR>(reinterpret_cast<LPCWSTR>(name.utf16())), &printer, nullptr))
        return PrintStatus::Accepted;
    DWORD count = 0;
    const std::vector<BYTE> record = spoolerRecord(
        [&](BYTE* data, DWORD size, DWORD* needed, DWORD* found) {
            return EnumJobsW(printer, 0, 0xffff, 1, data, size, needed, found);
        },
        count);
    ClosePrinter(printer);
    const JOB_INFO_1W* newest = nullptr;
    for (DWORD i = 0; i < count; ++i) {
        const auto* job = reinterpret_cast<const JOB_INFO_1W*>(record.data()) + i;
        if (!job->pDocument || QString::fromWCharArray(job->pDocument) != title) continue;
        if (!newest || job->JobId > newest->JobId) newest = job;
    }
    if (!newest) return PrintStatus::Accepted;
    if (newest->pStatus) words = QString::fromWCharArray(newest->pStatus);
    if (newest->Status & (JOB_STATUS_DELETING | JOB_STATUS_DELETED)) return PrintStatus::NotSent;
    if (newest->Status & (JOB_STATUS_ERROR | JOB_STATUS_OFFLINE | JOB_STATUS_PAPEROUT | JOB_STATUS_PAUSED |
                          JOB_STATUS_USER_INTERVENTION | JOB_STATUS_BLOCKED_DEVQ))
        return PrintStatus::Held;
    return PrintStatus::Accepted;
}
#endif

} // namespace

QtPrintJob::QtPrintJob(QString destination)
    : destination_(std::move(destination)), pageLayout_(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                                        QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter) {}

QtPrintJob::Status QtPrintJob::lookUp() {
    reason_.clear();
    found_ = false;
    const QPrinterInfo info =
        destination_.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(destination_);
    if (info.isNull()) return Status::NoDestination;
    destination_ = info.printerName();
#ifdef Q_OS_WIN
    const Status onSpooler = printerOnSpooler(destination_, reason_);
    if (onSpooler != Status::Ready) return onSpooler;
#else
    if (info.state() == QPrinter::Error || info.state() == QPrinter::Aborted) return Status::Stopped;
#endif
    found_ = true;
    pageLayout_.setPageSize(info.defaultPageSize());
    return Status::Ready;
}

QtPrintJob::Status QtPrintJob::submit(const Draw& draw, const QPageLayout& layout, const QString& title,
                                      int copies) {
    reason_.clear();
    if (!found_) return Status::NoDestination;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(destination_);
    // The toolkit keeps its previous printer (or a PDF file) when it does not know
    // the name: that would be a page somewhere else, never this printer's.
    if (printer.outputFormat() != QPrinter::NativeFormat || printer.printerName() != destination_ ||
        !printer.isValid())
        return Status::NoDestination;
    printer.setDocName(title);
    printer.setCopyCount(copies);
    // Margins narrower than the printer can print are refused as a whole: then the
    // sheet and its orientation with the printer's own margins.
    if (!printer.setPageLayout(layout)) {
        printer.setPageSize(layout.pageSize());
        printer.setPageOrientation(layout.orientation());
    }

    HeldWarnings warnings;
    QPainter painter;
    if (!painter.begin(&printer)) {
        reason_ = warnings.text();
        return Status::NotCreated;
    }
    draw(painter, printer.pageLayout().paintRectPixels(printer.resolution()).size());
    warnings.clear();
    const bool ended = painter.end();
    reason_ = warnings.text();
    // The engines report a page or a document the spooler refused only in a warning.
    if (!ended || !reason_.isEmpty() || printer.printerState() == QPrinter::Error ||
        printer.printerState() == QPrinter::Aborted)
        return Status::NotSent;
#ifdef Q_OS_WIN
    // The spooler has the job; whether it waits on the printer only the spooler knows.
    return jobOnSpooler(destination_, title, reason_);
#else
    return Status::Accepted;
#endif
}
