#include "app/form1.h"
#include "canvas/palette.h"
#include "canvastesting.h"

#include <QTest>

using namespace canvastesting;

namespace {
constexpr QRgb kWhite = 0xffffffff;

// Each slot's test line runs along its own row below the circle of the figure.
int rowOfSlot(int slot) {
    return 585 + 8 * slot;
}

void drawLineInCurrentSlot(Form1& form) {
    const int y = rowOfSlot(form.lineSlot);
    pull(form, 40, y, 140, y);
}

bool ticked(const Form1& form, int box) {
    return form.Check1[box]->value() == 1;
}
} // namespace

class TestStraightLines : public QObject {
    Q_OBJECT
  private slots:
    void lineTakesChosenColour_data();
    void lineTakesChosenColour();
    void lineFollowsPointerWhilePulled();
    void untickingBoxParksLine();
    void slotsFillInOrderThenToolSwitchesOff();
    void untickingWhileChosenKeepsSlot();
    void clickWithoutMovementMakesZeroLengthLine();
    void modes_data();
    void modes();
    void noDraggingWhileToolIsOn();
    void linesSurviveClearAndGoAtReset();
};

void TestStraightLines::lineTakesChosenColour_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<QRgb>("colour");
    QTest::newRow("red") << 0 << palette::rgb(12);
    QTest::newRow("green") << 1 << palette::rgb(10);
    QTest::newRow("blue") << 2 << palette::rgb(9);
    QTest::newRow("black") << 3 << palette::rgb(0);
}

void TestStraightLines::lineTakesChosenColour() {
    QFETCH(int, button);
    QFETCH(QRgb, colour);
    Form1 form;
    form.Command5_Click();
    QCOMPARE(form.lineMode, 1);
    form.Option2[button]->select();
    pull(form, 40, 600, 140, 600);

    QVERIFY(ticked(form, 0));
    const QImage shown = view(form);
    for (int x = 45; x <= 135; x += 15) QCOMPARE(canvastesting::shown(shown, x, 600), colour);
    QCOMPARE(canvastesting::shown(shown, 90, 606), kWhite);
    // A mark, not ink: the drawing underneath stays white.
    QCOMPARE(form.gamen.pixel(90, 600), kWhite);
}

void TestStraightLines::lineFollowsPointerWhilePulled() {
    Form1 form;
    form.Command5_Click();
    form.gamen_MouseDown(1, 0, 40, 600);
    QCOMPARE(form.lineDragging, 1);
    form.gamen_MouseMove(1, 0, 100, 610);
    const SegmentMark& line = form.marks.Line4[0];
    QCOMPARE(line.x1, 40.0f);
    QCOMPARE(line.x2, 100.0f);
    QCOMPARE(line.y2, 610.0f);
    form.gamen_MouseUp(1, 0, 120, 612);
    QCOMPARE(line.x2, 120.0f);
    QCOMPARE(line.y2, 612.0f);
    QCOMPARE(form.lineDragging, 0);
    // With the button up the finished line stays, and the next one is not started.
    form.gamen_MouseMove(0, 0, 300, 300);
    QCOMPARE(line.x2, 120.0f);
    QCOMPARE(form.marks.Line4[1].x1, 1000.0f);
}

void TestStraightLines::untickingBoxParksLine() {
    Form1 form;
    form.Command5_Click();
    drawLineInCurrentSlot(form);
    const int y = rowOfSlot(1);
    QCOMPARE(canvastesting::shown(view(form), 90, y), palette::rgb(12));

    form.Check1[0]->setValue(0);
    const SegmentMark& line = form.marks.Line4[0];
    QCOMPARE(line.x1, 1000.0f);
    QCOMPARE(line.x2, 1000.0f);
    QCOMPARE(line.y1, float(y));
    QVERIFY(line.visible);
    QCOMPARE(canvastesting::shown(view(form), 90, y), kWhite);
}

// Boxes 1 and 3 ticked: the tool takes slot 2, then 4, then 5, then switches off.
void TestStraightLines::slotsFillInOrderThenToolSwitchesOff() {
    Form1 form;
    form.Check1[0]->setValue(1);
    form.Check1[2]->setValue(1);
    form.Command5_Click();
    QCOMPARE(form.lineSlot, 2);
    form.Option2[2]->select();
    drawLineInCurrentSlot(form);
    QVERIFY(ticked(form, 1));
    QCOMPARE(form.lineSlot, 4);
    drawLineInCurrentSlot(form);
    QCOMPARE(form.lineSlot, 5);
    QCOMPARE(form.lineMode, 1);
    drawLineInCurrentSlot(form);

    QCOMPARE(form.lineMode, 0);
    QCOMPARE(form.lineSlot, 0);
    QVERIFY(!form.Command5->boldCaption());
    for (OptionButton* colour : form.Option2) QVERIFY(!colour->isEnabled());
    const QImage shown = view(form);
    for (int slot : {2, 4, 5}) QCOMPARE(canvastesting::shown(shown, 90, rowOfSlot(slot)), palette::rgb(9));
    // Boxes ticked by hand show no line.
    for (int slot : {1, 3}) QCOMPARE(canvastesting::shown(shown, 90, rowOfSlot(slot)), kWhite);

    form.Command5_Click();
    QCOMPARE(form.lineMode, 0);
    QVERIFY(!form.Command5->boldCaption());
    form.Check1[1]->setValue(0);
    form.Command5_Click();
    QCOMPARE(form.lineMode, 1);
    QCOMPARE(form.lineSlot, 2);
}

