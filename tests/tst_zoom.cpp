#include "app/form1.h"
#include "app/zoomoption.h"
#include "widgets/zoomsteps.h"

#include <QCommandLineParser>
#include <QSettings>
#include <QStandardPaths>
#include <QtTest>

#include <cmath>
#include <memory>
#include <utility>

namespace {

class FixedPrompt : public NamePrompt {
  public:
    QString ask(QWidget*, const QString&, const QString&) override { return QStringLiteral("Hanako"); }
};

// Keeps the page as the real printer would render it.
class RecordingPrinter : public WindowPrinter {
  public:
    Outcome print(QWidget& window, const QString&) override {
        page = QImage(window.size(), QImage::Format_RGB32);
        window.render(&page);
        return Outcome::Printed;
    }
    QImage page;
};

// Counts the paints of a widget.
class PaintCounter : public QObject {
  public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

QImage shown(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The widget pixel at a canvas point, for the view's zoom.
QPoint at(const CanvasWidget& view, double x, double y) {
    return QPoint(static_cast<int>(std::lround(view.drawingOffset() + x * view.zoom())),
                  static_cast<int>(std::lround(view.drawingOffset() + y * view.zoom())));
}

void showActive(Form1& form) {
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
}

} // namespace

class TestZoom : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QSettings(QStringLiteral("enshukaku"), QStringLiteral("enshukaku")).clear();
    }
    void steps_data();
    void steps();
    void fitting_data();
    void fitting();
    void commandLine_data();
    void commandLine();
    void keysStepAndComeBackToTheDesign();
    void startFitsTheScreen();
    void pointerMapsAtTwice();
    void marksAtDeviceResolution();
    void gridLinesAlike_data();
    void gridLinesAlike();
    void printsTheDesignSize();
    void picturesAtTheDesignSize();
    void idleMovementRepaintsNothing();
};

void TestZoom::steps_data() {
    QTest::addColumn<double>("from");
    QTest::addColumn<double>("larger");
    QTest::addColumn<double>("smaller");
    QTest::newRow("100 %") << 1.0 << 1.25 << 0.75;
    QTest::newRow("smallest") << 0.5 << 0.75 << 0.5;
    QTest::newRow("largest") << 3.0 << 3.0 << 2.75;
    QTest::newRow("between steps") << 1.4 << 1.75 << 1.25;
    QTest::newRow("below the range") << 0.1 << 0.75 << 0.5;
    QTest::newRow("not a number") << std::nan("") << 1.25 << 0.75;
}

void TestZoom::steps() {
    QFETCH(double, from);
    QFETCH(double, larger);
    QFETCH(double, smaller);
    QCOMPARE(zoomsteps::larger(from), larger);
    QCOMPARE(zoomsteps::smaller(from), smaller);
}

void TestZoom::fitting_data() {
    QTest::addColumn<double>("wanted");
    QTest::addColumn<int>("frameHeight");
    QTest::addColumn<int>("availableWidth");
    QTest::addColumn<int>("availableHeight");
    QTest::addColumn<double>("fits");
    QTest::newRow("1280 x 680 projector") << 1.0 << 0 << 1280 << 680 << 0.75;
    QTest::newRow("exactly 700 high") << 1.0 << 0 << 1014 << 700 << 1.0;
    QTest::newRow("one pixel short") << 1.0 << 0 << 1013 << 700 << 0.75;
    QTest::newRow("title bar counts") << 1.5 << 30 << 1920 << 1080 << 1.5;
    QTest::newRow("title bar too tall") << 1.5 << 31 << 1920 << 1080 << 1.25;
    QTest::newRow("fit on a 4K screen") << 3.0 << 48 << 3840 << 2100 << 2.75;
    QTest::newRow("nothing fits") << 1.0 << 0 << 300 << 200 << 0.5;
}

void TestZoom::fitting() {
    QFETCH(double, wanted);
    QFETCH(int, frameHeight);
    QFETCH(int, availableWidth);
    QFETCH(int, availableHeight);
    QFETCH(double, fits);
    QCOMPARE(zoomsteps::fitting(wanted, 1014, 700, 0, frameHeight, availableWidth, availableHeight), fits);
    // Full screen takes the largest factor, not a step: the height bounds a 16:9 screen.
    QCOMPARE(zoomsteps::filling(1014, 700, 1920, 1080), 1080.0 / 700);
}

