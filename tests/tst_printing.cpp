#include "app/form1.h"
#include "app/translations.h"
#include "canvas/palette.h"
#include "canvastesting.h"
#include "printing/jobtitle.h"
#include "printing/qtprintjob.h"
#ifdef ENSHUKAKU_CUPS
#include "privatecupsserver.h"
#endif

#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBoundaryFinder>
#include <QTimer>
#include <QTranslator>

#ifdef ENSHUKAKU_CUPS
#include <cups/cups.h>
#endif

#include <functional>

namespace {

constexpr QRgb kWhite = 0xffffffff;
// A CUPS server that cannot answer: the system then has no printer at all.
const QString kDeadCupsServer = QStringLiteral("/nonexistent/enshukaku-no-cups.sock");

// Answers the name prompt with a fixed text and remembers how it was asked.
class FixedPrompt : public NamePrompt {
  public:
    explicit FixedPrompt(QString answer) : answer_(std::move(answer)) {}
    QString ask(QWidget*, const QString& title, const QString& prompt) override {
        ++asked;
        this->title = title;
        this->prompt = prompt;
        return answer_;
    }
    int asked = 0;
    QString title, prompt;

  private:
    QString answer_;
};

// Renders the page as the real printer does, into an image, and keeps it.
class RecordingPrinter : public WindowPrinter {
  public:
    Outcome print(QWidget& window, const QString& documentName) override {
        page = QImage(window.size(), QImage::Format_RGB32);
        window.render(&page);
        documents << documentName;
        return Outcome::Printed;
    }
    QImage page;
    QStringList documents;
};

// With no default printer the dialog would be asked; here it "prints" to a file
// that cannot be written, so the printer cannot start.
class UnwritablePrinter : public WindowPrinter {
  public:
    using WindowPrinter::WindowPrinter;

  protected:
    bool choosePrinter(QPrinter& printer, QWidget*) override {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QStringLiteral("/nonexistent/enshukaku/page.pdf"));
        return true;
    }
};

template <typename Prompt = FixedPrompt> Prompt* answerWith(Form1& form, const QString& answer) {
    auto prompt = std::make_unique<Prompt>(answer);
    Prompt* raw = prompt.get();
    form.namePrompt = std::move(prompt);
    return raw;
}

RecordingPrinter* recordPages(Form1& form) {
    auto printer = std::make_unique<RecordingPrinter>();
    RecordingPrinter* raw = printer.get();
    form.windowPrinter = std::move(printer);
    return raw;
}

// Pixels of Label7's box (at (8, 8) on the canvas) darker than mid grey.
int darkPixelsInNameLabel(const QImage& window) {
    const QPoint canvas = QPoint(16, 56) + QPoint(CanvasWidget::kDrawingOffset, CanvasWidget::kDrawingOffset);
    int dark = 0;
    for (int y = 8; y < 26; ++y) {
        for (int x = 8; x < 160; ++x) dark += qGray(window.pixel(canvas + QPoint(x, y))) < 128 ? 1 : 0;
    }
    return dark;
}

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000)) return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

#ifdef ENSHUKAKU_CUPS
// Why the cups-pdf queue cannot take a page here; empty when it can. The tests
// print only to a queue named PDF, never to a printer with paper in it.
QString pdfQueueMissing() {
    if (!run(QStringLiteral("lpstat"), {QStringLiteral("-r")}).contains(QStringLiteral("is running")))
        return QStringLiteral("no CUPS server is running (tools/cups-pdf start)");
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (printer.isNull()) return QStringLiteral("CUPS has no default printer");
    if (printer.printerName() != QLatin1String("PDF"))
        return QStringLiteral("the default printer is %1, not the cups-pdf queue PDF")
            .arg(printer.printerName());
    return QString();
}

#endif

// Set when a test skipped because the queue is missing: the run then ends with
// kQueueMissing, which CTest reports as skipped, unless something failed.
bool pdfQueueSkipped = false;
constexpr int kQueueMissing = 77;

#ifdef ENSHUKAKU_CUPS
// The tests that need a CUPS server run on their own as tst_printing_queue, which
// CTest can show as skipped where there is no server; under tst_printing they step aside.
#define CUPS_TESTS_RUN_APART()                                                                               \
    do {                                                                                                     \
        if (qgetenv("ENSHUKAKU_QUEUE_TESTS") == "apart") QSKIP("run on their own as tst_printing_queue");    \
    } while (false)

// A skip for want of CUPS; under CI, where the server is started, it is a failure.
#define SKIP_WITHOUT_CUPS(why)                                                                               \
    do {                                                                                                     \
        if (qgetenv("CI") == "true") QFAIL(why);                                                             \
        pdfQueueSkipped = true;                                                                              \
        QSKIP(why);                                                                                          \
    } while (false)

#define REQUIRE_PDF_QUEUE()                                                                                  \
    do {                                                                                                     \
        CUPS_TESTS_RUN_APART();                                                                              \
        const QString missing = pdfQueueMissing();                                                           \
        if (!missing.isEmpty()) SKIP_WITHOUT_CUPS(qPrintable(missing));                                      \
    } while (false)

#else
// Where the system has no CUPS (Windows), the tests of printing through it do not apply.
#define CUPS_TESTS_RUN_APART() QSKIP("this system prints without CUPS")
#define REQUIRE_PDF_QUEUE() CUPS_TESTS_RUN_APART()
#define REQUIRE_CUPS_SERVER() CUPS_TESTS_RUN_APART()
#endif

