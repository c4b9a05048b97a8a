// Pure geometry of the drawing and the readouts: cases, directions from P, guide
// lines, seeds, and the readout arithmetic and text.
#include "figure/geometry.h"

#include <QtTest>

#include <cmath>
#include <random>

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
    void figureCaseOfSide_data();
    void figureCaseOfSide();
    void figureCaseOfSideOnTheCircle();
    void sectorAtP_data();
    void sectorAtP();
    void angleBetweenRays_data();
    void angleBetweenRays();
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

void TestGeometryDrawing::figureCaseOfSide_data() {
    QTest::addColumn<double>("angleA");
    QTest::addColumn<double>("angleB");
    QTest::addColumn<QPointF>("p");
    QTest::addColumn<FigureCase>("expected");
    const geometry::Point a = onCircle(220), b = onCircle(320);
    const QPointF middleOfAB((a.x + b.x) / 2, (a.y + b.y) / 2);
    const QPointF beyondB(2 * b.x - a.x, 2 * b.y - a.y);
    auto at = [](geometry::Point point) { return QPointF(point.x, point.y); };
    QTest::newRow("start-up") << 220.0 << 320.0 << at(onCircle(110)) << FigureCase::OffArc;
    QTest::newRow("P on the lower arc") << 220.0 << 320.0 << at(onCircle(270)) << FigureCase::OnArc;
    QTest::newRow("P on A") << 220.0 << 320.0 << at(a) << FigureCase::OnArc;
    QTest::newRow("P on B") << 220.0 << 320.0 << at(b) << FigureCase::OnArc;
    QTest::newRow("long arc") << 30.0 << 330.0 << at(onCircle(180)) << FigureCase::OnArc;
    QTest::newRow("short arc near 0") << 300.0 << 350.0 << at(onCircle(200)) << FigureCase::OffArc;
    // Off the circle the side of AB decides, not P's angle about O.
    QTest::newRow("just below O") << 220.0 << 320.0 << QPointF(425, 340) << FigureCase::OffArc;
    QTest::newRow("inside, low on the left") << 220.0 << 320.0 << QPointF(300, 450) << FigureCase::OffArc;
    QTest::newRow("inside, under AB") << 220.0 << 320.0 << QPointF(425, 500) << FigureCase::OnArc;
    QTest::newRow("outside, far below") << 220.0 << 320.0 << QPointF(425, 620) << FigureCase::OnArc;
    QTest::newRow("outside, level with AB on the right")
        << 220.0 << 320.0 << QPointF(814, 478) << FigureCase::OffArc;
    QTest::newRow("on AB between A and B") << 220.0 << 320.0 << middleOfAB << FigureCase::OnArc;
    QTest::newRow("on AB beyond B") << 220.0 << 320.0 << beyondB << FigureCase::OnArc;
    QTest::newRow("long arc, P outside on the right")
        << 30.0 << 330.0 << QPointF(kOX + 300, kOY) << FigureCase::OffArc;
    QTest::newRow("long arc, P at O") << 30.0 << 330.0 << QPointF(kOX, kOY) << FigureCase::OnArc;
}

void TestGeometryDrawing::figureCaseOfSide() {
    QFETCH(double, angleA);
    QFETCH(double, angleB);
    QFETCH(QPointF, p);
    QFETCH(FigureCase, expected);
    QCOMPARE(geometry::figureCaseOfSide(onCircle(angleA), onCircle(angleB), {p.x(), p.y()}), expected);
}

void TestGeometryDrawing::figureCaseOfSideOnTheCircle() {
    // On the circle the side of AB is the case of P's angle, away from A and B themselves.
    std::mt19937 random(15);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int i = 0; i < 20000; ++i) {
        const double angleA = 0.01 + unit(random) * 344;
        const double angleB = angleA + 15 + unit(random) * (359.99 - angleA - 15);
        const double angleP = unit(random) * 360;
        if (std::fabs(angleP - angleA) < 1e-6 || std::fabs(angleP - angleB) < 1e-6) continue;
        const float radius = static_cast<float>(76 + unit(random) * 198);
        const FigureCase bySide = geometry::figureCaseOfSide(
            onCircle(angleA, radius), onCircle(angleB, radius), onCircle(angleP, radius));
        QVERIFY2(bySide == geometry::figureCase(angleA, angleB, angleP),
                 qPrintable(QString("A %1 B %2 P %3").arg(angleA).arg(angleB).arg(angleP)));
    }
}

