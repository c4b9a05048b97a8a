#include "app/form1.h"

#include "canvas/palette.h"

#include <QFontInfo>
#include <QSignalSpy>
#include <QtTest>

namespace {
bool near(double a, double b) {
    return std::abs(a - b) < 0.0005;
}
} // namespace

class TestStartup : public QObject {
    Q_OBJECT
  private slots:
    void windowAndTitle();
    void figureStateAfterStartup();
    void marksAfterStartup();
    void controlsAfterStartup();
    void gridLinesCreatedHidden();
    void controlGeometry_data();
    void controlGeometry();
    void japaneseFaces();
    void resetRestoresInitialState();
    void quitRequestsTheEnd();
};

void TestStartup::windowAndTitle() {
    Form1 form;
    QCOMPARE(form.windowTitle(), QStringLiteral("円周角の定理　　 by Pelmora"));
    QCOMPARE(form.clientArea->size(), QSize(1014, 700));
    QCOMPARE(form.palette().color(QPalette::Window), QColor(192, 255, 192));
    QCOMPARE(form.gamenView->geometry(), QRect(16, 56, 878, 630));
}

void TestStartup::figureStateAfterStartup() {
    Form1 form;
    QCOMPARE(form.oX, 425);
    QCOMPARE(form.oY, 325);
    QCOMPARE(form.radius, 250.0f);
    QCOMPARE(form.angleA, 220.0);
    QCOMPARE(form.angleB, 320.0);
    QCOMPARE(form.angleP, 110.0);
    QVERIFY(near(form.aX, 233.176) && near(form.aY, 485.324));
    QVERIFY(near(form.bX, 616.055) && near(form.bY, 486.238));
    QVERIFY(near(form.pX, 339.724) && near(form.pY, 89.994));
    QCOMPARE(form.handleX, 675.0f);
    QCOMPARE(form.handleY, 575.0f);
    QCOMPARE(form.penColour, 12);
    QCOMPARE(form.lineColour, 12);
    QCOMPARE(form.memoMode, 0);
    QCOMPARE(form.lineMode, 0);
    QCOMPARE(form.lineSlot, 0);
    QCOMPARE(int(form.dragTarget), 0);
    QCOMPARE(form.gridShown, 0);
    QCOMPARE(int(form.traceCount), 0);
    QCOMPARE(form.gamen.penColour(), palette::rgb(15));
    QCOMPARE(form.gamen.textSize(), 20);
    // Start-up sets the pen 3 wide; the drawing that ends the reset leaves it at 1.
    QCOMPARE(form.gamen.penWidth(), 1);
    QCOMPARE(form.gamen.fillStyle(), Canvas::FillStyle::Transparent);
}

void TestStartup::marksAfterStartup() {
    Form1 form;
    const CanvasMarks& m = form.marks;
    QCOMPARE(m.Shape5.left, 420.0f);
    QCOMPARE(m.Shape5.top, 320.0f);
    QCOMPARE(m.Shape2.left, 175.0f);
    QCOMPARE(m.Shape2.top, 75.0f);
    QCOMPARE(m.Shape2.width, 500.0f);
    QCOMPARE(m.Shape2.height, 500.0f);
    QCOMPARE(m.Shape3.left, 675.0f);
    QCOMPARE(m.Shape3.top, 575.0f);
    QVERIFY(near(m.Label2[1].left, 198.158) && near(m.Label2[1].top, 489.563));
    QVERIFY(near(m.Label2[2].left, 626.982) && near(m.Label2[2].top, 490.587));
    QVERIFY(near(m.Label2[4].left, 508.090) && near(m.Label2[4].top, 573.359));
    QCOMPARE(m.Label2[3].left, 372.0f);
    QCOMPARE(m.Label2[3].top, 305.0f);
    QVERIFY(!m.Shape4.visible);
    QVERIFY(!m.Label2[0].visible);
    QVERIFY(!m.Label2[4].visible);
    QVERIFY(m.Shape5.visible && m.Shape6[0].visible && m.Shape6[1].visible);
    for (const SegmentMark& line : m.Line1) QVERIFY(!line.visible);
    for (const SegmentMark& line : m.Line4) QVERIFY(line.x1 == 1000 && line.x2 == 1000);
    for (const SegmentMark& line : m.Line5) QVERIFY(line.x1 == 1100 && line.x2 == 1100);
    for (const LetterMark& letter : m.Label3) QCOMPARE(letter.left, 1200.0f);
    QVERIFY(!m.Shape1.visible);
    // The auxiliary diameter runs from P through O to C.
    QVERIFY(near(m.Line1[2].x2, 509.902) && near(m.Line1[2].y2, 560.142));
}