#ifdef ENSHUKAKU_CUPS
// Number of the latest job CUPS knows of (its history is kept); 0 before the first.
int lastJobId() {
    const QString jobs =
        run(QStringLiteral("lpstat"), {QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o")});
    int last = 0;
    QRegularExpressionMatchIterator match =
        QRegularExpression(QStringLiteral("^\\S+-(\\d+)\\s"), QRegularExpression::MultilineOption)
            .globalMatch(jobs);
    while (match.hasNext()) last = std::max(last, match.next().captured(1).toInt());
    return last;
}

QString pdfOutputDirectory() {
    return QDir::homePath() + QStringLiteral("/PDF");
}

#endif

struct PdfPages {
    int count = 0;
    double width = 0, height = 0;
};

PdfPages readPdfInfo(const QString& path) {
    const QString info = run(QStringLiteral("pdfinfo"), {path});
    PdfPages pages;
    const QRegularExpressionMatch count = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    if (count.hasMatch()) pages.count = count.captured(1).toInt();
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+)")).match(info);
    if (size.hasMatch()) {
        pages.width = size.captured(1).toDouble();
        pages.height = size.captured(2).toDouble();
    }
    return pages;
}

#ifdef ENSHUKAKU_CUPS
// Waits up to a minute for a cups-pdf printout that `wanted` accepts (by its file
// name and its path): cups-pdf writes it some seconds after the job ends.
QString waitForPdf(const std::function<bool(const QString&, const QString&)>& wanted) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 60000) {
        const QDir directory(pdfOutputDirectory());
        for (const QString& file : directory.entryList({QStringLiteral("*.pdf")}, QDir::Files)) {
            const QString path = directory.filePath(file);
            if (wanted(file, path) && readPdfInfo(path).count > 0) return path;
        }
        QTest::qWait(500);
    }
    return QString();
}

// The printout whose title holds `name`. The queue may be shared with other programs,
// so a printout found without its job number is known by its title.
QString waitForTitledPdf(const QString& name) {
    return waitForPdf([&](const QString&, const QString& path) {
        const QString info = run(QStringLiteral("pdfinfo"), {path});
        const QRegularExpressionMatch title =
            QRegularExpression(QStringLiteral("^Title:\\s*(.*)$"), QRegularExpression::MultilineOption)
                .match(info);
        return title.hasMatch() && title.captured(1).contains(name);
    });
}

// The printout of CUPS job `job`: cups-pdf names it after the job.
QString waitForJobPdf(int job) {
    const QString suffix = QStringLiteral("job_%1.pdf").arg(job);
    return waitForPdf([&](const QString& file, const QString&) { return file.endsWith(suffix); });
}

QImage renderPdf(const QString& pdf, int dpi) {
    QTemporaryDir dir;
    const QString stem = dir.filePath(QStringLiteral("page"));
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi),
                                     QStringLiteral("-singlefile"), QStringLiteral("-png"), pdf, stem});
    return QImage(stem + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

bool paleGreen(QRgb pixel) {
    return std::abs(qRed(pixel) - 192) < 24 && qGreen(pixel) > 230 && std::abs(qBlue(pixel) - 192) < 24;
}

// Where the window lies on the printed sheet: the bounding box of its pale green panel.
QRect windowBox(const QImage& page) {
    QRect box;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            if (paleGreen(page.pixel(x, y))) box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

// The window cut out of the page and turned so that it reads as on the screen, at
// the window's own size. Null when the panel is not found.
QImage windowOnPage(const QImage& page) {
    const QRect box = windowBox(page);
    if (box.width() < 50 || box.height() < 50) return QImage();
    QImage window = page.copy(box);
    if (window.height() > window.width()) {
        // Printed across the sheet: the title "円周角" (green on dark green) sits at the top left.
        const QImage left = window.transformed(QTransform().rotate(90));
        const QImage right = window.transformed(QTransform().rotate(-90));
        auto greenTitleAtTopLeft = [](const QImage& image) {
            const QImage title =
                image.scaled(1014, 700).copy(24, 8, 99, 33).convertToFormat(QImage::Format_RGB32);
            int green = 0;
            for (int y = 0; y < title.height(); ++y) {
                for (int x = 0; x < title.width(); ++x) {
                    const QRgb p = title.pixel(x, y);
                    green += qRed(p) < 80 && qBlue(p) < 80 && qGreen(p) > 90 ? 1 : 0;
                }
            }
            return green > title.width() * title.height() / 2;
        };
        window = greenTitleAtTopLeft(left) ? left : right;
    }
    return window.scaled(1014, 700, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

#endif

// Runs `function` of this test program again in a process whose CUPS server is dead,
// so that the system has no printer at all. True when this already is that process.
bool inProcessWithoutPrinter(const char* function) {
#ifndef ENSHUKAKU_CUPS
    // Without CUPS there is no server to take away: the test runs here, and steps aside
    // where a printer is installed.
    Q_UNUSED(function);
    return true;
#endif
    if (qEnvironmentVariable("CUPS_SERVER") == kDeadCupsServer) return true;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("CUPS_SERVER"), kDeadCupsServer);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.remove(QStringLiteral("PRINTER"));
    environment.remove(QStringLiteral("LPDEST"));
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(function)});
    const bool finished = child.waitForFinished(120000);
    const QByteArray output = child.readAll();
    if (!finished || child.exitCode() != 0) qWarning().noquote() << output;
    [&] {
        QVERIFY(finished);
        QCOMPARE(child.exitCode(), 0);
        QVERIFY2(output.contains("PASS   : TestPrinting::" + QByteArray(function)), output.constData());
    }();
    return false;
}

// Calls `handle` with each modal window that opens until `stop` is set. A new
// watch ends the one before, whose `stop` may be gone with its test.
void watchModals(std::function<void(QWidget*)> handle, bool& stop) {
    static QPointer<QTimer> previous;
    delete previous.data();
    auto* timer = new QTimer;
    previous = timer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, handle, &stop] {
        if (stop) {
            timer->deleteLater();
            return;
        }
        if (QWidget* modal = QApplication::activeModalWidget()) handle(modal);
    });
    timer->start();
}

