#include "app/form1.h"
#include "canvas/palette.h"
#include "canvastesting.h"

#include <QTest>

using namespace canvastesting;

namespace {
constexpr QRgb kWhite = 0xffffffff;
constexpr QRgb kGridGrey = 0xffc0c0c0;
// A column and a row that the figure's circle and drawing never reach.
constexpr int kClearColumn = 12;
constexpr int kClearRow = 612;

int visibleGridLines(const Form1& form) {
    int count = 0;
    for (const SegmentMark& line : form.marks.Line2) count += line.visible ? 1 : 0;
    for (const SegmentMark& line : form.marks.Line3) count += line.visible ? 1 : 0;
    return count;
}
} // namespace

class TestGrid : public QObject {
    Q_OBJECT
  private slots:
    void buttonShowsAndHides();
    void linesStandEvery25Pixels_data();
    void linesStandEvery25Pixels();
    void nothingBeyondTheLastLines();
    void gridLiesAboveDrawingBelowMarks();
    void gridSurvivesClearButNotReset();
};

void TestGrid::buttonShowsAndHides() {
    Form1 form;
    QCOMPARE(form.marks.Line2.size(), size_t(26));
    QCOMPARE(form.marks.Line3.size(), size_t(35));
    QCOMPARE(visibleGridLines(form), 0);

    QTest::mouseClick(form.Command4, Qt::LeftButton);
    QCOMPARE(visibleGridLines(form), 61);
    QCOMPARE(form.gridShown, 1);
    QVERIFY(form.Command4->boldCaption());
    QCOMPARE(shown(view(form), 25, kClearRow), kGridGrey);

    QTest::mouseClick(form.Command4, Qt::LeftButton);
    QCOMPARE(visibleGridLines(form), 0);
    QCOMPARE(form.gridShown, 0);
    QVERIFY(!form.Command4->boldCaption());
    QCOMPARE(shown(view(form), 25, kClearRow), kWhite);
}

void TestGrid::linesStandEvery25Pixels_data() {
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<int>("at");
    for (int x : {0, 25, 100, 425, 825, 850}) {
        QTest::addRow("x = %d", x) << true << x;
    }
    for (int y : {0, 25, 300, 600, 625}) {
        QTest::addRow("y = %d", y) << false << y;
    }
}

// On the line grey, one pixel to either side white.
void TestGrid::linesStandEvery25Pixels() {
    QFETCH(bool, vertical);
    QFETCH(int, at);
    Form1 form;
    form.Command4_Click();
    const QImage image = view(form);
    auto pixel = [&](int along) {
        return vertical ? shown(image, along, kClearRow) : shown(image, kClearColumn, along);
    };
    QCOMPARE(pixel(at), kGridGrey);
    if (at > 0) QCOMPARE(pixel(at - 1), kWhite);
    if (at < (vertical ? 850 : 625)) QCOMPARE(pixel(at + 1), kWhite);
}

// No vertical line stands on the right edge of the drawing area (x = 875).
void TestGrid::nothingBeyondTheLastLines() {
    Form1 form;
    form.Command4_Click();
    for (const SegmentMark& line : form.marks.Line3) QVERIFY(line.x1 <= 850 && line.x1 == line.x2);
    const QImage image = view(form);
    for (int x = 851; x < Canvas::kWidth - 1; ++x) QCOMPARE(shown(image, x, kClearRow), kWhite);
    QCOMPARE(form.marks.Line2.back().y1, 625.0f);
    QCOMPARE(form.marks.Line2.back().x2, 875.0f);
}

// Ink on a grid line is covered by the grid; a straight line crossing it covers the grid.
void TestGrid::gridLiesAboveDrawingBelowMarks() {
    Form1 form;
    form.Command4_Click();
    form.Command3_Click();
    form.Option1[4]->select();
    pull(form, 40, kClearRow, 140, kClearRow);
    form.Command5_Click();
    form.Option2[3]->select();
    pull(form, 200, 590, 200, 620);

    const QImage image = view(form);
    QCOMPARE(shown(image, 50, kClearRow), kGridGrey);
    QCOMPARE(shown(image, 60, kClearRow), palette::rgb(12));
    QCOMPARE(shown(image, 200, 600), palette::rgb(0));
    QCOMPARE(shown(image, 210, 600), kGridGrey);
}

void TestGrid::gridSurvivesClearButNotReset() {
    Form1 form;
    form.Command4_Click();
    form.gamen_MouseDown(2, 0, 300, 300);
    form.gamen_MouseUp(2, 0, 300, 300);
    QCOMPARE(shown(view(form), 850, kClearRow), kGridGrey);

    form.Command1_Click();
    QCOMPARE(form.gridShown, 0);
    QVERIFY(!form.Command4->boldCaption());
    QCOMPARE(shown(view(form), 850, kClearRow), kWhite);

    form.Command4_Click();
    QCOMPARE(form.gridShown, 1);
    QCOMPARE(shown(view(form), 850, kClearRow), kGridGrey);
}

QTEST_MAIN(TestGrid)
#include "tst_grid.moc"
