// The two readouts: ∠AOB on the subtended arc and ∠APB, by the theorem or measured.
#include "app/form1.h"
#include "figure/geometry.h"

#include <QRegularExpression>
#include <QtTest>

namespace {

void setFigure(Form1& form, double angleA, double angleB, double angleP) {
    form.angleA = angleA;
    form.angleB = angleB;
    form.angleP = angleP;
    form.LayoutFigure();
}

// Moves P on the circle as a drag does: new position, readouts, drawing.
void moveP(Form1& form, double angleP) {
    form.angleP = angleP;
    const geometry::Point p = geometry::pointOnCircle(form.oX, form.oY, form.radius, angleP);
    form.pX = p.x;
    form.pY = p.y;
    form.gamen.clear();
    form.UpdateReadouts();
    form.DrawFigure();
}

} // namespace

class TestReadouts : public QObject {
    Q_OBJECT
  private slots:
    void init() { form = std::make_unique<Form1>(); }
    void startUp();
    void readouts_data();
    void readouts();
    void measuredBelongsToCurrentP();
    void drawingWithArcWritesReadoutsOfItsCase();
    void onCircleBoxSwitchesTheReadout();
    void readoutKeepsItsRightEdge();

  private:
    std::unique_ptr<Form1> form;
};

void TestReadouts::startUp() {
    QCOMPARE(form->Label5[0]->text(), QStringLiteral("100"));
    QCOMPARE(form->Label5[1]->text(), QStringLiteral("50"));
}

void TestReadouts::readouts_data() {
    QTest::addColumn<double>("angleA");
    QTest::addColumn<double>("angleB");
    QTest::addColumn<double>("angleP");
    QTest::addColumn<int>("onCircle");
    QTest::addColumn<int>("arc");
    QTest::addColumn<QString>("central");
    QTest::addColumn<QString>("inscribed");
    QTest::newRow("start-up, theorem") << 220.0 << 320.0 << 110.0 << 1 << 0 << "100"
                                       << "50";
    QTest::newRow("start-up, measured") << 220.0 << 320.0 << 110.0 << 0 << 0 << "100"
                                        << "50";
    QTest::newRow("odd central angle") << 219.7 << 320.2 << 110.0 << 1 << 0 << "101"
                                       << "50.5";
    QTest::newRow("odd central angle, arc") << 219.7 << 320.2 << 110.0 << 1 << 1 << "101"
                                            << "50.5";
    QTest::newRow("other arc, theorem") << 220.0 << 320.0 << 270.0 << 1 << 0 << "260"
                                        << "130";
    QTest::newRow("other arc, measured") << 220.0 << 320.0 << 270.0 << 0 << 0 << "260"
                                         << "130";
    QTest::newRow("other arc, arc shown") << 220.0 << 320.0 << 270.0 << 0 << 1 << "260"
                                          << "130";
    QTest::newRow("other arc, odd") << 219.7 << 320.2 << 270.0 << 1 << 1 << "259"
                                    << "129.5";
    QTest::newRow("Case 2 holding 0") << 30.0 << 330.0 << 180.0 << 0 << 0 << "60"
                                      << "30";
    QTest::newRow("Case 2 holding 0, arc") << 30.0 << 330.0 << 180.0 << 0 << 1 << "60"
                                           << "30";
    QTest::newRow("Case 1 holding 0") << 300.0 << 350.0 << 200.0 << 0 << 0 << "50"
                                      << "25";
    QTest::newRow("Case 1 holding 0, arc") << 300.0 << 350.0 << 200.0 << 0 << 1 << "50"
                                           << "25";
    QTest::newRow("P on A") << 220.0 << 320.0 << 220.0 << 1 << 0 << "260"
                            << "130";
}

