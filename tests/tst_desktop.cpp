#include "app/commandline.h"
#include "app/programicon.h"

#include <QProcess>
#include <QtTest>

// How the program presents itself outside its window: its command line and its icon.
class TestDesktop : public QObject {
    Q_OBJECT
  private slots:
    void commandLine_data();
    void commandLine();
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

void TestDesktop::programAnswersWithoutDisplay_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::newRow("--version") << QStringList{"--version"} << 0 << kVersionLine;
    QTest::newRow("--help") << QStringList{"--help"} << 0
                            << QStringLiteral("Usage: " ENSHUKAKU_PROGRAM " [options] [file]\n");
    QTest::newRow("unknown option") << QStringList{"--bogus"} << 1 << QString();
    QTest::newRow("zoom not understood") << QStringList{"--zoom=7"} << 1 << QString();
}

// The built program answers before it needs a display: a technician can ask a
// machine without one which version it has.
void TestDesktop::programAnswersWithoutDisplay() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(ENSHUKAKU_PROGRAM), arguments);
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), exitCode);
    const QString printed = QString::fromUtf8(program.readAllStandardOutput());
    QVERIFY2(out.isEmpty() ? printed.isEmpty() : printed.contains(out), qPrintable(printed));
}

void TestDesktop::windowIcon_data() {
    QTest::addColumn<int>("size");
    QTest::newRow("48") << 48;
    QTest::newRow("128") << 128;
    QTest::newRow("256") << 256;
}

// The window's icon carries each size as drawn, not scaled from another: the
// figure's parts in their colours, at points of the 256-unit drawing.
void TestDesktop::windowIcon() {
    QFETCH(int, size);
    const QIcon icon = programIcon();
    QVERIFY(icon.availableSizes().contains(QSize(size, size)));
    const QImage image = icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(image.size(), QSize(size, size));
    struct Sample {
        double x, y;
        QRgb colour;
        const char* what;
    };
    const Sample samples[] = {
        {20, 128, qRgb(192, 255, 192), "pale green panel"},
        {175, 100, qRgb(255, 255, 255), "inside the circle"},
        {128, 230, qRgb(255, 0, 0), "arc AB"},
        {95, 44, qRgb(0, 0, 0), "point P"},
        {99, 66, qRgb(255, 0, 0), "mark of the inscribed angle"},
        {130, 152, qRgb(0, 0, 255), "mark of the central angle"},
    };
    for (const Sample& sample : samples) {
        const QRgb pixel = image.pixel(int(sample.x * size / 256), int(sample.y * size / 256));
        const bool near = std::abs(qRed(pixel) - qRed(sample.colour)) < 40 &&
                          std::abs(qGreen(pixel) - qGreen(sample.colour)) < 40 &&
                          std::abs(qBlue(pixel) - qBlue(sample.colour)) < 40;
        QVERIFY2(near, qPrintable(QStringLiteral("%1 is #%2").arg(sample.what).arg(pixel & 0xffffff, 6, 16)));
    }
}

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
