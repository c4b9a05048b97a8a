// Dragging P, A, B and the radius handle: pick boxes, pointer angles, limits,
// the radius band, and real mouse events on the canvas widget.
#include "formprobe.h"

#include <QtTest>

#include <limits>
#include <memory>

class TestDragging : public QObject {
    Q_OBJECT

  private slots:
    void cleanup();
    void pickBoxes_data();
    void pickBoxes();
    void pointerAngles_data();
    void pointerAngles();
    void aStopsBeforeB();
    void bStopsAfterA();
    void radiusBand_data();
    void radiusBand();
    void radiusChangeLaysOutAgain();
    void freePFollowsThePointer();
    void nonClearKeepsEarlierDrawing();
    void rightPressAndReleases();
    void pointerNotANumberIsIgnored();
    void pixels_realEventsDragP();
    void pixels_realEventsDragRadius();
    void pixels_drawnMarkFollowsP();

  private:
    std::unique_ptr<Form1> widgetForm_;
};

void TestDragging::cleanup() {
    // A test that stops between press and release must not leave the button held.
    if (widgetForm_) {
        QTest::mouseRelease(widgetForm_->gamenView, Qt::LeftButton, {}, QPoint(700, 620));
        widgetForm_.reset();
    }
}

void TestDragging::pickBoxes_data() {
    QTest::addColumn<double>("bShiftX"); // moves B before the press, to make boxes overlap
    QTest::addColumn<double>("bShiftY");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("target");

    QTest::newRow("P") << 0.0 << 0.0 << 340.0 << 90.0 << 1 << 1;
    QTest::newRow("radius handle") << 0.0 << 0.0 << 690.0 << 590.0 << 1 << 4;
    QTest::newRow("nothing") << 0.0 << 0.0 << 700.0 << 600.0 << 1 << 0;
    QTest::newRow("P box edge, 50 off on both axes") << 0.0 << 0.0 << 389.72 << 139.99 << 1 << 1;
    QTest::newRow("just beyond P box") << 0.0 << 0.0 << 390.0 << 90.0 << 1 << 0;
    QTest::newRow("A") << 0.0 << 0.0 << 233.0 << 485.0 << 1 << 2;
    QTest::newRow("B") << 0.0 << 0.0 << 616.0 << 486.0 << 1 << 3;
    QTest::newRow("handle box edge") << 0.0 << 0.0 << 695.0 << 555.0 << 1 << 4;
    QTest::newRow("right button picks nothing") << 0.0 << 0.0 << 340.0 << 90.0 << 2 << 0;
    QTest::newRow("middle button picks nothing") << 0.0 << 0.0 << 340.0 << 90.0 << 4 << 0;
    // B moved 60 px right of A: the press between them lies in both boxes.
    QTest::newRow("A and B overlap: B wins") << -322.88 << -0.92 << 263.0 << 485.0 << 1 << 3;
    // B moved next to the handle: the handle wins.
    QTest::newRow("B and handle overlap: handle wins") << 40.0 << 80.0 << 670.0 << 570.0 << 1 << 4;
    // B moved onto P: B wins over P.
    QTest::newRow("P and B overlap: B wins") << -276.34 << -396.25 << 340.0 << 90.0 << 1 << 3;
}

void TestDragging::pickBoxes() {
    QFETCH(double, bShiftX);
    QFETCH(double, bShiftY);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(int, button);
    Form1 form;
    form.bX += bShiftX;
    form.bY += bShiftY;
    form.dragTarget = 3; // a stale value must not survive a press
    form.gamen_MouseDown(button, 0, static_cast<float>(x), static_cast<float>(y));
    if (button == 1) QTEST(static_cast<int>(form.dragTarget), "target");
    QCOMPARE(form.lastX, static_cast<float>(x));
    QCOMPARE(form.lastY, static_cast<float>(y));
}

