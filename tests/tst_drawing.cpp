// What DrawFigure leaves on the canvas: the arc band, the marks of ∠AOB and ∠APB,
// white over-painted outlines and nothing else.
#include "app/form1.h"
#include "canvas/palette.h"
#include "figure/geometry.h"

#include <QtTest>

#include <cmath>
#include <optional>
#include <random>
#include <vector>

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

// Distance of (x, y) from the true sector between the rays PA and PB (the angle APB
// itself, never wider than a half plane); 0 inside it.
double awayFromTrueAngle(const Form1& form, double x, double y) {
    const double ux = form.aX - form.pX, uy = form.aY - form.pY;
    const double vx = form.bX - form.pX, vy = form.bY - form.pY;
    const double wx = x - form.pX, wy = y - form.pY;
    auto cross = [](double x1, double y1, double x2, double y2) { return x1 * y2 - y1 * x2; };
    const double turn = cross(ux, uy, vx, vy);
    if (cross(ux, uy, wx, wy) * turn > 0 && cross(wx, wy, vx, vy) * turn > 0) return 0;
    auto fromRay = [&](double rx, double ry) {
        const double length = std::hypot(rx, ry);
        if (wx * rx + wy * ry <= 0) return std::hypot(wx, wy);
        return std::fabs(cross(rx, ry, wx, wy)) / length;
    };
    return std::min(fromRay(ux, uy), fromRay(vx, vy));
}

// True when P stands on the side of the line AB where the middle of the arc from A
// anticlockwise to B lies (or on the line): the angle at P then stands on the arc from
// B anticlockwise to A, whose marks are black and grey.
bool standsOnArcBA(const Form1& form) {
    const double m = (form.angleA + form.angleB) / 2;
    const geometry::Point middle = geometry::pointOnCircle(form.oX, form.oY, form.radius, m);
    auto side = [&](double x, double y) {
        return (form.bX - form.aX) * (y - form.aY) - (form.bY - form.aY) * (x - form.aX);
    };
    const double p = side(form.pX, form.pY);
    return p == 0 || (p > 0) == (side(middle.x, middle.y) > 0);
}

// ∠AOB as the readout shows it for the arc P stands on, the one beyond the line AB.
int centralOfFarArc(const Form1& form) {
    const int arcAB = static_cast<int>(std::floor(form.angleB) - std::floor(form.angleA));
    return standsOnArcBA(form) ? 360 - arcAB : arcAB;
}

// Moves a free P to (x, y) as a drag of P does.
void dragFreePTo(Form1& form, double x, double y) {
    form.dragTarget = 1;
    form.gamen_MouseMove(1, 0, static_cast<float>(x), static_cast<float>(y));
    form.dragTarget = 0;
}

// The first pixel of the mark at P's colours that lies more than a pixel outside the
// true angle APB, or has the colour of the other case. Empty when there is none.
QString markOutsideAngle(const Form1& form, int* count = nullptr) {
    const QRgb wanted = standsOnArcBA(form) ? colour(0) : colour(12);
    const int px = static_cast<int>(std::lround(form.pX)), py = static_cast<int>(std::lround(form.pY));
    int found = 0;
    for (int y = std::max(0, py - 31); y <= std::min(Canvas::kHeight - 1, py + 31); ++y)
        for (int x = std::max(0, px - 31); x <= std::min(Canvas::kWidth - 1, px + 31); ++x) {
            const QRgb c = form.gamen.pixel(x, y);
            if (c != colour(0) && c != colour(12)) continue;
            ++found;
            if (c != wanted) return QStringLiteral("(%1, %2) is %3").arg(x).arg(y).arg(hex(c));
            const double away = awayFromTrueAngle(form, x, y);
            if (away > 1)
                return QStringLiteral("(%1, %2) is %3 px outside the angle").arg(x).arg(y).arg(away);
        }
    if (count) *count = found;
    return {};
}