void TestReadouts::readouts() {
    QFETCH(double, angleA);
    QFETCH(double, angleB);
    QFETCH(double, angleP);
    QFETCH(int, onCircle);
    QFETCH(int, arc);
    QFETCH(QString, central);
    QFETCH(QString, inscribed);
    setFigure(*form, angleA, angleB, angleP);
    form->Check9->setValue(onCircle);
    form->Check6->setValue(1);
    form->Check5->setValue(arc);
    // The callers' order: readouts, then the drawing.
    form->gamen.clear();
    form->UpdateReadouts();
    form->DrawFigure();
    QCOMPARE(form->Label5[0]->text(), central);
    QCOMPARE(form->Label5[1]->text(), inscribed);
    static const QRegularExpression plain(QStringLiteral("^[0-9]+(\\.5)?$"));
    QVERIFY(plain.match(form->Label5[0]->text()).hasMatch());
    QVERIFY(plain.match(form->Label5[1]->text()).hasMatch());
}

void TestReadouts::measuredBelongsToCurrentP() {
    form->Check9->setValue(0);
    // Along the upper arc the inscribed angle stays 50; on the lower arc it is 130.
    for (double angleP : {60.0, 150.0, 10.0}) {
        moveP(*form, angleP);
        QCOMPARE(form->Label5[1]->text(), QStringLiteral("50"));
    }
    moveP(*form, 250);
    QCOMPARE(form->Label5[0]->text(), QStringLiteral("260"));
    QCOMPARE(form->Label5[1]->text(), QStringLiteral("130"));
    moveP(*form, 110);
    QCOMPARE(form->Label5[0]->text(), QStringLiteral("100"));
    QCOMPARE(form->Label5[1]->text(), QStringLiteral("50"));
    // P held inside the circle, on the axis through the middle of the arc: wider than 50.
    form->pX = form->oX;
    form->pY = form->oY - 100;
    form->angleP = 90;
    form->UpdateReadouts();
    const double measured =
        2 * std::atan(std::fabs(form->aX - form->pX) / (form->aY - form->pY)) * 180 / M_PI;
    QVERIFY(measured > 60);
    QVERIFY(std::fabs(form->Label5[1]->text().toInt() - measured) <= 1);
}

void TestReadouts::drawingWithArcWritesReadoutsOfItsCase() {
    form->Check6->setValue(1);
    form->Check5->setValue(1);
    form->Check9->setValue(0);
    form->angleP = 270;
    const geometry::Point p = geometry::pointOnCircle(form->oX, form->oY, form->radius, 270);
    form->pX = p.x;
    form->pY = p.y;
    form->DrawFigure(); // no UpdateReadouts before it
    QCOMPARE(form->Label5[0]->text(), QStringLiteral("260"));
    QCOMPARE(form->Label5[1]->text(), QStringLiteral("130"));
    QCOMPARE(form->dirPA, 155);
    QCOMPARE(form->dirPB, 25.0f);
}

void TestReadouts::onCircleBoxSwitchesTheReadout() {
    // An odd central angle tells the theorem's half (50.5) from the measured angle (50).
    setFigure(*form, 219.7, 320.2, 110);
    QCOMPARE(form->Label5[1]->text(), QStringLiteral("50.5"));
    form->Check9->setValue(0);
    QCOMPARE(form->Label5[1]->text(), QStringLiteral("50"));
    QCOMPARE(form->Label5[0]->text(), QStringLiteral("101"));
    form->Check9->setValue(1);
    QCOMPARE(form->Label5[1]->text(), QStringLiteral("50.5"));
}

void TestReadouts::readoutKeepsItsRightEdge() {
    for (QLabel* label : form->Label5) {
        const int right = label->geometry().right();
        setFigure(*form, 219.7, 320.2, 110);
        QCOMPARE(label->geometry().right(), right);
        QVERIFY(label->width() >= label->sizeHint().width());
    }
    QCOMPARE(form->Label5[1]->text(), QStringLiteral("50.5"));
}

QTEST_MAIN(TestReadouts)
#include "tst_readouts.moc"