#ifdef ENSHUKAKU_CUPS
// A queue of our own on the shared CUPS server, made the program's default
// destination through LPDEST (which libcups and the toolkit both honour) for as
// long as it lives. Its jobs go nowhere that another test looks.
class OwnQueue {
  public:
    // `state` is run on the queue after it is made: cupsreject or cupsdisable.
    OwnQueue(const QString& name, const QString& state) : name_(name) {
        run(QStringLiteral("lpadmin"),
            QStringList{QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
                        QStringLiteral("cups-pdf:/"), QStringLiteral("-m"),
                        QStringLiteral("lsb/usr/cups-pdf/CUPS-PDF_opt.ppd")});
        run(state, {QStringLiteral("-r"), QStringLiteral("test queue %1").arg(name), name});
        qputenv("LPDEST", name.toUtf8());
        qunsetenv("PRINTER");
    }
    ~OwnQueue() {
        qunsetenv("LPDEST");
        run(QStringLiteral("cancel"), {QStringLiteral("-a"), name_});
        run(QStringLiteral("lpadmin"), {QStringLiteral("-x"), name_});
    }
    bool exists() const {
        return run(QStringLiteral("lpstat"), {QStringLiteral("-p"), name_}).contains(name_);
    }
    // The jobs the queue ever had, finished or not.
    QStringList jobs() const {
        return run(QStringLiteral("lpstat"),
                   {QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o"), name_})
            .split(u'\n', Qt::SkipEmptyParts);
    }

  private:
    QString name_;
};

// The text of every message box that opens while `action` runs; each is closed.
QStringList messagesDuring(const std::function<void()>& action) {
    QStringList messages;
    bool stop = false;
    watchModals(
        [&](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal)) messages << box->text();
            modal->close();
        },
        stop);
    action();
    stop = true;
    // The watcher sees the flag and goes before the flag does.
    QTest::qWait(60);
    return messages;
}

// The title CUPS keeps for job `job` of `queue`, from the server's job history.
QString jobTitle(const QString& queue, int job) {
    cups_job_t* jobs = nullptr;
    const int count =
        cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.toUtf8().constData(), 0, CUPS_WHICHJOBS_ALL);
    QString title;
    for (int i = 0; i < count; ++i) {
        if (jobs[i].id == job) title = QString::fromUtf8(jobs[i].title);
    }
    cupsFreeJobs(count, jobs);
    return title;
}

#define REQUIRE_CUPS_SERVER()                                                                                \
    do {                                                                                                     \
        CUPS_TESTS_RUN_APART();                                                                              \
        if (!run(QStringLiteral("lpstat"), {QStringLiteral("-r")}).contains(QStringLiteral("is running")))   \
            SKIP_WITHOUT_CUPS("no CUPS server is running (tools/cups-pdf start)");                           \
    } while (false)
#endif

} // namespace

class TestPrinting : public QObject {
    Q_OBJECT
  private slots:
    void promptAsksForName();
    void inputBoxReturnsTypedTextOrNothing_data();
    void inputBoxReturnsTypedTextOrNothing();
    void noNamePrintsNothing_data();
    void noNamePrintsNothing();
    void nameGoesOnPageAsTyped_data();
    void nameGoesOnPageAsTyped();
    void secondPrintShowsSecondName();
    void nameIsBlackOnPageOnly();
    void canvasIsWhiteAfterPrinting();
    void nameBoxHidesNothingOnScreen();
    void printsOneLandscapePageOnQueue_data();
    void printsOneLandscapePageOnQueue();
    void cancelSendsNoJob();
    void noPrinterOpensPrintDialog();
    void failedPrintingSaysSo_data();
    void failedPrintingSaysSo();
    void toolkitJobFindsNoSuchPrinter_data();
    void toolkitJobFindsNoSuchPrinter();
    void jobTitleIsSafe_data();
    void jobTitleIsSafe();
    void queueThatTakesNoPageSaysSo_data();
    void queueThatTakesNoPageSaysSo();
    void busyWhileTheServerAnswers();
    void longOrOddNamesNameTheirJob_data();
    void longOrOddNamesNameTheirJob();
    void serverStoppedWhileRunningSaysSo();
    void printerChosenInDialogTakesTheJob();
    void toolkitSpeaksJapanese_data();
    void toolkitSpeaksJapanese();
};

void TestPrinting::promptAsksForName() {
    Form1 form;
    FixedPrompt* prompt = answerWith(form, QString());
    recordPages(form);
    QTest::mouseClick(form.Command6, Qt::LeftButton);
    QCOMPARE(prompt->asked, 1);
    QCOMPARE(prompt->title, QStringLiteral("印刷"));
    QCOMPARE(prompt->prompt,
             QStringLiteral("名前を入力してください。\n\n名前を入力しないと印刷できません。"));
}