void TestStartup::controlsAfterStartup() {
    Form1 form;
    QCOMPARE(form.Check9->value(), 1);
    for (CheckBox* box : {form.Check3, form.Check4, form.Check5, form.Check6, form.Check7, form.Check8,
                          form.Check2[0], form.Check2[1]})
        QCOMPARE(box->value(), 0);
    QVERIFY(!form.Check7->isEnabled());
    QVERIFY(!form.Check2[0]->isEnabled());
    QVERIFY(!form.Check2[1]->isEnabled());
    QVERIFY(form.Check6->isEnabled() && form.Check8->isEnabled());
    for (int i = 0; i < 2; ++i) {
        QVERIFY(form.Label5[i]->isHidden());
        QVERIFY(form.Label6[i]->isHidden());
    }
    QVERIFY(form.Option1[0]->isChecked());
    QVERIFY(form.Option2[0]->isChecked());
    for (OptionButton* option : form.Option1) QVERIFY(!option->isEnabled());
    for (OptionButton* option : form.Option2) QVERIFY(!option->isEnabled());
    for (PushButton* button : {form.Command3, form.Command4, form.Command5}) QVERIFY(!button->boldCaption());
}

void TestStartup::gridLinesCreatedHidden() {
    Form1 form;
    QCOMPARE(form.marks.Line2.size(), size_t(26));
    QCOMPARE(form.marks.Line3.size(), size_t(35));
    for (const SegmentMark& line : form.marks.Line2) QVERIFY(!line.visible);
    for (const SegmentMark& line : form.marks.Line3) QVERIFY(!line.visible);
    QCOMPARE(form.marks.Line2[25].y1, 625.0f);
    QCOMPARE(form.marks.Line2[25].x2, 875.0f);
    QCOMPARE(form.marks.Line3[34].x1, 850.0f);
    QCOMPARE(form.marks.Line3[34].y2, 625.0f);
    QCOMPARE(form.marks.Line3[7].colour, QColor(192, 192, 192));
}

void TestStartup::controlGeometry_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("初期画面") << QStringLiteral("初期画面") << QRect(152, 8, 81, 33);
    QTest::newRow("印刷") << QStringLiteral("印刷") << QRect(256, 16, 57, 25);
    QTest::newRow("直線") << QStringLiteral("直線") << QRect(344, 8, 57, 33);
    QTest::newRow("メモ") << QStringLiteral("メモ") << QRect(584, 8, 57, 33);
    QTest::newRow("方眼") << QStringLiteral("方眼") << QRect(928, 8, 65, 33);
    QTest::newRow("跡を残す") << QStringLiteral("跡を残す") << QRect(912, 400, 81, 33);
    QTest::newRow("跡を消す") << QStringLiteral("跡を消す") << QRect(912, 464, 81, 33);
    QTest::newRow("終了") << QStringLiteral("終了") << QRect(912, 656, 81, 33);
    QTest::newRow("点Ｐ") << QStringLiteral("点Ｐ") << QRect(912, 64, 89, 17);
    QTest::newRow("∠ＡＰＢ") << QStringLiteral("∠ＡＰＢ") << QRect(912, 96, 89, 17);
    QTest::newRow("円周角 box") << QStringLiteral("円周角") << QRect(912, 128, 73, 25);
    QTest::newRow("∠ＡＯＢ") << QStringLiteral("∠ＡＯＢ") << QRect(912, 208, 89, 25);
    QTest::newRow("中心角") << QStringLiteral("中心角") << QRect(912, 248, 73, 25);
    QTest::newRow("弧ＡＢ") << QStringLiteral("弧ＡＢ") << QRect(912, 328, 81, 20);
    QTest::newRow("補助線") << QStringLiteral("補助線") << QRect(912, 528, 89, 25);
    QTest::newRow("円周上") << QStringLiteral("円周上") << QRect(912, 568, 89, 33);
    QTest::newRow("nonClear") << QStringLiteral("nonClear") << QRect(920, 616, 73, 25);
    QTest::newRow("thin eraser") << QStringLiteral("消しゴム@24") << QRect(800, 24, 81, 17);
    QTest::newRow("thick eraser") << QStringLiteral("消しゴム@8") << QRect(800, 8, 81, 17);
    QTest::newRow("line colour 黒") << QStringLiteral("黒") << QRect(528, 8, 33, 17);
    QTest::newRow("line box 5") << QStringLiteral("5") << QRect(536, 24, 25, 17);
}

