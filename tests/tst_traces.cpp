// Traces of P: keeping up to five, erasing newest first, where letters and
// numbers stand, and what shows on the widget.
#include "formprobe.h"

#include <QtTest>

class TestTraces : public QObject {
    Q_OBJECT

  private slots:
    void keepAndErase_data();
    void keepAndErase();
    void sixthKeepChangesNothing();
    void traceIsACopy();
    void letterPlaces_data();
    void letterPlaces();
    void radiusChangeRemovesTraces();
    void pixels_tracesOnTheWidget();
    void clickOnTopRowPressesButton_data();
    void clickOnTopRowPressesButton();
};

namespace {

bool slotUsed(const Form1& form, int k) {
    const CanvasMarks& m = form.marks;
    return m.Line5[2 * k].x1 < 1000 && m.Line5[2 * k + 1].x2 < 1000 && m.Label3[k].left < 1000 &&
           m.Label3[k + 5].left < 1000;
}

bool slotParked(const Form1& form, int k) {
    const CanvasMarks& m = form.marks;
    return m.Line5[2 * k].x1 >= 1100 && m.Line5[2 * k].x2 >= 1100 && m.Line5[2 * k + 1].x1 >= 1100 &&
           m.Line5[2 * k + 1].x2 >= 1100 && m.Label3[k].left >= 1100 && m.Label3[k + 5].left >= 1100;
}

QString slotMap(const Form1& form) {
    QString result;
    for (int k = 0; k < 5; ++k) result += slotUsed(form, k) ? 'x' : slotParked(form, k) ? '.' : '?';
    return result;
}

} // namespace

void TestTraces::keepAndErase_data() {
    QTest::addColumn<QString>("clicks"); // k keep, e erase, p move P to the next place
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("slotMap");

    QTest::newRow("none") << "" << 0 << ".....";
    QTest::newRow("erase with none kept") << "e" << 0 << ".....";
    QTest::newRow("one") << "k" << 1 << "x....";
    QTest::newRow("five") << "kpkpkpkpk" << 5 << "xxxxx";
    QTest::newRow("six keeps") << "kpkpkpkpkpk" << 5 << "xxxxx";
    QTest::newRow("three then erase") << "kpkpke" << 2 << "xx...";
    QTest::newRow("erase newest, keep again") << "kpkpkepk" << 3 << "xxx..";
    QTest::newRow("erase all and once more") << "kpkeee" << 0 << ".....";
    QTest::newRow("twice on one place") << "kk" << 2 << "xx...";
}

void TestTraces::keepAndErase() {
    QFETCH(QString, clicks);
    Form1 form;
    double theta = 110;
    for (QChar click : clicks) {
        if (click == 'k') form.Command7[0]->click();
        if (click == 'e') form.Command7[1]->click();
        if (click == 'p') probe::dragPTo(form, theta += 12);
    }
    QTEST(static_cast<int>(form.traceCount), "count");
    QTEST(slotMap(form), "slotMap");
    // The newest trace starts at P as it stands now when the last click kept it
    // (a sixth keep keeps nothing).
    if (clicks.endsWith('k') && clicks.count('k') - clicks.count('e') <= 5) {
        const int k = form.traceCount - 1;
        QCOMPARE(form.marks.Line5[2 * k].x1, geometry::toSingle(form.pX));
        QCOMPARE(form.marks.Line5[2 * k + 1].y1, geometry::toSingle(form.pY));
        QCOMPARE(form.marks.Line5[2 * k].x2, geometry::toSingle(form.aX));
        QCOMPARE(form.marks.Line5[2 * k + 1].y2, geometry::toSingle(form.bY));
        QCOMPARE(form.marks.Label3[k + 5].caption, QString::number(k + 1));
    }
}

void TestTraces::sixthKeepChangesNothing() {
    Form1 form;
    for (int i = 0; i < 5; ++i) form.Command7_Click(0);
    const SegmentMark last = form.marks.Line5[9];
    const float letterLeft = form.marks.Label3[4].left;
    probe::dragPTo(form, 170);
    form.Command7_Click(0);
    QCOMPARE(form.traceCount, std::int16_t(5));
    QCOMPARE(form.marks.Line5[9].x1, last.x1);
    QCOMPARE(form.marks.Label3[4].left, letterLeft);
}

// Kept traces do not move with later drags of P, A or B, nor with clears.
void TestTraces::traceIsACopy() {
    Form1 form;
    form.Command7_Click(0);
    const SegmentMark toA = form.marks.Line5[0];
    const SegmentMark toB = form.marks.Line5[1];
    probe::dragPTo(form, 150);
    probe::drag(form, form.aX, form.aY, 300, 600);
    probe::drag(form, form.bX, form.bY, 700, 300);
    form.gamen_MouseDown(2, 0, 10, 10);
    form.Check5->setValue(1);
    QCOMPARE(form.marks.Line5[0].x1, toA.x1);
    QCOMPARE(form.marks.Line5[0].x2, toA.x2);
    QCOMPARE(form.marks.Line5[1].y2, toB.y2);
    QVERIFY(form.marks.Line5[0].x2 != geometry::toSingle(form.aX));
}

