#include "app/commandline.h"
#include "app/displaycheck.h"
#include "app/programicon.h"

#include <QDir>
#include <QProcess>
#include <QtTest>

// How the program presents itself outside its window: its command line and its icon.
class TestDesktop : public QObject {
    Q_OBJECT
  private slots:
    void commandLine_data();
    void commandLine();
    void windowCanOpen_data();
    void windowCanOpen();
    void programAnswersWithoutDisplay_data();
    void programAnswersWithoutDisplay();
    void windowIcon_data();
    void windowIcon();
};

namespace {
const QString kVersionLine = QStringLiteral("enshukaku " ENSHUKAKU_VERSION "\n");
constexpr int kStarts = -1;
} // namespace

void TestDesktop::commandLine_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode"); // kStarts: the program goes on to open its window
    QTest::addColumn<QString>("out");  // text the output contains
    QTest::addColumn<QString>("err");  // text the error output contains
    const QString p = QStringLiteral("enshukaku");
    QTest::newRow("nothing") << QStringList{p} << kStarts << QString() << QString();
    QTest::newRow("--version") << QStringList{p, "--version"} << 0 << kVersionLine << QString();
    QTest::newRow("-v") << QStringList{p, "-v"} << 0 << kVersionLine << QString();
    QTest::newRow("--help usage") << QStringList{p, "--help"} << 0
                                  << " [options] [file]\n円周角の定理: a classroom aid" << QString();
    QTest::newRow("-h lists --version") << QStringList{p, "-h"} << 0 << "-v, --version" << QString();
    QTest::newRow("--help lists Qt's -platform")
        << QStringList{p, "--help"} << 0 << "--platform <name[:options]>" << QString();
    QTest::newRow("--help-all lists Qt's -style")
        << QStringList{p, "--help-all"} << 0 << "--style <name>" << QString();
    QTest::newRow("Qt's -platform") << QStringList{p, "-platform", "offscreen"} << kStarts << QString()
                                    << QString();
    QTest::newRow("Qt's options, one and two dashes")
        << QStringList{p,          "--platform",       "xcb",      "-style", "fusion",
                       "-reverse", "-qwindowgeometry", "10x10+0+0"}
        << kStarts << QString() << QString();
    QTest::newRow("unknown option") << QStringList{p, "--zoom-out"} << 1 << QString()
                                    << "enshukaku: Unknown option 'zoom-out'.";
    QTest::newRow("missing value") << QStringList{p, "-platform"} << 1 << QString() << "Missing value after";
    QTest::newRow("a lesson file") << QStringList{p, "lesson.enshu"} << kStarts << QString() << QString();
    QTest::newRow("two files") << QStringList{p, "a.enshu", "lesson.txt"} << 1 << QString()
                               << "enshukaku: unexpected argument 'lesson.txt'";
    QTest::newRow("zoom not understood") << QStringList{p, "--zoom", "big"} << 1 << QString()
                                         << "enshukaku: --zoom takes a factor from 0.5 to 3 or \"fit\", not "
                                            "\"big\"\nTry 'enshukaku --help' for the options.";
}

void TestDesktop::commandLine() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QString outText, errText;
    QTextStream outStream(&outText), errStream(&errText);
    CommandLine commandLine;
    const std::optional<int> result = commandLine.read(arguments, outStream, errStream);
    outStream.flush();
    errStream.flush();
    QCOMPARE(result.value_or(kStarts), exitCode);
    QVERIFY2(out.isEmpty() ? outText.isEmpty() : outText.contains(out), qPrintable(outText));
    QVERIFY2(err.isEmpty() ? errText.isEmpty() : errText.contains(err), qPrintable(errText));
}

void TestDesktop::windowCanOpen_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("environment"); // NAME=value
    QTest::addColumn<bool>("canOpen");
    const QString p = QStringLiteral("enshukaku");
#ifdef Q_OS_WIN
    // Windows' own platform needs no display named in the environment.
    QTest::newRow("nothing") << QStringList{p} << QStringList{} << true;
#else
    QTest::newRow("nothing") << QStringList{p} << QStringList{} << false;
#endif
    QTest::newRow("DISPLAY") << QStringList{p} << QStringList{"DISPLAY=:0"} << true;
    QTest::newRow("WAYLAND_DISPLAY") << QStringList{p} << QStringList{"WAYLAND_DISPLAY=wayland-1"} << true;
    QTest::newRow("-display") << QStringList{p, "-display", ":3"} << QStringList{} << true;
    QTest::newRow("QT_QPA_PLATFORM offscreen")
        << QStringList{p} << QStringList{"QT_QPA_PLATFORM=offscreen"} << true;
    QTest::newRow("-platform offscreen") << QStringList{p, "-platform", "offscreen"} << QStringList{} << true;
    QTest::newRow("xcb asked, Wayland only")
        << QStringList{p} << QStringList{"QT_QPA_PLATFORM=xcb", "WAYLAND_DISPLAY=wayland-0"} << false;
    QTest::newRow("-platform xcb over offscreen")
        << QStringList{p, "-platform", "xcb"} << QStringList{"QT_QPA_PLATFORM=offscreen"} << false;
    QTest::newRow("wayland or xcb, X11 there")
        << QStringList{p} << QStringList{"QT_QPA_PLATFORM=wayland;xcb", "DISPLAY=:1"} << true;
}

