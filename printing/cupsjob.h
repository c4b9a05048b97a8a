#pragma once
#include <QByteArray>
#include <QPageLayout>
#include <QString>

#include "printing/printstatus.h"

#include <cups/cups.h>

// One print job handed to the CUPS server through libcups, with the server's answer
// checked at every step: the destination, whether it takes jobs, the job's creation,
// its document and the job's state afterwards. Every call may wait on the network,
// so callers run them away from the window's thread (one thread at a time).
class CupsJob {
  public:
    using Status = PrintStatus;

    // `destination` empty: the default destination, as libcups finds it (LPDEST,
    // PRINTER, the user's lpoptions, the server's default).
    explicit CupsJob(QString destination = QString());
    ~CupsJob();
    CupsJob(const CupsJob&) = delete;
    CupsJob& operator=(const CupsJob&) = delete;

    // Finds the destination and reads its state and default sheet.
    Status lookUp();
    // Sends `pdf` as the one document of a new job; needs a successful lookUp().
    Status submit(const QByteArray& pdf, const QString& title, int copies = 1);

    const QString& destination() const { return destination_; }
    // The destination's default sheet in landscape, margins wide enough for every side.
    const QPageLayout& pageLayout() const { return pageLayout_; }
    int jobId() const { return jobId_; }
    // The server's own words about the last failure (or the printer's state), if any.
    const QString& reason() const { return reason_; }

    // True once any CUPS server has answered in this run of the program.
    static bool serverAnswered();

  private:
    Status failure(Status status);
    Status printerState();
    Status jobState();
    void readPageLayout();

    QString destination_;
    cups_dest_t* dest_ = nullptr;
    QPageLayout pageLayout_;
    int jobId_ = 0;
    QString reason_;
};