namespace {

// A pointer 100 px from O (425, 325) whose angle, read with 3.14 for pi, is theta.
QPointF pointerFor(double theta) {
    const double pi = 3.141592653589793;
    double radians = (theta - 360) * 3.14 / 180;
    if (theta <= 90)
        radians = theta * 3.14 / 180;
    else if (theta < 270)
        radians = pi + (theta - 180) * 3.14 / 180;
    return QPointF(425 + 100 * std::cos(radians), 325 - 100 * std::sin(radians));
}

} // namespace

void TestDragging::pointerAngles_data() {
    QTest::addColumn<int>("target");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("angle"); // the dragged point's angle afterwards

    // Start-up: P 110, A 220, B 320, O (425, 325).
    QTest::newRow("P to O") << 1 << 425.0 << 325.0 << 90.0;
    QTest::newRow("P straight below O") << 1 << 425.0 << 500.0 << 270.0;
    QTest::newRow("P straight right of O: 0 accepted") << 1 << 600.0 << 325.0 << 0.0;
    QTest::newRow("P at 45 degrees, 3.14 for pi") << 1 << 525.0 << 225.0 << 45.0 * 3.141592653589793 / 3.14;
    QTest::newRow("A straight right of O: 0 refused") << 2 << 600.0 << 325.0 << 220.0;
    QTest::newRow("A to O: 90") << 2 << 425.0 << 325.0 << 90.0;
    QTest::newRow("A straight below O: 270") << 2 << 425.0 << 600.0 << 270.0;
    const QPointF aLimit = pointerFor(305.001);
    QTest::newRow("A just past B - 15 refused") << 2 << aLimit.x() << aLimit.y() << 220.0;
    const QPointF aBelowLimit = pointerFor(304.999);
    QTest::newRow("A just below B - 15") << 2 << aBelowLimit.x() << aBelowLimit.y() << 304.999;
    QTest::newRow("B straight below O: 270") << 3 << 425.0 << 600.0 << 270.0;
    QTest::newRow("B straight right of O: 0 refused") << 3 << 600.0 << 325.0 << 320.0;
    QTest::newRow("B just above the right axis refused") << 3 << 600.0 << 324.0 << 320.0;
    QTest::newRow("B just below the right axis")
        << 3 << 600.0 << 326.0 << std::atan(-1.0 / 175) * 180 / 3.14 + 360;
    const QPointF bLimit = pointerFor(234.999);
    QTest::newRow("B just past A + 15 refused") << 3 << bLimit.x() << bLimit.y() << 320.0;
    const QPointF bAboveLimit = pointerFor(235.001);
    QTest::newRow("B just above A + 15") << 3 << bAboveLimit.x() << bAboveLimit.y() << 235.001;
}

void TestDragging::pointerAngles() {
    QFETCH(int, target);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(double, angle);
    Form1 form;
    const geometry::Point start = target == 1   ? geometry::Point{form.pX, form.pY}
                                  : target == 2 ? geometry::Point{form.aX, form.aY}
                                                : geometry::Point{form.bX, form.bY};
    form.gamen_MouseDown(1, 0, static_cast<float>(start.x), static_cast<float>(start.y));
    QCOMPARE(static_cast<int>(form.dragTarget), target);
    form.gamen_MouseMove(1, 0, static_cast<float>(x), static_cast<float>(y));
    const double result = target == 1 ? form.angleP : target == 2 ? form.angleA : form.angleB;
    QVERIFY2(std::abs(result - angle) < 1e-4, qPrintable(QString::number(result, 'f', 6)));
    // The point, its dot and its letter stand at the angle it has now.
    const geometry::Point expected = probe::onCircle(form, result);
    const double px = target == 1 ? form.pX : target == 2 ? form.aX : form.bX;
    const double py = target == 1 ? form.pY : target == 2 ? form.aY : form.bY;
    QCOMPARE(px, expected.x);
    QCOMPARE(py, expected.y);
    if (target == 2) QCOMPARE(form.marks.Shape6[0].left, geometry::toSingle(px - 5));
    if (target == 3) QCOMPARE(form.marks.Shape6[1].top, geometry::toSingle(py - 5));
    const LetterMark& letter = form.marks.Label2[target == 1 ? 0 : target - 1];
    const geometry::Point corner =
        geometry::letterCorner(form.oX, form.oY, form.radius, result, target == 1 ? 40 : 30);
    QCOMPARE(letter.left, geometry::toSingle(corner.x));
    QCOMPARE(letter.top, geometry::toSingle(corner.y));
    form.gamen_MouseUp(1, 0, static_cast<float>(x), static_cast<float>(y));
    QCOMPARE(static_cast<int>(form.dragTarget), 0);
}

