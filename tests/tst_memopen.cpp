#include "app/form1.h"
#include "canvas/palette.h"
#include "canvastesting.h"

#include <QTest>

using namespace canvastesting;

namespace {
constexpr QRgb kWhite = 0xffffffff;
constexpr QRgb kBlack = 0xff000000;
// Below the circle of the figure, where the drawing of the figure never reaches.
constexpr int kStrokeY = 600;
} // namespace

class TestMemoPen : public QObject {
    Q_OBJECT
  private slots:
    void penRowsDrawTheirColourAndWidth_data();
    void penRowsDrawTheirColourAndWidth();
    void clickWithoutMovementLeavesDot_data();
    void clickWithoutMovementLeavesDot();
    void clickDotIsRoundAndPenWide_data();
    void clickDotIsRoundAndPenWide();
    void movementWithButtonUpDrawsNothing();
    void inkIsErasedByClears_data();
    void inkIsErasedByClears();
    void switchingOnAppliesThinRed_data();
    void switchingOnAppliesThinRed();
    void switchingOffDisablesPensAndHidesRing();
    void eraserRingFollowsPointer();
    void realPointerEventsWriteInk();
};

void TestMemoPen::penRowsDrawTheirColourAndWidth_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<QRgb>("ink");
    QTest::addColumn<int>("width");
    QTest::newRow("thin red") << 0 << palette::rgb(12) << 3;
    QTest::newRow("thin green") << 1 << palette::rgb(10) << 3;
    QTest::newRow("thin blue") << 2 << palette::rgb(9) << 3;
    QTest::newRow("thin eraser") << 3 << kWhite << 15;
    QTest::newRow("thick red") << 4 << palette::rgb(12) << 6;
    QTest::newRow("thick green") << 5 << palette::rgb(10) << 6;
    QTest::newRow("thick blue") << 6 << palette::rgb(9) << 6;
    QTest::newRow("thick eraser") << 7 << kWhite << 20;
}

// A horizontal stroke over a black patch: the column through its middle shows a
// run of ink as thick as the pen, with the patch untouched just beyond it.
void TestMemoPen::penRowsDrawTheirColourAndWidth() {
    QFETCH(int, button);
    QFETCH(QRgb, ink);
    QFETCH(int, width);
    Form1 form;
    form.Command3_Click();
    form.gamen.setPenWidth(1);
    form.gamen.setFillStyle(Canvas::FillStyle::Solid);
    form.gamen.setFillColour(kBlack);
    form.gamen.circle(90, kStrokeY, 40, kBlack);
    form.gamen.setFillStyle(Canvas::FillStyle::Transparent);
    form.Option1[button]->select();

    pull(form, 60, kStrokeY, 120, kStrokeY);

    QCOMPARE(form.gamen.pixel(90, kStrokeY), ink);
    QCOMPARE(runDown(form.gamen, 90, kStrokeY, ink), width);
    QCOMPARE(form.gamen.pixel(90, kStrokeY - width / 2 - 3), kBlack);
    QCOMPARE(form.gamen.pixel(90, kStrokeY + width / 2 + 3), kBlack);
    QCOMPARE(form.penDown, 0);
}

void TestMemoPen::clickWithoutMovementLeavesDot_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("width");
    QTest::newRow("thin red") << 0 << 3;
    QTest::newRow("thick blue") << 6 << 6;
}

void TestMemoPen::clickWithoutMovementLeavesDot() {
    QFETCH(int, button);
    QFETCH(int, width);
    Form1 form;
    form.Command3_Click();
    form.Option1[button]->select();
    const QRgb ink = palette::rgb(form.penColour);

    form.gamen_MouseDown(1, 0, 60, kStrokeY);
    QCOMPARE(form.penDown, 1);
    form.gamen_MouseUp(1, 0, 60, kStrokeY);
    QCOMPARE(form.penDown, 0);

    QCOMPARE(form.gamen.pixel(60, kStrokeY), ink);
    QVERIFY(std::abs(runDown(form.gamen, 60, kStrokeY, ink) - width) <= 1);
    QCOMPARE(form.gamen.pixel(60 + width, kStrokeY), kWhite);
}

void TestMemoPen::clickDotIsRoundAndPenWide_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("width");
    for (int button = 0; button < 8; ++button) {
        const int width = button == 3 ? 15 : button == 7 ? 20 : button < 4 ? 3 : 6;
        QTest::addRow("pen %d, %d wide", button, width) << button << width;
    }
}