void TestPrinting::inputBoxReturnsTypedTextOrNothing_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("expected");
    QTest::newRow("OK") << QStringLiteral("山田 花子") << true << QStringLiteral("山田 花子");
    QTest::newRow("OK with nothing typed") << QString() << true << QString();
    QTest::newRow("cancel") << QStringLiteral("山田") << false << QString();
}

// The real modal box: its title, its prompt, no default text.
void TestPrinting::inputBoxReturnsTypedTextOrNothing() {
    QFETCH(QString, typed);
    QFETCH(bool, accept);
    QFETCH(QString, expected);
    QWidget parent;
    QString title, label, initial;
    bool stop = false;
    watchModals(
        [&](QWidget* modal) {
            auto* box = qobject_cast<QInputDialog*>(modal);
            if (!box) return;
            title = box->windowTitle();
            label = box->labelText();
            initial = box->textValue();
            box->setTextValue(typed);
            accept ? box->accept() : box->reject();
        },
        stop);
    const QString answer = NamePrompt().ask(&parent, QStringLiteral("印刷"), QStringLiteral("a\n\nb"));
    stop = true;
    QCOMPARE(answer, expected);
    QCOMPARE(title, QStringLiteral("印刷"));
    QCOMPARE(label, QStringLiteral("a\n\nb"));
    QCOMPARE(initial, QString());
}

void TestPrinting::noNamePrintsNothing_data() {
    QTest::addColumn<bool>("printedBefore");
    QTest::newRow("first print") << false;
    QTest::newRow("after a print") << true;
}

// An empty answer (nothing typed, or the box cancelled) prints nothing and keeps the label.
void TestPrinting::noNamePrintsNothing() {
    QFETCH(bool, printedBefore);
    Form1 form;
    RecordingPrinter* printer = recordPages(form);
    if (printedBefore) {
        answerWith(form, QStringLiteral("太郎"));
        form.Command6_Click();
    }
    const QString caption = form.marks.Label7.caption;
    const int pages = int(printer->documents.size());
    answerWith(form, QString());
    form.Command6_Click();
    QCOMPARE(printer->documents.size(), pages);
    QCOMPARE(form.marks.Label7.caption, caption);
}

void TestPrinting::nameGoesOnPageAsTyped_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("name") << QStringLiteral("山田花子");
    QTest::newRow("only spaces") << QStringLiteral("   ");
    QTest::newRow("spaces around") << QStringLiteral(" Ken ");
}

void TestPrinting::nameGoesOnPageAsTyped() {
    QFETCH(QString, name);
    Form1 form;
    RecordingPrinter* printer = recordPages(form);
    answerWith(form, name);
    form.Command6_Click();
    QCOMPARE(printer->documents.size(), 1);
    QCOMPARE(form.marks.Label7.caption, QStringLiteral("名前：") + name);
    QVERIFY(printer->documents.first().contains(QStringLiteral("名前：") + name));
}

void TestPrinting::secondPrintShowsSecondName() {
    Form1 form;
    RecordingPrinter* printer = recordPages(form);
    answerWith(form, QStringLiteral("一郎"));
    form.Command6_Click();
    const int firstDark = darkPixelsInNameLabel(printer->page);
    answerWith(form, QStringLiteral("一郎と二郎と三郎"));
    form.Command6_Click();
    QCOMPARE(form.marks.Label7.caption, QStringLiteral("名前：一郎と二郎と三郎"));
    // The longer name puts more ink on the page.
    QVERIFY(darkPixelsInNameLabel(printer->page) > firstDark);
}

// The label is white on white: black on the page, invisible on the screen.
void TestPrinting::nameIsBlackOnPageOnly() {
    Form1 form;
    RecordingPrinter* printer = recordPages(form);
    answerWith(form, QStringLiteral("山田花子"));
    QCOMPARE(darkPixelsInNameLabel(form.clientArea->grab().toImage()), 0);
    form.Command6_Click();
    QVERIFY2(darkPixelsInNameLabel(printer->page) > 30, "no name on the page");
    QCOMPARE(darkPixelsInNameLabel(form.clientArea->grab().toImage()), 0);
}

// Nothing of the drawing at printing time comes back at a later clear.
void TestPrinting::canvasIsWhiteAfterPrinting() {
    Form1 form;
    recordPages(form);
    form.Command3_Click();
    canvastesting::pull(form, 40, 600, 140, 600);
    answerWith(form, QStringLiteral("花子"));
    form.Command6_Click();
    QCOMPARE(form.gamen.pixel(90, 600), palette::rgb(12));
    form.gamen_MouseDown(2, 0, 300, 300);
    form.gamen_MouseUp(2, 0, 300, 300);
    QCOMPARE(form.gamen.pixel(90, 600), kWhite);
    QCOMPARE(canvastesting::shown(canvastesting::view(form), 90, 600), kWhite);
}

// After printing, the invisible name box covers neither ink nor grid in the corner.
void TestPrinting::nameBoxHidesNothingOnScreen() {
    Form1 form;
    recordPages(form);
    form.Command4_Click();
    form.Command3_Click();
    canvastesting::pull(form, 40, 16, 80, 16);
    answerWith(form, QStringLiteral("山田花子"));
    form.Command6_Click();
    const QImage shown = canvastesting::view(form);
    QCOMPARE(canvastesting::shown(shown, 25, 14), 0xffc0c0c0);
    QCOMPARE(canvastesting::shown(shown, 60, 16), palette::rgb(12));
}

