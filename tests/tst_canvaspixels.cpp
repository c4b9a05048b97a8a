// The canvas flood fill against a plain breadth-first fill of the same image, and
// outlines whose white twins cover them exactly.
#include "canvas/canvas.h"

#include <QtTest>

#include <deque>
#include <random>

namespace {

constexpr QRgb kBorder = 0xff0000ff;
constexpr QRgb kFill = 0xffff0000;
constexpr QRgb kOther = 0xff00ff00;

// Every pixel 4-connected to the seed through pixels that are not `border` takes `fill`.
QImage referenceFill(QImage image, int x, int y, QRgb border, QRgb fill) {
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height() || image.pixel(x, y) == border)
        return image;
    std::vector<char> seen(static_cast<size_t>(image.width()) * image.height(), 0);
    std::deque<QPoint> queue{{x, y}};
    seen[static_cast<size_t>(y) * image.width() + x] = 1;
    while (!queue.empty()) {
        const QPoint p = queue.front();
        queue.pop_front();
        image.setPixel(p, fill);
        for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
            const QPoint n = p + step;
            if (n.x() < 0 || n.y() < 0 || n.x() >= image.width() || n.y() >= image.height()) continue;
            char& visited = seen[static_cast<size_t>(n.y()) * image.width() + n.x()];
            if (visited || image.pixel(n) == border) continue;
            visited = 1;
            queue.push_back(n);
        }
    }
    return image;
}

QString firstDifference(const QImage& actual, const QImage& expected) {
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            if (actual.pixel(x, y) != expected.pixel(x, y))
                return QString("(%1, %2): %3 instead of %4")
                    .arg(x)
                    .arg(y)
                    .arg(actual.pixel(x, y), 0, 16)
                    .arg(expected.pixel(x, y), 0, 16);
    return {};
}

void fillAndCompare(Canvas& canvas, int x, int y, QRgb border, QRgb fill) {
    const QImage expected = referenceFill(canvas.image(), x, y, border, fill);
    canvas.setFillColour(fill);
    canvas.floodFill(x, y, border);
    QCOMPARE(firstDifference(canvas.image(), expected), QString());
}

} // namespace

class TestCanvasPixels : public QObject {
    Q_OBJECT
  private slots:
    void edgeCases_data();
    void edgeCases();
    void randomScenes();
    void diagonalStepsHold();
    void whiteTwinCoversOutline_data();
    void whiteTwinCoversOutline();
};

void TestCanvasPixels::edgeCases_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<QRgb>("fill");
    QTest::newRow("inside the ring") << 300 << 300 << kFill;
    QTest::newRow("outside, to every edge") << 0 << 0 << kFill;
    QTest::newRow("bottom right corner") << Canvas::kWidth - 1 << Canvas::kHeight - 1 << kFill;
    QTest::newRow("on the border") << 400 << 300 << kFill;
    QTest::newRow("left of the image") << -1 << 300 << kFill;
    QTest::newRow("below the image") << 300 << Canvas::kHeight << kFill;
    QTest::newRow("fill in the border colour") << 300 << 300 << kBorder;
    QTest::newRow("fill in the colour of ink inside") << 300 << 300 << kOther;
}

void TestCanvasPixels::edgeCases() {
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(QRgb, fill);
    Canvas canvas;
    canvas.circle(300, 300, 100, kBorder);
    canvas.segment(250, 250, 350, 330, kOther); // ink inside is filled over
    canvas.segment(200, 300, 400, 300, kFill);  // so is ink of the fill colour itself
    fillAndCompare(canvas, x, y, kBorder, fill);
}

void TestCanvasPixels::randomScenes() {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinateX(-40, Canvas::kWidth + 40);
    std::uniform_int_distribution<int> coordinateY(-40, Canvas::kHeight + 40);
    std::uniform_int_distribution<int> colourPick(0, 3);
    const QRgb colours[4] = {kBorder, kBorder, kFill, kOther};
    Canvas canvas;
    for (int scene = 0; scene < 150; ++scene) {
        canvas.clear();
        const int strokes = 5 + scene % 40;
        for (int i = 0; i < strokes; ++i) {
            const QRgb colour = colours[colourPick(random)];
            if (i % 3 == 0) {
                canvas.circle(coordinateX(random), coordinateY(random), 5 + coordinateX(random) % 300,
                              colour);
            } else {
                canvas.segment(coordinateX(random), coordinateY(random), coordinateX(random),
                               coordinateY(random), colour);
            }
        }
        const int x = std::clamp(coordinateX(random), 0, Canvas::kWidth - 1);
        const int y = std::clamp(coordinateY(random), 0, Canvas::kHeight - 1);
        const QRgb fill = scene % 5 == 0 ? kBorder : kFill;
        fillAndCompare(canvas, x, y, kBorder, fill);
        if (QTest::currentTestFailed()) qWarning("scene %d", scene);
        if (QTest::currentTestFailed()) return;
        // A second fill from the same seed in another colour reaches the same region.
        fillAndCompare(canvas, x, y, kBorder, kOther);
        if (QTest::currentTestFailed()) return;
    }
}

void TestCanvasPixels::diagonalStepsHold() {
    // A 1-px diagonal outline closes a region for the 4-connected fill.
    Canvas canvas;
    canvas.segment(100, 100, 300, 300, kBorder);
    canvas.segment(100, 100, 300, 100, kBorder);
    canvas.segment(300, 100, 300, 300, kBorder);
    canvas.setFillColour(kFill);
    canvas.floodFill(250, 150, kBorder);
    QCOMPARE(canvas.pixel(250, 150), kFill);
    QCOMPARE(canvas.pixel(150, 250), 0xffffffffu);
    QCOMPARE(canvas.pixel(150, 151), 0xffffffffu);
    QCOMPARE(canvas.pixel(151, 150), kFill);
}

void TestCanvasPixels::whiteTwinCoversOutline_data() {
    QTest::addColumn<int>("shape");
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::addColumn<float>("size");
    QTest::newRow("circle inside") << 0 << 437.5f << 312.5f << 273.0f;
    QTest::newRow("circle over the edges") << 0 << 20.4f << 600.6f << 140.5f;
    QTest::newRow("small circle") << 0 << 100.5f << 99.5f << 30.0f;
    QTest::newRow("segment") << 1 << 12.5f << 610.5f << 800.25f;
    QTest::newRow("segment far out") << 1 << -5000.0f << 300.3f << 90000.0f;
}

void TestCanvasPixels::whiteTwinCoversOutline() {
    QFETCH(int, shape);
    QFETCH(float, x);
    QFETCH(float, y);
    QFETCH(float, size);
    Canvas canvas;
    auto draw = [&](QRgb colour) {
        if (shape == 0) {
            canvas.circle(x, y, size, colour);
        } else {
            canvas.segment(x, y, x + size, y - size / 20, colour);
        }
    };
    draw(kBorder);
    int drawn = 0;
    for (int py = 0; py < Canvas::kHeight; ++py)
        for (int px = 0; px < Canvas::kWidth; ++px) drawn += canvas.pixel(px, py) == kBorder;
    QVERIFY(drawn > 50);
    draw(0xffffffff);
    for (int py = 0; py < Canvas::kHeight; ++py)
        for (int px = 0; px < Canvas::kWidth; ++px) QCOMPARE(canvas.pixel(px, py), 0xffffffffu);
}

QTEST_MAIN(TestCanvasPixels)
#include "tst_canvaspixels.moc"
