// Pure geometry of the drawing and the readouts: cases, directions from P, guide
// lines, seeds, and the readout arithmetic and text.
#include "figure/geometry.h"

#include <QtTest>

#include <cmath>

using geometry::FigureCase;

Q_DECLARE_METATYPE(FigureCase)

namespace {

constexpr double kOX = 425, kOY = 325;

geometry::Point onCircle(double angle, float radius = 250) {
    return geometry::pointOnCircle(kOX, kOY, radius, angle);
}

// Direction of a ray on screen in degrees 0..360, anticlockwise.
double screenDirection(const geometry::Ray& ray) {
    const double degrees = std::atan2(-ray.dy, ray.dx) * 180 / M_PI;
    return degrees < 0 ? degrees + 360 : degrees;
}

// True when `direction` lies strictly inside the anticlockwise sweep from `from` to `to`.
bool insideSweep(double direction, double from, double to) {
    const double sweep = std::fmod(to - from + 720, 360);
    const double offset = std::fmod(direction - from + 720, 360);
    return offset > 0 && offset < sweep;
}

} // namespace

class TestGeometryDrawing : public QObject {
    Q_OBJECT
  private slots:
    void figureCase_data();
    void figureCase();
    void directionFromP_data();
    void directionFromP();
    void directionOfDegenerateRays_data();
    void directionOfDegenerateRays();
    void guideLine();
    void guideLineDegenerate();
    void seedAtO_data();
    void seedAtO();
    void seedsAtP_data();
    void seedsAtP();
    void narrowWrappedAngleHasOneSeed();
    void readoutArithmetic_data();
    void readoutArithmetic();
    void halfText_data();
    void halfText();
};

void TestGeometryDrawing::figureCase_data() {
    QTest::addColumn<double>("angleA");
    QTest::addColumn<double>("angleB");
    QTest::addColumn<double>("angleP");
    QTest::addColumn<FigureCase>("expected");
    QTest::newRow("start-up") << 220.0 << 320.0 << 110.0 << FigureCase::OffArc;
    QTest::newRow("P on the lower arc") << 220.0 << 320.0 << 270.0 << FigureCase::OnArc;
    QTest::newRow("P on A") << 220.0 << 320.0 << 220.0 << FigureCase::OnArc;
    QTest::newRow("P on B") << 220.0 << 320.0 << 320.0 << FigureCase::OnArc;
    QTest::newRow("P at 0") << 220.0 << 320.0 << 0.0 << FigureCase::OffArc;
    QTest::newRow("just past B") << 220.0 << 320.0 << 320.01 << FigureCase::OffArc;
    QTest::newRow("just before A") << 220.0 << 320.0 << 219.99 << FigureCase::OffArc;
    QTest::newRow("long arc") << 30.0 << 330.0 << 180.0 << FigureCase::OnArc;
    QTest::newRow("short arc near 0") << 300.0 << 350.0 << 200.0 << FigureCase::OffArc;
}

void TestGeometryDrawing::figureCase() {
    QFETCH(double, angleA);
    QFETCH(double, angleB);
    QFETCH(double, angleP);
    QFETCH(FigureCase, expected);
    QCOMPARE(geometry::figureCase(angleA, angleB, angleP), expected);
}

void TestGeometryDrawing::directionFromP_data() {
    QTest::addColumn<double>("angleP");
    QTest::addColumn<double>("angleA");
    QTest::addColumn<double>("angleB");
    QTest::addColumn<int>("dirPA");
    QTest::addColumn<int>("dirPB");
    QTest::newRow("start-up") << 110.0 << 220.0 << 320.0 << 255 << 305;
    QTest::newRow("P at 270") << 270.0 << 220.0 << 320.0 << 155 << 25;
    QTest::newRow("angle holds 0 in Case 2") << 180.0 << 30.0 << 330.0 << 15 << 345;
    QTest::newRow("angle holds 0 in Case 1") << 200.0 << 300.0 << 350.0 << 340 << 5;
}

