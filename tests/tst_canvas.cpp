#include "canvas/canvas.h"
#include "canvas/palette.h"

#include <QPainter>
#include <QtTest>

#include <pthread.h>

namespace {
constexpr QRgb kWhite = 0xffffffff;
constexpr QRgb kRed = 0xffff0000;
constexpr QRgb kBlue = 0xff0000ff;
constexpr QRgb kGreen = 0xff00ff00;

int countColour(const Canvas& canvas, QRgb colour) {
    int count = 0;
    for (int y = 0; y < Canvas::kHeight; ++y)
        for (int x = 0; x < Canvas::kWidth; ++x) count += canvas.pixel(x, y) == colour;
    return count;
}

// Runs `work` on a thread whose stack is only 64 KiB: a recursive fill of a large
// region would overflow it.
template <typename Work> void onSmallStack(Work work) {
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, 64 * 1024);
    pthread_t thread;
    auto trampoline = [](void* argument) -> void* {
        (*static_cast<Work*>(argument))();
        return nullptr;
    };
    QCOMPARE(pthread_create(&thread, &attributes, trampoline, &work), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
}
} // namespace

class TestCanvas : public QObject {
    Q_OBJECT
  private slots:
    void clearPaintsWhite();
    void thinOutlinesAreClosedAndRepeatable_data();
    void thinOutlinesAreClosedAndRepeatable();
    void fillStaysInsideQtCircle();
    void fillDoesNothingOnBorderOrOutside_data();
    void fillDoesNothingOnBorderOrOutside();
    void fillPaintsOverPixelsOfTheFillColour();
    void fillStopsAtImageEdge();
    void fillIsFourConnected();
    void largeRegionFillsIteratively();
    void thickSegmentAndDot();
    void solidCircle();
    void farSegmentsAreClipped();
};

void TestCanvas::clearPaintsWhite() {
    Canvas canvas;
    canvas.segment(0, 0, 874, 624, kRed);
    canvas.clear();
    QCOMPARE(countColour(canvas, kWhite), Canvas::kWidth * Canvas::kHeight);
}

void TestCanvas::thinOutlinesAreClosedAndRepeatable_data() {
    QTest::addColumn<double>("radius");
    QTest::newRow("mark at a point") << 30.0;
    QTest::newRow("band inner") << 242.0;
    QTest::newRow("band outer, largest radius") << 273.0;
}

// A 1-px circle must hold a 4-connected fill inside it, and its white twin must
// cover exactly the same pixels.
void TestCanvas::thinOutlinesAreClosedAndRepeatable() {
    QFETCH(double, radius);
    Canvas canvas;
    canvas.setPenWidth(1);
    canvas.circle(425, 325, radius, kBlue);
    const int outline = countColour(canvas, kBlue);
    QVERIFY(outline > 0);
    canvas.setFillColour(kRed);
    canvas.floodFill(425, 325, kBlue);
    QCOMPARE(canvas.pixel(0, 0), kWhite);
    QCOMPARE(canvas.pixel(425, 325), kRed);
    canvas.circle(425, 325, radius, kWhite);
    QCOMPARE(countColour(canvas, kBlue), 0);
}

void TestCanvas::fillStaysInsideQtCircle() {
    // A circle drawn by QPainter is 8-connected: diagonal steps must not leak.
    Canvas canvas;
    QImage& image = const_cast<QImage&>(canvas.image());
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(QColor::fromRgb(kBlue), 1));
        painter.drawEllipse(QPointF(300, 300), 100, 100);
    }
    canvas.setFillColour(kRed);
    canvas.floodFill(300, 300, kBlue);
    QCOMPARE(canvas.pixel(300, 300), kRed);
    QCOMPARE(canvas.pixel(10, 10), kWhite);
    QCOMPARE(canvas.pixel(300, 420), kWhite);
}

void TestCanvas::fillDoesNothingOnBorderOrOutside_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::newRow("on the border") << 100 << 50;
    QTest::newRow("left of the image") << -1 << 10;
    QTest::newRow("below the image") << 10 << Canvas::kHeight;
    QTest::newRow("right of the image") << Canvas::kWidth << 10;
}

void TestCanvas::fillDoesNothingOnBorderOrOutside() {
    QFETCH(int, x);
    QFETCH(int, y);
    Canvas canvas;
    canvas.setPenWidth(1);
    canvas.segment(0, 50, 874, 50, kBlue);
    canvas.setFillColour(kRed);
    canvas.floodFill(x, y, kBlue);
    QCOMPARE(countColour(canvas, kRed), 0);
}

