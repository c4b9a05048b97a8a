// What DrawFigure leaves on the canvas: the arc band, the marks of ∠AOB and ∠APB,
// white over-painted outlines and nothing else.
#include "app/form1.h"
#include "figure/geometry.h"
#include "platform/palette.h"

#include <QtTest>

#include <cmath>
#include <random>

namespace {

constexpr QRgb kWhite = 0xffffffff;
const QRgb kGreen = palette::rgb(10);

QRgb colour(int index) {
    return palette::rgb(index);
}

void setFigure(Form1& form, double angleA, double angleB, double angleP, float radius = 250) {
    form.angleA = angleA;
    form.angleB = angleB;
    form.angleP = angleP;
    form.radius = radius;
    form.handleX = radius + static_cast<float>(form.oX);
    form.handleY = radius + static_cast<float>(form.oY);
    form.LayoutFigure();
}

// Ticks the parts of the figure (P first: "∠ＡＰＢ" depends on it) and draws afresh.
void draw(Form1& form, bool arc = true, bool central = true, bool inscribed = true) {
    form.Check6->setValue(1);
    form.Check7->setValue(inscribed);
    form.Check8->setValue(central);
    form.Check5->setValue(arc);
    form.gamen.clear();
    form.DrawFigure();
}

// The pixel `distance` from (x, y) in the direction `degrees`, with the true pi.
QRgb probe(const Form1& form, double x, double y, double degrees, double distance) {
    const double radians = degrees * M_PI / 180;
    return form.gamen.pixel(static_cast<int>(std::lround(x + distance * std::cos(radians))),
                            static_cast<int>(std::lround(y - distance * std::sin(radians))));
}

QString hex(QRgb value) {
    return QString::number(value, 16);
}

struct Expected {
    QRgb atO, band, atP;
};

Expected expectedColours(const Form1& form) {
    if (geometry::figureCase(form.angleA, form.angleB, form.angleP) == geometry::FigureCase::OffArc)
        return {colour(9), colour(12), colour(12)};
    return {colour(8), colour(0), colour(0)};
}

// Describes the first pixel that is neither white nor part of a mark: a fill that
// leaked or an outline that was not painted over. Empty when there is none.
QString strayPixel(const Form1& form) {
    const Expected expected = expectedColours(form);
    const QImage& image = form.gamen.image();
    const double r = form.radius;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = line[x];
            if (c == kWhite) continue;
            const double fromO = std::hypot(x - form.oX, y - form.oY);
            const double fromP = std::hypot(x - form.pX, y - form.pY);
            if (c == expected.atO && fromO <= 30.5) continue;
            if (c == expected.atP && fromP <= 30.5) continue;
            if (c == expected.band && fromO >= r - 8.5 && fromO <= r - 0.5) continue;
            return QStringLiteral("(%1, %2) is %3").arg(x).arg(y).arg(hex(c));
        }
    }
    return {};
}

int countColourWithin(const Form1& form, double cx, double cy, double reach, QRgb wanted) {
    int count = 0;
    for (int y = static_cast<int>(cy - reach); y <= cy + reach; ++y)
        for (int x = static_cast<int>(cx - reach); x <= cx + reach; ++x)
            if (x >= 0 && y >= 0 && x < Canvas::kWidth && y < Canvas::kHeight &&
                std::hypot(x - cx, y - cy) <= reach && form.gamen.pixel(x, y) == wanted)
                ++count;
    return count;
}

// Angle between the rays from P to A and to B, in degrees, with the true pi.
double trueAngleAtP(const Form1& form) {
    const double ax = form.aX - form.pX, ay = form.aY - form.pY;
    const double bx = form.bX - form.pX, by = form.bY - form.pY;
    return std::acos(std::clamp((ax * bx + ay * by) / std::hypot(ax, ay) / std::hypot(bx, by), -1.0, 1.0)) *
           180 / M_PI;
}

