#include "printing/cupsjob.h"

#include <QPageSize>
#include <QSizeF>

#include <algorithm>
#include <atomic>

namespace {

std::atomic<bool> answered{false};

// A CUPS status that says the server could not be reached at all.
bool unreachable(ipp_status_t status) {
    return status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE;
}

bool failed(ipp_status_t status) {
    return status >= IPP_STATUS_REDIRECTION_OTHER_SITE;
}

} // namespace

CupsJob::CupsJob(QString destination)
    : destination_(std::move(destination)), pageLayout_(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                                        QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter) {}

CupsJob::~CupsJob() {
    if (dest_) cupsFreeDests(1, dest_);
}

bool CupsJob::serverAnswered() {
    return answered.load();
}

CupsJob::Status CupsJob::failure(Status status) {
    const QString said = QString::fromUtf8(cupsLastErrorString());
    if (!said.isEmpty()) reason_ = said;
    return status;
}

CupsJob::Status CupsJob::lookUp() {
    reason_.clear();
    if (dest_) cupsFreeDests(1, dest_);
    const QByteArray name = destination_.toUtf8();
    dest_ = cupsGetNamedDest(CUPS_HTTP_DEFAULT, destination_.isEmpty() ? nullptr : name.constData(), nullptr);
    if (!dest_) {
        // libcups says "no default destination" also when no server answers at all.
        ipp_t* probe = cupsDoRequest(CUPS_HTTP_DEFAULT, ippNewRequest(IPP_OP_CUPS_GET_DEFAULT), "/");
        const bool reached = probe != nullptr;
        ippDelete(probe);
        if (!reached) return failure(Status::Unreachable);
        answered = true;
        return Status::NoDestination;
    }
    answered = true;
    destination_ = QString::fromUtf8(dest_->name);
    const Status state = printerState();
    if (state == Status::Ready) readPageLayout();
    return state;
}

// Asks the destination itself whether it takes jobs and runs, with its own words.
CupsJob::Status CupsJob::printerState() {
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    const char* uri = cupsGetOption("printer-uri-supported", dest_->num_options, dest_->options);
    char assembled[HTTP_MAX_URI];
    if (!uri) {
        httpAssembleURIf(HTTP_URI_CODING_ALL, assembled, sizeof assembled, "ipp", nullptr, "localhost",
                         ippPort(), "/printers/%s", dest_->name);
        uri = assembled;
    }
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    static const char* const wanted[] = {"printer-state", "printer-state-message",
                                         "printer-is-accepting-jobs"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3, nullptr, wanted);
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    if (!response) return failure(Status::Unreachable);
    Status status = Status::Ready;
    if (failed(ippGetStatusCode(response))) {
        status = failure(Status::NoDestination);
    } else {
        const char* message =
            ippGetString(ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT), 0, nullptr);
        if (message) reason_ = QString::fromUtf8(message);
        ipp_attribute_t* accepting = ippFindAttribute(response, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
        if (accepting && !ippGetBoolean(accepting, 0))
            status = Status::Refused;
        else if (ippGetInteger(ippFindAttribute(response, "printer-state", IPP_TAG_ENUM), 0) ==
                 IPP_PSTATE_STOPPED)
            status = Status::Stopped;
    }
    ippDelete(response);
    return status;
}

void CupsJob::readPageLayout() {
    cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest_);
    if (!info) return;
    cups_size_t size{};
    if (cupsGetDestMediaDefault(CUPS_HTTP_DEFAULT, dest_, info, CUPS_MEDIA_FLAGS_DEFAULT, &size) &&
        size.width > 0 && size.length > 0) {
        // libcups gives hundredths of a millimetre for the sheet as it is fed.
        const double margin = std::max({size.left, size.right, size.top, size.bottom, 0}) / 100.0;
        pageLayout_ = QPageLayout(QPageSize(QSizeF(size.width / 100.0, size.length / 100.0),
                                            QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch),
                                  QPageLayout::Landscape, QMarginsF(margin, margin, margin, margin),
                                  QPageLayout::Millimeter);
    }
    cupsFreeDestInfo(info);
}

CupsJob::Status CupsJob::submit(const QByteArray& pdf, const QString& title, int copies) {
    if (!dest_) return Status::NoDestination;
    reason_.clear();
    const QByteArray name = destination_.toUtf8();
    const QByteArray jobTitle = title.toUtf8();
    int optionCount = 0;
    cups_option_t* options = nullptr;
    if (copies > 1) optionCount = cupsAddOption("copies", QByteArray::number(copies), optionCount, &options);

    jobId_ = cupsCreateJob(CUPS_HTTP_DEFAULT, name, jobTitle, optionCount, options);
    cupsFreeOptions(optionCount, options);
    if (jobId_ == 0) {
        const ipp_status_t status = cupsLastError();
        if (unreachable(status)) return failure(Status::Unreachable);
        if (status == IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS) return failure(Status::Refused);
        return failure(Status::NotCreated);
    }

    bool sent = cupsStartDocument(CUPS_HTTP_DEFAULT, name, jobId_, jobTitle, CUPS_FORMAT_PDF, 1) ==
                HTTP_STATUS_CONTINUE;
    sent = sent && cupsWriteRequestData(CUPS_HTTP_DEFAULT, pdf.constData(), size_t(pdf.size())) ==
                       HTTP_STATUS_CONTINUE;
    // The document must be finished in every case, or the connection stays mid-request.
    const ipp_status_t finished = cupsFinishDocument(CUPS_HTTP_DEFAULT, name);
    if (!sent || failed(finished)) {
        const Status status = failure(unreachable(cupsLastError()) ? Status::Unreachable : Status::NotSent);
        // A job without its document would wait for ever.
        cupsCancelJob2(CUPS_HTTP_DEFAULT, name, jobId_, 0);
        return status;
    }
    return jobState();
}

// Asks the server what became of the job just sent: held jobs and jobs waiting on a
// stopped printer produce nothing yet.
CupsJob::Status CupsJob::jobState() {
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/jobs/%d",
                     jobId_);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    static const char* const wanted[] = {"job-state", "job-state-reasons", "job-printer-state-message"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3, nullptr, wanted);
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    // The job exists on the server; not knowing its state is no reason to call it lost.
    Status status = Status::Accepted;
    if (response) {
        const int state = ippGetInteger(ippFindAttribute(response, "job-state", IPP_TAG_ENUM), 0);
        if (state == IPP_JSTATE_HELD) status = Status::Held;
        if (state == IPP_JSTATE_CANCELED || state == IPP_JSTATE_ABORTED) status = Status::NotSent;
        // A pending job on a stopped printer waits just as a held one does.
        ipp_attribute_t* reasons = ippFindAttribute(response, "job-state-reasons", IPP_TAG_KEYWORD);
        if (state == IPP_JSTATE_PENDING && ippContainsString(reasons, "printer-stopped"))
            status = Status::Held;
        const char* message =
            ippGetString(ippFindAttribute(response, "job-printer-state-message", IPP_TAG_TEXT), 0, nullptr);
        if (status != Status::Accepted && message) reason_ = QString::fromUtf8(message);
        ippDelete(response);
    }
    return status;
}