void TestCanvas::fillPaintsOverPixelsOfTheFillColour() {
    Canvas canvas;
    canvas.setPenWidth(1);
    canvas.circle(200, 200, 50, kBlue);
    // Ink of the fill colour already inside must not stop the fill.
    canvas.segment(160, 200, 240, 200, kRed);
    canvas.setFillColour(kRed);
    canvas.floodFill(200, 180, kBlue);
    QCOMPARE(canvas.pixel(200, 230), kRed);
    QCOMPARE(canvas.pixel(200, 240), kRed);
    // Fill colour equal to the border colour, as the angle marks use it.
    Canvas same;
    same.circle(200, 200, 30, kBlue);
    same.setFillColour(kBlue);
    same.floodFill(200, 200, kBlue);
    QCOMPARE(same.pixel(200, 200), kBlue);
    QCOMPARE(same.pixel(200, 229), kBlue);
    QCOMPARE(same.pixel(200, 232), kWhite);
}

void TestCanvas::fillStopsAtImageEdge() {
    Canvas canvas;
    canvas.segment(0, 100, 874, 100, kBlue);
    canvas.setFillColour(kGreen);
    canvas.floodFill(5, 5, kBlue);
    QCOMPARE(countColour(canvas, kGreen), Canvas::kWidth * 100);
    QCOMPARE(canvas.pixel(5, 101), kWhite);
}

void TestCanvas::fillIsFourConnected() {
    // Two regions touching only at a corner stay apart.
    Canvas canvas;
    canvas.segment(0, 10, 10, 0, kBlue);
    canvas.setFillColour(kRed);
    canvas.floodFill(0, 0, kBlue);
    QCOMPARE(canvas.pixel(0, 0), kRed);
    QCOMPARE(canvas.pixel(20, 20), kWhite);
}

void TestCanvas::largeRegionFillsIteratively() {
    // A comb of narrow teeth gives the worst case for a recursive fill; the span
    // fill must finish it without growing the stack.
    Canvas canvas;
    for (int x = 2; x < Canvas::kWidth; x += 2) canvas.segment(x, 0, x, Canvas::kHeight - 2, kBlue);
    canvas.setFillColour(kRed);
    onSmallStack([&] { canvas.floodFill(1, 1, kBlue); });
    const int filled = countColour(canvas, kRed);
    QVERIFY2(filled > 250000, qPrintable(QString::number(filled)));
    Canvas open;
    open.setFillColour(kGreen);
    onSmallStack([&] { open.floodFill(400, 300, kBlue); });
    QCOMPARE(countColour(open, kGreen), Canvas::kWidth * Canvas::kHeight);
}

void TestCanvas::thickSegmentAndDot() {
    Canvas canvas;
    canvas.setPenWidth(6);
    canvas.segment(100, 100, 200, 100, kRed);
    QCOMPARE(canvas.pixel(150, 102), kRed);
    QCOMPARE(canvas.pixel(150, 97), kRed);
    QCOMPARE(canvas.pixel(150, 106), kWhite);
    // A click without movement leaves a round dot of the pen's width.
    canvas.segment(300, 300, 300, 300, kBlue);
    QCOMPARE(canvas.pixel(300, 300), kBlue);
    QCOMPARE(canvas.pixel(302, 300), kBlue);
    QCOMPARE(canvas.pixel(305, 305), kWhite);
}

void TestCanvas::solidCircle() {
    Canvas canvas;
    canvas.setFillStyle(Canvas::FillStyle::Solid);
    canvas.setFillColour(kGreen);
    canvas.circle(100, 100, 20, kBlue);
    QCOMPARE(canvas.pixel(100, 100), kGreen);
    QCOMPARE(canvas.pixel(120, 100), kBlue);
    QCOMPARE(canvas.pixel(125, 100), kWhite);
}

void TestCanvas::farSegmentsAreClipped() {
    // A guide line through a point almost level with P reaches far off the image.
    Canvas canvas;
    canvas.segment(-1e7f, 300.f, 1e7f, 301.f, kBlue);
    QCOMPARE(canvas.pixel(400, 300), kBlue);
    canvas.segment(std::numeric_limits<float>::quiet_NaN(), 0, 10, 10, kRed);
    QCOMPARE(countColour(canvas, kRed), 0);
}

QTEST_APPLESS_MAIN(TestCanvas)
#include "tst_canvas.moc"