void TestGeometryDrawing::sectorAtP_data() {
    QTest::addColumn<QPointF>("p");
    QTest::addColumn<double>("bisector"); // screen direction, degrees; -1 for none
    QTest::addColumn<QPointF>("inside");
    QTest::addColumn<QPointF>("outside");
    QTest::addColumn<double>("outsideBy");
    const geometry::Point a = onCircle(220), b = onCircle(320);
    const geometry::Point p = onCircle(110);
    // Start-up: the rays from P go to 255 and 305 degrees (less a tenth for 3.14); 10 px
    // to the right of P lies 10 sin 55 px from the ray to B.
    QTest::newRow("start-up") << QPointF(p.x, p.y) << 279.86 << QPointF(p.x, p.y + 25)
                              << QPointF(p.x + 10, p.y) << 8.20;
    QTest::newRow("P on the lower arc")
        << QPointF(onCircle(270).x, onCircle(270).y) << 89.86 << QPointF(onCircle(270).x, 500)
        << QPointF(onCircle(270).x, 600) << 25.0;
    // The figure is symmetric about 270 degrees, 269.86 with 3.14 for pi. On AB between A
    // and B the angle is the half plane on the side of the arc from B to A.
    const QPointF middle((a.x + b.x) / 2, (a.y + b.y) / 2);
    QTest::newRow("on AB") << middle << 89.86 << middle + QPointF(0, -20) << middle + QPointF(0, 20) << 19.99;
    // Beyond B on the line the rays point the same way: no angle at all.
    const QPointF beyond(2 * b.x - a.x, 2 * b.y - a.y);
    QTest::newRow("beyond B") << beyond << -1.0 << QPointF() << beyond + QPointF(0, -3) << 3.0;
}

void TestGeometryDrawing::sectorAtP() {
    QFETCH(QPointF, p);
    QFETCH(double, bisector);
    QFETCH(QPointF, inside);
    QFETCH(QPointF, outside);
    QFETCH(double, outsideBy);
    const geometry::Point a = onCircle(220), b = onCircle(320), at{p.x(), p.y()};
    const geometry::SectorAtP sector(a, b, at, geometry::figureCaseOfSide(a, b, at));
    if (bisector >= 0) {
        QVERIFY2(std::fabs(screenDirection(sector.bisector()) - bisector) < 0.05,
                 qPrintable(QString::number(screenDirection(sector.bisector()))));
        QVERIFY(sector.contains(inside.x(), inside.y()));
        QCOMPARE(sector.distanceOutside(inside.x(), inside.y()), 0.0);
    } else {
        const geometry::Ray middle = sector.bisector();
        for (double r : {1.0, 10.0, 29.0}) QVERIFY(!sector.contains(middle.at(r).x, middle.at(r).y));
    }
    QVERIFY(!sector.contains(outside.x(), outside.y()));
    QVERIFY2(std::fabs(sector.distanceOutside(outside.x(), outside.y()) - outsideBy) < 0.05,
             qPrintable(QString::number(sector.distanceOutside(outside.x(), outside.y()))));
    QVERIFY(!sector.contains(p.x(), p.y()));
}

void TestGeometryDrawing::angleBetweenRays_data() {
    QTest::addColumn<int>("dirPA");
    QTest::addColumn<int>("dirPB");
    QTest::addColumn<int>("angle");
    QTest::newRow("start-up") << 255 << 305 << 50;
    QTest::newRow("P at 270") << 155 << 25 << 130;
    QTest::newRow("holding 0, Case 2") << 15 << 345 << 30;
    QTest::newRow("holding 0, Case 1") << 340 << 5 << 25;
    QTest::newRow("straight") << 0 << 180 << 180;
    QTest::newRow("just past straight") << 100 << 281 << 179;
    QTest::newRow("one way") << 5 << 5 << 0;
    QTest::newRow("either side of 0") << 0 << 359 << 1;
    QTest::newRow("narrow, reversed by rounding") << 182 << 181 << 1;
}

void TestGeometryDrawing::angleBetweenRays() {
    QFETCH(int, dirPA);
    QFETCH(int, dirPB);
    QFETCH(int, angle);
    QCOMPARE(geometry::angleBetweenRays(dirPA, static_cast<float>(dirPB)), angle);
    QCOMPARE(geometry::angleBetweenRays(dirPB, static_cast<float>(dirPA)), angle);
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