void TestZoom::commandLine_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("understood");
    QTest::addColumn<double>("zoom");
    QTest::newRow("none") << QStringList{} << true << -1.0;
    QTest::newRow("factor") << QStringList{"--zoom", "1.5"} << true << 1.5;
    QTest::newRow("fit") << QStringList{"--zoom=fit"} << true << 0.0;
    QTest::newRow("too large") << QStringList{"--zoom", "7"} << false << 0.0;
    QTest::newRow("not a number") << QStringList{"--zoom", "big"} << false << 0.0;
}

void TestZoom::commandLine() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, understood);
    QFETCH(double, zoom);
    QCommandLineParser parser;
    zoomoption::add(parser);
    QVERIFY(parser.parse(QStringList{"enshukaku"} + arguments));
    QString error;
    const std::optional<double> got = zoomoption::requested(parser, &error);
    QCOMPARE(got.has_value(), understood);
    if (got) QCOMPARE(*got, zoom);
    QCOMPARE(error.isEmpty(), understood);
}

void TestZoom::keysStepAndComeBackToTheDesign() {
    Form1 form;
    showActive(form);
    form.Check6->setValue(1);
    form.Command4_Click();
    const QImage design = shown(form);
    QTest::keyClick(&form, Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyClick(&form, Qt::Key_Equal, Qt::ControlModifier);
    QCOMPARE(form.size(), QSize(1521, 1050));
    QCOMPARE(form.gamenView->geometry(), QRect(24, 84, 1317, 945));
    QCOMPARE(form.Check6->font().pixelSize(), 29);
    QCOMPARE(
        QSettings(QStringLiteral("enshukaku"), QStringLiteral("enshukaku")).value("window/zoom").toDouble(),
        1.5);
    // 175 % would not fit the screen.
    QTest::keyClick(&form, Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(form.windowZoom(), 1.5);
    QTest::keyClick(&form, Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(form.size(), QSize(1014, 700));
    QVERIFY(shown(form) == design);
    QTest::keyClick(&form, Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(form.size(), QSize(761, 525));

    // The next start takes the remembered zoom.
    Form1 next;
    next.StartZoom();
    QCOMPARE(next.windowZoom(), 0.75);
}

void TestZoom::startFitsTheScreen() {
    Form1 form;
    // Before it shows, the window keeps room for a title bar: 150 % would reach 1098.
    form.StartZoom(0);
    QCOMPARE(form.windowZoom(), 1.25);
    form.StartZoom(2);
    QCOMPARE(form.windowZoom(), 1.25);
    form.StartZoom(0.5);
    QCOMPARE(form.size(), QSize(507, 350));
}

void TestZoom::pointerMapsAtTwice() {
    Form1 form;
    form.setWindowZoom(2);
    CanvasWidget& view = *form.gamenView;
    QTest::mousePress(&view, Qt::LeftButton, {}, at(view, form.pX, form.pY));
    QCOMPARE(int(form.dragTarget), 1);
    const QPointF to(425 + 250 * std::cos(150 * 3.14 / 180), 325 - 250 * std::sin(150 * 3.14 / 180));
    QTest::mouseMove(&view, at(view, to.x(), to.y()));
    QTest::mouseRelease(&view, Qt::LeftButton, {}, at(view, to.x(), to.y()));
    QVERIFY(std::abs(form.pX - to.x()) <= 1 && std::abs(form.pY - to.y()) <= 1);
}

void TestZoom::marksAtDeviceResolution() {
    Form1 form;
    form.Command4_Click();
    form.setWindowZoom(2);
    const QImage view = shown(*form.gamenView);
    // The grid line at y = 100 crossing canvas column 12: two device rows of grey,
    // white on both sides, nothing in between.
    const int x = form.gamenView->drawingOffset() + 2 * 12;
    const int y = form.gamenView->drawingOffset() + 2 * 100;
    const QRgb white = 0xffffffff, grey = 0xffc0c0c0;
    const QRgb profile[6] = {white, white, grey, grey, white, white};
    for (int i = 0; i < 6; ++i) QCOMPARE(view.pixel(x, y - 2 + i), profile[i]);

    // The letter "O": ink in its box, and detail finer than a canvas pixel, which an
    // image scaled up from the canvas could not have.
    const LetterMark& o = form.marks.Label2[3];
    int ink = 0, finerThanCanvas = 0;
    for (int cy = static_cast<int>(o.top); cy < o.top + 28; ++cy)
        for (int cx = static_cast<int>(o.left); cx < o.left + 20; ++cx) {
            const QPoint d = at(*form.gamenView, cx, cy);
            const QRgb p = view.pixel(d);
            ink += qGray(p) < 100 ? 1 : 0;
            if (view.pixel(d + QPoint(1, 0)) != p || view.pixel(d + QPoint(0, 1)) != p ||
                view.pixel(d + QPoint(1, 1)) != p)
                ++finerThanCanvas;
        }
    QVERIFY2(ink > 50, qPrintable(QString::number(ink)));
    QVERIFY2(finerThanCanvas > 20, qPrintable(QString::number(finerThanCanvas)));
}

void TestZoom::gridLinesAlike_data() {
    QTest::addColumn<double>("zoom");
    QTest::addColumn<int>("thickness");
    QTest::newRow("100 %") << 1.0 << 1;
    QTest::newRow("125 %") << 1.25 << 1;
    QTest::newRow("150 %") << 1.5 << 2;
    QTest::newRow("275 %") << 2.75 << 3;
}

// At every zoom the 26 horizontal grid lines are equally thick: none blurs, none
// doubles where the zoom falls between pixels.
void TestZoom::gridLinesAlike() {
    QFETCH(double, zoom);
    QFETCH(int, thickness);
    Form1 form;
    form.Command4_Click();
    form.setWindowZoom(zoom);
    const QImage view = shown(*form.gamenView);
    const int x = at(*form.gamenView, 12, 0).x();
    QList<int> runs;
    for (int y = 0, run = 0; y < view.height(); ++y) {
        const bool grey = view.pixel(x, y) == 0xffc0c0c0;
        if (grey) ++run;
        if (!grey && run > 0) runs << std::exchange(run, 0);
    }
    QCOMPARE(runs, QList<int>(26, thickness));
}

void TestZoom::printsTheDesignSize() {
    Form1 form;
    form.namePrompt = std::make_unique<FixedPrompt>();
    auto printer = std::make_unique<RecordingPrinter>();
    RecordingPrinter& pages = *printer;
    form.windowPrinter = std::move(printer);
    form.Command6_Click();
    const QImage atDesign = pages.page;
    form.setWindowZoom(2);
    form.Command6_Click();
    QCOMPARE(pages.page.size(), QSize(1014, 700));
    QVERIFY(pages.page == atDesign);
    // The window is back at its zoom.
    QCOMPARE(form.gamenView->size(), QSize(1756, 1260));
}

// Pictures for worksheets are the drawing area and the window at their design size,
// pixel for pixel the same at every zoom, and the window stays at its zoom.
void TestZoom::picturesAtTheDesignSize() {
    Form1 form;
    form.Check6->setValue(1);
    form.Check7->setValue(1);
    form.Command4_Click();
    const QImage area = form.DrawingAreaImage();
    const QImage window = form.WindowImage();
    QCOMPARE(area.size(), QSize(875, 625));
    QCOMPARE(window.size(), QSize(1014, 700));
    form.setWindowZoom(2);
    QVERIFY(form.DrawingAreaImage() == area);
    QVERIFY(form.WindowImage() == window);
    QCOMPARE(form.gamenView->size(), QSize(1756, 1260));
}

void TestZoom::idleMovementRepaintsNothing() {
    Form1 form;
    showActive(form);
    PaintCounter counter;
    CanvasWidget& view = *form.gamenView;
    view.installEventFilter(&counter);
    QTest::mouseMove(&view, at(view, 100, 100));
    QTest::mouseMove(&view, at(view, 120, 110));
    QCoreApplication::processEvents();
    counter.paints = 0;
    QTest::mouseMove(&view, at(view, 140, 120));
    QCoreApplication::processEvents();
    QCOMPARE(counter.paints, 0);
    // A drag of P repaints.
    QTest::mousePress(&view, Qt::LeftButton, {}, at(view, form.pX, form.pY));
    QCoreApplication::processEvents();
    counter.paints = 0;
    QTest::mouseMove(&view, at(view, form.pX + 30, form.pY));
    QCoreApplication::processEvents();
    QTest::mouseRelease(&view, Qt::LeftButton, {}, at(view, form.pX, form.pY));
    QVERIFY(counter.paints > 0);
}

QTEST_MAIN(TestZoom)
#include "tst_zoom.moc"