void TestStartup::controlGeometry() {
    QFETCH(QString, caption);
    QFETCH(QRect, geometry);
    Form1 form;
    QString text = caption;
    int top = -1;
    if (caption.contains('@')) {
        text = caption.section('@', 0, 0);
        top = caption.section('@', 1).toInt();
    }
    const auto buttons = form.findChildren<QAbstractButton*>();
    QAbstractButton* found = nullptr;
    for (QAbstractButton* button : buttons) {
        if (button->text() == text && (top < 0 || button->y() == top)) found = button;
    }
    QVERIFY2(found, qPrintable(caption));
    QCOMPARE(found->geometry(), geometry);
}

void TestStartup::japaneseFaces() {
    Form1 form;
    QCOMPARE(QFontInfo(form.Command1->font()).family(), QStringLiteral("IPAPGothic"));
    QCOMPARE(QFontInfo(form.marks.Label2[1].font).family(), QStringLiteral("IPAPMincho"));
    QVERIFY(form.Check6->font().bold());
    QVERIFY(form.marks.Label2[1].font.bold());
}

void TestStartup::resetRestoresInitialState() {
    Form1 form;
    form.radius = 180;
    form.handleX = 605;
    form.handleY = 505;
    form.angleA = 10;
    form.angleB = 100;
    form.angleP = 200;
    form.memoMode = 1;
    form.lineMode = 1;
    form.lineSlot = 3;
    form.gridShown = 1;
    form.traceCount = 4;
    form.dragTarget = 2;
    form.Command3->setBoldCaption(true);
    form.Command4->setBoldCaption(true);
    for (SegmentMark& line : form.marks.Line2) line.visible = true;
    form.marks.Line4[1].x1 = form.marks.Line4[1].x2 = 40;
    form.marks.Line5[3].x1 = 50;
    form.Check9->setValue(0);
    form.Check1[2]->setValue(1);
    form.gamen.segment(10, 10, 200, 200, 0xff00ff00);

    form.Command1->click();

    QCOMPARE(form.radius, 250.0f);
    QCOMPARE(form.handleX, 675.0f);
    QCOMPARE(form.handleY, 575.0f);
    QCOMPARE(form.angleA, 220.0);
    QCOMPARE(form.angleB, 320.0);
    QCOMPARE(form.angleP, 110.0);
    QVERIFY(near(form.pX, 339.724) && near(form.pY, 89.994));
    QCOMPARE(form.memoMode + form.lineMode + form.lineSlot + form.gridShown, 0);
    QCOMPARE(int(form.traceCount), 0);
    QCOMPARE(int(form.dragTarget), 0);
    QVERIFY(!form.Command3->boldCaption() && !form.Command4->boldCaption());
    for (const SegmentMark& line : form.marks.Line2) QVERIFY(!line.visible);
    QCOMPARE(form.marks.Line4[1].x1, 1000.0f);
    QCOMPARE(form.marks.Line5[3].x1, 1100.0f);
    QCOMPARE(form.Check9->value(), 1);
    QCOMPARE(form.Check1[2]->value(), 0);
    QCOMPARE(form.marks.Shape3.left, 675.0f);
    // The clear erased the drawing.
    QCOMPARE(form.gamen.pixel(100, 100), 0xffffffffu);
    QCOMPARE(form.penColour, 12);
    QCOMPARE(form.lineColour, 12);
}

void TestStartup::quitRequestsTheEnd() {
    Form1 form;
    QSignalSpy spy(&form, &Form1::quitRequested);
    form.Command2->click();
    QCOMPARE(spy.count(), 1);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