void TestDesktop::windowCanOpen() {
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, environment);
    QFETCH(bool, canOpen);
    QProcessEnvironment processEnvironment;
    for (const QString& variable : environment)
        processEnvironment.insert(variable.section('=', 0, 0), variable.section('=', 1));
    CommandLine commandLine;
    QString outText, errText;
    QTextStream outStream(&outText), errStream(&errText);
    QVERIFY(!commandLine.read(arguments, outStream, errStream));
    QCOMPARE(displaycheck::windowCanOpen(commandLine.parser(), processEnvironment), canOpen);
}

void TestDesktop::programAnswersWithoutDisplay_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err"); // the start of the error output
    QTest::newRow("--version") << QStringList{"--version"} << 0 << kVersionLine << QString();
    // The program as it was started: on Windows with the system's own separators.
    QTest::newRow("--help") << QStringList{"--help"} << 0
                            << QStringLiteral("Usage: %1 [options] [file]\n")
                                   .arg(QDir::toNativeSeparators(QStringLiteral(ENSHUKAKU_PROGRAM)))
                            << QString();
    QTest::newRow("unknown option") << QStringList{"--bogus"} << 1 << QString()
                                    << "enshukaku: Unknown option";
    QTest::newRow("zoom not understood")
        << QStringList{"--zoom=7"} << 1 << QString() << "enshukaku: --zoom takes";
    // One line in both languages instead of Qt's abort.
    const QString noDisplay = displaycheck::noDisplayLine() + '\n';
    QTest::newRow("no display") << QStringList{} << 1 << QString() << noDisplay;
    QTest::newRow("display that is not there")
        << QStringList{"-display", ":987"} << 1 << QString() << noDisplay;
}

// The built program answers before it needs a display: a technician can ask a
// machine without one which version it has.
void TestDesktop::programAnswersWithoutDisplay() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
#ifdef Q_OS_WIN
    if (err.startsWith(displaycheck::noDisplayLine()))
        QSKIP("Windows always has its display: the program would open its window");
#endif
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(ENSHUKAKU_PROGRAM), arguments);
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), exitCode);
    // Windows ends the lines of a program's text output with CR LF.
    const QString printed = QString::fromUtf8(program.readAllStandardOutput()).remove(u'\r');
    QVERIFY2(out.isEmpty() ? printed.isEmpty() : printed.contains(out), qPrintable(printed));
    const QString complaint = QString::fromUtf8(program.readAllStandardError()).remove(u'\r');
    QVERIFY2(err.endsWith(u'\n') ? complaint == err : complaint.startsWith(err), qPrintable(complaint));
}

void TestDesktop::windowIcon_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<QColor>("colour");
    const QColor panel(192, 255, 192), white(Qt::white), red(Qt::red), black(Qt::black), blue(Qt::blue);
    // From 48 px up the whole figure, at points of its 256-unit drawing.
    for (int size : {48, 64, 128, 256}) {
        const auto at = [size](int x, int y) { return QPoint(x * size / 256, y * size / 256); };
        const QByteArray name = QByteArray::number(size) + " px ";
        QTest::newRow(name + "pale green panel") << size << at(20, 128) << panel;
        QTest::newRow(name + "inside the circle") << size << at(175, 100) << white;
        QTest::newRow(name + "arc AB") << size << at(128, 230) << red;
        QTest::newRow(name + "point P") << size << at(95, 44) << black;
        QTest::newRow(name + "mark of the inscribed angle") << size << at(99, 66) << red;
        QTest::newRow(name + "mark of the central angle") << size << at(130, 152) << blue;
    }
    // Below, drawings of their own with fewer parts, each in clean colours, not a grey blur.
    QTest::newRow("16 px panel") << 16 << QPoint(1, 8) << panel;
    QTest::newRow("16 px inside the circle") << 16 << QPoint(8, 10) << white;
    QTest::newRow("16 px arc AB") << 16 << QPoint(8, 13) << red;
    QTest::newRow("16 px point P") << 16 << QPoint(8, 3) << black;
    QTest::newRow("22 px inside the circle") << 22 << QPoint(14, 9) << white;
    QTest::newRow("22 px arc AB") << 22 << QPoint(11, 18) << red;
    QTest::newRow("22 px point P") << 22 << QPoint(9, 4) << black;
    QTest::newRow("22 px mark of the central angle") << 22 << QPoint(11, 13) << blue;
    QTest::newRow("32 px inside the circle") << 32 << QPoint(21, 12) << white;
    QTest::newRow("32 px arc AB") << 32 << QPoint(16, 28) << red;
    QTest::newRow("32 px mark of the inscribed angle") << 32 << QPoint(13, 10) << red;
    QTest::newRow("32 px mark of the central angle") << 32 << QPoint(16, 19) << blue;
}

// The window's icon carries each size as drawn for it, not scaled from another.
void TestDesktop::windowIcon() {
    QFETCH(int, size);
    QFETCH(QPoint, pixel);
    QFETCH(QColor, colour);
    const QIcon icon = programIcon();
    QVERIFY(icon.availableSizes().contains(QSize(size, size)));
    const QImage image = icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(image.size(), QSize(size, size));
    const QColor found = image.pixelColor(pixel);
    const bool near = std::abs(found.red() - colour.red()) < 40 &&
                      std::abs(found.green() - colour.green()) < 40 &&
                      std::abs(found.blue() - colour.blue()) < 40;
    QVERIFY2(near, qPrintable(found.name()));
}

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