// Sweeping A towards B one degree at a time leaves A at the last step below B - 15.
void TestDragging::aStopsBeforeB() {
    Form1 form;
    form.Check8->setValue(1);
    form.gamen_MouseDown(1, 0, static_cast<float>(form.aX), static_cast<float>(form.aY));
    for (int theta = 220; theta <= 359; ++theta) {
        const geometry::Point to = probe::onCircle(form, theta, 20);
        form.gamen_MouseMove(1, 0, static_cast<float>(to.x), static_cast<float>(to.y));
        QVERIFY(form.angleA < form.angleB - 15);
    }
    QVERIFY2(form.angleA > 304 && form.angleA < 305, qPrintable(QString::number(form.angleA)));
    QCOMPARE(form.marks.Line1[0].x2, geometry::toSingle(form.aX)); // radius OA followed
    form.gamen_MouseUp(1, 0, 0, 0);
}

void TestDragging::bStopsAfterA() {
    Form1 form;
    form.Check6->setValue(1);
    form.Check7->setValue(1);
    form.gamen_MouseDown(1, 0, static_cast<float>(form.bX), static_cast<float>(form.bY));
    for (int theta = 320; theta >= 0; --theta) {
        const geometry::Point to = probe::onCircle(form, theta, -20);
        form.gamen_MouseMove(1, 0, static_cast<float>(to.x), static_cast<float>(to.y));
        QVERIFY(form.angleB > form.angleA + 15 && form.angleB < 360);
    }
    QVERIFY2(form.angleB > 235 && form.angleB < 236, qPrintable(QString::number(form.angleB)));
    QCOMPARE(form.marks.Line1[4].x2, geometry::toSingle(form.bX)); // chord PB followed
}

void TestDragging::radiusBand_data() {
    QTest::addColumn<double>("reach"); // pointer x - oX
    QTest::addColumn<float>("radius");

    QTest::newRow("275 refused") << 275.0 << 250.0f;
    QTest::newRow("75 refused") << 75.0 << 250.0f;
    QTest::newRow("274 accepted") << 274.0 << 274.0f;
    QTest::newRow("76 accepted") << 76.0 << 76.0f;
    QTest::newRow("75.5 accepted") << 75.5 << 75.5f;
    QTest::newRow("left of O refused") << -150.0 << 250.0f;
    QTest::newRow("far right refused") << 5000.0 << 250.0f;
}

void TestDragging::radiusBand() {
    QFETCH(double, reach);
    QFETCH(float, radius);
    Form1 form;
    form.gamen_MouseDown(1, 0, 675, 575);
    QCOMPARE(static_cast<int>(form.dragTarget), 4);
    // The pointer's y does not count: the handle goes along the diagonal.
    form.gamen_MouseMove(1, 0, static_cast<float>(form.oX + reach), 40);
    QCOMPARE(form.radius, radius);
    QCOMPARE(form.handleX, static_cast<float>(form.oX) + radius);
    QCOMPARE(form.handleY, static_cast<float>(form.oY) + radius);
    QCOMPARE(form.marks.Shape3.left, form.handleX);
    QCOMPARE(form.marks.Shape3.top, form.handleY);
    const geometry::Point a = probe::onCircle(form, 220);
    QCOMPARE(form.aX, a.x);
    QCOMPARE(form.marks.Shape2.width, 2 * radius);
}