// The pixel 20 px from P along the true bisector, when the mark must show there: the
// angle at least 5 degrees and the pixel on the canvas and on no guide line. The guide
// lines are drawn on `outlines` to tell, then painted over in white again.
std::optional<geometry::Pixel> bisectorPixel(const Form1& form, Canvas& outlines) {
    if (trueAngleAtP(form) < 5) return std::nullopt;
    const double radians = bisectorAtP(form) * M_PI / 180;
    const geometry::Pixel at{static_cast<int>(std::lround(form.pX + 20 * std::cos(radians))),
                             static_cast<int>(std::lround(form.pY - 20 * std::sin(radians)))};
    if (at.x < 0 || at.y < 0 || at.x >= Canvas::kWidth || at.y >= Canvas::kHeight) return std::nullopt;
    const QRgb marker = colour(4);
    bool onOutline = false;
    for (QRgb pen : {marker, kWhite}) {
        for (const auto& towards : {geometry::Point{form.aX, form.aY}, geometry::Point{form.bX, form.bY}})
            if (const auto line = geometry::guideLine(form.pX, form.pY, towards.x, towards.y))
                outlines.segment(geometry::toSingle(line->from.x), geometry::toSingle(line->from.y),
                                 geometry::toSingle(line->to.x), geometry::toSingle(line->to.y), pen);
        if (pen == marker) onOutline = outlines.pixel(at.x, at.y) == marker;
    }
    if (onOutline) return std::nullopt;
    return at;
}

// The pixels of the canvas where the band may lie, between the circles of radius - 8
// and radius - 1 about O.
std::vector<geometry::Pixel> bandRing(const Form1& form) {
    std::vector<geometry::Pixel> ring;
    const double r = form.radius;
    for (int y = std::max(0, static_cast<int>(form.oY - r));
         y <= std::min<double>(Canvas::kHeight - 1, form.oY + r); ++y)
        for (int x = std::max(0, static_cast<int>(form.oX - r));
             x <= std::min<double>(Canvas::kWidth - 1, form.oX + r); ++x) {
            const double fromO = std::hypot(x - form.oX, y - form.oY);
            if (fromO >= r - 8.5 && fromO <= r - 0.5) ring.push_back({x, y});
        }
    return ring;
}