// Direction (screen degrees) of the bisector of the rays from P to A and to B.
double bisectorAtP(const Form1& form) {
    const double la = std::hypot(form.aX - form.pX, form.aY - form.pY);
    const double lb = std::hypot(form.bX - form.pX, form.bY - form.pY);
    const double x = (form.aX - form.pX) / la + (form.bX - form.pX) / lb;
    const double y = (form.aY - form.pY) / la + (form.bY - form.pY) / lb;
    return std::atan2(-y, x) * 180 / M_PI;
}

} // namespace

class TestDrawing : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void startUpFigure();
    void otherArcFigure();
    void angleHoldingZero_data();
    void angleHoldingZero();
    void nothingTickedLeavesWhiteOutlines();
    void fillPaintsOverInkInside();
    void degenerateRays_data();
    void degenerateRays();
    void seedOnOutlineMovesOut();
    void randomFigures();

  private:
    Form1* form = nullptr;
    std::unique_ptr<Form1> owner;
};

void TestDrawing::init() {
    owner = std::make_unique<Form1>();
    form = owner.get();
}

void TestDrawing::startUpFigure() {
    draw(*form);
    QCOMPARE(form->dirPA, 255);
    QCOMPARE(form->dirPB, 305.0f);
    QCOMPARE(form->gamen.penWidth(), 1);
    QCOMPARE(form->gamen.fillStyle(), Canvas::FillStyle::Transparent);
    QCOMPARE(form->gamen.fillColour(), colour(12));
    const double r = form->radius;
    QCOMPARE(r, 250.0);

    // The band runs along the lower arc, between the circles of radius - 8 and radius - 1.
    for (double angle = 225; angle <= 315; angle += 5) {
        QCOMPARE(hex(probe(*form, 425, 325, angle, r - 4.5)), hex(colour(12)));
        QCOMPARE(hex(probe(*form, 425, 325, angle, r - 7)), hex(colour(12)));
        QCOMPARE(hex(probe(*form, 425, 325, angle, r - 2)), hex(colour(12)));
        QCOMPARE(hex(probe(*form, 425, 325, angle, r - 11)), hex(kWhite));
        QCOMPARE(hex(probe(*form, 425, 325, angle, r + 2)), hex(kWhite));
    }
    for (double angle = 0; angle < 360; angle += 5) {
        const bool nearP = std::fabs(angle - 110) < 10;
        if ((angle > 215 && angle < 325) || nearP) continue;
        QCOMPARE(hex(probe(*form, 425, 325, angle, r - 4.5)), hex(kWhite));
    }
    QCOMPARE(hex(form->gamen.pixel(425, 335)), hex(colour(9)));

    // ∠AOB: a light-blue sector of radius 30 towards the band.
    for (double angle = 228; angle <= 312; angle += 6) {
        QCOMPARE(hex(probe(*form, 425, 325, angle, 20)), hex(colour(9)));
        QCOMPARE(hex(probe(*form, 425, 325, angle, 27)), hex(colour(9)));
        QCOMPARE(hex(probe(*form, 425, 325, angle, 34)), hex(kWhite));
    }
    for (double angle : {0.0, 90.0, 180.0, 210.0, 330.0})
        QCOMPARE(hex(probe(*form, 425, 325, angle, 20)), hex(kWhite));

    // ∠APB: a light-red sector at P between the rays to A and B.
    for (double angle = 262; angle <= 298; angle += 6) {
        QCOMPARE(hex(probe(*form, form->pX, form->pY, angle, 20)), hex(colour(12)));
        QCOMPARE(hex(probe(*form, form->pX, form->pY, angle, 35)), hex(kWhite));
    }
    for (double angle : {0.0, 90.0, 180.0, 245.0, 315.0})
        QCOMPARE(hex(probe(*form, form->pX, form->pY, angle, 20)), hex(kWhite));

    QCOMPARE(strayPixel(*form), QString());
    QCOMPARE(form->Label5[0]->text(), QStringLiteral("100"));
    QCOMPARE(form->Label5[1]->text(), QStringLiteral("50"));
}