void TestGeometryDrawing::directionFromP() {
    QFETCH(double, angleP);
    QFETCH(double, angleA);
    QFETCH(double, angleB);
    QFETCH(int, dirPA);
    QFETCH(int, dirPB);
    const geometry::Point p = onCircle(angleP), a = onCircle(angleA), b = onCircle(angleB);
    QCOMPARE(geometry::directionFromP(p.x, p.y, a.x, a.y), std::optional<int>(dirPA));
    QCOMPARE(geometry::directionFromP(p.x, p.y, b.x, b.y), std::optional<int>(dirPB));
}

void TestGeometryDrawing::directionOfDegenerateRays_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<int>("expected");
    QTest::newRow("straight up") << 100.0 << 40.0 << 90;
    QTest::newRow("straight down") << 100.0 << 160.0 << 270;
    QTest::newRow("level right") << 160.0 << 100.0 << 0;
    QTest::newRow("level left") << 40.0 << 100.0 << 180;
    // The 3.14 conversion stretches the arctangent past 90: 450.05 rounds to 450, that is 90.
    QTest::newRow("almost straight up, right") << 100.0 + 1e-9 << 0.0 << 90;
    QTest::newRow("almost straight down, left") << 100.0 - 1e-9 << 200.0 << 270;
}

void TestGeometryDrawing::directionOfDegenerateRays() {
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(int, expected);
    QCOMPARE(geometry::directionFromP(100, 100, x, y), std::optional<int>(expected));
}

void TestGeometryDrawing::guideLine() {
    const auto line = geometry::guideLine(100, 100, 150, 200);
    QVERIFY(line);
    QCOMPARE(line->from.y, 0.0);
    QCOMPARE(line->to.y, 200.0);
    QCOMPARE(line->from.x, 50.0);
    QCOMPARE(line->to.x, 150.0);
}

void TestGeometryDrawing::guideLineDegenerate() {
    QVERIFY(!geometry::guideLine(100, 100, 100, 100));
    const auto level = geometry::guideLine(100, 100, 300, 100);
    QVERIFY(level);
    QCOMPARE(level->from.x, 0.0);
    QCOMPARE(level->to.x, 200.0);
    QCOMPARE(level->from.y, 100.0);
    QCOMPARE(level->to.y, 100.0);
    const auto vertical = geometry::guideLine(100, 100, 100, 300);
    QVERIFY(vertical);
    QCOMPARE(vertical->from.x, 100.0);
    QCOMPARE(vertical->to.x, 100.0);
    // Almost level: the ends stay finite.
    const auto almostLevel = geometry::guideLine(100, 100, 300, 100 + 1e-300);
    QVERIFY(almostLevel);
    QVERIFY(std::isfinite(almostLevel->from.x) && std::isfinite(almostLevel->to.x));
    QVERIFY(std::isfinite(static_cast<float>(almostLevel->from.x)));
}

void TestGeometryDrawing::seedAtO_data() {
    QTest::addColumn<double>("angleP");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::newRow("Case 1 seeds towards the lower arc") << 110.0 << 425 << 335;
    QTest::newRow("Case 2 seeds towards the upper arc") << 270.0 << 425 << 315;
}

void TestGeometryDrawing::seedAtO() {
    QFETCH(double, angleP);
    QFETCH(int, x);
    QFETCH(int, y);
    const FigureCase figure = geometry::figureCase(220, 320, angleP);
    const geometry::Ray ray = geometry::rayTowardsSubtendedArc(kOX, kOY, 220, 320, figure);
    const geometry::Pixel seed = geometry::toPixel(ray.at(10));
    QCOMPARE(seed.x, x);
    QCOMPARE(seed.y, y);
}

void TestGeometryDrawing::seedsAtP_data() {
    QTest::addColumn<FigureCase>("figure");
    QTest::addColumn<int>("dirPA");
    QTest::addColumn<int>("dirPB");
    QTest::addColumn<int>("count");
    QTest::addColumn<double>("firstDirection");
    QTest::addColumn<int>("sweep");
    QTest::newRow("start-up") << FigureCase::OffArc << 255 << 305 << 1 << 280.0 << 50;
    QTest::newRow("P at 270") << FigureCase::OnArc << 155 << 25 << 1 << 90.0 << 130;
    QTest::newRow("Case 2 holding 0") << FigureCase::OnArc << 15 << 345 << 3 << 0.0 << 30;
    QTest::newRow("Case 1 holding 0") << FigureCase::OffArc << 340 << 5 << 3 << 352.5 << 25;
    QTest::newRow("half-degree middle") << FigureCase::OffArc << 10 << 35 << 1 << 22.5 << 25;
}