void TestTraces::letterPlaces_data() {
    QTest::addColumn<bool>("onCircle");
    QTest::addColumn<double>("x"); // where P is dragged
    QTest::addColumn<double>("y");

    QTest::newRow("on the circle") << true << 700.0 << 100.0;
    QTest::newRow("free P inside") << false << 500.0 << 250.0;
    QTest::newRow("free P outside the circle") << false << 800.0 << 60.0;
    QTest::newRow("free P on O") << false << 425.0 << 325.0;
}

void TestTraces::letterPlaces() {
    QFETCH(bool, onCircle);
    QFETCH(double, x);
    QFETCH(double, y);
    Form1 form;
    form.Check9->setValue(onCircle ? 1 : 0);
    probe::drag(form, form.pX, form.pY, x, y);
    form.Command7_Click(0);
    form.Command7_Click(0);
    const LetterMark& letter = form.marks.Label3[1];
    if (onCircle) {
        const geometry::Point corner = geometry::letterCorner(form.oX, form.oY, form.radius, form.angleP, 40);
        QCOMPARE(letter.left, geometry::toSingle(corner.x));
        QCOMPARE(letter.top, geometry::toSingle(corner.y));
    } else {
        QCOMPARE(form.pX, x);
        QCOMPARE(letter.left, geometry::toSingle(x - 6));
        QCOMPARE(letter.top, geometry::toSingle(y - 45));
        QCOMPARE(form.marks.Line5[2].x1, geometry::toSingle(x));
    }
    QCOMPARE(form.marks.Label3[6].left, letter.left + 16);
    QCOMPARE(form.marks.Label3[6].top, letter.top + 16);
    QCOMPARE(form.marks.Label3[0].left, letter.left); // the second over the first
}

void TestTraces::radiusChangeRemovesTraces() {
    Form1 form;
    for (int i = 0; i < 3; ++i) form.Command7_Click(0);
    probe::drag(form, 675, 575, 600, 575);
    QCOMPARE(form.traceCount, std::int16_t(0));
    QCOMPARE(slotMap(form), QStringLiteral("....."));
    form.Command7_Click(0);
    QCOMPARE(slotMap(form), QStringLiteral("x...."));
    const geometry::Point p = probe::onCircle(form, form.angleP);
    QCOMPARE(form.marks.Line5[0].x1, geometry::toSingle(p.x));
    // A refused radius movement keeps the traces.
    probe::drag(form, form.handleX, form.handleY, 800, 575);
    QCOMPARE(form.traceCount, std::int16_t(1));
}

// Green chords, the letter and its number show on the widget; erasing takes them away.
void TestTraces::pixels_tracesOnTheWidget() {
    Form1 form;
    const double pX = form.pX, pY = form.pY;
    const double midX = (pX + form.bX) / 2, midY = (pY + form.bY) / 2;
    form.Command7_Click(0);
    probe::dragPTo(form, 160);
    QImage image = probe::shown(form);
    QCOMPARE(probe::shownAt(image, midX, midY), probe::kTraceGreen);
    const LetterMark& letter = form.marks.Label3[0];
    const LetterMark& number = form.marks.Label3[5];
    QVERIFY(probe::countDark(image, letter.left, letter.top, 20, 26) > 20);
    QVERIFY(probe::countDark(image, number.left, number.top, 8, 12) > 4);

    form.Command7_Click(1);
    image = probe::shown(form);
    QVERIFY(probe::shownAt(image, midX, midY) != probe::kTraceGreen);
    QCOMPARE(probe::countDark(image, letter.left, letter.top, 20, 26), 0);
    QCOMPARE(probe::countDark(image, number.left, number.top, 8, 12), 0);
}

void TestTraces::clickOnTopRowPressesButton_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("row"); // window y of the click
    QTest::addColumn<int>("countAfter");
    // The notes above the buttons overlap their first rows (400..406 and 464..469).
    QTest::newRow("keep, top row") << 0 << 400 << 2;
    QTest::newRow("keep, under the note") << 0 << 405 << 2;
    QTest::newRow("keep, middle") << 0 << 416 << 2;
    QTest::newRow("erase, top row") << 1 << 464 << 0;
    QTest::newRow("erase, under the note") << 1 << 468 << 0;
    QTest::newRow("erase, middle") << 1 << 480 << 0;
}

// A real click on the window at any row of a trace button presses it; the notes
// are painted as before.
void TestTraces::clickOnTopRowPressesButton() {
    QFETCH(int, index);
    QFETCH(int, row);
    QFETCH(int, countAfter);
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.Command7_Click(0);
    const QImage before = form.grab().toImage();
    const QPoint at = form.clientArea->mapTo(&form, QPoint(950, row));
    QCOMPARE(form.childAt(at), form.Command7[index]);
    QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, at);
    QCOMPARE(form.traceCount, std::int16_t(countAfter));
    QVERIFY(form.Label8->isVisible() && form.Label9->isVisible());
    QCOMPARE(form.Label8->geometry(), QRect(912, 390, 81, 17));
    QCOMPARE(form.Label9->geometry(), QRect(912, 453, 81, 17));
    form.Command7_Click(index == 0 ? 1 : 0);
    QTest::mouseMove(form.windowHandle(), QPoint(5, 5));
    QCOMPARE(form.grab().toImage(), before);
}

QTEST_MAIN(TestTraces)
#include "tst_traces.moc"