void TestDrawing::otherArcFigure() {
    setFigure(*form, 220, 320, 270);
    draw(*form);
    QCOMPARE(form->dirPA, 155);
    QCOMPARE(form->dirPB, 25.0f);
    QCOMPARE(form->gamen.fillColour(), colour(0));
    const double r = form->radius;
    // The band runs along the upper arc, from B anticlockwise through 0 to A.
    for (double angle = 330; angle <= 570; angle += 10) {
        QCOMPARE(hex(probe(*form, 425, 325, angle, r - 4.5)), hex(colour(0)));
    }
    for (double angle = 230; angle <= 310; angle += 10) {
        if (std::fabs(angle - 270) < 10) continue;
        QCOMPARE(hex(probe(*form, 425, 325, angle, r - 4.5)), hex(kWhite));
    }
    // ∠AOB is reflex: grey beyond the half disc, white only between OA and OB below O.
    const int grey = countColourWithin(*form, 425, 325, 30, colour(8));
    QVERIFY2(grey > M_PI * 29 * 29 / 2, qPrintable(QString::number(grey)));
    for (double angle : {330.0, 0.0, 90.0, 180.0, 210.0})
        QCOMPARE(hex(probe(*form, 425, 325, angle, 20)), hex(colour(8)));
    QCOMPARE(hex(probe(*form, 425, 325, 270, 20)), hex(kWhite));
    // ∠APB: black around straight up from P.
    for (double angle : {40.0, 90.0, 140.0})
        QCOMPARE(hex(probe(*form, form->pX, form->pY, angle, 20)), hex(colour(0)));
    for (double angle : {0.0, 180.0, 270.0})
        QCOMPARE(hex(probe(*form, form->pX, form->pY, angle, 20)), hex(kWhite));
    QCOMPARE(strayPixel(*form), QString());
    QCOMPARE(form->Label5[0]->text(), QStringLiteral("260"));
    QCOMPARE(form->Label5[1]->text(), QStringLiteral("130"));
}

void TestDrawing::angleHoldingZero_data() {
    QTest::addColumn<double>("angleA");
    QTest::addColumn<double>("angleB");
    QTest::addColumn<double>("angleP");
    QTest::addColumn<QString>("readout");
    QTest::newRow("Case 2") << 30.0 << 330.0 << 180.0 << "30";
    QTest::newRow("Case 1") << 300.0 << 350.0 << 200.0 << "25";
}

void TestDrawing::angleHoldingZero() {
    QFETCH(double, angleA);
    QFETCH(double, angleB);
    QFETCH(double, angleP);
    QFETCH(QString, readout);
    setFigure(*form, angleA, angleB, angleP);
    form->Check9->setValue(0);
    draw(*form);
    const QRgb mark = expectedColours(*form).atP;
    const double bisector = bisectorAtP(*form);
    const double half = trueAngleAtP(*form) / 2;
    // Across the angle, which contains the direction 0, and not in the direction of the mean.
    for (double offset : {-0.6, -0.3, 0.0, 0.3, 0.6})
        QCOMPARE(hex(probe(*form, form->pX, form->pY, bisector + offset * half, 22)), hex(mark));
    QCOMPARE(hex(probe(*form, form->pX, form->pY, bisector + 180, 20)), hex(kWhite));
    QCOMPARE(hex(probe(*form, form->pX, form->pY, bisector + 90, 20)), hex(kWhite));
    QCOMPARE(hex(probe(*form, form->pX, form->pY, bisector - 90, 20)), hex(kWhite));
    QCOMPARE(strayPixel(*form), QString());
    QCOMPARE(form->Label5[1]->text(), readout);
}