// A click without movement over a black patch: the dot is as wide and as high as the
// pen, covers the same rows as a stroke through the same point, is symmetric in both
// axes, and from 6 pixels on its bounding box has empty corners: a disc, not a square.
void TestMemoPen::clickDotIsRoundAndPenWide() {
    QFETCH(int, button);
    QFETCH(int, width);
    constexpr int kX = 90;
    Form1 form;
    form.Command3_Click();
    form.gamen.setPenWidth(1);
    form.gamen.setFillStyle(Canvas::FillStyle::Solid);
    form.gamen.setFillColour(kBlack);
    form.gamen.circle(kX, kStrokeY, 24, kBlack);
    form.gamen.setFillStyle(Canvas::FillStyle::Transparent);
    form.Option1[button]->select();
    const QRgb ink = button == 3 || button == 7 ? kWhite : palette::rgb(form.penColour);

    form.gamen_MouseDown(1, 0, kX, kStrokeY);
    form.gamen_MouseUp(1, 0, kX, kStrokeY);

    QRect box;
    for (int y = kStrokeY - 15; y <= kStrokeY + 15; ++y)
        for (int x = kX - 15; x <= kX + 15; ++x)
            if (form.gamen.pixel(x, y) == ink) box |= QRect(x, y, 1, 1);
    QCOMPARE(box.width(), width);
    QCOMPARE(box.height(), width);
    QCOMPARE(box.top(), kStrokeY - width / 2);
    QCOMPARE(box.left(), kX - width / 2);
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x) {
            const bool here = form.gamen.pixel(x, y) == ink;
            QCOMPARE(form.gamen.pixel(box.left() + box.right() - x, y) == ink, here);
            QCOMPARE(form.gamen.pixel(x, box.top() + box.bottom() - y) == ink, here);
            QCOMPARE(form.gamen.pixel(box.left() + (y - box.top()), box.top() + (x - box.left())) == ink,
                     here);
        }
    if (width >= 6) {
        QVERIFY(form.gamen.pixel(box.left(), box.top()) != ink);
        QVERIFY(form.gamen.pixel(box.right(), box.bottom()) != ink);
    }
    // The same rows as a stroke through the point.
    form.gamen_MouseDown(1, 0, kX + 30, kStrokeY);
    form.gamen_MouseMove(1, 0, kX + 60, kStrokeY);
    form.gamen_MouseUp(1, 0, kX + 60, kStrokeY);
    if (ink != kWhite) QCOMPARE(runDown(form.gamen, kX + 45, kStrokeY, ink), width);
    QCOMPARE(form.gamen.pixel(kX + 45, box.top()), ink);
    QCOMPARE(form.gamen.pixel(kX + 45, box.bottom()), ink);
}

void TestMemoPen::movementWithButtonUpDrawsNothing() {
    Form1 form;
    form.Command3_Click();
    form.Option1[4]->select();
    form.gamen_MouseMove(0, 0, 40, kStrokeY);
    form.gamen_MouseMove(0, 0, 140, kStrokeY);
    // After a finished stroke, too.
    pull(form, 40, 610, 41, 610);
    form.gamen_MouseMove(0, 0, 140, 580);
    for (int x = 40; x <= 140; x += 5) {
        QCOMPARE(form.gamen.pixel(x, kStrokeY), kWhite);
    }
    QCOMPARE(form.gamen.pixel(100, 590), kWhite);
}

void TestMemoPen::inkIsErasedByClears_data() {
    QTest::addColumn<bool>("byReset");
    QTest::newRow("right press") << false;
    QTest::newRow("reset") << true;
}

void TestMemoPen::inkIsErasedByClears() {
    QFETCH(bool, byReset);
    Form1 form;
    form.Command3_Click();
    pull(form, 40, kStrokeY, 140, kStrokeY);
    QCOMPARE(form.gamen.pixel(90, kStrokeY), palette::rgb(12));
    if (byReset) {
        form.Command1_Click();
        QCOMPARE(form.memoMode, 0);
    } else {
        form.gamen_MouseDown(2, 0, 300, 300);
        form.gamen_MouseUp(2, 0, 300, 300);
        QCOMPARE(form.memoMode, 1);
    }
    QCOMPARE(form.gamen.pixel(90, kStrokeY), kWhite);
    QCOMPARE(form.gamen.pixel(40, kStrokeY), kWhite);
}