// Every accepted radius movement lays the figure out anew: optional parts off,
// traces gone; the auxiliary line stays shown at its new ends while its box is ticked.
void TestDragging::radiusChangeLaysOutAgain() {
    Form1 form;
    form.Check4->setValue(1);
    form.Check6->setValue(1);
    form.Check8->setValue(1);
    form.Check5->setValue(1);
    form.Command7_Click(0);
    form.Command7_Click(0);
    form.gamen_MouseDown(1, 0, 675, 575);
    form.gamen_MouseMove(1, 0, 525, 0);
    QCOMPARE(form.radius, 100.0f);
    QCOMPARE(form.Check6->value() + form.Check8->value() + form.Check5->value(), 0);
    QVERIFY(!form.marks.Shape4.visible);
    QVERIFY(!form.marks.Label2[0].visible);
    QCOMPARE(form.traceCount, std::int16_t(0));
    QCOMPARE(form.marks.Line5[0].x1, 1100.0f);
    QCOMPARE(form.Check4->value(), 1);
    QVERIFY(form.marks.Line1[2].visible);
    QCOMPARE(form.marks.Line1[2].x1, geometry::toSingle(form.pX));
    const geometry::Point c = probe::onCircle(form, form.angleP + 180);
    QCOMPARE(form.marks.Line1[2].y2, geometry::toSingle(c.y));
    // A trace kept after the change is number 1 at the new P.
    form.gamen_MouseUp(1, 0, 525, 0);
    form.Command7_Click(0);
    QCOMPARE(form.traceCount, std::int16_t(1));
    QCOMPARE(form.marks.Line5[0].x1, geometry::toSingle(form.pX));
}

void TestDragging::freePFollowsThePointer() {
    Form1 form;
    const SegmentMark auxiliary = form.marks.Line1[2];
    form.Check6->setValue(1);
    form.Check9->setValue(0);
    probe::drag(form, form.pX, form.pY, 500, 200);
    QCOMPARE(form.pX, 500.0);
    QCOMPARE(form.pY, 200.0);
    QCOMPARE(form.angleP, geometry::pointerAngle(425, 325, 500, 200));
    QCOMPARE(form.marks.Label2[0].left, 494.0f);
    QCOMPARE(form.marks.Label2[0].top, 155.0f);
    QCOMPARE(form.marks.Shape4.left, 495.0f);
    QCOMPARE(form.marks.Line1[3].x1, 500.0f);
    QCOMPARE(form.marks.Line1[4].y1, 200.0f);
    QCOMPARE(form.marks.Line1[2].x1, auxiliary.x1); // C and its line stay where they were
    QCOMPARE(form.marks.Line1[2].x2, auxiliary.x2);
    // Outside the canvas too.
    probe::drag(form, 500, 200, -300, 900);
    QCOMPARE(form.pX, -300.0);
    QCOMPARE(form.marks.Shape4.top, 895.0f);
}

// "nonClear" keeps earlier drawing while P, A or B move; otherwise each movement clears.
void TestDragging::nonClearKeepsEarlierDrawing() {
    for (int nonClear : {0, 1}) {
        for (int target : {1, 2, 3}) {
            Form1 form;
            form.Check3->setValue(nonClear);
            form.gamen.setPenWidth(3);
            form.gamen.segment(20, 600, 120, 600, palette::rgb(10));
            const double x = target == 1 ? form.pX : target == 2 ? form.aX : form.bX;
            const double y = target == 1 ? form.pY : target == 2 ? form.aY : form.bY;
            probe::drag(form, x, y, x + 3, y + 3);
            const QRgb expected = nonClear ? palette::rgb(10) : probe::kWhite;
            QVERIFY2(form.gamen.pixel(70, 600) == expected,
                     qPrintable(QStringLiteral("nonClear %1 target %2").arg(nonClear).arg(target)));
        }
    }
    // The radius drag clears whatever "nonClear" says.
    Form1 form;
    form.Check3->setValue(1);
    form.gamen.segment(20, 600, 120, 600, palette::rgb(10));
    probe::drag(form, 675, 575, 600, 575);
    QCOMPARE(form.gamen.pixel(70, 600), probe::kWhite);
}

