#include "figure/geometry.h"

#include <QtTest>

using namespace geometry;

class TestGeometry : public QObject {
    Q_OBJECT
  private slots:
    void pointOnCircle_data();
    void pointOnCircle();
    void letterCorner_data();
    void letterCorner();
    void roundHalfEven_data();
    void roundHalfEven();
    void pointerAngle_data();
    void pointerAngle();
    void turnedAngle_data();
    void turnedAngle();
};

void TestGeometry::pointOnCircle_data() {
    QTest::addColumn<double>("angle");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::newRow("A at 220") << 220.0 << 233.176 << 485.324;
    QTest::newRow("B at 320") << 320.0 << 616.055 << 486.238;
    QTest::newRow("P at 110") << 110.0 << 339.724 << 89.994;
    QTest::newRow("C at 290") << 290.0 << 509.902 << 560.142;
    // With 3.14 a full turn is not 360 degrees: angles are never normalised.
    QTest::newRow("P at 470") << 470.0 << 340.473 << 89.723;
    QTest::newRow("P at -250") << -250.0 << 338.976 << 90.267;
}

void TestGeometry::pointOnCircle() {
    QFETCH(double, angle);
    QFETCH(double, x);
    QFETCH(double, y);
    const Point p = geometry::pointOnCircle(425, 325, 250.0f, angle);
    QVERIFY2(std::abs(p.x - x) < 0.0005, qPrintable(QString::number(p.x, 'f', 4)));
    QVERIFY2(std::abs(p.y - y) < 0.0005, qPrintable(QString::number(p.y, 'f', 4)));
}

void TestGeometry::letterCorner_data() {
    QTest::addColumn<double>("angle");
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("top");
    QTest::newRow("Ａ") << 220.0 << 198.158 << 489.563;
    QTest::newRow("Ｂ") << 320.0 << 626.982 << 490.587;
    QTest::newRow("Ｃ") << 290.0 << 508.090 << 573.359;
}

void TestGeometry::letterCorner() {
    QFETCH(double, angle);
    QFETCH(double, left);
    QFETCH(double, top);
    const Point corner = geometry::letterCorner(425, 325, 250.0f, angle);
    QVERIFY2(std::abs(corner.x - left) < 0.0005, qPrintable(QString::number(corner.x, 'f', 4)));
    QVERIFY2(std::abs(corner.y - top) < 0.0005, qPrintable(QString::number(corner.y, 'f', 4)));
}

void TestGeometry::roundHalfEven_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("rounded");
    QTest::newRow("half down to even") << 334.5 << 334.0;
    QTest::newRow("half up to even") << 335.5 << 336.0;
    QTest::newRow("negative half") << -2.5 << -2.0;
    QTest::newRow("just above half") << 2.5000001 << 3.0;
    QTest::newRow("whole") << 7.0 << 7.0;
}

void TestGeometry::roundHalfEven() {
    QFETCH(double, value);
    QFETCH(double, rounded);
    QCOMPARE(geometry::roundHalfEven(value), rounded);
}

void TestGeometry::pointerAngle_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("angle");
    QTest::newRow("centre itself") << 425.0 << 325.0 << 90.0;
    QTest::newRow("straight above") << 425.0 << 100.0 << 90.0;
    QTest::newRow("straight below") << 425.0 << 500.0 << 270.0;
    QTest::newRow("straight right") << 600.0 << 325.0 << 0.0;
    QTest::newRow("straight left") << 200.0 << 325.0 << 180.0;
    QTest::newRow("45 up right, with 3.14") << 525.0 << 225.0 << 45.0228;
    QTest::newRow("below right") << 525.0 << 425.0 << 314.9772;
    QTest::newRow("above left") << 325.0 << 225.0 << 134.9772;
}

void TestGeometry::pointerAngle() {
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(double, angle);
    const double got = geometry::pointerAngle(425, 325, x, y);
    QVERIFY2(std::abs(got - angle) < 0.0001, qPrintable(QString::number(got, 'f', 5)));
    QVERIFY(got >= 0 && got < 360);
}

void TestGeometry::turnedAngle_data() {
    QTest::addColumn<double>("angle");
    QTest::addColumn<double>("step");
    QTest::addColumn<int>("times");
    QTest::addColumn<double>("expected");
    QTest::newRow("one degree") << 220.0 << 1.0 << 1 << 221.0;
    QTest::newRow("back five") << 220.0 << -5.0 << 1 << 215.0;
    QTest::newRow("ten tenths") << 220.0 << 0.1 << 10 << 221.0;
    QTest::newRow("thirty tenths back") << 320.0 << -0.1 << 30 << 317.0;
    QTest::newRow("past 360") << 359.5 << 1.0 << 1 << 0.5;
    QTest::newRow("below 0") << 0.5 << -1.0 << 1 << 359.5;
    QTest::newRow("onto 0") << 359.0 << 1.0 << 1 << 0.0;
    QTest::newRow("tenths onto 0") << 359.9 << 0.1 << 1 << 0.0;
    QTest::newRow("pointer fraction kept") << 219.734123456 << 1.0 << 1 << 220.734123456;
}

void TestGeometry::turnedAngle() {
    QFETCH(double, angle);
    QFETCH(double, step);
    QFETCH(int, times);
    QFETCH(double, expected);
    for (int i = 0; i < times; ++i) angle = geometry::turnedAngle(angle, step);
    QCOMPARE(angle, expected);
    QVERIFY(angle >= 0 && angle < 360);
    // The whole degrees are right: the readouts cut the angles down to them.
    QCOMPARE(std::floor(angle), std::floor(expected));
}

QTEST_APPLESS_MAIN(TestGeometry)
#include "tst_geometry.moc"