void TestDrawing::nothingTickedLeavesWhiteOutlines() {
    // On a green canvas the white outlines show: radii, the two rings and the guide lines.
    form->gamen.setFillStyle(Canvas::FillStyle::Solid);
    form->gamen.setFillColour(kGreen);
    form->gamen.floodFill(0, 0, colour(0));
    form->gamen.setFillStyle(Canvas::FillStyle::Transparent);
    form->Label5[0]->setCaption(QStringLiteral("x"));
    form->Check7->setValue(0);
    form->DrawFigure();
    QCOMPARE(form->Label5[0]->text(), QStringLiteral("x")); // no readout without the arc
    QCOMPARE(hex(form->gamen.pixel(425, 325)), hex(kWhite));
    QCOMPARE(hex(form->gamen.pixel(425, 325 - 30)), hex(kWhite));
    QCOMPARE(hex(form->gamen.pixel(425, 325 - 20)), hex(kGreen));
    QCOMPARE(hex(form->gamen.pixel(std::lround(form->pX), std::lround(form->pY))), hex(kWhite));
    QCOMPARE(hex(form->gamen.pixel(std::lround(form->pX), std::lround(form->pY) - 30)), hex(kWhite));
    // Nothing but white and the green background.
    int white = 0;
    for (int y = 0; y < Canvas::kHeight; ++y)
        for (int x = 0; x < Canvas::kWidth; ++x) {
            const QRgb c = form->gamen.pixel(x, y);
            QVERIFY2(c == kWhite || c == kGreen, qPrintable(QString("%1,%2").arg(x).arg(y)));
            white += c == kWhite;
        }
    QVERIFY(white > 2 * 250 + 2 * 2 * 30 * 3); // two radii and two rings at least
}

void TestDrawing::fillPaintsOverInkInside() {
    const int x = static_cast<int>(std::lround(form->pX)), y = static_cast<int>(std::lround(form->pY)) + 20;
    form->gamen.clear();
    form->gamen.segment(x - 2, y, x + 2, y, kGreen);
    form->Check6->setValue(1);
    form->Check7->setValue(1);
    form->DrawFigure();
    for (int dx = -2; dx <= 2; ++dx) QCOMPARE(hex(form->gamen.pixel(x + dx, y)), hex(colour(12)));
}

void TestDrawing::degenerateRays_data() {
    QTest::addColumn<double>("offsetX");
    QTest::addColumn<double>("offsetY");
    QTest::addColumn<int>("dirPA");
    QTest::newRow("A straight above P") << 0.0 << 120.0 << 90;
    QTest::newRow("A straight below P") << 0.0 << -120.0 << 270;
    QTest::newRow("A level left of P") << 120.0 << 0.0 << 180;
    QTest::newRow("A level right of P") << -120.0 << 0.0 << 0;
    QTest::newRow("P on A") << 0.0 << 0.0 << -1;
}

void TestDrawing::degenerateRays() {
    QFETCH(double, offsetX);
    QFETCH(double, offsetY);
    QFETCH(int, dirPA);
    // P held off the circle, placed against A; B is level with neither.
    setFigure(*form, 200, 320, 0);
    form->Check9->setValue(0);
    form->pX = form->aX + offsetX;
    form->pY = form->aY + offsetY;
    form->angleP = geometry::pointerAngle(form->oX, form->oY, form->pX, form->pY);
    // Tick first: the boxes' handlers clear and redraw the canvas.
    form->Check6->setValue(1);
    form->Check7->setValue(1);
    form->Check8->setValue(1);
    form->Check5->setValue(1);
    form->dirPA = -1; // no direction for P on A keeps this
    form->gamen.setFillStyle(Canvas::FillStyle::Solid);
    form->gamen.setFillColour(kGreen);
    form->gamen.floodFill(0, 0, colour(0));
    form->gamen.setFillStyle(Canvas::FillStyle::Transparent);
    form->DrawFigure();
    QCOMPARE(form->dirPA, dirPA);
    const int px = static_cast<int>(std::lround(form->pX)), py = static_cast<int>(std::lround(form->pY));
    auto at = [&](int x, int y) {
        const bool inside = x >= 0 && y >= 0 && x < Canvas::kWidth && y < Canvas::kHeight;
        return inside ? hex(form->gamen.pixel(x, y)) : QStringLiteral("outside");
    };
    auto expect = [&](int x, int y, QRgb wanted) {
        if (at(x, y) != QStringLiteral("outside")) QCOMPARE(at(x, y), hex(wanted));
    };
    // Beyond the guide line's end the background stays, but inside the band the sector
    // under the arc P stands on (the far side of AB from P) is painted white.
    const bool offArc = geometry::figureCaseOfSide({form->aX, form->aY}, {form->bX, form->bY},
                                                   {form->pX, form->pY}) == geometry::FigureCase::OffArc;
    auto background = [&](int x, int y) {
        const double angle = geometry::pointerAngle(form->oX, form->oY, x, y);
        const bool onArcAB = angle > form->angleA && angle < form->angleB;
        const bool underBand = std::hypot(x - form->oX, y - form->oY) < form->radius - 8 && onArcAB == offArc;
        return underBand ? kWhite : kGreen;
    };
    if (offsetY == 0 && offsetX != 0) {
        // A level guide line reaches 100 pixels to each side of P.
        expect(px - 99, py, kWhite);
        expect(px + 99, py, kWhite);
        expect(px - 103, py, background(px - 103, py));
        expect(px + 103, py, background(px + 103, py));
    }
    if (offsetX == 0 && offsetY != 0) {
        expect(px, py - 99, kWhite);
        expect(px, py + 99, kWhite);
        expect(px, py - 103, kGreen);
        expect(px, py + 103, kGreen);
    }
    // The readouts stay numbers.
    bool number = false;
    form->Label5[1]->text().toDouble(&number);
    QVERIFY(number);
}