void TestDragging::rightPressAndReleases() {
    Form1 form;
    form.gamen.setPenWidth(3);
    form.gamen.segment(20, 600, 120, 600, palette::rgb(9));
    form.gamen_MouseDown(4, 0, 70, 600); // middle: only the position is noted
    QCOMPARE(form.gamen.pixel(70, 600), palette::rgb(9));
    QCOMPARE(form.lastX, 70.0f);
    form.gamen_MouseDown(2, 0, 71, 601); // right: ink erased
    QCOMPARE(form.gamen.pixel(70, 600), probe::kWhite);
    QCOMPARE(form.lastY, 601.0f);

    // Releasing the right button during a left drag ends the drag.
    form.gamen_MouseDown(1, 0, 340, 90);
    form.gamen_MouseMove(1, 0, 200, 200);
    form.gamen_MouseUp(2, 0, 200, 200);
    const double angle = form.angleP;
    form.gamen_MouseMove(0, 0, 700, 100);
    QCOMPARE(form.angleP, angle);
    QCOMPARE(form.lastX, 700.0f);

    // A release while a tool is on ends a drag of the figure as well.
    form.gamen_MouseDown(1, 0, static_cast<float>(form.pX), static_cast<float>(form.pY));
    QCOMPARE(static_cast<int>(form.dragTarget), 1);
    form.memoMode = 1;
    form.gamen_MouseUp(1, 0, 0, 0);
    form.memoMode = 0;
    form.gamen_MouseMove(0, 0, 700, 100);
    QCOMPARE(form.angleP, angle);
}

void TestDragging::pointerNotANumberIsIgnored() {
    Form1 form;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (const QPointF at : {QPointF(form.pX, form.pY), QPointF(form.aX, form.aY), QPointF(675, 575)}) {
        form.gamen_MouseDown(1, 0, static_cast<float>(at.x()), static_cast<float>(at.y()));
        form.gamen_MouseMove(1, 0, nan, 100);
        form.gamen_MouseMove(1, 0, 100, inf);
        form.gamen_MouseMove(1, 0, -inf, nan);
        form.gamen_MouseUp(1, 0, 0, 0);
    }
    QCOMPARE(form.angleP, 110.0);
    QVERIFY(std::isfinite(form.pX) && std::isfinite(form.aY));
    QCOMPARE(form.radius, 250.0f);
}

// Press, move and release as real mouse events on the canvas widget; the marks
// on the widget follow.
void TestDragging::pixels_realEventsDragP() {
    widgetForm_ = std::make_unique<Form1>();
    Form1& form = *widgetForm_;
    form.Check6->setValue(1);
    const double oldX = form.pX, oldY = form.pY;
    QCOMPARE(probe::countShown(probe::shown(form), oldX - 1, oldY - 1, 1, probe::kRed), 9);

    QTest::mousePress(form.gamenView, Qt::LeftButton, {}, probe::widgetPoint(340, 90));
    QCOMPARE(static_cast<int>(form.dragTarget), 1);
    const geometry::Point middle = probe::onCircle(form, 160, -100);
    QTest::mouseMove(form.gamenView, probe::widgetPoint(middle.x, middle.y));
    const geometry::Point to = probe::onCircle(form, 200, -100);
    QTest::mouseMove(form.gamenView, probe::widgetPoint(to.x, to.y));
    QTest::mouseRelease(form.gamenView, Qt::LeftButton, {}, probe::widgetPoint(to.x, to.y));
    QCOMPARE(static_cast<int>(form.dragTarget), 0);

    const double angle = geometry::pointerAngle(form.oX, form.oY, std::lround(to.x), std::lround(to.y));
    QCOMPARE(form.angleP, angle);
    QCOMPARE(form.lastX, static_cast<float>(std::lround(to.x)));
    const QImage image = probe::shown(form);
    QCOMPARE(probe::countShown(image, form.pX - 1, form.pY - 1, 1, probe::kRed), 9);
    QCOMPARE(probe::countShown(image, oldX - 1, oldY - 1, 3, probe::kRed), 0);
    QVERIFY(probe::countDark(image, form.marks.Label2[0].left, form.marks.Label2[0].top, 24, 30) > 20);

    // A move without a button held afterwards drags nothing.
    QTest::mouseMove(form.gamenView, probe::widgetPoint(600, 100));
    QCOMPARE(form.angleP, angle);
}