void TestPrinting::printsOneLandscapePageOnQueue_data() {
    QTest::addColumn<bool>("toolkit");
    QTest::newRow("through CUPS") << false;
    // The way Windows prints, here through the toolkit's CUPS support.
    QTest::newRow("through the toolkit") << true;
}

// A real job on the cups-pdf queue: one page, the window along the sheet's long
// side, with the figure and the name in black.
void TestPrinting::printsOneLandscapePageOnQueue() {
#ifdef ENSHUKAKU_CUPS
    QFETCH(bool, toolkit);
    REQUIRE_PDF_QUEUE();
    const int jobBefore = lastJobId();
    Form1 form;
    if (toolkit) form.windowPrinter = std::make_unique<WindowPrinter>(WindowPrinter::Route::Toolkit);
    // The PDF's title keeps only the ASCII letters of the name intact.
    const QString tag = QStringLiteral("Hanako%1").arg(QCoreApplication::applicationPid());
    answerWith(form, QStringLiteral("山田") + tag);
    form.Command6_Click();
    QVERIFY(lastJobId() > jobBefore);

    const QString pdf = waitForTitledPdf(tag);
    QVERIFY2(!pdf.isEmpty(),
             qPrintable(QStringLiteral("no PDF titled with %1 in %2").arg(tag, pdfOutputDirectory())));
    const PdfPages pages = readPdfInfo(pdf);
    QCOMPARE(pages.count, 1);
    const QImage page = renderPdf(pdf, 150);
    QVERIFY(!page.isNull());
    const QImage window = windowOnPage(page);
    QVERIFY2(!window.isNull(), "the window is not on the page");
    // Landscape: the window's long side lies along the sheet's long side and fills most of it.
    const QRect box = windowBox(page);
    const int pageLong = std::max(page.width(), page.height());
    const int boxLong = std::max(box.width(), box.height());
    QCOMPARE(box.width() > box.height(), page.width() > page.height());
    QVERIFY2(boxLong > pageLong * 0.75, qPrintable(QStringLiteral("%1 of %2").arg(boxLong).arg(pageLong)));

    // The figure: the circle's outline on the white canvas, the centre white.
    const QPoint centre = QPoint(16 + 2 + 425, 56 + 2 + 325);
    auto darkNear = [&](QPoint at) {
        for (int dy = -3; dy <= 3; ++dy)
            for (int dx = -3; dx <= 3; ++dx)
                if (qGray(window.pixel(at + QPoint(dx, dy))) < 100) return true;
        return false;
    };
    for (QPoint offset : {QPoint(0, -250), QPoint(0, 250), QPoint(-250, 0), QPoint(250, 0)}) {
        QVERIFY2(darkNear(centre + offset),
                 qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
    }
    QVERIFY(qGray(window.pixel(centre + QPoint(60, 60))) > 230);
    // The name, white on the screen, is black on the page.
    QVERIFY2(darkPixelsInNameLabel(window) > 30, "no name on the page");
    QFile::remove(pdf);
#else
    CUPS_TESTS_RUN_APART();
#endif
}

void TestPrinting::cancelSendsNoJob() {
#ifdef ENSHUKAKU_CUPS
    REQUIRE_PDF_QUEUE();
    // Other programs may print on the shared queue meanwhile: a new job counts
    // against the program only when it comes after each of three tries.
    Form1 form;
    FixedPrompt* prompt = answerWith(form, QString());
    bool noNewJob = false;
    int attempts = 0;
    while (attempts < 3 && !noNewJob) {
        const int job = lastJobId();
        form.Command6_Click();
        ++attempts;
        noNewJob = lastJobId() == job;
    }
    QCOMPARE(prompt->asked, attempts);
    QVERIFY2(noNewJob, "a cancelled name prompt sent a job (three times)");
#else
    CUPS_TESTS_RUN_APART();
#endif
}

// With no printer at all the standard print dialog opens; cancelling it prints
// nothing and says nothing, accepting it prints to a PDF file.
void TestPrinting::noPrinterOpensPrintDialog() {
#ifdef Q_OS_WIN
    QSKIP("the system's own print dialog opens here, which a test cannot answer");
#endif
    if (!inProcessWithoutPrinter("noPrinterOpensPrintDialog")) return;
    QVERIFY(QPrinterInfo::defaultPrinter().isNull());
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("page.pdf"));

    for (bool accept : {false, true}) {
        Form1 form;
        answerWith(form, QStringLiteral("花子"));
        QStringList seen;
        bool stop = false;
        watchModals(
            [&](QWidget* modal) {
                seen << QString::fromLatin1(modal->metaObject()->className());
                auto* dialog = qobject_cast<QPrintDialog*>(modal);
                if (!dialog) {
                    modal->close();
                    return;
                }
                if (!accept) {
                    dialog->reject();
                    return;
                }
                auto* fileName = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
                if (fileName) fileName->setText(file);
                dialog->accept();
            },
            stop);
        form.Command6_Click();
        QTest::qWait(100);
        stop = true;
        QVERIFY2(!seen.isEmpty(), "no dialog");
        QVERIFY2(qobject_cast<QPrintDialog*>(QApplication::activeModalWidget()) == nullptr,
                 "dialog left open");
        QCOMPARE(seen.first(), QStringLiteral("QPrintDialog"));
        QVERIFY2(!seen.join(',').contains(QStringLiteral("QMessageBox")), qPrintable(seen.join(',')));
        QCOMPARE(form.marks.Label7.caption, QStringLiteral("名前：花子"));
        QCOMPARE(QFile::exists(file), accept);
    }
    const PdfPages pages = readPdfInfo(file);
    QCOMPARE(pages.count, 1);
    QVERIFY(pages.width > pages.height);
}