void TestGeometryDrawing::seedsAtP() {
    QFETCH(FigureCase, figure);
    QFETCH(int, dirPA);
    QFETCH(int, dirPB);
    QFETCH(int, count);
    QFETCH(double, firstDirection);
    QFETCH(int, sweep);
    QCOMPARE(geometry::sweepAtP(figure, dirPA, static_cast<float>(dirPB)), sweep);
    const auto seeds = geometry::seedRaysAtP(300, 200, figure, dirPA, static_cast<float>(dirPB));
    QCOMPARE(seeds.count, count);
    // 3.14 for pi turns directions by up to a tenth of a degree.
    QVERIFY2(std::fabs(std::remainder(screenDirection(seeds.rays[0]) - firstDirection, 360)) < 0.2,
             qPrintable(QString::number(screenDirection(seeds.rays[0]))));
    const double from = figure == FigureCase::OffArc ? dirPA : dirPB;
    const double to = figure == FigureCase::OffArc ? dirPB : dirPA;
    for (int i = 0; i < seeds.count; ++i) {
        QCOMPARE(seeds.rays[i].x, 300.0);
        QCOMPARE(seeds.rays[i].y, 200.0);
        QVERIFY2(insideSweep(screenDirection(seeds.rays[i]), from, to), qPrintable(QString::number(i)));
    }
}

void TestGeometryDrawing::narrowWrappedAngleHasOneSeed() {
    // 5 degrees to each side of a 6-degree angle would fall into the neighbouring sectors.
    const auto seeds = geometry::seedRaysAtP(300, 200, FigureCase::OnArc, 3, 357);
    QCOMPARE(seeds.count, 1);
    QVERIFY(insideSweep(screenDirection(seeds.rays[0]), 357, 3));
}

void TestGeometryDrawing::readoutArithmetic_data() {
    QTest::addColumn<double>("angleA");
    QTest::addColumn<double>("angleB");
    QTest::addColumn<FigureCase>("figure");
    QTest::addColumn<int>("central");
    QTest::newRow("start-up") << 220.0 << 320.0 << FigureCase::OffArc << 100;
    QTest::newRow("other arc") << 220.0 << 320.0 << FigureCase::OnArc << 260;
    QTest::newRow("whole parts first") << 219.7 << 320.2 << FigureCase::OffArc << 101;
    QTest::newRow("whole parts first, other arc") << 219.7 << 320.2 << FigureCase::OnArc << 259;
    QTest::newRow("narrowest") << 100.0 << 115.0 << FigureCase::OffArc << 15;
    QTest::newRow("widest") << 0.5 << 359.9 << FigureCase::OffArc << 359;
}

void TestGeometryDrawing::readoutArithmetic() {
    QFETCH(double, angleA);
    QFETCH(double, angleB);
    QFETCH(FigureCase, figure);
    QFETCH(int, central);
    QCOMPARE(geometry::subtendedCentralAngle(figure, angleA, angleB), central);
}

void TestGeometryDrawing::halfText_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("half");
    QTest::addColumn<QString>("whole");
    QTest::newRow("even") << 100 << "50"
                          << "100";
    QTest::newRow("odd") << 101 << "50.5"
                         << "101";
    QTest::newRow("one") << 1 << "0.5"
                         << "1";
    QTest::newRow("zero") << 0 << "0"
                          << "0";
    QTest::newRow("widest") << 359 << "179.5"
                            << "359";
    QTest::newRow("negative odd") << -1 << "-0.5"
                                  << "-1";
}

void TestGeometryDrawing::halfText() {
    QFETCH(int, value);
    QFETCH(QString, half);
    QFETCH(QString, whole);
    QCOMPARE(QString::fromStdString(geometry::halfText(value)), half);
    QCOMPARE(QString::fromStdString(geometry::wholeNumberText(value)), whole);
}

QTEST_APPLESS_MAIN(TestGeometryDrawing)
#include "tst_geometry_drawing.moc"