void TestDrawing::seedOnOutlineMovesOut() {
    // P far up and to the right of a small circle sees A and B under a narrow angle;
    // the seed 20 px out often lands on a guide line. The mark must still show.
    setFigure(*form, 200, 340, 0, 76);
    form->Check9->setValue(0);
    int seedOnOutline = 0, figures = 0;
    for (double y = 0; y <= 250; y += 0.37) {
        form->pX = 860;
        form->pY = y;
        form->angleP = geometry::pointerAngle(form->oX, form->oY, form->pX, form->pY);
        const double angle = trueAngleAtP(*form);
        if (angle < 5 || angle > 9) continue;
        ++figures;
        draw(*form);
        const QRgb mark = expectedColours(*form).atP;
        const double middle = (form->dirPA + static_cast<double>(form->dirPB)) / 2 * 3.14 / 180;
        const int sx = static_cast<int>(geometry::roundHalfEven(form->pX + 20 * std::cos(middle)));
        const int sy = static_cast<int>(geometry::roundHalfEven(form->pY - 20 * std::sin(middle)));
        if (form->gamen.pixel(sx, sy) == kWhite) ++seedOnOutline; // painted over in white
        QVERIFY2(countColourWithin(*form, form->pX, form->pY, 30, mark) > 0,
                 qPrintable(QString("P y %1, angle %2").arg(y).arg(angle)));
        QCOMPARE(strayPixel(*form), QString());
    }
    QVERIFY(figures > 10);
    QVERIFY2(seedOnOutline > 0, "no figure put its first seed on an outline");
}

void TestDrawing::randomFigures() {
    std::mt19937 random(20261208);
    std::uniform_real_distribution<double> unit(0, 1);
    int worstIndex = -1;
    double worstError = 0;
    for (int i = 0; i < 2000; ++i) {
        const double angleA = 1 + unit(random) * 343;
        const double angleB = angleA + 15 + unit(random) * (344 - angleA);
        const double angleP = unit(random) * 360;
        const float radius = static_cast<float>(76 + unit(random) * 198);
        setFigure(*form, angleA, angleB, angleP, radius);
        form->Check9->setValue(0);
        draw(*form);
        const QString context =
            QString("figure %1: A %2 B %3 P %4 r %5").arg(i).arg(angleA).arg(angleB).arg(angleP).arg(radius);

        const double truth = trueAngleAtP(*form);
        const double shown = form->Label5[1]->text().toDouble();
        const double error = std::fabs(shown - truth);
        if (error > worstError) {
            worstError = error;
            worstIndex = i;
        }
        QVERIFY2(error <= 1.0, qPrintable(context + QString(": shows %1, true %2").arg(shown).arg(truth)));
        QVERIFY2(probe(*form, form->pX, form->pY, bisectorAtP(*form), 20) == expectedColours(*form).atP,
                 qPrintable(context));
        const QString stray = strayPixel(*form);
        QVERIFY2(stray.isEmpty(), qPrintable(context + ": " + stray));
    }
    qInfo("largest readout error %.3f degrees (figure %d)", worstError, worstIndex);
}

QTEST_MAIN(TestDrawing)
#include "tst_drawing.moc"