void TestPrinting::failedPrintingSaysSo_data() {
    QTest::addColumn<bool>("toolkit");
#ifdef ENSHUKAKU_CUPS
    QTest::newRow("through CUPS") << false;
#endif
    QTest::newRow("through the toolkit") << true;
}

void TestPrinting::failedPrintingSaysSo() {
    QFETCH(bool, toolkit);
    if (!inProcessWithoutPrinter("failedPrintingSaysSo")) return;
    if (!QPrinterInfo::defaultPrinter().isNull())
        QSKIP("a printer is installed here: this test prints nothing");
    Form1 form;
    answerWith(form, QStringLiteral("花子"));
    form.windowPrinter = std::make_unique<UnwritablePrinter>(toolkit ? WindowPrinter::Route::Toolkit
                                                                     : WindowPrinter::kSystemRoute);
    QString message;
    bool stop = false;
    watchModals(
        [&](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal)) message = box->text();
            modal->close();
        },
        stop);
    form.Command6_Click();
    stop = true;
    QVERIFY2(message.contains(QStringLiteral("印刷できませんでした")), qPrintable(message));
    QVERIFY2(message.contains(QStringLiteral("何も印刷されていません")), qPrintable(message));
    QVERIFY2(message.contains(QStringLiteral("page.pdf")), qPrintable(message));
}

void TestPrinting::toolkitJobFindsNoSuchPrinter_data() {
    QTest::addColumn<QString>("printer");
    QTest::newRow("unknown name") << QStringLiteral("enshukaku-no-such-printer");
    QTest::newRow("unknown Japanese name") << QStringLiteral("存在しないプリンター");
}

// A printer the system does not know takes no job: the toolkit would quietly use
// another printer (or a PDF file) in its place, and a page there is no page here.
void TestPrinting::toolkitJobFindsNoSuchPrinter() {
    QFETCH(QString, printer);
    QtPrintJob job(printer);
    QCOMPARE(job.lookUp(), PrintStatus::NoDestination);
    bool drawn = false;
    const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF());
    QCOMPARE(job.submit([&](QPainter&, const QSizeF&) { drawn = true; }, layout, QStringLiteral("花子")),
             PrintStatus::NoDestination);
    QVERIFY(!drawn);
    QCOMPARE(job.destination(), printer);
}

void TestPrinting::jobTitleIsSafe_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kept");
    QTest::newRow("slash and tab") << QStringLiteral("3/2\tYamada") << QStringLiteral("3_2Yamada");
    QTest::newRow("file name characters")
        << QStringLiteral("a\\b:c*d?e\"f<g>h|i") << QStringLiteral("a_b_c_d_e_f_g_h_i");
    QTest::newRow("only control characters") << QStringLiteral("\t\r\n\x1b") << QString();
    QTest::newRow("500 characters") << QString(500, u'a') << QStringLiteral("aaaaaaaaaa");
    QTest::newRow("500 kanji") << QString(500, u'山') << QStringLiteral("山山山山山");
    QTest::newRow("500 emoji") << QStringLiteral("😀").repeated(500) << QStringLiteral("😀😀😀");
    QTest::newRow("accents as combining marks")
        << QStringLiteral("e\u0301").repeated(200) << QStringLiteral("e\u0301e\u0301");
}

// Whatever was typed, the job's title is a short, valid text that names it and that
// a file may be called by.
void TestPrinting::jobTitleIsSafe() {
    QFETCH(QString, name);
    QFETCH(QString, kept);
    const QString prefix = QStringLiteral("円周角の定理 名前：");
    const QString title = safeJobTitle(prefix + name);
    QVERIFY2(title.startsWith(prefix.trimmed()), qPrintable(title));
    QVERIFY(title.contains(kept));
    QVERIFY(QStringView(title).isValidUtf16());
    QVERIFY2(title.toUtf8().size() <= kMaxJobTitleBytes, qPrintable(QString::number(title.toUtf8().size())));
    for (QChar c : title) {
        QVERIFY2(c.category() != QChar::Other_Control, qPrintable(title));
        QVERIFY2(!QStringLiteral("/\\:*?\"<>|").contains(c), qPrintable(title));
    }
    // A cut never parts a mark from its letter nor halves an emoji.
    if ((prefix + name).startsWith(title)) {
        QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, prefix + name);
        graphemes.setPosition(title.size());
        QVERIFY(graphemes.isAtBoundary());
    }
    QVERIFY(!safeJobTitle(QStringLiteral("\t")).isEmpty());
}

void TestPrinting::queueThatTakesNoPageSaysSo_data() {
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("why");
    QTest::addColumn<int>("jobs");
    QTest::addColumn<bool>("toolkit");
    // A queue of the test's own on the shared server; the holding queue is on a
    // server of the test's own, so that its job leaves no trace on the shared one.
    QTest::newRow("rejecting") << QStringLiteral("cupsreject") << QStringLiteral("印刷を受け付けていません")
                               << 0 << false;
    QTest::newRow("stopped") << QStringLiteral("cupsdisable") << QStringLiteral("停止しています") << 0
                             << false;
    QTest::newRow("holding its jobs") << QStringLiteral("job-hold-until-default=indefinite")
                                      << QStringLiteral("印刷待ちになっています") << 1 << false;
    // The way Windows prints: the printer's state, as the toolkit reads it, is told.
    QTest::newRow("stopped, through the toolkit")
        << QStringLiteral("cupsdisable") << QStringLiteral("停止しています") << 0 << true;
}