void TestStraightLines::untickingWhileChosenKeepsSlot() {
    Form1 form;
    form.Command5_Click();
    for (int i = 0; i < 3; ++i) drawLineInCurrentSlot(form);
    QCOMPARE(form.lineSlot, 4);
    form.Check1[1]->setValue(0);
    QCOMPARE(form.lineSlot, 4);
    drawLineInCurrentSlot(form);
    QVERIFY(ticked(form, 3));
    QCOMPARE(form.lineSlot, 2);
}

void TestStraightLines::clickWithoutMovementMakesZeroLengthLine() {
    Form1 form;
    form.Command5_Click();
    form.gamen_MouseDown(1, 0, 70, 610);
    form.gamen_MouseUp(1, 0, 70, 610);
    const SegmentMark& line = form.marks.Line4[0];
    QCOMPARE(line.x1, 70.0f);
    QCOMPARE(line.x2, 70.0f);
    QCOMPARE(line.y1, 610.0f);
    QCOMPARE(line.y2, 610.0f);
    QVERIFY(ticked(form, 0));
    QCOMPARE(form.lineSlot, 2);
    // The line of length 0 shows as a red dot of the line's width.
    const QImage shownNow = canvastesting::view(form);
    QCOMPARE(canvastesting::shown(shownNow, 70, 610), 0xffff0000u);
    QCOMPARE(canvastesting::shown(shownNow, 71, 611), 0xffff0000u);
    QCOMPARE(canvastesting::shown(shownNow, 75, 615), 0xffffffffu);
}

// Start in a mode, press "メモ" (3) or "直線" (5), and read the mode, the bold
// captions and which option buttons are enabled.
void TestStraightLines::modes_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("memo");
    QTest::addColumn<int>("line");
    QTest::newRow("figure, memo") << "figure" << 3 << 1 << 0;
    QTest::newRow("memo, memo") << "memo" << 3 << 0 << 0;
    QTest::newRow("line, memo") << "line" << 3 << 1 << 0;
    QTest::newRow("figure, line") << "figure" << 5 << 0 << 1;
    QTest::newRow("memo, line") << "memo" << 5 << 0 << 1;
    QTest::newRow("line, line") << "line" << 5 << 0 << 0;
    QTest::newRow("memo, line with all boxes ticked") << "memo full" << 5 << 1 << 0;
    QTest::newRow("figure, line with all boxes ticked") << "figure full" << 5 << 0 << 0;
}

void TestStraightLines::modes() {
    QFETCH(QString, from);
    QFETCH(int, button);
    QFETCH(int, memo);
    QFETCH(int, line);
    Form1 form;
    if (from.endsWith("full")) {
        for (CheckBox* box : form.Check1) box->setValue(1);
    }
    if (from.startsWith("memo")) form.Command3_Click();
    if (from == "line") {
        form.Command5_Click();
        drawLineInCurrentSlot(form);
    }

    if (button == 3) {
        form.Command3_Click();
    } else {
        form.Command5_Click();
    }

    QCOMPARE(form.memoMode, memo);
    QCOMPARE(form.lineMode, line);
    QVERIFY(memo == 0 || line == 0);
    QCOMPARE(form.Command3->boldCaption(), memo == 1);
    QCOMPARE(form.Command5->boldCaption(), line == 1);
    for (OptionButton* pen : form.Option1) QCOMPARE(pen->isEnabled(), memo == 1);
    for (OptionButton* colour : form.Option2) QCOMPARE(colour->isEnabled(), line == 1);
    if (line == 1) QCOMPARE(form.lineColour, 12);
    // A line drawn before stays whatever the mode.
    if (from == "line") QCOMPARE(canvastesting::shown(view(form), 90, rowOfSlot(1)), palette::rgb(12));
}

void TestStraightLines::noDraggingWhileToolIsOn() {
    for (bool memo : {true, false}) {
        Form1 form;
        if (memo) {
            form.Command3_Click();
        } else {
            form.Command5_Click();
        }
        const double angleP = form.angleP;
        form.gamen_MouseDown(1, 0, float(form.pX), float(form.pY));
        form.gamen_MouseMove(1, 0, float(form.pX) + 40, float(form.pY) + 40);
        form.gamen_MouseUp(1, 0, float(form.pX) + 40, float(form.pY) + 40);
        QCOMPARE(form.dragTarget, std::int16_t(0));
        QCOMPARE(form.angleP, angleP);
    }
}

void TestStraightLines::linesSurviveClearAndGoAtReset() {
    Form1 form;
    form.Command5_Click();
    drawLineInCurrentSlot(form);
    form.gamen_MouseDown(2, 0, 300, 300);
    form.gamen_MouseUp(2, 0, 300, 300);
    QCOMPARE(canvastesting::shown(view(form), 90, rowOfSlot(1)), palette::rgb(12));
    form.Command1_Click();
    QCOMPARE(form.marks.Line4[0].x1, 1000.0f);
    QVERIFY(!ticked(form, 0));
    QCOMPARE(form.lineMode, 0);
    QCOMPARE(canvastesting::shown(view(form), 90, rowOfSlot(1)), kWhite);
}

QTEST_MAIN(TestStraightLines)
#include "tst_straightlines.moc"