void TestMemoPen::switchingOnAppliesThinRed_data() {
    QTest::addColumn<int>("previousButton");
    QTest::newRow("after thick green") << 5;
    QTest::newRow("after thick eraser") << 7;
    // The thin red button is selected already, but the pen width was lost to a redraw.
    QTest::newRow("thin red still selected") << 0;
}

void TestMemoPen::switchingOnAppliesThinRed() {
    QFETCH(int, previousButton);
    Form1 form;
    form.Command3_Click();
    form.Option1[previousButton]->select();
    form.Command3_Click();
    QCOMPARE(form.memoMode, 0);
    form.gamen.setPenWidth(1);

    form.Command3_Click();
    QCOMPARE(form.memoMode, 1);
    QCOMPARE(form.penColour, 12);
    QVERIFY(form.Option1[0]->isChecked());
    QVERIFY(!form.marks.Shape1.visible);
    QVERIFY(form.Command3->boldCaption());
    pull(form, 40, kStrokeY, 140, kStrokeY);
    QCOMPARE(runDown(form.gamen, 90, kStrokeY, palette::rgb(12)), 3);
}

void TestMemoPen::switchingOffDisablesPensAndHidesRing() {
    Form1 form;
    for (OptionButton* pen : form.Option1) QVERIFY(!pen->isEnabled());
    form.Command3_Click();
    for (OptionButton* pen : form.Option1) QVERIFY(pen->isEnabled());
    form.Option1[3]->select();
    QVERIFY(form.marks.Shape1.visible);
    form.Command3_Click();
    QVERIFY(!form.marks.Shape1.visible);
    QVERIFY(!form.Command3->boldCaption());
    for (OptionButton* pen : form.Option1) QVERIFY(!pen->isEnabled());
    // Figure mode again: a press writes nothing.
    pull(form, 40, kStrokeY, 140, kStrokeY);
    QCOMPARE(form.gamen.pixel(90, kStrokeY), kWhite);
}

// The ring shows as a 15-pixel circle around the pointer; it moves even while hidden.
void TestMemoPen::eraserRingFollowsPointer() {
    Form1 form;
    form.gamen_MouseMove(0, 0, 200, 590);
    QCOMPARE(form.marks.Shape1.left + form.marks.Shape1.width / 2, 200.0f);
    QCOMPARE(form.marks.Shape1.top + form.marks.Shape1.height / 2, 590.0f);

    form.Command3_Click();
    form.Option1[7]->select();
    QVERIFY(form.marks.Shape1.visible);
    QCOMPARE(form.marks.Shape1.width, 15.0f);
    QCOMPARE(form.marks.Shape1.height, 41.0f);
    form.gamen_MouseMove(0, 0, 100, 600);
    QCOMPARE(form.marks.Shape1.left, 92.5f);
    QCOMPARE(form.marks.Shape1.top, 579.5f);

    const QImage shown = view(form);
    auto darkNear = [&](int x, int y) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (qGray(canvastesting::shown(shown, x + dx, y)) < 160) return true;
        }
        return false;
    };
    QVERIFY(darkNear(93, 600));
    QVERIFY(darkNear(107, 600));
    QCOMPARE(canvastesting::shown(shown, 100, 600), kWhite);
    QCOMPARE(canvastesting::shown(shown, 100, 584), kWhite); // 41 high, but round
    QCOMPARE(canvastesting::shown(shown, 112, 600), kWhite);
}

void TestMemoPen::realPointerEventsWriteInk() {
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::mouseClick(form.Command3, Qt::LeftButton);
    QCOMPARE(form.memoMode, 1);
    const QPoint offset(CanvasWidget::kDrawingOffset, CanvasWidget::kDrawingOffset);
    QTest::mousePress(form.gamenView, Qt::LeftButton, {}, QPoint(40, kStrokeY) + offset);
    QTest::mouseMove(form.gamenView, QPoint(90, kStrokeY) + offset);
    QTest::mouseMove(form.gamenView, QPoint(140, kStrokeY) + offset);
    QTest::mouseRelease(form.gamenView, Qt::LeftButton, {}, QPoint(140, kStrokeY) + offset);
    QCOMPARE(form.penDown, 0);
    for (int x = 40; x <= 140; x += 10) QCOMPARE(form.gamen.pixel(x, kStrokeY), palette::rgb(12));
    QCOMPARE(canvastesting::shown(view(form), 115, kStrokeY), palette::rgb(12));
}

QTEST_MAIN(TestMemoPen)
#include "tst_memopen.moc"