// The default queue refuses, is stopped or holds the job: a message box says that
// nothing was printed and why, and the window stays as it was.
void TestPrinting::queueThatTakesNoPageSaysSo() {
#ifdef ENSHUKAKU_CUPS
    CUPS_TESTS_RUN_APART();
    QFETCH(QString, state);
    QFETCH(QString, why);
    QFETCH(int, jobs);
    QFETCH(bool, toolkit);
    const bool onOwnServer = state.contains(u'=');
    std::unique_ptr<PrivateCupsServer> server;
    std::unique_ptr<OwnQueue> queue;
    const QString name = QStringLiteral("ENSHU_TEST_%1").arg(QCoreApplication::applicationPid());
    if (onOwnServer) {
        server = std::make_unique<PrivateCupsServer>();
        if (!server->unavailable().isEmpty()) SKIP_WITHOUT_CUPS(qPrintable(server->unavailable()));
        server->setQueueOption(state);
        server->use();
    } else {
        REQUIRE_CUPS_SERVER();
        queue = std::make_unique<OwnQueue>(name, state);
        if (!queue->exists())
            SKIP_WITHOUT_CUPS("could not add a queue with lpadmin (it needs an administrator)");
        // The toolkit (which decides about the print dialog) sees the same default.
        QCOMPARE(QPrinterInfo::defaultPrinter().printerName(), name);
    }

    Form1 form;
    answerWith(form, QStringLiteral("山田花子"));
    if (toolkit) form.windowPrinter = std::make_unique<WindowPrinter>(WindowPrinter::Route::Toolkit);
    const QImage canvas = form.gamen.image();
    const QStringList messages = messagesDuring([&] { form.Command6_Click(); });
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages.first().contains(why), qPrintable(messages.first()));
    QVERIFY2(messages.first().contains(QStringLiteral("何も印刷されていません")),
             qPrintable(messages.first()));
    // The server's own reason comes along.
    if (queue && !toolkit)
        QVERIFY2(messages.first().contains(QStringLiteral("test queue")), qPrintable(messages.first()));
    QCOMPARE(queue ? int(queue->jobs().size()) : server->jobCount(), jobs);
    QCOMPARE(form.gamen.image(), canvas);
    QCOMPARE(canvastesting::shown(canvastesting::view(form), 90, 600), kWhite);
#else
    CUPS_TESTS_RUN_APART();
#endif
}

// From OK to the server's answer the pointer is busy, and the window's events go on.
void TestPrinting::busyWhileTheServerAnswers() {
#ifdef ENSHUKAKU_CUPS
    CUPS_TESTS_RUN_APART();
    PrivateCupsServer server;
    if (!server.unavailable().isEmpty()) SKIP_WITHOUT_CUPS(qPrintable(server.unavailable()));
    server.use();
    Form1 form;
    form.show();
    answerWith(form, QStringLiteral("花子"));
    int busyTicks = 0;
    QTimer ticker;
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const QCursor* cursor = QApplication::overrideCursor();
        if (cursor && cursor->shape() == Qt::WaitCursor) ++busyTicks;
    });
    ticker.start();
    const QStringList messages = messagesDuring([&] { form.Command6_Click(); });
    ticker.stop();
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join(u'\n')));
    QCOMPARE(server.jobCount(), 1);
    QVERIFY2(busyTicks > 0, "no event was handled while waiting for the server");
    QCOMPARE(QApplication::overrideCursor(), nullptr);
#else
    CUPS_TESTS_RUN_APART();
#endif
}

void TestPrinting::longOrOddNamesNameTheirJob_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("500 characters") << QString(500, u'名');
    QTest::newRow("emoji") << QStringLiteral("🌸😀").repeated(100);
    QTest::newRow("slash and tab") << QStringLiteral("3/2\tYamada");
}

// Long names and names with odd characters still print one page, and their job
// carries a safe title that says whose page it is.
void TestPrinting::longOrOddNamesNameTheirJob() {
#ifdef ENSHUKAKU_CUPS
    QFETCH(QString, name);
    REQUIRE_PDF_QUEUE();
    const int before = lastJobId();
    Form1 form;
    answerWith(form, name);
    const QStringList messages = messagesDuring([&] { form.Command6_Click(); });
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join(u'\n')));
    QCOMPARE(form.marks.Label7.caption, QStringLiteral("名前：") + name);

    // Other programs may print to the same queue: find this job by its title.
    const QString expected = safeJobTitle(QStringLiteral("円周角の定理 名前：") + name);
    int job = 0;
    for (int id = before + 1; id <= lastJobId() && job == 0; ++id) {
        if (jobTitle(QStringLiteral("PDF"), id) == expected) job = id;
    }
    QVERIFY2(job > 0, qPrintable(expected));
    const QString title = jobTitle(QStringLiteral("PDF"), job);
    QVERIFY(title.startsWith(QStringLiteral("円周角の定理 名前：") +
                             name.left(2).remove(u'\t').replace(u'/', u'_')));
    QVERIFY(!title.contains(u'/') && !title.contains(u'\t'));

    const QString pdf = waitForJobPdf(job);
    QVERIFY2(!pdf.isEmpty(), qPrintable(QStringLiteral("no PDF of job %1").arg(job)));
    QCOMPARE(readPdfInfo(pdf).count, 1);
    QFile::remove(pdf);