void TestDragging::pixels_realEventsDragRadius() {
    widgetForm_ = std::make_unique<Form1>();
    Form1& form = *widgetForm_;
    QTest::mousePress(form.gamenView, Qt::LeftButton, {}, probe::widgetPoint(680, 580));
    QCOMPARE(static_cast<int>(form.dragTarget), 4);
    QTest::mouseMove(form.gamenView, probe::widgetPoint(600, 560));
    QTest::mouseMove(form.gamenView, probe::widgetPoint(575, 300)); // radius 150
    QTest::mouseRelease(form.gamenView, Qt::LeftButton, {}, probe::widgetPoint(575, 300));
    QCOMPARE(form.radius, 150.0f);
    const QImage image = probe::shown(form);
    // The circle's 4-px outline lies just inside its box: at 148 from O, not at 248.
    QCOMPARE(probe::shownAt(image, form.oX + 148, form.oY), probe::kBlack);
    QCOMPARE(probe::shownAt(image, form.oX, form.oY - 148), probe::kBlack);
    QCOMPARE(probe::countShown(image, form.oX + 248, form.oY, 2, probe::kBlack), 0);
    // The handle's blue square sits at its new corner, the dots of A and B on the new circle.
    QCOMPARE(probe::shownAt(image, 575 + 4, 475 + 4), probe::kBlue);
    QCOMPARE(probe::countShown(image, form.aX - 1, form.aY - 1, 1, probe::kBlack), 9);
}

// The inscribed-angle mark drawn into the canvas moves with P. Needs the figure drawing.
void TestDragging::pixels_drawnMarkFollowsP() {
    widgetForm_ = std::make_unique<Form1>();
    Form1& form = *widgetForm_;
    form.Check6->setValue(1);
    form.Check7->setValue(1);
    const int oldSeedX = static_cast<int>(geometry::roundHalfEven(form.pX + 20 * std::cos(280 * 3.14 / 180)));
    const int oldSeedY = static_cast<int>(geometry::roundHalfEven(form.pY - 20 * std::sin(280 * 3.14 / 180)));
    QCOMPARE(form.gamen.pixel(oldSeedX, oldSeedY), palette::rgb(12));

    // P straight below O lies on the arc from A to B: the mark turns black and opens upwards.
    QTest::mousePress(form.gamenView, Qt::LeftButton, {}, probe::widgetPoint(form.pX, form.pY));
    QTest::mouseMove(form.gamenView, probe::widgetPoint(form.oX, 620));
    QTest::mouseRelease(form.gamenView, Qt::LeftButton, {}, probe::widgetPoint(form.oX, 620));
    QCOMPARE(form.angleP, 270.0);
    QCOMPARE(form.gamen.pixel(425, 555), palette::rgb(0));
    QCOMPARE(probe::shownAt(probe::shown(form), 425, 555), probe::kBlack);
    QCOMPARE(form.gamen.pixel(oldSeedX, oldSeedY), probe::kWhite);
}

QTEST_MAIN(TestDragging)
#include "tst_dragging.moc"