// The first pixel of the band's colour in `ring` that lies off the arc P stands on
// (more than a pixel past the radius lines OA and OB). The mark at P is left out.
QString bandOffFarArc(const Form1& form, const std::vector<geometry::Pixel>& ring) {
    const bool arcBA = standsOnArcBA(form);
    const QRgb band = arcBA ? colour(0) : colour(12);
    for (const geometry::Pixel& at : ring) {
        const int x = at.x, y = at.y;
        if (form.gamen.pixel(x, y) != band || std::hypot(x - form.pX, y - form.pY) <= 31) continue;
        const double angle = geometry::pointerAngle(form.oX, form.oY, x, y);
        const bool onArcAB = angle > form.angleA && angle < form.angleB;
        if (onArcAB != arcBA) continue;
        // Off the arc: only the rasterisation next to a radius line is allowed.
        const double pastA = std::fabs(std::remainder(angle - form.angleA, 360));
        const double pastB = std::fabs(std::remainder(angle - form.angleB, 360));
        if (std::min(pastA, pastB) * M_PI / 180 * std::hypot(x - form.oX, y - form.oY) > 1.5)
            return QStringLiteral("(%1, %2) at %3 degrees").arg(x).arg(y).arg(angle);
    }
    return {};
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
    void freeP_data();
    void freeP();
    void randomFreePositions();

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

void TestDrawing::freeP_data() {
    QTest::addColumn<double>("angleA");
    QTest::addColumn<double>("angleB");
    QTest::addColumn<float>("radius");
    QTest::addColumn<int>("onCircle");
    QTest::addColumn<QPointF>("pointer");
    QTest::addColumn<QString>("inscribed");
    QTest::addColumn<QString>("central");
    QTest::addColumn<int>("mark"); // colour index of the mark at P, -1 for none
    // The true angles APB: 105.4, 145.6, 9.4, 1.7; the arcs P stands on: 100, 100, 259.
    QTest::newRow("start-up, P just below O") << 220.0 << 320.0 << 250.0f << 0 << QPointF(425, 340) << "106"
                                              << "100" << 12;
    QTest::newRow("start-up, P at (300, 450)") << 220.0 << 320.0 << 250.0f << 0 << QPointF(300, 450) << "145"
                                               << "100" << 12;
    QTest::newRow("A 208, B 309, r 166, P at (80, 420)")
        << 208.0 << 309.0 << 166.0f << 0 << QPointF(80, 420) << "9"
        << "259" << 0;
    QTest::newRow("start-up, narrow angle at (814, 478)")
        << 220.0 << 320.0 << 250.0f << 0 << QPointF(814, 478) << "1"
        << "100" << 12;
    // A at 180 degrees is (175, 324.6); P dragged onto the circle at (100, 325) is A.
    QTest::newRow("P on A") << 180.0 << 320.0 << 250.0f << 1 << QPointF(100, 325) << "110"
                            << "220" << -1;
}

void TestDrawing::freeP() {
    QFETCH(double, angleA);
    QFETCH(double, angleB);
    QFETCH(float, radius);
    QFETCH(int, onCircle);
    QFETCH(QPointF, pointer);
    QFETCH(QString, inscribed);
    QFETCH(QString, central);
    QFETCH(int, mark);
    setFigure(*form, angleA, angleB, 110, radius);
    form->Check9->setValue(onCircle);
    form->Check6->setValue(1);
    form->Check7->setValue(1);
    form->Check8->setValue(1);
    dragFreePTo(*form, pointer.x(), pointer.y());
    QCOMPARE(form->Label5[1]->text(), inscribed);
    QCOMPARE(form->Label5[0]->text(), central);
    QCOMPARE(central.toInt(), centralOfFarArc(*form));
    int markPixels = 0;
    QCOMPARE(markOutsideAngle(*form, &markPixels), QString());
    if (mark < 0) {
        // P on A sees no angle: no mark at P, and the readouts stay numbers.
        QCOMPARE(markPixels, 0);
    } else {
        QVERIFY2(std::fabs(inscribed.toDouble() - trueAngleAtP(*form)) <= 1.2, qPrintable(inscribed));
        Canvas outlines;
        if (const auto at = bisectorPixel(*form, outlines))
            QCOMPARE(hex(form->gamen.pixel(at->x, at->y)), hex(colour(mark)));
        // A narrow angle fills its own thin sector or nothing, never a half disc.
        if (trueAngleAtP(*form) < 5)
            QVERIFY2(markPixels < 60, qPrintable(QString::number(markPixels)));
        else
            QVERIFY2(markPixels > 0, "no mark at P");
    }

    // ∠AOB is marked towards the arc P stands on, away from the other.
    const bool arcBA = standsOnArcBA(*form);
    const double farMiddle = ((angleA + angleB) / 2 + (arcBA ? 180 : 0)) * 3.14 / M_PI;
    const double toFar = farMiddle * M_PI / 180;
    if (std::hypot(form->oX + 20 * std::cos(toFar) - form->pX, form->oY - 20 * std::sin(toFar) - form->pY) >
        32) {
        QCOMPARE(hex(probe(*form, form->oX, form->oY, farMiddle, 20)), hex(colour(arcBA ? 8 : 9)));
        QCOMPARE(hex(probe(*form, form->oX, form->oY, farMiddle + 180, 20)), hex(kWhite));
    }

    // The band runs along the arc P stands on.
    form->Check5->setValue(1);
    QCOMPARE(form->Label5[0]->text(), central);
    QCOMPARE(bandOffFarArc(*form, bandRing(*form)), QString());
    const QRgb band = arcBA ? colour(0) : colour(12);
    QCOMPARE(hex(probe(*form, form->oX, form->oY, farMiddle, radius - 4.5)), hex(band));
    QCOMPARE(hex(probe(*form, form->oX, form->oY, farMiddle + 180, radius - 4.5)), hex(kWhite));
}

void TestDrawing::randomFreePositions() {
    std::mt19937 random(8);
    std::uniform_real_distribution<double> unit(0, 1);
    constexpr int kFigures = 40, kPositionsEach = 500;
    Canvas outlines;
    int bisectors = 0, bands = 0, emptyMarks = 0;
    double worstError = 0;
    for (int f = 0; f < kFigures; ++f) {
        const double angleA = 1 + unit(random) * 343;
        const double angleB = angleA + 15 + unit(random) * (344 - angleA);
        const float radius = static_cast<float>(76 + unit(random) * 198);
        setFigure(*form, angleA, angleB, unit(random) * 360, radius);
        form->Check9->setValue(0);
        form->Check6->setValue(1);
        form->Check7->setValue(1);
        form->Check8->setValue(1);
        const std::vector<geometry::Pixel> ring = bandRing(*form);
        for (int i = 0; i < kPositionsEach; ++i) {
            double x = 0, y = 0;
            do {
                x = unit(random) * Canvas::kWidth;
                y = unit(random) * Canvas::kHeight;
            } while (std::hypot(x - form->aX, y - form->aY) <= 3 ||
                     std::hypot(x - form->bX, y - form->bY) <= 3);
            // Every eighth position shows the arc band as well.
            const bool arc = i % 8 == 0;
            if (form->Check5->value() != arc) form->Check5->setValue(arc);
            dragFreePTo(*form, x, y);
            const QString context = QString("figure %1 (A %2 B %3 r %4), P (%5, %6)")
                                        .arg(f)
                                        .arg(angleA)
                                        .arg(angleB)
                                        .arg(radius)
                                        .arg(form->pX)
                                        .arg(form->pY);

            const double error = std::fabs(form->Label5[1]->text().toDouble() - trueAngleAtP(*form));
            worstError = std::max(worstError, error);
            QVERIFY2(error <= 1.2, qPrintable(context + ": shows " + form->Label5[1]->text()));
            QVERIFY2(form->Label5[0]->text().toInt() == centralOfFarArc(*form),
                     qPrintable(context + ": shows " + form->Label5[0]->text()));
            if (arc) {
                ++bands;
                const QString off = bandOffFarArc(*form, ring);
                QVERIFY2(off.isEmpty(), qPrintable(context + ": band at " + off));
                continue;
            }
            int markPixels = 0;
            const QString outside = markOutsideAngle(*form, &markPixels);
            QVERIFY2(outside.isEmpty(), qPrintable(context + ": mark at " + outside));
            emptyMarks += markPixels == 0;
            if (const auto at = bisectorPixel(*form, outlines)) {
                ++bisectors;
                const QRgb wanted = standsOnArcBA(*form) ? colour(0) : colour(12);
                QVERIFY2(form->gamen.pixel(at->x, at->y) == wanted,
                         qPrintable(context + QString(": angle %1, bisector pixel (%2, %3) is %4")
                                                  .arg(trueAngleAtP(*form))
                                                  .arg(at->x)
                                                  .arg(at->y)
                                                  .arg(hex(form->gamen.pixel(at->x, at->y)))));
            }
        }
    }
    qInfo("%d positions: largest readout error %.3f degrees; %d bisector pixels and %d bands checked; %d "
          "positions without a mark",
          kFigures * kPositionsEach, worstError, bisectors, bands, emptyMarks);
    QVERIFY(bisectors > kFigures * kPositionsEach / 2);
}

QTEST_MAIN(TestDrawing)
#include "tst_drawing.moc"