#else
    CUPS_TESTS_RUN_APART();
#endif
}

// The server the program printed to goes away while it runs: the next print says
// that nothing was printed because no server answers.
void TestPrinting::serverStoppedWhileRunningSaysSo() {
#ifdef ENSHUKAKU_CUPS
    CUPS_TESTS_RUN_APART();
    PrivateCupsServer server;
    if (!server.unavailable().isEmpty()) SKIP_WITHOUT_CUPS(qPrintable(server.unavailable()));
    server.use();

    Form1 form;
    answerWith(form, QStringLiteral("花子"));
    const QStringList first = messagesDuring([&] { form.Command6_Click(); });
    QVERIFY2(first.isEmpty(), qPrintable(first.join(u'\n')));
    QCOMPARE(server.jobCount(), 1);

    server.stop();
    const QStringList second = messagesDuring([&] { form.Command6_Click(); });
    QCOMPARE(second.size(), 1);
    QVERIFY2(second.first().contains(QStringLiteral("印刷サーバーに接続できません")),
             qPrintable(second.first()));
    QVERIFY2(second.first().contains(QStringLiteral("何も印刷されていません")), qPrintable(second.first()));
#else
    CUPS_TESTS_RUN_APART();
#endif
}

// A server with printers but no default one: the print dialog opens, and the
// printer picked there gets the job, its answer checked as for the default one.
void TestPrinting::printerChosenInDialogTakesTheJob() {
#ifdef ENSHUKAKU_CUPS
    CUPS_TESTS_RUN_APART();
    PrivateCupsServer server(false);
    if (!server.unavailable().isEmpty()) SKIP_WITHOUT_CUPS(qPrintable(server.unavailable()));
    server.use();
    QVERIFY(QPrinterInfo::defaultPrinter().isNull());
    Form1 form;
    answerWith(form, QStringLiteral("花子"));
    QStringList seen, printers;
    bool stop = false;
    watchModals(
        [&](QWidget* modal) {
            seen << QString::fromLatin1(modal->metaObject()->className());
            auto* dialog = qobject_cast<QPrintDialog*>(modal);
            if (!dialog) {
                modal->close();
                return;
            }
            auto* choice = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
            if (choice) {
                for (int i = 0; i < choice->count(); ++i) printers << choice->itemText(i);
                choice->setCurrentIndex(choice->findText(PrivateCupsServer::kQueue));
            }
            dialog->accept();
        },
        stop);
    form.Command6_Click();
    stop = true;
    QTest::qWait(60);
    QVERIFY2(printers.contains(PrivateCupsServer::kQueue), qPrintable(printers.join(u',')));
    QCOMPARE(seen, QStringList{QStringLiteral("QPrintDialog")});
    QCOMPARE(server.jobCount(), 1);
#else
    CUPS_TESTS_RUN_APART();
#endif
}

void TestPrinting::toolkitSpeaksJapanese_data() {
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("buttons");
    QTest::newRow("name box") << QStringLiteral("name") << QStringLiteral("印刷")
                              << QStringList{QStringLiteral("OK"), QStringLiteral("キャンセル")};
    QTest::newRow("print dialog") << QStringLiteral("print") << QStringLiteral("印刷")
                                  << QStringList{QStringLiteral("印刷(&P)"), QStringLiteral("キャンセル")};
    QTest::newRow("message box") << QStringLiteral("message") << QStringLiteral("印刷")
                                 << QStringList{QStringLiteral("OK")};
}

// With the toolkit's Japanese translations the standard boxes and dialogs speak Japanese.
void TestPrinting::toolkitSpeaksJapanese() {
    QFETCH(QString, dialog);
    QFETCH(QString, title);
    QFETCH(QStringList, buttons);
#ifdef Q_OS_WIN
    if (dialog == QLatin1String("print"))
        QSKIP("the system's own print dialog opens here, which a test cannot answer");
#endif
    QTranslator* translator = installToolkitTranslations(*QCoreApplication::instance());
    QVERIFY2(translator, "qtbase_ja not found (qt6-translations-l10n)");
    auto uninstall = qScopeGuard([&] {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    });
    QString seenTitle;
    QStringList seenButtons;
    bool stop = false;
    watchModals(
        [&](QWidget* modal) {
            seenTitle = modal->windowTitle();
            for (auto* button : modal->findChildren<QAbstractButton*>()) seenButtons << button->text();
            modal->close();
        },
        stop);
    QWidget parent;
    if (dialog == QLatin1String("name")) {
        NamePrompt().ask(&parent, QStringLiteral("印刷"), QStringLiteral("a"));
    } else if (dialog == QLatin1String("print")) {
        QPrinter printer;
        QPrintDialog(&printer, &parent).exec();
    } else {
        QMessageBox::warning(&parent, QStringLiteral("印刷"), QStringLiteral("a"));
    }
    stop = true;
    QTest::qWait(60);
    QCOMPARE(seenTitle, title);
    for (const QString& button : buttons)
        QVERIFY2(seenButtons.contains(button), qPrintable(seenButtons.join(u',')));
}

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    TestPrinting test;
    const int failed = QTest::qExec(&test, argc, argv);
    return failed == 0 && pdfQueueSkipped ? kQueueMissing : failed;
}
#include "tst_printing.moc"
